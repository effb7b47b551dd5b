#!/usr/bin/env python3
"""Draws the settings window's pictures (the logos with ImageMagick's convert).

  AboutNimbus.jpg  the Corvane logo shown on the Advanced page (220 x 64)
  Tessel_logo.bmp  the logo of the Tessel-branded build (220 x 64)
  RadioOn.png      the picture beside the radio switch while the radio is on (32 x 32)

Run from this folder: python3 make-images.py
"""
import math
import struct
import subprocess
import zlib

FONT = "DejaVu-Sans-Bold"


def convert(*args):
    subprocess.run(["convert", *args], check=True)


# A sky-blue band with a white cloud and the maker's name.
convert("-size", "220x64", "gradient:#0D47A1-#42A5F5",
        "-fill", "white", "-stroke", "none",
        "-draw", "circle 30,36 30,24",
        "-draw", "circle 46,30 46,14",
        "-draw", "circle 62,38 62,26",
        "-draw", "roundrectangle 18,36 74,48 6,6",
        "-font", FONT, "-pointsize", "26", "-fill", "white",
        "-annotate", "+84+42", "Corvane",
        "-quality", "92", "AboutNimbus.jpg")

# Three rows of tiles in two tones and the name, as a 24-bit BMP.
tiles = []
for row in range(3):
    for col in range(3):
        x, y = 10 + col * 15, 10 + row * 15
        colour = "#00897B" if (row + col) % 2 == 0 else "#80CBC4"
        tiles += ["-fill", colour, "-draw", f"rectangle {x},{y} {x + 12},{y + 12}"]
convert("-size", "220x64", "xc:white", *tiles,
        "-font", FONT, "-pointsize", "28", "-fill", "#004D40",
        "-annotate", "+66+43", "Tessel",
        "-type", "TrueColor", "BMP3:Tessel_logo.bmp")

def radio_on_png(size=32, grid=4):
    """Radio waves over a mast, green on a transparent ground, as RGBA PNG
    bytes; each pixel is sampled grid x grid times for smooth edges."""
    green = (0x2E, 0x7D, 0x32)
    cx, cy = 16.0, 18.0

    def inside(x, y):
        dx, dy = x - cx, y - cy
        d = math.hypot(dx, dy)
        angle = math.degrees(math.atan2(dy, dx)) % 360
        on_arc = 215 <= angle <= 325 and (abs(d - 7) <= 1.2 or abs(d - 12.5) <= 1.2)
        mast = abs(dx) <= 1.0 and cy <= y <= 30
        return on_arc or d <= 2.5 or mast

    rows = []
    for py in range(size):
        row = bytearray()
        for px in range(size):
            hits = sum(inside(px + (i + 0.5) / grid, py + (j + 0.5) / grid)
                       for i in range(grid) for j in range(grid))
            row += bytes(green) + bytes([round(255 * hits / grid ** 2)])
        rows.append(b"\x00" + bytes(row))

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
            chunk(b"IDAT", zlib.compress(b"".join(rows), 9)) + chunk(b"IEND", b""))


with open("RadioOn.png", "wb") as out:
    out.write(radio_on_png())
