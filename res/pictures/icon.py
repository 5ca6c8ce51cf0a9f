"""The program's icon in the 16 standard colours: a framed picture, night on
one side of a diagonal wipe and day on the other."""

from .formats import ico_bytes, icon_image_bytes

VGA16 = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128),
         (128, 0, 128), (0, 128, 128), (192, 192, 192), (128, 128, 128),
         (255, 0, 0), (0, 255, 0), (255, 255, 0), (0, 0, 255),
         (255, 0, 255), (0, 255, 255), (255, 255, 255)]
(BLACK, DRED, DGREEN, OLIVE, NAVY, DMAG, TEAL, SILVER, GREYC, RED,
 GREEN, YELLOW, BLUE, MAGENTA, CYAN, WHITE) = range(16)

N = 32


def make_icon():
    px = [[0] * N for _ in range(N)]
    mask = [[1] * N for _ in range(N)]

    def put(x, y, c):
        if 0 <= x < N and 0 <= y < N:
            px[y][x] = c
            mask[y][x] = 0

    frame(put)
    night(put)
    day(put, px)
    # shadow along the right and bottom of the frame
    for i in range(2, 32):
        if mask[31][i]:
            put(i, 31, GREYC)
        if mask[i][31]:
            put(31, i, GREYC)
    img = icon_image_bytes(px, VGA16, mask, 4)
    return ico_bytes(img, 32, 32, 16, 4)


def frame(put):
    """Frame 1..30: black outer line, golden frame two pixels wide, and the
    picture area 5..26 split along the diagonal: night sky top-left,
    daylight meadow bottom-right."""
    for y in range(1, 31):
        for x in range(1, 31):
            put(x, y, BLACK)
    for y in range(2, 30):
        for x in range(2, 30):
            put(x, y, YELLOW if (x < 4 or y < 4) else OLIVE)
    for y in range(4, 28):
        for x in range(4, 28):
            put(x, y, BLACK)
    for y in range(5, 27):
        for x in range(5, 27):
            if x + y < 31:
                c = NAVY
            elif x + y == 31:
                c = WHITE
            else:
                c = GREEN if y >= 21 else CYAN
            put(x, y, c)


def night(put):
    """Moon and stars in the night part."""
    for y in range(6, 14):
        for x in range(6, 14):
            if (x - 9.5) ** 2 + (y - 9.5) ** 2 <= 11 and \
               (x - 11) ** 2 + (y - 8.5) ** 2 > 7:
                put(x, y, YELLOW)
    for x, y in ((17, 7), (21, 6), (15, 12), (7, 17), (11, 16), (19, 9)):
        put(x, y, WHITE)


def day(put, px):
    """Sun and a meadow with little red flowers in the day part."""
    for y in range(14, 21):
        for x in range(17, 26):
            if (x - 22) ** 2 + (y - 16) ** 2 <= 5 and x + y > 32:
                put(x, y, YELLOW)
    for x, y in ((14, 23), (19, 24), (23, 22), (25, 25), (10, 25)):
        if x + y > 31:
            put(x, y, RED)
    for y in range(21, 27):
        for x in range(5, 27):
            if x + y > 31 and px[y][x] == CYAN:
                put(x, y, GREEN)
