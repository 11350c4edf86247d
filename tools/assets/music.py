#!/usr/bin/env python3
"""Turns the tune notation in tools/assets/music/*.tune into standard MIDI
files (format 1, 768 ticks per quarter note) in gamedata/BGM.

Run from the repository root. Every tune is checked while it is read: bar
lines must fall on bars, every track must run exactly to the tune's end, and
the end falls on a bar line, so the piece loops without a seam.

The notation, one statement per line (a '#' at the start of a line or after
a space starts a comment; indented lines continue the statement above them):

  title Stage 1 - Take-off        name stored in the file
  tempo 132                       quarter notes per minute
  level -2.5                      dB for every track's volume, to even
                                  the tunes out (no volume may pass 127)
  meter 4/4                       time signature, before any phrase
  key D                           key signature: C, F#, Bb, Am, C#m, ...
  track lead channel=1 program=80 volume=100 pan=64 reverb=40 chorus=0
        velocity=96 gate=0.9      one channel per track (10 for drums);
                                  gate is the sounding fraction of a note
  phrase name:                    a melody or chord line
      d5:8 f#5 a5:4 | c#6:4. b5:8 a5:4 e5 |
  drums name grid=16:             a drum pattern, one lane per line,
      kick  x.......x.x.....      one step per character ('.' rest,
      snare ....x.......x...      'x' hit, 'X' accent, 'g' ghost);
                                  grid=16 makes a step a sixteenth note
  play lead: intro theme*2 theme^5 ...

Inside a phrase:
  d5:8      a note (scientific pitch, c4 is middle C) with its duration:
            1 whole, 2 half, 4 quarter, 8 eighth, 16, 32; '.' dots it,
            't' makes it a triplet value, '~' ties values: 2~8
  f#5       without a duration the previous one (quarter at the start)
  c4+e4+g4  notes sounding together
  r:4       a rest
  a5!       accented note
  v80       velocity for the notes that follow in this phrase
  |         bar check: the phrase must be at a bar line here

In a play line, name^N transposes a phrase by N semitones, name@N plays
it N velocity steps louder (or softer: @-12), and name*K repeats it K
times (name^-5@8*2 does all three). A phrase's own v marks and accents
shape it; @ gives each section of the song its loudness.
"""

import glob
import os
import re
import struct
import sys

DIVISION = 768
WHOLE = 4 * DIVISION
SOURCE_DIR = os.path.join("tools", "assets", "music")
OUT_DIR = os.path.join("gamedata", "BGM")

DRUM_KEYS = {
    "kick": 36, "kick2": 35, "rim": 37, "snare": 38, "clap": 39, "snare2": 40,
    "tom4": 41, "hat": 42, "tom3": 45, "pedal": 44, "open": 46, "tom2": 47,
    "tom1": 50, "crash": 49, "ride": 51, "china": 52, "bell": 53, "tamb": 54,
    "splash": 55, "cowbell": 56, "crash2": 57, "shaker": 70, "timbale": 65,
}
# Velocity change of each drum mark against the track's velocity.
DRUM_HITS = {"x": 0, "X": 24, "g": -36}
ACCENT = 16

KEY_SIGNATURES = {
    "Cb": -7, "Gb": -6, "Db": -5, "Ab": -4, "Eb": -3, "Bb": -2, "F": -1,
    "C": 0, "G": 1, "D": 2, "A": 3, "E": 4, "B": 5, "F#": 6, "C#": 7,
    "Abm": -7, "Ebm": -6, "Bbm": -5, "Fm": -4, "Cm": -3, "Gm": -2, "Dm": -1,
    "Am": 0, "Em": 1, "Bm": 2, "F#m": 3, "C#m": 4, "G#m": 5, "D#m": 6,
    "A#m": 7,
}

# A comment starts with a '#' that opens the line or follows a space; the
# '#' inside f#5 is a sharp.
COMMENT_RE = re.compile(r"(^|\s)#.*$")
NOTE_OFFSETS = {"c": 0, "d": 2, "e": 4, "f": 5, "g": 7, "a": 9, "b": 11}
PITCH_RE = re.compile(r"^([a-g])([#b]?)(-?\d)$")
NOTE_RE = re.compile(r"^(?P<pitches>[^:!]+)(?::(?P<dur>[0-9.t~]+))?(?P<accent>!?)$")
DURATION_RE = re.compile(r"^(1|2|4|8|16|32)(t?)(\.?)$")
ITEM_RE = re.compile(r"^(?P<name>[A-Za-z_][\w]*)(?:\^(?P<shift>-?\d+))?(?:@(?P<louder>[-+]?\d+))?"
                     r"(?:\*(?P<times>\d+))?$")

