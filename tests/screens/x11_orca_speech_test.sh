#!/usr/bin/env bash
# Orca, the real screen reader, says the option value after each bar step.
#   x11_orca_speech_test.sh VOLANTRA_BINARY WORKED_EXAMPLES_CSV [LOG_FOLDER]
set -euo pipefail
program="$1" examples="$2" keep="${3:-}"
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
source "$here/orca_session.sh"
orca_session_begin 240 "$0" "$@"
orca_session_start
IFS=, read -r asset strike maturity volatility interest value < <(call_example "$examples")
open_call_screen
xdotool key Tab Tab  # the interest bar, then the volatility bar, each at its starting 1
steps 'Interest rate' $((interest - 1))
xdotool key shift+Tab
steps Volatility $((volatility - 1))
sleep 1
stop "$program_pid"
stop "$orca_pid"

# The last step says the bar's number, then the value shown; each step says it once.
last="$({ grep -E "^($volatility|Call value .*)\$" "$work/spoken.txt" || true; } | tail -2)"
steps_taken=$((interest + volatility - 2))
if [[ "$last" == "$volatility"$'\n'"Call value $value" && "$(said 'Call value ')" == "$steps_taken" ]]
then
    echo "ok   \"$volatility\" then \"Call value $value\"; one value for each of $steps_taken steps"
    exit 0
fi
echo "FAIL heard $(said 'Call value ') values for $steps_taken steps, ending:"
tail -20 "$work/spoken.txt"
grep -v keyEventError "$work/program.log" || true
exit 1
