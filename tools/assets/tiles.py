"""The 24 background tiles (32 x 32 each, 8 across, 3 rows) and their masks.

Land and sea meet on coastlines that cross every tile side at its middle,
so coast pieces join whenever the land/sea halves of touching sides agree.
Textures repeat every 32 pixels, so equal terrain joins without seams.
"""

import math
import random

from pnglib import Image, WHITE, BLACK

T = 32

SEA = [0x0C3090, 0x1444B0, 0x2C68D8, 0x78B8F0]
SHALLOW = 0x2C70D8
FOAM = [0xD8F0F8, 0x90C8F0]
SAND = [0xF0D890, 0xD8B868]
GRASS = [0x40A030, 0x2E8428, 0x60BC44, 0x1E6820]
TREE = [0x0C4010, 0x187020, 0x38A030, 0x70D050]
ROCK = [0xC8A880, 0x8C6C48, 0x5C4430, 0x302418]
SNOW = [0xF0F0F0, 0xC0CCE0]
ASPHALT = [0x585860, 0x484850, 0x9898A0]
CONCRETE = [0x8C8C90, 0x74747C, 0xA8A8B0]
DUNE = [0xE8C878, 0xD0A858, 0xF8E0A0, 0xA88040]
METAL = [0x687890, 0x505C74, 0x8C9CB4, 0x2C3444]


def _hash(x, y, seed):
    rng = random.Random((x * 73856093) ^ (y * 19349663) ^ (seed * 83492791))
    return rng.random()


class Tile:
    def __init__(self):
        self.img = Image(T, T)
        self.opaque = [[True] * T for _ in range(T)]

    def set(self, x, y, colour):
        if 0 <= x < T and 0 <= y < T:
            self.img.set(x, y, colour)

    def clear(self, x, y):
        self.opaque[y][x] = False


# --- textures -------------------------------------------------------------

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


def grass_texture(x, y):
    h = _hash(x, y, 7)
    if h < 0.10:
        return GRASS[1]
    if h < 0.16:
        return GRASS[2]
    if h < 0.18 and _hash(x, y - 1, 7) >= 0.1:
        return GRASS[3]
    return GRASS[0]


# --- land and sea ---------------------------------------------------------

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


def coast_tile(pred):
    tile = Tile()
    for y in range(T):
        for x in range(T):
            if pred(x + 0.5, y + 0.5):
                d = _distance_to(pred, x, y, False)
                colour = SAND[0] if d == 1 else SAND[1] if d == 2 else grass_texture(x, y)
                if d == 3 and _hash(x, y, 3) < 0.5:
                    colour = GRASS[1]
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
    tile = coast_tile(pred)
    # A palm tree: trunk and a crown of fronds.
    for i, (x, y) in enumerate(((17, 20), (17, 19), (16, 18), (16, 17))):
        tile.set(x, y, 0x805028)
    for dx, dy in ((-4, -1), (-3, -2), (-2, -2), (-1, -1), (1, -1), (2, -2), (3, -2), (4, -1),
                   (-3, 1), (-2, 0), (2, 0), (3, 1), (0, -2), (0, 0), (-1, 0), (1, 0)):
        tile.set(16 + dx, 14 + dy, TREE[1] if dy >= 0 else TREE[2])
    tile.set(16, 14, TREE[0])
    return tile


# --- land terrain ---------------------------------------------------------

def grass_tile():
    tile = Tile()
    for y in range(T):
        for x in range(T):
            tile.set(x, y, grass_texture(x, y))
    return tile


def _disc(tile, cx, cy, r, colour_at):
    for y in range(int(cy - r) - 1, int(cy + r) + 2):
        for x in range(int(cx - r) - 1, int(cx + r) + 2):
            dx, dy = x + 0.5 - cx, y + 0.5 - cy
            if dx * dx + dy * dy <= r * r:
                tile.set(x, y, colour_at(dx, dy, r))


def _tree_colour(dx, dy, r):
    if dx * dx + dy * dy > (r - 1.1) ** 2 and dx + dy > 0:
        return TREE[0]
    if dx + dy < -r * 0.9:
        return TREE[3]
    if dx + dy < 0:
        return TREE[2]
    return TREE[1]


def forest_tile():
    tile = grass_tile()
    spots = [(6, 5), (16, 4), (26, 6), (11, 12), (21, 13), (5, 19), (16, 20), (27, 18),
             (9, 27), (20, 27), (29, 28)]
    for cx, cy in spots:
        _disc(tile, cx + 1.5, cy + 1.5, 4.5, lambda dx, dy, r: GRASS[3])
    for cx, cy in spots:
        _disc(tile, cx, cy, 4.6, _tree_colour)
    return tile


