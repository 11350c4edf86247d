#!/usr/bin/env python3
"""Synthesises the game's three sound effects into gamedata/Wave.

Run from the repository root. Output is mono, 16-bit, 22050 Hz PCM, every
effect normalised to a peak of -6.1 dBFS, so two effects and the music can
sound together without clipping in the mixer; the effects are rounded off
(soft_clip) to stay clearly louder than the music all the same. A fixed
seed per effect makes the files byte-for-byte reproducible.
"""

import math
import os
import random
import struct
import wave

RATE = 22050
PEAK_DBFS = -6.1
OUT_DIR = os.path.join("gamedata", "Wave")


# ---- building blocks -------------------------------------------------------

def frames(seconds):
    return int(round(seconds * RATE))


def exp_decay(i, n, sharpness):
    """Falls from 1 towards 0 over n samples; higher sharpness falls faster."""
    return math.exp(-sharpness * i / n)


def glide(i, n, start_hz, end_hz):
    """Exponential pitch glide from start_hz to end_hz over n samples."""
    return start_hz * (end_hz / start_hz) ** (i / n)


class LowPass:
    """One-pole low-pass filter whose cutoff may change per sample."""

    def __init__(self):
        self.state = 0.0

    def step(self, x, cutoff_hz):
        a = 1.0 - math.exp(-2.0 * math.pi * cutoff_hz / RATE)
        self.state += a * (x - self.state)
        return self.state


class Oscillator:
    """Phase accumulator so that pitch glides stay continuous."""

    def __init__(self):
        self.phase = 0.0

    def step(self, hz):
        self.phase = (self.phase + hz / RATE) % 1.0
        return self.phase

    def sine(self, hz):
        return math.sin(2.0 * math.pi * self.step(hz))

    def pulse(self, hz, duty):
        return 1.0 if self.step(hz) < duty else -1.0


def fade_edges(samples, fade_in_s=0.0015, fade_out_s=0.02):
    """Short linear ramps so neither end of a file clicks."""
    n = len(samples)
    fin, fout = frames(fade_in_s), frames(fade_out_s)
    for i in range(min(fin, n)):
        samples[i] *= i / fin
    for i in range(min(fout, n)):
        samples[n - 1 - i] *= i / fout
    return samples


def normalise(samples, peak_dbfs=PEAK_DBFS):
    peak = max(abs(s) for s in samples)
    gain = (10.0 ** (peak_dbfs / 20.0)) / peak
    return [s * gain for s in samples]


def to_pcm16(samples):
    return b"".join(struct.pack("<h", int(round(s * 32767.0))) for s in samples)


def write_wav(name, samples):
    os.makedirs(OUT_DIR, exist_ok=True)
    path = os.path.join(OUT_DIR, name)
    with wave.open(path, "wb") as out:
        out.setnchannels(1)
        out.setsampwidth(2)
        out.setframerate(RATE)
        out.writeframes(to_pcm16(normalise(fade_edges(samples))))
    print("wrote", path)


# ---- the effects -------------------------------------------------------------

def soft_clip(x, drive):
    """Rounds off the loudest moments so an effect sounds full at a modest
    peak."""
    return math.tanh(drive * x) / math.tanh(drive)


def bullet():
    """A soft, quick "thup": a falling rounded tone with a dull puff of air,
    kept mostly below 2 kHz so rapid fire does not tire the ear."""
    rng = random.Random(1998)
    n = frames(0.12)
    osc, sub = Oscillator(), Oscillator()
    tone_filter, puff_filter = LowPass(), LowPass()
    out = []
    for i in range(n):
        hz = glide(i, n, 1100.0, 260.0)
        bright = 0.45 * osc.pulse(hz, 0.5) + 0.55 * sub.sine(hz / 2)
        tone = tone_filter.step(bright, 1800.0) * exp_decay(i, n, 4.0)
        puff = puff_filter.step(rng.uniform(-1, 1), 1500.0) * exp_decay(i, n, 25.0)
        out.append(soft_clip(tone + 1.2 * puff, 1.5))
    return out


def explosion(seed, seconds, thump_from, thump_to, thump_decay, brightness, crackle, drive):
    """A falling low thump that gives the blast its body, under noise whose
    cutoff falls as it dies.

    crackle is the chance per sample of a spark in the first half; drive is
    how hard the mix is rounded off (see soft_clip).
    """
    rng = random.Random(seed)
    n = frames(seconds)
    rumble, body, body2 = LowPass(), LowPass(), LowPass()
    thump, thump2 = Oscillator(), Oscillator()
    out = []
    for i in range(n):
        t = i / n
        white = rng.uniform(-1, 1)
        cutoff = 90.0 + brightness * (1.0 - t) ** 3
        shaped = body2.step(body.step(white, cutoff), cutoff)
        noise = 2.2 * shaped + 3.0 * rumble.step(white, 140.0)
        noise *= exp_decay(i, n, 4.0) * min(1.0, i / frames(0.004))
        hz = glide(i, n, thump_from, thump_to)
        boom = (thump.sine(hz) + 0.35 * thump2.sine(hz * 2)) * exp_decay(i, n, thump_decay)
        spark = 0.0
        if t < 0.5 and rng.random() < crackle:
            spark = rng.choice((-1.0, 1.0)) * (1.0 - 2 * t) * 0.5
        out.append(soft_clip(noise + 1.1 * boom + spark, drive))
    return out


def ship_explosion():
    """The player's aircraft going down: long, deep and rolling."""
    return explosion(seed=4113, seconds=1.05, thump_from=95.0, thump_to=30.0, thump_decay=4.5,
                     brightness=3600.0, crackle=0.003, drive=0.8)


def enemy_explosion():
    """An enemy bursting: shorter and higher than the ship's, but with a
    solid thump under the noise, as it plays many times a second."""
    return explosion(seed=2724, seconds=0.5, thump_from=170.0, thump_to=55.0, thump_decay=5.0,
                     brightness=3000.0, crackle=0.0015, drive=0.8)


def main():
    write_wav("Bullet.wav", bullet())
    write_wav("Explode.wav", ship_explosion())
    write_wav("CpuExp.wav", enemy_explosion())


if __name__ == "__main__":
    main()
