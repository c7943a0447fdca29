#!/usr/bin/env python3
"""Draws the pictures of the workspace state customize page:
  page_workspace.bmp   32 x 32, the page in the manager's bar: a main window
                       with a tool bar and two document windows, and a disk
                       that keeps them
  workspace_pages.bmp  16 x 16, the pages of the customize dialog: a stack of
                       three pages

Run by hand (python3 toolkit/res/draw_workspace_page.py); the .bmp files it
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
    " ##########################     ",
    " #bbbbbbbbbbbbbbbbbbbbbbbb#     ",
    " #bbbbbbbbbbbbbbbbbbbbbbbb#     ",
    " ##########################     ",
    " #ffffffffffffffffffffffff#     ",
    " #f##f##f##f##fffffffffff#      ",
    " #f#e##y##s#fffffffffffff#      ",
    " #f##f##f##f##fffffffffff#      ",
    " ##########################     ",
    " #gggggggggggggggggggggggg#     ",
    " #g##########gggggggggggg#      ",
    " #g#ssssssss#ggggggggggggg#     ",
    " #g##########gggg##########     ",
    " #g#........#gggg#sssssss#      ",
    " #g#.gggg...#gggg#########      ",
    " #g#........#gggg#.......#      ",
    " #g#.ggggg..#gggg#.gggg..#      ",
    " #g#........#gggg#.......#      ",
    " #g##########gggg#.ggg.....     ",
    " #gggggggggggggggg#.......#     ",
    " #gggggggggggggggg###############",
    " #gggggggggggggggggg#bbbbbbbbbb#",
    " ####################b........b#",
    "                   #b........b#",
    "                   #b........b#",
    "                   #bbbbbbbbbb#",
    "                   #bb.....bbb#",
    "                   #bb.bb..bbb#",
    "                   #bb.bb..bbb#",
    "                   ############",
    "                                ",
]

PAGES = [
    "                ",
    "     #########  ",
    "     #.......#  ",
    "   #########.#  ",
    "   #.......#.#  ",
    " #########.#.#  ",
    " #bbbbbbb#.#.#  ",
    " #.......#.#.#  ",
    " #.ggggg.#.#.#  ",
    " #.......#.#.#  ",
    " #.ggg...#.###  ",
    " #.......#.#    ",
    " #.gggg..###    ",
    " #.......#      ",
    " #########      ",
    "                ",
]

if __name__ == "__main__":
    write_bmp("page_workspace.bmp", picture(PAGE))
    write_bmp("workspace_pages.bmp", picture(PAGES))
