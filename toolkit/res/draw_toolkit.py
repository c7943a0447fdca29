#!/usr/bin/env python3
"""Draws the toolkit's cursors: the hyperlink look's hand, enabled and disabled.

Run by hand (python3 toolkit/res/draw_toolkit.py); the .cur files it writes
beside itself are kept in the source tree, so the build never runs it.

A picture is a 32 x 32 grid of characters: '#' black, '.' white, ' ' clear.
"""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))

HAND = [
    "      ##",
    "     #..#",
    "     #..#",
    "     #..#",
    "     #..#",
    "     #..###",
    "     #..#..###",
    "     #..#..#..##",
    "  ## #..#..#..#.#",
    " #..##........#.#",
    " #...#..........#",
    "  #..#..........#",
    "   #.#..........#",
    "   #............#",
    "    #...........#",
    "    #..........#",
    "     #.........#",
    "     #........#",
    "      #.......#",
    "      #.......#",
    "      #########",
]

# The disabled hand: the same hand, a "no entry" ring and bar at its lower right.
RING = [
    "   #####",
    "  #.....#",
    " #.#####.#",
    "#.##...##.#",
    "#.#.#...#.#",
    "#.#..#..#.#",
    "#.#...#.#.#",
    "#.##...##.#",
    " #.#####.#",
    "  #.....#",
    "   #####",
]


def grid(*layers):
    g = [[" "] * 32 for _ in range(32)]
    for rows, ox, oy in layers:
        for y, row in enumerate(rows):
            for x, ch in enumerate(row):
                if ch != " ":
                    g[oy + y][ox + x] = ch
    return g


def write_cur(name, g, hotspot):
    xor_rows, and_rows = [], []
    for row in reversed(g):          # bottom-up
        xb, ab = 0, 0
        for ch in row:
            xb = (xb << 1) | (1 if ch == "." else 0)
            ab = (ab << 1) | (1 if ch == " " else 0)
        xor_rows.append(struct.pack(">I", xb))
        and_rows.append(struct.pack(">I", ab))
    header = struct.pack("<IiiHHIIiiII", 40, 32, 64, 1, 1, 0, 0, 0, 0, 2, 0)
    palette = struct.pack("<II", 0x000000, 0xFFFFFF)
    image = header + palette + b"".join(xor_rows) + b"".join(and_rows)
    directory = struct.pack("<HHH", 0, 2, 1)
    entry = struct.pack("<BBBBHHII", 32, 32, 2, 0, hotspot[0], hotspot[1], len(image), 6 + 16)
    with open(os.path.join(HERE, name), "wb") as f:
        f.write(directory + entry + image)


write_cur("hand.cur", grid((HAND, 0, 0)), (7, 1))
write_cur("hand_disabled.cur", grid((HAND, 0, 0), (RING, 14, 17)), (7, 1))
