#!/usr/bin/env python3
"""Draws the sample library's dialog designs: for each tab of the sample
macros a background picture (a sketch of the connection with dimension
arrows tagged by letters) and the design file whose controls sit over the
white right part of it, bound to the macro's variable names. White is
transparent when a design is shown. Pictures are written as 24-bit BMP files,
designs as the designer's property files (CRLF), both by this script.

    scripts/draw-sample-designs.py [library folder]   (default sample/library)
"""
import math
import os
import struct
import sys

WIDTH, HEIGHT = 480, 300
WHITE, INK, STEEL, HOLE, DIM = (255, 255, 255), (20, 20, 20), (205, 215, 228), (90, 90, 90), (30, 70, 160)
WELD, CONCRETE, FAINT = (200, 60, 40), (200, 200, 200), (150, 150, 150)

# Control types of the design files (the designer's type numbers).
LABEL, GROUP, VAR_EDIT, VAR_COMBO, BOLT_COUNT1, BOLT_COUNT2, BOLT_COMBO = 0, 1, 2, 3, 4, 5, 7
THICKNESS_LIST = "Dialog Templates\\\\Lists\\\\PlateThickness.txt"
WELD_LIST = "Dialog Templates\\\\Lists\\\\WeldSizes.txt"

# A 5 x 7 pixel font for the letters that tag the dimensions.
GLYPHS = {
    "a": ["     ", "     ", " ### ", "    #", " ####", "#   #", " ####"],
    "e": ["     ", "     ", " ### ", "#   #", "#####", "#    ", " ### "],
    "g": ["     ", " ####", "#   #", "#   #", " ####", "    #", " ### "],
    "h": ["#    ", "#    ", "# ## ", "##  #", "#   #", "#   #", "#   #"],
    "l": [" #   ", " #   ", " #   ", " #   ", " #   ", " #   ", "  ## "],
    "n": ["     ", "     ", "# ## ", "##  #", "#   #", "#   #", "#   #"],
    "o": ["     ", "     ", " ### ", "#   #", "#   #", "#   #", " ### "],
    "p": ["     ", "     ", "#### ", "#   #", "#### ", "#    ", "#    "],
    "s": ["     ", "     ", " ####", "#    ", " ### ", "    #", "#### "],
    "t": ["  #  ", "  #  ", " ### ", "  #  ", "  #  ", "  #  ", "   ##"],
    "u": ["     ", "     ", "#   #", "#   #", "#   #", "#  ##", " ## #"],
    "w": ["     ", "     ", "#   #", "#   #", "# # #", "# # #", " # # "],
}


