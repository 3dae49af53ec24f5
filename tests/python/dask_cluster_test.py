"""The user guide's Dask recipe on a local cluster of two worker processes: a CSV file
read in several partitions, priced by volantra.price_frame on the workers and written
out, gives every number volantra-price gives on the same rows, and with text=True
every text it writes."""

import csv
import glob
import os
import tempfile
import unittest

import dask.dataframe as dd
from distributed import Client, LocalCluster

import volantra
from pricer_run import RESULTS, random_rows, run_pricer, same_number, shown_number, write_rows


def read_parts(folder, stem):
    """The rows of the files stem-0.csv, stem-1.csv, ... in order, as dicts of texts."""
    parts = sorted(glob.glob(os.path.join(folder, f"{stem}-*.csv")),
                   key=lambda name: int(name.rsplit("-", 1)[1].split(".")[0]))
    rows = []
    for part in parts:
        with open(part, encoding="utf-8") as file:
            rows.extend(csv.DictReader(file))
    return rows


class DaskCluster(unittest.TestCase):
    def test_two_workers_price_a_partitioned_file_as_the_pricer(self):
        with tempfile.TemporaryDirectory() as folder:
            path = os.path.join(folder, "rows.csv")
            write_rows(path, random_rows(20000, seed=16))
            expected = run_pricer(path)
            with LocalCluster(n_workers=2, threads_per_worker=1, processes=True,
                              dashboard_address=None) as cluster, Client(cluster) as client:
                self.assertEqual(len(client.scheduler_info()["workers"]), 2)
                frame = dd.read_csv(path, blocksize=200_000, dtype=str, keep_default_na=False)
                self.assertGreaterEqual(frame.npartitions, 4)
                priced = frame.map_partitions(volantra.price_frame)
                priced.to_csv(os.path.join(folder, "priced-*.csv"), index=False)
                texts = frame.map_partitions(volantra.price_frame, text=True)
                texts.to_csv(os.path.join(folder, "texts-*.csv"), index=False)
            self.assertEqual(read_parts(folder, "texts"), expected)
            got = read_parts(folder, "priced")
            self.assertEqual(len(got), len(expected))
            for i, (row, want) in enumerate(zip(got, expected)):
                for name in RESULTS:
                    self.assertTrue(same_number(shown_number(row[name]), shown_number(want[name])),
                                    f"row {i} {name}: {row[name]} for {want[name]}")
                self.assertEqual(row["message"], want["message"], f"row {i}")


if __name__ == "__main__":
    unittest.main()
