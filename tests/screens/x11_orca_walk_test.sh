#!/usr/bin/env bash
# A walk through the program by keys alone with Orca, under a window manager, as a blind
# user takes it: every result on request, the DIVIDENDS boxes, the chart's market value,
# its search and Move Bar, Tab out of its table, its rows over the asset price, Escape,
# and the guide read line by line.
# Each step fails the test when Orca does not say what it should.
#   x11_orca_walk_test.sh VOLANTRA_BINARY WORKED_EXAMPLES_CSV [LOG_FOLDER]
set -euo pipefail
program="$1" examples="$2" keep="${3:-}"
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
source "$here/orca_session.sh"
orca_session_begin 300 "$0" "$@"
export ORCA_WINDOW_MANAGER=1
orca_session_start
IFS=, read -r asset strike maturity volatility interest value < <(call_example "$examples")

faults=0
# expect SECONDS TEXT: Orca says a line that begins with TEXT within SECONDS, after the
# lines already checked.
checked=0
heard_since() { tail -n +$((checked + 1)) "$work/spoken.txt" | grep -qF -- "$1"; }
expect() {
    if wait_for "$1" heard_since "$2"; then
        checked="$(grep -nF -- "$2" "$work/spoken.txt" | tail -1 | cut -d: -f1)"
        echo "ok   heard \"$2\""
    else
        echo "FAIL did not hear \"$2\"; heard since the last check:"
        tail -n +$((checked + 1)) "$work/spoken.txt" | sed 's/^/       /'
        faults=$((faults + 1))
    fi
}

open_call_screen
xdotool key Tab Tab
steps 'Interest rate' $((interest - 1))
xdotool key shift+Tab
steps Volatility $((volatility - 1))
expect 5 "Call value $value"

xdotool key ctrl+shift+r
expect 5 "Call value $value, delta"

xdotool key Tab Tab  # the interest bar; the dividend boxes are hidden: the check box
expect 5 "Dividends"
xdotool key space
expect 5 "Dividend amount, interest rate and time shown"
xdotool key space

xdotool key ctrl+g
expect 5 "Call Chart"
expect 5 "Call value"  # the Show box's choice
xdotool key Down
expect 5 "Delta"
xdotool key Up
expect 5 "Call value"
xdotool key Tab Tab Tab  # from Show: Over, Units, then the market value
expect 5 "Market value"
xdotool type "$value"
xdotool key Return
expect 5 "Shown at volatility"
xdotool key alt+m
expect 5 "Call value $value"
xdotool key Tab Tab  # Move Bar, then the table
expect 5 "Positions"
xdotool key Tab
expect 5 "Save Picture"
xdotool key alt+b Down Down  # over the asset price: each row named by its price
expect 5 "Asset price"
xdotool key Tab Tab  # Units, then the table (no market value off the bars)
expect 5 "table with 201 rows"
xdotool key Down
expect 5 "Asset 50.50"
xdotool key Escape
expect 5 "CALL PRICING"

xdotool key F1
expect 10 "Volantra User Guide"
xdotool key Down
expect 5 "Volantra prices European stock options"
xdotool key Escape
expect 5 "CALL PRICING"

sleep 1
stop "$program_pid"
stop "$orca_pid"
if ((faults > 0)); then
    grep -v keyEventError "$work/program.log" || true
    exit 1
fi
