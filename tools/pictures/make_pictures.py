#!/usr/bin/python3
"""Draws the shipped pictures data/solarsystem-1.bmp and data/solarsystem-2.bmp and synthesises
the chime data/Tada.wav. Everything is computed here from a fixed random seed, so every run
gives the same files.

Run with Debian's interpreter (needs python3-pil):
    /usr/bin/python3 tools/pictures/make_pictures.py [output-dir]
"""

import math
import os
import random
import struct
import sys
import wave

from PIL import Image, ImageChops, ImageDraw, ImageFilter

WIDTH, HEIGHT = 1200, 800
SCALE = 2  # drawn at twice the size, then reduced: smooth edges


# ---------------------------------------------------------------------------------------------
# Drawing helpers (all coordinates in final-picture pixels)

def s(v):
    return int(round(v * SCALE))


def space_background(rng, top, bottom):
    w, h = s(WIDTH), s(HEIGHT)
    gradient = Image.linear_gradient("L").resize((w, h))
    img = Image.composite(Image.new("RGB", (w, h), bottom), Image.new("RGB", (w, h), top),
                          gradient)
    # A faint band of the Milky Way: blurred specks along a diagonal.
    band = Image.new("L", (w, h), 0)
    d = ImageDraw.Draw(band)
    for _ in range(9000):
        t = rng.random()
        x = t * w
        y = h * (0.85 - 0.6 * t) + rng.gauss(0, h * 0.07)
        r = rng.uniform(1, 5) * SCALE
        d.ellipse((x - r, y - r, x + r, y + r), fill=rng.randint(20, 60))
    band = band.filter(ImageFilter.GaussianBlur(12 * SCALE))
    img = Image.composite(Image.new("RGB", (w, h), (120, 110, 160)), img, band)
    # Stars of different brightness; a few large ones with a soft halo.
    stars = Image.new("L", (w, h), 0)
    d = ImageDraw.Draw(stars)
    for _ in range(1400):
        x, y = rng.uniform(0, w), rng.uniform(0, h)
        r = rng.choice((0.5, 0.6, 0.8, 1.0, 1.3)) * SCALE
        d.ellipse((x - r, y - r, x + r, y + r), fill=rng.randint(90, 255))
    halo = stars.filter(ImageFilter.GaussianBlur(2 * SCALE))
    stars = ImageChops.lighter(stars, ImageChops.multiply(halo, Image.new("L", (w, h), 160)))
    return Image.composite(Image.new("RGB", (w, h), (255, 250, 235)), img, stars)


