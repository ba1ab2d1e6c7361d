#!/usr/bin/env python3
"""Writes the corpus of unusual and damaged .bmp and .wmf files that the
editor's open commands must survive, and corpus.txt, which says what each
file must give:

    NAME opens WIDTH HEIGHT X Y RRGGBB   must open at that size, pixel (X, Y)
                                          (top-down) in that colour
    NAME either                           may open or be refused; the editor
                                          keeps running either way
    NAME refused                          must not open (the canvas stays)
    NAME plays X Y RRGGBB                 a metafile whose playback puts that
                                          colour at (X, Y)
    NAME nothing                          a metafile that draws nothing

Run from anywhere: python3 make_corpus.py (writes next to itself).
"""

import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))

W, H = 9, 6
BACK = (0, 0, 255)   # blue
MARK = (255, 0, 0)   # red
MARK_AT = (2, 1)     # top-down x, y
PAL16 = [(0, 0, 0), (0, 0, 255), (255, 0, 0), (255, 255, 255)] + [(9, 9, 9)] * 12

manifest = []


def pixel(x, y):
    return MARK if (x, y) == MARK_AT else BACK


def file_header(size, offset):
    return struct.pack('<2sIHHI', b'BM', size, 0, 0, offset)


def info_header(w, h, bits, compression=0, image=0, used=0, planes=1, size=40):
    return struct.pack('<IiiHHIIiiII', size, w, h, planes, bits, compression, image,
                       0, 0, used, 0)


