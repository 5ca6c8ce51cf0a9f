"""The mouse picture: a cartoon mouse reaching for a wedge of cheese in a
sunny meadow with hills, a barn, flowers and butterflies."""

import math
import random

from .canvas import Canvas
from .colour import gradient, ramp, scale
from .compose import SHOWN_H, SHOWN_W, place
from .mouse_figure import draw_cheese, draw_mouse, ladybird

SUN = ramp([(0.0, (245, 130, 10)), (0.5, (255, 200, 30)),
            (1.0, (255, 250, 180))])

# Where the mouse and its cheese are moved from the coordinates they are
# drawn in.
MOUSE_SHIFT = (-44, -10)


def make_mouse(objects=True):
    """The mouse picture; without objects only its sky, hills, fence and
    grass."""
    W, H = 800, 600
    cv = Canvas(W, H)
    rng = random.Random(4321)

    # bright sky
    sky = [(0.0, (40, 120, 235)), (0.6, (100, 180, 250)),
           (1.0, (185, 230, 255))]
    for y in range(360):
        cv.fill([(y, 0, W - 1)], gradient(sky, y / 340))

    # sun with rays and a friendly face
    sx, sy = 648, 116
    cv.soft(sx, sy, 200, 200, (255, 250, 200), 0.7, power=1.8)
    if objects:
        draw_sun(cv, sx, sy)
        draw_sky_objects(cv)
    draw_hills(cv, objects, rng)
    return cv


def draw_sun(cv, sx, sy):
    for k in range(14):
        a = k * 2 * math.pi / 14 + 0.1
        a1, a2 = a - 0.12, a + 0.12
        cv.poly([(sx + 66 * math.cos(a1), sy + 66 * math.sin(a1)),
                 (sx + 112 * math.cos(a), sy + 112 * math.sin(a)),
                 (sx + 66 * math.cos(a2), sy + 66 * math.sin(a2))],
                (255, 215, 40), outline=(240, 150, 20), ow=1)
    cv.shaded_ellipse(sx, sy, 62, 62, SUN, outline=(235, 130, 10), ow=3,
                      gloss=8, amb=0.35, shine=0.3)
    for ex in (-20, 20):
        cv.ellipse(sx + ex, sy - 10, 5, 8, (150, 70, 10))
    cv.stroke([(sx - 24, sy + 14), (sx - 12, sy + 26), (sx + 12, sy + 26),
               (sx + 24, sy + 14)], 4, 4, (150, 70, 10))
    cv.circle(sx - 34, sy + 12, 8, (255, 150, 60), 0.6)
    cv.circle(sx + 34, sy + 12, 8, (255, 150, 60), 0.6)


def draw_sky_objects(cv):
    # clouds
    cloud(cv, 330, 78, 1.0)
    cloud(cv, 530, 215, 0.75)
    cloud(cv, 95, 230, 0.7)
    cloud(cv, 245, 300, 0.5)
    cloud(cv, 700, 246, 0.55)

    # birds
    for x, y, s in ((140, 120, 1.0), (175, 140, 0.8), (460, 150, 0.9),
                    (600, 40, 0.7), (210, 40, 0.8)):
        cv.stroke([(x - 10 * s, y - 4 * s), (x - 4 * s, y - 6 * s), (x, y)],
                  2, 2, (40, 50, 80))
        cv.stroke([(x + 10 * s, y - 4 * s), (x + 4 * s, y - 6 * s), (x, y)],
                  2, 2, (40, 50, 80))


