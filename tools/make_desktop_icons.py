#!/usr/bin/env python3
"""Draws the two programs' desktop icons at the hicolor theme's sizes (16 to 256 pixels).

Mokkel: a faceted solid (three shaded faces of a cube with its wire edges) on a blue tile.
Stagora: a stage floor with a sphere and a box under a light beam on a dark tile.
Shapes are given in a 0..1 square and drawn 4 x 4 supersampled, so every size is smooth.
Standard library only; writes resources/icons/hicolor/<n>x<n>/apps/{mokkel,stagora}.png:

    python3 tools/make_desktop_icons.py
"""

import math
import os

from png_image import inside

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
OUT = os.path.join(ROOT, "resources", "icons", "hicolor")
SIZES = (16, 32, 48, 64, 128, 256)
SUB = 4


def rounded_tile(r):
    """The tile's outline: a square with rounded corners, as a polygon."""
    pts = []
    for cx, cy, start in ((1 - r, 1 - r, 0), (r, 1 - r, 90), (r, r, 180), (1 - r, r, 270)):
        for k in range(9):
            a = math.radians(start + k * 90 / 8)
            pts.append((cx + r * math.cos(a), cy + r * math.sin(a)))
    m = 0.04
    return [(m + x * (1 - 2 * m), m + y * (1 - 2 * m)) for x, y in pts]


def mix(a, b, t):
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))


def thick_line(x0, y0, x1, y1, w):
    dx, dy = x1 - x0, y1 - y0
    n = math.hypot(dx, dy) or 1
    ox, oy = -dy / n * w / 2, dx / n * w / 2
    return [(x0 + ox, y0 + oy), (x1 + ox, y1 + oy), (x1 - ox, y1 - oy), (x0 - ox, y0 - oy)]


def disc(cx, cy, r, n=32):
    return [(cx + r * math.cos(2 * math.pi * k / n), cy + r * math.sin(2 * math.pi * k / n))
            for k in range(n)]


def mokkel_layers(size):
    top, bottom = (86, 140, 220), (34, 70, 150)
    layers = [(rounded_tile(0.2), lambda x, y: mix(top, bottom, y))]
    # A cube seen from above-left: top, left and right faces.
    c, h = (0.5, 0.5), 0.25
    up = (c[0], c[1] - h * 1.15)
    left, right = (c[0] - h * 1.1, c[1] - h * 0.55), (c[0] + h * 1.1, c[1] - h * 0.55)
    down = (c[0], c[1] + 0.02)
    left_b, right_b = (left[0], left[1] + h * 1.2), (right[0], right[1] + h * 1.2)
    down_b = (down[0], down[1] + h * 1.2)
    layers.append(([up, right, down, left], lambda x, y: (250, 226, 140)))
    layers.append(([left, down, down_b, left_b], lambda x, y: (232, 160, 60)))
    layers.append(([down, right, right_b, down_b], lambda x, y: (180, 104, 40)))
    if size >= 32:  # wire edges and vertex dots, as the modeller shows them
        w = 0.022 if size >= 64 else 0.035
        edge = (60, 36, 20)
        for a, b in ((up, right), (right, down), (down, left), (left, up), (down, down_b),
                     (left, left_b), (right, right_b), (left_b, down_b), (down_b, right_b)):
            layers.append((thick_line(*a, *b, w), lambda x, y: edge))
        for p in (up, left, right, down, left_b, right_b, down_b):
            layers.append((disc(p[0], p[1], w * 1.6), lambda x, y: (255, 255, 255)))
    return layers


def stagora_layers(size):
    top, bottom = (70, 60, 110), (24, 20, 44)
    layers = [(rounded_tile(0.2), lambda x, y: mix(top, bottom, y))]
    # The light beam from the top, then the floor, then the objects on it.
    layers.append(([(0.45, 0.14), (0.55, 0.14), (0.84, 0.74), (0.16, 0.74)],
                   lambda x, y: mix((120, 110, 170), (150, 140, 190), y)))
    layers.append(([(0.12, 0.74), (0.88, 0.74), (0.93, 0.88), (0.07, 0.88)],
                   lambda x, y: (200, 170, 120)))
    layers.append(([(0.22, 0.48), (0.46, 0.48), (0.46, 0.76), (0.22, 0.76)],
                   lambda x, y: mix((110, 200, 140), (40, 120, 80), (x - 0.22) / 0.24)))

    def sphere(x, y):
        d = math.hypot(x - 0.6, y - 0.56) / 0.2
        return mix((255, 230, 230), (200, 50, 60), min(1.0, d))

    layers.append((disc(0.66, 0.62, 0.15), sphere))
    layers.append((disc(0.5, 0.14, 0.06 if size >= 32 else 0.08), lambda x, y: (255, 244, 180)))
    return layers


def render(layers, size):
    n = size * SUB
    acc = [[[0.0, 0.0, 0.0, 0] for _ in range(size)] for _ in range(size)]
    boxes = []
    for poly, colour in layers:
        xs, ys = [p[0] for p in poly], [p[1] for p in poly]
        boxes.append((min(xs), max(xs), min(ys), max(ys)))
    for sy in range(n):
        y = (sy + 0.5) / n
        for sx in range(n):
            x = (sx + 0.5) / n
            hit = None
            for (poly, colour), (x0, x1, y0, y1) in zip(layers, boxes):
                if x0 <= x <= x1 and y0 <= y <= y1 and inside(poly, x, y):
                    hit = colour(x, y)
            if hit is None:
                continue
            cell = acc[sy // SUB][sx // SUB]
            for i in range(3):
                cell[i] += hit[i]
            cell[3] += 1
    return acc


def encode(acc, size):
    """Premultiplied coverage into straight RGBA PNG bytes."""
    import struct
    import zlib
    raw = bytearray()
    for row in acc:
        raw.append(0)
        for r, g, b, count in row:
            if count == 0:
                raw.extend((0, 0, 0, 0))
            else:
                raw.extend((round(r / count), round(g / count), round(b / count),
                            round(255 * count / (SUB * SUB))))

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
            chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b""))


def main():
    for size in SIZES:
        folder = os.path.join(OUT, "%dx%d" % (size, size), "apps")
        os.makedirs(folder, exist_ok=True)
        for name, layers in (("mokkel", mokkel_layers), ("stagora", stagora_layers)):
            with open(os.path.join(folder, name + ".png"), "wb") as f:
                f.write(encode(render(layers(size), size), size))


if __name__ == "__main__":
    main()
