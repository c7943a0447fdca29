#!/usr/bin/env python3
"""Draws Pellucor's tool-bar strips, button bitmaps and icons.

Run by hand from anywhere (python3 res/draw_images.py); the files it writes
beside itself (the strips, bitmaps, icons and images.rc that lists them) are
kept in the source tree, so the build never runs it.

Every picture is drawn on a 16 by 16 unit grid from a few shapes (polygons,
circles, rings, thick lines), sampled 4 x 4 times per pixel:
- icons get the coverage as alpha, at 16 and 32 pixels;
- bitmaps are crisp: a pixel takes the shape's colour when the shape covers
  at least half of it, else the transparent colour of its strip.
The transparent colours themselves (0xFF00FF, 0xC0C0C0) and the four colours
that a tool bar maps to system colours (black, 0x808080, 0xC0C0C0, white) are
never used inside a picture.
"""
import math
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))

# ---- palette ----
OUTLINE = (38, 50, 66)
BLUE = (47, 111, 191)
BLUE_DARK = (28, 68, 128)
BLUE_LIGHT = (170, 205, 240)
GREEN = (46, 150, 80)
GREEN_DARK = (25, 95, 50)
RED = (200, 55, 45)
RED_DARK = (130, 30, 25)
AMBER = (232, 165, 30)
AMBER_LIGHT = (250, 215, 120)
PAPER = (250, 250, 244)
PAPER_LINE = (150, 165, 185)
STEEL = (110, 125, 145)
STEEL_LIGHT = (178, 188, 202)
WOOD = (150, 100, 55)
WHITE = (254, 254, 254)

SAMPLES = 4


# ---- shapes: each is a predicate on a point of the 16-unit grid ----

def poly(points):
    def inside(x, y):
        c = False
        n = len(points)
        for i in range(n):
            x1, y1 = points[i]
            x2, y2 = points[(i + 1) % n]
            if (y1 > y) != (y2 > y):
                if x < (x2 - x1) * (y - y1) / (y2 - y1) + x1:
                    c = not c
        return c
    return inside


def rect(x0, y0, x1, y1):
    return lambda x, y: x0 <= x <= x1 and y0 <= y <= y1


def rrect(x0, y0, x1, y1, r):
    def inside(x, y):
        if not (x0 <= x <= x1 and y0 <= y <= y1):
            return False
        cx = min(max(x, x0 + r), x1 - r)
        cy = min(max(y, y0 + r), y1 - r)
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r
    return inside


def circle(cx, cy, r):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def ring(cx, cy, r_out, r_in):
    return lambda x, y: r_in * r_in <= (x - cx) ** 2 + (y - cy) ** 2 <= r_out * r_out


