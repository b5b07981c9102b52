"""Draws the picture for the summer-time page: a clock at 2 o'clock, an arrow, and the same
clock at 3 o'clock (the clocks are put forward by one hour). Writes an uncompressed 24-bit
bottom-up BMP, the kind the program's picture loader reads.

Usage: /usr/bin/python3 make_sommerzeit_bmp.py [output.bmp]
"""

import math
import os
import struct
import sys

WIDTH, HEIGHT = 320, 140          # a width divisible by 4 needs no row padding
WHITE, FACE, INK, ACCENT = (255, 255, 255), (235, 242, 255), (20, 40, 120), (210, 30, 30)


def segment_distance(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    t = max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy)))
    return math.hypot(px - ax - t * dx, py - ay - t * dy)


def clock_shapes(cx, cy, hour):
    """Line segments (x1, y1, x2, y2, half width, colour) of a clock showing hour:00."""
    shapes = []
    for tick in range(12):
        a = tick * math.pi / 6
        inner = 43 if tick % 3 else 38
        shapes.append((cx + inner * math.sin(a), cy - inner * math.cos(a),
                       cx + 50 * math.sin(a), cy - 50 * math.cos(a), 1.6, INK))
    a = hour * math.pi / 6
    shapes.append((cx, cy, cx + 28 * math.sin(a), cy - 28 * math.cos(a), 3.2, INK))
    shapes.append((cx, cy, cx, cy - 42, 2.0, INK))
    return shapes


def pixel_colour(x, y, clocks, shapes):
    for cx, cy in clocks:
        r = math.hypot(x - cx, y - cy)
        if 54 <= r <= 58:
            return INK
        if r <= 4:
            return ACCENT
    for x1, y1, x2, y2, half, colour in shapes:
        if segment_distance(x, y, x1, y1, x2, y2) <= half:
            return colour
    # arrow head pointing right
    if 168 <= x <= 182 and abs(y - 70) <= (182 - x) * 0.7:
        return ACCENT
    for cx, cy in clocks:
        if math.hypot(x - cx, y - cy) < 54:
            return FACE
    return WHITE


def main():
    target = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        os.path.dirname(os.path.abspath(__file__)), "..", "..", "data", "sommerzeit_uhren.bmp")
    clocks = [(70, 70), (250, 70)]
    shapes = clock_shapes(70, 70, 2) + clock_shapes(250, 70, 3)
    shapes.append((140, 70, 170, 70, 3.0, ACCENT))
    rows = []
    for y in range(HEIGHT - 1, -1, -1):           # bottom row first
        row = bytearray()
        for x in range(WIDTH):
            r, g, b = pixel_colour(x + 0.5, y + 0.5, clocks, shapes)
            row += bytes((b, g, r))
        rows.append(bytes(row))
    pixels = b"".join(rows)
    header = struct.pack("<2sIHHI", b"BM", 54 + len(pixels), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, WIDTH, HEIGHT, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    with open(target, "wb") as f:
        f.write(header + info + pixels)
    print(f"{WIDTH}x{HEIGHT} picture written to {target}")


if __name__ == "__main__":
    main()
