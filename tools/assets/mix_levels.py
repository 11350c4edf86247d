#!/usr/bin/env python3
"""Measures the mix: the loudness of every tune as the synthesizer plays it
and the peak and loudness of every effect.

Each tune in gamedata/BGM is rendered once through with FluidSynth's file
renderer at 22,050 Hz with the General MIDI SoundFont the game uses, and
its RMS level is taken over the whole rendering (both channels); the
tunes' average is the mean of those levels in dB. Each
effect in gamedata/Wave is measured from its own samples: peak and RMS
over the whole file. Levels are in dBFS (0 dB = a full-scale square wave).

    tools/assets/mix_levels.py [--soundfont FILE] [--keep DIR] [--check]

--keep leaves the renderings there (for spectrograms, say). --check fails
(exit status 1) unless the tunes lie within 3 dB of each other and every
effect peaks at -6 dBFS or below with its RMS 4 dB or more above the
tunes' average. Needs the fluidsynth program; run from anywhere.
"""

import argparse
import array
import glob
import math
import os
import subprocess
import sys
import tempfile
import wave

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.normpath(os.path.join(HERE, "..", ".."))
RATE = 22050
MAX_TUNE_SPREAD_DB = 3.0
MAX_EFFECT_PEAK_DBFS = -6.0
MIN_EFFECT_LEAD_DB = 4.0
SOUNDFONTS = ["/usr/share/sounds/sf2/default-GM.sf2", "/usr/share/sounds/sf3/default-GM.sf3"]


def samples_of(path):
    """The 16-bit samples of a PCM WAV file, all channels interleaved."""
    with wave.open(path, "rb") as w:
        if w.getsampwidth() != 2:
            raise ValueError("%s: only 16-bit files are measured" % path)
        data = array.array("h", w.readframes(w.getnframes()))
    if sys.byteorder == "big":
        data.byteswap()
    return data


def dbfs(level):
    return 20.0 * math.log10(max(level, 1e-9) / 32768.0)


def rms(data):
    return math.sqrt(sum(s * s for s in data) / max(1, len(data)))


def peak(data):
    return max((abs(s) for s in data), default=0)


def render(midi, soundfont, out):
    subprocess.run(["fluidsynth", "-ni", "-q", "-r", str(RATE), "-T", "wav", "-F", out, soundfont, midi],
                   check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--soundfont", default=next((f for f in SOUNDFONTS if os.path.exists(f)), None))
    parser.add_argument("--data", default=os.path.join(ROOT, "gamedata"))
    parser.add_argument("--keep", help="folder to keep the tune renderings in")
    parser.add_argument("--check", action="store_true", help="fail unless the mix meets its targets")
    args = parser.parse_args()
    if not args.soundfont:
        sys.exit("no General MIDI SoundFont found; name one with --soundfont")

    out_dir = args.keep or tempfile.mkdtemp()
    os.makedirs(out_dir, exist_ok=True)
    tunes = {}
    for midi in sorted(glob.glob(os.path.join(args.data, "BGM", "*.mid"))):
        name = os.path.splitext(os.path.basename(midi))[0]
        rendering = os.path.join(out_dir, name + ".wav")
        render(midi, args.soundfont, rendering)
        tunes[name] = dbfs(rms(samples_of(rendering)))
        if not args.keep:
            os.unlink(rendering)
    if not args.keep:
        os.rmdir(out_dir)

    for name, level in sorted(tunes.items(), key=lambda item: item[1]):
        print("tune   %-10s RMS %6.1f dBFS" % (name, level))
    spread = max(tunes.values()) - min(tunes.values())
    average = sum(tunes.values()) / len(tunes)
    print("tunes: spread %.1f dB (loudest %s, softest %s), average RMS %.1f dBFS" %
          (spread, max(tunes, key=tunes.get), min(tunes, key=tunes.get), average))
    faults = []
    if spread > MAX_TUNE_SPREAD_DB:
        faults.append("the tunes differ by %.1f dB" % spread)
    for path in sorted(glob.glob(os.path.join(args.data, "Wave", "*.wav"))):
        name, data = os.path.basename(path), samples_of(path)
        top, level = dbfs(peak(data)), dbfs(rms(data))
        print("effect %-12s peak %5.1f dBFS  RMS %6.1f dBFS (%+.1f dB against the tunes)" %
              (name, top, level, level - average))
        if top > MAX_EFFECT_PEAK_DBFS:
            faults.append("%s peaks at %.1f dBFS" % (name, top))
        if level - average < MIN_EFFECT_LEAD_DB:
            faults.append("%s is only %.1f dB above the tunes" % (name, level - average))
    if args.check and faults:
        sys.exit("mix_levels: " + "; ".join(faults))

if __name__ == "__main__":
    main()
