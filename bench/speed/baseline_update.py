#!/usr/bin/python3
"""Baseline for an update: read the file, replace one row, write a work file,
fsync it, rename it over the file, fsync the folder, then parse the new file
with the csv module as a list rebuild would.

    baseline_update.py FILE ROWINDEX RUNS   (prints wall and processor ms per run)"""
import csv
import io
import os
import sys
import time

path, index, runs = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
folder = os.path.dirname(os.path.abspath(path))
for run in range(runs):
    t = time.perf_counter()
    c = time.process_time()
    with open(path, "rb") as f:
        lines = f.read().split(b"\r\n")
    fields = next(csv.reader([lines[index].decode("cp932")]))
    fields[9] = str(run)
    lines[index] = ",".join('"%s"' % v.replace('"', '""') for v in fields).encode("cp932")
    work = path + ".tmp"
    with open(work, "wb") as f:
        f.write(b"\r\n".join(lines))
        f.flush()
        os.fsync(f.fileno())
    os.replace(work, path)
    dfd = os.open(folder, os.O_RDONLY)
    os.fsync(dfd)
    os.close(dfd)
    with open(path, "rb") as f:
        text = f.read().decode("cp932", errors="replace")
    entries = [r[0] + "\t " + r[2] for r in csv.reader(io.StringIO(text, newline="")) if len(r) > 2]
    print("%.2f %.2f" % ((time.perf_counter() - t) * 1000, (time.process_time() - c) * 1000),
          flush=True)
