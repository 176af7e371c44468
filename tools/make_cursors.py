#!/usr/bin/env python3
"""Draws the modeller view's mouse cursors (32 x 32) and the face screen's status icon strip
(80 x 16) as RGBA PNG files.

Standard library only; run from anywhere, it writes into resources/ of the repository:

    python3 tools/make_cursors.py

Every shape is drawn in light colours and then ringed with a one-pixel dark outline, so it
reads on white and on black. A cursor's hot spot is stored in its PNG as the text chunk
"HotSpot" = "x,y", which the view's cursor loader reads, so the pictures and their hot spots
cannot drift apart. The hot spots:

    cursors/pick_point.png   0, 0   arrow tip (pick mode over the point screen)
    cursors/pick_face.png    0, 0   arrow tip (pick mode over the face screen)
    cursors/camera.png      15, 15  centre of the four arrows (camera modes)
    cursors/gaze.png        15, 15  the pupil (choosing a point to gaze at)
    cursors/orbit.png       15, 15  the gazed point inside the circling arrows
    cursors/vertex.png       0, 0   arrow tip (vertex picking)
    cursors/face.png         0, 0   arrow tip (face picking)
    cursors/plane_paint.png  2, 29  the tip of the brush
    cursors/move_points.png 16, 16  the palm of the hand

Before anything is written every picture is checked: its size, its hot spot on a drawn pixel,
no light pixel left without outline, and each strip cell kept inside its cell.
"""

import math
import os
import sys

from png_image import encode_png, inside

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
OUT = os.path.join(ROOT, "resources")

OUTLINE = (16, 16, 16)
WHITE = (255, 255, 255)
GREY = (150, 150, 150)
LIGHT = (200, 200, 200)
PALE = (225, 225, 225)
CHECK_DARK = (50, 50, 50)
RED = (230, 40, 30)
OWN = (240, 110, 20)  # a face's own colour, set apart from the grey by hue and brightness
FACE_BLUE = (70, 150, 255)
IRIS = (40, 110, 210)
YELLOW = (255, 220, 40)
WOOD = (205, 135, 60)
BRISTLE = (225, 190, 120)
METAL = (185, 190, 200)
SKIN = (255, 225, 190)
MARKER = (0, 110, 235)

CURSOR_SIZE = 32


class Canvas:
    def __init__(self, width, height):
        self.width, self.height = width, height
        self.px = [[None] * width for _ in range(height)]

    def inside_bounds(self, x, y):
        return 0 <= x < self.width and 0 <= y < self.height

    def put(self, x, y, colour):
        if self.inside_bounds(x, y):
            self.px[y][x] = colour

    def get(self, x, y):
        return self.px[y][x] if self.inside_bounds(x, y) else None

    def rect(self, x0, y0, x1, y1, colour):
        """Inclusive corners."""
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.put(x, y, colour)

    def fill_where(self, test, colour):
        """Sets every pixel whose centre satisfies test(x + 0.5, y + 0.5)."""
        for y in range(self.height):
            for x in range(self.width):
                if test(x + 0.5, y + 0.5):
                    self.put(x, y, colour)

    def polygon(self, points, colour):
        self.fill_where(lambda x, y: inside(points, x, y), colour)

    def disc(self, cx, cy, r, colour):
        self.fill_where(lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 < r * r, colour)

    def art(self, x0, y0, rows, palette):
        """Pixel art: one string per row, each character a key of palette, space left alone."""
        for dy, row in enumerate(rows):
            for dx, ch in enumerate(row):
                if ch != " ":
                    self.put(x0 + dx, y0 + dy, palette[ch])

    def outline(self, colour=OUTLINE):
        """Rings every drawn pixel: each empty pixel beside one (left, right, above, below)
        takes the outline colour."""
        ring = []
        for y in range(self.height):
            for x in range(self.width):
                if self.px[y][x] is None and any(
                        self.get(x + dx, y + dy) not in (None, colour)
                        for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1))):
                    ring.append((x, y))
        for x, y in ring:
            self.px[y][x] = colour

    def png(self, texts=()):
        return encode_png(self.width, self.height, self.px, texts)


