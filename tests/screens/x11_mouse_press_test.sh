#!/usr/bin/env bash
# A message box ends a mouse press on a bar, checked with real mouse events on a real X
# server: there the box swallows the button's release before the program sees it, which
# the in-process screen tests cannot reproduce.
#   x11_mouse_press_test.sh VOLANTRA_BINARY PRICING_SCREEN_UI
set -euo pipefail
program="$1"
ui="$2"
work="$(mktemp -d)"
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
pids+=($!)
for _ in $(seq 50); do [[ -s "$work/display" ]] && break; sleep 0.1; done
export DISPLAY=":$(cat "$work/display")"

window_named() {  # waits up to 10 s for a visible window with the exact title
    { timeout 10 xdotool search --sync --onlyvisible --name "^$1\$" || true; } | head -1
}
boxes_shown() {
    { xdotool search --onlyvisible --name '^Volantra$' 2>/dev/null || true; } | wc -l
}

# A fresh program on the call screen, the bar at 1 %; with bad input if asked.
program_pid=""
open_call_screen() {
    [[ -n "$program_pid" ]] && kill "$program_pid" && wait "$program_pid" 2>/dev/null || true
    QT_QPA_PLATFORM=xcb LC_ALL=C.UTF-8 "$program" >>"$work/log" 2>&1 &
    program_pid=$!
    pids+=("$program_pid")
    xdotool windowfocus --sync "$(window_named 'BLACK SCHOLES STOCK OPTIONS PRICING MODEL')" key alt+c
    call="$(window_named 'CALL PRICING')"
    if [[ "${1:-}" == bad ]]; then
        xdotool windowfocus --sync "$call" type abc
        xdotool key Tab type 100
        xdotool key Tab type 365
    fi
}
open_call_screen
eval "$(xdotool getwindowgeometry --shell "$call")"  # X and Y of the screen

# The volatility bar's place on the screen, read from the form; at 1 % the thumb is at
# the bottom, and the track just below the arrow takes many page steps to reach.
read -r bx by bw bh < <(sed -nE 's/.*name="vsbVolatility"><property name="geometry"><rect><x>([0-9]+)<\/x><y>([0-9]+)<\/y><width>([0-9]+)<\/width><height>([0-9]+).*/\1 \2 \3 \4/p' "$ui")
centre=$((X + bx + bw / 2))
arrow_up=$((Y + by + 6))
track=$((Y + by + bw))
thumb=$((Y + by + bh - bw))

failures=0
# Presses the bar at ROW (and drags to DRAG_ROW), holds it past the auto-repeat delay
# while the box is up, releases, answers the box, and expects no further box.
press() {
    local name="$1" row="$2" drag_row="${3:-}"
    xdotool mousemove "$centre" "$row" mousedown 1
    if [[ -n "$drag_row" ]]; then
        sleep 0.3
        xdotool mousemove "$centre" "$((drag_row + 5))"
        sleep 0.1
        xdotool mousemove "$centre" "$drag_row"
    fi
    if [[ -z "$(window_named Volantra)" ]]; then
        echo "FAIL $name: no message box"
        failures=$((failures + 1))
        xdotool mouseup 1
        return
    fi
    sleep 1  # the repeat would run behind the box: 500 ms delay, then every 50 ms
    xdotool mouseup 1
    sleep 0.3
    xdotool key Return
    sleep 0.3
    # A thumb still held would follow the pointer; a repeat still running goes on alone.
    xdotool mousemove "$centre" "$((row + 20))"
    sleep 0.2
    xdotool mousemove "$centre" "$row"
    sleep 1.2
    local again
    again="$(boxes_shown)"
    if [[ "$again" != 0 ]]; then
        echo "FAIL $name: the box came back after OK"
        failures=$((failures + 1))
        while [[ "$(boxes_shown)" != 0 ]]; do xdotool key Return; sleep 0.2; done
    else
        echo "ok   $name"
    fi
}

open_call_screen bad; press "arrow held, bad input" "$arrow_up"
open_call_screen bad; press "track held, bad input" "$track"
open_call_screen bad; press "thumb dragged, bad input" "$thumb" "$track"
open_call_screen; press "arrow held, empty fields" "$arrow_up"
open_call_screen; press "track held, empty fields" "$track"

# A screen just opened is active: its Alt keys work before anything is clicked.
open_call_screen
xdotool key alt+r  # Return To Menu
if [[ -n "$(window_named 'BLACK SCHOLES STOCK OPTIONS PRICING MODEL')" ]]; then
    echo "ok   Alt+R on a screen just opened"
else
    echo "FAIL Alt+R on a screen just opened: the menu did not open"
    failures=$((failures + 1))
fi

# After the box the screen is active again: its Alt shortcuts work.
open_call_screen bad
xdotool mousemove "$centre" "$arrow_up" click 1
if [[ -n "$(window_named Volantra)" ]]; then
    xdotool key Return
    sleep 0.5
    xdotool key alt+r  # Return To Menu
    if [[ -n "$(window_named 'BLACK SCHOLES STOCK OPTIONS PRICING MODEL')" ]]; then
        echo "ok   Alt+R after a box"
    else
        echo "FAIL Alt+R after a box: the menu did not open"
        failures=$((failures + 1))
    fi
else
    echo "FAIL Alt+R after a box: no message box"
    failures=$((failures + 1))
fi

[[ "$failures" == 0 ]] || { cat "$work/log"; exit 1; }
