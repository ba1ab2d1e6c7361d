#!/usr/bin/env python3
"""Makes the editor's About picture (bitmap 103): 48 x 48 pixels, 16 colours.
A little easel with a canvas showing the editor's four shapes in its four
colours. Run from anywhere; writes about.bmp next to this script."""

import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "..", "tools"))

import pixelart  # noqa: E402

GREY = (192, 192, 192)
DARK = (128, 128, 128)
WOOD = (128, 128, 0)
BLACK = (0, 0, 0)
WHITE = (255, 255, 255)
RED = (255, 0, 0)
GREEN = (0, 255, 0)
BLUE = (0, 0, 255)
MAGENTA = (255, 0, 255)


def about_picture():
    img = pixelart.Image(48, 48, GREY)
    # Easel legs and the shelf.
    img.line(10, 46, 20, 4, WOOD, width=2)
    img.line(37, 46, 27, 4, WOOD, width=2)
    img.line(23, 40, 23, 46, WOOD, width=2)
    img.rect(6, 36, 41, 37, WOOD)
    # The canvas: black like the editor's, with a frame.
    img.rect(7, 6, 40, 34, DARK)
    img.rect(8, 7, 39, 33, BLACK)
    # A line, a rectangle, an ellipse and a bit of "text".
    img.line(10, 10, 22, 18, RED, width=2)
    img.rect(26, 9, 37, 16, GREEN)
    img.ellipse(10, 21, 22, 31, BLUE)
    img.text(26, 24, "AB", MAGENTA)
    img.rect(26, 30, 37, 31, WHITE)
    return img


def main():
    pixelart.write_bmp(os.path.join(HERE, "about.bmp"), about_picture(), bits=4,
                       palette=pixelart.VGA16)


if __name__ == "__main__":
    main()
