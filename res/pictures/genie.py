"""The genie picture: a genie rising from a golden oil lamp in front of a
palace at night, with palms, a treasure chest and sparkles."""

import math
import random

from .canvas import Canvas
from .colour import gradient, mix, scale
from .compose import place
from .genie_figure import draw_genie
from .genie_lamp import draw_lamp, draw_smoke
from .genie_props import draw_chest, palace, palm
from .geometry import ellipse_spans, star_points

# Where the foot of the lamp stands and how much the lamp and the genie are
# scaled from the coordinates they are drawn in.
GENIE_AT = (410, 530)
GENIE_SCALE = 0.93

HORIZON = 480
MOON = (118, 96, 56)          # centre x, y and radius
MOON_GLOW = 210               # radius of the light around the moon


def make_genie(objects=True):
    """The genie picture; without objects only its sky, palace and dunes."""
    cv = Canvas(800, 600)
    rng = random.Random(1234)
    night_sky(cv)
    streaks(cv)
    stars(cv, rng)
    moon(cv)
    palace(cv)
    dunes(cv)
    # glows behind the lamp and the genie (light on the sand and in the sky)
    cv.soft(GENIE_AT[0] - 20, 470, 300, 120, (255, 200, 90), 0.55, power=1.6)
    cv.soft(GENIE_AT[0] + 20, 210, 190, 220, (90, 170, 255), 0.45, power=1.4)
    if objects:
        draw_objects(cv, rng)
    return cv


def draw_objects(cv, rng):
    """Everything in front of the backdrop, which must stay in view."""
    # palm trees at both sides
    palm(cv, (700, 522), (668, 306), -8, (22, 8, 32), rng, 0.78)
    palm(cv, (34, 526), (66, 330), 10, (22, 8, 32), rng, 0.8)

    # treasure chest at the lower left
    draw_chest(cv, 44, 424)

    # the lamp, the smoke rising from its spout and the genie, made a little
    # smaller so that the plume and the foot both stay in view
    place(cv, lambda c: (draw_lamp(c), draw_smoke(c), draw_genie(c)),
          GENIE_SCALE, (400, 572), GENIE_AT)

    # magic sparkles
    for x, y, r in ((300, 130, 14), (560, 110, 12), (600, 220, 10),
                    (265, 220, 9), (520, 40, 8), (350, 40, 9), (620, 330, 8),
                    (240, 300, 7), (330, 345, 8), (545, 360, 9),
                    (480, 415, 6), (210, 470, 8)):
        sparkle(cv, x, y, r, (255, 236, 150))


def sparkle(cv, x, y, r, col):
    cv.poly(star_points(x, y, r, r * 0.22, 4), col)
    cv.circle(x, y, max(1.0, r * 0.18), (255, 255, 255))


def night_sky(cv):
    """Night sky with a warm glow at the horizon and around the moon."""
    W = cv.w
    sky = [(0.0, (12, 6, 40)), (0.35, (38, 16, 90)), (0.62, (82, 30, 124)),
           (0.82, (150, 50, 130)), (1.0, (225, 95, 115))]
    mx, my, _ = MOON
    glow_r = MOON_GLOW
    for y in range(HORIZON + 1):
        base = gradient(sky, y / HORIZON)
        dy = y - my
        if abs(dy) < glow_r:
            def f(x, y, base=base):
                d = math.hypot(x - mx, y - my)
                if d >= glow_r:
                    return base
                return mix(base, (230, 200, 255), 0.55 * (1 - d / glow_r) ** 2.2)
            cv.fill([(y, 0, mx + glow_r)], f)
            cv.fill([(y, mx + glow_r + 1, W - 1)], base)
        else:
            cv.fill([(y, 0, W - 1)], base)


def streaks(cv):
    """Thin coloured clouds streaking across the sky."""
    for cx, cy, rx, ry, col, s in (
            (610, 130, 260, 34, (190, 80, 220), 0.30),
            (250, 250, 300, 28, (120, 80, 230), 0.30),
            (680, 300, 220, 24, (240, 100, 180), 0.35),
            (150, 360, 220, 20, (250, 120, 170), 0.35),
            (520, 40, 200, 18, (110, 70, 200), 0.30),
            (420, 390, 280, 16, (255, 150, 170), 0.30)):
        cv.soft(cx, cy, rx, ry, col, s, power=1.2)


def stars(cv, rng):
    """Points, small squares and a few four-pointed stars, fewer and dimmer
    towards the horizon, none on the moon."""
    star_cols = [(255, 255, 255), (255, 240, 190), (200, 220, 255),
                 (255, 210, 240)]
    mx, my, mr = MOON
    for _ in range(420):
        x = rng.randrange(0, cv.w)
        y = rng.randrange(0, 430)
        col = star_cols[rng.randrange(len(star_cols))]
        if math.hypot(x - mx, y - my) < mr + 8:
            continue
        kind = rng.random()
        fade = 1.0 - 0.6 * y / 430
        if kind < 0.72:
            cv.pixel(x, y, col, 0.5 + 0.5 * fade)
        elif kind < 0.92:
            cv.fill([(y, x, x + 1), (y + 1, x, x + 1)], col)
        else:
            r = rng.randrange(4, 9)
            cv.poly(star_points(x, y, r, 1.3, 4), col)
            cv.pixel(x, y, (255, 255, 255))


def moon(cv):
    """A crescent moon with a few craters."""
    mx, my, mr = MOON

    def lit_part(x, y):
        if math.hypot(x - mx - 24, y - my + 16) < 50:
            return None
        d = math.hypot(x - mx, y - my) / mr
        c = mix((255, 250, 215), (245, 210, 120), d ** 3)
        for ccx, ccy, cr in ((-30, 10, 9), (-18, 33, 6), (-38, -12, 5)):
            if math.hypot(x - mx - ccx, y - my - ccy) < cr:
                c = scale(c, 0.9)
        return c
    cv.fill(ellipse_spans(mx, my, mr, mr), lit_part)


def dunes(cv):
    """Three layers of rippled dunes, each lit along its crest."""
    W, H = cv.w, cv.h
    layers = [
        (lambda x: 478 + 10 * math.sin(x * 0.012 + 0.5)
         + 6 * math.sin(x * 0.031 + 2), (110, 48, 84), (170, 80, 100)),
        (lambda x: 505 + 18 * math.sin(x * 0.009 + 2.0)
         + 7 * math.sin(x * 0.027 + 1), (165, 80, 70), (230, 140, 110)),
        (lambda x: 548 + 16 * math.sin(x * 0.007 + 4)
         + 8 * math.sin(x * 0.021), (205, 118, 58), (255, 190, 120)),
    ]
    tops = [[f(x) for x in range(W)] for f, _, _ in layers]
    buf = cv.buf
    for y in range(440, H):
        for x in range(W):
            layer = -1
            for k in range(3):
                if y >= tops[k][x]:
                    layer = k
            if layer < 0:
                continue
            d = y - tops[layer][x]
            base, hi = layers[layer][1], layers[layer][2]
            c = mix(hi, base, min(1.0, d / 14.0))
            rip = math.sin(x * 0.07 + d * 0.45 + 3 * math.sin(x * 0.013 + layer))
            c = scale(c, 1.0 + 0.07 * rip - 0.1 * min(1.0, d / 80.0))
            i = (y * W + x) * 3
            buf[i:i + 3] = bytes(c)
