#!/usr/bin/env python3
"""Draws the font list box's two face-type marks, 16 x 16 each, side by side:
image 0 a face that is not TrueType (a thin grey "A"),
image 1 a TrueType face (two overlapping "T"s).

Run by hand (python3 toolkit/res/draw_font_types.py); the .bmp it writes beside
itself is kept in the source tree. Grey 192,192,192 is the transparent colour.
"""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
CLEAR = (192, 192, 192)
RASTER = (64, 64, 64)
TT_BACK = (128, 128, 128)
TT_FRONT = (0, 0, 160)

A = [
    "    #    ",
    "   # #   ",
    "   # #   ",
    "  #   #  ",
    "  #   #  ",
    " ####### ",
    " #     # ",
    "#       #",
    "#       #",
]

T = [
    "#######",
    "#######",
    "  ###  ",
    "  ###  ",
    "  ###  ",
    "  ###  ",
    "  ###  ",
    "  ###  ",
    " ##### ",
]


def stamp(px, rows, ox, oy, colour):
    for y, row in enumerate(rows):
        for x, ch in enumerate(row):
            if ch == "#":
                px[oy + y][ox + x] = colour


def marks():
    px = [[CLEAR] * 32 for _ in range(16)]
    stamp(px, A, 3, 3, RASTER)
    stamp(px, T, 16 + 1, 2, TT_BACK)
    stamp(px, T, 16 + 7, 5, TT_FRONT)
    return px


def write_bmp(name, px):
    h, w = len(px), len(px[0])
    row = (w * 3 + 3) & ~3
    data = b""
    for y in range(h - 1, -1, -1):
        line = b"".join(struct.pack("BBB", b, g, r) for (r, g, b) in px[y])
        data += line + b"\0" * (row - len(line))
    header = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    fileheader = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(data), 0, 0, 54)
    with open(os.path.join(HERE, name), "wb") as f:
        f.write(fileheader + header + data)


write_bmp("font_types.bmp", marks())
