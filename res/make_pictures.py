#!/usr/bin/env python3
"""Generate the picture resources of Lantrel.

This script is the source of the committed binary pictures in this folder.
It writes, next to itself:

  genie.bmp     800 x 600, 24 bpp: a genie rising from a golden oil lamp
  mouse.bmp     800 x 600, 24 bpp: a cartoon mouse with a wedge of cheese
                (both with everything they show inside their top-left
                780 x 536, which a window shows; the rest is background)
  dinosaur.bmp   85 x 150,  8 bpp with colour table: a long-neck dinosaur
  lantrel.ico    32 x 32, 16 colours: a framed picture with a diagonal wipe
  hand.cur       32 x 32, monochrome pointing hand, hot spot (6, 0)

Usage:  python3 res/make_pictures.py

Only the Python 3 standard library is used and the output is deterministic
(the only randomness comes from fixed-seed generators).
"""

import math
import os
import random
import struct


# ---------------------------------------------------------------------------
# Colour helpers
# ---------------------------------------------------------------------------

def clamp8(v):
    v = int(v)
    return 0 if v < 0 else (255 if v > 255 else v)


def mix(a, b, t):
    """Linear blend of colour a towards colour b by t (0..1)."""
    if t <= 0:
        return tuple(a)
    if t >= 1:
        return tuple(b)
    return (clamp8(a[0] + (b[0] - a[0]) * t),
            clamp8(a[1] + (b[1] - a[1]) * t),
            clamp8(a[2] + (b[2] - a[2]) * t))


def scale(c, f):
    return (clamp8(c[0] * f), clamp8(c[1] * f), clamp8(c[2] * f))


def gradient(stops, t):
    """Colour at t along a list of (position, colour) stops."""
    if t <= stops[0][0]:
        return tuple(stops[0][1])
    for (p0, c0), (p1, c1) in zip(stops, stops[1:]):
        if t <= p1:
            return mix(c0, c1, (t - p0) / (p1 - p0) if p1 > p0 else 1.0)
    return tuple(stops[-1][1])


def ramp(stops, n=256):
    """Precomputed lookup table of n colours (as bytes) along the stops."""
    return [bytes(gradient(stops, i / (n - 1))) for i in range(n)]


LIGHT = (-0.45, -0.6, 0.66)          # light from the upper left, towards viewer
_ll = math.sqrt(sum(v * v for v in LIGHT))
LIGHT = tuple(v / _ll for v in LIGHT)


def lit(nx, ny, gloss=24, amb=0.18, diff=0.72, shine=0.55):
    """Brightness 0..1 of a surface point with normal (nx, ny, nz)."""
    d2 = nx * nx + ny * ny
    nz = math.sqrt(1.0 - d2) if d2 < 1.0 else 0.0
    lam = nx * LIGHT[0] + ny * LIGHT[1] + nz * LIGHT[2]
    if lam < 0:
        lam = 0.0
    v = amb + diff * lam + shine * lam ** gloss
    return 1.0 if v > 1.0 else v


# ---------------------------------------------------------------------------
# Geometry helpers (span generators: yield (y, x0, x1) with x0..x1 inclusive)
# ---------------------------------------------------------------------------

def ellipse_spans(cx, cy, rx, ry):
    if rx <= 0 or ry <= 0:
        return
    for y in range(int(math.floor(cy - ry)), int(math.ceil(cy + ry)) + 1):
        t = (y - cy) / ry
        if t < -1 or t > 1:
            continue
        dx = rx * math.sqrt(1.0 - t * t)
        x0 = int(math.ceil(cx - dx - 0.01))
        x1 = int(math.floor(cx + dx + 0.01))
        if x1 >= x0:
            yield y, x0, x1


def poly_spans(pts):
    ys = [p[1] for p in pts]
    y0 = int(math.floor(min(ys)))
    y1 = int(math.ceil(max(ys)))
    n = len(pts)
    edges = [(pts[i], pts[(i + 1) % n]) for i in range(n)]
    for y in range(y0, y1 + 1):
        yc = y + 0.001
        xs = []
        for (ax, ay), (bx, by) in edges:
            if (ay <= yc < by) or (by <= yc < ay):
                xs.append(ax + (yc - ay) * (bx - ax) / (by - ay))
        xs.sort()
        for i in range(0, len(xs) - 1, 2):
            xa = int(math.ceil(xs[i] - 0.5))
            xb = int(math.floor(xs[i + 1] - 0.5))
            if xb >= xa:
                yield y, xa, xb