def seg_dist(x, y, a, b):
    ax, ay = a
    bx, by = b
    dx, dy = bx - ax, by - ay
    t = ((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy)
    t = max(0.0, min(1.0, t))
    px, py = ax + t * dx, ay + t * dy
    return math.hypot(x - px, y - py)


def line(points, width):
    """A thick polyline with round joins and ends."""
    h = width / 2.0

    def inside(x, y):
        return any(seg_dist(x, y, points[i], points[i + 1]) <= h for i in range(len(points) - 1))
    return inside


def gear(cx, cy, r_out, r_in, r_hole, teeth=8):
    def inside(x, y):
        dx, dy = x - cx, y - cy
        d = math.hypot(dx, dy)
        if d < r_hole:
            return False
        a = (math.atan2(dy, dx) / (2 * math.pi) * teeth) % 1.0
        return d <= (r_out if 0.25 <= a < 0.75 else r_in)
    return inside


def union(*shapes):
    return lambda x, y: any(s(x, y) for s in shapes)


def minus(a, b):
    return lambda x, y: a(x, y) and not b(x, y)


def grow(shape, d):
    """The shape widened by d in every direction (tested on 8 neighbours)."""
    offs = [(d * math.cos(k * math.pi / 4), d * math.sin(k * math.pi / 4)) for k in range(8)]

    def inside(x, y):
        return shape(x, y) or any(shape(x + ox, y + oy) for ox, oy in offs)
    return inside


# ---- canvas ----

class Canvas:
    def __init__(self, size):
        self.size = size
        self.px = [[(0.0, 0.0, 0.0, 0.0)] * size for _ in range(size)]

    def fill(self, shape, colour):
        n = self.size
        scale = 16.0 / n
        for j in range(n):
            for i in range(n):
                hits = 0
                for sy in range(SAMPLES):
                    for sx in range(SAMPLES):
                        x = (i + (sx + 0.5) / SAMPLES) * scale
                        y = (j + (sy + 0.5) / SAMPLES) * scale
                        if shape(x, y):
                            hits += 1
                if hits:
                    self.blend(i, j, colour, hits / float(SAMPLES * SAMPLES))

    def blend(self, i, j, colour, a):
        r, g, b, da = self.px[j][i]
        out_a = a + da * (1 - a)
        if out_a <= 0:
            return
        mix = lambda c, dc: (c * a + dc * da * (1 - a)) / out_a
        self.px[j][i] = (mix(colour[0], r), mix(colour[1], g), mix(colour[2], b), out_a)


def outlined(cv, shape, colour, width=0.9):
    cv.fill(grow(shape, width), OUTLINE)
    cv.fill(shape, colour)


# ---- pictures ----

def p_gear(cv):
    g = gear(8, 8, 7.0, 5.2, 2.2)
    outlined(cv, g, STEEL, 0.8)
    cv.fill(ring(8, 8, 4.2, 2.2), STEEL_LIGHT)


def p_back(cv):
    arrow = poly([(1.5, 8), (8, 2), (8, 5.3), (14.5, 5.3), (14.5, 10.7), (8, 10.7), (8, 14)])
    outlined(cv, arrow, BLUE)
    cv.fill(poly([(3.6, 8), (7, 4.8), (7, 6.3), (13.5, 6.3), (13.5, 7.6), (4.5, 7.6)]), BLUE_LIGHT)


def box(cv, x0, y0, x1, y1):
    cv.fill(rrect(x0, y0, x1, y1, 1.2), OUTLINE)
    cv.fill(rrect(x0 + 1, y0 + 1, x1 - 1, y1 - 1, 0.5), PAPER)


def tick(cv, pts, width=2.4):
    cv.fill(line(pts, width + 1.2), GREEN_DARK)
    cv.fill(line(pts, width), GREEN)


def p_check_all(cv):
    box(cv, 4.5, 0.5, 15.5, 11.5)
    box(cv, 0.5, 4.5, 11.5, 15.5)
    tick(cv, [(3.2, 9.8), (5.6, 12.4), (13.6, 3.2)])


def p_uncheck_all(cv):
    box(cv, 4.5, 0.5, 15.5, 11.5)
    box(cv, 0.5, 4.5, 11.5, 15.5)


def p_check(cv):
    box(cv, 1, 2, 13, 14)
    tick(cv, [(3.6, 7.6), (6.6, 11), (14.6, 1.6)])


def p_uncheck(cv):
    box(cv, 2, 2, 14, 14)


def p_check_custom(cv):
    box(cv, 1, 3, 12, 14)
    tick(cv, [(3.4, 8.2), (5.8, 10.8), (9.5, 5.8)], 2.0)
    # a pencil across the corner: the user picks the words
    body = poly([(8.6, 12.6), (14.2, 2.6), (15.8, 3.6), (10.2, 13.6)])
    outlined(cv, body, AMBER, 0.7)
    cv.fill(poly([(8.6, 12.6), (10.2, 13.6), (8.4, 15.2)]), WOOD)
    cv.fill(poly([(14.2, 2.6), (15.8, 3.6), (16.4, 2.5), (14.9, 1.5)]), RED)


def sheet(cv, x0, y0, x1, y1, lines=True):
    fold = 2.6
    shape = poly([(x0, y0), (x1 - fold, y0), (x1, y0 + fold), (x1, y1), (x0, y1)])
    outlined(cv, shape, PAPER, 0.9)
    cv.fill(poly([(x1 - fold, y0), (x1, y0 + fold), (x1 - fold, y0 + fold)]), PAPER_LINE)
    if lines:
        y = y0 + fold + 1.4
        while y < y1 - 1.2:
            cv.fill(rect(x0 + 1.6, y - 0.45, x1 - 1.6, y + 0.45), PAPER_LINE)
            y += 2.2


def p_copy(cv):
    sheet(cv, 1.5, 1, 10, 11)
    sheet(cv, 6, 5, 14.5, 15)


def p_save(cv):
    body = poly([(1.5, 1.5), (12, 1.5), (14.5, 4), (14.5, 14.5), (1.5, 14.5)])
    outlined(cv, body, BLUE, 0.9)
    cv.fill(rect(4, 1.5, 11.5, 6.8), PAPER)
    cv.fill(rect(8.8, 2.4, 10.4, 5.8), BLUE_DARK)
    cv.fill(rrect(4.3, 9.2, 11.7, 14.5, 0.6), STEEL_LIGHT)
    cv.fill(rect(5.6, 10.4, 7.6, 13.4), STEEL)


def p_export(cv):
    sheet(cv, 1, 1, 10.5, 15)
    arrow = poly([(6, 7.2), (10.5, 7.2), (10.5, 4.5), (15.5, 9.5), (10.5, 14.5), (10.5, 11.8), (6, 11.8)])
    outlined(cv, arrow, GREEN, 0.8)


def p_copy_as(cv):
    board = rrect(2, 2.5, 14, 15.5, 1.2)
    outlined(cv, board, WOOD, 0.8)
    cv.fill(rect(3.8, 4.6, 12.2, 14), PAPER)
    for y in (7, 9.2, 11.4):
        cv.fill(rect(5, y - 0.45, 11, y + 0.45), PAPER_LINE)
    clip = rrect(5.2, 0.8, 10.8, 4.8, 1)
    outlined(cv, clip, STEEL_LIGHT, 0.7)


def p_error_report(cv):
    sheet(cv, 1, 1, 11.5, 15)
    outlined(cv, circle(11, 11, 4.4), RED, 0.8)
    cv.fill(rrect(10.2, 7.6, 11.8, 11.6, 0.6), WHITE)
    cv.fill(circle(11, 13.4, 0.95), WHITE)


def p_new_version(cv):
    outlined(cv, circle(8, 8, 7), GREEN, 0.8)
    cv.fill(ring(8, 8, 6.2, 5.2), (90, 185, 115))
    arrow = poly([(6.6, 3.4), (9.4, 3.4), (9.4, 8), (12, 8), (8, 12.6), (4, 8), (6.6, 8)])
    cv.fill(arrow, WHITE)


def p_exit(cv):
    outlined(cv, circle(8, 8, 7), RED, 0.8)
    cv.fill(line([(5.2, 5.2), (10.8, 10.8)], 2.4), WHITE)
    cv.fill(line([(10.8, 5.2), (5.2, 10.8)], 2.4), WHITE)


def p_help(cv):
    outlined(cv, circle(8, 8, 7), BLUE, 0.8)
    top = minus(ring(8, 6.2, 3.4, 1.7), lambda x, y: x < 8 and y > 6.2)
    top = minus(top, lambda x, y: y > 7.2 and x > 8 and (x - 8) < (y - 7.2) * 0.6)
    cv.fill(top, WHITE)
    cv.fill(rect(7.15, 8.2, 8.85, 10.2), WHITE)
    cv.fill(circle(8, 12.3, 1.1), WHITE)


def magnifier(cv, dx, lens, glint):
    handle = line([(9.8 + dx, 9.8), (14.2 + dx, 14.2)], 3.0)
    outlined(cv, handle, WOOD, 0.7)
    outlined(cv, circle(6.4 + dx, 6.4, 5.4), BLUE_DARK, 0.7)
    cv.fill(circle(6.4 + dx, 6.4, 4.1), lens)
    # the bars of a statistics table, seen through the lens
    for k, h in enumerate((2.6, 4.2, 3.2)):
        x = 4.2 + dx + k * 1.7
        cv.fill(rect(x, 9.0 - h, x + 1.1, 9.0), BLUE)
    cv.fill(circle(4.8 + dx, 4.4, 1.1), glint)


def p_tray(cv):
    magnifier(cv, 0, BLUE_LIGHT, WHITE)


def p_tray_busy(cv):
    # the second frame of the search animation: lens moved and lit
    magnifier(cv, 1.2, AMBER_LIGHT, AMBER)


# ---- files ----

def render(picture, size):
    cv = Canvas(size)
    picture(cv)
    return cv


def crisp_rows(cv, key):
    rows = []
    for j in range(cv.size):
        row = []
        for i in range(cv.size):
            r, g, b, a = cv.px[j][i]
            if a < 0.5:
                row.append(key)
                continue
            c = (int(round(r)), int(round(g)), int(round(b)))
            if c in RESERVED:
                c = (c[0], c[1], c[2] + (1 if c[2] < 255 else -1))
            row.append(c)
        rows.append(row)
    return rows


def write_bmp(path, pictures, key):
    """A 24-bit strip of 16 by 16 pictures, left to right."""
    strips = [crisp_rows(render(p, 16), key) for p in pictures]
    width, height = 16 * len(pictures), 16
    stride = (width * 3 + 3) & ~3
    data = bytearray()
    for j in reversed(range(height)):
        row = bytearray()
        for s in strips:
            for (r, g, b) in s[j]:
                row += bytes((b, g, r))
        row += b"\0" * (stride - len(row))
        data += row
    header = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    filehdr = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(data), 0, 0, 14 + 40)
    with open(path, "wb") as f:
        f.write(filehdr + header + data)


