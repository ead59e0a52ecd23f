#!/usr/bin/env python3
"""Draws the program's 32 x 32, 16-colour icons and writes them as .ico files.

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
SIZE = 32


def blank():
    """A picture is a list of rows of palette indexes; None is transparent."""
    return [[None] * SIZE for _ in range(SIZE)]


def rect(pic, x0, y0, x1, y1, colour):
    for y in range(y0, y1 + 1):
        for x in range(x0, x1 + 1):
            pic[y][x] = colour


def clipboard(ruled_lines=8):
    pic = blank()
    rect(pic, 4, 4, 27, 30, OLIVE)      # board edge
    rect(pic, 5, 5, 26, 29, YELLOW)     # yellow frame
    rect(pic, 8, 8, 23, 27, WHITE)      # the sheet
    for i, y in enumerate(range(11, 27, 2)):
        if i < ruled_lines:
            rect(pic, 9, y, 22, y, BLUE)
    rect(pic, 11, 8, 11, 27, BLUE)      # margin line
    rect(pic, 12, 1, 19, 6, GREY)       # the clip
    rect(pic, 13, 2, 18, 5, SILVER)
    rect(pic, 14, 3, 17, 3, BLACK)      # the clip's hole
    return pic


def eye():
    pic = blank()
    for y in range(SIZE):
        for x in range(SIZE):
            pic[y][x] = CYAN if (x + y) % 2 == 0 else TEAL   # dithered background
    cx, cy = 15.5, 15.5
    for y in range(SIZE):
        for x in range(SIZE):
            dx, dy = (x - cx) / 14.0, (y - cy) / 8.0
            inside = dx * dx + dy * dy
            if inside <= 1.0:
                pic[y][x] = WHITE
            if 0.8 < inside <= 1.0:
                pic[y][x] = BLACK
            r2 = (x - cx) ** 2 + (y - cy) ** 2
            if r2 <= 36:
                pic[y][x] = GREEN
            if r2 <= 16:
                pic[y][x] = LIME if (x + y) % 3 else GREEN
            if r2 <= 5:
                pic[y][x] = BLACK
    pic[13][13] = WHITE                  # a glint
    return pic


def ico(pic):
    """One 32 x 32 4-bit image: header, entry, DIB with XOR and AND masks."""
    xor = bytearray()
    andmask = bytearray()
    for y in reversed(range(SIZE)):      # DIBs are stored bottom-up
        row = pic[y]
        for x in range(0, SIZE, 2):
            hi = row[x] if row[x] is not None else 0
            lo = row[x + 1] if row[x + 1] is not None else 0
            xor.append((hi << 4) | lo)
        bits = 0
        for x in range(SIZE):
            bits = (bits << 1) | (1 if row[x] is None else 0)
        andmask += struct.pack('>I', bits)
    palette = b''.join(struct.pack('<BBBB', b, g, r, 0) for (r, g, b) in PALETTE)
    header = struct.pack('<IiiHHIIiiII', 40, SIZE, SIZE * 2, 1, 4, 0, len(xor) + len(andmask), 0, 0, 16, 0)
    image = header + palette + bytes(xor) + bytes(andmask)
    icondir = struct.pack('<HHH', 0, 1, 1)
    entry = struct.pack('<BBBBHHII', SIZE, SIZE, 16, 0, 1, 4, len(image), 6 + 16)
    return icondir + entry + image


def main():
    out = Path(sys.argv[1] if len(sys.argv) > 1 else '.')
    out.mkdir(parents=True, exist_ok=True)
    (out / 'pastimo.ico').write_bytes(ico(clipboard()))
    (out / 'about.ico').write_bytes(ico(eye()))
    for n, lines in enumerate((2, 5, 8), start=1):
        (out / f'frame{n}.ico').write_bytes(ico(clipboard(lines)))


if __name__ == '__main__':
    main()
