#!/usr/bin/env bash
# Builds the Debian packages from the build tree and checks them as Debian would:
# lintian must report no error and no warning, and what lintian does not look at is
# checked here: the stripped programs still work, their debug symbols are found by
# build id, the manual pages name every access key, the versions and dates agree.
#   package_test.sh BUILD_DIR
set -euo pipefail
build="$(cd "$1" && pwd)"
source="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work/out" > "$work/cpack.log" 2>&1 ||
    { cat "$work/cpack.log"; fail "cpack could not build the packages"; }
version="$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")"
deb="$work/out/volantra_${version}_$(dpkg --print-architecture).deb"
ddeb="$work/out/volantra-dbgsym_${version}_$(dpkg --print-architecture).ddeb"
[[ -f "$deb" && -f "$ddeb" ]] || fail "expected $(basename "$deb") and $(basename "$ddeb")"

# Informational, pedantic and experimental tags are shown but let pass.
lintian --fail-on error,warning --display-info --pedantic --display-experimental "$deb" "$ddeb" ||
    fail "lintian found errors or warnings"

dpkg-deb -x "$deb" "$work/root"
dpkg-deb -x "$ddeb" "$work/dbgsym"
for file in usr/share/doc/volantra/copyright usr/share/doc/volantra/changelog.gz \
            usr/share/man/man1/volantra.1.gz usr/share/man/man1/volantra-price.1.gz; do
    [[ -f "$work/root/$file" ]] || fail "the package lacks $file"
done
[[ "$(readlink "$work/dbgsym/usr/share/doc/volantra-dbgsym")" == volantra ]] ||
    fail "volantra-dbgsym's doc directory does not lead to volantra's"

# Each program is stripped, and its debug symbols sit in volantra-dbgsym under its build id.
for program in volantra volantra-price; do
    binary="$work/root/usr/bin/$program"
    ! grep -q '\.debug_info' <<< "$(readelf -S "$binary")" || fail "$program keeps its debug symbols"
    id="$(readelf -n "$binary" | sed -n 's/.*Build ID: *\([0-9a-f]*\).*/\1/p')"
    [[ -n "$id" ]] || fail "$program has no build id"
    symbols="$work/dbgsym/usr/lib/debug/.build-id/${id:0:2}/${id:2}.debug"
    [[ -f "$symbols" ]] || fail "no debug symbols for $program (build id $id)"
    grep -q '\.debug_info' <<< "$(readelf -S "$symbols" 2>/dev/null)" ||
        fail "$symbols holds no debug information"
done
[[ -z "$(find "$work/dbgsym" -type f -perm /111)" ]] || fail "debug symbol files are executable"

# The stripped pricer still prices: the worked call example, inputs in, its digits out.
header=screen,asset,strike,maturity,volatility,interest,dividend,dividend_interest,dividend_time
example="$(grep '^call,' "$source/tests/worked_examples.csv" | cut -d, -f2-)"
priced="$(printf '%s\n%s\n' "$header" "$(cut -d, -f1-9 <<< "$example")" |
          "$work/root/usr/bin/volantra-price")"
grep -qxF "$example," <<< "$priced" || fail "the packaged volantra-price prices wrongly: $priced"

# The Python module, when built, sits where Debian's python3 finds it, stripped with its
# symbols in volantra-dbgsym, and prices the worked call example from the package.
packages="$work/root/usr/lib/python3/dist-packages"
if [[ -d "$build/python/volantra" ]]; then
    module="$(find "$packages/volantra" -name '_volantra*.so' 2>/dev/null | head -n 1)"
    [[ -f "$packages/volantra/__init__.py" && -n "$module" ]] ||
        fail "the package lacks the Python module"
    ! grep -q '\.debug_info' <<< "$(readelf -S "$module")" ||
        fail "the Python module keeps its debug symbols"
    id="$(readelf -n "$module" | sed -n 's/.*Build ID: *\([0-9a-f]*\).*/\1/p')"
    [[ -f "$work/dbgsym/usr/lib/debug/.build-id/${id:0:2}/${id:2}.debug" ]] ||
        fail "no debug symbols for the Python module"
    shown="$(cd "$work" && EXAMPLE="$example" PYTHONPATH="$packages" /usr/bin/python3 -B -c '
