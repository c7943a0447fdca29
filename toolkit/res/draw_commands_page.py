#!/usr/bin/env python3
"""Draws the pictures of the commands customize page:
  page_commands.bmp    32 x 32: a menu dropped from its bar beside a button
  commands_folder.ico  16 x 16: an open menu (a folder of the command tree)
  commands_newmenu.ico 16 x 16: a menu with a star (a new menu)
  commands_sep.ico     16 x 16: a line between two items (a separator)
  commands_command.ico 16 x 16: a plain sheet (a command without an image)
  commands_custom.ico  16 x 16: an edit field with a caret (custom buttons)

Run by hand (python3 toolkit/res/draw_commands_page.py); the files it writes
beside itself are kept in the source tree. In the bitmap grey 192,192,192 is
the transparent colour; the icons carry their own mask.
"""
import struct

from draw_option_marks import write_bmp

CLEAR = (192, 192, 192)
PALETTE = {
    "#": (0, 0, 0),
    ".": (255, 255, 255),
    "g": (128, 128, 128),
    "l": (224, 224, 224),
    "b": (0, 0, 160),
    "s": (96, 160, 255),
    "y": (255, 224, 0),
    "o": (200, 152, 0),
    "r": (200, 0, 0),
    "e": (0, 128, 0),
}


def grid(rows, size):
    rows = [r.ljust(size) for r in rows] + [" " * size] * (size - len(rows))
    assert len(rows) == size
    return [[PALETTE.get(ch) for ch in row[:size]] for row in rows]


def write_ico(name, px):
    """A 16 x 16 icon, 32 bits with an AND mask: None pixels are clear."""
    size = len(px)
    xor = b""
    mask = b""
    for y in range(size - 1, -1, -1):
        bits = 0
        for x in range(size):
            c = px[y][x]
            if c is None:
                xor += bytes((0, 0, 0, 0))
                bits |= 1 << (31 - x)
            else:
                xor += bytes((c[2], c[1], c[0], 255))
        mask += struct.pack(">I", bits)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    image = header + xor + mask
    with open(name, "wb") as f:
        f.write(struct.pack("<HHH", 0, 1, 1))
        f.write(struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(image), 22))
        f.write(image)


PAGE = [
    "",
    " ############################## ",
    " #llllllllllllllllllllllllllll# ",
    " #l.bbbb.l.ssss.l.gggg.llllll# ",
    " #lllllllllllllllllllllllllll# ",
    " ##############################",
    "   #bbbbbbbbbbbbbb#            ",
    "   #..............#g   ####    ",
    "   #.rr.#########.#g  #llll#   ",
    "   #.rr...........#g  #l.yy#   ",
    "   #..............#g  #l.yy#   ",
    "   #.ee.#######...#g  #gggg#   ",
    "   #.ee...........#g   ####    ",
    "   #ggggggggggggggg#g          ",
    "   #..............#g    #      ",
    "   #.ss.#########.#g    ##     ",
    "   #.ss...........#g    #.#    ",
    "   #..............#g    #..#   ",
    "   ################g    #...#  ",
    "    ggggggggggggggggg   #....# ",
    "                        #..### ",
    "                        #.#    ",
    "                        ##     ",
    "                        #      ",
]

FOLDER = [
    "",
    " ######         ",
    " #yyyy#         ",
    " #yyyy######### ",
    " #yoooooooooo#  ",
    " #y########### #",
    " #y#yyyyyyyyyy# ",
    " #y#yyyyyyyyyy# ",
    " ##yyyyyyyyyy#  ",
    " ##yyyyyyyyyy#  ",
    " #############  ",
]

NEWMENU = [
    "           y    ",
    "  #######  y  y ",
    "  #bbbbb#yyyyy  ",
    "  #.....# yyy   ",
    "  #.###.#y y y  ",
    "  #.....#  y    ",
    "  #.###.#       ",
    "  #.....#       ",
    "  #.###.#       ",
    "  #.....#       ",
    "  #######       ",
]

SEPARATOR = [
    "",
    "",
    "  ###########   ",
    "  #.........#   ",
    "  ###########   ",
    "",
    " ############## ",
    " gggggggggggggg ",
    "",
    "  ###########   ",
    "  #.........#   ",
    "  ###########   ",
]

COMMAND = [
    "",
    "  ########      ",
    "  #......##     ",
    "  #......#.#    ",
    "  #......####   ",
    "  #.........#   ",
    "  #.gggggg..#   ",
    "  #.........#   ",
    "  #.gggggg..#   ",
    "  #.........#   ",
    "  #.gggg....#   ",
    "  #.........#   ",
    "  ###########   ",
]

CUSTOM = [
    "",
    "",
    "",
    "",
    " ############## ",
    " #g...........# ",
    " #g..#........# ",
    " #g..#........# ",
    " #g..#........# ",
    " #g...........# ",
    " ############## ",
]

page = [[c if c is not None else CLEAR for c in row] for row in grid(PAGE, 32)]
write_bmp("page_commands.bmp", page)
for name, rows in (("commands_folder.ico", FOLDER), ("commands_newmenu.ico", NEWMENU), ("commands_sep.ico", SEPARATOR),
                   ("commands_command.ico", COMMAND), ("commands_custom.ico", CUSTOM)):
    write_ico(name, grid(rows, 16))