# The usual pointer, its outline drawn in: hot spot at its tip (0, 0).
ARROW = [
    "X",
    "XX",
    "X.X",
    "X..X",
    "X...X",
    "X....X",
    "X.....X",
    "X......X",
    "X.......X",
    "X........X",
    "X.........X",
    "X......XXXXX",
    "X...X..X",
    "X..XX..X",
    "X.X  X..X",
    "XX   X..X",
    "X     X..X",
    "      X..X",
    "       XX",
]


def arrow_cursor():
    c = Canvas(CURSOR_SIZE, CURSOR_SIZE)
    c.art(0, 0, ARROW, {"X": OUTLINE, ".": WHITE})
    return c


def arrowhead(c, cx, cy, direction, length, colour):
    """A 45-degree head whose tip is at (cx, cy), pointing "up", "down", "left" or "right"."""
    for k in range(length):
        for s in range(-k, k + 1):
            x, y = {"up": (cx + s, cy + k), "down": (cx + s, cy - k),
                    "left": (cx + k, cy + s), "right": (cx - k, cy + s)}[direction]
            c.put(x, y, colour)


def sheet(c, x0, y0, x1, y1):
    """A small table of text rows: the edit screen under the pointer."""
    c.rect(x0, y0, x1, y1, WHITE)
    for y in range(y0 + 2, y1 - 1, 3):
        c.rect(x0 + 2, y, x1 - 2, y, GREY)


def cursor_pick_point():
    c = arrow_cursor()
    sheet(c, 14, 12, 26, 26)
    c.disc(25.5, 25.5, 4.5, OUTLINE)
    c.disc(25.5, 25.5, 3.5, RED)
    c.outline()
    return c, (0, 0)


def cursor_pick_face():
    c = arrow_cursor()
    sheet(c, 14, 12, 26, 26)
    c.polygon([(25.5, 17), (31.5, 30.5), (19.5, 30.5)], OUTLINE)
    c.polygon([(25.5, 19.5), (30, 29.5), (21, 29.5)], FACE_BLUE)
    c.outline()
    return c, (0, 0)


def cursor_vertex():
    c = arrow_cursor()
    c.disc(22.5, 22.5, 5, RED)
    c.put(21, 20, WHITE)  # a glint, so the dot reads as a point rather than a hole
    c.put(20, 21, WHITE)
    c.outline()
    return c, (0, 0)


def cursor_face():
    c = arrow_cursor()
    c.polygon([(22.5, 13.5), (30.5, 29.5), (14.5, 29.5)], FACE_BLUE)
    c.outline()
    return c, (0, 0)


def cursor_camera():
    c = Canvas(CURSOR_SIZE, CURSOR_SIZE)
    c.rect(14, 6, 16, 24, WHITE)
    c.rect(6, 14, 24, 16, WHITE)
    arrowhead(c, 15, 1, "up", 6, WHITE)
    arrowhead(c, 15, 29, "down", 6, WHITE)
    arrowhead(c, 1, 15, "left", 6, WHITE)
    arrowhead(c, 29, 15, "right", 6, WHITE)
    c.put(15, 15, OUTLINE)
    c.outline()
    return c, (15, 15)


def cursor_gaze():
    c = Canvas(CURSOR_SIZE, CURSOR_SIZE)
    # An almond-shaped eye with the crosshair's arms outside it.
    half = 8.5

    def eye(x, y):
        t = (x - 15.5) / half
        return abs(t) < 1 and abs(y - 15.5) < 5.5 * (1 - t * t)

    c.fill_where(eye, WHITE)
    c.disc(15.5, 15.5, 3.6, IRIS)
    c.rect(14, 14, 16, 16, OUTLINE)
    c.put(14, 14, WHITE)  # the glint on the pupil
    c.rect(15, 1, 15, 7, WHITE)
    c.rect(15, 23, 15, 29, WHITE)
    c.rect(1, 15, 4, 15, WHITE)
    c.rect(26, 15, 29, 15, WHITE)
    c.outline()
    return c, (15, 15)


