#!/usr/bin/env python3
"""Measures how far apart the drawn ship and the drawn enemy are when a ram
ends a game: the ram rule compares whole sprite cells, so the pictures
decide whether a ram looks like a touch.

Plays scripted games with the headless driver (by default 90 games of
6,000 frames, seeds 1000 to 1089, the difficulty item cycling 0, 1, 2,
every other game flown by the auto-pilot and the rest by a sweeping pointer
that fires often). For every game that ends by a ram (an enemy inside the
ram box in the frame the ship is hit; slot k flies kind k) the gap is the
chessboard distance between the nearest opaque pixels of the two sprite
masks, less one, so 0 means touching or overlapping. The masks come from
the committed sheets res/PlaneBmp.png and res/EnemyBmp.png (or --res).

    tools/assets/ram_gaps.py [--driver PATH] [--res DIR] [--games N] [--list]

Run from anywhere; build the driver first (build/bin/skarbolt_driver).
Prints how the games ended, the share of rams that touch, the median and
90th percentile gap (linear between ranks) and the gaps by enemy kind.
"""

import argparse
import json
import os
import statistics
import subprocess
import sys
import tempfile
from collections import deque
from concurrent.futures import ThreadPoolExecutor

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.normpath(os.path.join(HERE, "..", ".."))
sys.path.insert(0, HERE)

from pnglib import BLACK, read_png  # noqa: E402

SHIP_W, SHIP_H = 59, 30
ENEMY_W, ENEMY_H = 60, 30


# ---- the games ----------------------------------------------------------------

def sweeping_pointer_events(frames, game):
    """A pointer that sweeps the field in a slow figure and fires often:
    a single shot every fourth frame, a volley every 45 frames."""
    events = []
    phase = game * 37
    for frame in range(1, frames):
        t = frame + phase
        x = 40 + _triangle(t, 520) * 560
        y = 8 + _triangle(t, 190) * 390
        events.append("at %d move %d %d" % (frame, x, y))
        if frame % 45 == 0:
            events.append("at %d press right" % frame)
        elif frame % 4 == 0:
            events.append("at %d press left" % frame)
    return events


def _triangle(t, period):
    """0 -> 1 -> 0 over one period."""
    position = (t % period) / period
    return 2 * position if position < 0.5 else 2 - 2 * position


def game_script(game, frames, first_seed):
    lines = ["seed %d" % (first_seed + game), "music 0", "item %d" % (game % 3),
             "frames %d" % frames, "at 0 key F1"]
    if game % 2 == 0:
        lines.append("autoplay")
    else:
        lines += sweeping_pointer_events(frames, game)
    return "\n".join(lines) + "\n"


def play(driver, data_dir, script_text):
    with tempfile.NamedTemporaryFile("w", suffix=".txt", delete=False) as f:
        f.write(script_text)
        path = f.name
    try:
        result = subprocess.run([driver, "--data", data_dir, path], stdout=subprocess.PIPE,
                                stderr=subprocess.PIPE, text=True, check=False)
    finally:
        os.unlink(path)
    if result.returncode != 0:
        raise RuntimeError("driver failed: %s" % result.stderr.strip())
    return [json.loads(line) for line in result.stdout.splitlines() if line.startswith("{")]


def in_ram_box(enemy, ship):
    return (ship["x"] - 58 <= enemy["x"] <= ship["x"] + 56 and
            ship["y"] - 26 <= enemy["y"] <= ship["y"] + 26)


def how_it_ended(frames):
    """('ram', kind, dx, dy), ('shot',) or ('alive',), dx and dy being the
    enemy's corner less the ship's in the frame of the hit."""
    for i, frame in enumerate(frames):
        if not frame["ship"]["hit"] or (i and frames[i - 1]["ship"]["hit"]):
            continue
        before = frames[i - 1]["enemies"] if i else frame["enemies"]
        ship = frame["ship"]
        for slot, enemy in enumerate(frame["enemies"]):
            # An enemy that rams and is shot down in the same frame shows
            # as inactive already.
            if (enemy["active"] or before[slot]["active"]) and in_ram_box(enemy, ship):
                return ("ram", slot + 1, enemy["x"] - ship["x"], enemy["y"] - ship["y"])
        return ("shot",)
    return ("alive",)


# ---- the masks ----------------------------------------------------------------

def mask_pixels(sheet, left, top, width, height):
    """Opaque pixels of the mask at (left, top) as (x, y) offsets."""
    return [(x, y) for y in range(height) for x in range(width) if sheet.get(left + x, top + y) == BLACK]


