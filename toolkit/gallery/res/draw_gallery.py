#!/usr/bin/env python3
"""Draws the gallery's pictures: a bitmap and an icon for the bitmap buttons.

Run by hand (python3 toolkit/gallery/res/draw_gallery.py); the files it writes
beside itself are kept in the source tree, so the build never runs it.

Both are 8 bits a pixel (a colour table), as the bitmap button greys its
images through their colour tables. The bitmap's clear colour is magenta.
"""
import math
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
MAGENTA = (255, 0, 255)


def palette_of(pixels):
    colours = []
    for row in pixels:
        for c in row:
            if c not in colours:
                colours.append(c)
    while len(colours) < 256:
        colours.append((0, 0, 0))
    return colours


def dib8(pixels):
    h, w = len(pixels), len(pixels[0])
    colours = palette_of(pixels)
    stride = (w + 3) & ~3
    rows = []
    for row in reversed(pixels):
        data = bytes(colours.index(c) for c in row)
        rows.append(data + b"\0" * (stride - w))
    table = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in colours)
    return colours, table, b"".join(rows), stride


def write_bmp(name, pixels):
    h, w = len(pixels), len(pixels[0])
    _, table, bits, _ = dib8(pixels)
    header = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 8, 0, len(bits), 2835, 2835, 256, 0)
    offset = 14 + len(header) + len(table)
    filehdr = struct.pack("<2sIHHI", b"BM", offset + len(bits), 0, 0, offset)
    with open(os.path.join(HERE, name), "wb") as f:
        f.write(filehdr + header + table + bits)


def write_ico(name, pixels, clear):
    h, w = len(pixels), len(pixels[0])
    _, table, bits, _ = dib8(pixels)
    mask_stride = ((w + 31) // 32) * 4
    mask_rows = []
    for row in reversed(clear):
        v = 0
        out = bytearray(mask_stride)
        for x, c in enumerate(row):
            if c:
                out[x // 8] |= 0x80 >> (x % 8)
        mask_rows.append(bytes(out))
    mask = b"".join(mask_rows)
    header = struct.pack("<IiiHHIIiiII", 40, w, 2 * h, 1, 8, 0, len(bits) + len(mask), 0, 0, 256, 0)
    image = header + table + bits + mask
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", w, h, 0, 0, 1, 8, len(image), 6 + 16)
    with open(os.path.join(HERE, name), "wb") as f:
        f.write(directory + entry + image)


def star(size, outer, inner, fill, edge, back):
    pixels = [[back] * size for _ in range(size)]
    cx = cy = (size - 1) / 2
    pts = []
    for i in range(10):
        a = -math.pi / 2 + i * math.pi / 5
        r = outer if i % 2 == 0 else inner
        pts.append((cx + r * math.cos(a), cy + r * math.sin(a)))

    def inside(x, y):
        c = False
        for i in range(10):
            (x1, y1), (x2, y2) = pts[i], pts[(i + 1) % 10]
            if (y1 > y) != (y2 > y) and x < (x2 - x1) * (y - y1) / (y2 - y1) + x1:
                c = not c
        return c

    for y in range(size):
        for x in range(size):
            if inside(x, y):
                near_edge = not all(inside(x + dx, y + dy) for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)))
                pixels[y][x] = edge if near_edge else fill
    return pixels


def globe(size):
    pixels = [[(0, 0, 0)] * size for _ in range(size)]
    clear = [[True] * size for _ in range(size)]
    c = (size - 1) / 2
    r = size / 2 - 1.5
    for y in range(size):
        for x in range(size):
            d = math.hypot(x - c, y - c)
            if d <= r:
                clear[y][x] = False
                if d > r - 1.2:
                    pixels[y][x] = (20, 50, 110)
                else:
                    land = math.sin(x * 0.45) + math.cos(y * 0.5 + x * 0.15) > 0.7
                    shade = 1 - 0.35 * (x + y) / (2 * size)
                    base = (60, 160, 70) if land else (60, 130, 220)
                    pixels[y][x] = tuple(int(v * shade) for v in base)
    return pixels, clear


write_bmp("star.bmp", star(24, 11, 4.5, (240, 190, 40), (150, 90, 10), MAGENTA))
g, clear = globe(32)
write_ico("globe.ico", g, clear)
