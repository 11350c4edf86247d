"""The aircraft and shot sheets, from the pixel-art sources in sprites/.

The aircraft are drawn 28 rows tall, so with their outline they fill the
30-row cells that the ram rule compares: a ram then looks like a touch."""

import pixelart
from sheets import blank_sheet, put_frame, centred_painter

ROW_RAMPS = ["grey", "cyan", "green", "yellow", "magenta"]


def plane_sheet():
    sheet = blank_sheet(59, 60)
    sprite = pixelart.load("player")
    put_frame(sheet, 0, 0, 59, 30, centred_painter(pixelart.paint, sprite, "player"))
    return sheet


def enemy_sheet():
    sheet = blank_sheet(120, 300)
    for column in range(2):
        for row in range(5):
            kind = column * 5 + row + 1
            sprite = pixelart.load("enemy%d" % kind)
            painter = centred_painter(pixelart.paint, sprite, ROW_RAMPS[row])
            put_frame(sheet, column * 60, row * 60, 60, 30, painter)
    return sheet


def shot_sheet(name):
    sheet = blank_sheet(16, 16)
    sprite = pixelart.load(name)
    put_frame(sheet, 0, 0, 16, 8, centred_painter(pixelart.paint, sprite))
    return sheet


def boss_sheet():
    sheet = blank_sheet(226, 60)
    first = pixelart.load("boss")
    second = pixelart.load("boss")
    second.rows = [r.translate(str.maketrans("PpFY", "pPYF")) for r in second.rows]
    for frame, sprite in enumerate((first, second)):
        painter = centred_painter(pixelart.paint, sprite, "boss")
        put_frame(sheet, frame * 113, 0, 113, 30, painter)
    return sheet
