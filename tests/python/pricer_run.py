"""What volantra-price answers on a CSV file, for comparing the module with it."""

import csv
import math
import os
import random
import subprocess

from volantra import INPUTS, RESULTS  # the names of the pricer's columns, from its own table


def run_pricer(path, *options):
    """volantra-price's output rows on the file at `path`, as dicts of texts."""
    done = subprocess.run([os.environ["VOLANTRA_PRICE"], *options, path],
                          capture_output=True, text=True, check=False)
    if done.returncode not in (0, 1):
        raise RuntimeError(done.stderr)
    return list(csv.DictReader(done.stdout.splitlines()))


def pricer_bytes(path, *options):
    """volantra-price on the file at `path`: its exit status, output bytes and message line."""
    done = subprocess.run([os.environ["VOLANTRA_PRICE"], *options, path],
                          capture_output=True, check=False)
    return done.returncode, done.stdout, done.stderr.decode()


def shown_number(text):
    """The number a result text reads as; NaN for an empty box."""
    return float(text) if text else math.nan


def same_number(a, b):
    """Equal doubles, or both NaN."""
    return a == b or (math.isnan(a) and math.isnan(b))


def random_rows(count, seed):
    """Rows of input texts, each a number's repr or empty, with some the pricer refuses."""
    rng = random.Random(seed)
    rows = []
    for i in range(count):
        row = {
            "screen": rng.choice(("call", "put")),
            "asset": repr(round(rng.uniform(1, 300), rng.choice((0, 2, 6)))),
            "strike": repr(rng.uniform(1, 300)),
            "maturity": repr(float(rng.randint(1, 2000))),
            "volatility": str(rng.randint(1, 200)),
            "interest": str(rng.randint(0, 100)),
            "dividend": "", "dividend_interest": "", "dividend_time": "",
        }
        if i % 3 == 0:
            row.update(dividend=repr(rng.uniform(0, 5)),
                       dividend_interest=repr(rng.uniform(0, 10)),
                       dividend_time=str(rng.randint(1, 400)))
        if i % 17 == 0:  # a refused, incomplete or unusual row
            row[rng.choice(INPUTS[1:])] = rng.choice(
                ("", "0", "-0.0", "-5", "20.5", "365.25", "0.015", "1e+39", "1e+308"))
        if i % 101 == 0:
            row["screen"] = rng.choice(("Put", " call", "swap"))
        rows.append(row)
    return rows


def write_rows(path, rows):
    """Writes rows of input texts as a CSV file volantra-price reads."""
    with open(path, "w", newline="", encoding="utf-8") as file:
        writer = csv.DictWriter(file, fieldnames=INPUTS, lineterminator="\n")
        writer.writeheader()
        writer.writerows(rows)
