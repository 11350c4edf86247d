"""The status bar under the play field: a steel panel with a sunken box for
the stage number, the frame of the shots gauge and a box for the score.
Positions follow the window controls drawn over it (window y 404 is row 0)."""

import font
from pnglib import Image

PANEL = 0x303850
PANEL_LIGHT = 0x8890B0
PANEL_DARK = 0x141828
BOX = 0x080C18
CAPTION = 0xF8D048

# (left, top, right, bottom) inclusive, in picture pixels.
STAGE_BOX = (88, 5, 114, 27)
GAUGE_BOX = (165, 9, 464, 20)
SCORE_BOX = (546, 5, 619, 27)


def _sunken(image, box):
    left, top, right, bottom = box
    image.fill_rect(left, top, right - left + 1, bottom - top + 1, BOX)
    for x in range(left, right + 1):
        image.set(x, top, PANEL_DARK)
        image.set(x, bottom, PANEL_LIGHT)
    for y in range(top, bottom + 1):
        image.set(left, y, PANEL_DARK)
        image.set(right, y, PANEL_LIGHT)


def _caption(image, text, right, top):
    pixels = font.render(font.SMALL, text)
    width = font.text_width(font.SMALL, text)
    for (x, y) in pixels:
        image.set(right - width + x + 1, top + y + 1, PANEL_DARK)
    for (x, y) in pixels:
        image.set(right - width + x, top + y, CAPTION)


def _rivet(image, x, y):
    image.set(x, y, PANEL_LIGHT)
    image.set(x + 1, y, PANEL_LIGHT)
    image.set(x, y + 1, PANEL_LIGHT)
    image.set(x + 1, y + 1, PANEL_DARK)


def status_picture():
    image = Image(632, 30, PANEL)
    for x in range(632):
        image.set(x, 0, PANEL_LIGHT)
        image.set(x, 1, 0x505878)
        image.set(x, 29, PANEL_DARK)
    for y in range(30):
        image.set(0, y, PANEL_LIGHT)
        image.set(631, y, PANEL_DARK)
    # Engraved grooves between the three sections.
    for x in (127, 481):
        for y in range(4, 27):
            image.set(x, y, PANEL_DARK)
            image.set(x + 1, y, PANEL_LIGHT)
    for x, y in ((5, 6), (5, 21), (624, 6), (624, 21), (120, 13), (488, 13)):
        _rivet(image, x, y)
    for box in (STAGE_BOX, GAUGE_BOX, SCORE_BOX):
        _sunken(image, box)
    _caption(image, "STAGE", STAGE_BOX[0] - 5, 12)
    _caption(image, "SHOT", GAUGE_BOX[0] - 5, 12)
    _caption(image, "SCORE", SCORE_BOX[0] - 5, 12)
    return image
