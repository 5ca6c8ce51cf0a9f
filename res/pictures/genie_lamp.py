"""The genie picture's oil lamp and the smoke rising from its spout, in
the coordinates they are drawn in before they are placed on the picture."""

import math

from .colour import lit, mix
from .genie_palette import CRIMSON, GOLD, OUT_BLUE, OUT_GOLD
from .geometry import bezier, catmull, ellipse_spans, poly_spans, star_points

LAMP_X, LAMP_Y = 400, 492     # centre of the lamp's body


def draw_lamp(cv):
    """The golden oil lamp, standing with its foot on (400, 560)."""
    lamp_handle(cv)
    lamp_foot(cv)
    lamp_spout(cv)
    lamp_body(cv)
    lamp_lid(cv)


def lamp_handle(cv):
    """The handle: a ring on the right, partly behind the body."""
    cv.ring(548, 470, 44, 36, 13, OUT_GOLD)
    def handle(x, y):
        dx, dy = (x - 548) / 44.0, (y - 470) / 36.0
        d = math.hypot(dx, dy)
        if d > 0.985 or d < 0.67:
            return None
        # tube shading across the ring
        s = (d - 0.67) / 0.315 * 2 - 1
        v = lit(s * 0.9 * (dx / (d or 1)), s * 0.9 * (dy / (d or 1)))
        return GOLD[int(v * 255)]
    cv.fill(ellipse_spans(548, 470, 44, 36), handle)


def lamp_foot(cv):
    """The base the lamp stands on."""
    cv.poly([(365, 520), (435, 520), (470, 560), (330, 560)], (0, 0, 0))
    foot = [(368, 520), (432, 520), (466, 558), (334, 558)]
    cv.polyline(foot, 5, OUT_GOLD, closed=True)
    def foot_col(x, y):
        v = lit((x - 400) / 75.0, -0.2)
        return GOLD[int(v * 255)]
    cv.fill(poly_spans(foot), foot_col)
    cv.shaded_ellipse(400, 560, 70, 10, GOLD, outline=OUT_GOLD)


def lamp_spout(cv):
    """The spout, shaded across its width."""
    top = bezier((300, 470), (250, 468), (215, 450), (168, 424), 20)
    bot = bezier((300, 520), (250, 515), (205, 470), (178, 438), 20)
    spout = top + bot[::-1]
    cv.polyline(spout, 5, OUT_GOLD, closed=True)

    def spout_col(x, y):
        # find parameter along the spout from x, shade across its width
        t = (300 - x) / 130.0
        t = 0.0 if t < 0 else (1.0 if t > 1 else t)
        k = int(t * 20)
        ya, yb = top[k][1], bot[k][1]
        s = (y - ya) / ((yb - ya) or 1) * 2 - 1
        v = lit(-0.15, s * 0.95)
        return GOLD[int(v * 255)]
    cv.fill(poly_spans(spout), spout_col)
    cv.ellipse(172, 430, 9, 6, (60, 25, 3), outline=OUT_GOLD, ow=2)
    cv.ring(172, 430, 10, 7, 2, (255, 225, 120))


def lamp_body(cv):
    """The body with its engraved band and a ruby."""
    cx, cy = LAMP_X, LAMP_Y
    cv.shaded_ellipse(cx, cy, 128, 44, GOLD, outline=OUT_GOLD, ow=3,
                      gloss=30, shine=0.7)
    # engraved band and decoration
    def band(x, y):
        t = (x - cx) / 128.0
        if abs(t) >= 1:
            return None
        yy = cy + 8 + 18 * math.sqrt(1 - t * t)
        return (130, 70, 8) if abs(y - yy) < 1.6 else None
    cv.fill(ellipse_spans(cx, cy, 124, 40), band)
    for k in range(-4, 5):
        x = cx + k * 24
        t = (x - cx) / 128.0
        yy = cy + 8 + 18 * math.sqrt(1 - t * t)
        cv.poly(star_points(x, yy - 7, 5, 2, 4), (150, 85, 10))
    cv.ellipse(cx, cy + 4, 13, 10, (120, 0, 30), outline=(110, 60, 5), ow=3)
    cv.shaded_ellipse(cx, cy + 4, 11, 8, CRIMSON, gloss=12)
    cv.pixel(cx - 4, cy + 1, (255, 255, 255))


def lamp_lid(cv):
    """The neck collar and the lid with its knob."""
    cx = LAMP_X
    cv.shaded_ellipse(cx, 452, 60, 13, GOLD, outline=OUT_GOLD)
    def lid(x, y):
        if y > 450:
            return None
        return GOLD[int(lit((x - cx) / 42.0, (y - 450) / 34.0) * 255)]
    cv.fill([s for s in ellipse_spans(cx, 450, 44, 36) if s[0] <= 450],
            OUT_GOLD)
    cv.fill(ellipse_spans(cx, 450, 42, 34), lid)
    cv.ellipse(cx, 450, 44, 5, OUT_GOLD)
    cv.shaded_ellipse(cx, 449, 42, 4, GOLD)
    cv.shaded_ellipse(cx, 412, 10, 10, GOLD, outline=OUT_GOLD)
    cv.shaded_ellipse(cx, 401, 5, 5, GOLD, outline=OUT_GOLD, ow=1)


def draw_smoke(cv):
    """The smoke tail rising from the spout into the genie."""
    path = catmull([(176, 428), (160, 398), (176, 366), (228, 352),
                    (282, 372), (318, 398), (366, 386), (404, 356),
                    (428, 322)], 14)
    n = len(path)
    smoke = (205, 215, 255)
    body = (60, 125, 232)
    radii = [5 + 52 * (i / (n - 1)) ** 1.7 for i in range(n)]
    for i, (x, y) in enumerate(path):
        cv.circle(x, y, radii[i] + 2.5, OUT_BLUE)
    for i, (x, y) in enumerate(path):
        t = i / (n - 1)
        cv.circle(x, y, radii[i], mix(smoke, body, t ** 0.7))
    for i, (x, y) in enumerate(path):
        t = i / (n - 1)
        r = radii[i]
        cv.circle(x - 0.3 * r, y - 0.35 * r, 0.45 * r,
                  mix(mix(smoke, body, t ** 0.7), (255, 255, 255), 0.35))
    # swirls of smoke around the tail
    for cx, cy, r0, r1, a0, turns, col in (
            (246, 400, 6, 34, 0.0, 1.6, (230, 225, 255)),
            (150, 352, 4, 22, 2.0, 1.4, (220, 230, 255)),
            (360, 430, 5, 26, 4.0, 1.3, (235, 220, 255))):
        pts = []
        for i in range(60):
            t = i / 59
            a = a0 + t * turns * 2 * math.pi
            r = r0 + (r1 - r0) * t
            pts.append((cx + r * math.cos(a), cy + r * math.sin(a) * 0.8))
        cv.stroke(pts, 2, 7, col)
    for x, y, r in ((168, 412, 11), (150, 392, 8), (139, 370, 6),
                    (134, 350, 4), (196, 418, 7), (122, 334, 3)):
        cv.circle(x, y, r, (230, 230, 255), 0.6)
