"""The five explosion frames: a growing ball of fire that bursts into
scattered sparks. Drawn from heat fields with a fixed seed.

A frame is drawn at the top-left corner of the aircraft that burst, so the
blast is centred on the middle of a 60 x 30 aircraft cell, (29, 15), and
spreads wider than it is tall, along the aircraft; the lower half of the
55 x 61 frame only catches a few falling sparks."""

import math
import random

from sheets import blank_sheet, put_frame

# Hottest first; no tone is pure white.
FIRE = [0xFFF8C8, 0xFFE840, 0xF8A818, 0xE85810, 0xB82008, 0x701008]
SMOKE = [0x908880, 0x605850, 0x383028]

FRAME_W, FRAME_H = 55, 61
CX, CY = 29, 15
SQUASH = 0.62  # height of a fireball against its width


def _wobble(rng, lobes=5):
    terms = [(rng.randint(2, 7), rng.uniform(0, 2 * math.pi), rng.uniform(0.04, 0.12))
             for _ in range(lobes)]
    return lambda a: 1.0 + sum(amp * math.sin(k * a + ph) for k, ph, amp in terms)


def _blob(canvas, covered, cx, cy, radius, rng, heat_bias, palette):
    shape = _wobble(rng)
    r_max = int(radius * 1.5) + 1
    for y in range(int(cy) - r_max, int(cy) + r_max + 1):
        for x in range(int(cx) - r_max, int(cx) + r_max + 1):
            if not canvas.inside(x, y):
                continue
            dx, dy = x - cx, (y - cy) / SQUASH
            edge = radius * shape(math.atan2(dy, dx))
            dist = math.hypot(dx, dy)
            if dist > edge:
                continue
            heat = 1.0 - dist / edge + heat_bias + rng.uniform(-0.08, 0.08)
            index = min(len(palette) - 1, max(0, int((1.0 - heat) * len(palette))))
            canvas.set(x, y, palette[index])
            covered.add((x, y))


def _sparks(canvas, covered, rng, count, spread, palette, fall=0):
    """Short streaks flying out from the centre; fall pulls them down."""
    for _ in range(count):
        angle = rng.uniform(0, 2 * math.pi)
        dist = rng.uniform(spread * 0.4, spread)
        x = int(CX + math.cos(angle) * dist)
        y = int(CY + math.sin(angle) * dist * SQUASH + fall * dist / spread)
        colour = rng.choice(palette)
        length = rng.randint(1, 3)
        for step in range(length):
            px = x - int(round(math.cos(angle) * step))
            py = y - int(round(math.sin(angle) * step))
            if canvas.inside(px, py):
                canvas.set(px, py, colour)
                covered.add((px, py))


def _frame_painter(n):
    def painter(canvas):
        rng = random.Random(9800 + n)
        covered = set()
        cx, cy = CX, CY
        if n == 1:
            _blob(canvas, covered, cx, cy, 8, rng, 0.35, FIRE)
            _sparks(canvas, covered, rng, 6, 13, FIRE[:3])
        elif n == 2:
            _blob(canvas, covered, cx, cy, 15, rng, 0.25, FIRE)
            _sparks(canvas, covered, rng, 12, 21, FIRE[:3])
        elif n == 3:
            _blob(canvas, covered, cx, cy, 22, rng, 0.05, FIRE)
            for _ in range(4):
                a = rng.uniform(0, 2 * math.pi)
                _blob(canvas, covered, cx + 12 * math.cos(a), cy + 12 * SQUASH * math.sin(a), 7, rng, 0.3, FIRE)
            _sparks(canvas, covered, rng, 14, 27, FIRE[:3])
        elif n == 4:
            for _ in range(7):
                a = rng.uniform(0, 2 * math.pi)
                d = rng.uniform(8, 17)
                palette = FIRE[2:] + SMOKE[:1] if rng.random() < 0.6 else SMOKE
                _blob(canvas, covered, cx + d * math.cos(a), cy + d * SQUASH * math.sin(a),
                      rng.uniform(4, 8), rng, 0.1, palette)
            _sparks(canvas, covered, rng, 26, 27, FIRE[:4], fall=6)
        else:
            # Four puffs of smoke, one to each side, so the frame stays
            # centred where the aircraft was.
            for quarter in range(4):
                a = (quarter + rng.uniform(0.2, 0.8)) * math.pi / 2
                d = rng.uniform(12, 20)
                _blob(canvas, covered, cx + d * math.cos(a), cy + d * SQUASH * math.sin(a),
                      rng.uniform(2, 4), rng, 0.0, SMOKE)
            _sparks(canvas, covered, rng, 34, 27, FIRE[:4] + SMOKE[:1], fall=7)
        return covered
    return painter


def explode_sheet():
    sheet = blank_sheet(FRAME_W * 5, FRAME_H * 2)
    for n in range(1, 6):
        put_frame(sheet, (n - 1) * FRAME_W, 0, FRAME_W, FRAME_H, _frame_painter(n))
    return sheet
