"""Rows per second of volantra.price on numpy arrays, on the rows of a CSV file.

    python3 bench/python_throughput.py ROWS.csv [REPEATS]

Reads the file's columns into float64 arrays (not timed), then times price() over all
rows, and over the rows without and with a dividend apart, taking the best of REPEATS
runs of CPU time. Run it pinned to one core (taskset -c 0) to measure one core.
"""

import sys
import time

import numpy as np
import pandas as pd

import volantra


def best_seconds(arrays, repeats):
    """The least CPU time of `repeats` calls of price() on the arrays."""
    best = float("inf")
    for _ in range(repeats):
        start = time.process_time()
        volantra.price(*arrays)
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
        seconds = best_seconds(arrays, repeats)
        print(f"volantra.price, {label}: {count} rows in {seconds:.3f} s CPU: "
              f"{count / seconds:.0f} rows/s")


if __name__ == "__main__":
    main()
