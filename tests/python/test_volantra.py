"""The module gives the screens' digits: the worked examples, broadcasting, refused
rows, and a random sample, each against what volantra-price answers."""

import csv
import math
import os
import pickle
import sys
import tempfile
import threading
import time
import unittest

import numpy as np
import pandas as pd

import volantra
from pricer_run import (INPUTS, RESULTS, random_rows, run_pricer, same_number,
                        shown_number, write_rows)


def number_or_nan(text):
    return float(text) if text.strip() else math.nan


def positions(ranges):
    """The positions that ranges such as "29-31 40" name."""
    found = set()
    for part in ranges.split():
        low, _, high = part.partition("-")
        found.update(range(int(low), int(high or low) + 1))
    return found


def worked_examples():
    with open(os.environ["VOLANTRA_WORKED_EXAMPLES"], encoding="utf-8") as file:
        return list(csv.DictReader(file))


def price_args(row):
    """price()'s arguments for a row of input texts."""
    return ([row["screen"]] + [number_or_nan(row[name]) for name in INPUTS[1:6]] +
            [number_or_nan(row.get(name, "")) for name in INPUTS[6:]])


class WorkedExamples(unittest.TestCase):
    def test_price_solve_and_frame_show_the_examples(self):
        examples = worked_examples()
        frame = pd.DataFrame({name.upper(): [row[name] for row in examples]
                              for name in ("name",) + INPUTS})
        framed = volantra.price_frame(frame)
        self.assertEqual(list(framed["NAME"]), [row["name"] for row in examples])
        for i, row in enumerate(examples):
            with self.subTest(row["name"]):
                args = price_args(row)
                numbers = volantra.price(*args)
                texts = volantra.price(*args, text=True)
                for name in RESULTS:
                    self.assertEqual(numbers[name], float(row[name]))
                    self.assertEqual(texts[name], row[name])
                    self.assertEqual(framed[name][i], float(row[name]))
                self.assertEqual(numbers["message"], "")
                solved = volantra.solve("volatility", *args[:4], value=float(row["value"]),
                                        interest=args[5], dividend=args[6],
                                        dividend_interest=args[7], dividend_time=args[8])
                matches = positions(solved["matches"].item())
                self.assertIn(int(row["volatility"]), matches)
                self.assertEqual(solved["position"], min(matches))
                self.assertEqual(solved["value"], float(row["value"]))


    def test_trader_units_are_the_pricers(self):
        examples = worked_examples()
        with tempfile.TemporaryDirectory() as folder:
            path = os.path.join(folder, "examples.csv")
            write_rows(path, [{name: row[name] for name in INPUTS} for row in examples])
            priced = run_pricer(path, "--units", "trader")
        frame = pd.DataFrame({name: [row[name] for row in examples] for name in INPUTS})
        framed = volantra.price_frame(frame, units="trader")
        for i, row in enumerate(examples):
            with self.subTest(row["name"]):
                numbers = volantra.price(*price_args(row), units="trader")
                for name in volantra.TRADER_RESULTS:
                    self.assertEqual(numbers[name], float(priced[i][name]))
                    self.assertEqual(framed[name][i], float(priced[i][name]))
                self.assertEqual(float(numbers["theta_per_day"]),
                                 round(float(row["theta"]) / 365, 4))


class Arrays(unittest.TestCase):
    def test_broadcast_rows_equal_the_rows_priced_alone(self):
        cases = [  # kind, asset, strike, maturity, volatility, interest, dividend row
            (np.array(["call", "put"])[:, None], np.array([90.0, 100.5, 110.25]), 100, 365,
             20, 5, None),
            ("put", np.array([[50], [60]]), 45, np.array([30, 90, 180]), 30, 6, (1, 5, 30)),
            ("call", 100, 100, 365, np.arange(1, 201), np.array([[0], [5], [100]]), None),
            ("call", 100, 100, 365, 20, 5, (np.array([np.nan, 2.0]), 5, 73)),
        ]
        for case in cases:
            with self.subTest(case=case):
                *main, dividend = case
                dividend = dividend or (None, None, None)
                got = volantra.price(*main, *dividend)
                shape = np.broadcast_shapes(*(np.shape(x) for x in (*main, *dividend)))
                for name in RESULTS + ("message",):
                    self.assertEqual(got[name].shape, shape)
                for index in np.ndindex(shape):
                    def at(x):
                        return None if x is None else np.broadcast_to(x, shape)[index]
                    alone = volantra.price(*(at(x) for x in main), *(at(x) for x in dividend))
                    for name in RESULTS:
                        self.assertTrue(same_number(got[name][index], alone[name]))
                    self.assertEqual(got["message"][index], alone["message"])

    def test_price_frame_pickles(self):
        self.assertIs(pickle.loads(pickle.dumps(volantra.price_frame)), volantra.price_frame)


