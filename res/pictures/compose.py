"""Laying a drawn group onto a picture, and checking what the view shows."""

import math

from .canvas import Canvas
from .colour import clamp8


def place(cv, draw, s=1.0, src=(0, 0), dst=(0, 0)):
    """Lay a group of objects, drawn by draw(canvas) in its own coordinates,
    onto cv scaled by s about the point src, which lands on dst.

    The group is drawn twice, over black and over white: the black drawing
    is its colour premultiplied by its coverage and the difference between
    the two is what lets the background through, so glows, shadows and
    half-transparent strokes keep their transparency.  Scaling averages the
    area each picture pixel covers; at s = 1 with whole-pixel offsets the
    group is copied exactly.
    """
    W, H = cv.w, cv.h
    black, white = Canvas(W, H, (0, 0, 0)), Canvas(W, H, (255, 255, 255))
    draw(black)
    draw(white)
    box = _drawn_box(black.buf, white.buf, W, H)
    if box is None:
        return
    x0, y0, x1, y1 = box
    planes = _premultiplied(black.buf, white.buf, W, box)
    cols = _weights(x1 - x0 + 1, src[0] - x0, dst[0], s)
    lines = _weights(y1 - y0 + 1, src[1] - y0, dst[1], s)
    # across the rows, then down the columns
    _blend_down(cv, _resample_across(planes, cols), cols, lines)


def _drawn_box(B, Wh, W, H):
    """(x0, y0, x1, y1) around what the group drew over black B and white
    Wh, or None when it drew nothing."""
    rows = [y for y in range(H)
            if B[y * W * 3:(y + 1) * W * 3] != bytes(W * 3)
            or Wh[y * W * 3:(y + 1) * W * 3] != b'\xff' * (W * 3)]
    if not rows:
        return None
    x0, x1 = W, -1
    for y in rows:
        for x in range(W):
            i = (y * W + x) * 3
            if B[i:i + 3] != b'\0\0\0' or Wh[i:i + 3] != b'\xff\xff\xff':
                x0 = min(x0, x)
                break
        for x in range(W - 1, x0 - 1, -1):
            i = (y * W + x) * 3
            if B[i:i + 3] != b'\0\0\0' or Wh[i:i + 3] != b'\xff\xff\xff':
                x1 = max(x1, x)
                break
    return x0, rows[0], x1, rows[-1]


def _premultiplied(B, Wh, W, box):
    """Premultiplied r, g, b and coverage a, one list per row of the box."""
    x0, y0, x1, y1 = box
    planes = []
    for y in range(y0, y1 + 1):
        row = []
        for x in range(x0, x1 + 1):
            i = (y * W + x) * 3
            through = (Wh[i] - B[i] + Wh[i + 1] - B[i + 1]
                       + Wh[i + 2] - B[i + 2]) / 765.0
            row.append((B[i], B[i + 1], B[i + 2], 1.0 - through))
        planes.append(row)
    return planes


def _weights(n_src, origin_src, origin_dst, s):
    """Per destination pixel: (index, [(source index, weight)])."""
    lo = origin_dst + (0 - origin_src) * s
    hi = origin_dst + (n_src - origin_src) * s
    out = []
    for d in range(int(math.floor(lo)), int(math.ceil(hi))):
        a = (d - origin_dst) / s + origin_src
        b = (d + 1 - origin_dst) / s + origin_src
        taps = []
        for k in range(max(0, int(math.floor(a))),
                       min(n_src, int(math.ceil(b)))):
            w = min(b, k + 1) - max(a, k)
            if w > 1e-9:
                taps.append((k, w * s))
        if taps:
            out.append((d, taps))
    return out


def _resample_across(planes, cols):
    across = []
    for row in planes:
        out = []
        for _, taps in cols:
            r = g = b = a = 0.0
            for k, w in taps:
                p = row[k]
                r += p[0] * w
                g += p[1] * w
                b += p[2] * w
                a += p[3] * w
            out.append((r, g, b, a))
        across.append(out)
    return across


def _blend_down(cv, across, cols, lines):
    W, H, buf = cv.w, cv.h, cv.buf
    for dy, taps in lines:
        if dy < 0 or dy >= H:
            continue
        for j, (dx, _) in enumerate(cols):
            if dx < 0 or dx >= W:
                continue
            r = g = b = a = 0.0
            for k, w in taps:
                p = across[k][j]
                r += p[0] * w
                g += p[1] * w
                b += p[2] * w
                a += p[3] * w
            if a <= 0.002:
                continue
            i = (dy * W + dx) * 3
            keep = 1.0 - min(1.0, a)
            buf[i] = clamp8(r + buf[i] * keep + 0.5)
            buf[i + 1] = clamp8(g + buf[i + 1] * keep + 0.5)
            buf[i + 2] = clamp8(b + buf[i + 2] * keep + 0.5)


# The view shows the top-left part of a picture: about 790 x 552 in a frame
# under Wine and 784 x 541 in a classic Windows frame.  Everything a picture
# is about lies inside SHOWN; right of it and below it the picture only goes
# on with its background.
SHOWN_W, SHOWN_H = 780, 536


def shown_whole(name, make):
    """The picture make() draws, after checking that make(objects=False),
    the same picture without its objects, differs from it only inside the
    shown part."""
    full, bare = make(), make(objects=False)
    W, H = full.w, full.h
    for y in range(H):
        x = 0 if y >= SHOWN_H else SHOWN_W
        a = full.buf[(y * W + x) * 3:(y + 1) * W * 3]
        b = bare.buf[(y * W + x) * 3:(y + 1) * W * 3]
        if a != b:
            k = next(k for k in range(0, len(a), 3) if a[k:k + 3] != b[k:k + 3])
            raise SystemExit('%s: an object reaches (%d, %d), outside the '
                             'shown %d x %d' % (name, x + k // 3, y, SHOWN_W,
                                                SHOWN_H))
    return full
