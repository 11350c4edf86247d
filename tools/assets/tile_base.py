"""What every tile shares: the 32-pixel grid, the palette, a per-pixel
noise, the tile canvas and the grass texture that land tiles start from."""

import random

from pnglib import Image

T = 32

SEA = [0x0C3090, 0x1444B0, 0x2C68D8, 0x78B8F0]
SHALLOW = 0x2C70D8
FOAM = [0xD8F0F8, 0x90C8F0]
SAND = [0xF0D890, 0xD8B868]
GRASS = [0x40A030, 0x2E8428, 0x60BC44, 0x1E6820]
TREE = [0x0C4010, 0x187020, 0x38A030, 0x70D050]
ROCK = [0xC8A880, 0x8C6C48, 0x5C4430, 0x302418]
SNOW = [0xF0F0F0, 0xC0CCE0]
ASPHALT = [0x585860, 0x484850, 0x9898A0]
CONCRETE = [0x8C8C90, 0x74747C, 0xA8A8B0]
DUNE = [0xE8C878, 0xD0A858, 0xF8E0A0, 0xA88040]
METAL = [0x687890, 0x505C74, 0x8C9CB4, 0x2C3444]


def noise(x, y, seed):
    rng = random.Random((x * 73856093) ^ (y * 19349663) ^ (seed * 83492791))
    return rng.random()


class Tile:
    def __init__(self):
        self.img = Image(T, T)
        self.opaque = [[True] * T for _ in range(T)]

    def set(self, x, y, colour):
        if 0 <= x < T and 0 <= y < T:
            self.img.set(x, y, colour)

    def clear(self, x, y):
        self.opaque[y][x] = False


def grass_texture(x, y):
    h = noise(x, y, 7)
    if h < 0.10:
        return GRASS[1]
    if h < 0.16:
        return GRASS[2]
    if h < 0.18 and noise(x, y - 1, 7) >= 0.1:
        return GRASS[3]
    return GRASS[0]


def lighten(c):
    return tuple_to(min(255, ch + 40) for ch in to_tuple(c))


def darken(c):
    return tuple_to(ch * 3 // 5 for ch in to_tuple(c))


def to_tuple(c):
    return ((c >> 16) & 255, (c >> 8) & 255, c & 255)


def tuple_to(t):
    r, g, b = list(t)
    return (r << 16) | (g << 8) | b