def draw_hills(cv, objects, rng):
    """The hills, the meadow and what stands on them."""
    W, H = cv.w, cv.h
    # hills
    far = [312 + 22 * math.sin(x * 0.008 + 1) + 9 * math.sin(x * 0.021)
           for x in range(W)]
    near = [362 + 16 * math.sin(x * 0.011 + 3) + 7 * math.sin(x * 0.03 + 1)
            for x in range(W)]
    buf = cv.buf
    for y in range(270, H):
        for x in range(W):
            i = (y * W + x) * 3
            if y >= near[x]:
                d = y - near[x]
                c = gradient([(0, (120, 215, 70)), (40, (80, 185, 50)),
                              (240, (40, 135, 35))], d)
                g = math.sin(x * 0.9 + y * 0.37) * math.sin(x * 0.23 - y * 0.61)
                c = scale(c, 1.0 + 0.08 * g)
            elif y >= far[x]:
                d = y - far[x]
                c = gradient([(0, (150, 215, 120)), (50, (110, 185, 95))], d)
            else:
                continue
            buf[i:i + 3] = bytes(c)

    if objects:
        draw_farm(cv, far)
    # fence on the near hill
    for x in range(0, W, 26):
        y = near[x] + 6
        cv.poly([(x - 3, y), (x + 3, y), (x + 3, y - 26), (x, y - 30),
                 (x - 3, y - 26)], (250, 245, 235), outline=(130, 110, 90), ow=1)
    for off in (10, 20):
        pts = [(x, near[min(x, W - 1)] + 6 - 30 + off) for x in range(0, W + 20, 20)]
        cv.polyline(pts, 3, (245, 238, 225))

    # grass blades
    for _ in range(2600):
        x = rng.uniform(0, W)
        y = rng.uniform(near[int(x)] + 10, H + 10)
        depth = (y - 360) / 240
        L = 5 + 12 * depth
        a = rng.uniform(-0.5, 0.5)
        col = rng.choice([(30, 110, 25), (60, 160, 40), (140, 220, 90),
                          (45, 130, 30)])
        cv.thin((x, y), (x + math.sin(a) * L, y - math.cos(a) * L), col)
    if objects:
        draw_meadow_objects(cv, near, rng)


def draw_farm(cv, far):
    """Trees and a red barn on the far hill."""
    for x, s in ((40, 0.8), (75, 0.6), (190, 0.7), (270, 0.6), (520, 0.65),
                 (600, 0.75), (640, 0.55)):
        tree(cv, x, far[x] + 6, s)
    bx, by = 700, int(far[700]) + 8
    cv.poly([(bx - 34, by), (bx + 34, by), (bx + 34, by - 38),
             (bx - 34, by - 38)], (200, 40, 35), outline=(90, 20, 15), ow=2)
    cv.poly([(bx - 42, by - 36), (bx, by - 70), (bx + 42, by - 36)],
            (120, 40, 40), outline=(60, 15, 15), ow=2)
    cv.poly([(bx - 12, by), (bx + 12, by), (bx + 12, by - 24),
             (bx - 12, by - 24)], (250, 250, 245), outline=(90, 20, 15), ow=1)
    cv.line((bx - 12, by - 24), (bx + 12, by), 2, (200, 40, 35))
    cv.line((bx + 12, by - 24), (bx - 12, by), 2, (200, 40, 35))
    cv.poly([(bx - 7, by - 54), (bx + 7, by - 54), (bx + 7, by - 42),
             (bx - 7, by - 42)], (250, 250, 245))


