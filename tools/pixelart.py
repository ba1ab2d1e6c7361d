"""Small pure-Python writer for the programs' own pictures: icons (.ico),
cursors (.cur) and bitmaps (.bmp, 4, 8 or 24 bits). The resource scripts
of each program call it from a generator script kept in its res/ folder,
so every picture in the repository can be made again from source.

Colours are (r, g, b) or (r, g, b, a) tuples; None is transparent.
"""

import math
import struct

VGA16 = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]


class Image:
    def __init__(self, width, height, fill=None):
        self.width = width
        self.height = height
        self.px = [[fill for _ in range(width)] for _ in range(height)]

    def set(self, x, y, c):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.px[y][x] = c

    def get(self, x, y):
        return self.px[y][x]

    def rect(self, x0, y0, x1, y1, c, fill=True):
        """Box with corners (x0, y0) and (x1, y1), both inclusive."""
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                if fill or x in (x0, x1) or y in (y0, y1):
                    self.set(x, y, c)

    def ellipse(self, x0, y0, x1, y1, c, fill=True):
        cx, cy = (x0 + x1) / 2.0, (y0 + y1) / 2.0
        rx, ry = max((x1 - x0) / 2.0, 0.5), max((y1 - y0) / 2.0, 0.5)
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                d = ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2
                if d <= 1.0 and (fill or d >= (1 - 2.2 / max(rx, ry))):
                    self.set(x, y, c)

    def line(self, x0, y0, x1, y1, c, width=1):
        n = max(abs(x1 - x0), abs(y1 - y0), 1)
        for i in range(n + 1):
            x = round(x0 + (x1 - x0) * i / n)
            y = round(y0 + (y1 - y0) * i / n)
            for dy in range(width):
                for dx in range(width):
                    self.set(x + dx, y + dy, c)

    def art(self, x0, y0, rows, palette):
        """Paints ASCII art: each character a pixel, looked up in palette
        (a character not in the palette is left as it is)."""
        for y, row in enumerate(rows):
            for x, ch in enumerate(row):
                if ch in palette:
                    self.set(x0 + x, y0 + y, palette[ch])

    def text(self, x0, y0, s, c, scale=1):
        """Draws s in the built-in 3x5 pixel font (digits, Latin capitals,
        a few signs)."""
        x = x0
        for ch in s.upper():
            glyph = FONT_3X5.get(ch, FONT_3X5[' '])
            for gy, row in enumerate(glyph):
                for gx, bit in enumerate(row):
                    if bit == '#':
                        self.rect(x + gx * scale, y0 + gy * scale,
                                  x + gx * scale + scale - 1,
                                  y0 + gy * scale + scale - 1, c)
            x += 4 * scale


FONT_3X5 = {
    ' ': ['...'] * 5,
    '0': ['###', '#.#', '#.#', '#.#', '###'], '1': ['.#.', '##.', '.#.', '.#.', '###'],
    '2': ['###', '..#', '###', '#..', '###'], '3': ['###', '..#', '.##', '..#', '###'],
    '4': ['#.#', '#.#', '###', '..#', '..#'], '5': ['###', '#..', '###', '..#', '###'],
    '6': ['###', '#..', '###', '#.#', '###'], '7': ['###', '..#', '.#.', '.#.', '.#.'],
    '8': ['###', '#.#', '###', '#.#', '###'], '9': ['###', '#.#', '###', '..#', '###'],
    'A': ['.#.', '#.#', '###', '#.#', '#.#'], 'B': ['##.', '#.#', '##.', '#.#', '##.'],
    'C': ['.##', '#..', '#..', '#..', '.##'], 'D': ['##.', '#.#', '#.#', '#.#', '##.'],
    'E': ['###', '#..', '##.', '#..', '###'], 'F': ['###', '#..', '##.', '#..', '#..'],
    'G': ['.##', '#..', '#.#', '#.#', '.##'], 'H': ['#.#', '#.#', '###', '#.#', '#.#'],
    'I': ['###', '.#.', '.#.', '.#.', '###'], 'J': ['..#', '..#', '..#', '#.#', '.#.'],
    'K': ['#.#', '#.#', '##.', '#.#', '#.#'], 'L': ['#..', '#..', '#..', '#..', '###'],
    'M': ['#.#', '###', '###', '#.#', '#.#'], 'N': ['##.', '#.#', '#.#', '#.#', '#.#'],
    'O': ['.#.', '#.#', '#.#', '#.#', '.#.'], 'P': ['##.', '#.#', '##.', '#..', '#..'],
    'Q': ['.#.', '#.#', '#.#', '##.', '.##'], 'R': ['##.', '#.#', '##.', '#.#', '#.#'],
    'S': ['.##', '#..', '.#.', '..#', '##.'], 'T': ['###', '.#.', '.#.', '.#.', '.#.'],
    'U': ['#.#', '#.#', '#.#', '#.#', '###'], 'V': ['#.#', '#.#', '#.#', '#.#', '.#.'],
    'W': ['#.#', '#.#', '###', '###', '#.#'], 'X': ['#.#', '#.#', '.#.', '#.#', '#.#'],
    'Y': ['#.#', '#.#', '.#.', '.#.', '.#.'], 'Z': ['###', '..#', '.#.', '#..', '###'],
    '.': ['...', '...', '...', '...', '.#.'], '-': ['...', '...', '###', '...', '...'],
    '!': ['.#.', '.#.', '.#.', '...', '.#.'], ':': ['...', '.#.', '...', '.#.', '...'],
}


