#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the full build, then the
# Qt-free code and its tests again under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/scripts/build.sh"
export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"
ctest --test-dir "$root/build" --output-on-failure -j "$(nproc)"

cmake -S "$root" -B "$root/build-sanitize" -DCMAKE_BUILD_TYPE=Debug \
    -DVOLANTRA_SANITIZE=ON -DVOLANTRA_GUI=OFF >/dev/null
cmake --build "$root/build-sanitize" -j "$(nproc)"
export ASAN_OPTIONS=halt_on_error=1:detect_leaks=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
ctest --test-dir "$root/build-sanitize" --output-on-failure -j "$(nproc)"

# The fuzz harnesses, briefly, seeds first (a long campaign: tests/fuzz/run_fuzzers.sh).
if command -v clang++ > /dev/null; then
    cmake -S "$root" -B "$root/build-fuzz" -DCMAKE_CXX_COMPILER=clang++ -DVOLANTRA_FUZZ=ON \
        -DBUILD_TESTING=OFF -DVOLANTRA_BENCH=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
    cmake --build "$root/build-fuzz" -j "$(nproc)"
    QT_QPA_PLATFORM=offscreen bash "$root/tests/fuzz/run_fuzzers.sh" "$root/build-fuzz" 20
fi
