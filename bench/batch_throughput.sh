#!/usr/bin/env bash
# Rows per second and peak memory of volantra-price on a generated CSV file, and rows
# per second of the Python module volantra.price on the same rows from numpy arrays.
#   bench/batch_throughput.sh [ROWS] [PRICER]
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
rows="${1:-1000000}"
pricer="${2:-$root/build/tools/volantra-price}"
input="$(mktemp --suffix=.csv)"
trap 'rm -f "$input"' EXIT

awk -v rows="$rows" 'BEGIN {
    srand(7);
    print "screen,asset,strike,maturity,volatility,interest,dividend,dividend_interest,dividend_time";
    for (i = 0; i < rows; i++) {
        screen = (i % 2) ? "call" : "put";
        dividend = (i % 4 == 0) ? sprintf("%.2f,%d,%d", 0.5 + rand() * 2, 1 + int(rand() * 9), 1 + int(rand() * 80)) : ",,";
        printf "%s,%.2f,%.2f,%d,%d,%d,%s\n", screen, 20 + rand() * 180, 20 + rand() * 180,
            1 + int(rand() * 1000), 1 + int(rand() * 200), int(rand() * 101), dividend;
    }
}' > "$input"

# Pin to one core; GNU time reports elapsed and CPU seconds and peak resident set size.
# On a shared machine the elapsed time includes other programs' turns on that core; the
# CPU time is the pricer's own.
report="$( { /usr/bin/time -f '%e %U %S %M' taskset -c 0 "$pricer" "$input" > /dev/null; } 2>&1 | tail -1)"
read -r seconds user system peak_kib <<< "$report"
awk -v rows="$rows" -v s="$seconds" -v cpu="$(awk -v u="$user" -v k="$system" 'BEGIN { print u + k }')" \
    -v kib="$peak_kib" 'BEGIN {
    printf "%d rows in %.2f s: %.0f rows/s; CPU %.2f s: %.0f rows/s; peak memory %.1f MiB\n",
        rows, s, rows / s, cpu, rows / (cpu > 0 ? cpu : 0.01), kib / 1024
}'

# The same rows from numpy arrays through the Python module, when it is built.
module="$(dirname "$pricer")/../python"
if [[ -f "$module/volantra/__init__.py" ]]; then
    PYTHONPATH="$module" taskset -c 0 /usr/bin/python3 "$root/bench/python_throughput.py" "$input"
fi
