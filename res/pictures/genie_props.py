"""The genie picture's props: the distant palace, the palm trees and the
treasure chest with its coins and gems."""

import math

from .colour import mix, scale
from .genie_palette import GOLD, OUT_GOLD, SILHOUETTE
from .geometry import bezier, catmull


def palace(cv):
    """The distant palace's silhouette, with lamplight in its windows."""
    S = SILHOUETTE
    # left group
    cv.fill([(y, 70, 335) for y in range(420, 490)], S)
    for x in range(72, 335, 18):
        cv.fill([(y, x, x + 9) for y in range(410, 420)], S)
    onion_dome(cv, 212, 424, 56, S)
    onion_dome(cv, 120, 426, 26, S)
    onion_dome(cv, 300, 426, 26, S)
    cv.fill([(y, 165, 181) for y in range(330, 490)], S)
    onion_dome(cv, 173, 334, 14, S)
    cv.fill([(y, 160, 186) for y in range(330, 336)], S)
    cv.fill([(y, 0, 60) for y in range(440, 490)], S)
    onion_dome(cv, 30, 444, 22, S)
    # middle wall (mostly hidden behind the genie's smoke)
    cv.fill([(y, 330, 580) for y in range(446, 490)], S)
    for x in range(332, 580, 16):
        cv.fill([(y, x, x + 8) for y in range(437, 446)], S)
    # right group
    W = cv.w
    cv.fill([(y, 560, W - 1) for y in range(412, 490)], S)
    for x in range(562, W, 18):
        cv.fill([(y, x, x + 9) for y in range(402, 412)], S)
    onion_dome(cv, 672, 416, 58, S)
    cv.fill([(y, 752, 766) for y in range(280, 420)], S)
    onion_dome(cv, 759, 284, 13, S)
    onion_dome(cv, 738, 418, 26, S)
    cv.fill([(y, 584, 600) for y in range(310, 490)], S)
    onion_dome(cv, 592, 314, 15, S)
    cv.fill([(y, 578, 606) for y in range(310, 317)], S)
    # lit windows
    lamp_win = (255, 196, 90)
    for x, y in ((90, 440), (118, 440), (146, 440), (232, 440), (260, 440),
                 (288, 440), (200, 445), (15, 460), (38, 460),
                 (620, 430), (648, 430), (696, 430), (724, 432), (748, 432),
                 (668, 436), (170, 360), (170, 395), (589, 340), (589, 375),
                 (756, 300), (756, 340), (756, 380)):
        arch_window(cv, x, y, 7, 16, lamp_win)
    for x, y in ((350, 456), (400, 456), (450, 456), (500, 456), (550, 456)):
        arch_window(cv, x, y, 7, 14, lamp_win)


def onion_dome(cv, cx, base, r, col, spire=True):
    pts_l, pts_r = [], []
    top = 2.3 * r
    for i in range(31):
        s = i / 30
        if s <= 0.35:
            w = r * (0.72 + 0.28 * math.sin(s / 0.35 * math.pi / 2))
        else:
            u = (s - 0.35) / 0.65
            w = r * math.cos(u * math.pi / 2) ** 1.7
        y = base - s * top
        pts_l.append((cx - w, y))
        pts_r.append((cx + w, y))
    cv.poly(pts_l + pts_r[::-1], col)
    if spire:
        cv.line((cx, base - top), (cx, base - top - r * 0.5), 2, col)
        cv.circle(cx, base - top - r * 0.25, max(2, r * 0.08), col)


def arch_window(cv, x, y, w, h, col):
    cv.fill([(yy, int(x), int(x + w - 1)) for yy in range(int(y + w / 2),
                                                           int(y + h))], col)
    cv.ellipse(x + (w - 1) / 2, y + w / 2, (w - 1) / 2, w / 2, col)


