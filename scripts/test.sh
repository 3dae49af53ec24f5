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
