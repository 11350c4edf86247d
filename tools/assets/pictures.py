#!/usr/bin/env python3
"""Rebuilds every picture of the game into res/ as 8-bit RGB PNG files.

Sprites come from the pixel-art sources in sprites/; the starfield, the
lettering, the explosion, the status bar and the tiles are drawn in code.
Everything is deterministic, so a rebuild gives the same files.
"""

import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)

import explosion  # noqa: E402
import icons  # noqa: E402
import sprites_pictures  # noqa: E402
import statusbar  # noqa: E402
import tiles  # noqa: E402
import titles  # noqa: E402
from pnglib import Image, BLACK, write_png  # noqa: E402

RES_DIR = os.path.normpath(os.path.join(HERE, "..", "..", "res"))


def build_all():
    """All pictures by file name (without extension)."""
    plane = sprites_pictures.plane_sheet()
    maps, mask = tiles.tile_sheets()
    return {
        "OpenLogo": titles.open_logo(plane),
        "StatusPicture": statusbar.status_picture(),
        "PlaneBmp": plane,
        "EnemyBmp": sprites_pictures.enemy_sheet(),
        "ExplodeBmp": explosion.explode_sheet(),
        "Missile": sprites_pictures.shot_sheet("missile"),
        "CpuMissile": sprites_pictures.shot_sheet("cpumissile"),
        "GameOverGra": titles.gameover_sheet(),
        "toTitle": titles.totitle_sheet(),
        "BossBmp": sprites_pictures.boss_sheet(),
        "GraPattrn": Image(32, 32, BLACK),
        "AllBack": Image(32, 32, BLACK),
        "Maps": maps,
        "MapMask": mask,
        "Icon": icons.program_icon(),
        "AboutIcon": icons.about_icon(),
    }


def main():
    os.makedirs(RES_DIR, exist_ok=True)
    for name, image in build_all().items():
        write_png(os.path.join(RES_DIR, name + ".png"), image)
        print("res/%s.png %dx%d" % (name, image.width, image.height))


if __name__ == "__main__":
    main()
