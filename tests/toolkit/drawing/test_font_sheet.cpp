// Every font's full character set (codes 32..255) drawn on sheets that are saved as PNG
// pictures in font-sheets/ of the test's working directory, to be looked at; plus the checks
// that catch broken glyphs without looking: letters stand on the baseline, x-height letters
// share one top, and no two distinct letters have the same pixels.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/stat.h>

#include "toolkit/drawing/uxfont.h"
#include "toolkit/drawing/uxpicture.h"
#include "toolkit/drawing/uxpixmap.h"

namespace {

struct SheetFont {
    const char* label;
    int id;
};

// Every font the toolkit carries: the built-in ones by table name, the application ones by
// short name (Arial36 has none and is loaded from its text).
int collect_fonts(SheetFont* out) {
    static const char* const builtin[] = {"builtin 6x13", "builtin variable 13", "builtin 8x16",
                                          "builtin 8x16 bold", "builtin 9x15", "builtin 9x15 bold",
                                          "builtin 12x24"};
    static const char* const application[] = {"arial14", "arial16", "arial18", "arial18b",
                                              "arial20", "arial20b", "arial24", "arial36b",
                                              "arial48", "crnew16", "crnew18", "crnew20"};
    int n = 0;
    for (const char* name : builtin) out[n++] = {name, uxfont_builtin(name)};
    for (const char* name : application) out[n++] = {name, uxfont_application(name)};
    out[n++] = {"Arial36", uxfont_load_user(uxfont_embedded_text("Arial36"))};
    return n;
}

int widest_glyph(const uxFont* f) {
    int w = 0;
    for (int g = 0; g < f->glyph_count; ++g)
        if (f->widths[g] > w) w = f->widths[g];
    return w;
}

// Height of one font's block on a sheet: a caption line and 14 rows of 16 cells.
int block_height(const uxFont* f) { return 13 + 6 + 14 * (f->ysize + 5) + 10; }

// Draws the block at y; cells are framed in light grey so a glyph that runs over shows.
void draw_block(uxPixmap* pm, const SheetFont& sf, int y) {
    const uxFont* f = uxfont_get(sf.id);
    char caption[160];
    std::snprintf(caption, sizeof caption, "%s  (%s, %dx%d, ascent %d, descent %d, %d glyphs)",
                  sf.label, f->proportional ? "proportional" : "monospace", f->xsize, f->ysize,
                  f->ascent, f->descent, f->glyph_count);
    uxfont_draw_text(pm, UXFONT_DEFAULT, 4, y, caption, 0x000080);
    int cell_w = widest_glyph(f) + 5, cell_h = f->ysize + 5;
    int top = y + 13 + 6;
    for (int c = 32; c < 256; ++c) {
        int row = (c - 32) / 16, col = (c - 32) % 16;
        int cx = 40 + col * cell_w, cy = top + row * cell_h;
        if (col == 0) {
            char code[8];
            std::snprintf(code, sizeof code, "%3d", c);
            uxfont_draw_text(pm, UXFONT_DEFAULT, 4, cy + (cell_h - 13) / 2, code, 0x808080);
        }
        uxpxmap_rect(pm, cx, cy, cell_w, cell_h, 0xD8D8D8);
        // the baseline of the cell, so letters standing off it show
        uxpxmap_fillrect(pm, cx + 1, cy + 2 + f->ascent, cell_w - 2, 1, 0xFFE0E0);
        uxfont_draw_char(pm, sf.id, cx + 2, cy + 2, c, 0x000000, -1, 0, 0, 0);
    }
}

// Lowest and highest inked row of a glyph, or false when it has no ink.
bool ink_rows(const uxFont* f, int c, int* first, int* last) {
    int g = c - UXFONT_FIRST_CHAR;
    if (g < 0 || g >= f->glyph_count) return false;
    *first = -1;
    for (int r = 0; r < f->ysize; ++r)
        for (int x = 0; x < f->widths[g]; ++x)
            if (f->data[f->offsets[g] + r * f->widths[g] + x]) {
                if (*first < 0) *first = r;
                *last = r;
            }
    return *first >= 0;
}

bool same_pixels(const uxFont* f, int a, int b) {
    int ga = a - 32, gb = b - 32;
    if (f->widths[ga] != f->widths[gb]) return false;
    return std::memcmp(f->data + f->offsets[ga], f->data + f->offsets[gb],
                       (size_t)f->widths[ga] * f->ysize) == 0;
}

TEST(FontSheet, EveryFontsCharacterSetIsDrawnOnSheets) {
    SheetFont fonts[32];
    int n = collect_fonts(fonts);
    ASSERT_EQ(n, 20);
    for (int i = 0; i < n; ++i) ASSERT_NE(uxfont_get(fonts[i].id), nullptr) << fonts[i].label;
    ::mkdir("font-sheets", 0777);

    // Fonts go onto sheets of at most about 1600 pixels height, in the order above.
    int sheet = 0;
    for (int first = 0; first < n;) {
        int last = first, height = 0, width = 0;
        while (last < n) {
            const uxFont* f = uxfont_get(fonts[last].id);
            int h = block_height(f);
            if (last > first && height + h > 1600) break;
            height += h;
            int w = 40 + 16 * (widest_glyph(f) + 5) + 4;
            if (w > width) width = w;
            ++last;
        }
        if (width < 420) width = 420;
        uxPixmap pm;
        ASSERT_TRUE(uxpxmap_create(&pm, width, height, UXPX_TRUECOLOR));
        uxpxmap_clear(&pm, 0xFFFFFF);
        int y = 0;
        for (int i = first; i < last; ++i) {
            draw_block(&pm, fonts[i], y + 4);
            y += block_height(uxfont_get(fonts[i].id));
        }
        char path[64];
        std::snprintf(path, sizeof path, "font-sheets/fonts-%d.png", ++sheet);
        EXPECT_TRUE(uxpxmap_savetofile(&pm, path)) << path;
        uxpxmap_destroy(&pm);
        first = last;
    }
    EXPECT_GE(sheet, 2);
}

TEST(FontSheet, LettersStandOnTheBaselineAndDifferFromEachOther) {
    SheetFont fonts[32];
    int n = collect_fonts(fonts);
    for (int i = 0; i < n; ++i) {
        const uxFont* f = uxfont_get(fonts[i].id);
        ASSERT_NE(f, nullptr);
        SCOPED_TRACE(fonts[i].label);
        // Letters and digits without descenders end on one common row near the baseline
        // (ascent - 1): round letters may overshoot it by a pixel, hinting lifts a stroke by
        // one, and the 12x24 design stands a pixel above its nominal baseline.
        int counts[64] = {};
        const char* standing = "ABCDEFGHIKLMNOPRSTUVWXYZabcdefhiklmnorstuvwxz0123456789";
        for (const char* p = standing; *p; ++p) {
            int top = 0, bottom = 0;
            ASSERT_TRUE(ink_rows(f, *p, &top, &bottom)) << *p;
            ASSERT_LT(bottom, 64);
            ++counts[bottom];
        }
        int baseline = 0;
        for (int r = 0; r < 64; ++r)
            if (counts[r] > counts[baseline]) baseline = r;
        EXPECT_GE(baseline, f->ascent - 2);
        EXPECT_LE(baseline, f->ascent - 1);
        for (const char* p = standing; *p; ++p) {
            int top = 0, bottom = 0;
            ink_rows(f, *p, &top, &bottom);
            EXPECT_LE(std::abs(bottom - baseline), 1) << *p;
        }
        // Descenders go below it, and stay inside the glyph.
        for (const char* p = "gpqy"; *p; ++p) {
            int top = 0, bottom = 0;
            ASSERT_TRUE(ink_rows(f, *p, &top, &bottom)) << *p;
            EXPECT_GT(bottom, baseline + 1) << *p;
        }
        // Capitals reach higher than the x-height letters.
        int cap_top = 0, x_top = 0, bottom = 0;
        ASSERT_TRUE(ink_rows(f, 'H', &cap_top, &bottom));
        ASSERT_TRUE(ink_rows(f, 'x', &x_top, &bottom));
        EXPECT_LT(cap_top, x_top);
        // Distinct letters never share their pixels (a shifted or duplicated glyph would);
        // capital I and small l may be the same bar in a sans-serif face.
        const char* letters = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
        for (const char* a = letters; *a; ++a)
            for (const char* b = a + 1; *b; ++b)
                if (!(*a == 'I' && *b == 'l')) {
                    EXPECT_FALSE(same_pixels(f, *a, *b)) << *a << " and " << *b;
                }
        // Latin-1 letters with marks differ from their plain letter.
        EXPECT_FALSE(same_pixels(f, 0xE4, 'a'));
        EXPECT_FALSE(same_pixels(f, 0xD6, 'O'));
        EXPECT_FALSE(same_pixels(f, 0xFC, 'u'));
    }
}

// The terminal's graphics set maps to codes 128..138: strokes through the centre that reach the
// cell's edges where the neighbours continue them, so boxes drawn with them close.
TEST(FontSheet, LineDrawingGlyphsJoinAtTheCellEdges) {
    SheetFont fonts[32];
    int n = collect_fonts(fonts);
    // up, down, left, right for 128 (horizontal) .. 138 (tee pointing down)
    const int reach[11][4] = {{0, 0, 1, 1}, {1, 1, 0, 0}, {0, 1, 0, 1}, {0, 1, 1, 0},
                              {1, 0, 0, 1}, {1, 0, 1, 0}, {1, 1, 0, 1}, {1, 1, 1, 0},
                              {1, 1, 1, 1}, {1, 0, 1, 1}, {0, 1, 1, 1}};
    for (int i = 0; i < n; ++i) {
        SCOPED_TRACE(fonts[i].label);
        const uxFont* f = uxfont_get(fonts[i].id);
        int h = f->ysize;
        int hrow = -1;  // the row the horizontal line uses, the same in every glyph
        for (int c = 128; c <= 138; ++c) {
            int w = 0;
            const unsigned char* g = uxfont_glyph(fonts[i].id, c, &w);
            ASSERT_NE(g, nullptr) << c;
            const int* r = reach[c - 128];
            int row = -1, col = -1;
            for (int y = 0; y < h && row < 0; ++y)
                if (r[2] ? g[y * w] : (r[3] && g[y * w + w - 1])) row = y;
            for (int x = 0; x < w && col < 0; ++x)
                if (r[0] ? g[x] : (r[1] && g[(h - 1) * w + x])) col = x;
            if (r[2] || r[3]) {
                ASSERT_GE(row, 0) << c;
                if (hrow < 0) hrow = row;
                EXPECT_EQ(row, hrow) << c;
                EXPECT_EQ(g[row * w], r[2]) << c;
                EXPECT_EQ(g[row * w + w - 1], r[3]) << c;
            }
            if (r[0] || r[1]) {
                ASSERT_GE(col, 0) << c;
                EXPECT_EQ(g[col], r[0]) << c;
                EXPECT_EQ(g[(h - 1) * w + col], r[1]) << c;
            }
        }
    }
}

}  // namespace
