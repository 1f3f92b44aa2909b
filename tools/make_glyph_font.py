#!/usr/bin/env python3
"""Writes the note's own symbol font: a pushpin at "X", an open folder at "0" and a floppy disk
at "=", the characters the note's glyph labels ask the system's symbol fonts for. The note draws
with it where the system's fonts lack those glyphs.

A minimal TrueType font, written table by table with the standard library only. Run from the
repository root; the output (src/noteform_unit/note_glyphs.ttf) is committed, so a build does
not need Python.
"""
import struct
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
OUT = ROOT / "src" / "noteform_unit" / "note_glyphs.ttf"
FAMILY = "Pinlet Glyphs"
UNITS = 1000
ASCENT, DESCENT = 800, 200
ADVANCE = 1000

# Outlines in font units (y up): each glyph a list of polygons of on-curve points, each marked
# as filled or as a hole. TrueType fills by the non-zero rule: filled contours are written
# clockwise, holes anticlockwise, whatever order the points are listed in here.
FILL, HOLE = False, True


def rect(x0, y0, x1, y1, kind=FILL):
    return ([(x0, y0), (x0, y1), (x1, y1), (x1, y0)], kind)


def pushpin():
    """A pin seen from the side: its head, a narrower body, a wide collar and the needle."""
    return [
        rect(280, 540, 720, 720),                       # head
        rect(370, 360, 630, 540),                       # body
        rect(190, 280, 810, 370),                       # collar
        ([(455, 280), (500, -80), (545, 280)], FILL),   # needle
    ]


def open_folder():
    """The back of the folder with its tab, drawn as a frame, and the open front leaning out of
    it, filled."""
    return [
        ([(100, 40), (100, 640), (360, 640), (420, 580), (820, 580), (820, 40)], FILL),
        ([(180, 120), (180, 560), (330, 560), (390, 500), (740, 500), (740, 120)], HOLE),
        ([(150, 40), (310, 400), (950, 400), (800, 40)], FILL),
    ]


def floppy_disk():
    """A square with one corner cut, and the metal shutter and the label as holes in it."""
    return [
        ([(100, 0), (100, 700), (760, 700), (860, 600), (860, 0)], FILL),
        rect(250, 480, 650, 660, HOLE),   # shutter
        rect(220, 80, 740, 330, HOLE),    # label
    ]


GLYPHS = [  # (character, outline); glyph 0 is the empty .notdef
    ("X", pushpin()),
    ("0", open_folder()),
    ("=", floppy_disk()),
]


def oriented(contours):
    """The polygons' points, clockwise for filled ones and anticlockwise for holes."""
    def signed_area(points):
        return sum(x0 * y1 - x1 * y0 for (x0, y0), (x1, y1) in zip(points, points[1:] + points[:1]))
    result = []
    for points, hole in contours:
        clockwise = signed_area(points) < 0
        result.append(points if clockwise != hole else points[::-1])
    return result


def glyph_data(contours):
    if not contours:
        return b""
    contours = oriented(contours)
    points = [p for c in contours for p in c]
    xs, ys = [p[0] for p in points], [p[1] for p in points]
    header = struct.pack(">hhhhh", len(contours), min(xs), min(ys), max(xs), max(ys))
    ends, total = [], 0
    for c in contours:
        total += len(c)
        ends.append(total - 1)
    data = header + struct.pack(">" + "H" * len(ends), *ends) + struct.pack(">H", 0)
    flags = bytes([0x01] * len(points))  # on-curve, two-byte coordinates
    dx, dy, px, py = [], [], 0, 0
    for x, y in points:
        dx.append(x - px)
        dy.append(y - py)
        px, py = x, y
    data += flags + struct.pack(">" + "h" * len(dx), *dx) + struct.pack(">" + "h" * len(dy), *dy)
    return data + b"\0" * (-len(data) % 4)


