"""The user guide's Dask recipes on a local cluster of two worker processes. Files mapped
to volantra.price_csv come out with the very bytes volantra-price writes, also when a
worker is killed in the middle of one. A CSV file read in several partitions, priced by
volantra.price_frame on the workers and written out, gives every number volantra-price
gives on the same rows, and with text=True every text it writes."""

import csv
import glob
import os
import signal
import tempfile
import time
import unittest

import dask.dataframe as dd
from distributed import Client, LocalCluster

import volantra
from pricer_run import (INPUTS, RESULTS, pricer_bytes, random_rows, run_pricer, same_number,
                        shown_number, write_rows)


def write_files(folder, count, rows):
    """`count` CSV files of `rows` rows each, an id column naming file and row; their paths
    and the paths to price them to."""
    sample = [",".join(row[name] for name in INPUTS) for row in random_rows(1000, seed=8)]
    sources, targets = [], []
    for k in range(count):
        sources.append(os.path.join(folder, f"options-{k}.csv"))
        targets.append(os.path.join(folder, f"priced-{k}.csv"))
        with open(sources[-1], "w", encoding="utf-8") as file:
            file.write("id," + ",".join(INPUTS) + "\n")
            file.writelines(f"{k}-{i},{sample[i % len(sample)]}\n" for i in range(rows))
    return sources, targets


def two_workers():
    return LocalCluster(n_workers=2, threads_per_worker=1, processes=True,
                        dashboard_address=None)


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
    def check_targets(self, sources, targets, summaries):
        for source, target, summary in zip(sources, targets, summaries):
            with open(target, "rb") as file:
                self.assertEqual(file.read(), pricer_bytes(source)[1], target)
            with open(source, encoding="utf-8") as file:
                self.assertEqual(summary.rows_read, sum(1 for _ in file) - 1)

    def test_two_workers_price_files_as_the_pricer(self):
        with tempfile.TemporaryDirectory() as folder:
            sources, targets = write_files(folder, 6, 5000)
            with two_workers() as cluster, Client(cluster) as client:
                summaries = client.gather(client.map(volantra.price_csv, sources, targets))
            self.check_targets(sources, targets, summaries)

    def test_a_worker_killed_in_a_file_leaves_every_target_whole(self):
        with tempfile.TemporaryDirectory() as folder:
            sources, targets = write_files(folder, 4, 400_000)
            with two_workers() as cluster, Client(cluster) as client:
                pids = client.run(os.getpid)
                futures = client.map(volantra.price_csv, sources, targets)
                by_key = {future.key: target for future, target in zip(futures, targets)}
                victim, target = self.worker_in_a_file(client, folder, by_key)
                os.kill(pids[victim], signal.SIGKILL)
                self.assertFalse(os.path.exists(target))  # not half-written in its place
                summaries = client.gather(futures)
            # The file it was writing is whole all the same, priced again; its temporary
            # file is what is left of the killed run.
            self.check_targets(sources, targets, summaries)
            left = [name for name in os.listdir(folder) if name.startswith(".priced-")]
            self.assertEqual(len(left), 1, left)

    def worker_in_a_file(self, client, folder, by_key):
        """A worker that has begun writing a file and is far from its end, and the file."""
        deadline = time.monotonic() + 60
        while time.monotonic() < deadline:
            begun = {name.split(".")[1] for name in os.listdir(folder)
                     if name.startswith(".priced-")
                     and os.path.getsize(os.path.join(folder, name)) < 4_000_000}
            for address, keys in client.processing().items():
                for key in keys:
                    if os.path.basename(by_key[key]).split(".")[0] in begun:
                        return address, by_key[key]
            time.sleep(0.002)
        self.fail("no worker began a file")

    def test_two_workers_price_a_partitioned_file_as_the_pricer(self):
        with tempfile.TemporaryDirectory() as folder:
            path = os.path.join(folder, "rows.csv")
            write_rows(path, random_rows(20000, seed=16))
            expected = run_pricer(path)
            with two_workers() as cluster, Client(cluster) as client:
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