class Canvas:
    def __init__(self, width, height):
        self.width, self.height = width, height
        self.pixels = [[WHITE] * width for _ in range(height)]

    def dot(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.pixels[y][x] = colour

    def line(self, x0, y0, x1, y1, colour, dash=0):
        steps = max(abs(x1 - x0), abs(y1 - y0), 1)
        for i in range(steps + 1):
            if dash and (i // dash) % 2:
                continue
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

    def shape(self, points, fill=STEEL, outline=INK):
        self.fill_polygon(points, fill)
        self.polygon(points, outline)

    def rect(self, left, top, right, bottom, fill=STEEL, outline=INK):
        self.shape([(left, top), (right, top), (right, bottom), (left, bottom)], fill, outline)

    def hatch(self, left, top, right, bottom, colour, step=8):
        """Diagonal hatching inside a rectangle (cut faces, concrete)."""
        for start in range(left - (bottom - top), right, step):
            for i in range(bottom - top + 1):
                x = start + i
                if left <= x <= right:
                    self.dot(x, bottom - i, colour)

    def disc(self, cx, cy, r, fill=WHITE, outline=HOLE):
        for y in range(cy - r - 1, cy + r + 2):
            for x in range(cx - r - 1, cx + r + 2):
                d = math.hypot(x - cx, y - cy)
                if d <= r - 0.5:
                    self.dot(x, y, fill)
                elif d <= r + 0.5:
                    self.dot(x, y, outline)

    def hole(self, cx, cy, r=7):
        self.disc(cx, cy, r)
        self.line(cx - r - 3, cy, cx + r + 3, cy, HOLE)  # centre marks
        self.line(cx, cy - r - 3, cx, cy + r + 3, HOLE)

    def text(self, x, y, letters, colour=DIM, scale=2):
        for letter in letters:
            for row, bits in enumerate(GLYPHS[letter]):
                for col, bit in enumerate(bits):
                    if bit == "#":
                        for dy in range(scale):
                            for dx in range(scale):
                                self.dot(x + col * scale + dx, y + row * scale + dy, colour)
            x += 6 * scale

    def arrow(self, x0, y0, x1, y1, colour=DIM):
        """A dimension line with arrowheads at both ends."""
        self.line(x0, y0, x1, y1, colour)
        angle = math.atan2(y1 - y0, x1 - x0)
        for (x, y, a) in ((x0, y0, angle), (x1, y1, angle + math.pi)):
            for side in (-0.4, 0.4):
                self.line(x, y, round(x + 8 * math.cos(a + side)), round(y + 8 * math.sin(a + side)), colour)

    def hdim(self, x0, x1, y, ref_y, tag):
        """A horizontal dimension between x0 and x1 at height y, with extension
        lines from ref_y and the tag letters above the middle of it."""
        for x in (x0, x1):
            self.line(x, ref_y, x, y + (4 if y > ref_y else -4), DIM)
        self.arrow(x0, y, x1, y)
        self.text((x0 + x1) // 2 - 6 * len(tag) + 1, y - 17, tag)

    def vdim(self, y0, y1, x, ref_x, tag):
        """A vertical dimension between y0 and y1 at x, with extension lines
        from ref_x and the tag letters beside the middle of it."""
        for y in (y0, y1):
            self.line(ref_x, y, x + (4 if x > ref_x else -4), y, DIM)
        self.arrow(x, y0, x, y1)
        self.text(x + 5 if x > ref_x else x - 5 - 12 * len(tag), (y0 + y1) // 2 - 7, tag)

    def thin_vdim(self, y0, y1, x, ref_x, tag):
        """A vertical dimension too small for arrows between its lines: the
        arrows point at the two extension lines from outside."""
        for y in (y0, y1):
            self.line(ref_x, y, x + 4, y, DIM)
        for (tip, tail) in ((y0, y0 - 14), (y1, y1 + 14)):
            self.line(x, tail, x, tip, DIM)
            for side in (-3, 3):
                self.line(x, tip, x + side, tip + (-6 if tail < tip else 6), DIM)
        self.text(x + 6, (y0 + y1) // 2 - 7, tag)

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


def plate_outline(left, top, right, bottom, chamfer):
    return [(left + chamfer, top), (right - chamfer, top), (right, top + chamfer), (right, bottom - chamfer),
            (right - chamfer, bottom), (left + chamfer, bottom), (left, bottom - chamfer), (left, top + chamfer)]


def draw_end_plate():
    """The plate seen from the front: holes, chamfered corners, width and height."""
    c = Canvas(WIDTH, HEIGHT)
    left, top, right, bottom = 70, 30, 190, 250
    c.shape(plate_outline(left, top, right, bottom, 10))
    for y in (65, 110, 170, 215):
        for x in (100, 160):
            c.hole(x, y)
    c.hdim(left, right, bottom + 26, bottom + 3, "w")
    c.vdim(top, bottom, left - 30, left - 3, "h")
    return c


def draw_end_plate_bolts():
    """The bolt pattern on the plate: edge distance, gauge, row offset and pitch."""
    c = Canvas(WIDTH, HEIGHT)
    left, top, right, bottom = 60, 40, 200, 260
    c.shape(plate_outline(left, top, right, bottom, 10))
    cols, rows = (95, 165), (95, 155, 215)
    for y in rows:
        for x in cols:
            c.hole(x, y)
    c.hdim(left, cols[0], top - 14, top - 3, "e")
    c.hdim(cols[0], cols[1], bottom + 22, rows[-1] + 12, "g")
    c.vdim(top, rows[0], left - 22, left - 3, "o")
    c.vdim(rows[0], rows[1], right + 22, cols[1] + 12, "p")
    return c


def draw_fin_plate():
    """Elevation: the column flange at the left, the fin plate welded to it, the
    beam's outline behind the plate; width, height and the weld."""
    c = Canvas(WIDTH, HEIGHT)
    c.rect(30, 10, 52, 290)  # column flange, cut
    c.hatch(30, 10, 52, 290, FAINT)
    c.polygon([(30, 10), (52, 10), (52, 290), (30, 290)], INK)
    top, bottom, left, right = 55, 245, 52, 150
    c.rect(left, top, right, bottom)
    for y in (90, 150, 210):
        c.hole(118, y)
    # The beam's flanges behind the plate, dashed, with the notch clearance gap.
    for y in (40, 260):
        c.line(62, y, 225, y, FAINT, dash=5)
    c.line(62, 40, 62, 260, FAINT, dash=5)
    # Fillet weld along the column face.
    for y in range(top, bottom + 1, 6):
        c.line(left + 1, y, left + 6, y - 5, WELD)
    c.text(left + 8, bottom - 22, "a", WELD)
    c.hdim(left, right, bottom + 28, bottom + 3, "w")
    c.vdim(top, bottom, right + 60, right + 3, "h")
    # The plate's thickness in a small plan view above the elevation.
    c.rect(left, 16, right, 26)
    c.thin_vdim(16, 26, right + 20, right + 3, "t")
    return c


def draw_fin_bolts():
    """The bolt line on the fin plate: edge distance, end distance and pitch."""
    c = Canvas(WIDTH, HEIGHT)
    c.rect(30, 10, 52, 290)
    c.hatch(30, 10, 52, 290, FAINT)
    c.polygon([(30, 10), (52, 10), (52, 290), (30, 290)], INK)
    top, bottom, left, right = 50, 250, 52, 160
    c.rect(left, top, right, bottom)
    holes = (95, 150, 205)
    for y in holes:
        c.hole(120, y)
    c.hdim(120, right, bottom + 24, holes[-1] + 12, "e")
    c.vdim(top, holes[0], right + 26, right + 3, "n")
    c.vdim(holes[0], holes[1], right + 56, 132, "p")
    return c


def draw_base_plate():
    """Plan view: the plate, the column's H section standing on it and the
    four anchor holes; width and length."""
    c = Canvas(WIDTH, HEIGHT)
    left, top, right, bottom = 50, 40, 230, 240
    c.rect(left, top, right, bottom)
    # The column section, cut: two flanges and the web.
    cx, cy = (left + right) // 2, (top + bottom) // 2
    section = [(cx - 45, cy - 55), (cx + 45, cy - 55), (cx + 45, cy - 45), (cx + 4, cy - 45), (cx + 4, cy + 45),
               (cx + 45, cy + 45), (cx + 45, cy + 55), (cx - 45, cy + 55), (cx - 45, cy + 45), (cx - 4, cy + 45),
               (cx - 4, cy - 45), (cx - 45, cy - 45)]
    c.shape(section, (120, 130, 145))
    # The weld around the section's outline.
    c.polygon([(x + (2 if x > cx else -2), y + (2 if y > cy else -2)) for x, y in section], WELD)
    c.text(cx + 9, cy - 20, "a", WELD)
    for x in (left + 30, right - 30):
        for y in (top + 30, bottom - 30):
            c.disc(x, y, 9)
    c.hdim(left, right, bottom + 24, bottom + 3, "w")
    c.vdim(top, bottom, left - 24, left - 3, "l")
    return c


def draw_anchor_bolts():
    """Elevation: the column on its plate and shims, the concrete below and the
    anchors cast into it; edge distance and embedment."""
    c = Canvas(WIDTH, HEIGHT)
    c.rect(20, 140, 250, 290, CONCRETE, FAINT)  # concrete
    c.hatch(20, 141, 250, 289, (170, 170, 170), step=12)
    c.line(20, 140, 250, 140, INK)
    left, right = 45, 225
    c.rect(left, 126, right, 134, (180, 180, 180))  # shims
    c.text(right + 6, 122, "s")
    c.rect(left, 110, right, 126)  # plate
    cx = (left + right) // 2
    c.rect(cx - 45, 10, cx + 45, 110)  # the column's flange, seen from the side
    for x in (left + 30, right - 30):
        c.rect(x - 4, 96, x + 4, 250, (110, 110, 110))
        c.rect(x - 10, 100, x + 10, 110, (110, 110, 110))  # nut
    c.hdim(left, left + 30, 70, 100, "e")
    c.vdim(140, 250, right + 26, right - 26, "u")
    return c


def row(index, label, name, control=VAR_EDIT, combo=""):
    """A label and its variable control on row `index` of the right column."""
    top = 0.12 + index * 0.11
    bottom = round(top + 0.08, 4)
    return [(LABEL, 0.5, top, 0.75, bottom, label, ""), (control, 0.76, top, 0.96, bottom, name, combo)]


def with_group(title, rows):
    controls = [(GROUP, 0.48, 0.02, 0.98, round(0.14 + len(rows) * 0.11, 4), title, "")]
    for index, entry in enumerate(rows):
        controls += row(index, *entry)
    return controls


DESIGNS = {
    "EndPlate\\EndPlate": (draw_end_plate, with_group("End plate", [
        ("Thickness:", "Thickness", VAR_COMBO, THICKNESS_LIST), ("Width w:", "Width"), ("Height h:", "Height"),
        ("Top extension:", "TopExtension"), ("Bottom extension:", "BottomExtension"),
        ("Weld:", "Weld", VAR_COMBO, WELD_LIST), ("Plate area:", "PlateArea")])),
    "EndPlate\\Bolts": (draw_end_plate_bolts, with_group("Bolts", [
        ("Bolt set:", "", BOLT_COMBO), ("Columns:", "", BOLT_COUNT1), ("Rows:", "", BOLT_COUNT2),
        ("Edge distance e:", "EdgeDistance"), ("Gauge g:", "Gauge"), ("Pitch p:", "Pitch"),
        ("Row offset o:", "RowOffset")])),
    "FinPlate\\FinPlate": (draw_fin_plate, with_group("Fin plate", [
        ("Thickness t:", "Thickness", VAR_COMBO, THICKNESS_LIST), ("Width w:", "Width"), ("Height h:", "Height"),
        ("Weld a:", "Weld", VAR_COMBO, WELD_LIST)])),
    "FinPlate\\FinBolts": (draw_fin_bolts, with_group("Bolts", [
        ("Bolt set:", "", BOLT_COMBO), ("Bolts:", "", BOLT_COUNT1), ("Edge distance e:", "EdgeDistance"),
        ("End distance n:", "EndDistance"), ("Pitch p:", "Pitch")])),
    "BasePlate\\BasePlate": (draw_base_plate, with_group("Base plate", [
        ("Thickness:", "Thickness", VAR_COMBO, THICKNESS_LIST), ("Width w:", "Width"), ("Length l:", "Length"),
        ("Weld a:", "Weld", VAR_COMBO, WELD_LIST)])),
    "BasePlate\\AnchorBolts": (draw_anchor_bolts, with_group("Anchors", [
        ("Bolt set:", "", BOLT_COMBO), ("Edge distance e:", "EdgeDistance"), ("Embedment u:", "Embedment")])),
    "BasePlate\\Shims": (draw_anchor_bolts, with_group("Shims", [
        ("Shim thickness s:", "ShimThickness"), ("Number of shims:", "ShimCount")])),
}


def number(value):
    """A factor as the designer writes it: the shortest text that reads back."""
    text = repr(round(value, 4))
    return text[:-2] if text.endswith(".0") else text


def design_text(controls):
    lines = ["VtxProperties version 1", "nrOfControls=%d" % len(controls)]
    for i, (kind, x0, y0, x1, y1, contents, combo) in enumerate(controls):
        lines += ["type%d=%d" % (i, kind), "topLeftX%d=%s" % (i, number(x0)), "topLeftY%d=%s" % (i, number(y0)),
                  "bottomRightX%d=%s" % (i, number(x1)), "bottomRightY%d=%s" % (i, number(y1)),
                  "contents%d=%s" % (i, contents), "comboList%d=%s" % (i, combo)]
    return "\r\n".join(lines) + "\r\n"


def main():
    library = sys.argv[1] if len(sys.argv) > 1 else "sample/library"
    root = os.path.join(library, "Dialog Templates", "Dialog Design")
    for name, (draw, controls) in DESIGNS.items():
        base = os.path.join(root, *name.split("\\"))
        os.makedirs(os.path.dirname(base), exist_ok=True)
        with open(base + ".bmp", "wb") as f:
            f.write(draw().bmp())
        with open(base + ".txt", "w", newline="") as f:
            f.write(design_text(controls))


if __name__ == "__main__":
    main()
