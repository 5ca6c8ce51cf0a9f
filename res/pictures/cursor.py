"""The hand cursor: a monochrome pointing hand with its hot spot on the
fingertip."""

from .formats import cur_bytes, icon_image_bytes

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
