#!/usr/bin/env python3
"""Draws the images of the rich edit's context menu (AutoRichEditMenu.bmp).

Run by hand (python3 controls/draw_richedit_images.py); the bitmap it writes
beside itself is kept in the source tree. Six 16 x 15 pictures side by side,
in the order of the menu's tool bar: Undo, Cut, Copy, Paste, Delete, Select
All, on the light grey (0xC0C0C0) that the menu takes as transparent.
"""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
W, H, N = 16, 15, 6
GREY = (192, 192, 192)
INK = (38, 50, 66)
BLUE = (47, 111, 191)
RED = (200, 55, 45)
PAPER = (250, 250, 244)
AMBER = (232, 165, 30)

px = [[GREY] * (W * N) for _ in range(H)]


def dot(i, x, y, c):
    if 0 <= x < W and 0 <= y < H:
        px[y][i * W + x] = c


def rect(i, x0, y0, x1, y1, c, fill=None):
    for y in range(y0, y1 + 1):
        for x in range(x0, x1 + 1):
            edge = x in (x0, x1) or y in (y0, y1)
            if edge:
                dot(i, x, y, c)
            elif fill:
                dot(i, x, y, fill)


def line(i, x0, y0, x1, y1, c):
    n = max(abs(x1 - x0), abs(y1 - y0), 1)
    for k in range(n + 1):
        dot(i, round(x0 + (x1 - x0) * k / n), round(y0 + (y1 - y0) * k / n), c)


# Undo: a hooked arrow turning back to the left.
for x in range(4, 12):
    dot(0, x, 5, BLUE)
for y in range(5, 11):
    dot(0, 12, y, BLUE)
line(0, 4, 5, 7, 2, BLUE)
line(0, 4, 5, 7, 8, BLUE)
# Cut: two blades crossing above two rings.
line(1, 5, 1, 9, 9, INK)
line(1, 10, 1, 6, 9, INK)
rect(1, 3, 9, 6, 12, RED)
rect(1, 9, 9, 12, 12, RED)
# Copy: two sheets.
rect(2, 2, 1, 9, 10, INK, PAPER)
rect(2, 6, 4, 13, 13, INK, PAPER)
# Paste: a board with a sheet on it.
rect(3, 2, 2, 11, 13, INK, AMBER)
rect(3, 5, 1, 8, 3, INK, GREY)
rect(3, 7, 6, 14, 14, INK, PAPER)
# Delete: a red cross.
line(4, 3, 3, 12, 12, RED)
line(4, 4, 3, 13, 12, RED)
line(4, 12, 3, 3, 12, RED)
line(4, 13, 3, 4, 12, RED)
# Select All: a sheet with every line marked.
rect(5, 2, 1, 13, 13, INK, PAPER)
for y in (3, 5, 7, 9, 11):
    for x in range(4, 12):
        dot(5, x, y, BLUE)


def write_bmp(path):
    row = (W * N * 3 + 3) & ~3
    data = bytearray()
    for y in range(H - 1, -1, -1):
        line_bytes = bytearray()
        for (r, g, b) in px[y]:
            line_bytes += bytes((b, g, r))
        line_bytes += b"\0" * (row - len(line_bytes))
        data += line_bytes
    header = struct.pack("<2sIHHI", b"BM", 54 + len(data), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, W * N, H, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + data)


write_bmp(os.path.join(HERE, "AutoRichEditMenu.bmp"))
