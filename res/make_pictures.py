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

The drawing is in the pictures package beside this script, one module per
picture.  Only the Python 3 standard library is used and the output is
deterministic (the only randomness comes from fixed-seed generators).
"""

import os

from pictures.compose import shown_whole
from pictures.cursor import make_cursor
from pictures.dinosaur import make_dinosaur
from pictures.formats import bmp8_bytes, bmp24_bytes
from pictures.genie import make_genie
from pictures.icon import make_icon
from pictures.mouse import make_mouse


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
