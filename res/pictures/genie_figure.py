"""The genie himself, arms crossed, in the coordinates he is drawn in
before he is placed on the picture."""

import math

from .colour import lit, ramp
from .genie_palette import CRIMSON, OUT_BLUE, OUT_GOLD, PURPLE_VEST, SKIN
from .geometry import bezier, catmull, poly_spans, star_points

GENIE_X = 430                 # the middle of his head and body
SKIN_MID = (58, 118, 228)
SKIN_HI = (120, 185, 255)


def draw_genie(cv):
    """The genie, his body rising out of the smoke at about y = 330."""
    draw_torso(cv)
    draw_arms(cv)
    draw_head(cv)
    draw_turban(cv)


def draw_torso(cv):
    """Torso with vest and sash."""
    gx = GENIE_X
    torso = [(356, 222), (504, 222), (522, 262), (494, 332), (366, 332),
             (338, 262)]
    cv.polyline(torso, 5, OUT_BLUE, closed=True)

    def torso_col(x, y):
        v = lit((x - gx) / 100.0, (y - 280) / 160.0 - 0.1)
        return SKIN[int(v * 255)]
    cv.fill(poly_spans(torso), torso_col)
    # chest lines
    cv.stroke(bezier((400, 250), (410, 262), (420, 262), (428, 256), 10),
              2, 2, (30, 70, 170))
    cv.stroke(bezier((460, 250), (450, 262), (440, 262), (432, 256), 10),
              2, 2, (30, 70, 170))
    # vest
    for pts in ([(352, 224), (396, 224), (406, 290), (378, 322), (342, 272)],
                [(508, 224), (464, 224), (454, 290), (482, 322), (518, 272)]):
        cv.polyline(pts, 6, (255, 210, 70), closed=True)
        cv.polyline(pts, 2, OUT_GOLD, closed=True)

        def vest(x, y):
            v = lit((x - gx) / 110.0, (y - 270) / 120.0)
            return PURPLE_VEST[int(v * 255)]
        cv.fill(poly_spans(pts), vest)
    for x, y in ((360, 240), (372, 266), (500, 240), (488, 266)):
        cv.circle(x, y, 3, (255, 210, 70))
    # sash
    sash = [(362, 304), (498, 304), (502, 334), (358, 334)]
    cv.poly(sash, (210, 30, 60), outline=(80, 0, 20), ow=2)
    for k in range(5):
        yy = 309 + k * 6
        cv.line((364, yy), (496, yy + 1), 1, (160, 15, 45))
    cv.ellipse(gx, 319, 13, 13, (255, 210, 70), outline=OUT_GOLD, ow=2)
    cv.shaded_ellipse(gx, 319, 7, 7,
                      ramp([(0, (0, 60, 30)), (0.6, (30, 200, 110)),
                            (1, (210, 255, 230))]), gloss=10)


def draw_arms(cv):
    """Arms crossed over the chest, with bracelets."""
    # back forearm (left elbow to the right side)
    cv.line((352, 294), (482, 270), 34, OUT_BLUE)
    cv.line((352, 294), (482, 270), 29, SKIN_MID)
    cv.line((356, 287), (478, 264), 8, SKIN_HI)
    # upper arms
    for sx, sy, ex, ey in ((362, 238, 348, 292), (498, 238, 512, 292)):
        cv.line((sx, sy), (ex, ey), 40, OUT_BLUE)
    for sx, sy, ex, ey in ((362, 238, 348, 292), (498, 238, 512, 292)):
        cv.line((sx, sy), (ex, ey), 35, SKIN_MID)
        cv.line((sx - 8, sy - 4), (ex - 9, ey - 6), 9, SKIN_HI)
    cv.shaded_ellipse(366, 236, 21, 18, SKIN, outline=OUT_BLUE)
    cv.shaded_ellipse(494, 236, 21, 18, SKIN, outline=OUT_BLUE)
    # front forearm (right elbow to the left side)
    cv.line((510, 296), (380, 272), 34, OUT_BLUE)
    cv.line((510, 296), (380, 272), 29, SKIN_MID)
    cv.line((506, 289), (384, 266), 8, SKIN_HI)
    # bracelets
    for (ax, ay), (bx, by) in (((352, 294), (482, 270)),
                               ((510, 296), (380, 272))):
        t = 0.84
        px, py = ax + (bx - ax) * t, ay + (by - ay) * t
        dx, dy = bx - ax, by - ay
        ln = math.hypot(dx, dy)
        nx, ny = -dy / ln * 16, dx / ln * 16
        cv.line((px + nx, py + ny), (px - nx, py - ny), 11, OUT_GOLD)
        cv.line((px + nx * 0.9, py + ny * 0.9), (px - nx * 0.9, py - ny * 0.9),
                8, (250, 200, 60))
        cv.line((px + nx * 0.8 - 2, py + ny * 0.8),
                (px - nx * 0.8 - 2, py - ny * 0.8), 2, (255, 245, 180))
    # hand of the front arm resting on the left upper arm
    for k in range(4):
        cv.ellipse(372 + k * 2, 258 + k * 8, 9, 5, SKIN_MID, outline=OUT_BLUE,
                   ow=2)


