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


# ---- middle-button scrolling: the origin mark (bitmap 28006) and the eleven
# direction cursors (28008-28018). The mark sits on magenta, the colour its
# splash window cuts away.
def _disc(g, cx, cy, r, ch):
    for y in range(32):
        for x in range(32):
            if (x - cx) ** 2 + (y - cy) ** 2 <= r * r:
                g[y][x] = ch


def _arrow(g, cx, cy, dx, dy, size, fill):
    """A filled triangle pointing along (dx, dy) with its tip at (cx, cy)."""
    for y in range(32):
        for x in range(32):
            along = (cx - x) * dx + (cy - y) * dy
            across = abs((x - cx) * dy - (y - cy) * dx)
            if 0 <= along <= size and across <= along * 0.75:
                g[y][x] = fill


def _outlined(g):
    """Every transparent pixel next to a white one becomes the black outline."""
    out = [row[:] for row in g]
    for y in range(32):
        for x in range(32):
            if g[y][x] != " ":
                continue
            for ny, nx in ((y - 1, x), (y + 1, x), (y, x - 1), (y, x + 1)):
                if 0 <= ny < 32 and 0 <= nx < 32 and g[ny][nx] == ".":
                    out[y][x] = "#"
    return out


_DIRECTIONS = {   # direction bits: 1 left, 2 up, 4 right, 8 down
    1: (-1, 0), 2: (0, -1), 4: (1, 0), 8: (0, 1),
}


def scroll_cursor(bits, neutral):
    g = [[" "] * 32 for _ in range(32)]
    _disc(g, 15, 15, 3, ".")
    for bit, (dx, dy) in _DIRECTIONS.items():
        if bits & bit:
            _arrow(g, 15 + dx * 14, 15 + dy * 14, dx, dy, 6, ".")
    if not neutral:   # a direction: its arrows joined to the centre by a bar
        for bit, (dx, dy) in _DIRECTIONS.items():
            if bits & bit:
                for t in range(4, 8):
                    for w in (-1, 0, 1):
                        g[15 + dy * t + dx * w][15 + dx * t + dy * w] = "."
    return _outlined(g)


for cursor_id, bits, neutral in (
        (28008, 15, True), (28009, 1, False), (28010, 4, False), (28011, 2, False),
        (28012, 8, False), (28013, 3, False), (28014, 6, False), (28015, 9, False),
        (28016, 12, False), (28017, 10, True), (28018, 5, True)):
    write_cur("scroll_%d.cur" % cursor_id, scroll_cursor(bits, neutral), (15, 15))


def write_origin_mark(name):
    """A 32 x 32, 24-bit image: a grey disc with four arrowheads on magenta."""
    size = 32
    g = [[" "] * size for _ in range(size)]
    _disc(g, 15, 15, 14, "#")
    _disc(g, 15, 15, 13, ".")
    for dx, dy in _DIRECTIONS.values():
        _arrow(g, 15 + dx * 11, 15 + dy * 11, dx, dy, 5, "#")
    _disc(g, 15, 15, 2, "#")
    colours = {" ": (255, 0, 255), "#": (40, 40, 40), ".": (230, 230, 230)}
    row_bytes = size * 3
    pixels = b"".join(
        b"".join(bytes((b, gr, r)) for (r, gr, b) in (colours[ch] for ch in g[y]))
        for y in reversed(range(size)))
    header = struct.pack("<IiiHHIIiiII", 40, size, size, 1, 24, 0, row_bytes * size, 0, 0, 0, 0)
    file_header = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(pixels), 0, 0, 14 + 40)
    with open(os.path.join(HERE, name), "wb") as f:
        f.write(file_header + header + pixels)


write_origin_mark("scroll_origin.bmp")


