"""Colours of the genie picture: gold, the genie's blue skin, crimson and
the vest's purple as lookup ramps for shaded shapes, and outline colours."""

from .colour import ramp

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