def draw_meadow_objects(cv, near, rng):
    """Flowers, butterflies, the mouse and its cheese."""
    # flowers
    petals = [(240, 50, 70), (255, 130, 200), (255, 255, 255),
              (170, 90, 230), (255, 150, 30), (70, 110, 255), (255, 80, 150)]
    def size(y):
        return 0.6 + 1.2 * (y - 370) / 230
    spots = []
    while len(spots) < 95:
        x = rng.uniform(5, SHOWN_W - 5)
        y = rng.uniform(near[int(x)] + 15, SHOWN_H - 30)
        # the whole flower, stem and leaf included, in view
        if 12 * size(y) <= x < SHOWN_W - 12 * size(y) \
                and y + 23 * size(y) < SHOWN_H - 2:
            spots.append((y, x))
    spots.sort()
    for y, x in spots:
        s = size(y)
        col = petals[rng.randrange(len(petals))]
        centre = (255, 220, 40) if col != (255, 150, 30) else (140, 70, 20)
        flower(cv, x, y, s, col, centre, rng)

    butterfly(cv, 120, 400, 1.1, (255, 150, 20), (255, 90, 30))
    butterfly(cv, 470, 60, 0.9, (120, 80, 255), (80, 180, 255))
    butterfly(cv, 626, 246, 0.8, (255, 90, 170), (255, 200, 60))

    place(cv, lambda c: (draw_cheese(c), draw_mouse(c), ladybird(c)),
          1.0, (0, 0), MOUSE_SHIFT)

    # a few more flowers in front
    for x, y, s, col in ((36, 488, 1.9, (240, 50, 70)),
                         (508, 490, 1.7, (255, 255, 255)),
                         (752, 496, 1.5, (170, 90, 230)),
                         (236, 492, 1.6, (70, 110, 255))):
        flower(cv, x, y, s, col, (255, 220, 40), rng)


def cloud(cv, cx, cy, s):
    blobs = [(-60, 10, 30), (-30, -10, 38), (10, -22, 44), (50, -5, 36),
             (80, 12, 26), (0, 14, 34), (-40, 18, 26), (40, 18, 28)]
    for dx, dy, r in blobs:
        cv.circle(cx + dx * s, cy + dy * s + 7 * s, r * s, (170, 195, 235))
    for dx, dy, r in blobs:
        cv.circle(cx + dx * s, cy + dy * s + 3 * s, r * s, (215, 228, 248))
    for dx, dy, r in blobs:
        cv.circle(cx + dx * s - 3 * s, cy + dy * s - 2 * s, r * s * 0.92,
                  (255, 255, 255))


def flower(cv, x, y, s, col, centre, rng):
    stem = (40, 120, 30)
    cv.line((x, y), (x + rng.uniform(-3, 3) * s, y + 22 * s), max(1, 2 * s),
            stem)
    cv.ellipse(x + 6 * s, y + 14 * s, 5 * s, 2.2 * s, (60, 150, 40))
    rot = rng.random() * math.pi
    for k in range(5):
        a = rot + k * 2 * math.pi / 5
        cv.ellipse(x + math.cos(a) * 6 * s, y + math.sin(a) * 6 * s,
                   5 * s, 5 * s, col, outline=scale(col, 0.6), ow=1)
    cv.circle(x, y, 3.5 * s, centre, outline=scale(centre, 0.6), ow=1)


def butterfly(cv, x, y, s, c1, c2):
    for side in (-1, 1):
        cv.ellipse(x + side * 11 * s, y - 7 * s, 11 * s, 9 * s, c1,
                   outline=(30, 20, 30), ow=1)
        cv.ellipse(x + side * 9 * s, y + 7 * s, 7 * s, 6 * s, c2,
                   outline=(30, 20, 30), ow=1)
        cv.circle(x + side * 12 * s, y - 8 * s, 3 * s, (255, 255, 255))
    cv.ellipse(x, y, 2.5 * s, 11 * s, (40, 30, 40))
    cv.line((x, y - 10 * s), (x - 5 * s, y - 18 * s), 1, (40, 30, 40))
    cv.line((x, y - 10 * s), (x + 5 * s, y - 18 * s), 1, (40, 30, 40))


def tree(cv, x, y, s):
    cv.line((x, y), (x, y - 22 * s), 6 * s, (110, 70, 35))
    for dx, dy, r in ((-10, -26, 13), (10, -28, 13), (0, -40, 15)):
        cv.circle(x + dx * s, y + dy * s, r * s, (40, 120, 45))
    for dx, dy, r in ((-12, -30, 8), (6, -44, 8)):
        cv.circle(x + dx * s, y + dy * s, r * s, (80, 165, 70))