def rock_texture(x, y):
    h = _hash(x, y, 29)
    if h < 0.14:
        return ROCK[3]
    if h < 0.30:
        return 0x6C5C3C
    return 0x584C30


def _peak(tile, apex_x, apex_y, half_base, base_y):
    for y in range(apex_y, base_y + 1):
        spread = (y - apex_y) * half_base / (base_y - apex_y)
        for x in range(int(apex_x - spread), int(apex_x + spread) + 1):
            left = x < apex_x
            colour = ROCK[0] if left else ROCK[1]
            if y - apex_y < 5 + (x * 3 % 4) - 1:
                colour = SNOW[0] if left else SNOW[1]
            edge = abs(x - apex_x) >= spread - 1
            if edge and not left:
                colour = ROCK[3]
            elif edge or y == base_y:
                colour = ROCK[2]
            if (x * 5 + y * 3) % 9 == 0 and y - apex_y > 6:
                colour = ROCK[2]
            tile.set(x, y, colour)


def mountain_tile():
    """Rocky ground under two snow-capped peaks; mountain tiles side by
    side make one range."""
    tile = Tile()
    for y in range(T):
        for x in range(T):
            tile.set(x, y, rock_texture(x, y))
    _peak(tile, 11, 1, 11, 23)
    _peak(tile, 22, 9, 9, 29)
    return tile


def city_tile():
    tile = Tile()
    for y in range(T):
        for x in range(T):
            edge = min(x, y, T - 1 - x, T - 1 - y)
            colour = ASPHALT[0] if edge < 3 else CONCRETE[1]
            if edge == 3:
                colour = ASPHALT[2]
            if edge < 3 and (x + y) % 13 == 0:
                colour = ASPHALT[1]
            tile.set(x, y, colour)
    buildings = [(5, 5, 10, 8, 0xC87858), (17, 5, 10, 12, 0x9098B0), (5, 15, 9, 12, 0xB8B0A0),
                 (17, 20, 10, 7, 0x88A880)]
    for bx, by, w, h, roof in buildings:
        for y in range(by + 1, by + h + 1):
            for x in range(bx + 1, bx + w + 1):
                tile.set(x, y, 0x303038)
        for y in range(by, by + h):
            for x in range(bx, bx + w):
                colour = roof
                if x == bx or y == by:
                    colour = _lighten(roof)
                elif x == bx + w - 1 or y == by + h - 1:
                    colour = _darken(roof)
                elif (x - bx) % 3 == 1 and (y - by) % 3 == 1:
                    colour = 0xF8E070 if _hash(x, y, 5) < 0.4 else _darken(roof)
                tile.set(x, y, colour)
    return tile


def _lighten(c):
    return tuple_to(min(255, ch + 40) for ch in to_tuple(c))


