#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the full build, clang-tidy on the
# production code, the Qt-free code and its tests again under AddressSanitizer and
# UndefinedBehaviorSanitizer, and each fuzz harness briefly.
#   scripts/test.sh           everything
#   scripts/test.sh --quick   after a build: the unit and screen tests only, about a minute
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"

if [[ "${1:-}" == "--quick" ]]; then
    cmake --build "$root/build" -j "$(nproc)"
    exec ctest --test-dir "$root/build" --output-on-failure -j "$(nproc)" -L 'unit|gui' -LE slow
fi

# Warnings are errors in every build the tests run on.
werror=-DCMAKE_COMPILE_WARNING_AS_ERROR=ON
"$root/scripts/build.sh" "$werror"
ctest --test-dir "$root/build" --output-on-failure -j "$(nproc)"

"$root/scripts/lint.sh"

cmake -S "$root" -B "$root/build-sanitize" -DCMAKE_BUILD_TYPE=Debug \
    -DVOLANTRA_SANITIZE=ON -DVOLANTRA_GUI=OFF "$werror" >/dev/null
cmake --build "$root/build-sanitize" -j "$(nproc)"
export ASAN_OPTIONS=halt_on_error=1:detect_leaks=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
ctest --test-dir "$root/build-sanitize" --output-on-failure -j "$(nproc)"

# The fuzz harnesses, briefly, seeds first (a long campaign: tests/fuzz/run_fuzzers.sh).
if command -v clang++ > /dev/null; then
    cmake -S "$root" -B "$root/build-fuzz" -DCMAKE_CXX_COMPILER=clang++ -DVOLANTRA_FUZZ=ON \
        -DBUILD_TESTING=OFF -DVOLANTRA_BENCH=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo "$werror" >/dev/null
    cmake --build "$root/build-fuzz" -j "$(nproc)"
    QT_QPA_PLATFORM=offscreen bash "$root/tests/fuzz/run_fuzzers.sh" "$root/build-fuzz" 20
fi
