"""The RGB canvas every picture is drawn on."""

import math

from .colour import lit, mix
from .geometry import ellipse_spans, poly_spans


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
