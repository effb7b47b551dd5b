#!/usr/bin/env python3
"""Draws the agent's six signal icons (signal0..signal5) as 22x22 RGBA PNGs.

Five bars rising left to right; icon n fills the first n bars, the others are
drawn as light outlines so that even signal0 is visible in a tray.
Run from this folder: python3 make-icons.py
"""
import struct
import zlib

SIZE = 22
BARS = 5
BAR_W = 3
GAP = 1
LEFT = 2
BOTTOM = 19
FILL = (0x2E, 0x7D, 0x32, 0xFF)
OUTLINE = (0x9E, 0x9E, 0x9E, 0xFF)
EMPTY_INSIDE = (0xFF, 0xFF, 0xFF, 0x40)


def draw(level):
    px = [[(0, 0, 0, 0)] * SIZE for _ in range(SIZE)]
    for bar in range(BARS):
        x0 = LEFT + bar * (BAR_W + GAP)
        height = 4 + bar * 3
        y0 = BOTTOM - height + 1
        for y in range(y0, BOTTOM + 1):
            for x in range(x0, x0 + BAR_W):
                if bar < level:
                    px[y][x] = FILL
                else:
                    edge = x in (x0, x0 + BAR_W - 1) or y in (y0, BOTTOM)
                    px[y][x] = OUTLINE if edge else EMPTY_INSIDE
    return px


def png(px):
    raw = b"".join(b"\x00" + b"".join(bytes(p) for p in row) for row in px)

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    header = struct.pack(">IIBBBBB", SIZE, SIZE, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


for level in range(6):
    with open(f"signal{level}.png", "wb") as f:
        f.write(png(draw(level)))
