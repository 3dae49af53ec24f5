#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks what a desktop user gets.
#   install_test.sh BUILD_DIR WORKED_EXAMPLES_CSV
set -euo pipefail
build="$1"
examples="$2"
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

# The installed pricer shows every worked example's digits: its input columns go in, by
# name, and come back followed by the results and an empty message.
inputs=screen,asset,strike,maturity,volatility,interest,dividend,dividend_interest,dividend_time
results=value,delta,gamma,theta,vega,rho
columns() {  # the named columns of every table row, header included
    awk -F, -v OFS=, -v want="$1" '
        NR == 1 { for (i = 1; i <= NF; ++i) at[$i] = i; n = split(want, names, ",") }
        {
            line = $(at[names[1]])
            for (j = 2; j <= n; ++j) line = line OFS $(at[names[j]])
            print line
        }' "$examples"
}
[[ "$(columns "$inputs" | head -n 1)" == "$inputs" ]] || { echo "bad table $examples"; exit 1; }
expected="$(columns "$inputs,$results" | tail -n +2 | sed 's/$/,/')"
output="$(columns "$inputs" | "$prefix/bin/volantra-price" | tail -n +2)"
[[ -n "$expected" && "$output" == "$expected" ]] ||
    { printf 'the pricer gave\n%s\ninstead of\n%s\n' "$output" "$expected"; exit 1; }
# Read whole first: grep -q leaves early, and the writer would die of SIGPIPE.
grep -q 'theta' <<< "$("$prefix/bin/volantra-price" --help)"

# The Python module, when built, goes where Debian's python3 looks under a prefix other
# than /usr, and gives the same results as the installed pricer.
if [[ -d "$build/python/volantra" ]]; then
    packages="$(echo "$prefix"/lib/python3.*/dist-packages)"
    [[ -f "$packages/volantra/__init__.py" ]] || { echo "missing the Python module"; exit 1; }
    module_output="$(columns "$inputs" | tail -n +2 | (cd "$prefix" && PYTHONPATH="$packages" \
        /usr/bin/python3 -B -c '
import sys, volantra
for line in sys.stdin:
    f = line.rstrip("\n").split(",")
    num = [float(x) if x else None for x in f[1:]]
    shown = volantra.price(f[0], *num[:5], *num[5:], text=True)
    print(",".join(f + [shown[k].item() for k in volantra.RESULTS] + [""]))'))"
    [[ "$module_output" == "$expected" ]] ||
        { printf 'the module gave\n%s\ninstead of\n%s\n' "$module_output" "$expected"; exit 1; }
fi
echo "installed program, pricer, Python module, menu entry, icons, metadata, manual pages and licence: all in place"