def catmull(points, steps=12):
    """Smooth curve through points (Catmull-Rom)."""
    out = []
    p = [points[0]] + list(points) + [points[-1]]
    for i in range(1, len(p) - 2):
        p0, p1, p2, p3 = p[i - 1], p[i], p[i + 1], p[i + 2]
        for s in range(steps):
            t = s / steps
            t2, t3 = t * t, t * t * t
            out.append(tuple(
                0.5 * (2 * p1[k] + (-p0[k] + p2[k]) * t
                       + (2 * p0[k] - 5 * p1[k] + 4 * p2[k] - p3[k]) * t2
                       + (-p0[k] + 3 * p1[k] - 3 * p2[k] + p3[k]) * t3)
                for k in range(2)))
    out.append(tuple(points[-1]))
    return out


def bezier(p0, p1, p2, p3, steps=30):
    out = []
    for s in range(steps + 1):
        t = s / steps
        u = 1 - t
        out.append((u * u * u * p0[0] + 3 * u * u * t * p1[0]
                    + 3 * u * t * t * p2[0] + t * t * t * p3[0],
                    u * u * u * p0[1] + 3 * u * u * t * p1[1]
                    + 3 * u * t * t * p2[1] + t * t * t * p3[1]))
    return out


def star_points(cx, cy, r_out, r_in, n=4, rot=0.0):
    pts = []
    for i in range(2 * n):
        r = r_out if i % 2 == 0 else r_in
        a = rot + math.pi * i / n - math.pi / 2
        pts.append((cx + r * math.cos(a), cy + r * math.sin(a)))
    return pts


# ---------------------------------------------------------------------------
# Canvas
# ---------------------------------------------------------------------------

