#!/usr/bin/env python3
"""Draws the program's 16-colour icons and writes them as .ico files, each
with its picture at 32 x 32 (first, the size every screen at 96 DPI shows)
and at the sizes screens of other resolutions ask for.

    make_icons.py OUTPUT_FOLDER

pastimo.ico  the clipboard: a yellow-framed board, a grey clip at the top
             centre, a white sheet ruled in blue with a blue margin line.
about.ico    the About box's eye: green iris on a dithered cyan background.
frame1.ico .. frame3.ico  the clipboard with a sheet that fills line by line,
             the frames of the tray icon's animation.
"""
import struct
import sys
from pathlib import Path

# The standard 16-colour palette (red, green, blue).
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, GREEN, TEAL, SILVER, GREY, LIME, YELLOW, BLUE, CYAN, WHITE = 0, 2, 6, 7, 8, 10, 11, 12, 14, 15
OLIVE = 3
# Drawn on a grid of 32; at other sizes every edge is scaled to the grid of
# that size, so 32 x 32 is exactly the original picture.
SIZES = (32, 16, 20, 24, 40, 48, 64)


def blank(size):
    """A picture is a list of rows of palette indexes; None is transparent."""
    return [[None] * size for _ in range(size)]


def rect(pic, x0, y0, x1, y1, colour):
    """A filled rectangle given on the grid of 32, its edges scaled to the picture."""
    size = len(pic)
    left, top = x0 * size // 32, y0 * size // 32
    right, bottom = (x1 + 1) * size // 32 - 1, (y1 + 1) * size // 32 - 1
    for y in range(top, max(top, bottom) + 1):
        for x in range(left, max(left, right) + 1):
            pic[y][x] = colour


def clipboard(size, ruled_lines=8):
    pic = blank(size)
    rect(pic, 4, 4, 27, 30, OLIVE)      # board edge
    rect(pic, 5, 5, 26, 29, YELLOW)     # yellow frame
    rect(pic, 8, 8, 23, 27, WHITE)      # the sheet
    # The rules one pixel high and at least one pixel apart, at any size.
    step = max(2, round(2 * size / 32))
    left, right = 9 * size // 32, 23 * size // 32 - 1
    for i, y in enumerate(range(11 * size // 32, 27 * size // 32, step)):
        if i < ruled_lines:
            for x in range(left, right + 1):
                pic[y][x] = BLUE
    rect(pic, 11, 8, 11, 27, BLUE)      # margin line
    rect(pic, 12, 1, 19, 6, GREY)       # the clip
    rect(pic, 13, 2, 18, 5, SILVER)
    rect(pic, 14, 3, 17, 3, BLACK)      # the clip's hole
    return pic


def eye(size):
    pic = blank(size)
    k = size / 32.0                      # lengths below are on the grid of 32
    for y in range(size):
        for x in range(size):
            pic[y][x] = CYAN if (x + y) % 2 == 0 else TEAL   # dithered background
    cx = cy = (size - 1) / 2.0
    for y in range(size):
        for x in range(size):
            dx, dy = (x - cx) / (14.0 * k), (y - cy) / (8.0 * k)
            inside = dx * dx + dy * dy
            if inside <= 1.0:
                pic[y][x] = WHITE
            if 0.8 < inside <= 1.0:
                pic[y][x] = BLACK
            r2 = ((x - cx) ** 2 + (y - cy) ** 2) / (k * k)
            if r2 <= 36:
                pic[y][x] = GREEN
            if r2 <= 16:
                pic[y][x] = LIME if (x + y) % 3 else GREEN
            if r2 <= 5:
                pic[y][x] = BLACK
    pic[13 * size // 32][13 * size // 32] = WHITE   # a glint
    return pic


def image(pic):
    """One 4-bit DIB with its XOR and AND masks."""
    size = len(pic)
    row_bytes = (size // 2 + 3) // 4 * 4          # rows of a DIB end on 32 bits
    mask_bytes = (size + 31) // 32 * 4
    xor = bytearray()
    andmask = bytearray()
    for y in reversed(range(size)):      # DIBs are stored bottom-up
        row = pic[y]
        line = bytearray()
        for x in range(0, size, 2):
            hi = row[x] if row[x] is not None else 0
            lo = row[x + 1] if x + 1 < size and row[x + 1] is not None else 0
            line.append((hi << 4) | lo)
        xor += line + bytes(row_bytes - len(line))
        bits = 0
        for x in range(mask_bytes * 8):
            bits = (bits << 1) | (1 if x < size and row[x] is None else 0)
        andmask += bits.to_bytes(mask_bytes, 'big')
    palette = b''.join(struct.pack('<BBBB', b, g, r, 0) for (r, g, b) in PALETTE)
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 4, 0, len(xor) + len(andmask), 0, 0, 16, 0)
    return header + palette + bytes(xor) + bytes(andmask)


def ico(draw):
    """An icon file with the picture at every size of SIZES."""
    images = [image(draw(size)) for size in SIZES]
    offset = 6 + 16 * len(images)
    directory = struct.pack('<HHH', 0, 1, len(images))
    for size, data in zip(SIZES, images):
        directory += struct.pack('<BBBBHHII', size, size, 16, 0, 1, 4, len(data), offset)
        offset += len(data)
    return directory + b''.join(images)


def main():
    out = Path(sys.argv[1] if len(sys.argv) > 1 else '.')
    out.mkdir(parents=True, exist_ok=True)
    (out / 'pastimo.ico').write_bytes(ico(clipboard))
    (out / 'about.ico').write_bytes(ico(eye))
    for n, lines in enumerate((2, 5, 8), start=1):
        (out / f'frame{n}.ico').write_bytes(ico(lambda size, lines=lines: clipboard(size, lines)))


if __name__ == '__main__':
    main()
