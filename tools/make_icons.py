#!/usr/bin/env python3
"""Draws the modeller's toolbar icons (16 x 15) and its program icon (32 x 32) as PNG files.

Standard library only: the pictures are drawn with a few primitives and written with zlib
and struct. Run from anywhere; writes into resources/icons of the repository:

    python3 tools/make_icons.py
"""

import os

from png_image import encode_png, inside

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
OUT = os.path.join(ROOT, "resources", "icons")

BLACK = (0, 0, 0)
DARK = (64, 64, 64)
GREY = (128, 128, 128)
LIGHT = (192, 192, 192)
WHITE = (255, 255, 255)
YELLOW = (255, 255, 0)
OLIVE = (128, 128, 0)
NAVY = (0, 0, 128)
BLUE = (0, 0, 255)
RED = (255, 0, 0)
MAROON = (128, 0, 0)
TEAL = (0, 128, 128)
CYAN = (0, 255, 255)
GREEN = (0, 160, 0)
BROWN = (150, 90, 30)


class Canvas:
    def __init__(self, width, height):
        self.width, self.height = width, height
        self.px = [[None] * width for _ in range(height)]

    def put(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.px[y][x] = colour

    def rect(self, x0, y0, x1, y1, fill=None, edge=None):
        """Inclusive corners."""
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                border = x in (x0, x1) or y in (y0, y1)
                if border and edge is not None:
                    self.put(x, y, edge)
                elif fill is not None:
                    self.put(x, y, fill)

    def line(self, x0, y0, x1, y1, colour):
        dx, dy = abs(x1 - x0), -abs(y1 - y0)
        sx, sy = (1 if x0 < x1 else -1), (1 if y0 < y1 else -1)
        err = dx + dy
        while True:
            self.put(x0, y0, colour)
            if (x0, y0) == (x1, y1):
                return
            e2 = 2 * err
            if e2 >= dy:
                err += dy
                x0 += sx
            if e2 <= dx:
                err += dx
                y0 += sy

    def polygon(self, points, fill=None, edge=None):
        if fill is not None:
            ys = [p[1] for p in points]
            for y in range(min(ys), max(ys) + 1):
                for x in range(self.width):
                    if inside(points, x + 0.5, y + 0.5):
                        self.put(x, y, fill)
        if edge is not None:
            for i, (x0, y0) in enumerate(points):
                x1, y1 = points[(i + 1) % len(points)]
                self.line(x0, y0, x1, y1, edge)

    def disc(self, cx, cy, r, fill=None, edge=None, gap=None):
        """A filled circle and/or its ring; gap skips ring pixels for which gap(x, y) holds."""
        for y in range(self.height):
            for x in range(self.width):
                d = ((x - cx) ** 2 + (y - cy) ** 2) ** 0.5
                if edge is not None and r - 0.5 <= d < r + 0.5:
                    if gap is None or not gap(x, y):
                        self.put(x, y, edge)
                elif fill is not None and d < r - 0.5:
                    self.put(x, y, fill)

    def png(self):
        return encode_png(self.width, self.height, self.px)


def tool():
    return Canvas(16, 15)


def icon_open():
    c = tool()
    c.polygon([(0, 3), (4, 3), (5, 4), (11, 4), (11, 12), (0, 12)], fill=YELLOW, edge=BLACK)
    c.polygon([(3, 7), (15, 7), (12, 12), (0, 12)], fill=OLIVE, edge=BLACK)
    # The arrow of opening.
    c.line(9, 1, 12, 0, BLACK)
    c.line(12, 0, 14, 2, BLACK)
    c.line(14, 2, 14, 4, BLACK)
    c.line(13, 3, 15, 3, BLACK)
    return c


def icon_save():
    c = tool()
    c.rect(1, 0, 14, 14, fill=NAVY, edge=BLACK)
    c.rect(3, 1, 12, 7, fill=WHITE)
    c.line(4, 3, 11, 3, LIGHT)
    c.line(4, 5, 11, 5, LIGHT)
    c.rect(4, 10, 11, 14, fill=LIGHT, edge=BLACK)
    c.rect(9, 11, 10, 13, fill=NAVY)
    return c


def icon_cut():
    c = tool()
    c.line(4, 0, 9, 8, BLACK)
    c.line(11, 0, 6, 8, BLACK)
    c.put(7, 6, GREY)
    c.disc(4, 11, 2.5, edge=NAVY)
    c.disc(11, 11, 2.5, edge=NAVY)
    return c


def page(c, x0, y0, x1, y1):
    c.rect(x0, y0, x1, y1, fill=WHITE, edge=BLACK)
    for y in range(y0 + 2, y1 - 1, 2):
        c.line(x0 + 2, y, x1 - 2, y, GREY)


def icon_copy():
    c = tool()
    page(c, 0, 0, 8, 9)
    page(c, 6, 4, 14, 14)
    return c


def icon_paste():
    c = tool()
    c.rect(0, 2, 11, 14, fill=OLIVE, edge=BLACK)
    c.rect(3, 0, 8, 3, fill=LIGHT, edge=BLACK)
    page(c, 6, 6, 15, 14)
    return c


def icon_plane_paint():
    c = tool()
    corners = [(0, 13), (4, 7), (15, 7), (11, 13)]
    c.polygon(corners, fill=CYAN, edge=TEAL)
    for x in (4, 8):
        c.line(x, 13, x + 4, 7, TEAL)
    c.line(2, 10, 13, 10, TEAL)
    # A brush over the plane, its tip wet with red.
    c.line(14, 0, 9, 5, BROWN)
    c.line(15, 1, 10, 6, BROWN)
    c.rect(7, 6, 8, 7, fill=RED)
    c.put(6, 8, RED)
    c.put(7, 8, RED)
    return c


def icon_refresh():
    c = tool()
    # A ring open at its upper right, its right end turned into an arrowhead.
    open_part = lambda x, y: x >= 8 and y < 7
    c.disc(7.5, 7.5, 5.5, edge=GREEN, gap=open_part)
    c.disc(7.5, 7.5, 4.5, edge=GREEN, gap=open_part)
    c.polygon([(10, 7), (15, 7), (12, 3)], fill=GREEN, edge=GREEN)
    return c


def icon_display():
    c = tool()
    c.rect(0, 0, 15, 11, fill=LIGHT, edge=BLACK)
    c.rect(2, 2, 13, 9, fill=NAVY)
    # A small wire cube on the screen.
    c.rect(5, 4, 9, 8, edge=WHITE)
    c.line(5, 4, 7, 3, WHITE)
    c.line(9, 4, 11, 3, WHITE)
    c.line(11, 3, 11, 6, WHITE)
    c.line(9, 8, 11, 6, WHITE)
    c.line(7, 3, 11, 3, WHITE)
    c.rect(5, 12, 10, 12, fill=GREY)
    c.rect(3, 13, 12, 14, fill=LIGHT, edge=BLACK)
    return c


def icon_camera():
    c = tool()
    c.rect(0, 4, 15, 13, fill=DARK, edge=BLACK)
    c.rect(3, 2, 7, 4, fill=DARK, edge=BLACK)
    c.rect(12, 5, 13, 6, fill=WHITE)
    c.disc(7.5, 9, 3.5, fill=TEAL, edge=LIGHT)
    c.put(6, 8, WHITE)
    return c


def icon_light():
    c = tool()
    c.disc(7.5, 5.5, 4.5, fill=YELLOW, edge=BLACK)
    c.rect(5, 10, 10, 14, fill=GREY, edge=BLACK)
    c.line(6, 12, 9, 12, BLACK)
    c.put(6, 4, WHITE)
    c.put(6, 3, WHITE)
    c.put(0, 5, OLIVE)
    c.put(1, 5, OLIVE)
    c.put(14, 5, OLIVE)
    c.put(15, 5, OLIVE)
    c.put(1, 0, OLIVE)
    c.put(14, 0, OLIVE)
    return c


def icon_vector():
    c = tool()
    # Axes from an origin at the lower left, and a red vector leaving it.
    c.line(2, 13, 2, 1, BLACK)
    c.line(2, 13, 14, 13, BLACK)
    c.polygon([(0, 3), (2, 0), (4, 3)], fill=BLACK, edge=BLACK)
    c.polygon([(12, 11), (15, 13), (12, 15)], fill=BLACK, edge=BLACK)
    c.line(2, 13, 11, 4, RED)
    c.line(3, 13, 12, 4, RED)
    c.polygon([(13, 2), (13, 7), (8, 2)], fill=RED, edge=RED)
    return c


def icon_program():
    c = Canvas(32, 32)
    top = [(16, 3), (29, 9), (16, 15), (3, 9)]
    left = [(3, 9), (16, 15), (16, 29), (3, 23)]
    right = [(16, 15), (29, 9), (29, 23), (16, 29)]
    c.polygon(left, fill=(40, 90, 200), edge=BLACK)
    c.polygon(right, fill=(20, 50, 130), edge=BLACK)
    c.polygon(top, fill=(120, 170, 255), edge=BLACK)
    # Point markers on the visible corners, as the modeller shows points.
    for x, y in [(16, 3), (29, 9), (16, 15), (3, 9), (3, 23), (16, 29), (29, 23)]:
        c.rect(x - 1, y - 1, x + 1, y + 1, fill=YELLOW)
    return c


def main():
    toolbar = {
        "open": icon_open, "save": icon_save, "cut": icon_cut, "copy": icon_copy,
        "paste": icon_paste, "plane_paint": icon_plane_paint, "refresh": icon_refresh,
        "display": icon_display, "camera": icon_camera, "light": icon_light,
        "vector": icon_vector,
    }
    os.makedirs(os.path.join(OUT, "toolbar"), exist_ok=True)
    for name, draw in toolbar.items():
        with open(os.path.join(OUT, "toolbar", name + ".png"), "wb") as f:
            f.write(draw().png())
    with open(os.path.join(OUT, "mokkel.png"), "wb") as f:
        f.write(icon_program().png())


if __name__ == "__main__":
    main()
