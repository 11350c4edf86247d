"""Pictures made of lettering: the title picture with its starfield, the
game-over word and the restart caption."""

import math
import random

import font
from pnglib import Image, BLACK
from sheets import blank_sheet, put_frame, OFF_WHITE

LOGO_BAND = (99, 255)
STAR_BANDS = [(0, 40), (40, 99), (255, 355), (355, 434)]
# Star bands wrap with a period a few pixels longer than the picture, so
# their outermost columns stay black and the seam never shows.
EDGE_MARGIN = 6


def _dilate(pixels, radius):
    out = set(pixels)
    for (x, y) in pixels:
        for dy in range(-radius, radius + 1):
            for dx in range(-radius, radius + 1):
                if abs(dx) + abs(dy) <= radius + (radius > 1):
                    out.add((x + dx, y + dy))
    return out


def _bold(pixels):
    return pixels | {(x + 1, y) for (x, y) in pixels}


def shaded_lettering(image, pixels, left, top, height, ramp, outlines, shadow=None):
    """Draws lettering pixels with a vertical colour ramp, a bevel highlight
    along top edges, outlines (inner first) and an optional drop shadow.
    Returns every pixel touched, in image coordinates."""
    touched = set()

    def put(x, y, colour):
        if image.inside(left + x, top + y):
            image.set(left + x, top + y, colour)
            touched.add((left + x, top + y))

    rings = []
    grown = pixels
    for width, colour in outlines:
        bigger = _dilate(grown, width)
        rings.append((bigger - grown, colour))
        grown = bigger
    if shadow is not None:
        (sx, sy), colour = shadow
        for (x, y) in grown:
            if (x - sx, y - sy) not in grown:
                put(x + sx, y + sy, colour)
    for ring, colour in reversed(rings):
        for (x, y) in ring:
            put(x, y, colour)
    for (x, y) in pixels:
        band = min(len(ramp) - 1, max(0, y * len(ramp) // height))
        colour = ramp[band]
        if (x, y - 1) not in pixels or (x, y - 2) not in pixels:
            colour = ramp[0] if band > 0 else OFF_WHITE
        put(x, y, colour)
    return touched


def gameover_sheet():
    """The green word with a near-black outline and shadow, so it reads
    over every stage: the green land, the sea, the sand and the plating."""
    sheet = blank_sheet(320, 120)
    xs, ys = 5, 5
    pixels = font.render(font.BIG, "GameOver", xs, ys)
    width = font.text_width(font.BIG, "GameOver", xs)
    height = 9 * ys
    ramp = [0xE0FFC0, 0xB8FF90, 0x90F868, 0x6CEC4C, 0x50DC3C, 0x3CC830]

    def painter(canvas):
        return shaded_lettering(canvas, pixels, (320 - width) // 2 - 1, (60 - height) // 2 - 1,
                                height, ramp, [(1, 0x0C400C), (2, 0x041004)],
                                shadow=((2, 2), 0x000000))
    put_frame(sheet, 0, 0, 320, 60, painter)
    return sheet


def totitle_sheet():
    """The picture half is all white and only the mask carries the words,
    so the caption always shows as white."""
    sheet = blank_sheet(155, 22)
    text = "DoubleClick to Restart"
    pixels = _bold(font.render(font.SMALL, text, gap=2))
    width = max(x for x, _ in pixels) + 1
    left = (155 - width) // 2
    for (x, y) in pixels:
        sheet.set(left + x, 11 + 2 + y, BLACK)
    return sheet


def _star(image, x, y, colour, size):
    image.set(x, y, colour)
    if size >= 2:
        image.set(x + 1, y, colour)
        image.set(x, y + 1, colour)
        image.set(x + 1, y + 1, colour)
    if size >= 3:
        dim = 0x506090
        for dx, dy in ((-1, 0), (2, 0), (0, -1), (0, 2), (1, -1), (1, 2), (-1, 1), (2, 1)):
            image.set(x + dx, y + dy, dim)


def _starfield(image, rng):
    palettes = [
        [0x404868, 0x586080, 0x6870A0],
        [0x6870A0, 0x8890C0, 0xA0A8D8, 0xC0B080],
        [0x98A8E0, 0xC8D0F8, 0xF0F0F0, 0xF8E098],
        [0xC8D0F8, 0xF0F0F0, 0xF8E098, 0xA0E8F8],
    ]
    counts = [40, 60, 70, 55]
    for band, (first, end) in enumerate(STAR_BANDS):
        for _ in range(counts[band]):
            x = rng.randrange(EDGE_MARGIN + 2, 632 - EDGE_MARGIN - 3)
            y = rng.randrange(first + 2, end - 3)
            roll = rng.random()
            size = 3 if band >= 2 and roll < 0.08 else 2 if band >= 1 and roll < 0.25 else 1
            _star(image, x, y, rng.choice(palettes[band]), size)


def _ring(image, cx, cy, radius, front):
    """One half of a tilted ring round a planet: the far half (front=False)
    or the near half."""
    tilt = math.radians(-14)
    cos_t, sin_t = math.cos(tilt), math.sin(tilt)
    outer_a, outer_b = radius * 2.0, radius * 0.62
    inner_a, inner_b = radius * 1.45, radius * 0.40
    for y in range(cy - radius * 2, cy + radius * 2 + 1):
        for x in range(cx - radius * 2 - 2, cx + radius * 2 + 3):
            dx, dy = x - cx, y - cy
            u = dx * cos_t + dy * sin_t
            v = -dx * sin_t + dy * cos_t
            outer = (u / outer_a) ** 2 + (v / outer_b) ** 2
            inner = (u / inner_a) ** 2 + (v / inner_b) ** 2
            if outer > 1.0 or inner < 1.0 or (v > 0) != front:
                continue
            band = (u / outer_a) ** 2 + (v / outer_b) ** 2
            image.set(x, y, 0xF0E0B0 if band > 0.82 else 0xC8B080 if band > 0.62 else 0x907850)


def _planet(image, cx, cy, radius):
    """A banded ringed planet lit from the upper left."""
    bands = [0xE8A060, 0xC87840, 0xF0C080, 0xA85830, 0xD89050]
    _ring(image, cx, cy, radius, front=False)
    for y in range(cy - radius, cy + radius + 1):
        for x in range(cx - radius, cx + radius + 1):
            dx, dy = x - cx, y - cy
            if dx * dx + dy * dy > radius * radius:
                continue
            colour = bands[((dy + radius) * len(bands) * 2 // (2 * radius + 1)) % len(bands)]
            shade = math.hypot(dx + radius * 0.3, dy + radius * 0.3)
            if shade > radius * 1.12:
                colour = 0x582818
            elif shade > radius * 0.98:
                colour = 0x8C4828
            image.set(x, y, colour)
    _ring(image, cx, cy, radius, front=True)


def open_logo(plane_sheet):
    image = Image(632, 434, BLACK)
    rng = random.Random(1998)
    _starfield(image, rng)
    _planet(image, 470, 302, 20)
    # A few faint stars in the still band behind the logo.
    for _ in range(30):
        x = rng.randrange(EDGE_MARGIN, 632 - EDGE_MARGIN)
        y = rng.randrange(LOGO_BAND[0] + 2, LOGO_BAND[1] - 2)
        image.set(x, y, 0x384060)

    xs = ys = 8
    title = "Skarbolt 98"
    pixels = font.render(font.BIG, title, xs, ys)
    width = font.text_width(font.BIG, title, xs)
    height = 9 * ys
    ramp = [0xFFF4B0, 0xFFE050, 0xFFC020, 0xF89818, 0xF06810, 0xD83C0C, 0xA82008]
    left, top = (632 - width) // 2, LOGO_BAND[0] + 18
    shaded_lettering(image, pixels, left, top, height, ramp,
                     [(2, 0x300800), (2, 0x2848D8), (1, 0x90D8FF)],
                     shadow=((6, 6), 0x101850))

    caption = "PRESS F1 TO START"
    small = font.render(font.SMALL, caption, 2, 2)
    cw = font.text_width(font.SMALL, caption, 2)
    shaded_lettering(image, small, (632 - cw) // 2, LOGO_BAND[0] + 124, 14,
                     [0xE0F8FF, 0xA0E0F8, 0x60B8F0], [(1, 0x102060)])

    # Streaks left and right of the caption; the right one is the contrail
    # of the player's jet.
    jet_left, jet_top = 548, LOGO_BAND[0] + 116
    for y, colour in ((LOGO_BAND[0] + 130, 0x2848D8), (LOGO_BAND[0] + 131, 0x90D8FF)):
        for x in range(40, (632 - cw) // 2 - 16):
            image.set(x, y, colour)
        for x in range((632 + cw) // 2 + 16, jet_left + 2):
            image.set(x, y, colour)
    for y in range(30):
        for x in range(59):
            if plane_sheet.get(x, y + 30) == BLACK:
                image.set(jet_left + x, jet_top + y, plane_sheet.get(x, y))
    return image
