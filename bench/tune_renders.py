#!/usr/bin/env python3
"""Renders every tune of the data folder through a build of the sound library
with SDL's disk driver, and compares two sets of renderings.

    bench/tune_renders.py render LIBSONOBOX OUTDIR [--data DIR] [--soundfont FILE]
    bench/tune_renders.py compare DIR_A DIR_B

`render` plays each tune once through the library's own exports (DsStart,
DmStart, DmMake, DmPlay, as the game does), in a process of its own, and
keeps what the device played (22,050 Hz, 16-bit stereo) as OUTDIR/<tune>.raw;
--soundfont sets SONOBOX_SOUNDFONT (the game's tune SoundFont, say).
`compare` prints for each tune the sounding length (first to last non-zero
frame), the RMS level and four frequency bands (below 250 Hz, 250-1000,
1000-4000, above 4000; through sox) of the sounding part, and the
differences; whether the sounding parts are identical sample for sample.
"""

import argparse
import array
import ctypes
import glob
import os
import subprocess
import sys
import time

RATE = 22050
FRAME_BYTES = 4
TAIL_SECONDS = 3
BANDS = [("low", "sinc -250"), ("lowmid", "sinc 250-1000"), ("highmid", "sinc 1000-4000"), ("high", "sinc 4000")]
HERE = os.path.dirname(os.path.abspath(__file__))


def play_one(library, tune, output):
    """Runs in the child: the disk driver writes as fast as it can."""
    lib = ctypes.CDLL(library)
    if lib.DsStart(None) or lib.DmStart(None) or lib.DmMake(tune.encode()):
        sys.exit("%s: the library refused it" % tune)
    length = lib.DmLength()
    lib.DmPlay(0)
    # Asking the position takes the synthesizer's lock, which costs the mixer
    # a pass; so ask seldom, once plenty has been played.
    while os.path.getsize(output) < 80 * RATE * FRAME_BYTES:
        time.sleep(0.02)
    while lib.DmPos() < length:
        time.sleep(0.2)
    end = os.path.getsize(output) + TAIL_SECONDS * RATE * FRAME_BYTES
    while os.path.getsize(output) < end:
        time.sleep(0.02)
    lib.DmEnd()
    lib.DsEnd()


def render(args):
    os.makedirs(args.outdir, exist_ok=True)
    for tune in sorted(glob.glob(os.path.join(args.data, "BGM", "*.mid"))):
        name = os.path.splitext(os.path.basename(tune))[0]
        output = os.path.abspath(os.path.join(args.outdir, name + ".raw"))
        env = dict(os.environ, SDL_AUDIODRIVER="disk", SDL_DISKAUDIODELAY="0", SDL_DISKAUDIOFILE=output,
                   SONOBOX_NO_DIALOGS="1")
        if args.soundfont:
            env["SONOBOX_SOUNDFONT"] = os.path.abspath(args.soundfont)
        subprocess.run([sys.executable, __file__, "play", os.path.abspath(args.library), os.path.abspath(tune), output],
                       env=env, check=True, stderr=subprocess.DEVNULL)
        print(name, os.path.getsize(output) // FRAME_BYTES, "frames")


def sounding(path):
    """The sounding part's first frame, its frame count and its bytes."""
    data = array.array("h")
    with open(path, "rb") as f:
        data.frombytes(f.read())
    first = next((i for i, s in enumerate(data) if s), 0) // 2
    last = (len(data) - next((i for i, s in enumerate(reversed(data)) if s), len(data)) + 1) // 2
    return first, max(0, last - first), data[first * 2:last * 2].tobytes()


def level(path, first, frames, effect=""):
    out = subprocess.run("sox -t raw -r %d -e signed -b 16 -c 2 %s -n trim %ds %ds %s stats" %
                         (RATE, path, first, frames, effect), shell=True, capture_output=True, text=True).stderr
    return next(float(l.split()[3]) for l in out.splitlines() if l.startswith("RMS lev dB"))


def measure(path):
    first, frames, samples = sounding(path)
    figures = {"length": frames / RATE, "rms": level(path, first, frames)}
    for name, effect in BANDS:
        figures[name] = level(path, first, frames, effect)
    return figures, samples


def compare(args):
    worst_level = worst_length = 0.0
    identical = 0
    names = sorted(os.path.basename(p) for p in glob.glob(os.path.join(args.dir_a, "*.raw")))
    for name in names:
        a, sa = measure(os.path.join(args.dir_a, name))
        b, sb = measure(os.path.join(args.dir_b, name))
        identical += sa == sb
        worst_length = max(worst_length, abs(b["length"] - a["length"]))
        worst_level = max([worst_level] + [abs(b[k] - a[k]) for k in a if k != "length"])
        print("%-10s %6.2f s %+.3f  " % (name[:-4], a["length"], b["length"] - a["length"]) +
              "  ".join("%s %6.2f %+.3f" % (k, a[k], b[k] - a[k]) for k in a if k != "length") +
              ("  identical" if sa == sb else ""))
    print("largest level difference %.3f dB, largest length difference %.3f s, %d of %d identical" %
          (worst_level, worst_length, identical, len(names)))


def main():
    if len(sys.argv) == 5 and sys.argv[1] == "play":
        play_one(*sys.argv[2:])
        return
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    sub = parser.add_subparsers(dest="command", required=True)
    r = sub.add_parser("render")
    r.add_argument("library")
    r.add_argument("outdir")
    r.add_argument("--data", default=os.path.join(HERE, "..", "gamedata"))
    r.add_argument("--soundfont")
    c = sub.add_parser("compare")
    c.add_argument("dir_a")
    c.add_argument("dir_b")
    args = parser.parse_args()
    (render if args.command == "render" else compare)(args)


if __name__ == "__main__":
    main()
