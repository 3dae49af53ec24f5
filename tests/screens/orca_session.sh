# Sourced by the real-Orca tests: a session of their own (X server, D-Bus, settings
# folders), speech-dispatcher writing what Orca speaks to $work/spoken.txt at once and in
# order, and Orca itself; then the program. Orca's debug file is written in full only as
# Orca ends. The caller sets `program` and `keep` (a folder for the logs, or empty) and
# re-runs itself under dbus-run-session first (orca_session_begin).
#   ORCA_WINDOW_MANAGER=1 also starts openbox, without which a closed window leaves no
#   active window and Orca hears no key.

# Re-runs the calling script in a D-Bus session of its own, whose buses end with it; skips
# (77) beside another Orca of this user, which Orca refuses to start next to.
orca_session_begin() {
    if pgrep -u "$(id -u)" -x orca > /dev/null; then
        echo "SKIP: another Orca of this user runs (the user's screen reader); close it to run this"
        exit 77
    fi
    if [[ -z "${VOLANTRA_ORCA_SESSION:-}" ]]; then
        VOLANTRA_ORCA_SESSION=1 exec timeout -k 10 "$1" dbus-run-session -- bash "${@:2}"
    fi
}

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
start() { "$@" & pids+=($!); }
wait_for() { for _ in $(seq $(($1 * 10))); do "${@:2}" && return 0; sleep 0.1; done; return 1; }
said() { grep -c "^$1" "$work/spoken.txt" 2>/dev/null || true; }  # how often TEXT was said
said_more() { [[ "$(said "$1")" -gt "$2" ]]; }
window() { timeout 10 xdotool search --sync --onlyvisible --name "^$1\$" | head -1; }

orca_session_start() {
    trap cleanup EXIT
    export HOME="$work" XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data"
    export LC_ALL=C.UTF-8 XDG_CACHE_HOME="$work/cache" XDG_RUNTIME_DIR="$work/run"
    export GSETTINGS_BACKEND=memory SPEECHD_ADDRESS="unix_socket:$work/run/speechd.sock"
    mkdir -p -m 700 "$work/run" "$work/speechd/modules"
    start Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>/dev/null
    wait_for 10 test -s "$work/display"
    export DISPLAY=":$(cat "$work/display")"
    if [[ -n "${ORCA_WINDOW_MANAGER:-}" ]]; then
        start openbox --sm-disable >"$work/openbox.log" 2>&1
    fi
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
    QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 start "$program" >"$work/program.log" 2>&1
    program_pid="${pids[-1]}"
}

# The call worked example's inputs and value, as `asset strike maturity volatility
# interest value`, from the worked examples' table.
call_example() {
    awk -F, -v OFS=, '
        NR == 1 { for (i = 1; i <= NF; i++) c[$i] = i; next }
        $c["name"] == "call" { print $c["asset"], $c["strike"], $c["maturity"], $c["volatility"],
                                     $c["interest"], $c["value"] }' "$1"
}

# Opens the call screen and types the example's three main inputs.
open_call_screen() {
    xdotool windowfocus --sync "$(window 'BLACK SCHOLES STOCK OPTIONS PRICING MODEL')" key alt+c
    xdotool windowfocus --sync "$(window 'CALL PRICING')" sleep 1 type "$asset"
    xdotool key Tab type "$strike"  # type takes every word after it
    xdotool key Tab type "$maturity"
}

# steps BAR COUNT: once the bar's focus is spoken, COUNT steps up, each heard.
steps() {
    wait_for 10 said_more "$1 scroll bar" 0 || true
    for _ in $(seq "$2"); do
        local before
        before="$(said 'Call value ')"
        xdotool key Up
        wait_for 3 said_more 'Call value ' "$before" || true
        sleep 0.2
    done
}
