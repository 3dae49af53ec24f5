#!/usr/bin/env bash
# Orca, the real screen reader, says the option value after each bar step. What Orca
# speaks reaches speech-dispatcher, whose generic module appends it to a file at once and
# in order (Orca's debug file, kept in LOG_FOLDER, is written in full only as Orca ends).
# Runs on its own X server, D-Bus session and settings folders.
#   x11_orca_speech_test.sh VOLANTRA_BINARY WORKED_EXAMPLES_CSV [LOG_FOLDER]
set -euo pipefail
program="$1" examples="$2" keep="${3:-}"
# Orca refuses to start beside another Orca of the same user, such as a blind
# developer's own: skipped then, not failed.
if pgrep -u "$(id -u)" -x orca > /dev/null; then
    echo "SKIP: another Orca of this user runs (the user's screen reader); close it to run this"
    exit 77
fi
if [[ -z "${VOLANTRA_ORCA_SESSION:-}" ]]; then  # the buses it starts end with it
    VOLANTRA_ORCA_SESSION=1 exec timeout -k 10 240 dbus-run-session -- bash "$0" "$@"
fi
work="$(mktemp -d)"
pids=()
stop() {  # SIGTERM (Orca then writes its log), SIGKILL after 15 s; a zombie has ended
    kill -TERM "$1" 2>/dev/null || true
    for _ in $(seq 150); do
        [[ -n "$(ps -o stat= -p "$1" | grep -v Z)" ]] || return 0
        sleep 0.1
    done
    kill -KILL "$1" 2>/dev/null || true
}
cleanup() {
    for ((i = ${#pids[@]} - 1; i >= 0; i--)); do stop "${pids[i]}"; done
    [[ -z "$keep" ]] || { mkdir -p "$keep" && cp "$work"/*.txt "$work"/*.log "$keep"/ || true; }
    rm -rf "$work"
}
trap cleanup EXIT
start() { "$@" & pids+=($!); }
wait_for() { for _ in $(seq $(($1 * 10))); do "${@:2}" && return 0; sleep 0.1; done; return 1; }
said() { grep -c "^$1" "$work/spoken.txt" 2>/dev/null || true; }  # how often TEXT was said
said_more() { [[ "$(said "$1")" -gt "$2" ]]; }

export HOME="$work" XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" LC_ALL=C.UTF-8
export XDG_CACHE_HOME="$work/cache" XDG_RUNTIME_DIR="$work/run" GSETTINGS_BACKEND=memory
export SPEECHD_ADDRESS="unix_socket:$work/run/speechd.sock"
mkdir -p -m 700 "$work/run" "$work/speechd/modules"
start Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>/dev/null
wait_for 10 test -s "$work/display"
export DISPLAY=":$(cat "$work/display")"
printf '%s\n' 'AudioOutputMethod "alsa"' 'AudioALSADevice "null"' 'DefaultModule capture' \
    'AddModule "capture" "sd_generic" "capture.conf"' >"$work/speechd/speechd.conf"
printf '%s\n' "GenericExecuteSynth \"printf '%s\\\\n' '\$DATA' >> $work/spoken.txt\"" \
    'GenericLanguage "en" "en" "utf-8"' 'AddVoice "en" "MALE1" "capture"' \
    >"$work/speechd/modules/capture.conf"
start speech-dispatcher -s -t 0 -C "$work/speechd" -c unix_socket \
    -S "$work/run/speechd.sock" -L "$work" >"$work/speechd.log" 2>&1
wait_for 10 test -S "$work/run/speechd.sock"
start orca -u "$work/orca" --debug-file "$work/orca.log" >"$work/orca-out.log" 2>&1
orca_pid="${pids[-1]}"
wait_for 60 grep -qs "EVENT MANAGER: Activated" "$work/orca.log" || { echo "FAIL: no Orca"; exit 1; }

# The call worked example: the boxes' texts, the bars' positions and the value shown.
IFS=, read -r asset strike maturity volatility interest value < <(awk -F, -v OFS=, '
    NR == 1 { for (i = 1; i <= NF; i++) c[$i] = i; next }
    $c["name"] == "call" { print $c["asset"], $c["strike"], $c["maturity"], $c["volatility"],
                                 $c["interest"], $c["value"] }' "$examples")
QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 start "$program" >"$work/program.log" 2>&1
program_pid="${pids[-1]}"
window() { timeout 10 xdotool search --sync --onlyvisible --name "^$1\$" | head -1; }
xdotool windowfocus --sync "$(window 'BLACK SCHOLES STOCK OPTIONS PRICING MODEL')" key alt+c
xdotool windowfocus --sync "$(window 'CALL PRICING')" sleep 1 type "$asset"
xdotool key Tab type "$strike"  # type takes every word after it
xdotool key Tab type "$maturity"
steps() {  # steps BAR COUNT: once the bar's focus is spoken, COUNT steps up, each heard
    wait_for 10 said_more "$1 scroll bar" 0 || true
    for _ in $(seq "$2"); do
        local before
        before="$(said 'Call value ')"
        xdotool key Up
        wait_for 3 said_more 'Call value ' "$before" || true
        sleep 0.2
    done
}
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