def checksum(data):
    data += b"\0" * (-len(data) % 4)
    return sum(struct.unpack(">%dL" % (len(data) // 4), data)) & 0xFFFFFFFF


def name_table():
    records = [(1, FAMILY), (2, "Regular"), (3, FAMILY), (4, FAMILY), (5, "Version 1.0"),
               (6, FAMILY.replace(" ", ""))]
    strings, entries, offset = b"", [], 0
    for name_id, text in records:
        encoded = text.encode("utf-16-be")
        entries.append(struct.pack(">HHHHHH", 3, 0, 0x409, name_id, len(encoded), offset))
        strings += encoded
        offset += len(encoded)
    header = struct.pack(">HHH", 0, len(records), 6 + 12 * len(records))
    return header + b"".join(entries) + strings


def cmap_table(codes):
    """Format 4 for platform 3, encoding 0 (a symbol font): each character at 0xF000 + code."""
    segments = [(0xF000 + ord(ch), glyph) for glyph, ch in codes]
    segments.sort()
    starts = [c for c, _ in segments] + [0xFFFF]
    ends = [c for c, _ in segments] + [0xFFFF]
    deltas = [(g - c) & 0xFFFF for c, g in segments] + [1]
    count = len(starts)
    search = 2 ** (count.bit_length() - 1)
    sub = struct.pack(">HHHHHHH", 4, 0, 0, count * 2, search * 2, search.bit_length() - 1,
                      count * 2 - search * 2)
    sub += struct.pack(">" + "H" * count, *ends) + b"\0\0"
    sub += struct.pack(">" + "H" * count, *starts)
    sub += struct.pack(">" + "H" * count, *deltas)
    sub += struct.pack(">" + "H" * count, *([0] * count))
    sub = sub[:2] + struct.pack(">H", len(sub)) + sub[4:]
    return struct.pack(">HHHHL", 0, 1, 3, 0, 12) + sub


def build():
    outlines = [[]] + [g for _, g in GLYPHS]
    glyf, loca = b"", [0]
    for contours in outlines:
        glyf += glyph_data(contours)
        loca.append(len(glyf))
    count = len(outlines)
    points = [p for g in outlines for c, _ in g for p in c]
    x_min, y_min = min(p[0] for p in points), min(p[1] for p in points)
    x_max, y_max = max(p[0] for p in points), max(p[1] for p in points)
    max_points = max(sum(len(c) for c, _ in g) for g in outlines)
    max_contours = max(len(g) for g in outlines)
    first = 0xF000 + min(ord(ch) for ch, _ in GLYPHS)
    last = 0xF000 + max(ord(ch) for ch, _ in GLYPHS)

    tables = {
        b"head": struct.pack(">LLLLHHqqhhhhHHhhh", 0x00010000, 0x00010000, 0, 0x5F0F3CF5, 0x000B,
                             UNITS, 0, 0, x_min, y_min, x_max, y_max, 0, 8, 2, 1, 0),
        b"hhea": struct.pack(">LhhhHhhhhhhhhhhhH", 0x00010000, ASCENT, -DESCENT, 0, ADVANCE, 0, 0,
                             ADVANCE, 1, 0, 0, 0, 0, 0, 0, 0, count),
        b"maxp": struct.pack(">LHHHHHHHHHHHHHH", 0x00010000, count, max_points, max_contours, 0,
                             0, 2, 0, 0, 0, 0, 0, 0, 0, 0),
        b"OS/2": struct.pack(">HhHHHhhhhhhhhhhh10sLLLL4sHHHhhhHHLLhhhHH", 3, ADVANCE, 400, 5, 0,
                             650, 600, 0, 75, 650, 600, 0, 350, 50, 250, 0, b"\0" * 10, 0, 0, 0, 0,
                             b"PNLT", 0x40, first, last, ASCENT, -DESCENT, 0, ASCENT, DESCENT,
                             0x80000000, 0, 500, 700, 0, 0x20, 0),
        b"hmtx": b"".join(struct.pack(">Hh", ADVANCE, min((p[0] for c, _ in g for p in c), default=0))
                          for g in outlines),
        b"cmap": cmap_table([(i + 1, ch) for i, (ch, _) in enumerate(GLYPHS)]),
        b"loca": struct.pack(">" + "L" * len(loca), *loca),
        b"glyf": glyf,
        b"name": name_table(),
        b"post": struct.pack(">LLhhLLLLL", 0x00030000, 0, -100, 50, 0, 0, 0, 0, 0),
    }
    tags = sorted(tables)
    search = 2 ** (len(tags).bit_length() - 1)
    header = struct.pack(">LHHHH", 0x00010000, len(tags), search * 16, search.bit_length() - 1,
                         len(tags) * 16 - search * 16)
    offset = len(header) + 16 * len(tags)
    directory, body = b"", b""
    for tag in tags:
        data = tables[tag]
        directory += struct.pack(">4sLLL", tag, checksum(data), offset + len(body), len(data))
        body += data + b"\0" * (-len(data) % 4)
    font = bytearray(header + directory + body)
    # head.checkSumAdjustment makes the whole file sum to the magic number.
    head_at = offset + sum(len(tables[t]) + (-len(tables[t]) % 4) for t in tags[:tags.index(b"head")])
    struct.pack_into(">L", font, head_at + 8, (0xB1B0AFBA - checksum(bytes(font))) & 0xFFFFFFFF)
    return bytes(font)


if __name__ == "__main__":
    OUT.write_bytes(build())
    print(f"{OUT.relative_to(ROOT)}: {OUT.stat().st_size} bytes")
