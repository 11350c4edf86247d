#!/usr/bin/env python3
"""Draws the desktop icons into desktop/icons/<size>.png (8-bit RGBA).

The drawing is the program icon's pixel art (sprites/icon.txt): its night
sky becomes a tile with rounded corners on a transparent ground. Sizes that
are whole multiples of the art are scaled without smoothing, the others by
averaging the art's pixels under each icon pixel (premultiplied alpha), so
every size keeps the crisp look.
"""

import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)

import pixelart  # noqa: E402
from pnglib import encode_rgba_png  # noqa: E402

ICON_DIR = os.path.normpath(os.path.join(HERE, "..", "..", "desktop", "icons"))
SIZES = (16, 24, 32, 48, 64, 128, 256)
ART = 32
CORNER = 5  # radius of the tile's corners, in art pixels


def _inside_tile(x, y):
    """True for art pixels of the rounded tile; its black border is the art's frame."""
    lo, hi = 0, ART - 1
    if not (lo <= x <= hi and lo <= y <= hi):
        return False
    cx = min(max(x, lo + CORNER), hi - CORNER)
    cy = min(max(y, lo + CORNER), hi - CORNER)
    return (x - cx) ** 2 + (y - cy) ** 2 <= CORNER * CORNER


def art_pixels():
    """The 32 x 32 art as (r, g, b, a) tuples."""
    sprite = pixelart.load("icon")
    out = []
    for y in range(ART):
        for x in range(ART):
            if not _inside_tile(x, y):
                out.append((0, 0, 0, 0))
                continue
            colour = pixelart.colour_of(sprite.palette[sprite.char(x, y)], "grey")
            out.append(((colour >> 16) & 255, (colour >> 8) & 255, colour & 255, 255))
    return out


def _overlap(lo, hi, cell):
    return max(0.0, min(hi, cell + 1) - max(lo, cell))


def resample(art, size):
    """Box-filtered `size` x `size` version of the art."""
    scale = ART / size
    out = []
    for y in range(size):
        y0, y1 = y * scale, (y + 1) * scale
        for x in range(size):
            x0, x1 = x * scale, (x + 1) * scale
            acc = [0.0, 0.0, 0.0, 0.0]
            for ay in range(int(y0), min(ART, int(y1 + 0.999999))):
                wy = _overlap(y0, y1, ay)
                for ax in range(int(x0), min(ART, int(x1 + 0.999999))):
                    weight = wy * _overlap(x0, x1, ax)
                    r, g, b, a = art[ay * ART + ax]
                    acc[0] += r * a * weight
                    acc[1] += g * a * weight
                    acc[2] += b * a * weight
                    acc[3] += a * weight
            area = scale * scale
            alpha = acc[3] / area
            if alpha < 0.5:
                out.append((0, 0, 0, 0))
                continue
            out.append(tuple(round(c / acc[3]) for c in acc[:3]) + (round(alpha),))
    return out


def main():
    os.makedirs(ICON_DIR, exist_ok=True)
    art = art_pixels()
    for size in SIZES:
        path = os.path.join(ICON_DIR, "%d.png" % size)
        with open(path, "wb") as f:
            f.write(encode_rgba_png(size, size, resample(art, size)))
        print("desktop/icons/%d.png" % size)


if __name__ == "__main__":
    main()
