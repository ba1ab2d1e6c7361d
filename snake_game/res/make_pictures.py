#!/usr/bin/env python3
"""Draws polzun's icons and writes them next to this script:

  polzun.ico  the large icon (resource 107): 32 x 32 and 16 x 16 images
  small.ico   the small icon (resource 108): one 16 x 16 image

Every image has 16 colours (4 bits per pixel, the standard palette) and a
transparency mask. The picture is a green snake of outlined squares curling
towards a red food square, as the game draws them.
Run it again after changing a drawing:  python3 make_pictures.py [folder]
"""

import os
import struct
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, '..', '..', 'tools'))

from pixelart import Image, VGA16  # noqa: E402

BLACK = (0, 0, 0)
GREEN = (0, 255, 0)
DARK_GREEN = (0, 128, 0)
RED = (255, 0, 0)
WHITE = (255, 255, 255)

# The snake's squares on a 5 x 5 grid, tail first, and the food.
SNAKE = [(0, 4), (0, 3), (0, 2), (1, 2), (2, 2), (3, 2), (3, 1), (3, 0), (2, 0)]
FOOD = (4, 4)


def snake_picture(size):
    img = Image(size, size, None)
    cell = size // 5
    pad = (size - cell * 5) // 2

    def square(gx, gy, fill):
        x0, y0 = pad + gx * cell, pad + gy * cell
        if cell >= 6:
            img.rect(x0, y0, x0 + cell - 1, y0 + cell - 1, BLACK, fill=False)
            img.rect(x0 + 1, y0 + 1, x0 + cell - 2, y0 + cell - 2, fill)
        else:  # too small for outlines: solid squares with a gap
            img.rect(x0, y0, x0 + cell - 2, y0 + cell - 2, fill)

    for i, (gx, gy) in enumerate(SNAKE):
        square(gx, gy, GREEN if i < len(SNAKE) - 1 else DARK_GREEN)
    square(FOOD[0], FOOD[1], RED)
    if cell >= 6:  # an eye on the head
        hx, hy = SNAKE[-1]
        img.set(pad + hx * cell + 2, pad + hy * cell + 2, WHITE)
    return img


def _index(c):
    return VGA16.index(c)


def _dib_4(img):
    """BITMAPINFOHEADER, the 16-colour palette, 4-bit colour rows and the
    1-bit transparency mask, bottom-up, as an icon image stores them."""
    w, h = img.width, img.height
    header = struct.pack('<IiiHHIIiiII', 40, w, h * 2, 1, 4, 0, 0, 0, 0, 16, 0)
    palette = b''.join(bytes((b, g, r, 0)) for (r, g, b) in VGA16)
    colour_row = ((w * 4 + 31) // 32) * 4
    mask_row = ((w + 31) // 32) * 4
    colours = bytearray()
    mask = bytearray()
    for y in range(h - 1, -1, -1):
        crow = bytearray(colour_row)
        mrow = bytearray(mask_row)
        for x in range(w):
            c = img.get(x, y)
            if c is None:
                mrow[x // 8] |= 0x80 >> (x % 8)
                idx = 0
            else:
                idx = _index(c)
            crow[x // 2] |= idx << (4 if x % 2 == 0 else 0)
        colours += crow
        mask += mrow
    return header + palette + bytes(colours) + bytes(mask)


def write_ico_16_colours(path, images):
    blobs = [_dib_4(img) for img in images]
    offset = 6 + 16 * len(images)
    entries = bytearray()
    for img, blob in zip(images, blobs):
        entries += struct.pack('<BBBBHHII', img.width % 256, img.height % 256, 16, 0, 1, 4,
                               len(blob), offset)
        offset += len(blob)
    with open(path, 'wb') as f:
        f.write(struct.pack('<HHH', 0, 1, len(images)))
        f.write(bytes(entries))
        for blob in blobs:
            f.write(blob)


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else HERE
    write_ico_16_colours(os.path.join(out, 'polzun.ico'),
                         [snake_picture(32), snake_picture(16)])
    write_ico_16_colours(os.path.join(out, 'small.ico'), [snake_picture(16)])


if __name__ == '__main__':
    main()
