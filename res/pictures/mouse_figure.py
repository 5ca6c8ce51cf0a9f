"""The mouse and its cheese (with a ladybird on it), in the coordinates
they are drawn in before they are placed on the picture."""

import math

from .colour import mix, ramp
from .geometry import catmull, ellipse_spans, poly_spans

GREY = ramp([(0.0, (60, 60, 78)), (0.35, (120, 120, 138)),
             (0.7, (175, 175, 190)), (0.9, (220, 220, 232)),
             (1.0, (250, 250, 255))])
PINK = ramp([(0.0, (190, 80, 110)), (0.5, (245, 140, 165)),
             (1.0, (255, 215, 225))])
OUT_GREY = (35, 35, 50)
HEAD = (400, 248)             # centre of the mouse's head


def draw_mouse(cv):
    """The mouse sitting on the meadow, reaching for the cheese on its
    right."""
    mouse_body(cv)
    mouse_head(cv)
    mouse_face(cv)


def mouse_body(cv):
    """Its shadow, tail, feet, body and arms."""
    # shadow
    cv.soft(405, 520, 130, 20, (20, 80, 20), 0.7, power=0.8)

    # tail
    tail = catmull([(350, 470), (280, 500), (210, 480), (185, 430),
                    (215, 395), (245, 410), (235, 440)], 12)
    cv.stroke(tail, 13, 5, (245, 160, 180), outline=(110, 50, 70), ow=2)
    cv.stroke([(p[0] - 2, p[1] - 2) for p in tail[:-10]], 3, 1,
              (255, 210, 220))

    # feet
    for fx in (360, 455):
        cv.ellipse(fx, 510, 36, 14, (240, 165, 180), outline=OUT_GREY, ow=2)
        for k in (-12, 0, 12):
            cv.line((fx + k + 18, 502), (fx + k + 18, 512), 1, (180, 100, 120))

    # body
    cv.shaded_ellipse(405, 415, 78, 92, GREY, outline=OUT_GREY, ow=3,
                      gloss=14, shine=0.25, amb=0.28)
    cv.ellipse(418, 430, 50, 64, (240, 200, 212))
    cv.ellipse(410, 420, 38, 50, (250, 222, 230))

    # arms reaching to the cheese
    for pts in ([(450, 370), (510, 380), (578, 402)],
                [(455, 430), (520, 450), (582, 448)]):
        cv.stroke(pts, 26, 20, OUT_GREY)
    for pts in ([(450, 370), (510, 380), (578, 402)],
                [(455, 430), (520, 450), (582, 448)]):
        cv.stroke(pts, 21, 15, (160, 160, 175))
        cv.stroke([(p[0], p[1] - 4) for p in pts], 5, 4, (205, 205, 218))
    for x, y in ((588, 404), (592, 446)):
        cv.shaded_ellipse(x, y, 14, 12, PINK, outline=OUT_GREY, ow=2, gloss=8)
        for k in (-5, 0, 5):
            cv.line((x + 4, y + k), (x + 11, y + k), 1, (180, 90, 110))


def mouse_head(cv):
    """Ears, head, muzzle and cheeks."""
    hx, hy = HEAD
    # ears
    for ex, ey in ((hx - 78, hy - 76), (hx + 70, hy - 86)):
        cv.shaded_ellipse(ex, ey, 62, 60, GREY, outline=OUT_GREY, ow=3,
                          gloss=12, shine=0.2, amb=0.3)
        cv.shaded_ellipse(ex + 6, ey + 6, 44, 42, PINK, gloss=6, amb=0.4)

    # head
    cv.shaded_ellipse(hx, hy, 84, 74, GREY, outline=OUT_GREY, ow=3,
                      gloss=14, shine=0.25, amb=0.3)
    # muzzle
    cv.ellipse(hx + 36, hy + 32, 50, 32, (220, 220, 232), outline=(150, 150,
                                                                     168), ow=1)
    # cheeks
    cv.circle(hx - 28, hy + 34, 15, (255, 140, 170), 0.45)
    cv.circle(hx + 72, hy + 22, 11, (255, 140, 170), 0.45)


