"""Colour helpers: blends, gradients, lookup ramps and the one light."""

import math


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
