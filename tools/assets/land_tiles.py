"""Land tiles: grass, forest, mountains, city, desert, runway, hangar and
the fortress pieces. Each fills its tile edge to edge, so equal tiles side
by side make one area; the turret stands on a square of armour plate."""

import math

from tile_base import (T, GRASS, TREE, ROCK, SNOW, ASPHALT, CONCRETE, DUNE, METAL, Tile, grass_texture,
                       noise, lighten, darken)


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
    h = noise(x, y, 29)
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


def _road(x, y):
    """Roads along the top and left of a city tile, dashed down the middle."""
    along_top, along_left = y < 5, x < 5
    if along_top and along_left:
        return ASPHALT[0]
    if along_top:
        return 0xE8D040 if y == 2 and x % 8 < 4 else ASPHALT[0]
    return 0xE8D040 if x == 2 and y % 8 < 4 else ASPHALT[0]


def _building(tile, left, top, w, roof_h, face_h, roof):
    """A block seen from above and a little from the south: roof, then the
    south wall with lit windows."""
    for y in range(top, top + roof_h):
        for x in range(left, left + w):
            edge = x == left or y == top
            tile.set(x, y, lighten(roof) if edge else roof)
    wall = darken(roof)
    for y in range(top + roof_h, top + roof_h + face_h):
        for x in range(left, left + w):
            lit = (x - left) % 3 == 1 and (y - top - roof_h) % 2 == 0
            tile.set(x, y, 0xF8E070 if lit and noise(x, y, 5) < 0.7 else wall)
    for y in range(top + 1, top + roof_h + face_h + 1):
        tile.set(left + w, y, 0x303038)


def city_tile():
    tile = Tile()
    for y in range(T):
        for x in range(T):
            if x < 5 or y < 5:
                colour = _road(x, y)
            elif x == 5 or y == 5:
                colour = ASPHALT[2]
            else:
                colour = CONCRETE[1]
            tile.set(x, y, colour)
    _building(tile, 8, 7, 10, 8, 6, 0x8898B8)
    _building(tile, 21, 7, 9, 5, 3, 0xC87858)
    _building(tile, 21, 19, 6, 4, 2, 0xD04030)
    _building(tile, 8, 25, 6, 3, 2, 0xB8B0A0)
    for cx, cy in ((28.5, 27.5), (17.5, 28.5)):
        _disc(tile, cx, cy, 2.6, _tree_colour)
    return tile


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
            if noise(x, y, 17) < 0.03:
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
            colour = ASPHALT[0] if noise(x, y, 23) > 0.1 else ASPHALT[1]
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
                colour = darken(colour)
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


TURRET_DECK = 0x7C8CA4


def turret_tile():
    """A round gun platform on armour plate, barrel to the left."""
    tile = plate_tile()
    for y in range(T):
        for x in range(T):
            dx, dy = x + 0.5 - 16, y + 0.5 - 16
            d = math.hypot(dx, dy)
            if d > 15.5:
                continue
            if d > 13.6:
                colour = METAL[3] if dx + dy > -4 else METAL[1]   # the ring it turns in
            elif d > 12.4:
                colour = METAL[2] if dx + dy < 0 else METAL[1]
            elif d < 7.5:
                colour = 0xC04020 if dx + dy > -3 else 0xF07840
                if d > 6.5:
                    colour = 0x501008
                if d < 2.5:
                    colour = 0xF8D060
            else:
                colour = TURRET_DECK
            tile.set(x, y, colour)
    for x in range(2, 12):
        for y in (15, 16, 17):
            tile.set(x, y, METAL[2] if y == 15 else METAL[3] if y == 17 else 0x404858)
    return tile
