"""Menu icons for the two programs that carry no icon resource of their own
(the editor's window uses the system information icon, the browser none):
a palette with a brush, and a folder with a list. Run from anywhere:
    python3 dist/make_icons.py
"""
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, '..', 'tools'))
from pixelart import Image, write_png, shade  # noqa: E402


def editor_icon():
    img = Image(48, 48)
    wood = (222, 184, 135)
    img.ellipse(3, 8, 44, 42, shade(wood, 0.6))
    img.ellipse(4, 9, 43, 41, wood)
    img.ellipse(28, 26, 35, 33, None)  # thumb hole
    for (x, y), c in zip([(10, 16), (19, 12), (29, 13), (12, 27), (19, 33)],
                         [(220, 0, 0), (0, 170, 0), (0, 0, 230), (220, 0, 220), (250, 220, 0)]):
        img.ellipse(x, y, x + 6, y + 6, c)
    img.line(44, 3, 25, 26, (90, 60, 30), 3)
    img.line(26, 25, 22, 30, (40, 40, 40), 3)
    return img


def browser_icon():
    img = Image(48, 48)
    folder = (240, 200, 60)
    img.rect(3, 8, 20, 14, shade(folder, 0.8))
    img.rect(3, 12, 44, 42, shade(folder, 0.7))
    img.rect(4, 13, 43, 41, folder)
    img.rect(10, 19, 37, 37, (255, 255, 255))
    for i, y in enumerate(range(21, 36, 4)):
        img.rect(12, y, 14, y + 2, (0, 0, 160))
        img.rect(17, y, 35 - 3 * (i % 2), y + 1, (60, 60, 60))
    return img


if __name__ == '__main__':
    write_png(os.path.join(HERE, 'icons', 'risovik.png'), editor_icon())
    write_png(os.path.join(HERE, 'icons', 'dirvik.png'), browser_icon())
