#!/usr/bin/env bash
# The desktop program answers --help and --version, and names a missing display in one
# line, in an environment with no display at all: it never aborts.
#   no_display_test.sh VOLANTRA_BINARY VERSION
set -euo pipefail
program="$1" version="$2"
faults=0
check() {  # check EXPECTED_STATUS EXPECTED_FIRST_LINE STREAM ARGS...
    local status=0 out err
    out="$(mktemp)" err="$(mktemp)"
    env -i PATH="$PATH" HOME="${HOME:-/tmp}" ${display:+DISPLAY="$display"} "$program" "${@:4}" \
        >"$out" 2>"$err" || status=$?
    local stream="$out"
    [[ "$3" == err ]] && stream="$err"
    local first
    first="$(head -1 "$stream")"
    if [[ "$status" != "$1" || "$first" != "$2"* ]]; then
        echo "FAIL volantra ${*:4}: status $status, first line \"$first\""
        cat "$out" "$err"
        faults=$((faults + 1))
    elif [[ "$3" == err && "$(wc -l < "$err")" != 1 ]]; then
        echo "FAIL volantra ${*:4}: more than one line"
        faults=$((faults + 1))
    else
        echo "ok   volantra ${*:4}: $status, \"$first\""
    fi
    rm -f "$out" "$err"
}
check 0 "Usage: volantra" out --help
check 0 "volantra $version" out --version
check 1 "volantra: no display" err
display=:77 check 1 'volantra: cannot open a display (DISPLAY is ":77")' err  # no server there
exit $((faults > 0))