def cursor_orbit():
    c = Canvas(CURSOR_SIZE, CURSOR_SIZE)
    cx = cy = 15.5
    r = 10.0
    # Two arcs chasing each other clockwise round the gazed point (y runs down, so a growing
    # angle turns clockwise on screen).
    arcs = [(200, 322), (20, 142)]

    def on_arc(x, y):
        d = math.hypot(x - cx, y - cy)
        if not r - 1.1 <= d <= r + 1.1:
            return False
        a = math.degrees(math.atan2(y - cy, x - cx)) % 360
        return any(a0 <= a <= a1 for a0, a1 in arcs)

    c.fill_where(on_arc, WHITE)
    for _, end in arcs:
        a, tip = math.radians(end), math.radians(end + 26)
        head = [(cx + (r + 4.5) * math.cos(a), cy + (r + 4.5) * math.sin(a)),
                (cx + r * math.cos(tip), cy + r * math.sin(tip)),
                (cx + (r - 4.5) * math.cos(a), cy + (r - 4.5) * math.sin(a))]
        c.polygon(head, WHITE)
    c.rect(14, 14, 16, 16, YELLOW)
    c.put(15, 15, OUTLINE)
    c.outline()
    return c, (15, 15)


def cursor_plane_paint():
    c = Canvas(CURSOR_SIZE, CURSOR_SIZE)
    # Along the brush from its tip at the lower left: u runs up and right, v across it.
    tip = (2.5, 29.5)

    def along(x, y):
        dx, dy = x - tip[0], y - tip[1]
        return (dx - dy) / math.sqrt(2), (dx + dy) / math.sqrt(2)

    def part(u0, u1, w0, w1):
        def test(x, y):
            u, v = along(x, y)
            if not u0 <= u < u1:
                return False
            return abs(v) <= w0 + (w1 - w0) * (u - u0) / (u1 - u0)
        return test

    c.fill_where(part(0, 11, 0.8, 3.6), BRISTLE)
    c.fill_where(part(0, 4, 0.8, 1.9), RED)  # wet paint on the tip
    c.fill_where(part(11, 16, 3.6, 3.6), METAL)
    c.fill_where(part(13, 14, 3.6, 3.6), GREY)
    c.fill_where(part(16, 37, 2.6, 1.8), WOOD)
    c.put(2, 29, RED)
    c.outline()
    return c, (2, 29)


def cursor_move_points():
    c = Canvas(CURSOR_SIZE, CURSOR_SIZE)
    # An open hand: four fingers with one-pixel gaps (the outline fills them), a palm and a
    # thumb, and an arrowhead on each side.
    fingers = [(11, 10), (14, 9), (17, 9), (20, 11)]  # left column, top row
    for x, top in fingers:
        c.rect(x, top + 1, x + 1, 15, SKIN)
        c.rect(x, top, x + 1, top, SKIN)
    c.rect(11, 15, 21, 21, SKIN)
    c.rect(12, 22, 20, 23, SKIN)
    c.polygon([(11, 22), (11, 17.5), (8.6, 14.6), (8, 16), (9.6, 21.5)], SKIN)
    c.rect(13, 18, 13, 19, LIGHT)  # a crease of the palm
    arrowhead(c, 16, 1, "up", 4, WHITE)
    arrowhead(c, 16, 30, "down", 4, WHITE)
    arrowhead(c, 1, 17, "left", 4, WHITE)
    arrowhead(c, 30, 17, "right", 4, WHITE)
    c.outline()
    return c, (16, 16)


