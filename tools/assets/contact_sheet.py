#!/usr/bin/env python3
"""Draws docs/assets.png: every picture at 2x on mid-grey (sprites and
tiles drawn through their masks, as the game draws them) with the mask
beside it, every tile with its code, the seven stage maps rendered with
the tiles, and the game-over word with its caption over each stage."""

import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)

import font  # noqa: E402
import maps  # noqa: E402
from pnglib import Image, BLACK, WHITE, read_png, write_png  # noqa: E402

ROOT = os.path.normpath(os.path.join(HERE, "..", ".."))
RES_DIR = os.path.join(ROOT, "res")
OUT = os.path.join(ROOT, "docs", "assets.png")
GREY = 0x808080
INK = 0xF0F0F0
SHEET_WIDTH = 1500

# Pictures with their mask half: name -> frame height.
MASKED = {
    "PlaneBmp": 30, "EnemyBmp": None, "ExplodeBmp": 61, "Missile": 8, "CpuMissile": 8,
    "GameOverGra": 60, "toTitle": 11, "BossBmp": 30,
}
PLAIN = ["OpenLogo", "StatusPicture", "Icon", "AboutIcon", "AllBack", "GraPattrn"]


def split_picture_and_mask(name, image):
    """The picture rows and mask rows of a sheet, each as one image."""
    if name == "EnemyBmp":
        pic = Image(120, 150, WHITE)
        mask = Image(120, 150, WHITE)
        for row in range(5):
            pic.paste(image, 0, row * 30, 0, row * 60, 120, 30)
            mask.paste(image, 0, row * 30, 0, row * 60 + 30, 120, 30)
        return pic, mask
    h = MASKED[name]
    return image.crop(0, 0, image.width, h), image.crop(0, h, image.width, h)


def through_mask(picture, mask, ground=GREY):
    """The picture as the game draws it: opaque where the mask is black,
    the ground elsewhere."""
    out = Image(picture.width, picture.height, ground)
    for i, m in enumerate(mask.pixels):
        if m == BLACK:
            out.pixels[i] = picture.pixels[i]
    return out


def render_map(rows, legend, maps_img, mask_img):
    """The stage background as the game paints it: black ground, then each
    tile drawn through its mask."""
    out = Image(len(rows[0]) * 32, len(rows) * 32, BLACK)
    for i, row in enumerate(rows):
        for j, ch in enumerate(row):
            code = legend[ch]
            if not 1 <= code <= 24:
                continue
            sx, sy = (code - 1) % 8 * 32, (code - 1) // 8 * 32
            for y in range(32):
                for x in range(32):
                    if mask_img.get(sx + x, sy + y) == BLACK:
                        out.set(j * 32 + x, i * 32 + y, maps_img.get(sx + x, sy + y))
    return out


def draw_masked(target, picture, mask, left, top):
    for y in range(picture.height):
        for x in range(picture.width):
            if mask.get(x, y) == BLACK:
                target.set(left + x, top + y, picture.get(x, y))


def game_over_over(stage, word, caption):
    """A 1x patch from the middle of a stage with the game-over word and the
    restart caption where the game draws them (160, 175) and (251, 250)."""
    w, h = 360, 110
    patch = stage.crop((stage.width - w) // 2, (stage.height - h) // 2, w, h)
    draw_masked(patch, *word, 20, 10)
    draw_masked(patch, *caption, 20 + 251 - 160, 10 + 250 - 175)
    return patch


def shrink(image, factor):
    out = Image(image.width // factor, image.height // factor)
    for y in range(out.height):
        for x in range(out.width):
            out.set(x, y, image.get(x * factor + factor // 2, y * factor + factor // 2))
    return out


def side_by_side(picture, mask):
    """Both at 2x, the mask to the right."""
    pair = Image(picture.width * 4 + 8, picture.height * 2, GREY)
    pair.paste(picture.scaled(2), 0, 0)
    pair.paste(mask.scaled(2), picture.width * 2 + 8, 0)
    return pair


class Layout:
    """Places blocks left to right, wrapping to a new row."""

    def __init__(self, width):
        self.width = width
        self.items = []
        self.x = self.y = 12
        self.row_height = 0

    def place(self, label, image):
        w, h = image.width, image.height + 12
        if self.x + w > self.width - 12:
            self.x, self.y = 12, self.y + self.row_height + 12
            self.row_height = 0
        self.items.append((self.x, self.y, label, image))
        self.x += w + 16
        self.row_height = max(self.row_height, h)

    def new_row(self):
        if self.row_height:
            self.x, self.y = 12, self.y + self.row_height + 12
            self.row_height = 0

    def render(self):
        sheet = Image(self.width, self.y + self.row_height + 12, GREY)
        for x, y, label, image in self.items:
            for (px, py) in font.render(font.SMALL, label):
                sheet.set(x + px, y + py, INK)
            sheet.paste(image, x, y + 12)
        return sheet


def label_text(name):
    return "".join(ch if ch in font.SMALL else " " for ch in name.upper())


def main():
    pictures = {name: read_png(os.path.join(RES_DIR, name + ".png")) for name in list(MASKED) + PLAIN + ["Maps", "MapMask"]}
    layout = Layout(SHEET_WIDTH)
    for name in PLAIN:
        layout.place(label_text(name), pictures[name].scaled(2))
    layout.new_row()
    for name in MASKED:
        pic, mask = split_picture_and_mask(name, pictures[name])
        layout.place(label_text(name), side_by_side(through_mask(pic, mask), mask))
    layout.new_row()
    layout.place(label_text("Maps MapMask"),
                 side_by_side(through_mask(pictures["Maps"], pictures["MapMask"]), pictures["MapMask"]))
    layout.new_row()
    for code in range(1, 25):
        sx, sy = (code - 1) % 8 * 32, (code - 1) // 8 * 32
        tile = through_mask(pictures["Maps"].crop(sx, sy, 32, 32), pictures["MapMask"].crop(sx, sy, 32, 32))
        layout.place(str(code), tile.scaled(2))
    layout.new_row()
    legend = maps.load_legend()
    stages = [render_map(maps.stage_rows(stage), legend, pictures["Maps"], pictures["MapMask"])
              for stage in range(1, maps.STAGES + 1)]
    for stage, image in enumerate(stages, start=1):
        layout.place(label_text("Stage %d" % stage), shrink(image, 3))
        layout.new_row()
    word = split_picture_and_mask("GameOverGra", pictures["GameOverGra"])
    caption = split_picture_and_mask("toTitle", pictures["toTitle"])
    for stage, image in enumerate(stages, start=1):
        layout.place(label_text("GameOver over Stage %d" % stage), game_over_over(image, word, caption))
    write_png(OUT, layout.render())
    print("docs/assets.png")


if __name__ == "__main__":
    main()
