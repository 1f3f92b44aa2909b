#!/usr/bin/env python3
"""Writes the program's own pictures: the application icon and the hidden button's glyphs.

Run from the repository root; the outputs are committed, so a build does not need Python.
"""
import struct
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent


def note_icon_pixels(size):
    """BGRA rows, top row first: a yellow note with a folded corner and a red pin."""
    rows = []
    fold = size // 4
    for y in range(size):
        row = []
        for x in range(size):
            inside = 1 <= x < size - 1 and 2 <= y < size - 1
            folded = x >= size - 1 - fold and y < 2 + fold and (x - (size - 1 - fold)) > (y - 2)
            if not inside or folded:
                row.append((0, 0, 0, 0))
                continue
            border = x in (1, size - 2) or y in (2, size - 2)
            if border:
                row.append((32, 94, 104, 255))
            elif abs(x - size // 2) <= max(1, size // 12) and 3 <= y <= 3 + size // 5:
                row.append((40, 40, 220, 255))  # pin
            elif y > size // 3 and y % max(3, size // 8) == 0 and 3 < x < size - 4:
                row.append((120, 150, 160, 255))  # writing lines
            else:
                shade = 204 + (17 * y) // size
                row.append((shade, 255, 255, 255))
        rows.append(row)
    return rows


def icon_image(size):
    rows = note_icon_pixels(size)
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    xor = b''.join(bytes(c for px in row for c in px) for row in reversed(rows))
    mask_stride = ((size + 31) // 32) * 4
    mask = b''
    for row in reversed(rows):
        bits = bytearray(mask_stride)
        for x, px in enumerate(row):
            if px[3] == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bytes(bits)
    return header + xor + mask


def write_icon(path, sizes):
    images = [icon_image(s) for s in sizes]
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for s, data in zip(sizes, images):
        out += struct.pack('<BBBBHHII', s, s, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    path.write_bytes(out + b''.join(images))


def bmp_file(width, height, bits, pixel_row, palette=b''):
    stride = ((width * bits + 31) // 32) * 4
    data = b''
    for y in reversed(range(height)):
        row = pixel_row(y)
        data += row + bytes(stride - len(row))
    info = struct.pack('<IiiHHIIiiII', 40, width, height, 1, bits, 0, len(data), 2835, 2835,
                       len(palette) // 4 if palette else 0, 0)
    offset = 14 + len(info) + len(palette)
    head = struct.pack('<2sIHHI', b'BM', offset + len(data), 0, 0, offset)
    return head + info + palette + data


def glyph_wide(y):
    """A 129 x 33 rounded "OK" bar in 24-bit colour; magenta is the key colour."""
    out = bytearray()
    for x in range(129):
        inside = 2 <= x < 127 and 2 <= y < 31 and not (
            (x < 5 or x > 123) and (y < 5 or y > 27))
        if not inside:
            out += bytes((255, 0, 255))
        else:
            g = 150 + (80 * y) // 33
            out += bytes((60, g, 40))
    return bytes(out)


def glyph_small(y):
    """A 16 x 16 tick in 8-bit palette colour; index 0 (magenta) is the key colour."""
    out = bytearray()
    for x in range(16):
        on = (x < 7 and abs(y - (x + 6)) <= 1) or (x >= 6 and abs(y - (18 - x)) <= 1)
        out.append(1 if on and 1 <= y < 15 else 0)
    return bytes(out)


def main():
    write_icon(ROOT / 'src/app/pinlet.ico', [32, 16])
    wide = bmp_file(129, 33, 24, glyph_wide)
    palette = bytes((255, 0, 255, 0, 40, 140, 40, 0)) + bytes(4 * 254)
    small = bmp_file(16, 16, 8, glyph_small, palette)
    unit = ROOT / 'src/noteform_unit'
    (unit / 'btn_ok_active.bmp').write_bytes(wide)
    (unit / 'btn_ok_pushed.bmp').write_bytes(wide)
    (unit / 'btn_ok_passive.bmp').write_bytes(small)


if __name__ == '__main__':
    main()
