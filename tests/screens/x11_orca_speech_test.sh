#!/usr/bin/env bash
# Orca speaks the option value after each bar step, checked with the real screen reader:
# speech-dispatcher's generic module writes what Orca asks it to say to a file, at once
# and in order; Orca's debug file, written in full only when Orca ends, lists the same
# texts as "SPEECH OUTPUT:". Runs on its own X server inside its own D-Bus session;
# never touches the user's Orca or settings.
#   x11_orca_speech_test.sh VOLANTRA_BINARY WORKED_EXAMPLES_CSV [LOG_FOLDER]
set -euo pipefail
program="$1"
examples="$2"
keep="${3:-}"

if [[ -z "${VOLANTRA_ORCA_SESSION:-}" ]]; then
    for tool in orca speech-dispatcher Xvfb xdotool dbus-run-session; do
        command -v "$tool" >/dev/null || { echo "FAIL: $tool is not installed"; exit 1; }
    done
    # The session bus, and what it started, end with this script.
    VOLANTRA_ORCA_SESSION=1 exec timeout -k 10 240 dbus-run-session -- bash "$0" "$@"
fi

work="$(mktemp -d)"
pids=()
running() {  # the process has not ended (a child that ended and is not waited for has)
    [[ -n "$(ps -o stat= -p "$1" 2>/dev/null | grep -v Z)" ]]
}
stop() {  # SIGTERM, then SIGKILL after 15 s
    kill -TERM "$1" 2>/dev/null || true
    for _ in $(seq 150); do running "$1" || return 0; sleep 0.1; done
    kill -KILL "$1" 2>/dev/null || true
}
cleanup() {
    local i
    for ((i = ${#pids[@]} - 1; i >= 0; i--)); do stop "${pids[i]}"; done
    [[ -n "$keep" ]] && mkdir -p "$keep" && cp -r "$work"/*.txt "$work"/*.log "$keep"/ 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

# Everything Orca and speech-dispatcher read or write stays in the work folder.
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_DATA_HOME="$work/home/.local"
export XDG_CACHE_HOME="$work/home/.cache" XDG_RUNTIME_DIR="$work/run" GSETTINGS_BACKEND=memory
export SPEECHD_ADDRESS="unix_socket:$work/run/speechd.sock" NO_AT_BRIDGE=0 LC_ALL=C.UTF-8
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" "$work/orca" "$work/speechd/modules"
chmod 700 "$XDG_RUNTIME_DIR"

wait_for() {  # wait_for SECONDS COMMAND...: true once the command succeeds
    local tries=$(($1 * 10))
    shift
    for _ in $(seq "$tries"); do "$@" && return 0; sleep 0.1; done
    return 1
}

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
pids+=($!)
wait_for 10 test -s "$work/display"
export DISPLAY=":$(cat "$work/display")"

cat >"$work/speechd/speechd.conf" <<EOF
AudioOutputMethod "alsa"
AudioALSADevice "null"
AddModule "capture" "sd_generic" "capture.conf"
DefaultModule capture
LanguageDefaultModule "en" "capture"
EOF
cat >"$work/speechd/modules/capture.conf" <<EOF
GenericExecuteSynth "printf '%s\\\\n' '\$DATA' >> $work/spoken.txt"
GenericLanguage "en" "en" "utf-8"
AddVoice "en" "MALE1" "capture"
EOF
speech-dispatcher -s -t 0 -C "$work/speechd" -c unix_socket -S "$work/run/speechd.sock" \
    -L "$work" >"$work/speechd.log" 2>&1 &
pids+=($!)
wait_for 10 test -S "$work/run/speechd.sock"

orca -u "$work/orca" --debug-file "$work/orca.log" >"$work/orca-out.log" 2>&1 &
orca_pid=$!
pids+=("$orca_pid")
if ! wait_for 60 grep -q "EVENT MANAGER: Activated" "$work/orca.log" 2>/dev/null; then
    echo "FAIL: Orca did not start"
    exit 1
fi

# The call worked example: the boxes' texts, the bars' positions and the value shown.
IFS=, read -r asset strike maturity volatility interest value < <(
    awk -F, 'NR == 1 { for (i = 1; i <= NF; i++) col[$i] = i; next }
             $col["name"] == "call" { print $col["asset"] "," $col["strike"] "," $col["maturity"] "," \
                 $col["volatility"] "," $col["interest"] "," $col["value"] }' "$examples")

QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$program" >"$work/program.log" 2>&1 &
program_pid=$!
pids+=("$program_pid")
window_named() {  # waits up to 10 s for a visible window with the exact title
    { timeout 10 xdotool search --sync --onlyvisible --name "^$1\$" || true; } | head -1
}
xdotool windowfocus --sync "$(window_named 'BLACK SCHOLES STOCK OPTIONS PRICING MODEL')" key alt+c
xdotool windowfocus --sync "$(window_named 'CALL PRICING')"
sleep 1
xdotool type "$asset"
xdotool key Tab type "$strike"
xdotool key Tab type "$maturity"
said_more() {  # said_more TEXT COUNT: speech-dispatcher was asked to say TEXT more often
    test "$(grep -c "^$1" "$work/spoken.txt" 2>/dev/null || true)" -gt "$2"
}
steps() {  # steps KEY COUNT: one bar step at a time, each waited for until it is spoken
    local before
    for _ in $(seq "$2"); do
        before="$(grep -c '^Call value ' "$work/spoken.txt" 2>/dev/null || true)"
        xdotool key "$1"
        wait_for 3 said_more 'Call value ' "$before" || true
        sleep 0.2
    done
}
# Each bar's focus is spoken before its first step, so that step is the bar's own.
xdotool key Tab Tab  # the interest bar, at its starting 1
wait_for 10 said_more 'Interest rate scroll bar' 0 || true
steps Up $((interest - 1))
xdotool key shift+Tab  # the volatility bar, at its starting 1
wait_for 10 said_more 'Volatility scroll bar' 0 || true
steps Up $((volatility - 1))
sleep 1
# Orca writes its debug file in full when it ends on SIGTERM, after the program ends.
stop "$program_pid"
stop "$orca_pid"

spoken() {  # the texts Orca had spoken, in order, as speech-dispatcher received them
    cat "$work/spoken.txt" 2>/dev/null || true
}
failures=0
expect() {  # expect NAME CONDITION...
    local name="$1"
    shift
    if "$@"; then echo "ok   $name"; else echo "FAIL $name"; failures=$((failures + 1)); fi
}
# The last step says the bar's number, then the value the screen shows.
last_two="$(spoken | { grep -E "^($volatility|Call value .*)\$" || true; } | tail -2 | paste -sd'|')"
expect "the last step says \"$volatility\" then \"Call value $value\"" \
    test "$last_two" == "$volatility|Call value $value"
# Every step says the value once: one announcement per step, no step twice.
steps_taken=$((interest - 1 + volatility - 1))
said="$(spoken | { grep -c '^Call value ' || true; })"
expect "one value per step ($steps_taken steps, $said said)" test "$said" == "$steps_taken"

if [[ "$failures" != 0 ]]; then
    spoken | tail -20
    grep -v keyEventError "$work/program.log" || true
    exit 1
fi
