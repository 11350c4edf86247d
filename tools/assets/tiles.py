"""The 24 background tiles (32 x 32 each, 8 across, 3 rows) and their
masks. Textures repeat every 32 pixels, so equal terrain joins without
seams."""

import coast_tiles
import land_tiles
from pnglib import Image, WHITE, BLACK
from tile_base import T

TILE_NAMES = [
    "sea", "rocks", "island", "land_s", "land_n", "land_e", "land_w", "grass",
    "out_se", "out_sw", "out_ne", "out_nw", "in_nw", "in_ne", "in_sw", "in_se",
    "forest", "mountain", "city", "desert", "runway", "hangar", "plate", "turret",
]


def build_tile(name):
    preds = coast_tiles.coast_predicates()
    if name == "island":
        return coast_tiles.island_tile(preds["island"])
    if name in preds:
        return coast_tiles.coast_tile(preds[name])
    if name in ("sea", "rocks"):
        return getattr(coast_tiles, name + "_tile")()
    return getattr(land_tiles, name + "_tile")()


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