def load_masks(res_dir):
    plane = read_png(os.path.join(res_dir, "PlaneBmp.png"))
    enemies = read_png(os.path.join(res_dir, "EnemyBmp.png"))
    ship = mask_pixels(plane, 0, SHIP_H, SHIP_W, SHIP_H)
    kinds = {}
    for kind in range(1, 11):
        column, row = (kind - 1) // 5, (kind - 1) % 5
        kinds[kind] = mask_pixels(enemies, column * ENEMY_W, row * 2 * ENEMY_H + ENEMY_H, ENEMY_W, ENEMY_H)
    return ship, kinds


class DistanceField:
    """Chessboard distance to the nearest ship pixel over every place an
    enemy pixel can take inside the ram box (8-neighbour breadth first)."""

    def __init__(self, ship):
        self.left, self.top = -60, -30
        self.width, self.height = 60 + SHIP_W + 60 + ENEMY_W, 30 + SHIP_H + 30 + ENEMY_H
        self.dist = [[-1] * self.width for _ in range(self.height)]
        queue = deque()
        for x, y in ship:
            self.dist[y - self.top][x - self.left] = 0
            queue.append((x - self.left, y - self.top))
        while queue:
            x, y = queue.popleft()
            for dy in (-1, 0, 1):
                for dx in (-1, 0, 1):
                    nx, ny = x + dx, y + dy
                    if 0 <= nx < self.width and 0 <= ny < self.height and self.dist[ny][nx] < 0:
                        self.dist[ny][nx] = self.dist[y][x] + 1
                        queue.append((nx, ny))

    def gap(self, enemy, dx, dy):
        nearest = min(self.dist[y + dy - self.top][x + dx - self.left] for x, y in enemy)
        return max(0, nearest - 1)


# ---- the figures ----------------------------------------------------------------

def percentile(values, share):
    ordered = sorted(values)
    position = share * (len(ordered) - 1)
    low = int(position)
    high = min(low + 1, len(ordered) - 1)
    return ordered[low] + (ordered[high] - ordered[low]) * (position - low)


def report(endings, field, kinds, listing):
    rams = [(game, e) for game, e in enumerate(endings) if e[0] == "ram"]
    counts = {what: sum(1 for e in endings if e[0] == what) for what in ("ram", "shot", "alive")}
    print("games %d: %d ended by a ram, %d by a shot, %d still flying" %
          (len(endings), counts["ram"], counts["shot"], counts["alive"]))
    if not rams:
        return
    gaps = []
    by_kind = {}
    for game, (_, kind, dx, dy) in rams:
        gap = field.gap(kinds[kind], dx, dy)
        gaps.append(gap)
        by_kind.setdefault(kind, []).append(gap)
        if listing:
            print("  game %2d (%s, item %d): kind %2d at %+3d,%+3d  gap %d" %
                  (game, "bot" if game % 2 == 0 else "pointer", game % 3, kind, dx, dy, gap))
    touching = sum(1 for g in gaps if g == 0)
    print("touching %d of %d (%.0f %%), median gap %.1f px, 90th percentile %.1f px, widest %d px" %
          (touching, len(gaps), 100.0 * touching / len(gaps), statistics.median(gaps),
           percentile(gaps, 0.9), max(gaps)))
    print("by kind: " + ", ".join("%d: %s" % (k, " ".join(str(g) for g in sorted(v)))
                                  for k, v in sorted(by_kind.items())))


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--driver", default=os.path.join(ROOT, "build", "bin", "skarbolt_driver"))
    parser.add_argument("--data", default=os.path.join(ROOT, "gamedata"))
    parser.add_argument("--res", default=os.path.join(ROOT, "res"), help="folder with the sprite sheets")
    parser.add_argument("--games", type=int, default=90)
    parser.add_argument("--frames", type=int, default=6000)
    parser.add_argument("--first-seed", type=int, default=1000)
    parser.add_argument("--jobs", type=int, default=2)
    parser.add_argument("--list", action="store_true", help="one line per ram")
    args = parser.parse_args()

    ship, kinds = load_masks(args.res)
    field = DistanceField(ship)
    scripts = [game_script(game, args.frames, args.first_seed) for game in range(args.games)]
    with ThreadPoolExecutor(max_workers=args.jobs) as pool:
        endings = list(pool.map(lambda text: how_it_ended(play(args.driver, args.data, text)), scripts))
    report(endings, field, kinds, args.list)


if __name__ == "__main__":
    main()
