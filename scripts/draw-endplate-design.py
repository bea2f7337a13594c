#!/usr/bin/env python3
"""Draws the background picture of the sample end plate design: the plate
outline with its bolt holes and chamfered corners, and dimension arrows for
its width and height. The controls sit over the white right half; white is
transparent when the design is shown. Written as a 24-bit BMP by this script.

    scripts/draw-endplate-design.py [output.bmp]
"""
import math
import struct
import sys

WIDTH, HEIGHT = 360, 240
WHITE, INK, STEEL, HOLE, DIM = (255, 255, 255), (20, 20, 20), (205, 215, 228), (90, 90, 90), (30, 70, 160)
DEFAULT_OUT = "sample/library/Dialog Templates/Dialog Design/EndPlate/EndPlate.bmp"


class Canvas:
    def __init__(self, width, height):
        self.width, self.height = width, height
        self.pixels = [[WHITE] * width for _ in range(height)]

    def dot(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.pixels[y][x] = colour

    def line(self, x0, y0, x1, y1, colour):
        steps = max(abs(x1 - x0), abs(y1 - y0), 1)
        for i in range(steps + 1):
            self.dot(round(x0 + (x1 - x0) * i / steps), round(y0 + (y1 - y0) * i / steps), colour)

    def polygon(self, points, colour):
        for (x0, y0), (x1, y1) in zip(points, points[1:] + points[:1]):
            self.line(x0, y0, x1, y1, colour)

    def fill_polygon(self, points, colour):
        # Even-odd scan-line fill at pixel centres.
        for y in range(self.height):
            yc = y + 0.5
            xs = []
            for (x0, y0), (x1, y1) in zip(points, points[1:] + points[:1]):
                if (y0 <= yc < y1) or (y1 <= yc < y0):
                    xs.append(x0 + (yc - y0) * (x1 - x0) / (y1 - y0))
            xs.sort()
            for a, b in zip(xs[::2], xs[1::2]):
                for x in range(math.ceil(a - 0.5), math.floor(b - 0.5) + 1):
                    self.dot(x, y, colour)

    def disc(self, cx, cy, r, fill, outline):
        for y in range(cy - r - 1, cy + r + 2):
            for x in range(cx - r - 1, cx + r + 2):
                d = math.hypot(x - cx, y - cy)
                if d <= r - 0.5:
                    self.dot(x, y, fill)
                elif d <= r + 0.5:
                    self.dot(x, y, outline)

    def arrow(self, x0, y0, x1, y1, colour):
        """A dimension line with arrowheads at both ends."""
        self.line(x0, y0, x1, y1, colour)
        angle = math.atan2(y1 - y0, x1 - x0)
        for (x, y, a) in ((x0, y0, angle), (x1, y1, angle + math.pi)):
            for side in (-0.4, 0.4):
                self.line(x, y, round(x + 9 * math.cos(a + side)), round(y + 9 * math.sin(a + side)), colour)

    def bmp(self):
        stride = (self.width * 3 + 3) // 4 * 4
        rows = []
        for row in reversed(self.pixels):  # bottom row first
            data = b"".join(bytes((b, g, r)) for (r, g, b) in row)
            rows.append(data + b"\0" * (stride - len(data)))
        image = b"".join(rows)
        header = struct.pack("<2sIHHI", b"BM", 54 + len(image), 0, 0, 54)
        info = struct.pack("<IiiHHIIiiII", 40, self.width, self.height, 1, 24, 0, len(image), 2835, 2835, 0, 0)
        return header + info + image


def draw():
    c = Canvas(WIDTH, HEIGHT)
    left, top, right, bottom, chamfer = 45, 25, 165, 205, 10
    plate = [(left + chamfer, top), (right - chamfer, top), (right, top + chamfer), (right, bottom - chamfer),
             (right - chamfer, bottom), (left + chamfer, bottom), (left, bottom - chamfer), (left, top + chamfer)]
    c.fill_polygon(plate, STEEL)
    c.polygon(plate, INK)
    for y in (55, 95, 135, 175):
        for x in (75, 135):
            c.disc(x, y, 7, WHITE, HOLE)
            c.line(x - 10, y, x + 10, y, HOLE)  # centre marks
            c.line(x, y - 10, x, y + 10, HOLE)
    # Width below the plate, height to its left, with extension lines.
    c.line(left, bottom + 3, left, bottom + 24, DIM)
    c.line(right, bottom + 3, right, bottom + 24, DIM)
    c.arrow(left, bottom + 18, right, bottom + 18, DIM)
    c.line(left - 3, top, left - 30, top, DIM)
    c.line(left - 3, bottom, left - 30, bottom, DIM)
    c.arrow(left - 22, top, left - 22, bottom, DIM)
    return c


if __name__ == "__main__":
    out = sys.argv[1] if len(sys.argv) > 1 else DEFAULT_OUT
    with open(out, "wb") as f:
        f.write(draw().bmp())
