#!/usr/bin/env python3
"""Builds the stage files gamedata/Data/Stage1.dat .. Stage7.dat from the
text maps in maps/ (one character per tile, see maps/legend.txt).

A stage file is: columns (1 byte), rows (1 byte), one unused byte (0), then
rows x columns tile codes, row by row from the top. The build stops with a
message when a map is malformed or a coastline does not join.
"""

import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
MAP_DIR = os.path.join(HERE, "maps")
DATA_DIR = os.path.normpath(os.path.join(HERE, "..", "..", "gamedata", "Data"))
STAGES = 7
ROWS = 13
MAX_COLUMNS = 99

# Land (L) or sea (S) in the NW, NE, SW, SE quarters of each coast piece;
# every other tile is all land or all sea, and a few join anything.
QUARTERS = {
    "x": "SSLL", "w": "LLSS", "d": "SLSL", "a": "LSLS",
    "c": "SSSL", "z": "SSLS", "e": "SLSS", "q": "LSSS",
    "Q": "SLLL", "E": "LSLL", "Z": "LLSL", "C": "LLLS",
    "~": "SSSS", "*": "SSSS", "o": "SSSS",
    ",": "LLLL", "T": "LLLL", "M": "LLLL", "#": "LLLL", ":": "LLLL", "=": "LLLL", "H": "LLLL",
}


class MapError(Exception):
    pass


def load_legend():
    legend = {}
    with open(os.path.join(MAP_DIR, "legend.txt"), encoding="utf-8") as f:
        for line in f:
            if line.startswith(";") or not line.strip():
                continue
            char, code = line[0], int(line[2:].split()[0])
            legend[char] = code
    return legend


def read_map(path):
    with open(path, encoding="utf-8") as f:
        rows = [ln.rstrip("\n") for ln in f if not ln.startswith(";")]
    return [r for r in rows if r]


def check_map(rows, legend, name):
    if len(rows) != ROWS:
        raise MapError("%s: %d rows, want %d" % (name, len(rows), ROWS))
    width = len(rows[0])
    if not 20 <= width <= MAX_COLUMNS:
        raise MapError("%s: %d columns, want 20 to %d" % (name, width, MAX_COLUMNS))
    for i, row in enumerate(rows):
        if len(row) != width:
            raise MapError("%s row %d: %d columns, want %d" % (name, i + 1, len(row), width))
        for j, ch in enumerate(row):
            if ch not in legend:
                raise MapError("%s row %d column %d: unknown character %r" % (name, i + 1, j + 1, ch))
    for i, row in enumerate(rows):
        for j, ch in enumerate(row):
            here = QUARTERS.get(ch)
            if here is None:
                continue
            right = QUARTERS.get(row[j + 1]) if j + 1 < width else None
            if right and (here[1] != right[0] or here[3] != right[2]):
                raise MapError("%s row %d columns %d-%d: coast does not join (%s%s)"
                               % (name, i + 1, j + 1, j + 2, ch, row[j + 1]))
            below = QUARTERS.get(rows[i + 1][j]) if i + 1 < len(rows) else None
            if below and (here[2] != below[0] or here[3] != below[1]):
                raise MapError("%s rows %d-%d column %d: coast does not join (%s over %s)"
                               % (name, i + 1, i + 2, j + 1, ch, rows[i + 1][j]))


def encode(rows, legend):
    data = bytearray((len(rows[0]), len(rows), 0))
    for row in rows:
        data += bytes(legend[ch] for ch in row)
    return bytes(data)


def stage_rows(stage):
    return read_map(os.path.join(MAP_DIR, "stage%d.txt" % stage))


def main():
    legend = load_legend()
    os.makedirs(DATA_DIR, exist_ok=True)
    try:
        for stage in range(1, STAGES + 1):
            rows = stage_rows(stage)
            check_map(rows, legend, "stage%d.txt" % stage)
            with open(os.path.join(DATA_DIR, "Stage%d.dat" % stage), "wb") as f:
                f.write(encode(rows, legend))
            print("gamedata/Data/Stage%d.dat %d x %d" % (stage, len(rows[0]), len(rows)))
    except MapError as err:
        sys.exit("maps.py: %s" % err)


if __name__ == "__main__":
    main()