def draw_head(cv):
    """Neck, ears and the face."""
    gx = GENIE_X
    # neck and ears
    cv.poly([(414, 186), (446, 186), (448, 226), (412, 226)], (45, 100, 215),
            outline=OUT_BLUE)
    cv.poly([(396, 150), (364, 128), (394, 178)], SKIN_MID, outline=OUT_BLUE)
    cv.poly([(464, 150), (496, 128), (466, 178)], SKIN_MID, outline=OUT_BLUE)
    # head
    cv.shaded_ellipse(gx, 160, 38, 45, SKIN, outline=OUT_BLUE, ow=3,
                      gloss=18, shine=0.3)
    # earrings
    cv.ring(388, 186, 8, 9, 3, (255, 205, 60))
    cv.ring(472, 186, 8, 9, 3, (255, 205, 60))
    # eyebrows
    cv.stroke([(402, 146), (412, 139), (426, 144)], 5, 3, (10, 10, 30))
    cv.stroke([(458, 146), (448, 139), (434, 144)], 5, 3, (10, 10, 30))
    # eyes
    for ex in (414, 446):
        cv.ellipse(ex, 156, 10, 6, (250, 250, 255), outline=(10, 10, 30), ow=1)
        cv.circle(ex + 1, 156, 4, (20, 20, 40))
        cv.pixel(ex + 2, 154, (255, 255, 255))
    # nose
    cv.stroke([(430, 158), (425, 172), (432, 176)], 3, 3, (20, 55, 150))
    # moustache
    cv.stroke(catmull([(430, 181), (416, 180), (404, 178), (398, 170)], 6),
              7, 2, (12, 10, 28))
    cv.stroke(catmull([(430, 181), (444, 180), (456, 178), (462, 170)], 6),
              7, 2, (12, 10, 28))
    # smiling mouth
    mouth = [(414, 188)] + [(414 + 32 * t / 10,
                             188 + 10 * math.sin(math.pi * t / 10))
                            for t in range(11)]
    cv.poly(mouth, (110, 10, 40), outline=(10, 10, 30), ow=1)
    cv.fill([(189, 418, 442), (190, 419, 441)], (255, 255, 255))
    # goatee
    cv.poly([(421, 201), (439, 201), (431, 226)], (12, 10, 28))


def draw_turban(cv):
    """The turban with its plume and jewel."""
    gx = GENIE_X
    cv.shaded_ellipse(gx, 100, 50, 40, CRIMSON, outline=(40, 0, 15), ow=3,
                      gloss=14, shine=0.3)
    cv.shaded_ellipse(gx, 66, 14, 12, CRIMSON, outline=(40, 0, 15), ow=2)
    for k in range(4):
        yy = 88 + k * 11
        pts = [(gx - 46 + 6 * abs(k - 1.5), yy + 8 - k * 2),
               (gx - 20, yy - 4), (gx + 20, yy + 4),
               (gx + 46 - 6 * abs(k - 1.5), yy - 6 + k * 2)]
        cv.stroke(catmull(pts, 8), 2, 2, (110, 10, 40))
    cv.stroke(catmull([(gx - 50, 118), (gx - 10, 130), (gx + 30, 126),
                       (gx + 50, 114)], 10), 8, 8, (175, 25, 60),
              outline=(40, 0, 15), ow=2)
    # plume
    plume = bezier((gx + 6, 100), (gx + 20, 70), (gx + 40, 46),
                   (gx + 60, 30), 20)
    cv.stroke(plume, 12, 2, (255, 240, 250), outline=(120, 80, 140), ow=1)
    cv.stroke(plume, 2, 1, (220, 180, 230))
    # jewel
    cv.ellipse(gx, 110, 12, 15, (255, 205, 60), outline=OUT_GOLD, ow=2)
    cv.shaded_ellipse(gx, 110, 8, 11,
                      ramp([(0, (0, 60, 30)), (0.6, (30, 200, 110)),
                            (1, (220, 255, 235))]), gloss=10)
    cv.poly(star_points(gx - 3, 104, 6, 1.2, 4), (255, 255, 255))
    for k in range(6):
        a = k * math.pi / 3
        cv.circle(gx + 14 * math.cos(a), 110 + 17 * math.sin(a), 2,
                  (255, 230, 130))