class Canvas:
    """RGB picture, top-down rows, 3 bytes per pixel."""

    def __init__(self, w, h, bg=(0, 0, 0)):
        self.w, self.h = w, h
        self.buf = bytearray(bytes(bg) * (w * h))

    def get(self, x, y):
        i = (y * self.w + x) * 3
        return tuple(self.buf[i:i + 3])

    def pixel(self, x, y, col, alpha=1.0):
        x, y = int(round(x)), int(round(y))
        if 0 <= x < self.w and 0 <= y < self.h:
            i = (y * self.w + x) * 3
            if alpha >= 1:
                self.buf[i:i + 3] = bytes(col)
            else:
                old = self.buf[i:i + 3]
                self.buf[i:i + 3] = bytes(mix(old, col, alpha))

    def fill(self, spans, col, alpha=1.0):
        """Fill spans with a colour, or with col(x, y) -> colour/bytes/None."""
        W, H, buf = self.w, self.h, self.buf
        const = not callable(col)
        cb = bytes(col) if const else None
        for y, x0, x1 in spans:
            if y < 0 or y >= H:
                continue
            if x0 < 0:
                x0 = 0
            if x1 >= W:
                x1 = W - 1
            if x1 < x0:
                continue
            n = x1 - x0 + 1
            i = (y * W + x0) * 3
            j = i + 3 * n
            if const:
                src = cb * n
            else:
                seg = buf[i:j]
                src = bytearray(3 * n)
                k = 0
                for x in range(x0, x1 + 1):
                    c = col(x, y)
                    if c is None:
                        src[k:k + 3] = seg[k:k + 3]
                    else:
                        src[k:k + 3] = bytes(c)
                    k += 3
            if alpha >= 1:
                buf[i:j] = src
            else:
                seg = buf[i:j]
                b = 1.0 - alpha
                buf[i:j] = bytes(int(s * alpha + d * b + 0.5)
                                 for s, d in zip(src, seg))

    # shapes -------------------------------------------------------------

    def ellipse(self, cx, cy, rx, ry, col, alpha=1.0, outline=None, ow=2):
        if outline is not None:
            self.fill(ellipse_spans(cx, cy, rx + ow, ry + ow), outline, alpha)
        self.fill(ellipse_spans(cx, cy, rx, ry), col, alpha)

    def circle(self, cx, cy, r, col, alpha=1.0, outline=None, ow=2):
        self.ellipse(cx, cy, r, r, col, alpha, outline, ow)

    def poly(self, pts, col, alpha=1.0, outline=None, ow=2):
        if outline is not None:
            self.polyline(pts, ow * 2, outline, closed=True)
        self.fill(poly_spans(pts), col, alpha)
        if outline is not None:
            self.polyline(pts, ow, outline, closed=True, inner_only=True)

    def ring(self, cx, cy, rx, ry, width, col):
        def f(x, y):
            d = ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2
            inner = ((x - cx) / max(rx - width, 0.5)) ** 2 \
                + ((y - cy) / max(ry - width, 0.5)) ** 2
            return col if d <= 1.0 and inner >= 1.0 else None
        self.fill(ellipse_spans(cx, cy, rx, ry), f)

    def line(self, p, q, w, col, alpha=1.0, cap=True):
        """Thick line of width w with round caps."""
        (ax, ay), (bx, by) = p, q
        dx, dy = bx - ax, by - ay
        ln = math.hypot(dx, dy)
        hw = w / 2.0
        if ln > 1e-6:
            nx, ny = -dy / ln * hw, dx / ln * hw
            self.fill(poly_spans([(ax + nx, ay + ny), (bx + nx, by + ny),
                                  (bx - nx, by - ny), (ax - nx, ay - ny)]),
                      col, alpha)
        if cap and w > 1.5:
            self.fill(ellipse_spans(ax, ay, hw, hw), col, alpha)
            self.fill(ellipse_spans(bx, by, hw, hw), col, alpha)

    def polyline(self, pts, w, col, closed=False, inner_only=False):
        if inner_only:
            return
        n = len(pts)
        segs = n if closed else n - 1
        for i in range(segs):
            self.line(pts[i], pts[(i + 1) % n], w, col)

    def stroke(self, pts, w0, w1, col, outline=None, ow=2):
        """Tapered stroke along pts, width w0 at the start to w1 at the end."""
        n = len(pts)
        if outline is not None:
            for i in range(n - 1):
                w = w0 + (w1 - w0) * i / max(1, n - 1)
                wn = w0 + (w1 - w0) * (i + 1) / max(1, n - 1)
                self._taper(pts[i], pts[i + 1], w + 2 * ow, wn + 2 * ow,
                            outline)
        for i in range(n - 1):
            w = w0 + (w1 - w0) * i / max(1, n - 1)
            wn = w0 + (w1 - w0) * (i + 1) / max(1, n - 1)
            self._taper(pts[i], pts[i + 1], w, wn, col)

    def _taper(self, p, q, wa, wb, col):
        (ax, ay), (bx, by) = p, q
        dx, dy = bx - ax, by - ay
        ln = math.hypot(dx, dy)
        if ln > 1e-6:
            ux, uy = -dy / ln, dx / ln
            self.fill(poly_spans([(ax + ux * wa / 2, ay + uy * wa / 2),
                                  (bx + ux * wb / 2, by + uy * wb / 2),
                                  (bx - ux * wb / 2, by - uy * wb / 2),
                                  (ax - ux * wa / 2, ay - uy * wa / 2)]), col)
        if wa > 1.5:
            self.fill(ellipse_spans(ax, ay, wa / 2, wa / 2), col)
        if wb > 1.5:
            self.fill(ellipse_spans(bx, by, wb / 2, wb / 2), col)

    def thin(self, p, q, col, alpha=1.0):
        """One pixel wide line."""
        (ax, ay), (bx, by) = p, q
        n = int(max(abs(bx - ax), abs(by - ay))) + 1
        for i in range(n + 1):
            t = i / n
            self.pixel(ax + (bx - ax) * t, ay + (by - ay) * t, col, alpha)

    # shaded shapes -----------------------------------------------------------

    def shaded_ellipse(self, cx, cy, rx, ry, lut, outline=None, ow=2,
                       gloss=24, amb=0.18, diff=0.72, shine=0.55, alpha=1.0):
        if outline is not None:
            self.fill(ellipse_spans(cx, cy, rx + ow, ry + ow), outline, alpha)
        irx, iry = 1.0 / rx, 1.0 / ry

        def f(x, y):
            v = lit((x - cx) * irx, (y - cy) * iry, gloss, amb, diff, shine)
            return lut[int(v * 255)]
        self.fill(ellipse_spans(cx, cy, rx, ry), f, alpha)

    def soft(self, cx, cy, rx, ry, col, strength, power=2.0):
        """Soft elliptic glow blended over the picture."""
        irx, iry = 1.0 / rx, 1.0 / ry
        buf, W = self.buf, self.w
        for y, x0, x1 in ellipse_spans(cx, cy, rx, ry):
            if y < 0 or y >= self.h:
                continue
            dy2 = ((y - cy) * iry) ** 2
            for x in range(max(0, x0), min(W - 1, x1) + 1):
                d = math.sqrt(((x - cx) * irx) ** 2 + dy2)
                if d >= 1:
                    continue
                a = strength * (1 - d) ** power
                i = (y * W + x) * 3
                buf[i] = int(buf[i] + (col[0] - buf[i]) * a)
                buf[i + 1] = int(buf[i + 1] + (col[1] - buf[i + 1]) * a)
                buf[i + 2] = int(buf[i + 2] + (col[2] - buf[i + 2]) * a)


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
    B, Wh = black.buf, white.buf
    # bounding box of what the group drew
    rows = [y for y in range(H)
            if B[y * W * 3:(y + 1) * W * 3] != bytes(W * 3)
            or Wh[y * W * 3:(y + 1) * W * 3] != b'\xff' * (W * 3)]
    if not rows:
        return
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
    y0, y1 = rows[0], rows[-1]
    sw, sh = x1 - x0 + 1, y1 - y0 + 1
    # premultiplied r, g, b and coverage a, one list per row of the box
    planes = []
    for y in range(y0, y1 + 1):
        row = []
        for x in range(x0, x1 + 1):
            i = (y * W + x) * 3
            through = (Wh[i] - B[i] + Wh[i + 1] - B[i + 1]
                       + Wh[i + 2] - B[i + 2]) / 765.0
            row.append((B[i], B[i + 1], B[i + 2], 1.0 - through))
        planes.append(row)

    def weights(n_src, origin_src, origin_dst):
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

    cols = weights(sw, src[0] - x0, dst[0])
    lines = weights(sh, src[1] - y0, dst[1])
    # across the rows, then down the columns
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
    buf = cv.buf
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