def icon_image(cv):
    n = cv.size
    xor = bytearray()
    mask = bytearray()
    mstride = ((n + 31) // 32) * 4
    for j in reversed(range(n)):
        bits = 0
        mrow = bytearray()
        for i in range(n):
            r, g, b, a = cv.px[j][i]
            alpha = int(round(a * 255))
            xor += bytes((int(round(b)), int(round(g)), int(round(r)), alpha)) if alpha else bytes(4)
            bits = (bits << 1) | (1 if alpha < 128 else 0)
            if i % 8 == 7:
                mrow.append(bits)
                bits = 0
        mrow += b"\0" * (mstride - len(mrow))
        mask += mrow
    header = struct.pack("<IiiHHIIiiII", 40, n, 2 * n, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    return header + xor + mask


def write_ico(path, images):
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for n, img in images:
        out += struct.pack("<BBBBHHII", n, n, 0, 0, 1, 32, len(img), offset)
        offset += len(img)
    with open(path, "wb") as f:
        f.write(out + b"".join(img for _, img in images))


MAGENTA = (255, 0, 255)
SILVER = (192, 192, 192)
# Colours with a meaning to whoever loads a strip: kept out of the pictures.
RESERVED = {MAGENTA, SILVER, (0, 0, 0), (128, 128, 128), (255, 255, 255)}

# The main view's buttons: (resource id, what, file stem, picture); each has
# an icon and a bitmap.
VIEW_BUTTONS = [
    (134, "Settings", "Settings", p_gear),
    (137, "Get New Version", "NewVersion", p_new_version),
    (138, "Check All", "CheckAll", p_check),
    (139, "Exit", "Exit", p_exit),
    (140, "Copy", "Copy", p_copy),
    (141, "Help", "Help", p_help),
    (143, "Back", "Back", p_back),
    (144, "Save", "Save", p_save),
]
# Icons alone: (resource ids, what, file stem, picture).
ICONS_ONLY = [
    ((167,), "Unckeck All", "UncheckAll", p_uncheck),
    ((505,), "Check Custom", "CheckCustom", p_check_custom),
    # the program's icon (the lowest icon id, so also the file's) and the tray's
    ((128, 142), "the program and its tray icon", "Pellucor", p_tray),
    ((508,), "the tray animation's second frame", "PellucorBusy", p_tray_busy),
]

RC_HEADER = """// The program's button images, icons and tray icons: written by
// draw_images.py (run it again after changing a picture), included at the
// end of Pellucor.rc. Each button of the main view finds its icon and its
// bitmap under the same id.
//
// Every icon holds a 16 and a 32 pixel picture.
"""


def main():
    # the framework's main tool bar: program settings, exception report reader
    write_bmp(os.path.join(HERE, "MainToolbar.bmp"), [p_gear, p_error_report], SILVER)
    write_bmp(os.path.join(HERE, "CopyExportBar.bmp"),
              [p_back, p_gear, p_check_all, p_uncheck_all, p_copy, p_save, p_export, p_copy_as], MAGENTA)

    icons = [((nid,), what, stem, pic, True) for nid, what, stem, pic in VIEW_BUTTONS]
    icons += [(ids, what, stem, pic, False) for ids, what, stem, pic in ICONS_ONLY]
    lines = [RC_HEADER]
    for ids, what, stem, picture, bitmap in icons:
        images = [(n, icon_image(render(picture, n))) for n in (16, 32)]
        write_ico(os.path.join(HERE, stem + ".ico"), images)
        lines.append("// %s" % what)
        for nid in ids:
            lines.append('%d ICON "%s.ico"' % (nid, stem))
        if bitmap:
            write_bmp(os.path.join(HERE, stem + ".bmp"), [picture], SILVER)
            lines.append('%d BITMAP "%s.bmp"  // transparent colour 0xC0C0C0' % (ids[0], stem))
        lines.append("")
    with open(os.path.join(HERE, "images.rc"), "w", newline="\n") as f:
        f.write("\n".join(lines))


if __name__ == "__main__":
    main()
