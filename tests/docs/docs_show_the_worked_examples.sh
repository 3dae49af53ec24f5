#!/usr/bin/env bash
# Fails when a document that shows a worked example's input row shows other digits for it
# than the worked examples table, or shows none of the examples at all.
#   docs_show_the_worked_examples.sh WORKED_EXAMPLES_CSV DOCUMENT...
set -euo pipefail
examples="$1"
shift
faults=0
for doc in "$@"; do
    shown=0
    while IFS=$'\t' read -r name inputs results; do
        grep -qF -- "$inputs" "$doc" || continue
        shown=$((shown + 1))
        if ! grep -qF -- "$results" "$doc"; then
            echo "$doc: $name shows other digits than $results"
            faults=$((faults + 1))
        fi
    done < <(awk -F, '
        NR == 1 { for (i = 1; i <= NF; ++i) at[$i] = i; next }
        {
            inputs = $(at["screen"])
            split("asset strike maturity volatility interest dividend dividend_interest " \
                  "dividend_time", names, " ")
            for (j = 1; j <= 8; ++j) inputs = inputs "," $(at[names[j]])
            results = $(at["value"])
            split("delta gamma theta vega rho", names, " ")
            for (j = 1; j <= 5; ++j) results = results "," $(at[names[j]])
            print $(at["name"]) "\t" inputs "\t" results
        }' "$examples")
    if ((shown == 0)); then
        echo "$doc: shows no worked example"
        faults=$((faults + 1))
    fi
done
if ((faults > 0)); then
    exit 1
fi
echo "every document shows the worked examples' digits"
