#!/usr/bin/env python3
"""Draws the pictures of the tabbed MDI customize page:
  page_tabbedmdi.bmp      32 x 32, the page in the manager's bar: a frame
                          with three tabs over its documents
  tabbedmdi_tabs.bmp      16 x 16, the group of all tab settings
  tabbedmdi_position.bmp  16 x 16, where the tabs go: a box with an arrow
  tabbedmdi_look.bmp      16 x 16, tabs or buttons: two small buttons
  tabbedmdi_options.bmp   16 x 16, further options: a box with ticks
  tabbedmdi_lines.bmp     16 x 16, one row or several: two rows of tabs

Run by hand (python3 toolkit/res/draw_tabbed_mdi_page.py); the .bmp files it
writes beside itself are kept in the source tree. Grey 192,192,192 is the
transparent colour.
"""
from draw_option_marks import picture as shared_picture, write_bmp

CLEAR = (192, 192, 192)
PALETTE = {
    "#": (0, 0, 0),
    ".": (255, 255, 255),
    "g": (128, 128, 128),
    "f": (224, 224, 224),
    "b": (0, 0, 160),
    "s": (96, 160, 255),
    "y": (255, 224, 0),
    "e": (0, 128, 0),
}


def picture(rows):
    return shared_picture(rows, PALETTE, CLEAR)

PAGE = [
    "                                ",
    " ############################## ",
    " #bbbbbbbbbbbbbbbbbbbbbbbbbbbb# ",
    " #bbbbbbbbbbbbbbbbbbbbbbbbbbbb# ",
    " ############################## ",
    " #ffffffffffffffffffffffffffff# ",
    " #f#######f#######f#######ffff# ",
    " #f#yyyyy#f#fffff#f#fffff#ffff# ",
    " #f#y...y#f#f.ggf#f#f.ggf#ffff# ",
    " ##########################gggg ",
    " #............................# ",
    " #.#########################..# ",
    " #.#sssssssssssssssssssssss#..# ",
    " #.#########################..# ",
    " #.#.......................#..# ",
    " #.#.ggggggggggggg.........#..# ",
    " #.#.......................#..# ",
    " #.#.gggggggggggggggggg....#..# ",
    " #.#.......................#..# ",
    " #.#.gggggggggg............#..# ",
    " #.#.......................#..# ",
    " #.#.gggggggggggggggg......#..# ",
    " #.#.......................#..# ",
    " #.#.......................#..# ",
    " #.#########################..# ",
    " #............................# ",
    " #............................# ",
    " ############################## ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
]

TABS = [
    "                ",
    " ####           ",
    " #yy# ####      ",
    " #yy# #ff# #### ",
    "###############g",
    "#..............#",
    "#.gggggggg.....#",
    "#..............#",
    "#.gggggggggg...#",
    "#..............#",
    "#.ggggggg......#",
    "#..............#",
    "#..............#",
    "################",
    "                ",
    "                ",
]

POSITION = [
    "                ",
    "################",
    "#..............#",
    "#.......b......#",
    "#......bbb.....#",
    "#.....b.b.b....#",
    "#.......b......#",
    "#.......b......#",
    "#.......b......#",
    "#.....b.b.b....#",
    "#......bbb.....#",
    "#.......b......#",
    "#..............#",
    "################",
    "                ",
    "                ",
]

LOOK = [
    "                ",
    "                ",
    "                ",
    " ######  ###### ",
    " #....g  #....g ",
    " #.ss.g  #.ss.g ",
    " #....g  #....g ",
    " #ggggg  #ggggg ",
    "                ",
    " ###### ####### ",
    " #yyyy# #fffff# ",
    " #yyyy# #fffff# ",
    "################",
    "                ",
    "                ",
    "                ",
]

OPTIONS = [
    "                ",
    " ############## ",
    " #............# ",
    " #.###........# ",
    " #.#e#.gggggg.# ",
    " #.###........# ",
    " #............# ",
    " #.###........# ",
    " #.#e#.gggggg.# ",
    " #.###........# ",
    " #............# ",
    " #.###........# ",
    " #.#.#.gggggg.# ",
    " #.###........# ",
    " ############## ",
    "                ",
]

LINES = [
    "                ",
    " ####  ####     ",
    " #ff#  #ff#     ",
    "############### ",
    "  ####  ####    ",
    "  #yy#  #ff#    ",
    "################",
    "#..............#",
    "#.gggggggg.....#",
    "#..............#",
    "#.gggggggggg...#",
    "#..............#",
    "################",
    "                ",
    "                ",
    "                ",
]

if __name__ == "__main__":
    write_bmp("page_tabbedmdi.bmp", picture(PAGE))
    write_bmp("tabbedmdi_tabs.bmp", picture(TABS))
    write_bmp("tabbedmdi_position.bmp", picture(POSITION))
    write_bmp("tabbedmdi_look.bmp", picture(LOOK))
    write_bmp("tabbedmdi_options.bmp", picture(OPTIONS))
    write_bmp("tabbedmdi_lines.bmp", picture(LINES))
