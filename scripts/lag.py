#!/usr/bin/env python3
"""Checks that dependencies point down: a file in src/ includes only headers of
its own folder or of a lower layer. The order is written once, here, and in
docs/architecture.md."""
import pathlib
import re
import sys

# Lowest first. Folders on one line are one layer: they may not include each other.
LAG = [
    ["base"],
    ["regler"],
    ["store"],
    ["fuldfoerelse", "udgiv"],
    ["db"],
    ["skoledata"],
    ["import"],
    ["analyse"],
    ["engine"],
    ["app"],
    ["cli", "ui"],
]
RANG = {mappe: i for i, lag in enumerate(LAG) for mappe in lag}

rod = pathlib.Path(__file__).resolve().parent.parent / "src"
fejl = []
for fil in sorted(rod.rglob("*")):
    if fil.suffix not in (".cpp", ".h"):
        continue
    egen = fil.relative_to(rod).parts[0]
    if egen not in RANG:
        fejl.append(f"{fil.relative_to(rod)}: mappen {egen} står ikke i scripts/lag.py")
        continue
    for nr, linje in enumerate(fil.read_text(encoding="utf-8").splitlines(), 1):
        m = re.match(r'\s*#\s*include\s+"([^"/]+)/', linje)
        if not m:
            continue
        anden = m.group(1)
        if anden == egen:
            continue
        if anden not in RANG or RANG[anden] >= RANG[egen]:
            fejl.append(f"{fil.relative_to(rod)}:{nr}: {egen} må ikke bruge {anden}")
if fejl:
    print("Afhængigheder, der ikke peger nedad:")
    print("\n".join("  " + f for f in fejl))
    sys.exit(1)