CURSORS = {
    "pick_point": cursor_pick_point,
    "pick_face": cursor_pick_face,
    "camera": cursor_camera,
    "gaze": cursor_gaze,
    "orbit": cursor_orbit,
    "vertex": cursor_vertex,
    "face": cursor_face,
    "plane_paint": cursor_plane_paint,
    "move_points": cursor_move_points,
}


def face_icon(fill, textured):
    c = Canvas(16, 16)
    c.polygon([(7.5, 2), (14, 13.5), (1, 13.5)], fill)
    c.outline()
    if textured:
        # A checker patch over the lower right corner, ringed by its own outline.
        c.rect(9, 8, 14, 13, OUTLINE)
        for y in range(9, 13):
            for x in range(10, 14):
                c.put(x, y, WHITE if ((x - 10) // 2 + (y - 9) // 2) % 2 == 0 else CHECK_DARK)
    return c


def face_marker():
    c = Canvas(8, 16)
    c.polygon([(1, 3), (6.5, 8), (1, 13)], MARKER)
    c.outline()
    return c


def face_status_cells():
    """The strip's cells from left to right: icons 0 to 3, then the marker."""
    return [face_icon(GREY, False), face_icon(OWN, False), face_icon(GREY, True),
            face_icon(OWN, True), face_marker()]


def face_status_strip(cells):
    # Each cell is drawn on its own canvas, so no shape can spill into its neighbour.
    strip = Canvas(80, 16)
    x0 = 0
    for cell in cells:
        for y in range(cell.height):
            for x in range(cell.width):
                strip.put(x0 + x, y, cell.px[y][x])
        x0 += cell.width
    return strip


def check_outlined(name, c):
    """No light pixel on the picture's border or beside an empty pixel."""
    for y in range(c.height):
        for x in range(c.width):
            colour = c.px[y][x]
            if colour is None or colour == OUTLINE:
                continue
            for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)):
                if not c.inside_bounds(x + dx, y + dy) or c.get(x + dx, y + dy) is None:
                    raise SystemExit("%s: pixel (%d, %d) has no outline" % (name, x, y))


def check_cursor(name, c, hot):
    if (c.width, c.height) != (CURSOR_SIZE, CURSOR_SIZE):
        raise SystemExit("%s: size %d x %d" % (name, c.width, c.height))
    if not c.inside_bounds(*hot) or c.get(*hot) is None:
        raise SystemExit("%s: hot spot %s is not on the picture" % (name, hot))
    check_outlined(name, c)


def check_strip(cells, strip):
    if [(c.width, c.height) for c in cells] != [(16, 16)] * 4 + [(8, 16)]:
        raise SystemExit("face_status: cells of the wrong size")
    if (strip.width, strip.height) != (80, 16):
        raise SystemExit("face_status: size %d x %d" % (strip.width, strip.height))
    for i, c in enumerate(cells):
        check_outlined("face_status cell %d" % i, c)
        if all(p is None for row in c.px for p in row):
            raise SystemExit("face_status: cell %d is empty" % i)
    if len({bytes(c.png()) for c in cells[:4]}) != 4:
        raise SystemExit("face_status: two status icons look the same")


def main():
    pictures = []
    for name, draw in CURSORS.items():
        c, hot = draw()
        check_cursor(name, c, hot)
        pictures.append((os.path.join("cursors", name + ".png"),
                         c.png([("HotSpot", "%d,%d" % hot)])))
    cells = face_status_cells()
    strip = face_status_strip(cells)
    check_strip(cells, strip)
    pictures.append((os.path.join("icons", "face_status.png"), strip.png()))

    for path, data in pictures:
        full = os.path.join(OUT, path)
        os.makedirs(os.path.dirname(full), exist_ok=True)
        with open(full, "wb") as f:
            f.write(data)
    return 0


if __name__ == "__main__":
    sys.exit(main())
