#!/usr/bin/env python3
"""Writes the small picture files that the Windows tests decode.

The pixels follow the patterns that tests/win/PictureTest.cpp expects:
palette index (x + 2y) mod colours for the palette formats, and a colour
computed from x and y for the true-colour ones. The JPEG and the GIF are made
from the same palette pattern with ImageMagick (`convert`).

Run from the repository root: scripts/make-picture-fixtures.py
"""
import os
import struct
import subprocess
import tempfile

OUT = "tests/fixtures/pictures"


def palette_colour(i):
    return ((i * 37 + 11) & 255, (i * 91 + 5) & 255, (i * 53 + 200) & 255)  # r, g, b


def true_colour(x, y):
    return ((x * 20 + y * 3) & 255, (y * 40 + 7) & 255, (x * y * 5 + 1) & 255)


def bmp(name, width, height, bits, top_down=False):
    colours = 1 << bits if bits <= 8 else 0
    stride = (width * bits + 31) // 32 * 4
    rows = []
    for y in range(height):
        row = bytearray()
        if bits <= 8:
            acc, n = 0, 0
            for x in range(width):
                acc = (acc << bits) | ((x + 2 * y) % colours)
                n += bits
                if n == 8:
                    row.append(acc)
                    acc, n = 0, 0
            if n:
                row.append(acc << (8 - n))
        else:
            for x in range(width):
                r, g, b = true_colour(x, y)
                row += bytes((b, g, r)) + (b"\0" if bits == 32 else b"")
        rows.append(bytes(row.ljust(stride, b"\0")))
    stored = rows if top_down else rows[::-1]
    table = b"".join(bytes((b, g, r, 0)) for r, g, b in map(palette_colour, range(colours)))
    offset = 14 + 40 + len(table)
    image = b"".join(stored)
    info = struct.pack("<IiiHHIIiiII", 40, width, -height if top_down else height, 1, bits, 0, len(image),
                       2835, 2835, colours, 0)
    header = struct.pack("<2sIHHI", b"BM", offset + len(image), 0, 0, offset)
    with open(os.path.join(OUT, name), "wb") as f:
        f.write(header + info + table + image)


def via_imagemagick(name, width, height, colours, *options):
    with tempfile.TemporaryDirectory() as tmp:
        ppm = os.path.join(tmp, "pattern.ppm")
        with open(ppm, "wb") as f:
            f.write(b"P6 %d %d 255\n" % (width, height))
            for y in range(height):
                for x in range(width):
                    f.write(bytes(palette_colour((x + 2 * y) % colours)))
        subprocess.run(["convert", ppm, *options, os.path.join(OUT, name)], check=True)


os.makedirs(OUT, exist_ok=True)
bmp("bmp_1bit_13x7.bmp", 13, 7, 1)
bmp("bmp_4bit_11x5.bmp", 11, 5, 4)
bmp("bmp_8bit_17x9.bmp", 17, 9, 8)
bmp("bmp_24bit_15x6.bmp", 15, 6, 24)
bmp("bmp_32bit_9x4.bmp", 9, 4, 32)
bmp("bmp_24bit_top_down_5x3.bmp", 5, 3, 24, top_down=True)
via_imagemagick("gif_16colours_19x11.gif", 19, 11, 16)
via_imagemagick("jpeg_33x21.jpg", 33, 21, 4, "-quality", "95", "-sampling-factor", "1x1")
with open(os.path.join(OUT, "not_a_picture.bmp"), "wb") as f:
    f.write(b"BM this is text, not a picture\r\n")
with open(os.path.join(OUT, "truncated_24bit.bmp"), "wb") as f:
    with open(os.path.join(OUT, "bmp_24bit_15x6.bmp"), "rb") as whole:
        f.write(whole.read(40))
open(os.path.join(OUT, "empty.bmp"), "wb").close()
