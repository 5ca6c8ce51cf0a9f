"""Shapes as spans (y, x0, x1 with x0..x1 inclusive) and smooth curves."""

import math


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

