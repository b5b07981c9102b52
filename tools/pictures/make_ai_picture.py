#!/usr/bin/python3
"""Draws data/ai-1.bmp, the picture the Artificial intelligence module shows at its start.

What it draws: on a night-blue ground, at the left a wheel of twelve sectors with eleven points
on its rim (the Sun, the Moon, the planets and the IC at fixed longitudes), joined by a web of
lines whose brightness stands for how strongly two points resonate, the way a pattern is held
as a whole; at the right a search chart: a time axis, a dashed limit line and a wavy similarity
curve, with small squares on the peaks that rise above the limit and thin marks where the
known events lie. Everything is computed here from fixed numbers; no outside images or fonts.

Run with Debian's interpreter (needs python3-pil):
    /usr/bin/python3 tools/pictures/make_ai_picture.py [output-dir]
"""

import math
import os
import sys

from PIL import Image, ImageChops, ImageDraw, ImageFilter

WIDTH, HEIGHT = 1024, 576
SCALE = 2  # drawn at twice the size, then reduced: smooth edges

# Longitudes (degrees) and colours of the eleven points on the wheel.
POINTS = [
    (12.0, (255, 210, 60)),    # Sun
    (75.0, (220, 220, 235)),   # Moon
    (31.0, (180, 200, 255)),   # Mercury
    (318.0, (120, 255, 160)),  # Venus
    (140.0, (255, 90, 70)),    # Mars
    (200.0, (255, 170, 90)),   # Jupiter
    (255.0, (200, 180, 140)),  # Saturn
    (100.0, (110, 230, 255)),  # Uranus
    (280.0, (90, 140, 255)),   # Neptune
    (170.0, (190, 120, 255)),  # Pluto
    (230.0, (240, 240, 240)),  # IC
]


def s(v):
    return int(round(v * SCALE))


def background():
    w, h = s(WIDTH), s(HEIGHT)
    gradient = Image.linear_gradient("L").resize((w, h))
    top = Image.new("RGB", (w, h), (8, 12, 40))
    bottom = Image.new("RGB", (w, h), (20, 36, 90))
    return Image.composite(bottom, top, gradient)


def resonance(a, b):
    """A harmony-like weight of two longitudes: strong near 0, 120 and 180 degrees apart."""
    d = abs(a - b) % 360.0
    d = min(d, 360.0 - d)
    return max(abs(math.cos(math.radians(d) * 1.5)), 0.0)


def draw_wheel(img):
    d = ImageDraw.Draw(img, "RGBA")
    cx, cy, r = 270, 288, 215
    d.ellipse([s(cx - r), s(cy - r), s(cx + r), s(cy + r)], outline=(150, 170, 230, 255),
              width=s(3))
    d.ellipse([s(cx - r + 28), s(cy - r + 28), s(cx + r - 28), s(cy + r - 28)],
              outline=(90, 110, 180, 255), width=s(2))
    for k in range(12):
        a = math.radians(k * 30.0)
        x1, y1 = cx + (r - 28) * math.cos(a), cy - (r - 28) * math.sin(a)
        x2, y2 = cx + r * math.cos(a), cy - r * math.sin(a)
        d.line([s(x1), s(y1), s(x2), s(y2)], fill=(150, 170, 230, 255), width=s(2))
    ring = r - 46
    pos = []
    for lon, colour in POINTS:
        a = math.radians(lon)
        pos.append((cx + ring * math.cos(a), cy - ring * math.sin(a), lon, colour))
    for i in range(len(pos)):
        for j in range(i + 1, len(pos)):
            w = resonance(pos[i][2], pos[j][2])
            alpha = int(40 + 200 * w * w)
            d.line([s(pos[i][0]), s(pos[i][1]), s(pos[j][0]), s(pos[j][1])],
                   fill=(120, 200, 255, alpha), width=s(1 + 2 * w))
    for x, y, _, colour in pos:
        d.ellipse([s(x - 9), s(y - 9), s(x + 9), s(y + 9)], fill=colour + (255,),
                  outline=(255, 255, 255, 255), width=s(1))
    d.ellipse([s(cx - 14), s(cy - 14), s(cx + 14), s(cy + 14)], fill=(60, 90, 170, 255),
              outline=(200, 220, 255, 255), width=s(2))


def similarity(t):
    """A wavy curve in 0..1 with a few clear peaks."""
    v = 0.45 + 0.22 * math.sin(t * 9.0) + 0.14 * math.sin(t * 23.0 + 1.0)
    v += 0.28 * math.exp(-((t - 0.31) / 0.025) ** 2) + 0.24 * math.exp(-((t - 0.77) / 0.03) ** 2)
    return max(0.0, min(1.0, v))


def draw_search_chart(img):
    d = ImageDraw.Draw(img, "RGBA")
    x0, x1, y0, y1 = 560, 990, 90, 486
    d.rectangle([s(x0), s(y0), s(x1), s(y1)], fill=(255, 255, 255, 28),
                outline=(200, 210, 240, 255), width=s(2))
    for k in range(1, 8):
        x = x0 + (x1 - x0) * k / 8
        d.line([s(x), s(y1 - 8), s(x), s(y1)], fill=(200, 210, 240, 255), width=s(2))
    for t in (0.12, 0.31, 0.55, 0.77):
        x = x0 + (x1 - x0) * t
        d.line([s(x), s(y0), s(x), s(y1)], fill=(255, 255, 255, 90), width=s(1))
    limit = 0.78
    ly = y1 - (y1 - y0) * limit
    x = x0
    while x < x1:
        d.line([s(x), s(ly), s(min(x + 10, x1)), s(ly)], fill=(120, 160, 255, 255), width=s(2))
        x += 18
    pts = []
    n = 400
    for k in range(n + 1):
        t = k / n
        pts.append((x0 + (x1 - x0) * t, y1 - (y1 - y0) * similarity(t) * 0.95, similarity(t)))
    d.line([(s(px), s(py)) for px, py, _ in pts], fill=(0, 255, 255, 255), width=s(3))
    for k in range(0, n + 1, 4):
        px, py, v = pts[k]
        if v * 0.95 > limit:
            d.rectangle([s(px - 3), s(py - 3), s(px + 3), s(py + 3)], fill=(255, 80, 80, 255))


def main():
    out_dir = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        os.path.dirname(os.path.abspath(__file__)), "..", "..", "data")
    img = background()
    # A soft glow under the wheel: the wheel drawn on black, blurred and screened onto the ground.
    glow = Image.new("RGB", img.size, (0, 0, 0))
    draw_wheel(glow)
    img = ImageChops.screen(img, glow.filter(ImageFilter.GaussianBlur(s(8))))
    draw_wheel(img)
    draw_search_chart(img)
    img = img.resize((WIDTH, HEIGHT), Image.LANCZOS)
    img.save(os.path.join(out_dir, "ai-1.bmp"))


if __name__ == "__main__":
    main()
