"""The program's icon (sixteen-colour look) and the version dialog's icon
(the same drawing with a shaded sky)."""

import pixelart
from pnglib import Image

SKY_CHAR = "n"
SKY_GRADIENT = [0x101050, 0x182068, 0x202C80, 0x283898, 0x3048B0, 0x3C58C0, 0x4868D0, 0x5878D8]


def _paint(sky_for_row=None):
    sprite = pixelart.load("icon")
    image = Image(32, 32)
    for y in range(32):
        for x in range(32):
            ch = sprite.char(x, y)
            if ch == SKY_CHAR and sky_for_row is not None:
                image.set(x, y, sky_for_row(y))
            else:
                image.set(x, y, pixelart.colour_of(sprite.palette[ch], "grey"))
    return image


def program_icon():
    return _paint()


def about_icon():
    return _paint(lambda y: SKY_GRADIENT[min(len(SKY_GRADIENT) - 1, y * len(SKY_GRADIENT) // 30)])
