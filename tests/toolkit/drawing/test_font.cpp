// The font text parser, the font table and id resolution.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "toolkit/drawing/uxfont.h"

namespace {

// Three glyphs (codes 32, 33, 34) of widths 2, 3 and 1, two rows each.
const char* small_font =
    "header:\n"
    "name=Tiny\n"
    "proportional\n"
    "xsize=3\n"
    "ysize=2\n"
    "chars=3\n"
    "ascent=2\n"
    "descent=0\n"
    "weight=2\n"
    "foundry=Test\n"
    "propxs=2 3 1\n"
    "propdataoffset=0 4 10\n"
    "data:\n"
    "..\n"
    "..\n"
    "*.*\n"
    ".*.extra characters are ignored\n"
    "*\n"
    ".\n";

TEST(FontParse, ReadsHeaderWidthsOffsetsAndPixels) {
    uxFont f;
    ASSERT_TRUE(uxfont_parse(small_font, &f));
    EXPECT_STREQ(f.name, "Tiny");
    EXPECT_STREQ(f.foundry, "Test");
    EXPECT_TRUE(f.proportional);
    EXPECT_EQ(f.ysize, 2);
    EXPECT_EQ(f.ascent, 2);
    EXPECT_EQ(f.weight, 2);
    EXPECT_EQ(f.glyph_count, 3);
    EXPECT_EQ(f.widths[0], 2);
    EXPECT_EQ(f.widths[1], 3);
    EXPECT_EQ(f.widths[2], 1);
    EXPECT_EQ(f.offsets[1], 4);
    EXPECT_EQ(f.offsets[2], 10);
    EXPECT_EQ(f.data_size, 12);
    const unsigned char* g = f.data + f.offsets[1];
    const unsigned char expected[6] = {1, 0, 1, 0, 1, 0};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(g[i], expected[i]) << i;
    EXPECT_EQ(f.data[f.offsets[2]], 1);
    EXPECT_EQ(f.data[f.offsets[2] + 1], 0);
    uxfont_free(&f);
}

TEST(FontParse, MonospaceWithoutWidthListUsesXsizeAndCrLfLines) {
    std::string text = "header:\r\nmonospace\r\nxsize=2\r\nysize=1\r\nchars=2\r\ndata:\r\n*.\r\n.*\r\n";
    uxFont f;
    ASSERT_TRUE(uxfont_parse(text.c_str(), &f));
    EXPECT_EQ(f.widths[0], 2);
    EXPECT_EQ(f.widths[1], 2);
    EXPECT_EQ(f.data[0], 1);
    EXPECT_EQ(f.data[1], 0);
    EXPECT_EQ(f.data[3], 1);
    uxfont_free(&f);
}

TEST(FontParse, DamagedTextsFailOrStayInsideTheirBuffers) {
    uxFont f;
    EXPECT_FALSE(uxfont_parse("header:\nysize=5\n", &f));            // no data section
    EXPECT_FALSE(uxfont_parse("header:\nysize=0\ndata:\n", &f));     // no height
    EXPECT_FALSE(uxfont_parse("header:\nysize=99999\ndata:\n", &f));  // absurd height
    EXPECT_FALSE(uxfont_parse("", &f));
    EXPECT_FALSE(uxfont_parse(nullptr, &f));

    // Widths out of range, too many glyphs, truncated rows: clamped, missing pixels background.
    ASSERT_TRUE(uxfont_parse("header:\nysize=2\nchars=5000\npropxs=-4 100000 3\ndata:\n*\n", &f));
    EXPECT_EQ(f.glyph_count, UXFONT_MAX_GLYPHS);
    EXPECT_EQ(f.widths[0], 0);
    EXPECT_EQ(f.widths[1], 256);
    EXPECT_EQ(f.widths[2], 3);
    EXPECT_EQ(f.widths[3], 0);  // xsize 0 for glyphs the list lacks
    uxfont_free(&f);
}

TEST(FontParse, MutatedTextsNeverReadOrWriteOutsideTheirBuffers) {
    // A real font text with characters overwritten at random; checked by the sanitizer build.
    std::string original = small_font;
    unsigned seed = 99;
    auto next = [&seed] { return seed = seed * 1103515245u + 12345u, seed >> 8; };
    const char alphabet[] = "0123456789 =*.-\n:abcdefghijklmnopqrstuvwxyz";
    for (int round = 0; round < 2000; ++round) {
        std::string text = original;
        for (int i = 0, n = 1 + next() % 6; i < n; ++i)
            text[next() % text.size()] = alphabet[next() % (sizeof alphabet - 1)];
        if (next() % 4 == 0) text.resize(next() % text.size());
        uxFont f;
        if (uxfont_parse(text.c_str(), &f)) {
            long long total = 0;
            for (int g = 0; g < UXFONT_MAX_GLYPHS; ++g) {
                ASSERT_EQ(f.offsets[g], total);
                total += (long long)f.widths[g] * f.ysize;
            }
            ASSERT_EQ(total, f.data_size);
            uxfont_free(&f);
        }
    }
}

TEST(FontTable, SameNameTwiceGivesOneIdAndOneEntry) {
    int id = uxfont_load(small_font, "test tiny");
    ASSERT_GE(id, 1000000);
    int count = uxfont_count();
    EXPECT_EQ(uxfont_load(small_font, "test tiny"), id);
    EXPECT_EQ(uxfont_count(), count);

    int index = uxfont_find("test tiny");
    ASSERT_GE(index, 0);
    EXPECT_EQ(uxfont_get(index), uxfont_get(id));  // table index and id reach the same font
    EXPECT_EQ(uxfont_find("no such font"), -1);
}

TEST(FontTable, UserFontTakesItsNameFromTheText) {
    int id = uxfont_load_user(small_font);
    ASSERT_GE(id, 1000000);
    EXPECT_GE(uxfont_find("Tiny"), 0);
    EXPECT_EQ(uxfont_load_user(small_font), id);
    // An unnamed text cannot be told apart from other unnamed ones: not entered.
    EXPECT_EQ(uxfont_load_user("header:\nname=\nysize=1\ndata:\n"), -1);
    EXPECT_EQ(uxfont_load(small_font, ""), -1);
    EXPECT_EQ(uxfont_load("not a font", "test broken"), -1);
    EXPECT_EQ(uxfont_find("test broken"), -1);
}

TEST(FontTable, LongTableNamesAreCutTo63Characters) {
    std::string name(80, 'n');
    int id = uxfont_load(small_font, name.c_str());
    ASSERT_GE(id, 0);
    EXPECT_EQ(uxfont_load(small_font, name.substr(0, 63).c_str()), id);
    EXPECT_EQ(std::string(uxfont_get(id)->table_name).size(), 63u);
}

TEST(FontIds, DefaultIdBeforeAnyLoadGives6x13) {
    // In a child process, so that emptying the font table touches no other test.
    EXPECT_EXIT(
        {
            uxfont_unload_all();
            bool ok = uxfont_count() == 0 && uxfont_height(-1) == 13 &&
                      uxfont_find("builtin 6x13") >= 0 && uxfont_ascent(-1) == 11;
            for (int c = 32; c < 256; ++c) ok = ok && uxfont_char_width(-1, c) == 6;
            ok = ok && uxfont_text_width(-3, "Hallo") == 30;
            std::exit(ok ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}

TEST(FontIds, ResolutionOfSpecialIdsIndexesAndUnknownValues) {
    EXPECT_EQ(uxfont_get(-1), uxfont_get(-3));
    EXPECT_STREQ(uxfont_get(-1)->table_name, "builtin 6x13");
    EXPECT_STREQ(uxfont_get(-2)->table_name, "builtin variable 13");
    EXPECT_EQ(uxfont_get(uxfont_find("builtin 6x13")), uxfont_get(-1));
    for (int unknown : {-4, 999999, uxfont_count(), 2000000000}) {
        EXPECT_EQ(uxfont_get(unknown), nullptr) << unknown;
        EXPECT_EQ(uxfont_height(unknown), 0);
        EXPECT_EQ(uxfont_char_width(unknown, 'A'), 0);
        EXPECT_EQ(uxfont_text_width(unknown, "abc"), 0);
    }
}

TEST(FontMetrics, ProportionalWidthIsTheSumOfGlyphWidths) {
    int font = uxfont_builtin("builtin variable 13");
    ASSERT_GE(font, 0);
    int sum = 0;
    for (const char* p = "WELCOME"; *p; ++p) sum += uxfont_char_width(font, *p);
    EXPECT_EQ(uxfont_text_width(font, "WELCOME"), sum);
    EXPECT_NE(uxfont_char_width(font, 'W'), uxfont_char_width(font, 'i'));
    // Control characters have no glyph; characters above 127 count as Latin-1 bytes.
    EXPECT_EQ(uxfont_char_width(font, '\t'), 0);
    EXPECT_EQ(uxfont_text_width(font, "a\tb"), uxfont_text_width(font, "ab"));
    EXPECT_GT(uxfont_char_width(font, 0xE4), 0);
    EXPECT_EQ(uxfont_char_width(font, (char)0xE4), uxfont_char_width(font, 0xE4));
    EXPECT_EQ(uxfont_char_width(font, 256), 0);
}

}  // namespace
