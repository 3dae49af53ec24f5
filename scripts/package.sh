#!/usr/bin/env bash
# Installs what is missing, builds, and makes the Debian packages volantra and
# volantra-dbgsym in build/packages/.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/scripts/build.sh"
mkdir -p "$root/build/packages"
log="$root/build/packages/cpack.log"
cpack --config "$root/build/CPackConfig.cmake" -G DEB -B "$root/build/packages" >"$log" 2>&1 ||
    { cat "$log"; exit 1; }
ls "$root"/build/packages/*.deb "$root"/build/packages/*.ddeb
