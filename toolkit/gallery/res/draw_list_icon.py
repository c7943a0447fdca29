#!/usr/bin/env python3
"""Draws the gallery's icon file for the image list box page: a sheet with
coloured rows, at 32 x 32 and at 16 x 16, 32 bits a pixel with alpha.

Run by hand (python3 toolkit/gallery/res/draw_list_icon.py); the .ico it
writes beside itself is kept in the source tree.
"""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
ROWS = [(200, 40, 40), (40, 150, 60), (40, 80, 200), (230, 170, 20)]


def sheet(n):
    px = [[(0, 0, 0, 0)] * n for _ in range(n)]
    m = max(1, n // 8)
    for y in range(m, n - m):
        for x in range(m, n - m):
            edge = x in (m, n - m - 1) or y in (m, n - m - 1)
            px[y][x] = (90, 90, 90, 255) if edge else (255, 255, 255, 255)
    step = (n - 4 * m) // len(ROWS)
    for i, (r, g, b) in enumerate(ROWS):
        top = 2 * m + i * step
        for y in range(top, top + max(1, step // 2)):
            for x in range(2 * m, n - 2 * m):
                px[y][x] = (r, g, b, 255)
    return px


def image(px):
    n = len(px)
    bits = b"".join(struct.pack("BBBB", b, g, r, a) for row in reversed(px) for (r, g, b, a) in row)
    stride = ((n + 31) // 32) * 4
    mask = b""
    for row in reversed(px):
        out = bytearray(stride)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                out[x // 8] |= 0x80 >> (x % 8)
        mask += bytes(out)
    header = struct.pack("<IiiHHIIiiII", 40, n, 2 * n, 1, 32, 0, len(bits) + len(mask), 0, 0, 0, 0)
    return header + bits + mask


def write_ico(name, sizes):
    images = [image(sheet(n)) for n in sizes]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for n, data in zip(sizes, images):
        out += struct.pack("<BBBBHHII", n, n, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    with open(os.path.join(HERE, name), "wb") as f:
        f.write(out + b"".join(images))


write_ico("list_sheet.ico", [32, 16])
