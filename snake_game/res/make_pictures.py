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
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, '..', '..', 'tools'))

from pixelart import Image, write_paletted_ico  # noqa: E402

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


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else HERE
    # The header names the 16 palette entries it holds.
    write_paletted_ico(os.path.join(out, 'polzun.ico'),
                       [(snake_picture(32), 4), (snake_picture(16), 4)], count_colours=True)
    write_paletted_ico(os.path.join(out, 'small.ico'), [(snake_picture(16), 4)],
                       count_colours=True)


if __name__ == '__main__':
    main()