TRACK_DEFAULTS = {"channel": None, "program": 0, "volume": 100, "pan": 64,
                  "reverb": 40, "chorus": 0, "velocity": 96, "gate": 0.9}


class TuneError(Exception):
    pass


# ---- reading the notation ----------------------------------------------------

def statements(text):
    """Yields (line number, head line, continuation lines)."""
    current = None
    for number, raw in enumerate(text.splitlines(), start=1):
        line = COMMENT_RE.sub("", raw).rstrip()
        if not line.strip():
            continue
        if line[0] in " \t":
            if current is None:
                raise TuneError(f"line {number}: indented line without a statement")
            current[2].append(line.strip())
        else:
            if current is not None:
                yield current
            current = (number, line.strip(), [])
    if current is not None:
        yield current


def parse_pitch(text):
    match = PITCH_RE.match(text)
    if not match:
        raise TuneError(f"bad pitch '{text}'")
    letter, accidental, octave = match.groups()
    pitch = 12 * (int(octave) + 1) + NOTE_OFFSETS[letter]
    pitch += {"#": 1, "b": -1, "": 0}[accidental]
    if not 0 <= pitch <= 127:
        raise TuneError(f"pitch '{text}' outside the MIDI range")
    return pitch


def parse_duration(text):
    total = 0
    for part in text.split("~"):
        match = DURATION_RE.match(part)
        if not match:
            raise TuneError(f"bad duration '{text}'")
        value, triplet, dot = match.groups()
        ticks = WHOLE // int(value)
        if triplet:
            ticks = ticks * 2 // 3
        if dot:
            ticks = ticks * 3 // 2
        total += ticks
    return total


class Phrase:
    """Notes as (start tick, length in ticks, key, velocity, change) and a
    length. velocity is None where the track's own applies; change is added."""

    def __init__(self, name, notes, length, is_drums=False):
        self.name, self.notes, self.length = name, notes, length
        self.is_drums = is_drums


def parse_phrase(name, tokens, bar_ticks):
    notes, position, duration, velocity = [], 0, DIVISION, None
    for token in tokens:
        if token == "|":
            if position % bar_ticks:
                raise TuneError(f"phrase {name}: bar line at tick {position} "
                                f"is {position % bar_ticks} ticks off the bar")
            continue
        if re.fullmatch(r"v\d+", token):
            velocity = int(token[1:])
            if not 1 <= velocity <= 127:
                raise TuneError(f"phrase {name}: velocity outside 1 to 127")
            continue
        match = NOTE_RE.match(token)
        if not match:
            raise TuneError(f"phrase {name}: cannot read '{token}'")
        if match["dur"]:
            duration = parse_duration(match["dur"])
        if match["pitches"] != "r":
            change = ACCENT if match["accent"] else 0
            pitches = match["pitches"].split("+")
            if len(set(pitches)) != len(pitches):
                raise TuneError(f"phrase {name}: '{token}' names a note twice")
            for pitch in pitches:
                notes.append((position, duration, parse_pitch(pitch), velocity, change))
        position += duration
    return Phrase(name, notes, position)


def parse_drums(name, options, lines):
    grid = int(options.get("grid", 16))
    step = WHOLE // grid
    if step * grid != WHOLE:
        raise TuneError(f"drums {name}: grid {grid} does not divide a whole note")
    notes, steps, lanes = [], None, set()
    for line in lines:
        lane, _, pattern = line.partition(" ")
        if lane not in DRUM_KEYS:
            raise TuneError(f"drums {name}: unknown lane '{lane}'")
        if lane in lanes:
            raise TuneError(f"drums {name}: lane '{lane}' appears twice")
        lanes.add(lane)
        pattern = pattern.replace(" ", "").replace("|", "")
        if steps is None:
            steps = len(pattern)
        elif len(pattern) != steps:
            raise TuneError(f"drums {name}: lane '{lane}' has {len(pattern)} "
                            f"steps, the first lane {steps}")
        for index, mark in enumerate(pattern):
            if mark == ".":
                continue
            if mark not in DRUM_HITS:
                raise TuneError(f"drums {name}: unknown mark '{mark}'")
            notes.append((index * step, step, DRUM_KEYS[lane], None, DRUM_HITS[mark]))
    return Phrase(name, notes, (steps or 0) * step, is_drums=True)


def parse_options(words, where):
    options = {}
    for word in words:
        key, sep, value = word.partition("=")
        if not sep:
            raise TuneError(f"{where}: expected key=value, got '{word}'")
        options[key] = value
    return options


