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
bmp('top_down.bmp', assemble(info_header(W, -H, 24), b'', pix), OPENS)
# A bigger header (124 bytes) in front of ordinary 32-bit pixels.
pix = pixels(W, H, 32)
v5 = info_header(W, H, 32, size=124) + bytes(124 - 40)
bmp('header124.bmp', assemble(v5, b'', pix), OPENS)
# The old 12-byte core header with a 3-byte colour table.
core = struct.pack('<IHHHH', 12, W, H, 1, 8)
core_tab = b''.join(bytes((b, g, r)) for (r, g, b) in PAL16[:4]) + bytes(3 * 252)
bmp('core_header.bmp', assemble(core, core_tab, pixels(W, H, 8, idx16)), OPENS)

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
                         r8), OPENS)
r4 = rle4_rows()
bmp('rle4.bmp', assemble(info_header(W, H, 4, compression=2, image=len(r4)), table(PAL16, 16),
                         r4), OPENS)
bad = rle8_rows(stop=False, overrun=True) + b'\x00\x02\xff\xff' + b'\x00\xfe' + b'\x07'
bmp('rle8_damaged.bmp', assemble(info_header(W, H, 8, compression=1, image=len(bad)),
                                 table(PAL16, 256), bad), 'either')
bmp('rle8_truncated.bmp', assemble(info_header(W, H, 8, compression=1, image=4000),
                                   table(PAL16, 256), r8[:7]), 'refused')
bmp('rle_top_down.bmp', assemble(info_header(W, -H, 8, compression=1, image=len(r8)),
                                 table(PAL16, 256), r8), 'opens %d %d %d %d %s' % (W, H, MARK_AT[0], H - 1 - MARK_AT[1], colour(MARK)))
bmp('jpeg_kind.bmp', assemble(info_header(W, H, 0, compression=4, image=64), b'',
                              b'\xff\xd8\xff\xe0' + bytes(60)), 'refused')
bmp('png_kind.bmp', assemble(info_header(W, H, 0, compression=5, image=64), b'',
                             b'\x89PNG\r\n\x1a\n' + bytes(56)), 'refused')

# Kinds other readers open: top-down rows at every depth, bit fields in the
# larger headers and with unusual masks, short colour tables.
for bits in (1, 4, 8, 32):
    ix = idx16 if bits > 1 else mono
    pix = pixels(W, H, bits, ix, top_down=True)
    tab = table(PAL16 if bits > 1 else [(0, 0, 0), (255, 255, 255)], 1 << bits) if bits <= 8 else b''
    bmp('top_down%d.bmp' % bits, assemble(info_header(W, -H, bits), tab, pix),
        OPENS if bits > 1 else 'opens %d %d %d %d FFFFFF' % (W, H, MARK_AT[0], MARK_AT[1]))
def fields32(masks, size):
    """32-bit pixels through these red, green, blue masks, in a header of `size` bytes."""
    out = bytearray()
    for y in range(H - 1, -1, -1):
        for x in range(W):
            v = 0
            for c, m in zip(pixel(x, y), masks):
                shift = (m & -m).bit_length() - 1
                v |= (c << shift) & m
            out += struct.pack('<I', v)
    head = info_header(W, H, 32, compression=3, size=size)
    if size == 40:
        return assemble(head, struct.pack('<III', *masks), bytes(out))
    return assemble(head + struct.pack('<III', *masks) + bytes(size - 52), b'', bytes(out))
for size in (40, 52, 56, 108):
    bmp('fields32_header%d.bmp' % size, fields32((0xFF000000, 0xFF0000, 0xFF00), size), OPENS)
pix555 = pixels(W, H, 16)
bmp('fields16_555.bmp', assemble(info_header(W, H, 16, compression=3),
                                 struct.pack('<III', 0x7C00, 0x03E0, 0x001F), pix555), OPENS)
pix = pixels(W, H, 8, idx16)
bmp('depth8_three_colours.bmp', assemble(info_header(W, H, 8, used=3), table(PAL16, 3), pix),
    OPENS)
# Run-length codes that skip: the mark placed by a delta, the rest of every
# row skipped by an end of line (skipped pixels take entry 0, black here).
skip = bytes((0, 2, MARK_AT[0], H - 1 - MARK_AT[1], 1, idx16[MARK], 0, 1))
bmp('rle8_delta.bmp', assemble(info_header(W, H, 8, compression=1, image=len(skip)),
                               table(PAL16, 256), skip),
    'opens %d %d %d %d %s' % (W, H, MARK_AT[0], MARK_AT[1], colour(MARK)))

