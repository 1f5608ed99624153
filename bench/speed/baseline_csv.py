#!/usr/bin/python3
"""Baseline: decode a CP932 recipe file and parse it with the csv module,
building the list text (field 1, TAB, a blank, field 3) of every row."""
import csv
import io
import sys

with open(sys.argv[1], "rb") as f:
    text = f.read().decode("cp932", errors="replace")
entries = []
for n, fields in enumerate(csv.reader(io.StringIO(text, newline=""))):
    if n == 0 or not fields or fields[0].startswith("@"):
        continue
    entries.append((n, fields[0] + "\t " + (fields[2] if len(fields) > 2 else "")))
print(len(entries))
