"""Rows per second of whole files: volantra-price on one and two threads, against
volantra.price_csv mapped over the files on a Dask cluster of one and of two single-thread
workers, and the frame recipe (dd.read_csv ... map_partitions(price_frame)); then the
memory a worker takes for one long file.

    PYTHONPATH=build/python /usr/bin/python3 bench/files_throughput.py \
        [--pricer build/tools/volantra-price] [--files 16] [--rows 250000] [--long 4000000]

The files have an id column, and a dividend in every fourth row. Each way writes every
file to a new target of its own (volantra-price with --output, so both save the file
before renaming it), twice, and the faster time counts (the frame recipe runs once). One core: volantra-price pinned with taskset, and the one worker pinned to
the same core (its scheduler and this client run beside it). Wall time, on a machine
others may be using: run it when the machine is quiet, or twice.
"""

import argparse
import os
import subprocess
import tempfile
import time

from distributed import Client, LocalCluster

import volantra

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))

# One option a row, a dividend in every fourth; seeded per file.
ROWS_PROGRAM = r"""BEGIN {
    srand(seed);
    print "id,screen,asset,strike,maturity,volatility,interest,dividend,dividend_interest,dividend_time";
    for (i = 0; i < rows; i++) {
        screen = (i % 2) ? "call" : "put";
        dividend = (i % 4 == 0) ? sprintf("%.2f,%d,%d", 0.5 + rand() * 2, 1 + int(rand() * 9), 1 + int(rand() * 80)) : ",,";
        printf "F%d-%d,%s,%.2f,%.2f,%d,%d,%d,%s\n", seed, i, screen, 20 + rand() * 180,
            20 + rand() * 180, 1 + int(rand() * 1000), 1 + int(rand() * 200), int(rand() * 101), dividend;
    }
}"""


def write_files(folder, count, rows, stem):
    """`count` files of `rows` rows; their paths and targets beside them."""
    sources, targets = [], []
    for k in range(count):
        sources.append(os.path.join(folder, f"{stem}-{k}.csv"))
        targets.append(os.path.join(folder, f"priced-{stem}-{k}.csv"))
        with open(sources[-1], "wb") as file:
            subprocess.run(["awk", "-v", f"rows={rows}", "-v", f"seed={k + 1}", ROWS_PROGRAM],
                           stdout=file, check=True)
    return sources, targets


def timed(label, rows, run, targets=(), repeats=2):
    """Runs `run` `repeats` times, each time with none of `targets` there before; prints and
    returns the best rows per second of wall time."""
    best = float("inf")
    for _ in range(repeats):
        for target in targets:
            if os.path.exists(target):
                os.remove(target)
        start = time.perf_counter()
        run()
        best = min(best, time.perf_counter() - start)
    print(f"{label:<44} {rows / best / 1e6:6.2f} M rows/s  ({best:.2f} s)", flush=True)
    return rows / best


def pricer(program, jobs, sources, targets, pin):
    """volantra-price on each file in turn."""
    prefix = ["taskset", "-c", "0"] if pin else []
    for source, target in zip(sources, targets):
        subprocess.run(prefix + [program, "--jobs", str(jobs), "-o", target, source], check=False)


def pin_to_first_core():
    """Pins every thread of this process, and so those it starts, to the first core."""
    for thread in os.listdir("/proc/self/task"):
        os.sched_setaffinity(int(thread), {0})


def on_cluster(workers, work, pin=False):
    """`work(client)` on a warm local cluster of `workers` single-thread worker processes,
    pinned to the first core with `pin`."""
    with LocalCluster(n_workers=workers, threads_per_worker=1, processes=True,
                      dashboard_address=None) as cluster, Client(cluster) as client:
        client.run(lambda: __import__("volantra"))  # imported before the clock starts
        if pin:
            client.run(pin_to_first_core)
        return work(client)


def cluster_rows_per_second(label, workers, rows, sources, targets, pin=False):
    def work(client):
        return timed(label, rows, lambda: client.gather(
            client.map(volantra.price_csv, sources, targets, pure=False)), targets)
    return on_cluster(workers, work, pin)


def frame_rows_per_second(rows, sources, folder):
    import dask.dataframe as dd  # pylint: disable=import-outside-toplevel

    def work(client):
        def run():
            frame = dd.read_csv(sources, dtype=str, keep_default_na=False)
            frame.map_partitions(volantra.price_frame, text=True).to_csv(
                os.path.join(folder, "framed-*.csv"), index=False)
        return timed("frame recipe, 2 workers", rows, run, repeats=1)
    return on_cluster(2, work)


def worker_memory(source, target):
    """In the worker: its resident memory before, and its peak while pricing `source`."""
    def status(field):
        with open("/proc/self/status", encoding="ascii") as file:
            return next(int(line.split()[1]) for line in file if line.startswith(field))

    before = status("VmRSS:")
    with open("/proc/self/clear_refs", "w", encoding="ascii") as file:
        file.write("5")  # the peak starts again from here
    volantra.price_csv(source, target)
    return before, status("VmHWM:")


def memory(program, folder, rows):
    """Peak memory for one file of `rows` rows: volantra-price's, and a worker's growth."""
    (source,), (target,) = write_files(folder, 1, rows, "long")
    timing = subprocess.run(["/usr/bin/time", "-f", "%M", program, "-o", target, source],
                            capture_output=True, text=True, check=False)
    print(f"volantra-price, {rows} rows: peak {int(timing.stderr.split()[-1]) / 1024:.1f} MiB")
    before, peak = on_cluster(1, lambda client: client.submit(
        worker_memory, source, target, pure=False).result())
    print(f"price_csv in a worker, {rows} rows: {before / 1024:.1f} MiB before, peak "
          f"{peak / 1024:.1f} MiB, {(peak - before) / 1024:.1f} MiB more")


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--pricer", default=os.path.join(ROOT, "build/tools/volantra-price"))
    parser.add_argument("--files", type=int, default=16)
    parser.add_argument("--rows", type=int, default=250_000)
    parser.add_argument("--long", type=int, default=4_000_000)
    parser.add_argument("--no-frames", action="store_true", help="leave out the frame recipe")
    options = parser.parse_args()
    with tempfile.TemporaryDirectory() as folder:
        sources, targets = write_files(folder, options.files, options.rows, "options")
        rows = options.files * options.rows
        print(f"{options.files} files of {options.rows} rows, {os.cpu_count()} cores")
        one = timed("volantra-price --jobs 1, 1 core", rows,
                    lambda: pricer(options.pricer, 1, sources, targets, pin=True), targets)
        two = timed("volantra-price --jobs 2", rows,
                    lambda: pricer(options.pricer, 2, sources, targets, pin=False), targets)
        single = cluster_rows_per_second("price_csv, 1 worker on 1 core", 1, rows, sources,
                                         targets, pin=True)
        double = cluster_rows_per_second("price_csv, 2 workers", 2, rows, sources, targets)
        print(f"1 worker / volantra-price on 1 core: {single / one:.2f}; 2 workers / 1 worker: "
              f"{double / single:.2f}; 2 workers / volantra-price --jobs 2: {double / two:.2f}")
        if not options.no_frames:
            frame_rows_per_second(rows, sources, folder)
        memory(options.pricer, folder, options.long)


if __name__ == "__main__":
    main()