def radial(size):
    """A round mask: 255 at the centre, falling linearly to 0 at the inscribed circle."""
    # PIL's radial gradient reaches 255 only in the corners (181 at the edge midpoints).
    g = Image.radial_gradient("L").point(lambda v: 255 - min(255, v * 255 // 181))
    return g.resize((size, size), Image.BILINEAR)


def glow(img, cx, cy, radius, colour, strength=255):
    """Adds a soft round glow of the colour, fading to nothing at the radius."""
    size = max(2, s(2 * radius))
    mask = radial(size).point(lambda v: int(strength * (v / 255.0) ** 2.2))
    layer = Image.new("RGB", (size, size), colour)
    img.paste(layer, (s(cx - radius), s(cy - radius)), mask)


def disc_mask(size):
    mask = Image.new("L", (size, size), 0)
    ImageDraw.Draw(mask).ellipse((0, 0, size - 1, size - 1), fill=255)
    return mask


def sphere(img, cx, cy, r, colour, light_dir, bands=None, rng=None):
    """A shaded planet lit from light_dir (a unit vector in picture coordinates)."""
    size = max(4, s(2 * r))
    lit = tuple(min(255, int(c * 1.25 + 30)) for c in colour)
    dark = tuple(int(c * 0.12) for c in colour)
    body = Image.new("RGB", (size, size), colour)
    if bands:
        d = ImageDraw.Draw(body)
        for offset, thickness, band_colour in bands:
            y = size * (0.5 + offset)
            d.rectangle((0, y - size * thickness / 2, size, y + size * thickness / 2),
                        fill=band_colour)
        body = body.filter(ImageFilter.GaussianBlur(size / 60.0))
    if rng is not None:  # surface mottling
        spots = Image.new("L", (size, size), 0)
        d = ImageDraw.Draw(spots)
        for _ in range(40):
            x, y, rr = rng.uniform(0, size), rng.uniform(0, size), rng.uniform(size / 30, size / 9)
            d.ellipse((x - rr, y - rr, x + rr, y + rr), fill=rng.randint(30, 90))
        spots = spots.filter(ImageFilter.GaussianBlur(size / 40.0))
        body = Image.composite(Image.new("RGB", (size, size), dark), body, spots)
    # Light: a large radial gradient centred toward the light source.
    big = int(size * 2.2)
    light = radial(big).point(lambda v: int(255 * min(1.0, (v / 255.0) * 1.5) ** 1.3))
    ox = int(big / 2 - size / 2 - light_dir[0] * size * 0.45)
    oy = int(big / 2 - size / 2 - light_dir[1] * size * 0.45)
    light = light.crop((ox, oy, ox + size, oy + size))
    shaded = Image.composite(body, Image.new("RGB", (size, size), dark), light)
    highlight = light.point(lambda v: max(0, v - 200) * 3)
    shaded = Image.composite(Image.new("RGB", (size, size), lit), shaded, highlight)
    img.paste(shaded, (s(cx - r), s(cy - r)), disc_mask(size))


def ring(img, cx, cy, inner, outer, flat, colour, alpha, front):
    """The front or back half of a planet's ring system: concentric bands between the inner
    and outer radius, squashed vertically by `flat`."""
    w, h = s(WIDTH), s(HEIGHT)
    mask = Image.new("L", (w, h), 0)
    d = ImageDraw.Draw(mask)
    bands = [(0.00, 0.9), (0.18, 0.6), (0.30, 1.0), (0.62, 0.0), (0.68, 0.8), (0.90, 0.5)]
    for start, strength in bands:  # outermost first, each band painted over by the next
        a = outer - (outer - inner) * start
        d.ellipse((s(cx - a), s(cy - a * flat), s(cx + a), s(cy + a * flat)),
                  fill=int(alpha * strength))
    d.ellipse((s(cx - inner), s(cy - inner * flat), s(cx + inner), s(cy + inner * flat)), fill=0)
    clip = Image.new("L", (w, h), 0)
    ImageDraw.Draw(clip).rectangle((0, s(cy) if front else 0, w, h if front else s(cy)), fill=255)
    mask = ImageChops.multiply(mask, clip)
    img.paste(Image.new("RGB", (w, h), colour), (0, 0), mask)


def orbit(img, cx, cy, rx, ry, colour=(120, 140, 190), alpha=90):
    w, h = s(WIDTH), s(HEIGHT)
    mask = Image.new("L", (w, h), 0)
    ImageDraw.Draw(mask).ellipse((s(cx - rx), s(cy - ry), s(cx + rx), s(cy + ry)), outline=alpha,
                                 width=max(1, SCALE))
    img.paste(Image.new("RGB", (w, h), colour), (0, 0), mask)


def unit(dx, dy):
    n = math.hypot(dx, dy) or 1.0
    return dx / n, dy / n


# Planet looks: radius in the top view, colour, cloud bands.
PLANETS = [
    ("Mercury", 5, (160, 150, 140), None),
    ("Venus", 9, (225, 190, 130), None),
    ("Earth", 10, (60, 120, 200), None),
    ("Mars", 7, (200, 90, 50), None),
    ("Jupiter", 26, (205, 165, 120),
     [(-0.25, 0.08, (170, 120, 80)), (-0.05, 0.06, (230, 200, 160)), (0.15, 0.09, (160, 110, 75)),
      (0.33, 0.05, (215, 180, 140))]),
    ("Saturn", 21, (220, 195, 140),
     [(-0.2, 0.07, (195, 170, 115)), (0.1, 0.08, (235, 215, 165))]),
    ("Uranus", 14, (150, 215, 225), None),
    ("Neptune", 13, (70, 110, 220), [(0.1, 0.1, (60, 95, 200))]),
]


def solar_system_top(rng):
    """The planets on their orbits around the Sun, seen slightly from above."""
    img = space_background(rng, (8, 12, 40), (0, 0, 8))
    sun_x, sun_y = 330, 430
    glow(img, sun_x, sun_y, 330, (255, 170, 60), 150)
    glow(img, sun_x, sun_y, 150, (255, 220, 120), 230)
    tilt = 0.32
    radii = [110, 165, 225, 285, 420, 560, 700, 820]
    angles = [200, 320, 35, 150, 300, 20, 120, 335]
    positions = []
    for (name, r, colour, bands), rx, ang in zip(PLANETS, radii, angles):
        orbit(img, sun_x, sun_y, rx, rx * tilt)
        a = math.radians(ang)
        positions.append((sun_x + rx * math.cos(a), sun_y + rx * tilt * math.sin(a), r, colour,
                          bands, name))
    # The Sun's disc over its glow, then the planets from back to front.
    sphere(img, sun_x, sun_y, 70, (255, 200, 80), (0.0, 0.0))
    glow(img, sun_x, sun_y, 95, (255, 240, 180), 120)
    for x, y, r, colour, bands, name in sorted(positions, key=lambda p: p[1]):
        light = unit(sun_x - x, sun_y - y)
        if name == "Saturn":
            ring(img, x, y, r * 1.3, r * 2.2, 0.35, (210, 190, 150), 170, False)
        sphere(img, x, y, r, colour, light, bands, rng if name in ("Mars", "Mercury") else None)
        if name == "Earth":
            sphere(img, x + 17, y - 8, 3, (190, 190, 190), unit(sun_x - x, sun_y - y))
        if name == "Saturn":
            ring(img, x, y, r * 1.3, r * 2.2, 0.35, (225, 205, 160), 200, True)
    return img.resize((WIDTH, HEIGHT), Image.LANCZOS)


def solar_system_row(rng):
    """The Sun's edge at the left and the planets in a row, their sizes to a common scale."""
    img = space_background(rng, (14, 6, 30), (2, 2, 12))
    sun_r = 900
    sun_x, sun_y = -sun_r + 190, HEIGHT / 2
    glow(img, sun_x, sun_y, sun_r + 260, (255, 140, 40), 170)
    sphere(img, sun_x, sun_y, sun_r, (255, 180, 60), (0.0, 0.0), None, rng)
    glow(img, 190, sun_y, 200, (255, 230, 160), 110)
    sizes = [9, 20, 21, 13, 90, 72, 34, 33]  # roughly to scale, the giants a little reduced
    gap = 26
    x = 230
    for (name, _, colour, bands), r in zip(PLANETS, sizes):
        x += r + (0.9 * r if name == "Saturn" else 0)
        y = sun_y + (30 if name in ("Venus", "Mars", "Uranus") else -20)
        if name == "Saturn":
            ring(img, x, y, r * 1.25, r * 1.9, 0.22, (205, 185, 140), 170, False)
        sphere(img, x, y, r, colour, (-1.0, 0.0), bands, rng if name in ("Mars", "Mercury") else None)
        if name == "Saturn":
            ring(img, x, y, r * 1.25, r * 1.9, 0.22, (225, 205, 160), 200, True)
        x += r + gap + (0.9 * r if name == "Saturn" else 0)
    return img.resize((WIDTH, HEIGHT), Image.LANCZOS)


# ---------------------------------------------------------------------------------------------
# The chime

def chime(path, rate=44100, seconds=1.1):
    """A rising major arpeggio of bell tones with a soft final chord, 16-bit mono."""
    notes = [(0.00, 523.25), (0.09, 659.25), (0.18, 783.99), (0.27, 1046.50)]
    partials = [(1.0, 1.0, 3.2), (2.0, 0.35, 5.0), (3.01, 0.12, 7.5), (4.2, 0.05, 10.0)]
    n = int(rate * seconds)
    samples = [0.0] * n
    for start, freq in notes:
        first = int(start * rate)
        for k in range(first, n):
            t = (k - first) / rate
            attack = min(1.0, t / 0.004)
            v = 0.0
            for mult, amp, decay in partials:
                v += amp * math.exp(-decay * t) * math.sin(2 * math.pi * freq * mult * t)
            samples[k] += 0.22 * attack * v
    fade = int(0.05 * rate)
    for k in range(n - fade, n):
        samples[k] *= (n - k) / fade
    peak = max(abs(v) for v in samples) or 1.0
    frames = b"".join(struct.pack("<h", int(32767 * 0.85 * v / peak)) for v in samples)
    with wave.open(path, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(rate)
        w.writeframes(frames)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "..", "data")
    os.makedirs(out, exist_ok=True)
    solar_system_top(random.Random(1)).save(os.path.join(out, "solarsystem-1.bmp"))
    solar_system_row(random.Random(2)).save(os.path.join(out, "solarsystem-2.bmp"))
    chime(os.path.join(out, "Tada.wav"))


if __name__ == "__main__":
    main()
