#!/usr/bin/python3
"""Times pandas.read_csv on the benchmark CSV the way bench_ado times Orlix:
the same file, already in the page cache, five reads, mean wall time.

Usage: pandas_read_csv.py FILE.csv [ITERATIONS]
Write the file first with: orlix-gentable 1000000 FILE.csv
"""
import sys
import time

import pandas as pd


def main():
    path = sys.argv[1]
    iterations = int(sys.argv[2]) if len(sys.argv) > 2 else 5
    pd.read_csv(path)  # warm the page cache, as the benchmark's first read does
    times = []
    for _ in range(iterations):
        start = time.perf_counter()
        frame = pd.read_csv(path)
        times.append(time.perf_counter() - start)
    rows, cols = frame.shape
    mem = frame.memory_usage(deep=True).sum() / 2**20
    print(f"pandas {pd.__version__} read_csv: {rows} rows x {cols} columns, "
          f"mean {sum(times) / len(times) * 1000:.0f} ms, min {min(times) * 1000:.0f} ms "
          f"over {iterations} reads; frame {mem:.0f} MiB")


if __name__ == "__main__":
    main()