class Mistakes(unittest.TestCase):
    """A missing input is an empty box; a call that cannot mean anything raises."""

    base = pd.DataFrame({"screen": ["call"], "asset": [100], "strike": [100],
                         "maturity": [365], "volatility": [20], "interest": [5]})

    def test_none_leaves_a_box_empty(self):
        cases = [  # price() arguments, the message
            ((None, 100, 100, 365, 20, 5), "Screen must be call or put"),
            (("call", None, 100, 365, 20, 5), "Enter Asset,Strike,Maturity values"),
            (("put", 100, 100, 365, 20, None), "Interest must be a whole number from 0 to 100"),
            (("call", pd.Series([None], dtype="Int64"), 100, 365, 20, 5),
             "Enter Asset,Strike,Maturity values"),
        ]
        for args, message in cases:
            with self.subTest(args=args):
                got = volantra.price(*args)
                self.assertTrue(np.isnan(got["value"]).all())
                self.assertEqual(got["message"].ravel()[0], message)

    def test_calls_that_raise(self):
        solve = volantra.solve
        cases = [  # the call, the exception, words of its message
            (lambda: solve("volatility", "call", 100, 100, 365, value=10.45, volatility=20,
                           interest=5), TypeError, "give interest, not volatility"),
            (lambda: solve("interest", "call", 100, 100, 365, value=10.45), TypeError,
             "needs the volatility position"),
            (lambda: solve("volatility", "call", 100, 100, 365, value=None, interest=5),
             TypeError, "needs the value"),
            (lambda: volantra.price_frame(self.base.assign(Asset=200)), ValueError,
             "'Asset' appears twice"),
            (lambda: volantra.price_frame(pd.concat([self.base, self.base[["strike"]]], axis=1)),
             ValueError, "'strike' appears twice"),
            (lambda: volantra.price_frame(self.base.drop(columns="maturity")), ValueError,
             "no column 'maturity'"),
            (lambda: volantra.price("call", 100, 100, 365, 20, 5, units=None), ValueError,
             'units must be "screen" or "trader", not None'),
            (lambda: volantra.price_frame(self.base, units="traders"), ValueError,
             "not 'traders'"),
        ]
        for call, error, words in cases:
            with self.subTest(words):
                with self.assertRaisesRegex(error, words):
                    call()


