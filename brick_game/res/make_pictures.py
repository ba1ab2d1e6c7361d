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
import struct
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, '..', '..', 'tools'))

from pixelart import Image, VGA16, write_bmp, write_cur, shade  # noqa: E402

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


def _palette_for(img, bits):
    if bits == 4:
        return list(VGA16)
    # Entry 0 stays black: transparent pixels carry index 0 under a set mask
    # bit, and the screen is XORed with that entry.
    colours = [BLACK]
    for row in img.px:
        for c in row:
            if c is not None and tuple(c[:3]) not in colours:
                colours.append(tuple(c[:3]))
    colours = colours[:256]
    return colours + [BLACK] * (256 - len(colours))


def _nearest(palette, c):
    return min(range(len(palette)),
               key=lambda i: sum((palette[i][k] - c[k]) ** 2 for k in range(3)))


def _paletted_dib(img, bits):
    """BITMAPINFOHEADER, palette, colour indices and AND mask of one icon
    image, as icon files store a 16- or 256-colour picture."""
    w, h = img.width, img.height
    pal = _palette_for(img, bits)
    header = struct.pack('<IiiHHIIiiII', 40, w, h * 2, 1, bits, 0, 0, 0, 0, 0, 0)
    pal_bytes = b''.join(bytes((b, g, r, 0)) for (r, g, b) in pal)
    row_bytes = ((w * bits + 31) // 32) * 4
    pixels = bytearray()
    cache = {}
    for y in range(h - 1, -1, -1):
        row = bytearray(row_bytes)
        for x in range(w):
            c = img.get(x, y)
            idx = 0
            if c is not None:
                key = tuple(c[:3])
                if key not in cache:
                    cache[key] = _nearest(pal, key)
                idx = cache[key]
            if bits == 8:
                row[x] = idx
            else:
                row[x // 2] |= idx << (4 if x % 2 == 0 else 0)
        pixels += row
    mask_row = ((w + 31) // 32) * 4
    mask = bytearray()
    for y in range(h - 1, -1, -1):
        row = bytearray(mask_row)
        for x in range(w):
            if img.get(x, y) is None:
                row[x // 8] |= 0x80 >> (x % 8)
        mask += row
    return header + pal_bytes + bytes(pixels) + bytes(mask)


def write_paletted_ico(path, images):
    """An icon file with one entry per (image, bits) pair, bits 4 or 8."""
    entries = bytearray()
    blobs = []
    offset = 6 + 16 * len(images)
    for img, bits in images:
        blob = _paletted_dib(img, bits)
        count = 16 if bits == 4 else 0
        entries += struct.pack('<BBBBHHII', img.width % 256, img.height % 256,
                               count, 0, 1, bits, len(blob), offset)
        offset += len(blob)
        blobs.append(blob)
    with open(path, 'wb') as f:
        f.write(struct.pack('<HHH', 0, 1, len(images)))
        f.write(entries)
        for b in blobs:
            f.write(b)


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
