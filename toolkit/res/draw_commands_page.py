#!/usr/bin/env python3
"""Draws the pictures of the commands customize page:
  page_commands.bmp    32 x 32: a menu dropped from its bar beside a button
  commands_tree.bmp    80 x 16: the command tree's five images: an open menu
                       (a folder), a menu with a star (a new menu), a line
                       between two items (a separator), a plain sheet (a
                       command without an image), an edit field (custom
                       buttons)

Run by hand (python3 toolkit/res/draw_commands_page.py); the files it writes
beside itself are kept in the source tree. Grey 192,192,192 is the
transparent colour. (Icon resources would clash: the linker numbers every
script's icon images from 1.)
"""
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
tree = [[CLEAR] * 80 for _ in range(16)]
for n, rows in enumerate((FOLDER, NEWMENU, SEPARATOR, COMMAND, CUSTOM)):
    for y, row in enumerate(grid(rows, 16)):
        for x, c in enumerate(row):
            if c is not None:
                tree[y][16 * n + x] = c
write_bmp("commands_tree.bmp", tree)
