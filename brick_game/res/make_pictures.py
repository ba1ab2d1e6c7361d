#!/usr/bin/env python3
"""Draws the brick game's pictures and writes them next to this script:

  game.ico    the program's icon (resource 102): bricks, ball and paddle
  life.ico    the spare-ball icon (resource 132): a shaded ball
  pointer.cur the window's pointer (resource 103): an arrow with a ball tip
  logo.bmp    the title picture of the information dialogs (resource 117),
              106 x 29 pixels in 16 colours

Both icons hold 16 x 16, 32 x 32 and 48 x 48 images, each in 16 and in 256
colours. Run it again after changing a drawing:  python3 make_pictures.py
"""

import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, '..', '..', 'tools'))

from pixelart import Image, write_bmp, write_cur, write_paletted_ico, shade  # noqa: E402

BLACK = (0, 0, 0)
WHITE = (255, 255, 255)
BRICK = (0, 0, 250)
BRICK_HI = (90, 120, 255)
BALL = (240, 240, 10)
PADDLE = (0, 240, 0)
RED = (200, 0, 0)


def ball(img, x0, y0, size):
    """A yellow ball with a highlight and a darker rim."""
    img.ellipse(x0, y0, x0 + size - 1, y0 + size - 1, shade(BALL, 0.6))
    img.ellipse(x0 + 1, y0 + 1, x0 + size - 2, y0 + size - 2, BALL)
    if size >= 8:
        h = max(1, size // 4)
        img.ellipse(x0 + size // 4, y0 + size // 5, x0 + size // 4 + h,
                    y0 + size // 5 + h, WHITE)


def game_icon(size):
    """Three rows of bricks, a ball under them and a paddle at the bottom."""
    img = Image(size, size, BLACK)
    s = size / 48.0
    bw, bh, gap = round(14 * s), max(2, round(6 * s)), max(1, round(2 * s))
    top = max(1, round(4 * s))
    for row in range(3):
        y = top + row * (bh + gap)
        shift = 0 if row % 2 == 0 else -(bw // 2)
        x = shift + gap
        while x < size:
            img.rect(x, y, x + bw - 1, y + bh - 1, BRICK)
            img.line(x, y, x + bw - 1, y, BRICK_HI)
            x += bw + gap
    bs = max(3, round(10 * s))
    ball(img, size // 2 - bs // 2 + round(6 * s), round(26 * s), bs)
    pw, ph = round(24 * s), max(2, round(5 * s))
    px, py = size // 2 - pw // 2, size - ph - max(1, round(3 * s))
    img.rect(px, py, px + pw - 1, py + ph - 1, PADDLE)
    img.line(px, py, px + pw - 1, py, shade(PADDLE, 1.3))
    return img


def life_icon(size):
    """The spare ball on a transparent background."""
    img = Image(size, size, None)
    m = max(1, size // 16)
    ball(img, m, m, size - 2 * m)
    return img


ARROW = [
    "K...........",
    "KK..........",
    "KWK.........",
    "KWWK........",
    "KWWWK.......",
    "KWWWWK......",
    "KWWWWWK.....",
    "KWWWWWWK....",
    "KWWWWWWWK...",
    "KWWWWWWWWK..",
    "KWWWWWKKKKK.",
    "KWWKWWK.....",
    "KWK.KWWK....",
    "KK..KWWK....",
    "K....KWWK...",
    ".....KWWK...",
    "......KK....",
]


def pointer():
    img = Image(32, 32, None)
    img.art(0, 0, ARROW, {'K': BLACK, 'W': WHITE})
    ball(img, 9, 14, 7)
    return img


def logo():
    """PLITOBOY between a row of bricks and a paddle with its ball."""
    img = Image(106, 29, BLACK)
    colours = [(0, 0, 255), (255, 0, 0), (0, 255, 0), (255, 255, 0),
               (0, 255, 255), (255, 0, 255), (0, 0, 255)]
    for i, c in enumerate(colours):
        x = 2 + i * 15
        img.rect(x, 1, x + 12, 4, c)
    img.text(21, 8, 'PLITOBOY', (255, 255, 255), scale=2)
    img.text(20, 7, 'PLITOBOY', (255, 0, 0), scale=2)
    img.rect(30, 25, 75, 27, (0, 255, 0))
    img.ellipse(80, 21, 84, 25, (255, 255, 0))
    return img


def main():
    sizes = (16, 32, 48)
    write_paletted_ico(os.path.join(HERE, 'game.ico'),
                       [(game_icon(s), bits) for bits in (4, 8) for s in sizes])
    write_paletted_ico(os.path.join(HERE, 'life.ico'),
                       [(life_icon(s), bits) for bits in (4, 8) for s in sizes])
    write_cur(os.path.join(HERE, 'pointer.cur'), pointer(), (0, 0))
    write_bmp(os.path.join(HERE, 'logo.bmp'), logo(), bits=4)


if __name__ == '__main__':
    main()
