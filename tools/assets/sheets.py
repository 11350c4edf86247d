"""Sprite sheets: every frame is a picture with its mask directly below.

The picture is pure white exactly where the mask is white; opaque pixels
never use pure white (a white highlight is stored as OFF_WHITE).
"""

from pnglib import Image, WHITE, BLACK

OFF_WHITE = 0xF0F0F0


def blank_sheet(width, height):
    return Image(width, height, WHITE)


def put_frame(sheet, left, top, w, h, painter):
    """Runs painter(canvas) on a w x h canvas that starts all white and
    returns the set of opaque pixels; stores it as a picture at (left, top)
    and its mask at (left, top + h)."""
    canvas = Image(w, h, WHITE)
    covered = painter(canvas)
    for y in range(h):
        for x in range(w):
            if (x, y) in covered:
                colour = canvas.get(x, y)
                sheet.set(left + x, top + y, OFF_WHITE if colour == WHITE else colour)
                sheet.set(left + x, top + h + y, BLACK)
            else:
                sheet.set(left + x, top + y, WHITE)
                sheet.set(left + x, top + h + y, WHITE)


def centred_painter(paint_sprite, sprite, ramp="grey", dx=0, dy=0, mirror=False):
    """A painter that puts a pixel-art sprite in the middle of the frame."""
    def painter(canvas):
        left = (canvas.width - sprite.width) // 2 + dx
        top = (canvas.height - sprite.height) // 2 + dy
        covered = paint_sprite(sprite, canvas, left, top, ramp, mirror)
        return {(x, y) for (x, y) in covered if canvas.inside(x, y)}
    return painter
