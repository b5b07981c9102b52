#!/usr/bin/python3
"""Makes the toolkit's bitmap font texts in toolkit/fonts/.

Fixed-width built-in fonts come from the X11 misc and Sony bitmap fonts of Debian's xfonts-base
(converted with pcf2bdf); the proportional and Courier-like fonts are Liberation Sans and
Liberation Mono of Debian's fonts-liberation2, rendered to one-bit bitmaps with FreeType's
monochrome hinting through python3-pil. See README.md for sources and licences.

Run with Debian's interpreter:  /usr/bin/python3 tools/fonts/make_fonts.py [output-dir]
"""

import os
import subprocess
import sys
import tempfile

from PIL import Image, ImageDraw, ImageFont

MISC = "/usr/share/fonts/X11/misc"
LIBERATION = "/usr/share/fonts/truetype/liberation2"

FIRST, LAST = 32, 255


# ---------------------------------------------------------------------------------------------
# Font text writer

class Glyphs:
    """Glyph bitmaps of one font: rows of 0/1 lists, one entry per code from 32 on."""

    def __init__(self, ysize):
        self.ysize = ysize
        self.rows = []    # per glyph: list of ysize rows, each a list of 0/1
        self.widths = []

    def add(self, width, rows):
        assert len(rows) == self.ysize
        self.widths.append(width)
        self.rows.append([list(r[:width]) + [0] * (width - len(r[:width])) for r in rows])


def write_font_text(path, glyphs, name, kind, xsize, ascent, descent, weight, pts, foundry):
    offsets, total = [], 0
    for w in glyphs.widths:
        offsets.append(total)
        total += w * glyphs.ysize
    lines = [
        "header:",
        "name=" + name,
        kind,
        "xsize=%d" % xsize,
        "ysize=%d" % glyphs.ysize,
        "chars=%d" % len(glyphs.widths),
        "ascent=%d" % ascent,
        "descent=%d" % descent,
        "slant=0",
        "weight=%d" % weight,
        "width=%d" % xsize,
        "pts=%d" % pts,
        "foundry=" + foundry,
        "propxs=" + " ".join(str(w) for w in glyphs.widths),
        "propdataoffset=" + " ".join(str(o) for o in offsets),
        "data:",
    ]
    for rows in glyphs.rows:
        for r in rows:
            lines.append("".join("*" if p else "." for p in r))
    with open(path, "w", encoding="ascii", newline="\n") as f:
        f.write("\n".join(lines) + "\n")


