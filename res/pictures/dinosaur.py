"""The dinosaur picture: a small long-neck dinosaur on a meadow, in few
enough colours for an 8 bpp bitmap with a colour table."""

from .canvas import Canvas
from .colour import mix
from .geometry import catmull


def make_dinosaur():
    W, H = 85, 150
    cv = Canvas(W, H)
    # light sky in a few bands (keeps the colour count small)
    for y in range(H):
        band = min(7, y * 8 // 130)
        cv.fill([(y, 0, W - 1)], mix((170, 215, 255), (235, 248, 255),
                                     band / 7))
    cv.circle(14, 16, 8, (255, 220, 60), outline=(240, 160, 30), ow=1)
    for x, y in ((30, 40), (72, 70)):
        for dx, r in ((-5, 4), (0, 6), (5, 4)):
            cv.circle(x + dx, y, r, (255, 255, 255))
    # ground
    cv.fill([(y, 0, W - 1) for y in range(132, H)], (110, 190, 70))
    cv.fill([(y, 0, W - 1) for y in range(140, H)], (80, 160, 50))
    for x in range(2, W, 6):
        cv.line((x, 133), (x + 1, 128), 1, (60, 140, 40))

    green = (80, 185, 70)
    dark = (20, 80, 30)
    belly = (190, 230, 120)
    shade = (55, 150, 55)
    # far legs
    for x in (22, 54):
        cv.poly([(x, 108), (x + 10, 108), (x + 10, 136), (x, 136)], shade,
                outline=dark, ow=1)
    # tail
    tail = catmull([(20, 112), (8, 118), (3, 130), (6, 140)], 8)
    cv.stroke(tail, 12, 3, green, outline=dark, ow=1)
    # neck
    neck = catmull([(52, 104), (60, 78), (60, 50), (56, 28)], 8)
    cv.stroke(neck, 18, 10, green, outline=dark, ow=1)
    # body
    cv.ellipse(40, 108, 30, 19, green, outline=dark, ow=1)
    cv.ellipse(44, 116, 22, 8, belly)
    # spots on the back
    for x, y, r in ((30, 98, 4), (42, 95, 3), (52, 101, 3), (24, 106, 2.5),
                    (38, 104, 2)):
        cv.circle(x, y, r, shade)
    # near legs
    for x in (28, 60):
        cv.poly([(x, 112), (x + 11, 112), (x + 11, 139), (x, 139)], green,
                outline=dark, ow=1)
        cv.fill([(139, x, x + 11), (138, x, x + 11)], (240, 240, 220))
    # neck stripes
    for k in range(6):
        x, y = neck[6 + k * 3]
        cv.line((x - 3, y), (x + 3, y + 1), 1, shade)
    # head
    cv.ellipse(62, 22, 14, 9, green, outline=dark, ow=1)
    cv.ellipse(56, 22, 6, 6, green)
    cv.circle(61, 18, 3, (255, 255, 255), outline=dark, ow=1)
    cv.pixel(62, 18, (0, 0, 0))
    cv.pixel(73, 20, dark)
    cv.thin((64, 27), (73, 25), dark)
    cv.circle(66, 25, 2, (255, 150, 150))
    return cv
