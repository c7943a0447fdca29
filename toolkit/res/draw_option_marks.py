#!/usr/bin/env python3
"""Draws the option tree's marks: check box off and on, radio button off and
on, 16 x 16 each, side by side, for light and for dark backgrounds.

Run by hand (python3 toolkit/res/draw_option_marks.py); the .bmp files it
writes beside itself are kept in the source tree. Grey 192,192,192 is the
transparent colour.
"""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
CLEAR = (192, 192, 192)

CHECK = [(4, 7), (5, 8), (6, 9), (7, 8), (8, 7), (9, 6), (10, 5), (11, 4)]


def marks(frame, fill, mark):
    px = [[CLEAR] * 64 for _ in range(16)]
    for i in range(4):
        ox = i * 16
        if i < 2:   # check box: a square frame
            for y in range(2, 14):
                for x in range(2, 14):
                    edge = x in (2, 13) or y in (2, 13)
                    px[y][ox + x] = frame if edge else fill
            if i == 1:
                for (x, y) in CHECK:
                    for dy in range(3):
                        px[y + dy - 1][ox + x] = mark
        else:       # radio button: a disc with a ring
            for y in range(16):
                for x in range(16):
                    d = ((x - 7.5) ** 2 + (y - 7.5) ** 2) ** 0.5
                    if d <= 6.0:
                        px[y][ox + x] = fill
                    if 5.0 < d <= 6.2:
                        px[y][ox + x] = frame
                    if i == 3 and d <= 2.6:
                        px[y][ox + x] = mark
    return px


def picture(rows, palette, clear, size=None):
    """A size x size picture (size: the number of rows by default) of rows of
    palette letters; any other letter, and whatever the rows leave, is clear."""
    size = size or len(rows)
    px = [[clear] * size for _ in range(size)]
    for y, row in enumerate(rows[:size]):
        for x, ch in enumerate(row[:size]):
            if ch in palette:
                px[y][x] = palette[ch]
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
    write_bmp("option_light.bmp", marks((64, 64, 64), (255, 255, 255), (0, 0, 0)))
    write_bmp("option_dark.bmp", marks((200, 200, 200), (40, 40, 48), (255, 255, 255)))
