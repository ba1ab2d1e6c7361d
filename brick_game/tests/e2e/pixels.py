#!/usr/bin/env python3
"""Pixel checks on a screenshot of the Xvfb screen, for the end-to-end
scripts. The screenshot is read as a binary PPM (ImageMagick converts it).

  pixels.py origin SHOT                 client origin on the screen, found
                                        from the first brick's inside
  pixels.py bricks SHOT OX OY R G B     checks the 27 bricks' insides
  pixels.py span SHOT OX OY Y R G B     first and last client x of the colour
                                        on client row Y ("none" if absent)
  pixels.py count SHOT OX OY X0 Y0 X1 Y1 R G B
                                        pixels of the colour in the client box
"""
import os
import subprocess
import sys

# ImageMagick's own converter, where a wrapper of the same name may come first.
CONVERT = '/usr/bin/convert' if os.path.exists('/usr/bin/convert') else 'convert'


def load(path):
    ppm = subprocess.run([CONVERT, path, 'ppm:-'], check=True,
                         stdout=subprocess.PIPE).stdout
    parts = ppm.split(maxsplit=4)
    width, height = int(parts[1]), int(parts[2])
    return width, height, parts[4][-width * height * 3:]


class Shot:
    def __init__(self, path, ox=0, oy=0):
        self.w, self.h, self.data = load(path)
        self.ox, self.oy = ox, oy

    def at(self, x, y):
        """The colour at client (x, y), or None off the screen."""
        sx, sy = x + self.ox, y + self.oy
        if not (0 <= sx < self.w and 0 <= sy < self.h):
            return None
        i = (sy * self.w + sx) * 3
        return tuple(self.data[i:i + 3])


def main(argv):
    cmd = argv[1]
    if cmd == 'origin':
        s = Shot(argv[2])
        target = bytes((0, 0, 250))
        i = s.data.find(target)
        while i >= 0:
            if i % 3 == 0:
                y, x = divmod(i // 3, s.w)
                # The first brick's inside: 53 x 18 pixels of the colour, one
                # pixel within its outline.
                if (s.at(x + 52, y) == s.at(x, y + 17) == s.at(x + 52, y + 17) == (0, 0, 250)
                        and s.at(x - 1, y) != (0, 0, 250)):
                    print(x - 101, y - 101)
                    return 0
            i = s.data.find(target, i + 1)
        print('none')
        return 0
    ox, oy = int(argv[3]), int(argv[4])
    s = Shot(argv[2], ox, oy)
    if cmd == 'bricks':
        colour = tuple(int(v) for v in argv[5:8])
        bad = []
        for r in range(3):
            for c in range(9):
                x0, y0 = 101 + 56 * c, 101 + 21 * r
                for x, y in ((x0, y0), (x0 + 52, y0), (x0, y0 + 17), (x0 + 52, y0 + 17),
                             (x0 + 26, y0 + 9)):
                    if s.at(x, y) != colour:
                        bad.append('brick %d,%d at (%d,%d) is %s' % (r, c, x, y, s.at(x, y)))
                        break
                if s.at(x0 + 54, y0) == colour:
                    bad.append('brick %d,%d reaches into its gap' % (r, c))
        for line in bad:
            print(line)
        print('%d of 27 bricks as expected' % (27 - len(bad)))
        return 1 if bad else 0
    if cmd == 'span':
        y = int(argv[5])
        colour = tuple(int(v) for v in argv[6:9])
        xs = [x for x in range(-ox, s.w - ox) if s.at(x, y) == colour]
        print('%d %d' % (xs[0], xs[-1]) if xs else 'none')
        return 0
    if cmd == 'count':
        x0, y0, x1, y1 = (int(v) for v in argv[5:9])
        colour = tuple(int(v) for v in argv[9:12])
        print(sum(1 for y in range(y0, y1) for x in range(x0, x1) if s.at(x, y) == colour))
        return 0
    print(__doc__)
    return 2


if __name__ == '__main__':
    sys.exit(main(sys.argv))