def box_rows(width, ysize, ascent):
    """A hollow box standing on the baseline, for codes the source font has no glyph for."""
    rows = [[0] * width for _ in range(ysize)]
    top = max(0, ascent - max(3, (ascent * 7) // 10))
    bottom = max(top, ascent - 1)
    left, right = (1, width - 2) if width >= 4 else (0, width - 1)
    for y in range(top, bottom + 1):
        for x in range(left, right + 1):
            if y in (top, bottom) or x in (left, right):
                rows[y][x] = 1
    return rows


# The terminal's line-drawing set: code -> (reaches up, down, left, right) from the cell's centre.
LINE_DRAWING = {
    128: (0, 0, 1, 1),  # horizontal line
    129: (1, 1, 0, 0),  # vertical line
    130: (0, 1, 0, 1),  # upper left corner
    131: (0, 1, 1, 0),  # upper right corner
    132: (1, 0, 0, 1),  # lower left corner
    133: (1, 0, 1, 0),  # lower right corner
    134: (1, 1, 0, 1),  # tee pointing right
    135: (1, 1, 1, 0),  # tee pointing left
    136: (1, 1, 1, 1),  # crossing
    137: (1, 0, 1, 1),  # tee pointing up
    138: (0, 1, 1, 1),  # tee pointing down
}


def line_drawing_rows(code, width, ysize):
    """Box-drawing strokes through the cell's centre that meet those of the neighbour cells."""
    up, down, left, right = LINE_DRAWING[code]
    rows = blank_rows(width, ysize)
    cx, cy = (width - 1) // 2, (ysize - 1) // 2
    for y in range(0 if up else cy, ysize if down else cy + 1):
        rows[y][cx] = 1
    for x in range(0 if left else cx, width if right else cx + 1):
        rows[cy][x] = 1
    return rows


def blank_rows(width, ysize):
    return [[0] * width for _ in range(ysize)]


# ---------------------------------------------------------------------------------------------
# X11 bitmap fonts

def read_bdf(pcf_name):
    """Returns (properties, {code: (dwidth, bbx, rows of hex)}) of a PCF font via pcf2bdf."""
    with tempfile.TemporaryDirectory() as tmp:
        bdf = os.path.join(tmp, "font.bdf")
        subprocess.run(["pcf2bdf", "-o", bdf, os.path.join(MISC, pcf_name)], check=True)
        with open(bdf, encoding="latin-1") as f:
            text = f.read().splitlines()
    props, glyphs = {}, {}
    i = 0
    while i < len(text):
        line = text[i]
        key = line.split(" ", 1)[0]
        if key in ("FONT_ASCENT", "FONT_DESCENT", "POINT_SIZE", "FONTBOUNDINGBOX", "FOUNDRY"):
            props[key] = line.split(" ", 1)[1].strip().strip('"')
        if key == "STARTCHAR":
            code, bbx, bitmap = None, None, []
            i += 1
            while not text[i].startswith("ENDCHAR"):
                parts = text[i].split()
                if parts[0] == "ENCODING":
                    code = int(parts[1])
                elif parts[0] == "BBX":
                    bbx = [int(v) for v in parts[1:5]]
                elif parts[0] == "BITMAP":
                    i += 1
                    while not text[i].startswith("ENDCHAR"):
                        bitmap.append(text[i].strip())
                        i += 1
                    break
                i += 1
            glyphs[code] = (bbx, bitmap)
        i += 1
    return props, glyphs


def cell_rows(bbx, bitmap, xsize, ysize, ascent):
    w, h, xoff, yoff = bbx
    rows = blank_rows(xsize, ysize)
    top = ascent - (yoff + h)
    for r, hexrow in enumerate(bitmap):
        bits = int(hexrow, 16) if hexrow else 0
        nbits = len(hexrow) * 4
        for c in range(w):
            if bits >> (nbits - 1 - c) & 1:
                x, y = xoff + c, top + r
                if 0 <= x < xsize and 0 <= y < ysize:
                    rows[y][x] = 1
    return rows


def embolden(rows):
    """Widens every stroke by one pixel to the right, within the cell."""
    return [[1 if (p or (x > 0 and r[x - 1])) else 0 for x, p in enumerate(r)] for r in rows]


def fixed_font(out, stem, pcf_name, name, last, weight=0, bold=False):
    props, src = read_bdf(pcf_name)
    xsize, ysize = [int(v) for v in props["FONTBOUNDINGBOX"].split()[:2]]
    ascent, descent = int(props["FONT_ASCENT"]), int(props["FONT_DESCENT"])
    glyphs = Glyphs(ysize)
    for code in range(FIRST, last + 1):
        if code in src:
            rows = cell_rows(*src[code], xsize, ysize, ascent)
            if bold:
                rows = embolden(rows)
        elif code in LINE_DRAWING:
            rows = line_drawing_rows(code, xsize, ysize)
        elif code == 160:
            rows = blank_rows(xsize, ysize)  # no-break space
        else:
            rows = box_rows(xsize, ysize, ascent)
        glyphs.add(xsize, rows)
    pts = int(props.get("POINT_SIZE", "0")) // 10
    write_font_text(os.path.join(out, stem + ".txt"), glyphs, name, "monospace", xsize, ascent,
                    descent, weight, pts, props.get("FOUNDRY", "Misc"))


# ---------------------------------------------------------------------------------------------
# Liberation fonts rendered to bitmaps

def render_rows(font, ch, width, ysize, ascent, shift):
    img = Image.new("1", (width, ysize), 0)
    ImageDraw.Draw(img).text((shift, ascent), ch, font=font, fill=1, anchor="ls")
    px = img.load()
    return [[1 if px[x, y] else 0 for x in range(width)] for y in range(ysize)]


def ink_columns(font, ch, ysize, ascent, pad):
    """First and last inked column of ch drawn at x = pad, or None for an empty glyph."""
    size = font.size
    rows = render_rows(font, ch, 2 * pad + 2 * size, ysize, ascent, pad)
    cols = [x for x in range(len(rows[0])) if any(r[x] for r in rows)]
    return (cols[0], cols[-1]) if cols else None


def rendered_font(out, stem, ttf, em, ysize, ascent, descent, monospace, xsize=None, weight=0):
    font = ImageFont.truetype(os.path.join(LIBERATION, ttf), em)
    glyphs = Glyphs(ysize)
    widths = []
    for code in range(FIRST, LAST + 1):
        ch = bytes([code]).decode("latin-1")
        if code == 0xAD:
            ch = "-"  # the soft hyphen has no advance of its own; show it as a hyphen
        if 127 <= code <= 159:
            w = xsize if monospace else max(3, round(font.getlength("n", mode="1")))
            if code in LINE_DRAWING:
                glyphs.add(w, line_drawing_rows(code, w, ysize))
            else:
                glyphs.add(w, box_rows(w, ysize, ascent))
            widths.append(w)
            continue
        if monospace:
            w, shift = xsize, 0
        else:
            # The cell is the advance; ink left of the origin moves the glyph right within it,
            # and ink beyond the cell widens it.
            advance = round(font.getlength(ch, mode="1"))
            pad = font.size
            ink = ink_columns(font, ch, ysize, ascent, pad)
            start = min(pad, ink[0]) if ink else pad
            w = max(advance, ink[1] + 1 - start) if ink else advance
            shift = pad - start
        glyphs.add(w, render_rows(font, ch, w, ysize, ascent, shift))
        widths.append(w)
    if xsize is None:
        xsize = max(widths[ord("A") - FIRST:ord("z") - FIRST + 1])
    kind = "monospace" if monospace else "proportional"
    write_font_text(os.path.join(out, stem + ".txt"), glyphs, stem_name(stem), kind, xsize,
                    ascent, descent, weight, em, "rendered")


def stem_name(stem):
    """The font's own name: empty for the built-in texts, the stem for application fonts."""
    return "" if stem.startswith("builtin_") else stem


SANS, SANS_BOLD = "LiberationSans-Regular.ttf", "LiberationSans-Bold.ttf"
MONO = "LiberationMono-Regular.ttf"

# stem, ttf, em size, ysize, ascent, descent, monospace, xsize, weight
RENDERED = [
    ("builtin_variable_13", SANS, 11, 13, 10, 3, False, 11, 0),
    ("Arial14", SANS, 12, 14, 11, 3, False, None, 0),
    ("Arial16", SANS, 14, 16, 13, 3, False, None, 0),
    ("Arial18", SANS, 15, 18, 14, 4, False, None, 0),
    ("Arial18b", SANS_BOLD, 15, 18, 14, 4, False, None, 2),
    ("Arial20", SANS, 17, 20, 16, 4, False, None, 0),
    ("Arial20b", SANS_BOLD, 17, 20, 16, 4, False, None, 2),
    ("Arial24", SANS, 20, 24, 19, 5, False, None, 0),
    ("Arial36", SANS, 31, 36, 29, 7, False, None, 0),
    ("Arial36b", SANS_BOLD, 31, 36, 29, 7, False, None, 2),
    ("Arial48", SANS, 42, 48, 39, 9, False, None, 0),
    ("CourierNew16", MONO, 15, 16, 13, 3, True, 9, 0),
    ("CourierNew18", MONO, 17, 18, 14, 4, True, 10, 0),
    ("CourierNew20", MONO, 19, 20, 16, 4, True, 11, 0),
]


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "..", "toolkit", "fonts")
    os.makedirs(out, exist_ok=True)
    fixed_font(out, "builtin_6x13", "6x13-ISO8859-1.pcf.gz", "", LAST)
    fixed_font(out, "builtin_8x16", "8x16.pcf.gz", "fixed", LAST)
    fixed_font(out, "builtin_8x16_bold", "8x16.pcf.gz", "fixed", LAST, weight=2, bold=True)
    fixed_font(out, "builtin_9x15", "9x15-ISO8859-1.pcf.gz", "", LAST)
    fixed_font(out, "builtin_9x15_bold", "9x15B-ISO8859-1.pcf.gz", "", LAST, weight=2)
    fixed_font(out, "builtin_12x24", "12x24.pcf.gz", "fixed", LAST - 1)  # 223 glyphs
    for row in RENDERED:
        rendered_font(out, *row)


if __name__ == "__main__":
    main()
