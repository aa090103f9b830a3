#!/usr/bin/env python3
"""Draws verpick's file icon: a disc with a forked arrow (one disc, two ways).

Writes a Windows icon file with one 32 x 32 picture of 256 colours and a 1-bit
mask. Run once by hand when the drawing changes; the icon file is kept in git.
Usage: draw-verpick-icon.py OUT.ico [PREVIEW.ppm]
"""
import math
import struct
import sys

SIZE = 32
SUB = 4  # samples per pixel edge


def disc(x, y):
    """Colour of the disc at (x, y) or None outside it."""
    cx, cy = 13.0, 17.0
    dx, dy = x - cx, y - cy
    r = math.hypot(dx, dy)
    if r > 12.5 or r < 2.2:
        return None
    if r < 4.6:  # the clear hub around the hole
        return (222, 226, 232) if r > 3.0 else (168, 174, 184)
    if r > 11.7:  # the rim
        return (120, 128, 140)
    # Silver with a faint rainbow that turns with the angle, lighter top-left.
    a = math.atan2(dy, dx)
    light = 0.5 + 0.5 * math.cos(a + 2.3)
    base = 170 + 60 * light
    hue = a * 2
    return tuple(max(0, min(255, int(base + 22 * math.sin(hue + k * 2.094)))) for k in range(3))


def segment_distance(px, py, ax, ay, bx, by):
    vx, vy = bx - ax, by - ay
    t = max(0.0, min(1.0, ((px - ax) * vx + (py - ay) * vy) / (vx * vx + vy * vy)))
    return math.hypot(px - (ax + t * vx), py - (ay + t * vy))


def in_triangle(px, py, tri):
    (x1, y1), (x2, y2), (x3, y3) = tri
    d1 = (px - x2) * (y1 - y2) - (x1 - x2) * (py - y2)
    d2 = (px - x3) * (y2 - y3) - (x2 - x3) * (py - y3)
    d3 = (px - x1) * (y3 - y1) - (x3 - x1) * (py - y1)
    neg = d1 < 0 or d2 < 0 or d3 < 0
    pos = d1 > 0 or d2 > 0 or d3 > 0
    return not (neg and pos)


def arrow_head(tip, direction, length, half_width):
    dx, dy = direction
    n = math.hypot(dx, dy)
    dx, dy = dx / n, dy / n
    bx, by = tip[0] - dx * length, tip[1] - dy * length
    return [tip, (bx - dy * half_width, by + dx * half_width), (bx + dy * half_width, by - dx * half_width)]


STEM = [((14.0, 17.0), (20.0, 17.0))]
UPPER = [((20.0, 17.0), (25.0, 10.5))]
LOWER = [((20.0, 17.0), (25.0, 23.5))]
UPPER_HEAD = arrow_head((30.5, 4.0), (5.0, -6.5), 7.5, 4.6)
LOWER_HEAD = arrow_head((30.5, 30.0), (5.0, 6.5), 7.5, 4.6)


def fork(x, y, grow):
    """Which branch of the forked arrow covers (x, y), widened by `grow`."""
    def near(segments, width):
        return any(segment_distance(x, y, *a, *b) <= width + grow for a, b in segments)

    def head(tri):
        if in_triangle(x, y, tri):
            return True
        return grow > 0 and any(segment_distance(x, y, *tri[i], *tri[(i + 1) % 3]) <= grow for i in range(3))

    if near(UPPER, 1.9) or head(UPPER_HEAD):
        return "upper"
    if near(LOWER, 1.9) or head(LOWER_HEAD):
        return "lower"
    if near(STEM, 1.9):
        return "stem"
    return None


COLOURS = {"upper": (46, 170, 72), "lower": (40, 110, 210), "stem": (236, 160, 30)}
OUTLINE = (28, 34, 44)


def sample(x, y):
    part = fork(x, y, 0.0)
    if part:
        c = COLOURS[part]
        shade = 1.0 + 0.25 * max(-1.0, min(1.0, (17.0 - y) / 14.0))
        return tuple(min(255, int(v * shade)) for v in c)
    if fork(x, y, 1.1):
        return OUTLINE
    return disc(x, y)


def render():
    pixels = []
    for py in range(SIZE):
        row = []
        for px in range(SIZE):
            acc = [0, 0, 0]
            hits = 0
            for sy in range(SUB):
                for sx in range(SUB):
                    c = sample(px + (sx + 0.5) / SUB, py + (sy + 0.5) / SUB)
                    if c:
                        hits += 1
                        for k in range(3):
                            acc[k] += c[k]
            if hits * 2 < SUB * SUB:
                row.append(None)
            else:
                row.append(tuple(v // hits for v in acc))
        pixels.append(row)
    return pixels


def palette_of(pixels):
    """At most 256 colours: round until the distinct colours fit."""
    for step in (1, 2, 4, 6, 8, 12, 16, 24, 32):
        def q(c):
            return tuple(min(255, (v + step // 2) // step * step) for v in c)
        colours = sorted({q(c) for row in pixels for c in row if c})
        if len(colours) <= 255:  # entry 0 stays black for the transparent pixels
            return [(0, 0, 0)] + colours, q
    raise SystemExit("too many colours")


def write_icon(path, pixels):
    palette, q = palette_of(pixels)
    index = {c: i for i, c in enumerate(palette)}
    palette += [(0, 0, 0)] * (256 - len(palette))
    xor = bytearray()
    mask = bytearray()
    for row in reversed(pixels):  # rows bottom-up
        xor += bytes(index[q(c)] if c else 0 for c in row)
        bits = 0
        for i, c in enumerate(row):
            if c is None:
                bits |= 1 << (31 - i)
        mask += struct.pack(">I", bits)
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 8, 0, len(xor) + len(mask), 0, 0, 256, 0)
    body = header + b"".join(struct.pack("BBBB", b, g, r, 0) for r, g, b in palette) + bytes(xor) + bytes(mask)
    directory = struct.pack("<HHH", 0, 1, 1) + struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, 1, 8, len(body), 22)
    with open(path, "wb") as f:
        f.write(directory + body)


def write_preview(path, pixels, scale=8):
    with open(path, "wb") as f:
        f.write(b"P6 %d %d 255\n" % (SIZE * scale, SIZE * scale))
        for row in pixels:
            line = b"".join(bytes(c if c else ((200, 200, 200) if (i // 4) % 2 else (240, 240, 240))) * scale
                            for i, c in enumerate(row))
            f.write(line * scale)


if __name__ == "__main__":
    picture = render()
    write_icon(sys.argv[1], picture)
    if len(sys.argv) > 2:
        write_preview(sys.argv[2], picture)
