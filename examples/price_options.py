"""Volantra from Python: a few options, a grid, an implied volatility, a file and a frame.

    PYTHONPATH=build/python /usr/bin/python3 examples/price_options.py

(after installing, plain `python3 examples/price_options.py`).
"""

import os
import tempfile

import numpy as np

import volantra


def main():
    # One call, as the screen shows it: asset 100, strike 100, 365 days, bars at 20 and 5.
    call = volantra.price("call", 100, 100, 365, 20, 5)
    print("call value", call["value"], "delta", call["delta"])

    # The screen's texts instead of numbers.
    print("as shown:", volantra.price("call", 100, 100, 365, 20, 5, text=True)["vega"])

    # A grid: three strikes down, the volatility bar from 10 to 40 across.
    grid = volantra.price("put", 100, np.array([[90], [100], [110]]), 365,
                          np.arange(10, 41, 10), 5)
    print("put values, strikes 90/100/110 by volatility 10..40:")
    print(grid["value"])

    # A dividend: 1 paid in 30 days, discounted at 5 %.
    with_dividend = volantra.price("call", 50, 45, 90, 30, 6, 1, 5, 30)
    print("call with dividend", with_dividend["value"])

    # A refused row keeps NaN and says why.
    refused = volantra.price("call", 100, 0, 365, 20, 5)
    print("strike 0:", refused["value"], repr(refused["message"].item()))

    # Which volatility bar position shows a value of 5.57 on the put?
    solved = volantra.solve("volatility", "put", 100, 100, 365, value=5.57, interest=5)
    print("5.57 shows at volatility", solved["position"], "matches", solved["matches"])

    # A whole CSV file, priced to the bytes volantra-price writes; the target file is
    # replaced only once every row is written.
    with tempfile.TemporaryDirectory() as folder:
        source, target = os.path.join(folder, "book.csv"), os.path.join(folder, "priced.csv")
        with open(source, "w", encoding="utf-8") as file:
            file.write("id,screen,asset,strike,maturity,volatility,interest\n"
                       "A1,call,100,100,365,20,5\nA2,put,100,0,365,20,5\n")
        print(volantra.price_csv(source, target, units="trader"))
        with open(target, encoding="utf-8") as file:
            print(file.read(), end="")

    # A pandas frame with the columns of volantra-price's CSV files; extra columns stay.
    try:
        import pandas as pd
    except ImportError:
        return
    frame = pd.DataFrame({"id": ["a", "b"], "Screen": ["call", "put"], "asset": [100, 100],
                          "strike": [100, 100], "maturity": [365, 365],
                          "volatility": [20, 20], "interest": [5, 5]})
    print(volantra.price_frame(frame)[["id", "Screen", "value", "delta", "message"]])


if __name__ == "__main__":
    main()