import os, volantra
fields = os.environ["EXAMPLE"].split(",")
shown = volantra.price(fields[0], *map(float, fields[1:6]), text=True)
print(",".join(shown[name].item() for name in volantra.RESULTS))')"
    [[ "$shown" == "$(cut -d, -f10-15 <<< "$example")" ]] ||
        fail "the packaged Python module prices wrongly: $shown"
fi

# copyright carries the text of LICENSE.
licence_terms="$(sed -n '/^Permission is hereby granted/,$p' "$source/LICENSE")"
copyright_terms="$(sed -n '/^ Permission is hereby granted/,$p' \
    "$work/root/usr/share/doc/volantra/copyright" | sed -e 's/^ //' -e 's/^\.$//')"
[[ -n "$licence_terms" && "$licence_terms" == "$copyright_terms" ]] ||
    fail "copyright does not carry the licence text of LICENSE"

# The manual page names the Alt key of every access key the screens define.
page="$(MANWIDTH=80 man -l "$work/root/usr/share/man/man1/volantra.1.gz" 2>/dev/null)"
mapfile -t letters < <({ grep -ohE '<string>[^<]*&amp;[A-Za-z]' "$source"/screens/*.ui
                         grep -ohE 'setText\("[^"]*&[A-Za-z]' "$source"/screens/*.cpp; } |
                       sed 's/.*\(.\)$/\1/' | tr '[:lower:]' '[:upper:]' | sort -u)
[[ ${#letters[@]} -ge 6 ]] || fail "found only ${#letters[@]} access keys in the screens"
for letter in "${letters[@]}"; do
    grep -q "Alt+$letter" <<< "$page" || fail "volantra(1) does not mention Alt+$letter"
done

# The changelog, the AppStream release and the package tell the same version and date.
changelog_version="$(zcat "$work/root/usr/share/doc/volantra/changelog.gz" |
                     dpkg-parsechangelog -l - -S Version)"
changelog_date="$(date -u -d "@$(zcat "$work/root/usr/share/doc/volantra/changelog.gz" |
                                 dpkg-parsechangelog -l - -S Timestamp)" +%F)"
release="$(grep -m1 -o '<release version="[^"]*" date="[^"]*"' \
    "$work/root/usr/share/metainfo/io.volantra.Volantra.metainfo.xml")"
[[ "$changelog_version" == "$version" ]] ||
    fail "changelog is at $changelog_version, the package at $version"
[[ "$release" == "<release version=\"$version\" date=\"$changelog_date\"" ]] ||
    fail "AppStream's latest release ($release) is not $version of $changelog_date"

# Each AppStream screenshot is a committed image, at the size the metadata states.
metainfo="$work/root/usr/share/metainfo/io.volantra.Volantra.metainfo.xml"
shots="$(grep -o '<image type="source" width="[0-9]*" height="[0-9]*">[^<]*' "$metainfo")"
[[ "$(grep -c . <<< "$shots")" -eq 4 ]] || fail "expected 4 screenshots: $shots"
while read -r width height url; do
    image="$source/docs/images/${url##*/}"
    [[ -f "$image" ]] || fail "screenshot $url is no image in docs/images"
    # A PNG's width and height are the big-endian words at bytes 16 and 20.
    read -r w0 w1 w2 w3 h0 h1 h2 h3 < <(od -An -tu1 -j16 -N8 "$image")
    actual="$(((w0 << 24) + (w1 << 16) + (w2 << 8) + w3))x$(((h0 << 24) + (h1 << 16) + (h2 << 8) + h3))"
    [[ "$actual" == "${width}x${height}" ]] ||
        fail "${url##*/} is $actual, the metadata says ${width}x${height}"
done < <(sed -E 's/.*width="([0-9]+)" height="([0-9]+)">(.*)/\1 \2 \3/' <<< "$shots")

echo "volantra $version and volantra-dbgsym: lintian-clean, stripped, symbols by build id, pages and metadata agree"