class AgainstThePricer(unittest.TestCase):
    """Random rows, some refused, through price, price_frame and solve."""

    @classmethod
    def setUpClass(cls):
        cls.folder = tempfile.TemporaryDirectory()
        cls.path = os.path.join(cls.folder.name, "rows.csv")
        cls.rows = random_rows(3000, seed=18)
        write_rows(cls.path, cls.rows)
        cls.priced = run_pricer(cls.path)

    @classmethod
    def tearDownClass(cls):
        cls.folder.cleanup()

    def check_rows(self, got, expected, label):
        for i, (row, want) in enumerate(zip(got, expected)):
            for name in RESULTS:
                self.assertTrue(same_number(row[name], shown_number(want[name])),
                                f"{label} row {i} {name}: {row[name]} for {want[name]}")
            self.assertEqual(row["message"], want["message"], f"{label} row {i}")

    def test_names_are_the_pricers_columns(self):
        written = tuple(run_pricer(self.path)[0])
        self.assertEqual(written, volantra.INPUTS + volantra.RESULTS + ("message",))

    def test_price_and_price_frame_answer_as_the_pricer(self):
        columns = list(zip(*(price_args(row) for row in self.rows)))
        arrays = volantra.price(*(np.array(c, dtype=object if i == 0 else float)
                                  for i, c in enumerate(columns)))
        by_row = [{name: arrays[name][i] for name in RESULTS + ("message",)}
                  for i in range(len(self.rows))]
        self.assertTrue(any(row["message"] for row in by_row))
        self.check_rows(by_row, self.priced, "price")
        for label, frame in (("numbers", pd.read_csv(self.path)),
                             ("texts", pd.read_csv(self.path, dtype=str)),
                             ("plain texts", pd.read_csv(self.path, dtype=str,
                                                         keep_default_na=False))):
            framed = volantra.price_frame(frame)
            self.check_rows(framed.to_dict("records"), self.priced, label)

    def test_solve_answers_as_the_pricer(self):
        rows = [dict(row, volatility="", value=want["value"] or "1")
                for row, want in zip(self.rows[:300], self.priced)]
        path = os.path.join(self.folder.name, "solve.csv")
        with open(path, "w", newline="", encoding="utf-8") as file:
            writer = csv.DictWriter(file, fieldnames=INPUTS + ("value",), lineterminator="\n")
            writer.writeheader()
            writer.writerows(rows)
        expected = run_pricer(path, "--solve", "volatility")
        args = list(zip(*(price_args(row) for row in rows)))
        got = volantra.solve("volatility", *(np.array(a, dtype=object if i == 0 else float)
                                             for i, a in enumerate(args[:4])),
                             value=np.array([float(row["value"]) for row in rows]),
                             interest=np.array(args[5]), dividend=np.array(args[6]),
                             dividend_interest=np.array(args[7]),
                             dividend_time=np.array(args[8]))
        for i, want in enumerate(expected):
            self.assertTrue(same_number(got["position"][i], shown_number(want["volatility"])))
            self.assertEqual(got["matches"][i], want["matches"], f"row {i}")
            self.assertEqual(got["message"][i], want["message"], f"row {i}")
            for name in RESULTS:
                self.assertTrue(same_number(got[name][i], shown_number(want[name])))


class Threads(unittest.TestCase):
    """The array and file work lets go of the interpreter, so other threads run, and price,
    meanwhile."""

    def test_another_thread_advances_during_the_array_work(self):
        rows = np.full(1_000_000, 100.0)
        folder = tempfile.TemporaryDirectory()
        self.addCleanup(folder.cleanup)
        source, target = os.path.join(folder.name, "in.csv"), os.path.join(folder.name, "out.csv")
        with open(source, "wb") as file:
            file.write(b"screen,asset,strike,maturity,volatility,interest\n" +
                       b"call,100,100,365,20,5\n" * 300_000)
        calls = [  # each long enough for a thread that is let run to be scheduled
            ("price", lambda: volantra.price("call", rows, 100, 365, 20, 5)),
            ("solve", lambda: volantra.solve("volatility", "call", rows[:5000], 100, 365,
                                             value=10.45, interest=5)),
            ("price_csv", lambda: volantra.price_csv(source, target)),
        ]
        interval = sys.getswitchinterval()
        sys.setswitchinterval(1000)  # no forced switches: only a release lets others in
        try:
            for label, call in calls:
                with self.subTest(label):
                    steps, stop = [0], threading.Event()

                    def count():
                        while not stop.is_set():
                            steps[0] += 1
                            time.sleep(0)  # lets go of the interpreter at every step

                    counter = threading.Thread(target=count)
                    counter.start()
                    while steps[0] == 0:
                        time.sleep(0.001)
                    before = steps[0]
                    call()
                    during = steps[0] - before
                    stop.set()
                    counter.join()
                    # Holding the interpreter lets a step or two through (numpy lets go of it
                    # to copy); letting go of it lets thousands through.
                    self.assertGreater(during, 100)
        finally:
            sys.setswitchinterval(interval)


if __name__ == "__main__":
    unittest.main()
