#!/usr/bin/env python3
"""Checks of the asset generators themselves: the PNG writer and reader,
the frame convention of the sheet helper, the stage map checker and the
legend, the tune notation's dynamics and level. rebuild.sh runs these before it rebuilds anything."""

import os
import sys
import struct
import unittest
import zlib

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import maps  # noqa: E402
import music  # noqa: E402
import pnglib  # noqa: E402
import pixelart  # noqa: E402
from pnglib import Image, BLACK, WHITE, decode_png, encode_png  # noqa: E402
from sheets import OFF_WHITE, blank_sheet, put_frame  # noqa: E402


class PngTest(unittest.TestCase):
    def test_round_trip_keeps_every_pixel(self):
        image = Image(7, 5)
        for i in range(len(image.pixels)):
            image.pixels[i] = (i * 0x0B1F37) & 0xFFFFFF
        again = decode_png(encode_png(image))
        self.assertEqual((again.width, again.height), (7, 5))
        self.assertEqual(again.pixels, image.pixels)

    def test_writes_8_bit_rgb_without_alpha(self):
        header = encode_png(Image(3, 2))[16:29]
        self.assertEqual(header[8], 8)   # bit depth
        self.assertEqual(header[9], 2)   # colour type RGB

    def test_reads_filtered_rows(self):
        # Two rows of two pixels: "sub" filter, then "up" filter.
        raw = bytes([1, 10, 20, 30, 5, 5, 5, 2, 1, 1, 1, 0, 0, 0])
        png = (b"\x89PNG\r\n\x1a\n"
               + pnglib._chunk(b"IHDR", struct.pack(">IIBBBBB", 2, 2, 8, 2, 0, 0, 0))
               + pnglib._chunk(b"IDAT", zlib.compress(raw)) + pnglib._chunk(b"IEND", b""))
        self.assertEqual(decode_png(png).pixels, [0x0A141E, 0x0F1923, 0x0B151F, 0x0F1923])

    def test_rejects_other_files(self):
        with self.assertRaises(ValueError):
            decode_png(b"GIF89a")


class FrameTest(unittest.TestCase):
    def test_picture_is_white_exactly_where_the_mask_is(self):
        sheet = blank_sheet(4, 4)

        def painter(canvas):
            canvas.set(1, 0, 0x123456)
            canvas.set(2, 1, WHITE)  # an opaque white highlight
            return {(1, 0), (2, 1)}
        put_frame(sheet, 0, 0, 4, 2, painter)
        self.assertEqual(sheet.get(1, 0), 0x123456)
        self.assertEqual(sheet.get(2, 1), OFF_WHITE)
        self.assertEqual(sheet.get(0, 0), WHITE)
        self.assertEqual([sheet.get(1, 2), sheet.get(2, 3), sheet.get(0, 2)], [BLACK, BLACK, WHITE])

    def test_every_sprite_source_loads(self):
        # Loading refuses characters missing from the palette.
        for name in sorted(os.listdir(pixelart.SPRITE_DIR)):
            sprite = pixelart.load(name[:-4])
            self.assertGreater(sprite.width, 0, name)


class MapCheckTest(unittest.TestCase):
    def setUp(self):
        self.legend = maps.load_legend()

    def rows(self, middle):
        return ["~" * 20] * 6 + [middle] + ["~" * 20] * 6

    def test_accepts_joined_coasts(self):
        maps.check_map(self.rows("~" * 8 + "o" + "~" * 11), self.legend, "t")
        land = ["," * 20] * 13
        land[6] = ",,,,CZ,,,,,,,,,,,,,,"
        land[7] = ",,,,EQ,,,,,,,,,,,,,,"
        maps.check_map(land, self.legend, "lake")

    def test_rejects_broken_coast(self):
        with self.assertRaisesRegex(maps.MapError, "does not join"):
            maps.check_map(self.rows("~" * 10 + ",," + "~" * 8), self.legend, "t")

    def test_rejects_bad_shapes_and_characters(self):
        with self.assertRaisesRegex(maps.MapError, "rows"):
            maps.check_map(["~" * 20] * 12, self.legend, "t")
        with self.assertRaisesRegex(maps.MapError, "columns"):
            maps.check_map(["~" * 19] * 13, self.legend, "t")
        with self.assertRaisesRegex(maps.MapError, "unknown"):
            maps.check_map(self.rows("~" * 19 + "?"), self.legend, "t")

    def test_legend_gives_each_code_once(self):
        codes = sorted(self.legend.values())
        self.assertEqual(codes, list(range(25)))

    def test_encoding_has_header_and_codes(self):
        rows = self.rows("," * 20)
        data = maps.encode(rows, self.legend)
        self.assertEqual(data[:3], bytes((20, 13, 0)))
        self.assertEqual(len(data), 3 + 20 * 13)
        self.assertEqual(data[3 + 6 * 20], self.legend[","])


class TuneDynamicsTest(unittest.TestCase):
    HEAD = "tempo 120\ntrack lead channel=1 volume=%d velocity=90\n"

    def test_section_loudness_adds_to_marks_and_accents(self):
        tune = music.read_tune(self.HEAD % 100 + "phrase a: c5:4 v70 d5 e5! f5 |\nplay lead: a a@-10\n")
        self.assertEqual([n[3] for n in tune.tracks["lead"].notes], [90, 70, 86, 70, 80, 60, 76, 60])

    def test_level_scales_every_volume_and_refuses_past_127(self):
        tune = music.read_tune(self.HEAD % 100 + "level -4\nphrase a: c5:1 |\nplay lead: a\n")
        self.assertEqual(music.scaled_volume(tune.tracks["lead"], tune.level), 79)
        loud = music.read_tune(self.HEAD % 120 + "level 2\nphrase a: c5:1 |\nplay lead: a\n")
        with self.assertRaisesRegex(music.TuneError, "past 127"):
            music.midi_bytes(loud)


if __name__ == "__main__":
    unittest.main()
