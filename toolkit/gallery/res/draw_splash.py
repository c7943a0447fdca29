#!/usr/bin/env python3
"""Draws the gallery's splash picture for the splash window customize page:
a 240 x 120 oval, blue shading into teal, with a gold star on it, on
magenta, the colour its top-left pixel gives as the transparent one.

Run by hand (python3 toolkit/gallery/res/draw_splash.py); splash.bmp, written
beside it, is kept in the source tree.
"""
import math
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
W, H = 240, 120
MAGENTA = (255, 0, 255)


def inside_star(x, y, cx, cy, outer, inner):
    a = math.atan2(y - cy, x - cx) + math.pi / 2
    d = math.hypot(x - cx, y - cy)
    step = math.pi / 5
    k = (a % (2 * step)) / step
    edge = outer + (inner - outer) * (k if k <= 1 else 2 - k)
    return d <= edge


def splash():
    px = [[MAGENTA] * W for _ in range(H)]
    for y in range(H):
        for x in range(W):
            dx, dy = (x - W / 2 + 0.5) / (W / 2 - 2), (y - H / 2 + 0.5) / (H / 2 - 2)
            d = dx * dx + dy * dy
            if d > 1:
                continue
            t = x / (W - 1)
            colour = (int(30 + 10 * t), int(70 + 110 * t), int(170 - 20 * t))
            if d > 0.93:
                colour = (10, 30, 80)
            if inside_star(x, y, W / 2, H / 2 + 4, 42, 17):
                colour = (240, 190, 40)
            px[y][x] = colour
    return px


def write_bmp24(name, px):
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


write_bmp24("splash.bmp", splash())
