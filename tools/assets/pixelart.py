"""Reads the pixel-art text sources under sprites/ and paints them.

A source file has three parts:

    palette             one entry a line: a character and its colour, either
    . clear             "clear" (transparent), a hex colour "#rrggbb", or a
    R #d02020           tone of the sheet's colour ramp: "light", "body"
    B body              (shaded automatically), "mid", "dark", "deep"
    outline deep        the colour of the 1-pixel outline drawn around the
                        shape ("none" for no outline)
    art                 rows of characters, shorter rows padded with clear
    ...

"body" pixels get the light tone where the pixel above is clear and the
dark tone where the pixel below is clear, which gives every shape the same
top-lit look.
"""

import os

SPRITE_DIR = os.path.join(os.path.dirname(os.path.abspath(__file__)), "sprites")

# Colour ramps: light, mid, dark, deep. No tone is pure white, which the
# sheets reserve for transparency.
RAMPS = {
    "player": (0xF0F0F0, 0xC0CCE0, 0x6878A8, 0x101838),
    "grey": (0xE0E0E0, 0xA8A8A8, 0x686868, 0x202020),
    "cyan": (0xB0F8F8, 0x28C8E0, 0x107890, 0x042838),
    "green": (0xB0F080, 0x40C030, 0x1C7014, 0x082804),
    "yellow": (0xFFF490, 0xF0C818, 0xA07808, 0x382400),
    "magenta": (0xF8A8F0, 0xD040C0, 0x801878, 0x300828),
    "boss": (0xD8C8A8, 0x988868, 0x584830, 0x181008),
}

TONES = {"light": 0, "mid": 1, "body": 1, "dark": 2, "deep": 3}


class Sprite:
    def __init__(self, palette, outline, rows):
        self.palette = palette
        self.outline = outline
        self.rows = rows
        self.width = max(len(r.rstrip(".")) for r in rows)
        self.height = len(rows)

    def char(self, x, y):
        if 0 <= y < self.height and 0 <= x < len(self.rows[y]):
            return self.rows[y][x]
        return "."

    def opaque(self, x, y):
        return self.palette.get(self.char(x, y), "clear") != "clear"


def load(name):
    path = os.path.join(SPRITE_DIR, name + ".txt")
    with open(path, encoding="utf-8") as f:
        lines = [ln.rstrip("\n") for ln in f]
    palette = {".": "clear"}
    outline = "none"
    rows = []
    section = None
    for line in lines:
        if line.startswith("#") and section != "art":
            continue
        if line.strip() in ("palette", "art"):
            section = line.strip()
            continue
        if section == "palette" and line.strip():
            key, value = line.split(None, 1)
            if key == "outline":
                outline = value.strip()
            else:
                palette[key] = value.strip()
        elif section == "art":
            rows.append(line)
    while rows and not rows[-1].strip("."):
        rows.pop()
    unknown = {ch for row in rows for ch in row} - set(palette)
    if unknown:
        raise ValueError("%s: characters %s are not in the palette" % (path, "".join(sorted(unknown))))
    return Sprite(palette, outline, rows)


def colour_of(value, ramp):
    if value.startswith("#"):
        return int(value[1:], 16)
    return RAMPS[ramp][TONES[value]]


def paint(sprite, image, left, top, ramp="grey", mirror=False):
    """Paints the sprite onto image at (left, top); returns the set of
    opaque pixels (image coordinates), outline included."""
    covered = set()

    def place(x, y, colour):
        px = left + (sprite.width - 1 - x if mirror else x)
        image.set(px, top + y, colour)
        covered.add((px, top + y))

    if sprite.outline != "none":
        edge = colour_of(sprite.outline, ramp)
        for y in range(-1, sprite.height + 1):
            for x in range(-1, sprite.width + 1):
                if sprite.opaque(x, y):
                    continue
                near = any(sprite.opaque(x + dx, y + dy)
                           for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)))
                if near:
                    place(x, y, edge)
    for y in range(sprite.height):
        for x in range(sprite.width):
            value = sprite.palette.get(sprite.char(x, y), "clear")
            if value == "clear":
                continue
            if value == "body":
                if not sprite.opaque(x, y - 1):
                    value = "light"
                elif not sprite.opaque(x, y + 1):
                    value = "dark"
            place(x, y, colour_of(value, ramp))
    return covered
