#!/usr/bin/env bash
# clang-tidy with the committed .clang-tidy on every production source (not the tests),
# in the compile database of build/; any finding fails.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${1:-$root/build}"
[[ -f "$build/compile_commands.json" ]] || { echo "no $build/compile_commands.json: build first" >&2; exit 2; }
run-clang-tidy -p "$build" -quiet -j "$(nproc)" \
    "^$root/(engine|cycle|rows|batch|screens|tools|app|python)/" > "$build/clang-tidy.log" 2>&1 || true
if grep -E '(warning|error):' "$build/clang-tidy.log"; then
    echo "clang-tidy found the above (log: $build/clang-tidy.log)" >&2
    exit 1
fi
echo "clang-tidy: no findings"