# ---------------------------------------------------------------------------
# What the view shows
# ---------------------------------------------------------------------------

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


# ---------------------------------------------------------------------------
# File writers
# ---------------------------------------------------------------------------

def bmp24_bytes(cv):
    w, h = cv.w, cv.h
    rowlen = (w * 3 + 3) & ~3
    pad = bytes(rowlen - w * 3)
    img = bytearray()
    for y in range(h - 1, -1, -1):
        row = cv.buf[y * w * 3:(y + 1) * w * 3]
        bgr = bytearray(len(row))
        bgr[0::3] = row[2::3]
        bgr[1::3] = row[1::3]
        bgr[2::3] = row[0::3]
        img += bgr
        img += pad
    off = 14 + 40
    head = struct.pack('<2sIHHI', b'BM', off + len(img), 0, 0, off)
    info = struct.pack('<IiiHHIIiiII', 40, w, h, 1, 24, 0, len(img),
                       2835, 2835, 0, 0)
    return head + info + bytes(img)


def bmp8_bytes(cv):
    w, h = cv.w, cv.h
    colours = sorted(set(cv.get(x, y) for y in range(h) for x in range(w)))
    if len(colours) > 256:
        raise ValueError('too many colours for 8 bpp: %d' % len(colours))
    index = {c: i for i, c in enumerate(colours)}
    rowlen = (w + 3) & ~3
    img = bytearray()
    for y in range(h - 1, -1, -1):
        img += bytes(index[cv.get(x, y)] for x in range(w))
        img += bytes(rowlen - w)
    table = b''.join(bytes((c[2], c[1], c[0], 0)) for c in colours)
    off = 14 + 40 + len(table)
    head = struct.pack('<2sIHHI', b'BM', off + len(img), 0, 0, off)
    info = struct.pack('<IiiHHIIiiII', 40, w, h, 1, 8, 0, len(img),
                       2835, 2835, len(colours), 0)
    return head + info + table + bytes(img)


