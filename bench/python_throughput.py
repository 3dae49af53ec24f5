"""Rows per second of volantra.price on numpy arrays, on the rows of a CSV file, beside
the textbook Black-Scholes formula in plain numpy on the same rows.

    python3 bench/python_throughput.py ROWS.csv [REPEATS]

Reads the file's columns into float64 arrays (not timed), then times price() over all
rows, and over the rows without and with a dividend apart, taking the best of REPEATS
runs of CPU time. The textbook formula (float64, scipy.special.ndtr, the same value and
five Greeks, a dividend's present value taken off the asset) is what a Python user
would write without the screens' digits. Run it pinned to one core (taskset -c 0) to
measure one core.
"""

import sys
import time

import numpy as np
import pandas as pd
from scipy.special import ndtr

import volantra


def textbook(kinds, asset, strike, days, volatility, interest, dividend,
             dividend_interest, dividend_days):
    """Value, delta, gamma, theta, vega and rho by the textbook formula, in float64."""
    call = kinds == "call"
    t = days / 365.0
    r = interest / 100.0
    sigma = volatility / 100.0
    present = np.where(np.isnan(dividend), 0.0,
                       dividend * np.exp(-dividend_interest / 100.0 * dividend_days / 365.0))
    s = asset - present
    root = np.sqrt(t)
    d1 = (np.log(s / strike) + (r + 0.5 * sigma * sigma) * t) / (sigma * root)
    d2 = d1 - sigma * root
    discount = strike * np.exp(-r * t)
    density = np.exp(-0.5 * d1 * d1) / np.sqrt(2.0 * np.pi)
    n1 = ndtr(np.where(call, d1, -d1))
    n2 = ndtr(np.where(call, d2, -d2))
    sign = np.where(call, 1.0, -1.0)
    value = sign * (s * n1 - discount * n2)
    delta = np.where(call, n1, -n1)
    gamma = density / (s * sigma * root)
    theta = -s * density * sigma / (2.0 * root) - sign * r * discount * n2
    vega = s * density * root
    rho = sign * t * discount * n2
    return value, delta, gamma, theta, vega, rho


def best_seconds(function, arrays, repeats):
    """The least CPU time of `repeats` calls of function(*arrays)."""
    best = float("inf")
    for _ in range(repeats):
        start = time.process_time()
        function(*arrays)
        best = min(best, time.process_time() - start)
    return best


def main():
    path = sys.argv[1]
    repeats = int(sys.argv[2]) if len(sys.argv) > 2 else 3
    frame = pd.read_csv(path)
    kinds = frame["screen"].to_numpy(dtype=object)
    numbers = [frame[name].to_numpy(dtype=np.float64) for name in volantra.INPUTS[1:]]
    with_dividend = ~np.isnan(numbers[5])
    for label, rows in (("all rows", slice(None)), ("without dividend", ~with_dividend),
                        ("with dividend", with_dividend)):
        arrays = [kinds[rows]] + [column[rows] for column in numbers]
        count = len(arrays[0])
        seconds = best_seconds(volantra.price, arrays, repeats)
        print(f"volantra.price, {label}: {count} rows in {seconds:.3f} s CPU: "
              f"{count / seconds:.0f} rows/s")
    arrays = [kinds.astype(str)] + numbers
    seconds = best_seconds(volantra.price, [kinds] + numbers, repeats)
    textbook_seconds = best_seconds(textbook, arrays, repeats)
    count = len(kinds)
    print(f"textbook formula in numpy, all rows: {count} rows in {textbook_seconds:.3f} s CPU: "
          f"{count / textbook_seconds:.0f} rows/s; volantra.price is "
          f"{textbook_seconds / seconds:.2f} times as fast")


if __name__ == "__main__":
    main()