def _darken(c):
    return tuple_to(ch * 3 // 5 for ch in to_tuple(c))


def to_tuple(c):
    return ((c >> 16) & 255, (c >> 8) & 255, c & 255)


def tuple_to(t):
    r, g, b = list(t)
    return (r << 16) | (g << 8) | b


def desert_tile():
    tile = Tile()
    for y in range(T):
        for x in range(T):
            ripple = (y + 3 * math.sin(2 * math.pi * x / T) + 2 * math.sin(4 * math.pi * x / T + 1)) % 8
            colour = DUNE[0]
            if ripple < 1:
                colour = DUNE[1]
            elif ripple < 2:
                colour = DUNE[2]
            if _hash(x, y, 17) < 0.03:
                colour = DUNE[3]
            tile.set(x, y, colour)
    return tile


def runway_tile():
    """A runway (or a highway) with concrete shoulders, so it sits on any
    ground."""
    tile = Tile()
    for y in range(T):
        for x in range(T):
            tile.set(x, y, CONCRETE[1] if (x // 8 + y // 8) % 2 else CONCRETE[0])
    for y in range(5, 27):
        for x in range(T):
            colour = ASPHALT[0] if _hash(x, y, 23) > 0.1 else ASPHALT[1]
            if y in (5, 26):
                colour = ASPHALT[1]
            if y in (7, 24):
                colour = 0xE8E8E8
            if y in (15, 16) and 4 <= x < 20:
                colour = 0xE8E8E8
            tile.set(x, y, colour)
    for x in (6, 22):
        tile.set(x, 2, 0xF8E040)
        tile.set(x, 29, 0xF8E040)
    return tile


def hangar_tile():
    tile = Tile()
    for y in range(T):
        for x in range(T):
            colour = CONCRETE[0]
            if x % 16 == 0 or y % 16 == 0:
                colour = CONCRETE[1]
            tile.set(x, y, colour)
    left, top, w, h = 4, 4, 22, 20
    for y in range(top + 2, top + h + 2):
        for x in range(left + 2, left + w + 2):
            tile.set(x, y, 0x404048)
    for y in range(top, top + h):
        for x in range(left, left + w):
            arch = abs(y - (top + h / 2 - 0.5)) / (h / 2)
            colour = 0x98A870 if arch < 0.35 else 0x788850 if arch < 0.75 else 0x505C34
            if (x - left) % 4 == 3:
                colour = _darken(colour)
            if x == left:
                colour = 0x303820
            tile.set(x, y, colour)
    for x in range(left + w, left + w + 2):
        for y in range(top + 4, top + h - 4):
            tile.set(x, y, 0x202024)
    for y in range(27, 31):
        for x in range(4, 28):
            if (x // 4) % 2 == 0:
                tile.set(x, y, 0xF0C020)
    return tile


def plate_tile():
    tile = Tile()
    for y in range(T):
        for x in range(T):
            colour = METAL[0]
            if x % 16 == 15 or y % 16 == 15:
                colour = METAL[3]
            elif x % 16 == 0 or y % 16 == 0:
                colour = METAL[2]
            elif (x % 16 in (2, 13)) and (y % 16 in (2, 13)):
                colour = METAL[2]
            tile.set(x, y, colour)
    for y in range(20, 27):
        for x in range(4, 12):
            if y % 2 == 0:
                tile.set(x, y, METAL[3])
    for x in range(19, 28):
        tile.set(x, 7, 0xE02020 if x % 2 else 0x601010)
    return tile


def turret_tile():
    """A round gun platform; its corners are transparent."""
    tile = Tile()
    for y in range(T):
        for x in range(T):
            dx, dy = x + 0.5 - 16, y + 0.5 - 16
            d = math.hypot(dx, dy)
            if d > 15.5:
                tile.set(x, y, WHITE)
                tile.clear(x, y)
                continue
            colour = METAL[0]
            if d > 14.2:
                colour = METAL[3]
            elif d > 13:
                colour = METAL[2] if dx + dy < 0 else METAL[1]
            elif d < 7.5:
                colour = 0xC04020 if dx + dy > -3 else 0xF07840
                if d > 6.5:
                    colour = 0x501008
                if d < 2.5:
                    colour = 0xF8D060
            tile.set(x, y, colour)
    for x in range(2, 12):
        for y in (15, 16, 17):
            tile.set(x, y, METAL[2] if y == 15 else METAL[3] if y == 17 else 0x404858)
    return tile


# --- the sheet ------------------------------------------------------------

TILE_NAMES = [
    "sea", "rocks", "island", "land_s", "land_n", "land_e", "land_w", "grass",
    "out_se", "out_sw", "out_ne", "out_nw", "in_nw", "in_ne", "in_sw", "in_se",
    "forest", "mountain", "city", "desert", "runway", "hangar", "plate", "turret",
]


def build_tile(name):
    preds = coast_predicates()
    makers = {
        "sea": sea_tile, "rocks": rocks_tile, "grass": grass_tile, "forest": forest_tile,
        "mountain": mountain_tile, "city": city_tile, "desert": desert_tile,
        "runway": runway_tile, "hangar": hangar_tile, "plate": plate_tile, "turret": turret_tile,
        "island": lambda: island_tile(preds["island"]),
    }
    if name in makers:
        return makers[name]()
    return coast_tile(preds[name])


def tile_sheets():
    """Returns (Maps, MapMask), each 256 x 96."""
    maps = Image(8 * T, 3 * T, WHITE)
    mask = Image(8 * T, 3 * T, WHITE)
    for index, name in enumerate(TILE_NAMES):
        tile = build_tile(name)
        left, top = (index % 8) * T, (index // 8) * T
        for y in range(T):
            for x in range(T):
                if tile.opaque[y][x]:
                    colour = tile.img.get(x, y)
                    maps.set(left + x, top + y, 0xF0F0F0 if colour == WHITE else colour)
                    mask.set(left + x, top + y, BLACK)
    return maps, mask