def row_bytes(w, bits):
    return ((w * bits + 31) // 32) * 4


def pixels(w, h, bits, index=None, top_down=False):
    """Pixel block: rows bottom-up unless top_down; index maps a colour to a
    palette index for the paletted depths."""
    out = bytearray()
    rows = range(h) if top_down else range(h - 1, -1, -1)
    for y in rows:
        row = bytearray(row_bytes(w, bits))
        for x in range(w):
            r, g, b = pixel(x, y)
            if bits == 32:
                row[x * 4:x * 4 + 4] = bytes((b, g, r, 0))
            elif bits == 24:
                row[x * 3:x * 3 + 3] = bytes((b, g, r))
            elif bits == 16:
                v = (r >> 3) << 10 | (g >> 3) << 5 | (b >> 3)
                row[x * 2:x * 2 + 2] = struct.pack('<H', v)
            elif bits == 8:
                row[x] = index[(r, g, b)]
            elif bits == 4:
                row[x // 2] |= index[(r, g, b)] << (4 if x % 2 == 0 else 0)
            elif bits == 1:
                if index[(r, g, b)]:
                    row[x // 8] |= 0x80 >> (x % 8)
        out += row
    return bytes(out)


def table(colours, count):
    cols = list(colours)[:count] + [(0, 0, 0)] * max(0, count - len(colours))
    return b''.join(bytes((b, g, r, 0)) for (r, g, b) in cols)


def bmp(name, data, expect):
    with open(os.path.join(HERE, name), 'wb') as f:
        f.write(data)
    manifest.append(name + ' ' + expect)


def assemble(info, tab, pix, offset=None, size=None):
    off = 14 + len(info) + len(tab) if offset is None else offset
    total = off + len(pix) if size is None else size
    return file_header(total, off) + info + tab + pix


def colour(c):
    return '%02X%02X%02X' % c


OPENS = 'opens %d %d %d %d %s' % (W, H, MARK_AT[0], MARK_AT[1], colour(MARK))

# Well-formed pictures of every depth, with and without colour tables.
idx16 = {(0, 0, 0): 0, BACK: 1, MARK: 2, (255, 255, 255): 3}
for bits, name in ((32, 'depth32.bmp'), (24, 'depth24.bmp'), (16, 'depth16_555.bmp')):
    pix = pixels(W, H, bits)
    bmp(name, assemble(info_header(W, H, bits, image=len(pix)), b'', pix), OPENS)
pix = pixels(W, H, 8, idx16)
bmp('depth8_table.bmp', assemble(info_header(W, H, 8, used=4), table(PAL16, 4), pix), OPENS)
pix = pixels(W, H, 4, idx16)
bmp('depth4_table.bmp', assemble(info_header(W, H, 4), table(PAL16, 16), pix), OPENS)
mono = {(0, 0, 0): 0, BACK: 0, MARK: 1}
pix = pixels(W, H, 1, mono)
bmp('depth1_table.bmp', assemble(info_header(W, H, 1), table([(0, 0, 0), (255, 255, 255)], 2),
                                  pix),
    'opens %d %d %d %d FFFFFF' % (W, H, MARK_AT[0], MARK_AT[1]))
# Paletted depths whose colour table is missing: the pixels follow the header.
for bits in (1, 4, 8):
    pix = pixels(W, H, bits, idx16 if bits > 1 else mono)
    bmp('depth%d_no_table.bmp' % bits, assemble(info_header(W, H, bits), b'', pix), 'either')
# A true-colour picture that carries an (unused) colour table.
pix = pixels(W, H, 24)
bmp('depth24_with_table.bmp', assemble(info_header(W, H, 24, used=16), table(PAL16, 16), pix),
    OPENS)
# 16 bits with explicit 5-6-5 masks.
pix565 = bytearray()
for y in range(H - 1, -1, -1):
    row = bytearray(row_bytes(W, 16))
    for x in range(W):
        r, g, b = pixel(x, y)
        row[x * 2:x * 2 + 2] = struct.pack('<H', (r >> 3) << 11 | (g >> 2) << 5 | (b >> 3))
    pix565 += row
bmp('depth16_565_bitfields.bmp',
    assemble(info_header(W, H, 16, compression=3), struct.pack('<III', 0xF800, 0x07E0, 0x001F),
             bytes(pix565)), OPENS)
# Negative height: rows stored top row first.
pix = pixels(W, H, 24, top_down=True)
bmp('top_down.bmp', assemble(info_header(W, -H, 24), b'', pix), 'either')
# A bigger header (124 bytes) in front of ordinary 32-bit pixels.
pix = pixels(W, H, 32)
v5 = info_header(W, H, 32, size=124) + bytes(124 - 40)
bmp('header124.bmp', assemble(v5, b'', pix), 'either')
# The old 12-byte core header with a 3-byte colour table.
core = struct.pack('<IHHHH', 12, W, H, 1, 8)
core_tab = b''.join(bytes((b, g, r)) for (r, g, b) in PAL16[:4]) + bytes(3 * 252)
bmp('core_header.bmp', assemble(core, core_tab, pixels(W, H, 8, idx16)), 'either')

# Run-length encoded kinds: RLE8 and RLE4, well formed and damaged.
def rle8_rows(stop=True, overrun=False):
    out = bytearray()
    for y in range(H - 1, -1, -1):
        x = 0
        while x < W:
            c = idx16[pixel(x, y)]
            n = 1
            while x + n < W and idx16[pixel(x + n, y)] == c:
                n += 1
            out += bytes((n if not overrun else 250, c))
            x += n
        out += b'\x00\x00'
    if stop:
        out += b'\x00\x01'
    return bytes(out)


def rle4_rows():
    out = bytearray()
    for y in range(H - 1, -1, -1):
        for x in range(W):
            c = idx16[pixel(x, y)]
            out += bytes((1, c << 4 | c))
        out += b'\x00\x00'
    return bytes(out + b'\x00\x01')


r8 = rle8_rows()
bmp('rle8.bmp', assemble(info_header(W, H, 8, compression=1, image=len(r8)), table(PAL16, 256),
                         r8), 'either')
r4 = rle4_rows()
bmp('rle4.bmp', assemble(info_header(W, H, 4, compression=2, image=len(r4)), table(PAL16, 16),
                         r4), 'either')
bad = rle8_rows(stop=False, overrun=True) + b'\x00\x02\xff\xff' + b'\x00\xfe' + b'\x07'
bmp('rle8_damaged.bmp', assemble(info_header(W, H, 8, compression=1, image=len(bad)),
                                 table(PAL16, 256), bad), 'either')
bmp('rle8_truncated.bmp', assemble(info_header(W, H, 8, compression=1, image=4000),
                                   table(PAL16, 256), r8[:7]), 'either')
bmp('rle_top_down.bmp', assemble(info_header(W, -H, 8, compression=1, image=len(r8)),
                                 table(PAL16, 256), r8), 'either')
bmp('jpeg_kind.bmp', assemble(info_header(W, H, 0, compression=4, image=64), b'',
                              b'\xff\xd8\xff\xe0' + bytes(60)), 'either')
bmp('png_kind.bmp', assemble(info_header(W, H, 0, compression=5, image=64), b'',
                             b'\x89PNG\r\n\x1a\n' + bytes(56)), 'either')

# Damaged headers and sizes.
good24 = assemble(info_header(W, H, 24), b'', pixels(W, H, 24))
bmp('empty.bmp', b'', 'refused')
bmp('magic_only.bmp', b'BM', 'refused')
bmp('wrong_magic.bmp', b'XY' + good24[2:], 'either')
bmp('truncated_file_header.bmp', good24[:10], 'refused')
bmp('truncated_info_header.bmp', good24[:30], 'either')
bmp('truncated_pixels.bmp', good24[:54 + 40], 'either')
bmp('pixels_missing.bmp', good24[:54], 'either')
big = assemble(info_header(3000, 2000, 24), b'', b'')
bmp('truncated_large.bmp', big + bytes(1000), 'either')
bmp('zero_width.bmp', assemble(info_header(0, H, 24), b'', b''), 'either')
bmp('zero_height.bmp', assemble(info_header(W, 0, 24), b'', b''), 'either')
bmp('negative_width.bmp', assemble(info_header(-W, H, 24), b'', pixels(W, H, 24)), 'either')
bmp('huge_size.bmp', assemble(info_header(60000, 60000, 24), b'', pixels(W, H, 24)), 'either')
bmp('huge_width_one_row.bmp', assemble(info_header(0x7FFFFFFF, 1, 32), b'', bytes(64)), 'either')
bmp('huge_negative_height.bmp', assemble(info_header(W, -0x7FFFFFFF, 32), b'', bytes(64)),
    'either')
bmp('odd_depth7.bmp', assemble(info_header(W, H, 7), b'', pixels(W, H, 8, idx16)), 'either')
bmp('planes_zero.bmp', assemble(info_header(W, H, 24, planes=0), b'', pixels(W, H, 24)),
    'either')
bmp('offset_past_end.bmp', assemble(info_header(W, H, 24), b'', pixels(W, H, 24),
                                    offset=0x7FFFFFF0), 'either')
bmp('info_size_huge.bmp', assemble(info_header(W, H, 24, size=0x7FFFFFFF), b'',
                                   pixels(W, H, 24)), 'either')
bmp('info_size_zero.bmp', assemble(info_header(W, H, 24, size=0), b'', pixels(W, H, 24)),
    'either')
bmp('colours_used_huge.bmp', assemble(info_header(W, H, 8, used=0x10000000), table(PAL16, 256),
                                      pixels(W, H, 8, idx16)), 'either')
bmp('not_a_bitmap.bmp', b'This is a text file, not a picture.\r\n' * 4, 'refused')
bmp('png_named_bmp.bmp', b'\x89PNG\r\n\x1a\n' + bytes(200), 'refused')


# Metafiles: standard Windows metafiles as the platform writes them.
def record(function, *words):
    return struct.pack('<IH', 3 + len(words), function) + struct.pack('<%dH' % len(words),
                                                                       *[w & 0xFFFF for w in words])


def metafile(records, kind=1, size=None, header_words=9):
    """Header (type 1 as the platform writes it, 9 words, version 3.0), the
    records and the closing record."""
    body = b''.join(records) + record(0)
    words = 9 + len(body) // 2 if size is None else size
    biggest = max([struct.unpack_from('<I', r)[0] for r in records if len(r) >= 4] + [3])
    head = struct.pack('<HHHIHIH', kind, header_words, 0x300, words, 2, biggest, 0)
    return head + body


def wmf(name, data, expect):
    with open(os.path.join(HERE, name), 'wb') as f:
        f.write(data)
    manifest.append(name + ' ' + expect)


RED = 0x0000FF  # COLORREF of red: 0x00BBGGRR
red_box = [
    record(0x02FA, 0, 2, 0, RED & 0xFFFF, RED >> 16),  # CreatePenIndirect solid, width 2
    record(0x02FC, 0, RED & 0xFFFF, RED >> 16, 0),     # CreateBrushIndirect solid
    record(0x012D, 0),                                  # SelectObject pen
    record(0x012D, 1),                                  # SelectObject brush
    record(0x041B, 60, 80, 20, 30),                     # Rectangle bottom, right, top, left
    record(0x01F0, 0),                                  # DeleteObject
    record(0x01F0, 1),
]
wmf('red_box.wmf', metafile(red_box), 'plays 50 40 FF0000')
wmf('empty.wmf', b'', 'nothing')
wmf('header_only.wmf', metafile([])[:18], 'nothing')
wmf('truncated_header.wmf', metafile(red_box)[:10], 'nothing')
wmf('wrong_type.wmf', b'\x07\x00' + metafile(red_box)[2:], 'nothing')
wmf('disk_type.wmf', metafile(red_box, kind=2), 'either')
wmf('placeable_header.wmf', struct.pack('<IHhhhhHIH', 0x9AC6CDD7, 0, 0, 0, 100, 100, 96, 0, 0)
    + metafile(red_box), 'either')
wmf('size_too_large.wmf', metafile(red_box, size=0x7FFFFFFF), 'either')
wmf('size_too_small.wmf', metafile(red_box, size=4), 'either')
wmf('record_size_zero.wmf', metafile([struct.pack('<IH', 0, 0x041B) + bytes(8)] + red_box),
    'either')
wmf('record_size_huge.wmf', metafile(red_box[:4] + [struct.pack('<IH', 0x7FFFFFFF, 0x041B)
                                                    + bytes(8)]), 'either')
wmf('record_cut_short.wmf', metafile(red_box)[:18 + 14 + 5], 'either')
wmf('bad_object_index.wmf', metafile([record(0x012D, 500), record(0x01F0, 900),
                                      record(0x041B, 60, 80, 20, 30)]), 'nothing')
wmf('unknown_function.wmf', metafile([record(0x0FFF, 1, 2, 3)] + red_box), 'either')
wmf('textout_long_count.wmf', metafile([record(0x0521, 30000, 0x4141)]), 'either')
wmf('dib_stretch_garbage.wmf', metafile([record(0x0F43, 0xCC, 0x20, 0, 0, 5, 5, 0, 0, 9, 9,
                                                40, 0, 0x7FFF, 0x7FFF, 1, 32)]), 'either')
wmf('poly_count_huge.wmf', metafile([record(0x0324, 30000, 1, 2)]), 'either')
wmf('garbage.wmf', bytes(range(256)) * 4, 'either')

with open(os.path.join(HERE, 'corpus.txt'), 'w') as f:
    f.write('\n'.join(manifest) + '\n')
print('%d files' % len(manifest))
