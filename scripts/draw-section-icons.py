#!/usr/bin/env python3
"""Draws section-type pictures of the sample installation that have no
other source: a filled cross-section outline in the icons' ink on white, in
the big (64 px) and small (24 px) sizes, as 24-bit BMP files.

    scripts/draw-section-icons.py [icon folder]   (default sample/install/icons)
"""
import os
import struct
import sys

INK, WHITE = (32, 64, 96), (255, 255, 255)

# Per picture base name: filled rectangles (left, top, right, bottom) in
# 64-pixel units, scaled down for the small size.
SHAPES = {
    # Type 8, a solid rectangle: the flat bar, wide and thin.
    "ProfSectionRect": [(8, 25, 56, 39)],
}


def bmp(size, rectangles):
    scale = size / 64
    pixels = [[WHITE] * size for _ in range(size)]
    for (left, top, right, bottom) in rectangles:
        for y in range(round(top * scale), round(bottom * scale)):
            for x in range(round(left * scale), round(right * scale)):
                pixels[y][x] = INK
    stride = (size * 3 + 3) // 4 * 4
    image = b"".join(b"".join(bytes((b, g, r)) for (r, g, b) in row).ljust(stride, b"\0")
                     for row in reversed(pixels))
    header = struct.pack("<2sIHHI", b"BM", 54 + len(image), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, size, size, 1, 24, 0, len(image), 2835, 2835, 0, 0)
    return header + info + image


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else "sample/install/icons"
    for name, rectangles in SHAPES.items():
        for suffix, size in (("-big.bmp", 64), ("-small.bmp", 24)):
            with open(os.path.join(folder, name + suffix), "wb") as f:
                f.write(bmp(size, rectangles))


if __name__ == "__main__":
    main()
