"""What the icon and cursor generators share: PNG encoding of a pixel grid and the
point-in-polygon test. Standard library only."""

import struct
import zlib


def encode_png(width, height, px, texts=()):
    """px: rows of (r, g, b) or None for transparent; texts: (key, value) tEXt chunks."""
    raw = bytearray()
    for row in px:
        raw.append(0)  # no filter
        for c in row:
            raw.extend((0, 0, 0, 0) if c is None else (c[0], c[1], c[2], 255))

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    out = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
    for key, value in texts:
        out += chunk(b"tEXt", key.encode("latin-1") + b"\0" + value.encode("latin-1"))
    out += chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b"")
    return out


def inside(points, x, y):
    result = False
    for i, (x0, y0) in enumerate(points):
        x1, y1 = points[(i + 1) % len(points)]
        if (y0 > y) != (y1 > y) and x < x0 + (y - y0) * (x1 - x0) / (y1 - y0):
            result = not result
    return result