# Files that crashed, froze or swelled the platform's own loader: a bit
# flipped in the pixel offset, sizes far beyond the data, tiny run-length
# files declaring huge pictures.
pix1 = pixels(W, H, 1, mono)
one = assemble(info_header(W, H, 1), table([(0, 0, 0), (255, 255, 255)], 2), pix1)
bmp('offset_bit_flip.bmp', one[:10] + struct.pack('<I', 62 | 0x4000) + one[14:], 'refused')
for side in (5000, 16384, 20000):
    bmp('declared_%d.bmp' % side, assemble(info_header(side, side, 24), b'', bytes(24)), 'refused')
bmp('rle8_declared_20000.bmp', assemble(info_header(20000, 20000, 8, compression=1),
                                        table(PAL16, 1), b'\x00\x01'), 'refused')
bmp('rle4_declared_20000.bmp', assemble(info_header(20000, 20000, 4, compression=2),
                                        table(PAL16, 1), b'\x00\x01'), 'refused')
bmp('rle8_2048_tiny.bmp', assemble(info_header(2048, 2048, 8, compression=1), table(PAL16, 4),
                                   b'\x01\x02\x00\x01'), 'opens 2048 2048 0 2047 FF0000')

# Damaged headers and sizes.
good24 = assemble(info_header(W, H, 24), b'', pixels(W, H, 24))
bmp('empty.bmp', b'', 'refused')
bmp('magic_only.bmp', b'BM', 'refused')
bmp('wrong_magic.bmp', b'XY' + good24[2:], 'either')
bmp('truncated_file_header.bmp', good24[:10], 'refused')
bmp('truncated_info_header.bmp', good24[:30], 'either')
bmp('truncated_pixels.bmp', good24[:54 + 40], 'refused')
bmp('pixels_missing.bmp', good24[:54], 'refused')
big = assemble(info_header(3000, 2000, 24), b'', b'')
bmp('truncated_large.bmp', big + bytes(1000), 'refused')
bmp('zero_width.bmp', assemble(info_header(0, H, 24), b'', b''), 'either')
bmp('zero_height.bmp', assemble(info_header(W, 0, 24), b'', b''), 'either')
bmp('negative_width.bmp', assemble(info_header(-W, H, 24), b'', pixels(W, H, 24)), 'either')
bmp('huge_size.bmp', assemble(info_header(60000, 60000, 24), b'', pixels(W, H, 24)), 'refused')
bmp('huge_width_one_row.bmp', assemble(info_header(0x7FFFFFFF, 1, 32), b'', bytes(64)), 'either')
bmp('huge_negative_height.bmp', assemble(info_header(W, -0x7FFFFFFF, 32), b'', bytes(64)),
    'refused')
bmp('odd_depth7.bmp', assemble(info_header(W, H, 7), b'', pixels(W, H, 8, idx16)), 'either')
bmp('planes_zero.bmp', assemble(info_header(W, H, 24, planes=0), b'', pixels(W, H, 24)),
    'either')
bmp('offset_past_end.bmp', assemble(info_header(W, H, 24), b'', pixels(W, H, 24),
                                    offset=0x7FFFFFF0), 'refused')
bmp('info_size_huge.bmp', assemble(info_header(W, H, 24, size=0x7FFFFFFF), b'',
                                   pixels(W, H, 24)), 'refused')
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
# Records whose playback froze the platform for seconds or broke its heap,
# and a shift of the origin that must not outlive the playback.
wmf('scaling_map_mode.wmf', metafile([record(0x0103, 8), record(0x020C, 1, 1),
                                      record(0x020E, 32767, 32767)] + red_box), 'nothing')
font = record(0x02FB, *([0x8300, 0] + [0] * 23))
wmf('font_huge.wmf', metafile([font, record(0x012D, 0), record(0x0521, 2, 0x5757, 0, 0)]),
    'nothing')
zigzag = [v for i in range(200) for v in ((15000 if i % 2 else -15000), i * 100)]
wmf('polyline_long.wmf', metafile([record(0x0325, 200, *zigzag)]), 'either')  # plays in 0.1 ms under Wine
wmf('restore_below.wmf', metafile([record(0x0127, 0xFFFF)] + red_box), 'nothing')
wmf('window_origin.wmf', metafile([record(0x020B, 10, 10)] + red_box), 'plays 25 15 FF0000')
wmf('garbage.wmf', bytes(range(256)) * 4, 'either')

with open(os.path.join(HERE, 'corpus.txt'), 'w') as f:
    f.write('\n'.join(manifest) + '\n')
print('%d files' % len(manifest))
