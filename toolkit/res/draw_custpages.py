#!/usr/bin/env python3
"""Draws the pictures of the shortcut keys and tool bars customize pages:
  page_shortkeys.bmp   32 x 32: a key cap with Ctrl on it beside a small one
  page_toolbars.bmp    32 x 32: a window with two tool bars, one floating
  shortkeys_folder.bmp 16 x 16: a closed folder (a menu of the command tree)
  shortkeys_command.bmp 16 x 16: a plain sheet (a command without an image)

Run by hand (python3 toolkit/res/draw_custpages.py); the .bmp files it writes
beside itself are kept in the source tree. Grey 192,192,192 is the
transparent colour.
"""
from draw_option_marks import picture as shared_picture, write_bmp

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


def picture(rows, size):
    return shared_picture(rows, PALETTE, CLEAR, size)

KEYS = [
    "",
    "",
    "",
    "",
    "  ################              ",
    " #llllllllllllllll#             ",
    " #l..............g#             ",
    " #l..............g#             ",
    " #l...##.........g#             ",
    " #l..#..#.#......g#             ",
    " #l..#...###.#.#.g#             ",
    " #l..#....#..##..g#             ",
    " #l..#..#.#..#...g#             ",
    " #l...##...#.#...g#             ",
    " #l..............g#  ########   ",
    " #l..............g# #llllllll#  ",
    " #gggggggggggggggg# #l......g#  ",
    "  ################  #l..##..g#  ",
    "                    #l.#..#.g#  ",
    "                    #l.####.g#  ",
    "                    #l.#..#.g#  ",
    "                    #l.#..#.g#  ",
    "                    #l......g#  ",
    "                    #gggggggg#  ",
    "                     ########   ",
    "",
    "",
    "",
    "",
    "",
    "",
    "",
]

TOOLBARS = [
    "",
    " ############################## ",
    " #bbbbbbbbbbbbbbbbbbbbbbbbbbbb# ",
    " ############################## ",
    " #llllllllllllllllllllllllllll# ",
    " #l#l.rr.l.ee.l.ss.l.yy.lllll# ",
    " #l#l.rr.l.ee.l.ss.l.yy.lllll# ",
    " #llllllllllllllllllllllllllll# ",
    " #gggggggggggggggggggggggggggg# ",
    " #............................# ",
    " #............................# ",
    " #.........##################.# ",
    " #.........#bbbbbbbbbbbbbbbb#.# ",
    " #.........##################.# ",
    " #.........#llllllllllllllll#.# ",
    " #.........#l.ss.l.yy.l.rr.l#.# ",
    " #.........#l.ss.l.yy.l.rr.l#.# ",
    " #.........#llllllllllllllll#.# ",
    " #.........##################.# ",
    " #............................# ",
    " #............................# ",
    " #............................# ",
    " #............................# ",
    " #............................# ",
    " #............................# ",
    " #............................# ",
    " #............................# ",
    " ############################## ",
    "",
    "",
    "",
    "",
]

FOLDER = [
    "",
    "",
    "  #####         ",
    " #yyyyy#        ",
    " #yyyyyy######  ",
    " #yyyyyyyyyyyy# ",
    " #yyyyyyyyyyyy# ",
    " #yyyyyyyyyyyy# ",
    " #yyyyyyyyyyyy# ",
    " #yyyyyyyyyyyy# ",
    " #yyyyyyyyyyyy# ",
    " #oooooooooooo# ",
    " ############## ",
    "",
    "",
    "",
]

COMMAND = [
    "",
    "   ########     ",
    "   #......##    ",
    "   #......#.#   ",
    "   #......####  ",
    "   #.........#  ",
    "   #.gggggg..#  ",
    "   #.........#  ",
    "   #.gggggg..#  ",
    "   #.........#  ",
    "   #.gggggg..#  ",
    "   #.........#  ",
    "   #.........#  ",
    "   ###########  ",
    "",
    "",
]

for name, rows, size in (("page_shortkeys.bmp", KEYS, 32), ("page_toolbars.bmp", TOOLBARS, 32),
                         ("shortkeys_folder.bmp", FOLDER, 16), ("shortkeys_command.bmp", COMMAND, 16)):
    assert len(rows) == size, name
    write_bmp(name, picture([r.ljust(size) for r in rows], size))
