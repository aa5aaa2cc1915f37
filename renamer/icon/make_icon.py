#!/usr/bin/env python3
"""Draws Pelmora's application icon and writes it as renamer/pelmora.ico.

One icon resource, sixteen images: 48, 32, 24 and 16 pixels at 16 and at 256
colours, and 128, 96, 72, 64, 48, 32, 24 and 16 pixels at 32 bits with alpha.
The artwork is a blue tile with a white page and an orange arrow (a file
that gets a new name). Standard library only, so the output is the same on
every machine:  python3 renamer/icon/make_icon.py [output.ico]
"""
import os
import struct
import sys

BLUE_TOP = (52, 116, 220)
BLUE_BOTTOM = (20, 60, 140)
EDGE = (12, 36, 90)
PAGE = (255, 255, 255)
LINES = (150, 160, 175)
ORANGE = (255, 150, 30)


def inside_rounded(u, v, x0, y0, x1, y1, r):
    if u < x0 or u > x1 or v < y0 or v > y1:
        return False
    cx = min(max(u, x0 + r), x1 - r)
    cy = min(max(v, y0 + r), y1 - r)
    return (u - cx) ** 2 + (v - cy) ** 2 <= r * r


def inside_triangle(u, v, a, b, c):
    def side(p, q):
        return (q[0] - p[0]) * (v - p[1]) - (q[1] - p[1]) * (u - p[0])
    s1, s2, s3 = side(a, b), side(b, c), side(c, a)
    return (s1 >= 0 and s2 >= 0 and s3 >= 0) or (s1 <= 0 and s2 <= 0 and s3 <= 0)


def artwork(u, v):
    """Colour (r, g, b) or None (transparent) at a point of the unit square."""
    if not inside_rounded(u, v, 0.03, 0.03, 0.97, 0.97, 0.18):
        return None
    colour = None
    # The arrow lies over the page, the page over the tile.
    if (0.40 <= u <= 0.70 and 0.64 <= v <= 0.80) or inside_triangle(
            u, v, (0.66, 0.52), (0.93, 0.72), (0.66, 0.92)):
        colour = ORANGE
    elif 0.20 <= u <= 0.64 and 0.12 <= v <= 0.78 and not (u - 0.50 > v - 0.12 + 0.0):
        # A page with its top right corner folded away.
        colour = PAGE
        for top in (0.30, 0.40, 0.50):
            if 0.27 <= u <= 0.56 and top <= v <= top + 0.045:
                colour = LINES
    elif 0.50 <= u <= 0.64 and 0.12 <= v <= 0.26 and u - 0.50 <= v - 0.12 + 0.02:
        colour = LINES  # the folded corner
    if colour is None:
        if not inside_rounded(u, v, 0.075, 0.075, 0.925, 0.925, 0.14):
            return EDGE
        t = v
        colour = tuple(round(a + (b - a) * t) for a, b in zip(BLUE_TOP, BLUE_BOTTOM))
    return colour


def render(size, samples=4):
    """Rows of (r, g, b, a), top row first, anti-aliased by supersampling."""
    rows = []
    for y in range(size):
        row = []
        for x in range(size):
            r = g = b = covered = 0
            for sy in range(samples):
                for sx in range(samples):
                    c = artwork((x + (sx + 0.5) / samples) / size, (y + (sy + 0.5) / samples) / size)
                    if c is not None:
                        r += c[0]
                        g += c[1]
                        b += c[2]
                        covered += 1
            if covered:
                row.append((round(r / covered), round(g / covered), round(b / covered),
                            round(255 * covered / samples ** 2)))
            else:
                row.append((0, 0, 0, 0))
        rows.append(row)
    return rows


VGA16 = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
         (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
         (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]


def palette256():
    levels = (0, 51, 102, 153, 204, 255)
    colours = [(r, g, b) for r in levels for g in levels for b in levels]
    colours += VGA16
    colours += [(v, v, v) for v in range(8, 248, 10)][:256 - len(colours)]
    return colours[:256]


def nearest(palette, colour):
    return min(range(len(palette)),
               key=lambda i: sum((p - c) ** 2 for p, c in zip(palette[i], colour)))


def row_bytes(bits, width):
    return ((bits * width + 31) // 32) * 4


def and_mask(rows, size):
    out = bytearray()
    for row in reversed(rows):
        line = bytearray(row_bytes(1, size))
        for x, (_, _, _, a) in enumerate(row):
            if a < 128:
                line[x // 8] |= 0x80 >> (x % 8)
        out += line
    return bytes(out)


def dib(rows, size, bits):
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, bits, 0, 0, 0, 0,
                         0 if bits == 32 else 1 << bits, 0)
    pixels = bytearray()
    palette_bytes = b''
    if bits == 32:
        for row in reversed(rows):
            for r, g, b, a in row:
                pixels += bytes((b, g, r, a))
    else:
        palette = VGA16 if bits == 4 else palette256()
        palette_bytes = b''.join(bytes((b, g, r, 0)) for r, g, b in palette)
        cache = {}
        for row in reversed(rows):
            indices = []
            for r, g, b, a in row:
                colour = (r, g, b) if a >= 128 else (0, 0, 0)
                if colour not in cache:
                    cache[colour] = nearest(palette, colour)
                indices.append(cache[colour])
            line = bytearray(row_bytes(bits, size))
            for x, index in enumerate(indices):
                if bits == 8:
                    line[x] = index
                else:
                    line[x // 2] |= index << (4 if x % 2 == 0 else 0)
            pixels += line
    return header + palette_bytes + bytes(pixels) + and_mask(rows, size)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    output = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, '..', 'pelmora.ico')
    images = [(s, 4) for s in (48, 32, 24, 16)] + [(s, 8) for s in (48, 32, 24, 16)] + \
             [(s, 32) for s in (128, 96, 72, 64, 48, 32, 24, 16)]
    renders = {}
    blobs = []
    for size, bits in images:
        if size not in renders:
            renders[size] = render(size)
        blobs.append(dib(renders[size], size, bits))
    directory = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for (size, bits), blob in zip(images, blobs):
        directory += struct.pack('<BBBBHHII', size % 256, size % 256, 16 if bits == 4 else 0, 0, 1, bits,
                                 len(blob), offset)
        offset += len(blob)
    with open(output, 'wb') as f:
        f.write(directory + b''.join(blobs))


if __name__ == '__main__':
    main()
