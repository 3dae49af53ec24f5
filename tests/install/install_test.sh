#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks what a desktop user gets.
#   install_test.sh BUILD_DIR
set -euo pipefail
build="$1"
prefix="$(mktemp -d)"
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" > /dev/null

for file in bin/volantra bin/volantra-price share/man/man1/volantra.1.gz \
            share/man/man1/volantra-price.1.gz share/doc/volantra/copyright \
            share/doc/volantra/changelog.gz \
            share/icons/hicolor/scalable/apps/io.volantra.Volantra.svg \
            share/icons/hicolor/48x48/apps/io.volantra.Volantra.png \
            share/icons/hicolor/256x256/apps/io.volantra.Volantra.png; do
    [[ -e "$prefix/$file" ]] || { echo "missing $file"; exit 1; }
done
desktop-file-validate "$prefix/share/applications/io.volantra.Volantra.desktop"
appstreamcli validate --no-net --strict "$prefix/share/metainfo/io.volantra.Volantra.metainfo.xml"
grep -q '^Exec=volantra$' "$prefix/share/applications/io.volantra.Volantra.desktop"

header=screen,asset,strike,maturity,volatility,interest,dividend,dividend_interest,dividend_time
output="$(printf '%s\ncall,100,100,365,20,5,,,\nput,100,100,365,20,5,,,\n' "$header" \
          | "$prefix/bin/volantra-price")"
grep -q '^call,100,100,365,20,5,,,,10.45,0.6368,0.0188,-6.4135,37.5200,53.2309,$' <<< "$output"
grep -q '^put,100,100,365,20,5,,,,5.57,-0.3632,0.0188,-1.6578,37.5241,-41.8922,$' <<< "$output"
"$prefix/bin/volantra-price" --help | grep -q 'theta'
echo "installed program, pricer, menu entry, icons, metadata, manual pages and licence: all in place"
