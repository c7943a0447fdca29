#!/usr/bin/env python3
"""Draws the gallery's pictures: a bitmap and an icon for the bitmap buttons,
and the sample customize pages' 32-pixel pictures (grey 192 clear).

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


GREY = (192, 192, 192)


def write_bmp24(name, pixels):
    # 24 bits a pixel, the depth of the customize manager's picture list.
    h, w = len(pixels), len(pixels[0])
    stride = (w * 3 + 3) & ~3
    bits = b"".join(b"".join(struct.pack("<BBB", b, g, r) for (r, g, b) in row) + b"\0" * (stride - w * 3)
                    for row in reversed(pixels))
    header = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(bits), 2835, 2835, 0, 0)
    offset = 14 + len(header)
    filehdr = struct.pack("<2sIHHI", b"BM", offset + len(bits), 0, 0, offset)
    with open(os.path.join(HERE, name), "wb") as f:
        f.write(filehdr + header + bits)


def page_picture(draw):
    pixels = [[GREY] * 32 for _ in range(32)]
    draw(pixels)
    return pixels


def fill(pixels, x0, y0, x1, y1, colour):
    for y in range(y0, y1):
        for x in range(x0, x1):
            pixels[y][x] = colour


def swatches(pixels):
    for i, colour in enumerate([(200, 40, 40), (40, 160, 60), (40, 80, 200), (230, 190, 30)]):
        x, y = 3 + (i % 2) * 14, 3 + (i // 2) * 14
        fill(pixels, x, y, x + 12, y + 12, (0, 0, 0))
        fill(pixels, x + 1, y + 1, x + 11, y + 11, colour)


def window(pixels):
    fill(pixels, 2, 4, 30, 28, (0, 0, 0))
    fill(pixels, 3, 5, 29, 27, (255, 255, 255))
    fill(pixels, 3, 5, 29, 10, (30, 70, 160))
    fill(pixels, 24, 6, 28, 9, (200, 200, 200))
    for y in (14, 18, 22):
        fill(pixels, 6, y, 24, y + 1, (120, 120, 120))


def stop(pixels):
    c = 15.5
    for y in range(32):
        for x in range(32):
            dx, dy = abs(x - c), abs(y - c)
            if max(dx, dy) <= 13 and dx + dy <= 18.5:
                edge = max(dx, dy) > 11.8 or dx + dy > 17
                pixels[y][x] = (255, 255, 255) if edge else (190, 20, 20)
    fill(pixels, 8, 14, 24, 18, (255, 255, 255))


def hourglass(pixels):
    fill(pixels, 7, 3, 25, 5, (90, 60, 20))
    fill(pixels, 7, 27, 25, 29, (90, 60, 20))
    for y in range(5, 27):
        half = abs(y - 16) * 8 // 11 + 1
        fill(pixels, 16 - half, y, 16 + half, y + 1, (60, 60, 60))
        if half > 1:
            sand = (220, 180, 80) if (y > 19 or y < 9) else (235, 235, 245)
            fill(pixels, 17 - half, y, 15 + half, y + 1, sand)


for name, draw in (("page_colours.bmp", swatches), ("page_window.bmp", window),
                   ("page_stop.bmp", stop), ("page_idle.bmp", hourglass)):
    write_bmp24(name, page_picture(draw))