# ---- the history combo's tool bar (28022): add, delete, browse and two spare
# buttons, 16 x 15 each, on the tool bar's grey (light grey is its face).
HISTORY_BUTTONS = [
    [  # add: a green plus
        "", "", "      ###", "      #g#", "      #g#", "      #g#",
        "  #####g#####", "  #ggggggggg#", "  #####g#####",
        "      #g#", "      #g#", "      #g#", "      ###",
    ],
    [  # delete: a red cross
        "", "", "  ##     ##", "  #r#   #r#", "   #r# #r#", "    #r#r#", "     #r#",
        "    #r#r#", "   #r# #r#", "  #r#   #r#", "  ##     ##",
    ],
    [  # browse: a yellow folder
        "", "", "", " ####", " #yyy#", " #yyy#######", " #yyyyyyyyy#", " #yyyyyyyyy#",
        " #yyyyyyyyy#", " #yyyyyyyyy#", " #yyyyyyyyy#", " ###########",
    ],
    [  # spare: three dots
        "", "", "", "", "", "", "", "  ##  ##  ##", "  ##  ##  ##",
    ],
    [  # spare: a page
        "", "  ########", "  #......##", "  #......#.#", "  #......####", "  #.........#",
        "  #.........#", "  #.........#", "  #.........#", "  #.........#", "  #.........#",
        "  ###########",
    ],
]


def write_history_bar(name, buttons=HISTORY_BUTTONS):
    """An 8-bit strip of five 16 x 15 buttons on the face colour.

    The colours stand in a colour table, so that the tool bar maps the
    standard grey, black and white to the system's colours: the face then
    blends with the bar and the disabled buttons show their pictures.
    """
    w, h = 16 * len(buttons), 15
    palette = [(" ", (192, 192, 192)), ("#", (0, 0, 0)), (".", (255, 255, 255)), ("g", (0, 160, 0)),
               ("r", (200, 0, 0)), ("y", (240, 200, 40))]
    index = {ch: i for i, (ch, _) in enumerate(palette)}
    g = [[" "] * w for _ in range(h)]
    for i, picture in enumerate(buttons):
        for y, row in enumerate(picture[:h]):
            for x, ch in enumerate(row[:16]):
                g[y][i * 16 + x] = ch
    row_bytes = (w + 3) & ~3
    pad = b"\0" * (row_bytes - w)
    pixels = b"".join(bytes(index[ch] for ch in g[y]) + pad for y in reversed(range(h)))
    table = b"".join(bytes((b, gr, r, 0)) for _, (r, gr, b) in palette)
    header = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 8, 0, row_bytes * h, 0, 0, len(palette), 0)
    offset = 14 + 40 + len(table)
    file_header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    with open(os.path.join(HERE, name), "wb") as f:
        f.write(file_header + header + table + pixels)


write_history_bar("history_bar.bmp")


# ---- the property window's tool bar (28134): categorized (groups of lines
# under boxed minus signs) and alphabetical (A over Z beside a down arrow).
PROPERTIES_BUTTONS = [
    [
        "", " #####", " #...#", " #.#.# ######", " #...#", " #####  #####", "", " #####",
        " #...#", " #.#.# ######", " #...#", " #####  #####",
    ],
    [
        "", "  ##        #", " #..#       #", " #..#       #", " ####       #", " #..#       #",
        " #..#       #", "          #####", " ####      ###", "   #        #", "  #", " ####",
    ],
]
write_history_bar("properties_bar.bmp", PROPERTIES_BUTTONS)


# ---- the preview dialog's switch button (27261): an eye-like picture frame,
# 16 x 16 on the tool bar grey that the dialog masks out.
PREVIEW_BUTTON = [
    "",
    " ##############",
    " #............#",
    " #.bbbbbbbbbb.#",
    " #.bbbbbbbbbb.#",
    " #.bbbbyybbbb.#",
    " #.bbbyyyybbb.#",
    " #.bbbbyybbbb.#",
    " #.gggbbbbggg.#",
    " #.ggggbbgggg.#",
    " #.gggggggggg.#",
    " #.gggggggggg.#",
    " #............#",
    " ##############",
]


def write_preview_button(name):
    w = h = 16
    colours = {" ": (192, 192, 192), "#": (0, 0, 0), ".": (255, 255, 255), "b": (90, 150, 230),
               "y": (250, 220, 60), "g": (40, 150, 60)}
    g = [[" "] * w for _ in range(h)]
    for y, row in enumerate(PREVIEW_BUTTON[:h]):
        for x, ch in enumerate(row[:w]):
            g[y][x] = ch
    row_bytes = w * 3
    pixels = b"".join(
        b"".join(bytes((b, gr, r)) for (r, gr, b) in (colours[ch] for ch in g[y])) for y in reversed(range(h)))
    header = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, row_bytes * h, 0, 0, 0, 0)
    file_header = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(pixels), 0, 0, 14 + 40)
    with open(os.path.join(HERE, name), "wb") as f:
        f.write(file_header + header + pixels)


write_preview_button("preview_button.bmp")