def mouse_face(cv):
    """Eyes looking at the cheese, whiskers, nose and smile."""
    hx, hy = HEAD
    # eyes looking at the cheese
    for ex in (hx - 6, hx + 40):
        cv.ellipse(ex, hy - 12, 15, 21, (255, 255, 255), outline=OUT_GREY,
                   ow=2)
        cv.ellipse(ex + 6, hy - 8, 8, 12, (15, 15, 25))
        cv.circle(ex + 8, hy - 14, 3, (255, 255, 255))
        cv.stroke([(ex - 14, hy - 40), (ex, hy - 46), (ex + 14, hy - 40)], 3,
                  3, OUT_GREY)
    # whiskers
    for k in (-1, 0, 1):
        cv.stroke([(hx + 96, hy + 26 + 6 * k), (hx + 130, hy + 20 + 16 * k),
                   (hx + 160, hy + 16 + 26 * k)], 2, 1, (30, 30, 40))
        cv.stroke([(hx + 12, hy + 34 + 6 * k), (hx - 30, hy + 30 + 14 * k),
                   (hx - 62, hy + 26 + 24 * k)], 2, 1, (30, 30, 40))
    # nose
    cv.shaded_ellipse(hx + 84, hy + 22, 14, 12,
                      ramp([(0, (90, 20, 40)), (0.6, (220, 60, 100)),
                            (1, (255, 220, 230))]), outline=OUT_GREY, ow=2,
                      gloss=10)
    # smile and teeth
    cv.poly([(hx + 58, hy + 50), (hx + 66, hy + 50), (hx + 66, hy + 62),
             (hx + 58, hy + 62)], (255, 255, 255), outline=OUT_GREY, ow=1)
    cv.poly([(hx + 66, hy + 50), (hx + 74, hy + 50), (hx + 74, hy + 62),
             (hx + 66, hy + 62)], (255, 255, 255), outline=OUT_GREY, ow=1)
    cv.stroke(catmull([(hx + 30, hy + 42), (hx + 50, hy + 51),
                       (hx + 80, hy + 49), (hx + 94, hy + 38)], 8),
              3, 3, OUT_GREY)


def draw_cheese(cv):
    """A wedge of cheese with holes, where the mouse's paws reach it."""
    T = (588, 420)
    A = (792, 330)
    B = (752, 404)
    h = 116
    out = (120, 70, 5)
    cv.soft(675, 526, 112, 18, (20, 80, 20), 0.7, power=0.8)
    top = [T, A, B]
    front = [T, B, (B[0], B[1] + h), (T[0], T[1] + h)]
    rind = [B, A, (A[0], A[1] + h), (B[0], B[1] + h)]
    for pts in (top, front, rind):
        cv.polyline(pts, 6, out, closed=True)

    def front_col(x, y):
        t = (x - T[0]) / (B[0] - T[0])
        return mix((255, 222, 70), (255, 190, 30), t)
    cv.fill(poly_spans(front), front_col)
    cv.fill(poly_spans(top), (255, 238, 130))
    cv.fill(poly_spans(rind), (236, 158, 20))
    for pts in (top, front, rind):
        cv.polyline(pts, 2, out, closed=True)
    # holes on the front face
    for x, y, r in ((640, 470, 17), (700, 448, 12), (720, 495, 15),
                    (610, 505, 9), (672, 512, 11), (738, 440, 7),
                    (660, 440, 6)):
        cv.ellipse(x, y, r, r * 0.9, (205, 135, 10))
        cv.ellipse(x + r * 0.2, y + r * 0.2, r * 0.8, r * 0.7, (235, 170, 30))
        cv.ellipse(x + r * 0.2, y + r * 0.25, r * 0.8, r * 0.7, (235, 170, 30))
        cv.fill(ellipse_spans(x, y, r, r * 0.9),
                lambda px, py, x=x, y=y, r=r:
                (150, 90, 5) if abs(math.hypot((px - x) / r,
                                               (py - y) / (r * 0.9)) - 1) < 0.12
                else None)
    # holes on the top face
    for x, y, rx in ((700, 370, 16), (740, 360, 9), (660, 395, 10),
                     (765, 375, 6)):
        cv.ellipse(x, y, rx, rx * 0.38, (220, 150, 20), outline=(170, 105, 10),
                   ow=1)
    # holes on the rind
    for x, y, r in ((775, 410, 8), (768, 460, 6), (785, 395, 4)):
        cv.ellipse(x, y, r * 0.5, r, (190, 115, 10))


def ladybird(cv):
    """A ladybird on the cheese."""
    cv.circle(700, 395, 9, (220, 20, 20), outline=(20, 10, 10), ow=1)
    cv.circle(707, 391, 5, (20, 10, 10))
    cv.line((700, 386), (700, 404), 1, (20, 10, 10))
    for dx, dy in ((-4, -3), (-5, 3), (3, 4)):
        cv.circle(700 + dx, 395 + dy, 1.6, (20, 10, 10))