def palm(cv, base, top, lean, col, rng, size=1.0):
    trunk = catmull([base, ((base[0] * 2 + top[0]) / 3 + lean,
                            (base[1] * 2 + top[1]) / 3),
                     ((base[0] + top[0] * 2) / 3 + lean * 0.6,
                      (base[1] + top[1] * 2) / 3), top], 10)
    cv.stroke(trunk, 20 * size, 10 * size, col)
    # rings on the trunk
    for i in range(2, len(trunk) - 2, 3):
        x, y = trunk[i]
        w = (20 - 10 * i / len(trunk)) * size
        cv.line((x - w / 2 - 1, y), (x + w / 2 + 1, y - 2), 2,
                scale(col, 0.6))
    tx, ty = top
    for k, ang in enumerate([-170, -140, -110, -75, -40, -10, 20, 160, 200]):
        a = math.radians(ang)
        ln = (95 + rng.random() * 30) * size
        droop = (45 + rng.random() * 20) * size
        p0 = (tx, ty)
        p1 = (tx + math.cos(a) * ln * 0.4, ty + math.sin(a) * ln * 0.4 - 25 * size)
        p2 = (tx + math.cos(a) * ln * 0.8, ty + math.sin(a) * ln * 0.8)
        p3 = (tx + math.cos(a) * ln, ty + math.sin(a) * ln + droop)
        pts = bezier(p0, p1, p2, p3, 16)
        cv.stroke(pts, 9 * size, 1.5, col)
        # leaflets
        for i in range(2, len(pts) - 1):
            x, y = pts[i]
            x2, y2 = pts[i - 1]
            dx, dy = x - x2, y - y2
            ln2 = math.hypot(dx, dy) or 1
            dx, dy = dx / ln2, dy / ln2
            L = (16 - i * 0.6) * size
            for side in (-1, 1):
                nx, ny = -dy * side, dx * side
                cv.line((x, y), (x + (nx * 0.7 + dx * 0.5) * L + 0,
                                 y + (ny * 0.7 + dy * 0.5) * L + 4 * size),
                        2.2 * size, col)
    for dx, dy in ((-6, 6), (5, 7), (0, 11)):
        cv.circle(tx + dx * size, ty + dy * size, 6 * size, scale(col, 0.7))


def gold_coin(cv, x, y, r=13):
    cv.ellipse(x, y + 2, r, r * 0.42, (120, 70, 8), outline=OUT_GOLD, ow=1)
    cv.shaded_ellipse(x, y, r, r * 0.42, GOLD, outline=OUT_GOLD, ow=1)
    cv.ring(x, y, r * 0.7, r * 0.3, 1.2, (170, 105, 15))


def gem(cv, x, y, r, col):
    light = mix(col, (255, 255, 255), 0.55)
    dark = scale(col, 0.5)
    pts = [(x - r, y - r * 0.3), (x - r * 0.5, y - r * 0.8),
           (x + r * 0.5, y - r * 0.8), (x + r, y - r * 0.3), (x, y + r)]
    cv.poly(pts, col, outline=(20, 10, 20), ow=1)
    cv.poly([(x - r, y - r * 0.3), (x - r * 0.5, y - r * 0.8),
             (x, y - r * 0.3)], light)
    cv.poly([(x + r, y - r * 0.3), (x, y + r), (x + r * 0.2, y - r * 0.3)],
            dark)
    cv.pixel(x - r * 0.4, y - r * 0.5, (255, 255, 255))


def draw_chest(cv, x, y):
    wood = (120, 60, 25)
    dark = (60, 28, 10)
    band = (230, 170, 40)
    # open lid leaning back
    cv.poly([(x, y - 8), (x + 110, y - 8), (x + 100, y - 52), (x + 10, y - 52)],
            (100, 48, 20), outline=dark, ow=2)
    cv.poly([(x + 6, y - 12), (x + 104, y - 12), (x + 96, y - 46),
             (x + 14, y - 46)], (70, 30, 12))
    # gold heaped inside
    cv.soft(x + 55, y - 10, 90, 50, (255, 220, 120), 0.6)
    for i in range(22):
        cx = x + 8 + (i * 37) % 96
        cy = y - 4 - (i * 13) % 16
        gold_coin(cv, cx, cy, 9)
    gem(cv, x + 30, y - 18, 8, (220, 30, 60))
    gem(cv, x + 75, y - 14, 7, (40, 200, 110))
    # box
    cv.poly([(x - 2, y), (x + 112, y), (x + 108, y + 76), (x + 2, y + 76)],
            wood, outline=dark, ow=2)
    for yy in range(y + 12, y + 76, 12):
        cv.line((x + 2, yy), (x + 108, yy), 1, (90, 42, 16))
    for bx in (x + 12, x + 92):
        cv.poly([(bx, y), (bx + 8, y), (bx + 8, y + 76), (bx, y + 76)],
                band, outline=OUT_GOLD, ow=1)
    cv.poly([(x - 2, y), (x + 112, y), (x + 112, y + 8), (x - 2, y + 8)],
            band, outline=OUT_GOLD, ow=1)
    cv.poly([(x + 46, y + 14), (x + 64, y + 14), (x + 64, y + 36),
             (x + 46, y + 36)], band, outline=OUT_GOLD, ow=1)
    cv.ellipse(x + 55, y + 24, 3, 4, (30, 15, 5))
    # spilled coins and gems around the chest
    for cx, cy in ((x + 130, y + 70), (x + 148, y + 78), (x + 120, y + 84),
                   (x - 20, y + 80), (x + 138, y + 92), (x + 160, y + 96),
                   (x - 30, y + 96), (x + 90, y + 96)):
        gold_coin(cv, cx, cy, 11)
    gem(cv, x + 170, y + 70, 9, (60, 90, 255))
    gem(cv, x + 10, y + 100, 9, (230, 40, 200))
