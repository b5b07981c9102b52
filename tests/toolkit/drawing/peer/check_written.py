#!/usr/bin/python3
"""Opens the BMP, PNG and PPM pictures the program wrote into DIR and compares their pixels.

Exit status: 0 all match, 1 a mismatch (reported), 77 PIL is not installed.
"""
import os
import sys

sys.dont_write_bytecode = True  # keep the source tree clean
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from pattern import HEIGHT, WIDTH, colour  # noqa: E402

try:
    from PIL import Image
except ImportError:
    sys.exit(77)


def main(directory):
    failures = 0
    for name in ("written.bmp", "written.png", "written.ppm"):
        with Image.open(os.path.join(directory, name)) as img:
            img = img.convert("RGB")
            if img.size != (WIDTH, HEIGHT):
                print("%s: size %s" % (name, img.size))
                failures += 1
                continue
            for y in range(HEIGHT):
                for x in range(WIDTH):
                    got = img.getpixel((x, y))
                    if got != colour(x, y):
                        print("%s: pixel %d,%d is %s, not %s" % (name, x, y, got, colour(x, y)))
                        failures += 1
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