def _rgba(c):
    if c is None:
        return (0, 0, 0, 0)
    if len(c) == 3:
        return (c[0], c[1], c[2], 255)
    return tuple(c)


def _and_mask(img):
    """The 1-bit transparency mask of an icon image, bottom-up: set where
    the picture is transparent."""
    w, h = img.width, img.height
    mask_row = ((w + 31) // 32) * 4
    mask = bytearray()
    for y in range(h - 1, -1, -1):
        row = bytearray(mask_row)
        for x in range(w):
            if _rgba(img.get(x, y))[3] == 0:
                row[x // 8] |= 0x80 >> (x % 8)
        mask += row
    return bytes(mask)


def _dib_32(img):
    """BITMAPINFOHEADER + 32-bit BGRA pixels + AND mask, as icons store them."""
    w, h = img.width, img.height
    header = struct.pack('<IiiHHIIiiII', 40, w, h * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = bytearray()
    for y in range(h - 1, -1, -1):
        for x in range(w):
            r, g, b, a = _rgba(img.get(x, y))
            pixels += bytes((b, g, r, a))
    return header + bytes(pixels) + _and_mask(img)


def _own_palette(img):
    """The picture's own colours in the order they first appear, after black,
    padded with black to 256 entries. Entry 0 stays black: transparent
    pixels carry index 0 under a set mask bit, and the screen is XORed with
    that entry."""
    colours = [(0, 0, 0)]
    for row in img.px:
        for c in row:
            if c is not None and tuple(c[:3]) not in colours:
                colours.append(tuple(c[:3]))
    colours = colours[:256]
    return colours + [(0, 0, 0)] * (256 - len(colours))


def _paletted_dib(img, bits, count_colours):
    """BITMAPINFOHEADER, palette, colour indices and AND mask of one 16- or
    256-colour icon image: the standard 16 colours for 4 bits, the picture's
    own for 8, each pixel the nearest entry. count_colours writes the
    palette's size into the header (0 there means all of them)."""
    w, h = img.width, img.height
    pal = list(VGA16) if bits == 4 else _own_palette(img)
    header = struct.pack('<IiiHHIIiiII', 40, w, h * 2, 1, bits, 0, 0, 0, 0,
                         len(pal) if count_colours else 0, 0)
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
    return header + pal_bytes + bytes(pixels) + _and_mask(img)


def _write_icon_file(path, kind, entries):
    """An icon (kind 1) or cursor (kind 2) file. Each entry is (image, colour
    count, planes or hot spot x, bits or hot spot y, image data)."""
    offset = 6 + 16 * len(entries)
    with open(path, 'wb') as f:
        f.write(struct.pack('<HHH', 0, kind, len(entries)))
        for img, count, a, b, blob in entries:
            f.write(struct.pack('<BBBBHHII', img.width % 256, img.height % 256,
                                count, 0, a, b, len(blob), offset))
            offset += len(blob)
        for entry in entries:
            f.write(entry[-1])


def write_ico(path, images):
    """An icon file with one 32-bit image per size given."""
    _write_icon_file(path, 1, [(img, 0, 1, 32, _dib_32(img)) for img in images])


def write_paletted_ico(path, images, count_colours=False):
    """An icon file with one entry per (image, bits) pair, bits 4 (the 16
    standard colours) or 8 (the picture's own)."""
    _write_icon_file(path, 1, [(img, 16 if bits == 4 else 0, 1, bits,
                                _paletted_dib(img, bits, count_colours))
                               for img, bits in images])


def write_cur(path, image, hotspot):
    """A cursor file with one 32-bit image and its hot spot (x, y)."""
    _write_icon_file(path, 2, [(image, 0, hotspot[0], hotspot[1], _dib_32(image))])


def _nearest(palette, c):
    r, g, b, _ = _rgba(c)
    return min(range(len(palette)),
               key=lambda i: (palette[i][0] - r) ** 2 + (palette[i][1] - g) ** 2
               + (palette[i][2] - b) ** 2)


def write_bmp(path, img, bits=24, palette=None, background=(0, 0, 0)):
    """A bottom-up bitmap file of 4, 8 or 24 bits per pixel. Transparent
    pixels take the background colour; 4- and 8-bit pictures use the given
    palette (the 16 standard colours by default) and the nearest entry."""
    w, h = img.width, img.height
    if bits in (4, 8):
        palette = palette or VGA16
        ncol = 1 << bits
        pal = list(palette) + [(0, 0, 0)] * (ncol - len(palette))
    else:
        pal = []
    row_bytes = ((w * bits + 31) // 32) * 4
    data = bytearray()
    for y in range(h - 1, -1, -1):
        row = bytearray(row_bytes)
        for x in range(w):
            c = img.get(x, y)
            c = background if c is None or _rgba(c)[3] == 0 else c
            if bits == 24:
                r, g, b, _ = _rgba(c)
                row[x * 3:x * 3 + 3] = bytes((b, g, r))
            elif bits == 8:
                row[x] = _nearest(pal, c)
            else:
                idx = _nearest(pal, c)
                row[x // 2] |= idx << (4 if x % 2 == 0 else 0)
        data += row
    pal_bytes = b''.join(bytes((b, g, r, 0)) for (r, g, b) in pal)
    off = 14 + 40 + len(pal_bytes)
    info = struct.pack('<IiiHHIIiiII', 40, w, h, 1, bits, 0, len(data),
                       2835, 2835, len(pal) if pal else 0, 0)
    with open(path, 'wb') as f:
        f.write(struct.pack('<2sIHHI', b'BM', off + len(data), 0, 0, off))
        f.write(info)
        f.write(pal_bytes)
        f.write(bytes(data))


def write_png(path, img):
    """An RGBA PNG file (transparent where the picture has None)."""
    import zlib
    raw = bytearray()
    for y in range(img.height):
        raw.append(0)
        for x in range(img.width):
            raw += bytes(_rgba(img.get(x, y)))

    def chunk(kind, data):
        body = kind + data
        return struct.pack('>I', len(data)) + body + struct.pack('>I', zlib.crc32(body) & 0xFFFFFFFF)

    with open(path, 'wb') as f:
        f.write(b'\x89PNG\r\n\x1a\n')
        f.write(chunk(b'IHDR', struct.pack('>IIBBBBB', img.width, img.height, 8, 6, 0, 0, 0)))
        f.write(chunk(b'IDAT', zlib.compress(bytes(raw), 9)))
        f.write(chunk(b'IEND', b''))


def shade(c, k):
    """c scaled by k (0..2), clipped: for simple highlights and shadows."""
    return tuple(max(0, min(255, int(round(v * k)))) for v in c[:3])


__all__ = ['Image', 'VGA16', 'write_ico', 'write_paletted_ico', 'write_cur', 'write_bmp', 'write_png', 'shade', 'math']
