#!/usr/bin/env bash
# Runs every harness for a bounded time, seeds first, one core each in turn.
#   run_fuzzers.sh FUZZ_BUILD_DIR [SECONDS_PER_HARNESS]
# A long campaign: run one harness with -max_total_time=1800 (or no limit) and a
# corpus folder of its own that keeps what it learns, for example
#   build-fuzz/tests/fuzz/cycle_fuzzer -dict=tests/fuzz/cycle.dict -max_total_time=1800 \
#       campaign/cycle tests/fuzz/corpus/cycle
set -euo pipefail
build="$1"
seconds="${2:-20}"
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
for harness in "$build"/tests/fuzz/*_fuzzer; do
    name="$(basename "$harness" _fuzzer)"
    mkdir -p "$work/$name"
    echo "fuzzing $name for ${seconds}s"
    "$harness" -dict="$here/$name.dict" -max_total_time="$seconds" -timeout=10 \
        -artifact_prefix="$work/" -print_final_stats=1 "$work/$name" "$here/corpus/$name" \
        2> "$work/$name.log" || { tail -40 "$work/$name.log"; exit 1; }
    grep -E 'stat::number_of_executed_units|cov:' "$work/$name.log" | tail -2
done
