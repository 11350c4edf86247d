"""Sea and coast tiles. Coastlines cross every tile side at its middle
(the wobble dies out towards the corners), so coast pieces join whenever
the land/sea halves of touching sides agree."""

import math
import random

from tile_base import (T, SEA, SHALLOW, FOAM, SAND, GRASS, TREE, ROCK, Tile, noise,
                       grass_texture)


def sea_texture(x, y):
    waves = _SEA_WAVES.get((x, y))
    return waves if waves is not None else SEA[0] if (x * 7 + y * 3) % 11 else SEA[1]


def _make_sea_waves():
    rng = random.Random(321)
    marks = {}
    for _ in range(7):
        x0, y0 = rng.randrange(T), rng.randrange(T)
        length = rng.randint(3, 5)
        for i in range(length):
            marks[((x0 + i) % T, y0)] = SEA[2]
        marks[((x0 + 1) % T, (y0 - 1) % T)] = SEA[3]
        marks[((x0 + 2) % T, (y0 - 1) % T)] = SEA[3]
    return marks


_SEA_WAVES = _make_sea_waves()


def _wobble(t):
    """Coastline offset along a side: zero at both ends, so pieces join."""
    envelope = math.sin(math.pi * t / T) ** 2
    return envelope * (2.2 * math.sin(2 * math.pi * t / T) + 1.3 * math.sin(6 * math.pi * t / T))


def _quadrant_corner(q):
    return {"NW": (0, 0), "NE": (T, 0), "SW": (0, T), "SE": (T, T)}[q]


def coast_predicates():
    """Land tests in tile coordinates (pixel centres), by tile name."""
    preds = {
        "land_s": lambda x, y: y >= T / 2 + _wobble(x),
        "land_n": lambda x, y: y < T / 2 - _wobble(x),
        "land_e": lambda x, y: x >= T / 2 + _wobble(y),
        "land_w": lambda x, y: x < T / 2 - _wobble(y),
        "island": lambda x, y: math.hypot(x - 16, y - 16) <= 9.5 + 1.2 * math.sin(3 * math.atan2(y - 16, x - 16)),
    }
    for q in ("NW", "NE", "SW", "SE"):
        cx, cy = _quadrant_corner(q)
        preds["out_" + q.lower()] = (lambda cx, cy: lambda x, y: math.hypot(x - cx, y - cy) <= T / 2)(cx, cy)
        preds["in_" + q.lower()] = (lambda cx, cy: lambda x, y: math.hypot(x - cx, y - cy) > T / 2)(cx, cy)
    return preds


def _distance_to(pred, x, y, want, limit=3):
    for d in range(1, limit + 1):
        for dy in range(-d, d + 1):
            for dx in range(-d, d + 1):
                if max(abs(dx), abs(dy)) == d and pred(x + dx + 0.5, y + dy + 0.5) == want:
                    return d
    return limit + 1


# Land beside water: a wide sandy beach, then grass taking over in ragged
# tufts, so a lake reads as an oasis with a sandy rim and a coast as a beach.
# The far edge of every coast tile is plain grass, which joins the grass,
# forest and city tiles beside it.
BEACH = 8
SCRUB = 12


def _land_distances(pred, reach):
    """Distance from every land pixel of the tile to the nearest water
    pixel (pixel centres), looking past the tile's sides; None where the
    water is farther than reach."""
    water = [(x, y) for y in range(-reach, T + reach) for x in range(-reach, T + reach)
             if not pred(x + 0.5, y + 0.5)]
    out = {}
    for y in range(T):
        for x in range(T):
            if not pred(x + 0.5, y + 0.5):
                continue
            near = [math.hypot(x - wx, y - wy) for wx, wy in water
                    if abs(x - wx) <= reach and abs(y - wy) <= reach]
            out[(x, y)] = min(near) if near else None
    return out


def _land_colour(x, y, d, beach, scrub):
    if d is None or d > scrub:
        return grass_texture(x, y)
    if d < 1.5:
        return SAND[1]
    if d <= beach:
        return SAND[1] if noise(x, y, 11) < 0.06 else SAND[0]
    sand_share = (scrub - d) / (scrub - beach)
    if noise(x, y, 13) < sand_share:
        return SAND[0]
    return GRASS[1] if noise(x, y, 3) < 0.5 else grass_texture(x, y)


def coast_tile(pred, beach=BEACH, scrub=SCRUB):
    tile = Tile()
    distances = _land_distances(pred, scrub + 1)
    for y in range(T):
        for x in range(T):
            if (x, y) in distances:
                colour = _land_colour(x, y, distances[(x, y)], beach, scrub)
            else:
                d = _distance_to(pred, x, y, True)
                colour = FOAM[0] if d == 1 else FOAM[1] if d == 2 else SHALLOW if d == 3 else sea_texture(x, y)
            tile.set(x, y, colour)
    return tile


def sea_tile():
    tile = Tile()
    for y in range(T):
        for x in range(T):
            tile.set(x, y, sea_texture(x, y))
    return tile


def rocks_tile():
    """Open sea with a few rocks breaking the surface."""
    tile = sea_tile()
    for cx, cy, r in ((11, 12, 4.2), (20, 19, 3.2), (9, 22, 2.2)):
        for y in range(T):
            for x in range(T):
                d = math.hypot(x + 0.5 - cx, y + 0.5 - cy)
                if d <= r:
                    lit = (x - cx) + (y - cy) < -1
                    tile.set(x, y, ROCK[1] if lit else ROCK[2])
                    if d > r - 1.2 and (x - cx) + (y - cy) > 1:
                        tile.set(x, y, ROCK[3])
                elif d <= r + 1.2:
                    tile.set(x, y, FOAM[0])
                elif d <= r + 2.2:
                    tile.set(x, y, FOAM[1] if (x + y) % 2 else SHALLOW)
    return tile


def island_tile(pred):
    tile = coast_tile(pred, beach=3, scrub=6)
    # A palm tree: trunk and a crown of fronds.
    for x, y in ((17, 20), (17, 19), (16, 18), (16, 17)):
        tile.set(x, y, 0x805028)
    for dx, dy in ((-4, -1), (-3, -2), (-2, -2), (-1, -1), (1, -1), (2, -2), (3, -2), (4, -1),
                   (-3, 1), (-2, 0), (2, 0), (3, 1), (0, -2), (0, 0), (-1, 0), (1, 0)):
        tile.set(16 + dx, 14 + dy, TREE[1] if dy >= 0 else TREE[2])
    tile.set(16, 14, TREE[0])
    return tile
