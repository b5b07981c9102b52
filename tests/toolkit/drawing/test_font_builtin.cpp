// The font texts that come with the toolkit: every one resolves by name, has its metrics and a
// complete, inked glyph set.
#include <gtest/gtest.h>

#include "toolkit/drawing/uxfont.h"

namespace {

struct Expected {
    const char* name;  // table name, or short name for application fonts
    bool application;
    int xsize, ysize, ascent, descent, glyphs;
    bool proportional;
};

const Expected fonts[] = {
    {"builtin 6x13", false, 6, 13, 11, 2, 224, false},
    {"builtin variable 13", false, 11, 13, -1, -1, 224, true},
    {"builtin 8x16", false, 8, 16, 14, 2, 224, false},
    {"builtin 8x16 bold", false, 8, 16, 14, 2, 224, false},
    {"builtin 9x15", false, 9, 15, 12, 3, 224, false},
    {"builtin 9x15 bold", false, 9, 15, 12, 3, 224, false},
    {"builtin 12x24", false, 12, 24, 22, 2, 223, false},
    {"arial14", true, -1, 14, 11, 3, 224, true},
    {"arial16", true, -1, 16, -1, -1, 224, true},
    {"arial18", true, -1, 18, -1, -1, 224, true},
    {"arial18b", true, -1, 18, -1, -1, 224, true},
    {"arial20", true, -1, 20, -1, -1, 224, true},
    {"arial20b", true, -1, 20, -1, -1, 224, true},
    {"arial24", true, -1, 24, -1, -1, 224, true},
    {"arial36b", true, -1, 36, -1, -1, 224, true},
    {"arial48", true, -1, 48, -1, -1, 224, true},
    {"crnew16", true, 9, 16, -1, -1, 224, false},
    {"crnew18", true, -1, 18, -1, -1, 224, false},
    {"crnew20", true, -1, 20, -1, -1, 224, false},
};

bool has_ink(const uxFont* f, int c) {
    int g = c - UXFONT_FIRST_CHAR;
    for (int i = 0; i < f->widths[g] * f->ysize; ++i)
        if (f->data[f->offsets[g] + i]) return true;
    return false;
}

TEST(BuiltinFonts, EveryFontResolvesWithItsMetricsAndInkedLetters) {
    for (const Expected& e : fonts) {
        SCOPED_TRACE(e.name);
        int id = e.application ? uxfont_application(e.name) : uxfont_builtin(e.name);
        ASSERT_GE(id, 1000000);
        EXPECT_EQ(e.application ? uxfont_application(e.name) : uxfont_builtin(e.name), id);
        const uxFont* f = uxfont_get(id);
        ASSERT_NE(f, nullptr);
        EXPECT_EQ(f->glyph_count, e.glyphs);
        EXPECT_EQ(f->ysize, e.ysize);
        EXPECT_EQ(uxfont_height(id), e.ysize);
        EXPECT_EQ(f->ascent + f->descent, e.ysize);
        if (e.xsize >= 0) {
            EXPECT_EQ(f->xsize, e.xsize);
        }
        if (e.ascent >= 0) {
            EXPECT_EQ(f->ascent, e.ascent);
        }
        if (e.descent >= 0) {
            EXPECT_EQ(f->descent, e.descent);
        }
        EXPECT_EQ(f->proportional, e.proportional);
        for (int c = 32; c < 32 + e.glyphs; ++c) {
            if (!e.proportional) {
                EXPECT_EQ(f->widths[c - 32], f->xsize) << c;
            }
            EXPECT_GT(f->widths[c - 32], 0) << c;
        }
        for (const char* p = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789"
                             "\xc4\xd6\xdc\xe4\xf6\xfc\xdf\xb0";
             *p; ++p)
            EXPECT_TRUE(has_ink(f, (unsigned char)*p)) << (int)(unsigned char)*p;
        EXPECT_FALSE(has_ink(f, ' '));
    }
}

TEST(BuiltinFonts, BoldVariantsAreHeavierAndApplicationNamesComeFromTheText) {
    auto ink = [](int id) {
        const uxFont* f = uxfont_get(id);
        int n = 0;
        for (int i = 0; i < f->data_size; ++i) n += f->data[i];
        return n;
    };
    EXPECT_GT(ink(uxfont_builtin("builtin 8x16 bold")), ink(uxfont_builtin("builtin 8x16")));
    EXPECT_GT(ink(uxfont_builtin("builtin 9x15 bold")), ink(uxfont_builtin("builtin 9x15")));
    EXPECT_EQ(uxfont_get(uxfont_builtin("builtin 8x16 bold"))->weight, 2);
    EXPECT_GT(ink(uxfont_application("arial18b")), ink(uxfont_application("arial18")));

    EXPECT_EQ(uxfont_application("ARIAL14"), uxfont_application("arial14"));
    EXPECT_GE(uxfont_find("Arial14"), 0);
    ASSERT_GE(uxfont_application("crnew16"), 0);
    EXPECT_GE(uxfont_find("CourierNew16"), 0);
    ASSERT_NE(uxfont_embedded_text("Arial36"), nullptr);
    int arial36 = uxfont_load_user(uxfont_embedded_text("Arial36"));
    EXPECT_EQ(uxfont_height(arial36), 36);
}

TEST(BuiltinFonts, NamesWithoutTextAreNeverFound) {
    EXPECT_EQ(uxfont_builtin("builtin 5x7"), -1);
    EXPECT_EQ(uxfont_builtin("builtin 8x8"), -1);
    EXPECT_EQ(uxfont_find("builtin 5x7"), -1);
    EXPECT_EQ(uxfont_application("arial99"), -1);
    EXPECT_EQ(uxfont_application(nullptr), -1);
    EXPECT_EQ(uxfont_builtin(nullptr), -1);
}

}  // namespace
