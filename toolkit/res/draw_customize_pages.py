#!/usr/bin/env python3
"""Draws the pictures of five customize pages, 32 x 32 each, as the
customize manager's bar shows them:
  page_intellimouse.bmp  a mouse with its middle button lit and four arrows
  page_splash.bmp        a borderless picture window over a screen
  page_trayicon.bmp      the corner of a task bar with an icon in its tray
  page_caption.bmp       a window whose title bar fades from dark to light
  page_background.bmp    a window whose inside is tiled with one small picture

Run by hand (python3 toolkit/res/draw_customize_pages.py); the .bmp files it
writes beside itself are kept in the source tree. Grey 192,192,192 is the
transparent colour.
"""
from draw_option_marks import write_bmp

CLEAR = (192, 192, 192)
PALETTE = {
    "#": (0, 0, 0),
    ".": (255, 255, 255),
    "g": (128, 128, 128),
    "b": (0, 0, 160),
    "c": (0, 160, 224),
    "r": (200, 0, 0),
    "y": (255, 224, 0),
    "e": (0, 128, 0),
    "s": (96, 160, 255),
    "1": (0, 0, 64),
    "2": (0, 0, 128),
    "3": (0, 48, 176),
    "4": (0, 96, 208),
    "5": (64, 144, 232),
    "6": (128, 192, 255),
}


def picture(rows):
    px = [[CLEAR] * 32 for _ in range(32)]
    for y, row in enumerate(rows):
        for x, ch in enumerate(row):
            if ch in PALETTE:
                px[y][x] = PALETTE[ch]
    return px


MOUSE = [
    "               #                ",
    "              ###               ",
    "             #####              ",
    "               #                ",
    "               #                ",
    "          ###########           ",
    "         #.....#.....#          ",
    "        #......#......#         ",
    "   #    #.....#r#.....#    #    ",
    "  ##    #.....#r#.....#    ##   ",
    " ###### #.....#r#.....# ######  ",
    "  ##    #.....#r#.....#    ##   ",
    "   #    #......#......#    #    ",
    "        ###############         ",
    "        #.............#         ",
    "        #.............#         ",
    "        #.............#         ",
    "        #.............#         ",
    "        #.............#         ",
    "        #.............#         ",
    "        #.............#         ",
    "        #............g#         ",
    "         #..........g#          ",
    "          #ggggggggg#           ",
    "           #########            ",
    "               #                ",
    "               #                ",
    "             #####              ",
    "              ###               ",
    "               #                ",
    "                                ",
    "                                ",
]

SPLASH = [
    "                                ",
    "                                ",
    " ############################## ",
    " #ssssssssssssssssssssssssssss# ",
    " #ssssssssssssssssssssssssssss# ",
    " #sssss####################sss# ",
    " #sssss#yyyyyyyyyyyyyyyyyy#sss# ",
    " #sssss#yyyyyyyyyyyyyyyyyy#sss# ",
    " #sssss#yy....yyyyyyyyyyyy#sss# ",
    " #sssss#yy....yyyyyyyyyyyy#sss# ",
    " #sssss#yyyyyyyyyyyyyyyyyy#sss# ",
    " #sssss#yyyyyyyyyyeyyyyyyy#sss# ",
    " #sssss#yyyyyyyyyeeeyyyyyy#sss# ",
    " #sssss#yyyyyyyyeeeeeyyyyy#sss# ",
    " #sssss#yyyyyyyeeeeeeeyyyy#sss# ",
    " #sssss#yyyyyyeeeeeeeeeyyy#sss# ",
    " #sssss#eeeeeeeeeeeeeeeeee#sss# ",
    " #sssss#eeeeeeeeeeeeeeeeee#sss# ",
    " #sssss####################sss# ",
    " #ssssssssssssssssssssssssssss# ",
    " #ssssssssssssssssssssssssssss# ",
    " #ssssssssssssssssssssssssssss# ",
    " ############################## ",
    "              ####              ",
    "              ####              ",
    "          ############          ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
]

TRAY = [
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                  ....          ",
    "                 .#r..#.        ",
    "                .#rrr..#.       ",
    "                .#rrrrr#.       ",
    "                .#rrrrr#.       ",
    "                .#rrrrr#.       ",
    "                 .#rrr#.        ",
    "                  .###.         ",
    "                   .#.          ",
    "                   .#.          ",
    "                    .           ",
    "                                ",
    "################################",
    "#..............................#",
    "#.gggggg.#ggggggggggggggggggggg#",
    "#.gbbbbg.#g....................#",
    "#.gbbbbg.#g.ggggg..bb..cc..rr..#",
    "#.gbbbbg.#g.ggggg..bb..cc..rr..#",
    "#.gggggg.#g....................#",
    "#........#g....................#",
    "#.........g....................#",
    "################################",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
]

CAPTION = [
    "                                ",
    "                                ",
    "                                ",
    " ############################## ",
    " #1111122222333334444455556666# ",
    " #1..11222..3333344444555#.#.6# ",
    " #1..112222233333444445556#66.# ",
    " #1111122222333334444455556666# ",
    " ############################## ",
    " #............................# ",
    " #..gggggggggg................# ",
    " #............................# ",
    " #..gggggggggggggggg..........# ",
    " #............................# ",
    " #..ggggggggggggg.............# ",
    " #............................# ",
    " #............................# ",
    " #............................# ",
    " #............................# ",
    " #............................# ",
    " #............................# ",
    " #............................# ",
    " #............................# ",
    " #............................# ",
    " ############################## ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
]

BACKGROUND = [
    "                                ",
    "                                ",
    " ############################## ",
    " #22222222222222222222222222..# ",
    " ############################## ",
    " #ye..ye..ye..ye..ye..ye..ye..# ",
    " #ee..ee..ee..ee..ee..ee..ee..# ",
    " #..ye..ye..ye..ye..ye..ye..ye# ",
    " #..ee..ee..ee..ee..ee..ee..ee# ",
    " #ye..ye..ye..ye..ye..ye..ye..# ",
    " #ee..ee..ee..ee..ee..ee..ee..# ",
    " #..ye..ye..ye..ye..ye..ye..ye# ",
    " #..ee..ee..ee..ee..ee..ee..ee# ",
    " #ye..ye..ye..ye..ye..ye..ye..# ",
    " #ee..ee..ee..ee..ee..ee..ee..# ",
    " #..ye..ye..ye..ye..ye..ye..ye# ",
    " #..ee..ee..ee..ee..ee..ee..ee# ",
    " #ye..ye..ye..ye..ye..ye..ye..# ",
    " #ee..ee..ee..ee..ee..ee..ee..# ",
    " #..ye..ye..ye..ye..ye..ye..ye# ",
    " #..ee..ee..ee..ee..ee..ee..ee# ",
    " #ye..ye..ye..ye..ye..ye..ye..# ",
    " #ee..ee..ee..ee..ee..ee..ee..# ",
    " #..ye..ye..ye..ye..ye..ye..ye# ",
    " #..ee..ee..ee..ee..ee..ee..ee# ",
    " ############################## ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
]

for name, rows in (("page_intellimouse.bmp", MOUSE), ("page_splash.bmp", SPLASH), ("page_trayicon.bmp", TRAY),
                   ("page_caption.bmp", CAPTION), ("page_background.bmp", BACKGROUND)):
    assert len(rows) == 32, name
    write_bmp(name, picture([r[:32].ljust(32) for r in rows]))
