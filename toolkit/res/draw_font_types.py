#!/usr/bin/env python3
"""Draws the font list box's two face-type marks, 16 x 16 each, side by side:
image 0 a face that is not TrueType (a thin grey "A"),
image 1 a TrueType face (two overlapping "T"s).

Run by hand (python3 toolkit/res/draw_font_types.py); the .bmp it writes beside
itself is kept in the source tree. Grey 192,192,192 is the transparent colour.
"""
from draw_option_marks import write_bmp

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


write_bmp("font_types.bmp", marks())
