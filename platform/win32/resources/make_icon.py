#!/usr/bin/env python3
"""Draws Pelorin's icon: a smiling face with happy closed eyes, 32 x 32 pixels,
256 colours (a 6x6x6 colour cube and a grey ramp), written as pelorin.ico.

Run it again only to change the icon: python3 make_icon.py > pelorin.ico
"""
import math
import struct
import sys

SIZE = 32
SAMPLES = 4  # per axis, for round edges

OUTLINE = (74, 48, 24)
FACE = (255, 214, 82)
CHEEK = (255, 140, 150)


def segment_distance(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    t = max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy)))
    return math.hypot(px - (ax + t * dx), py - (ay + t * dy))


def shade(x, y):
    """Colour and coverage (0..1) of one sample point."""
    r = math.hypot(x - 16, y - 16)
    if r > 15.0:
        return None
    if r > 13.4:
        return OUTLINE
    eyes = [((8.5, 14.0), (11.0, 11.0)), ((11.0, 11.0), (13.5, 14.0)),
            ((18.5, 14.0), (21.0, 11.0)), ((21.0, 11.0), (23.5, 14.0))]
    for a, b in eyes:
        if segment_distance(x, y, *a, *b) < 0.9:
            return OUTLINE
    mouth = math.hypot(x - 16, y - 17.5)
    if y > 17.5 and abs(mouth - 5.0) < 0.9:
        return OUTLINE
    for cx in (7.5, 24.5):
        if math.hypot((x - cx) / 1.4, y - 19.5) < 1.7:
            return CHEEK
    return FACE


def palette():
    colours = [(r * 51, g * 51, b * 51) for r in range(6) for g in range(6) for b in range(6)]
    colours += [(int(i * 255 / 39),) * 3 for i in range(40)]
    return colours


def nearest(colours, rgb):
    return min(range(len(colours)),
               key=lambda i: sum((c - v) ** 2 for c, v in zip(colours[i], rgb)))


def render():
    colours = palette()
    pixels, mask = [], []
    for row in range(SIZE):
        for col in range(SIZE):
            hits = []
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    got = shade(col + (sx + 0.5) / SAMPLES, row + (sy + 0.5) / SAMPLES)
                    if got is not None:
                        hits.append(got)
            if len(hits) * 2 < SAMPLES * SAMPLES:
                pixels.append(0)
                mask.append(1)
                continue
            # The colour most samples saw: crisp edges, no muddy blends.
            major = max(set(hits), key=hits.count)
            pixels.append(nearest(colours, major))
            mask.append(0)
    return colours, pixels, mask


def ico(colours, pixels, mask):
    xor = b"".join(bytes(pixels[row * SIZE:(row + 1) * SIZE]) for row in reversed(range(SIZE)))
    andmask = b""
    for row in reversed(range(SIZE)):
        bits = mask[row * SIZE:(row + 1) * SIZE]
        andmask += bytes(sum(bits[i * 8 + j] << (7 - j) for j in range(8)) for i in range(4))
    table = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in colours)
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 8, 0,
                         len(xor) + len(andmask), 0, 0, 256, 0)
    image = header + table + xor + andmask
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, 1, 8, len(image), 6 + 16)
    return directory + entry + image


if __name__ == "__main__":
    sys.stdout.buffer.write(ico(*render()))
