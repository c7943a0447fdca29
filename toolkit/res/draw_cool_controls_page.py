#!/usr/bin/env python3
"""Draws the pictures of the cool controls customize page: its 32 x 32
picture in the manager's bar, and the 16 x 16 picture of its group of
control types.

Run by hand (python3 toolkit/res/draw_cool_controls_page.py); the .bmp files it
writes beside itself are kept in the source tree. Grey 192,192,192 is the
transparent colour.
"""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
CLEAR = (192, 192, 192)
BLACK = (0, 0, 0)
WHITE = (255, 255, 255)
DARK = (64, 64, 64)
FACE = (224, 224, 224)
BLUE = (0, 0, 160)
HOT = (255, 176, 32)
GREEN = (0, 128, 0)


def canvas(w, h):
    return [[CLEAR] * w for _ in range(h)]


def rect(px, x0, y0, x1, y1, colour):
    for y in range(y0, y1 + 1):
        for x in range(x0, x1 + 1):
            px[y][x] = colour


def frame(px, x0, y0, x1, y1, colour):
    for x in range(x0, x1 + 1):
        px[y0][x] = px[y1][x] = colour
    for y in range(y0, y1 + 1):
        px[y][x0] = px[y][x1] = colour


def window(px, x0, y0, x1, y1, title):
    rect(px, x0, y0, x1, y1, WHITE)
    rect(px, x0, y0, x1, y0 + 3, title)
    frame(px, x0, y0, x1, y1, DARK)


def check(px, ox, oy, colour):
    for i, (x, y) in enumerate([(0, 2), (1, 3), (2, 4), (3, 3), (4, 2), (5, 1), (6, 0)]):
        for dy in range(2):
            px[oy + y + dy][ox + x] = colour


def cool_page():
    """A flat button lit by the pointer above a flat edit box, and a tick."""
    px = canvas(32, 32)
    rect(px, 2, 3, 29, 13, FACE)
    frame(px, 2, 3, 29, 13, HOT)
    frame(px, 3, 4, 28, 12, WHITE)
    rect(px, 8, 8, 23, 8, DARK)            # the button's caption
    rect(px, 2, 18, 29, 27, WHITE)
    frame(px, 2, 18, 29, 27, DARK)
    rect(px, 5, 22, 14, 23, BLACK)         # text in the edit box
    check(px, 19, 20, GREEN)
    return px


def control_types():
    """The group of control types: a small dialog with a button and a box."""
    px = canvas(16, 16)
    window(px, 1, 1, 14, 14, BLUE)
    rect(px, 3, 7, 12, 8, DARK)
    frame(px, 3, 10, 12, 12, DARK)
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


if __name__ == "__main__":
    write_bmp("customize_cool_page.bmp", cool_page())
    write_bmp("customize_cool_types.bmp", control_types())