def icon_image_bytes(pixels, palette, mask, bpp):
    """BITMAPINFOHEADER + colour table + XOR bitmap + AND mask (bottom-up).

    pixels: rows (top-down) of palette indices; mask: rows of 0/1,
    1 meaning transparent.
    """
    h = len(pixels)
    w = len(pixels[0])
    xor_row = ((w * bpp + 31) // 32) * 4
    and_row = ((w + 31) // 32) * 4
    xor = bytearray()
    andm = bytearray()
    for y in range(h - 1, -1, -1):
        bits = 0
        nbits = 0
        row = bytearray()
        for x in range(w):
            bits = (bits << bpp) | pixels[y][x]
            nbits += bpp
            if nbits == 8:
                row.append(bits)
                bits = nbits = 0
        if nbits:
            row.append(bits << (8 - nbits))
        row += bytes(xor_row - len(row))
        xor += row
        row = bytearray(and_row)
        for x in range(w):
            if mask[y][x]:
                row[x // 8] |= 0x80 >> (x % 8)
        andm += row
    table = b''.join(bytes((c[2], c[1], c[0], 0)) for c in palette)
    info = struct.pack('<IiiHHIIiiII', 40, w, h * 2, 1, bpp, 0,
                       len(xor) + len(andm), 0, 0, 0, 0)
    return info + table + bytes(xor) + bytes(andm)


def ico_bytes(image, w, h, ncolours, bpp):
    head = struct.pack('<HHH', 0, 1, 1)
    entry = struct.pack('<BBBBHHII', w, h, ncolours, 0, 1, bpp,
                        len(image), 6 + 16)
    return head + entry + image


def cur_bytes(image, w, h, hot_x, hot_y):
    head = struct.pack('<HHH', 0, 2, 1)
    entry = struct.pack('<BBBBHHII', w, h, 2, 0, hot_x, hot_y,
                        len(image), 6 + 16)
    return head + entry + image


# ---------------------------------------------------------------------------
# The genie picture
# ---------------------------------------------------------------------------

GOLD = ramp([(0.0, (80, 38, 4)), (0.3, (150, 88, 12)), (0.55, (215, 150, 30)),
             (0.78, (250, 205, 70)), (0.92, (255, 240, 160)),
             (1.0, (255, 255, 235))])
SKIN = ramp([(0.0, (10, 30, 100)), (0.35, (35, 85, 200)),
             (0.7, (80, 150, 245)), (0.9, (150, 210, 255)),
             (1.0, (225, 245, 255))])
CRIMSON = ramp([(0.0, (70, 5, 30)), (0.4, (160, 20, 60)),
                (0.75, (225, 50, 85)), (1.0, (255, 170, 190))])
PURPLE_VEST = ramp([(0.0, (40, 5, 50)), (0.5, (110, 20, 130)),
                    (1.0, (200, 90, 220))])

OUT_GOLD = (70, 34, 4)
OUT_BLUE = (8, 20, 70)
SILHOUETTE = (44, 16, 66)


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


def sparkle(cv, x, y, r, col):
    cv.poly(star_points(x, y, r, r * 0.22, 4), col)
    cv.circle(x, y, max(1.0, r * 0.18), (255, 255, 255))


# Where the foot of the lamp stands and how much the lamp and the genie are
# scaled from the coordinates they are drawn in.
GENIE_AT = (410, 530)
GENIE_SCALE = 0.93


def make_genie(objects=True):
    """The genie picture; without objects only its sky, palace and dunes."""
    W, H = 800, 600
    cv = Canvas(W, H)
    rng = random.Random(1234)

    # --- night sky with a warm glow at the horizon and around the moon ----
    sky = [(0.0, (12, 6, 40)), (0.35, (38, 16, 90)), (0.62, (82, 30, 124)),
           (0.82, (150, 50, 130)), (1.0, (225, 95, 115))]
    horizon = 480
    mx, my, mr = 118, 96, 56
    glow_r = 210
    for y in range(horizon + 1):
        base = gradient(sky, y / horizon)
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

    # thin coloured clouds streaking across the sky
    for cx, cy, rx, ry, col, s in (
            (610, 130, 260, 34, (190, 80, 220), 0.30),
            (250, 250, 300, 28, (120, 80, 230), 0.30),
            (680, 300, 220, 24, (240, 100, 180), 0.35),
            (150, 360, 220, 20, (250, 120, 170), 0.35),
            (520, 40, 200, 18, (110, 70, 200), 0.30),
            (420, 390, 280, 16, (255, 150, 170), 0.30)):
        cv.soft(cx, cy, rx, ry, col, s, power=1.2)

    # stars
    star_cols = [(255, 255, 255), (255, 240, 190), (200, 220, 255),
                 (255, 210, 240)]
    for _ in range(420):
        x = rng.randrange(0, W)
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

    # crescent moon
    def moon(x, y):
        if math.hypot(x - mx - 24, y - my + 16) < 50:
            return None
        d = math.hypot(x - mx, y - my) / mr
        c = mix((255, 250, 215), (245, 210, 120), d ** 3)
        for ccx, ccy, cr in ((-30, 10, 9), (-18, 33, 6), (-38, -12, 5)):
            if math.hypot(x - mx - ccx, y - my - ccy) < cr:
                c = scale(c, 0.9)
        return c
    cv.fill(ellipse_spans(mx, my, mr, mr), moon)

    # distant palace silhouette
    S = SILHOUETTE
    lamp_win = (255, 196, 90)
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
    for x, y in ((90, 440), (118, 440), (146, 440), (232, 440), (260, 440),
                 (288, 440), (200, 445), (15, 460), (38, 460),
                 (620, 430), (648, 430), (696, 430), (724, 432), (748, 432),
                 (668, 436), (170, 360), (170, 395), (589, 340), (589, 375),
                 (756, 300), (756, 340), (756, 380)):
        arch_window(cv, x, y, 7, 16, lamp_win)
    for x, y in ((350, 456), (400, 456), (450, 456), (500, 456), (550, 456)):
        arch_window(cv, x, y, 7, 14, lamp_win)

    # dunes
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

    # glows behind the lamp and the genie (light on the sand and in the sky)
    cv.soft(GENIE_AT[0] - 20, 470, 300, 120, (255, 200, 90), 0.55, power=1.6)
    cv.soft(GENIE_AT[0] + 20, 210, 190, 220, (90, 170, 255), 0.45, power=1.4)
    if not objects:
        return cv

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
    return cv


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


def draw_lamp(cv):
    cx, cy = 400, 492
    # handle (a ring on the right, partly behind the body)
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

    # base / foot
    cv.poly([(365, 520), (435, 520), (470, 560), (330, 560)], (0, 0, 0))
    foot = [(368, 520), (432, 520), (466, 558), (334, 558)]
    cv.polyline(foot, 5, OUT_GOLD, closed=True)
    def foot_col(x, y):
        v = lit((x - 400) / 75.0, -0.2)
        return GOLD[int(v * 255)]
    cv.fill(poly_spans(foot), foot_col)
    cv.shaded_ellipse(400, 560, 70, 10, GOLD, outline=OUT_GOLD)

    # spout
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

    # body
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

    # neck collar and lid
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


def draw_genie(cv):
    gx = 430
    # torso
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

    # arms crossed over the chest
    skin_mid = (58, 118, 228)
    skin_hi = (120, 185, 255)
    # back forearm (left elbow to the right side)
    cv.line((352, 294), (482, 270), 34, OUT_BLUE)
    cv.line((352, 294), (482, 270), 29, skin_mid)
    cv.line((356, 287), (478, 264), 8, skin_hi)
    # upper arms
    for sx, sy, ex, ey in ((362, 238, 348, 292), (498, 238, 512, 292)):
        cv.line((sx, sy), (ex, ey), 40, OUT_BLUE)
    for sx, sy, ex, ey in ((362, 238, 348, 292), (498, 238, 512, 292)):
        cv.line((sx, sy), (ex, ey), 35, skin_mid)
        cv.line((sx - 8, sy - 4), (ex - 9, ey - 6), 9, skin_hi)
    cv.shaded_ellipse(366, 236, 21, 18, SKIN, outline=OUT_BLUE)
    cv.shaded_ellipse(494, 236, 21, 18, SKIN, outline=OUT_BLUE)
    # front forearm (right elbow to the left side)
    cv.line((510, 296), (380, 272), 34, OUT_BLUE)
    cv.line((510, 296), (380, 272), 29, skin_mid)
    cv.line((506, 289), (384, 266), 8, skin_hi)
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
        cv.ellipse(372 + k * 2, 258 + k * 8, 9, 5, skin_mid, outline=OUT_BLUE,
                   ow=2)

    # neck and ears
    cv.poly([(414, 186), (446, 186), (448, 226), (412, 226)], (45, 100, 215),
            outline=OUT_BLUE)
    cv.poly([(396, 150), (364, 128), (394, 178)], skin_mid, outline=OUT_BLUE)
    cv.poly([(464, 150), (496, 128), (466, 178)], skin_mid, outline=OUT_BLUE)
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

    # turban
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


# ---------------------------------------------------------------------------
# The mouse picture
# ---------------------------------------------------------------------------

GREY = ramp([(0.0, (60, 60, 78)), (0.35, (120, 120, 138)),
             (0.7, (175, 175, 190)), (0.9, (220, 220, 232)),
             (1.0, (250, 250, 255))])
PINK = ramp([(0.0, (190, 80, 110)), (0.5, (245, 140, 165)),
             (1.0, (255, 215, 225))])
SUN = ramp([(0.0, (245, 130, 10)), (0.5, (255, 200, 30)),
            (1.0, (255, 250, 180))])
OUT_GREY = (35, 35, 50)


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


def ladybird(cv):
    """A ladybird on the cheese."""
    cv.circle(700, 395, 9, (220, 20, 20), outline=(20, 10, 10), ow=1)
    cv.circle(707, 391, 5, (20, 10, 10))
    cv.line((700, 386), (700, 404), 1, (20, 10, 10))
    for dx, dy in ((-4, -3), (-5, 3), (3, 4)):
        cv.circle(700 + dx, 395 + dy, 1.6, (20, 10, 10))


def draw_cheese(cv):
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


def draw_mouse(cv):
    hx, hy = 400, 248
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


# ---------------------------------------------------------------------------
# The dinosaur picture (8 bpp)
# ---------------------------------------------------------------------------

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


# ---------------------------------------------------------------------------
# The icon (16 colours)
# ---------------------------------------------------------------------------

VGA16 = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128),
         (128, 0, 128), (0, 128, 128), (192, 192, 192), (128, 128, 128),
         (255, 0, 0), (0, 255, 0), (255, 255, 0), (0, 0, 255),
         (255, 0, 255), (0, 255, 255), (255, 255, 255)]


def make_icon():
    N = 32
    BLACK, DRED, DGREEN, OLIVE, NAVY, DMAG, TEAL, SILVER, GREYC, RED, \
        GREEN, YELLOW, BLUE, MAGENTA, CYAN, WHITE = range(16)
    px = [[0] * N for _ in range(N)]
    mask = [[1] * N for _ in range(N)]

    def put(x, y, c):
        if 0 <= x < N and 0 <= y < N:
            px[y][x] = c
            mask[y][x] = 0

    # frame: 1..30, black outer line, golden frame two pixels wide
    for y in range(1, 31):
        for x in range(1, 31):
            put(x, y, BLACK)
    for y in range(2, 30):
        for x in range(2, 30):
            put(x, y, YELLOW if (x < 4 or y < 4) else OLIVE)
    for y in range(4, 28):
        for x in range(4, 28):
            put(x, y, BLACK)
    # picture area 5..26: night sky top-left, daylight meadow bottom-right
    for y in range(5, 27):
        for x in range(5, 27):
            if x + y < 31:
                c = NAVY
            elif x + y == 31:
                c = WHITE
            else:
                c = GREEN if y >= 21 else CYAN
            put(x, y, c)
    # moon and stars in the night part
    for y in range(6, 14):
        for x in range(6, 14):
            if (x - 9.5) ** 2 + (y - 9.5) ** 2 <= 11 and \
               (x - 11) ** 2 + (y - 8.5) ** 2 > 7:
                put(x, y, YELLOW)
    for x, y in ((17, 7), (21, 6), (15, 12), (7, 17), (11, 16), (19, 9)):
        put(x, y, WHITE)
    # sun in the day part
    for y in range(14, 21):
        for x in range(17, 26):
            if (x - 22) ** 2 + (y - 16) ** 2 <= 5 and x + y > 32:
                put(x, y, YELLOW)
    # little red flowers in the meadow
    for x, y in ((14, 23), (19, 24), (23, 22), (25, 25), (10, 25)):
        if x + y > 31:
            put(x, y, RED)
    for y in range(21, 27):
        for x in range(5, 27):
            if x + y > 31 and px[y][x] == CYAN:
                put(x, y, GREEN)
    # shadow along the right and bottom of the frame
    for i in range(2, 32):
        if mask[31][i]:
            put(i, 31, GREYC)
        if mask[i][31]:
            put(31, i, GREYC)
    img = icon_image_bytes(px, VGA16, mask, 4)
    return ico_bytes(img, 32, 32, 16, 4)


# ---------------------------------------------------------------------------
# The hand cursor (monochrome)
# ---------------------------------------------------------------------------

HAND = [
    ".....###..........",
    "....#ooo#.........",
    "....#ooo#.........",
    "....#ooo#.........",
    "....#ooo#.........",
    "....#ooo#.........",
    "....#ooo###.......",
    "....#ooo#oo###....",
    "....#ooo#oo#oo###.",
    "....#ooo#oo#oo#oo#",
    ".##.#ooo#oo#oo#oo#",
    "#oo##oooooooooooo#",
    "#ooo#oooooooooooo#",
    ".#ooooooooooooooo#",
    "..#oooooooooooooo#",
    "..#oooooooooooooo#",
    "...#ooooooooooooo#",
    "...#oooooooooooo#.",
    "....#ooooooooooo#.",
    "....#oooooooooo#..",
    ".....#ooooooooo#..",
    ".....#ooooooooo#..",
    ".....###########..",
]


def make_cursor():
    N = 32
    px = [[0] * N for _ in range(N)]
    mask = [[1] * N for _ in range(N)]
    for y, row in enumerate(HAND):
        for x, ch in enumerate(row):
            if ch == '#':
                px[y][x], mask[y][x] = 0, 0       # black
            elif ch == 'o':
                px[y][x], mask[y][x] = 1, 0       # white
    assert HAND[0].index('#') + 1 == 6     # fingertip centred on x = 6
    assert all(len(r) == len(HAND[0]) for r in HAND)
    img = icon_image_bytes(px, [(0, 0, 0), (255, 255, 255)], mask, 1)
    return cur_bytes(img, 32, 32, 6, 0)


# ---------------------------------------------------------------------------

def main():
    here = os.path.dirname(os.path.abspath(__file__))
    outputs = [
        ('genie.bmp', lambda: bmp24_bytes(shown_whole('genie', make_genie))),
        ('mouse.bmp', lambda: bmp24_bytes(shown_whole('mouse', make_mouse))),
        ('dinosaur.bmp', lambda: bmp8_bytes(make_dinosaur())),
        ('lantrel.ico', make_icon),
        ('hand.cur', make_cursor),
    ]
    for name, make in outputs:
        data = make()
        with open(os.path.join(here, name), 'wb') as f:
            f.write(data)
        print('wrote %s (%d bytes)' % (name, len(data)))


if __name__ == '__main__':
    main()
