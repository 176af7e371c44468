#!/usr/bin/env python3
"""Draws the studio's program icon (32 x 32) and its About button (16 x 15) as PNG files; the
other toolbar buttons are the modeller's. Writes into resources/icons:

    python3 tools/make_studio_icons.py
"""

import os

from make_icons import BLACK, NAVY, WHITE, YELLOW, Canvas, OUT


def icon_program():
    c = Canvas(32, 32)
    # A stage floor with two boxes on it and a light above.
    c.polygon([(2, 22), (30, 22), (26, 30), (6, 30)], fill=(150, 90, 30), edge=BLACK)
    c.rect(6, 12, 13, 21, fill=(40, 90, 200), edge=BLACK)
    c.rect(17, 15, 26, 21, fill=(200, 60, 60), edge=BLACK)
    c.disc(16, 5, 3, fill=YELLOW, edge=BLACK)
    return c


def icon_about():
    c = Canvas(16, 15)
    c.disc(7, 7, 6, fill=NAVY, edge=BLACK)
    c.rect(7, 6, 8, 11, fill=WHITE)
    c.rect(7, 3, 8, 4, fill=WHITE)
    return c


def main():
    os.makedirs(os.path.join(OUT, "toolbar"), exist_ok=True)
    with open(os.path.join(OUT, "toolbar", "about.png"), "wb") as f:
        f.write(icon_about().png())
    with open(os.path.join(OUT, "stagora.png"), "wb") as f:
        f.write(icon_program().png())


if __name__ == "__main__":
    main()
