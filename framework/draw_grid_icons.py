#!/usr/bin/env python3
"""Draws the icons of the framework's grid dialogs (the external-tools editor
and the grid column set-up) with the shapes of res/draw_images.py.

Run by hand (python3 framework/draw_grid_icons.py); the .ico files it writes
beside itself are kept in the source tree and listed in framework.rc.
"""
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "res"))
import draw_images as d  # noqa: E402


def p_add(cv):
    d.outlined(cv, d.union(d.rect(6, 2, 10, 14), d.rect(2, 6, 14, 10)), d.GREEN, 0.8)


def p_delete(cv):
    d.outlined(cv, d.line([(3.5, 3.5), (12.5, 12.5)], 2.6), d.RED, 0.8)
    d.outlined(cv, d.line([(12.5, 3.5), (3.5, 12.5)], 2.6), d.RED, 0.8)


def p_delete_all(cv):
    d.sheet(cv, 1.5, 1, 10, 11)
    d.sheet(cv, 4, 4, 12.5, 14)
    d.outlined(cv, d.line([(7, 7), (14.5, 14.5)], 2.2), d.RED, 0.7)
    d.outlined(cv, d.line([(14.5, 7), (7, 14.5)], 2.2), d.RED, 0.7)


def p_up(cv):
    d.outlined(cv, d.poly([(8, 1.5), (14.5, 8.5), (10.5, 8.5), (10.5, 14.5), (5.5, 14.5), (5.5, 8.5), (1.5, 8.5)]),
               d.BLUE, 0.8)


def p_down(cv):
    d.outlined(cv, d.poly([(8, 14.5), (14.5, 7.5), (10.5, 7.5), (10.5, 1.5), (5.5, 1.5), (5.5, 7.5), (1.5, 7.5)]),
               d.BLUE, 0.8)


def p_folder(cv):
    d.outlined(cv, d.poly([(1, 3), (6, 3), (7.5, 4.5), (15, 4.5), (15, 14), (1, 14)]), d.AMBER, 0.8)
    cv.fill(d.rect(2, 6.5, 14, 13), d.AMBER_LIGHT)


def p_default(cv):
    d.outlined(cv, d.ring(8, 8, 6.5, 4.0), d.GREEN, 0.7)
    cv.fill(d.poly([(8.5, 0.5), (14, 0.5), (14, 6)]), d.GREEN_DARK)


ICONS = [
    (164, "GridAdd", p_add),
    (165, "GridDelete", p_delete),
    (166, "GridDeleteAll", p_delete_all),
    (162, "GridUp", p_up),
    (163, "GridDown", p_down),
    (502, "GridChoose", p_folder),
    (174, "GridDefault", p_default),
    (167, "GridHideAll", d.p_uncheck),
    (505, "GridShowAll", d.p_check_custom),
]


def main():
    for _, stem, picture in ICONS:
        images = [(n, d.icon_image(d.render(picture, n))) for n in (16, 32)]
        d.write_ico(os.path.join(HERE, stem + ".ico"), images)


if __name__ == "__main__":
    main()
