"""File writers: 24 and 8 bpp BMP, icon and cursor."""

import struct


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