class Track:
    def __init__(self, name, options):
        unknown = set(options) - set(TRACK_DEFAULTS)
        if unknown:
            raise TuneError(f"track {name}: unknown settings {sorted(unknown)}")
        settings = dict(TRACK_DEFAULTS)
        settings.update(options)
        if settings["channel"] is None:
            raise TuneError(f"track {name}: no channel")
        self.name = name
        self.channel = int(settings["channel"]) - 1
        if not 0 <= self.channel <= 15:
            raise TuneError(f"track {name}: channel outside 1 to 16")
        for key in ("program", "volume", "pan", "reverb", "chorus", "velocity"):
            value = int(settings[key])
            if not 0 <= value <= 127:
                raise TuneError(f"track {name}: {key} outside 0 to 127")
            setattr(self, key, value)
        self.gate = float(settings["gate"])
        if not 0.0 < self.gate < 1.0:
            raise TuneError(f"track {name}: gate must lie between 0 and 1")
        self.is_drums = self.channel == 9
        self.notes = []
        self.length = 0


class Tune:
    def __init__(self):
        self.title = ""
        self.tempo = 120
        self.level = 0.0
        self.meter = (4, 4)
        self.key = None
        self.tracks = {}
        self.phrases = {}

    @property
    def bar_ticks(self):
        numerator, denominator = self.meter
        return numerator * WHOLE // denominator

    def add_phrase(self, phrase):
        if phrase.name in self.phrases:
            raise TuneError(f"phrase {phrase.name} is defined twice")
        self.phrases[phrase.name] = phrase

    def play(self, track_name, items):
        track = self.tracks.get(track_name)
        if track is None:
            raise TuneError(f"play: no track named '{track_name}'")
        for item in items:
            match = ITEM_RE.match(item)
            if not match:
                raise TuneError(f"play {track_name}: cannot read '{item}'")
            phrase = self.phrases.get(match["name"])
            if phrase is None:
                raise TuneError(f"play {track_name}: no phrase named '{match['name']}'")
            if phrase.is_drums != track.is_drums:
                raise TuneError(f"play {track_name}: '{phrase.name}' is "
                                f"{'a drum' if phrase.is_drums else 'a note'} phrase")
            shift = int(match["shift"] or 0)
            louder = int(match["louder"] or 0)
            for _ in range(int(match["times"] or 1)):
                for start, length, key, velocity, change in phrase.notes:
                    if not 0 <= key + shift <= 127:
                        raise TuneError(f"play {track_name}: {item} leaves the MIDI range")
                    loudness = max(1, min(127, (velocity or track.velocity) + change + louder))
                    track.notes.append((track.length + start, length, key + shift, loudness))
                track.length += phrase.length

    def length(self):
        lengths = {track.length for track in self.tracks.values()}
        if len(lengths) != 1:
            detail = ", ".join(f"{t.name} {t.length / self.bar_ticks:g} bars"
                               for t in self.tracks.values())
            raise TuneError(f"tracks differ in length: {detail}")
        total = lengths.pop()
        if total == 0 or total % self.bar_ticks:
            raise TuneError(f"the tune is {total / self.bar_ticks:g} bars long, "
                            "not a whole number")
        return total


def read_tune(text):
    tune = Tune()
    for number, head, more in statements(text):
        try:
            apply_statement(tune, head, more)
        except TuneError as error:
            raise TuneError(f"line {number}: {error}") from None
    if not tune.tracks:
        raise TuneError("no tracks")
    return tune


def apply_statement(tune, head, more):
    word, _, rest = head.partition(" ")
    if word == "title":
        tune.title = rest.strip()
    elif word == "tempo":
        tune.tempo = float(rest)
        if not 20 <= tune.tempo <= 300:
            raise TuneError("tempo outside 20 to 300")
    elif word == "level":
        tune.level = float(rest)
        if not -24 <= tune.level <= 12:
            raise TuneError("level outside -24 to 12 dB")
    elif word == "meter":
        numerator, denominator = (int(n) for n in rest.split("/"))
        if denominator not in (2, 4, 8, 16) or not 1 <= numerator <= 32:
            raise TuneError(f"bad meter '{rest}'")
        if tune.phrases:
            raise TuneError("meter must come before the phrases it measures")
        tune.meter = (numerator, denominator)
    elif word == "key":
        if rest.strip() not in KEY_SIGNATURES:
            raise TuneError(f"unknown key '{rest}'")
        tune.key = rest.strip()
    elif word == "track":
        name, *options = rest.split()
        if name in tune.tracks:
            raise TuneError(f"track {name} is defined twice")
        track = Track(name, parse_options(options + more, f"track {name}"))
        if any(t.channel == track.channel for t in tune.tracks.values()):
            raise TuneError(f"track {name}: channel {track.channel + 1} is taken")
        tune.tracks[name] = track
    elif word == "phrase":
        name, colon, inline = rest.partition(":")
        if not colon:
            raise TuneError(f"phrase {name.strip()}: missing ':'")
        name = name.strip()
        tokens = (inline + " " + " ".join(more)).split()
        tune.add_phrase(parse_phrase(name, tokens, tune.bar_ticks))
    elif word == "drums":
        head, colon, inline = rest.partition(":")
        if not colon or inline.strip():
            raise TuneError("drums: write ':' at the end of the line, the lanes below it")
        name, *options = head.split()
        tune.add_phrase(parse_drums(name, parse_options(options, f"drums {name}"), more))
    elif word == "play":
        target, _, items = rest.partition(":")
        tune.play(target.strip(), (items + " " + " ".join(more)).split())
    else:
        raise TuneError(f"unknown statement '{word}'")


