"""A small RGB image type with an 8-bit RGB PNG writer and reader.

Only the standard library is used. The reader understands what the writer
produces plus the common 8-bit grey, RGB, palette and alpha PNG variants
(non-interlaced), which is all the asset tools need.
"""

import struct
import zlib

WHITE = 0xFFFFFF
BLACK = 0x000000


class Image:
    """Pixels are 0xRRGGBB integers, row-major."""

    def __init__(self, width, height, fill=BLACK):
        self.width = width
        self.height = height
        self.pixels = [fill] * (width * height)

    def get(self, x, y):
        return self.pixels[y * self.width + x]

    def set(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.pixels[y * self.width + x] = colour

    def inside(self, x, y):
        return 0 <= x < self.width and 0 <= y < self.height

    def fill_rect(self, x, y, w, h, colour):
        for yy in range(max(0, y), min(self.height, y + h)):
            for xx in range(max(0, x), min(self.width, x + w)):
                self.pixels[yy * self.width + xx] = colour

    def paste(self, src, dx, dy, sx=0, sy=0, w=None, h=None):
        w = src.width - sx if w is None else w
        h = src.height - sy if h is None else h
        for yy in range(h):
            for xx in range(w):
                self.set(dx + xx, dy + yy, src.get(sx + xx, sy + yy))

    def crop(self, x, y, w, h):
        out = Image(w, h)
        out.paste(self, 0, 0, x, y, w, h)
        return out

    def scaled(self, factor):
        out = Image(self.width * factor, self.height * factor)
        for y in range(out.height):
            row = y // factor * self.width
            for x in range(out.width):
                out.pixels[y * out.width + x] = self.pixels[row + x // factor]
        return out


def _chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)


def encode_png(image):
    raw = bytearray()
    for y in range(image.height):
        raw.append(0)  # filter: none
        for p in image.pixels[y * image.width:(y + 1) * image.width]:
            raw += bytes(((p >> 16) & 255, (p >> 8) & 255, p & 255))
    header = struct.pack(">IIBBBBB", image.width, image.height, 8, 2, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + _chunk(b"IHDR", header)
            + _chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + _chunk(b"IEND", b""))


def write_png(path, image):
    data = encode_png(image)
    with open(path, "wb") as f:
        f.write(data)


def _paeth(a, b, c):
    p = a + b - c
    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
    if pa <= pb and pa <= pc:
        return a
    return b if pb <= pc else c


def _unfilter(data, width, height, bpp):
    stride = width * bpp
    rows = []
    prev = bytearray(stride)
    pos = 0
    for _ in range(height):
        kind = data[pos]
        line = bytearray(data[pos + 1:pos + 1 + stride])
        pos += 1 + stride
        for i in range(stride):
            a = line[i - bpp] if i >= bpp else 0
            b = prev[i]
            c = prev[i - bpp] if i >= bpp else 0
            if kind == 1:
                line[i] = (line[i] + a) & 255
            elif kind == 2:
                line[i] = (line[i] + b) & 255
            elif kind == 3:
                line[i] = (line[i] + ((a + b) >> 1)) & 255
            elif kind == 4:
                line[i] = (line[i] + _paeth(a, b, c)) & 255
            elif kind != 0:
                raise ValueError("bad PNG filter %d" % kind)
        rows.append(line)
        prev = line
    return rows


def decode_png(data):
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise ValueError("not a PNG file")
    pos = 8
    idat = bytearray()
    palette = None
    width = height = depth = colour = interlace = None
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        pos += 12 + length
        if kind == b"IHDR":
            width, height, depth, colour, _, _, interlace = struct.unpack(">IIBBBBB", body)
        elif kind == b"PLTE":
            palette = [tuple(body[i:i + 3]) for i in range(0, len(body), 3)]
        elif kind == b"IDAT":
            idat += body
        elif kind == b"IEND":
            break
    channels = {0: 1, 2: 3, 3: 1, 4: 2, 6: 4}.get(colour)
    if depth != 8 or channels is None or interlace:
        raise ValueError("unsupported PNG variant")
    rows = _unfilter(zlib.decompress(bytes(idat)), width, height, channels)
    image = Image(width, height)
    for y, line in enumerate(rows):
        for x in range(width):
            px = line[x * channels:(x + 1) * channels]
            if colour == 3:
                r, g, b = palette[px[0]]
            elif colour in (0, 4):
                r = g = b = px[0]
            else:
                r, g, b = px[0], px[1], px[2]
            image.pixels[y * width + x] = (r << 16) | (g << 8) | b
    return image


def read_png(path):
    with open(path, "rb") as f:
        return decode_png(f.read())


def encode_rgba_png(width, height, rgba):
    """8-bit RGBA PNG from a row-major list of (r, g, b, a) tuples."""
    raw = bytearray()
    for y in range(height):
        raw.append(0)  # filter: none
        for pixel in rgba[y * width:(y + 1) * width]:
            raw += bytes(pixel)
    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + _chunk(b"IHDR", header)
            + _chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + _chunk(b"IEND", b""))
