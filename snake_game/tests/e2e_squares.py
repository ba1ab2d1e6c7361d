#!/usr/bin/env python3
"""Finds the game's green squares in a screenshot and compares them with
the snake of a known sequence of moves.

  e2e_squares.py shot.png            prints "x,y" per square (screen pixels of
                                     the square's top-left outline corner)
  e2e_squares.py start shot.png      checks the start picture (four squares in
                                     the top row, food at (90, 10)); prints the
                                     screen position of client (0, 0)
  e2e_squares.py moved shot.png OX OY DIR...
                                     finds how many whole squares the snake went
                                     in each direction (D, R, U, L, one or more
                                     each) and prints the counts, or fails

A square of the game is drawn as a black outline around an 8 x 8 interior of
pure green, RGB(0, 255, 0); each interior is one connected block of that
colour. Tiny blocks (the caption's icon) are skipped; blocks of any other
size are reported as faults on stderr.
"""

import subprocess
import sys


def read_ppm(path):
    data = subprocess.run(['convert', path, '-depth', '8', 'ppm:-'], check=True,
                          capture_output=True).stdout
    fields = []
    pos = 0
    while len(fields) < 4:
        while data[pos:pos + 1].isspace():
            pos += 1
        if data[pos:pos + 1] == b'#':
            pos = data.index(b'\n', pos) + 1
            continue
        end = pos
        while not data[end:end + 1].isspace():
            end += 1
        fields.append(data[pos:end])
        pos = end
    pos += 1
    width, height = int(fields[1]), int(fields[2])
    return width, height, data[pos:pos + width * height * 3]


def squares(path):
    width, height, px = read_ppm(path)
    green = set()
    i = px.find(b'\x00\xff\x00')
    while i >= 0:
        if i % 3 == 0:
            green.add(((i // 3) % width, (i // 3) // width))
        i = px.find(b'\x00\xff\x00', i + 1)
    found, faults = [], 0
    while green:
        start = green.pop()
        block, todo = [start], [start]
        while todo:
            x, y = todo.pop()
            for n in ((x + 1, y), (x - 1, y), (x, y + 1), (x, y - 1)):
                if n in green:
                    green.remove(n)
                    block.append(n)
                    todo.append(n)
        xs = [p[0] for p in block]
        ys = [p[1] for p in block]
        w, h = max(xs) - min(xs) + 1, max(ys) - min(ys) + 1
        if w <= 3 and h <= 3:
            continue  # a pixel of the window's small icon in the caption
        if (w, h) != (8, 8) or len(block) != 64:
            faults += 1
            print('block of %dx%d (%d pixels) at %d,%d' % (w, h, len(block), min(xs), min(ys)),
                  file=sys.stderr)
            continue
        found.append((min(xs) - 1, min(ys) - 1))
    return sorted(found), faults


START = [(0, 0), (10, 0), (20, 0), (30, 0)]
FOOD = (90, 10)
STEP = {'D': (0, 10), 'R': (10, 0), 'U': (0, -10), 'L': (-10, 0)}


def move(snake, direction):
    dx, dy = STEP[direction]
    head = (snake[-1][0] + dx, snake[-1][1] + dy)
    return snake[1:] + [head]


def picture(snake):
    return sorted(set(snake) | {FOOD})


def match(seen, directions, snake=START):
    """Counts of moves, one or more per direction, that give the picture seen."""
    if not directions:
        return [] if picture(snake) == seen else None
    for count in range(1, 40):
        snake = move(snake, directions[0])
        found = match(seen, directions[1:], snake)
        if found is not None:
            return [count] + found
    return None


def main(argv):
    if argv[0] == 'start':
        cells, faults = squares(argv[1])
        if faults or len(cells) != 5:
            print('start picture: %s' % cells, file=sys.stderr)
            return 1
        ox, oy = cells[0]
        client = sorted((x - ox, y - oy) for x, y in cells)
        if client != picture(START):
            print('start picture: %s' % client, file=sys.stderr)
            return 1
        print('%d %d' % (ox, oy))
        return 0
    if argv[0] == 'moved':
        cells, faults = squares(argv[1])
        ox, oy = int(argv[2]), int(argv[3])
        client = sorted((x - ox, y - oy) for x, y in cells)
        off = [c for c in client if c[0] % 10 or c[1] % 10]
        if faults or off:
            print('squares off the lattice: %s' % off, file=sys.stderr)
            return 1
        counts = match(client, argv[4:])
        if counts is None:
            print('no whole-square moves %s give %s' % (argv[4:], client), file=sys.stderr)
            return 1
        print(' '.join(str(c) for c in counts))
        return 0
    cells, faults = squares(argv[0])
    for x, y in cells:
        print('%d,%d' % (x, y))
    return 1 if faults else 0


if __name__ == '__main__':
    sys.exit(main(sys.argv[1:]))
