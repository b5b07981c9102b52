// Drawing glyphs and texts into pixmaps.
#include <gtest/gtest.h>

#include "toolkit/drawing/uxfont.h"
#include "toolkit/drawing/uxpixmap.h"

namespace {

// Two glyphs: ' ' (code 32) empty, '!' (code 33) a 2x3 glyph with ink on the diagonal.
const char* glyph_font =
    "header:\nname=\nproportional\nxsize=2\nysize=3\nchars=2\npropxs=2 2\ndata:\n"
    "..\n..\n..\n"
    "*.\n.*\n..\n";

struct Canvas : ::testing::Test {
    uxPixmap pm;
    int font = -1;
    void SetUp() override {
        ASSERT_TRUE(uxpxmap_create(&pm, 8, 8, UXPX_TRUECOLOR));
        uxpxmap_clear(&pm, 0x111111);
        font = uxfont_load(glyph_font, "test glyph font");
        ASSERT_GE(font, 0);
    }
    void TearDown() override { uxpxmap_destroy(&pm); }
    int at(int x, int y) { return uxpxmap_getpixel(&pm, x, y); }
};

TEST_F(Canvas, TransparentGlyphSetsOnlyInk) {
    EXPECT_EQ(uxfont_draw_char(&pm, font, 2, 1, '!', 0xFF0000, -1, 0, 0, 0), 2);
    EXPECT_EQ(at(2, 1), 0xFF0000);
    EXPECT_EQ(at(3, 2), 0xFF0000);
    EXPECT_EQ(at(3, 1), 0x111111);
    EXPECT_EQ(at(2, 2), 0x111111);
}

TEST_F(Canvas, BackgroundColourFillsTheGlyphCell) {
    uxfont_draw_char(&pm, font, 0, 0, '!', 0xFF0000, 0x00FF00, 0, 0, 0);
    EXPECT_EQ(at(0, 0), 0xFF0000);
    EXPECT_EQ(at(1, 0), 0x00FF00);
    EXPECT_EQ(at(1, 2), 0x00FF00);
    EXPECT_EQ(at(2, 0), 0x111111);  // outside the cell
    EXPECT_EQ(at(0, 3), 0x111111);
}

TEST_F(Canvas, EngravedDrawsLightOffsetThenShadow) {
    uxfont_draw_char(&pm, font, 0, 0, '!', 0xFF0000, -1, UXFONT_ENGRAVED, 0xFFFFFF, 0x808080);
    EXPECT_EQ(at(0, 0), 0x808080);
    EXPECT_EQ(at(1, 1), 0x808080);  // shadow over the light copy of (0,0)
    EXPECT_EQ(at(2, 2), 0xFFFFFF);  // light copy of (1,1)
    EXPECT_EQ(at(1, 0), 0x111111);
}

TEST_F(Canvas, UnderlineIsTheGlyphsLastRow) {
    uxfont_draw_char(&pm, font, 4, 4, '!', 0x0000FF, -1, UXFONT_UNDERLINE, 0, 0);
    EXPECT_EQ(at(4, 6), 0x0000FF);
    EXPECT_EQ(at(5, 6), 0x0000FF);
    EXPECT_EQ(at(6, 6), 0x111111);
    EXPECT_EQ(at(4, 7), 0x111111);
}

TEST_F(Canvas, ControlCharactersAndMissingGlyphsDrawNothing) {
    for (int c : {9, 0, 31, (int)'"', 255}) {
        EXPECT_EQ(uxfont_draw_char(&pm, font, 0, 0, c, 0xFF0000, 0x00FF00, 0, 0, 0), 0) << c;
    }
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) ASSERT_EQ(at(x, y), 0x111111);
}

TEST_F(Canvas, TextAdvancesAndLineFeedReturnsToTheStart) {
    EXPECT_EQ(uxfont_draw_text(&pm, font, 1, 0, "!!\n!", 0xFF0000), 4);
    EXPECT_EQ(at(1, 0), 0xFF0000);
    EXPECT_EQ(at(3, 0), 0xFF0000);
    EXPECT_EQ(at(1, 3), 0xFF0000);  // second line, one font height lower
    EXPECT_EQ(at(3, 3), 0x111111);
}

TEST_F(Canvas, DrawingOffThePixmapIsClipped) {
    uxfont_draw_text(&pm, font, -1, -1, "!!!!!!", 0xFF0000);
    uxfont_draw_text(&pm, font, 7, 7, "!!!\n!!", 0xFF0000);
    uxfont_draw_char(&pm, font, 1 << 30, -(1 << 30), '!', 0xFF0000, 0x00FF00, 0, 0, 0);
    EXPECT_EQ(at(0, 0), 0xFF0000);  // (1,1) of the glyph at (-1,-1)
    EXPECT_EQ(at(7, 7), 0xFF0000);
    EXPECT_EQ(uxfont_draw_char(nullptr, font, 0, 0, '!', 0, -1, 0, 0, 0), 2);
}

TEST(FontDrawing, BuiltinTextInTheDefaultFontInksWithinItsCells) {
    uxPixmap pm;
    ASSERT_TRUE(uxpxmap_create(&pm, 60, 13, UXPX_TRUECOLOR));
    EXPECT_EQ(uxfont_draw_text(&pm, -1, 0, 0, "Hallo", 0xFFFFFF), 30);
    int ink = 0;
    for (int y = 0; y < 13; ++y)
        for (int x = 0; x < 60; ++x)
            if (uxpxmap_getpixel(&pm, x, y) == 0xFFFFFF) {
                ++ink;
                EXPECT_LT(x, 30);
            }
    EXPECT_GT(ink, 20);
    uxpxmap_destroy(&pm);
}

}  // namespace