# ---- writing the standard MIDI file --------------------------------------------

def variable_length(value):
    out = [value & 0x7F]
    value >>= 7
    while value:
        out.append(0x80 | (value & 0x7F))
        value >>= 7
    return bytes(reversed(out))


def meta(kind, data):
    return bytes([0xFF, kind]) + variable_length(len(data)) + data


# Order of events that share a tick: note-offs first, so that a repeated
# key starts cleanly; settings before the notes they shape.
OFF, SETTING, ON = 0, 1, 2


def track_chunk(timed_events, end_tick):
    """timed_events: (tick, order, bytes). The chunk ends exactly at end_tick."""
    body, now = bytearray(), 0
    for tick, _, data in sorted(timed_events, key=lambda e: (e[0], e[1])):
        body += variable_length(tick - now) + data
        now = tick
    body += variable_length(end_tick - now) + meta(0x2F, b"")
    return b"MTrk" + struct.pack(">I", len(body)) + bytes(body)


def conductor_chunk(tune, end_tick):
    numerator, denominator = tune.meter
    events = [
        (0, SETTING, meta(0x03, tune.title.encode("ascii", "replace"))),
        (0, SETTING, meta(0x58, bytes([numerator, denominator.bit_length() - 1, 24, 8]))),
        (0, SETTING, meta(0x51, round(60_000_000 / tune.tempo).to_bytes(3, "big"))),
    ]
    if tune.key:
        minor = 1 if tune.key.endswith("m") else 0
        sharps = KEY_SIGNATURES[tune.key]
        events.append((0, SETTING, meta(0x59, bytes([sharps & 0xFF, minor]))))
    return track_chunk(events, end_tick)


def scaled_volume(track, level):
    """The track's volume moved by level dB: the synthesizer's gain goes
    with the square of the volume controller, 40 log10(v / 127) dB."""
    volume = round(track.volume * 10 ** (level / 40))
    if volume > 127:
        raise TuneError(f"track {track.name}: level {level:g} dB takes its volume to {volume}, past 127")
    return volume


def instrument_chunk(track, end_tick, level):
    ch = track.channel
    events = [(0, SETTING, meta(0x03, track.name.encode("ascii")))]
    for controller, value in ((7, scaled_volume(track, level)), (10, track.pan),
                              (91, track.reverb), (93, track.chorus)):
        events.append((0, SETTING, bytes([0xB0 | ch, controller, value])))
    events.append((0, SETTING, bytes([0xC0 | ch, track.program])))
    for start, length, key, velocity in track.notes:
        sounding = max(1, int(length * track.gate))
        events.append((start, ON, bytes([0x90 | ch, key, velocity])))
        events.append((start + sounding, OFF, bytes([0x80 | ch, key, 0])))
    return track_chunk(events, end_tick)


def midi_bytes(tune):
    end_tick = tune.length()
    tracks = [conductor_chunk(tune, end_tick)]
    tracks += [instrument_chunk(t, end_tick, tune.level) for t in tune.tracks.values()]
    header = b"MThd" + struct.pack(">IHHH", 6, 1, len(tracks), DIVISION)
    return header + b"".join(tracks)


def seconds(tune):
    return tune.length() / DIVISION * 60.0 / tune.tempo


def main():
    sources = sorted(glob.glob(os.path.join(SOURCE_DIR, "*.tune")))
    if not sources:
        sys.exit(f"no tunes found in {SOURCE_DIR}")
    os.makedirs(OUT_DIR, exist_ok=True)
    failed = False
    for source in sources:
        name = os.path.splitext(os.path.basename(source))[0]
        try:
            with open(source, encoding="utf-8") as f:
                tune = read_tune(f.read())
            data = midi_bytes(tune)
        except (TuneError, ValueError) as error:
            print(f"{source}: {error}", file=sys.stderr)
            failed = True
            continue
        path = os.path.join(OUT_DIR, name + ".mid")
        with open(path, "wb") as out:
            out.write(data)
        bars = tune.length() // tune.bar_ticks
        print(f"wrote {path}: {bars} bars, {seconds(tune):.1f} s")
    if failed:
        sys.exit(1)


if __name__ == "__main__":
    main()
