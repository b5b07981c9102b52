#!/usr/bin/python3
"""Writes the test picture into DIR as BMP, PPM, 24-bit PCX and 8-bit PCX with a colour table,
for the program to load.

Exit status: 0 written, 77 PIL is not installed.
"""
import os
import sys

sys.dont_write_bytecode = True  # keep the source tree clean
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from pattern import HEIGHT, WIDTH, colour, palette_entry, palette_index  # noqa: E402

try:
    from PIL import Image
except ImportError:
    sys.exit(77)


def main(directory):
    rgb = Image.new("RGB", (WIDTH, HEIGHT))
    for y in range(HEIGHT):
        for x in range(WIDTH):
            rgb.putpixel((x, y), colour(x, y))
    rgb.save(os.path.join(directory, "peer.bmp"))
    rgb.save(os.path.join(directory, "peer.ppm"))
    rgb.save(os.path.join(directory, "peer-rgb.pcx"))

    indexed = Image.new("P", (WIDTH, HEIGHT))
    indexed.putpalette([c for i in range(256) for c in palette_entry(i)])
    for y in range(HEIGHT):
        for x in range(WIDTH):
            indexed.putpixel((x, y), palette_index(x, y))
    indexed.save(os.path.join(directory, "peer-palette.pcx"))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
