"""volantra.price_csv writes the very bytes volantra-price writes, counts what its exit
status says, refuses what it refuses in its words, and leaves a target path as it was
when a run fails."""

import csv
import io
import os
import shutil
import tempfile
import unittest

import volantra
from pricer_run import INPUTS, pricer_bytes, random_rows, write_rows

HEADER = ",".join(INPUTS) + "\n"


def write(path, data):
    with open(path, "wb") as file:
        file.write(data)
    return path


def read(path):
    with open(path, "rb") as file:
        return file.read()


def examples():
    with open(os.environ["VOLANTRA_WORKED_EXAMPLES"], encoding="utf-8") as file:
        return list(csv.DictReader(file))


def table(rows, names, delimiter=","):
    """CSV text of `rows` (dicts) in the columns `names`."""
    text = io.StringIO()
    writer = csv.DictWriter(text, fieldnames=names, delimiter=delimiter, lineterminator="\n",
                            extrasaction="ignore")
    writer.writeheader()
    writer.writerows(rows)
    return text.getvalue().encode()


def records(data, delimiter):
    """The records of CSV bytes after the header, blank lines left out, as dicts."""
    return list(csv.DictReader(io.StringIO(data.decode("utf-8-sig"), newline=""),
                               delimiter=delimiter))


class Files(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.folder = tempfile.mkdtemp()
        named = [dict(row, id=row["name"]) for row in examples()]
        book = ("\ufeffid;screen;asset;strike;maturity;volatility;interest;note\r\n"
                "A1;call;100,5;100;365;20;5;hedge\r\nA2;put;50;45;90;30;6;\"a;b\"\r\n"
                "A3;call;100;100;365;20;abc;check\r\n;;;;;;;\r\n")
        ids = ("id,screen,asset,strike,maturity,volatility,interest,dividend,dividend_interest,"
               "dividend_time,note\n7,call,50,45,90,30,6,1,5,30,\"say \"\"hi\"\"\"\n"
               ",,,,,,,,,,\n\n8,put,100,100,365,20,5,1,,,\n9,call,1\n")
        cls.files = {
            "examples.csv": table(named, ("id",) + INPUTS),
            "quotes.csv": table(named, ("id",) + INPUTS[:4] + INPUTS[5:] + ("value",)),
            "book.csv": book.encode(),
            "ids.csv": ids.encode(),
            "random.csv": table(random_rows(3000, seed=31), INPUTS),
        }
        for name, data in cls.files.items():
            write(os.path.join(cls.folder, name), data)

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.folder)

    def path(self, name):
        return os.path.join(self.folder, name)

    def test_files_and_options_give_the_pricers_bytes_and_counts(self):
        cases = [  # file, price_csv's options, the command line's
            ("examples.csv", {}, []),
            ("examples.csv", {"units": "trader", "full": True}, ["--units", "trader", "--full"]),
            ("examples.csv", {"sweep": ["asset=90:110:10", "volatility=19:21"]},
             ["--sweep", "asset=90:110:10", "--sweep", "volatility=19:21"]),
            ("quotes.csv", {"solve": "volatility"}, ["--solve", "volatility"]),
            ("book.csv", {}, []),
            ("book.csv", {"sweep": "interest=0:10:5", "jobs": 2},
             ["--sweep", "interest=0:10:5", "--jobs", "2"]),
            ("ids.csv", {}, []),
            ("ids.csv", {"delimiter": ","}, ["--delimiter", ","]),
            ("random.csv", {"jobs": 0}, ["--jobs", "0"]),
        ]
        target = self.path("priced.csv")
        for name, options, arguments in cases:
            with self.subTest(name, options=options):
                status, expected, _ = pricer_bytes(self.path(name), *arguments)
                summary = volantra.price_csv(self.path(name), target, **options)
                self.assertEqual(read(target), expected)
                delimiter = ";" if name == "book.csv" else ","
                written = records(expected, delimiter)
                self.assertEqual(summary, (
                    len(records(self.files[name], delimiter)),
                    sum(1 for row in written if row["value"]),
                    sum(1 for row in written if row["message"])))
                self.assertEqual(summary.rows_with_message == 0, status == 0)

    def test_file_objects_give_the_same_bytes(self):
        _, expected, _ = pricer_bytes(self.path("book.csv"))

        class OnlyRead:  # no readinto, and a few bytes a call
            def __init__(self, data):
                self.data = io.BytesIO(data)

            def read(self, size):
                return self.data.read(min(size, 7))

        sources = [
            ("a file", lambda: open(self.path("book.csv"), "rb")),
            ("bytes in memory", lambda: io.BytesIO(self.files["book.csv"])),
            ("read only", lambda: OnlyRead(self.files["book.csv"])),
        ]
        for label, source in sources:
            with self.subTest(label):
                target = io.BytesIO()
                volantra.price_csv(source(), target)
                self.assertEqual(target.getvalue(), expected)

    def test_refused_files_raise_the_pricers_words_and_keep_the_target(self):
        needed = b"screen,asset,strike,maturity,volatility,interest\n"
        cases = [  # input, price_csv's options, the command line's
            (b"screen;asset\n", {}, []),
            (b"", {}, []),
            (read(os.environ["VOLANTRA_WORKED_EXAMPLES"]), {}, []),
            (needed + b"call,100,100,365,20,5\ncall,\"100,100,365,20,5\n", {}, []),
            (needed, {"sweep": "volatility=0:10"}, ["--sweep", "volatility=0:10"]),
            (needed, {"solve": "volatility", "sweep": "asset=1:2"},
             ["--solve", "volatility", "--sweep", "asset=1:2"]),
            (needed, {"units": "traders"}, ["--units", "traders"]),
        ]
        with tempfile.TemporaryDirectory() as folder:
            source, target = os.path.join(folder, "in.csv"), os.path.join(folder, "out.csv")
            for data, options, arguments in cases:
                with self.subTest(data[:30], options=options):
                    write(source, data)
                    write(target, b"old\n")
                    status, _, message = pricer_bytes(source, *arguments)
                    self.assertEqual(status, 2)
                    words = message.strip().removeprefix("volantra-price: ")
                    with self.assertRaises(ValueError) as caught:
                        volantra.price_csv(source, target, **options)
                    self.assertEqual(str(caught.exception),
                                     words.removesuffix("; see volantra-price --help"))
                    self.assertEqual(read(target), b"old\n")
                    self.assertEqual(sorted(os.listdir(folder)), ["in.csv", "out.csv"])

    def test_calls_that_raise(self):
        source = self.path("examples.csv")

        class Failing(io.RawIOBase):
            def readinto(self, buffer):
                raise ConnectionError("the store went away")

            def write(self, data):
                raise ConnectionError("the store is full")

        cases = [  # source, target, options, the exception, words of its text
            (source, self.path("no such folder/out.csv"), {}, FileNotFoundError, "no such"),
            (source, self.folder, {}, IsADirectoryError, "Is a directory"),
            (self.path("missing.csv"), io.BytesIO(), {}, FileNotFoundError, "missing.csv"),
            (self.folder, io.BytesIO(), {}, IsADirectoryError, "Is a directory"),
            (Failing(), io.BytesIO(), {}, ConnectionError, "went away"),
            (source, Failing(), {}, ConnectionError, "is full"),
            (io.StringIO("screen"), io.BytesIO(), {}, TypeError, "binary"),
            (12, io.BytesIO(), {}, TypeError, "not int"),
            (source, io.BytesIO(), {"solve": 1}, TypeError, "solve must be a str"),
            (source, io.BytesIO(), {"jobs": -1}, ValueError, "--jobs takes a number"),
        ]
        for source_, target, options, error, words in cases:
            with self.subTest(words):
                with self.assertRaisesRegex(error, words):
                    volantra.price_csv(source_, target, **options)
        self.assertEqual(sorted(os.listdir(self.folder)), sorted(self.files))


if __name__ == "__main__":
    unittest.main()
