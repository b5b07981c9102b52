// Pixmap creation and the drawing primitives.
#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <utility>

#include "toolkit/drawing/uxpixmap.h"

namespace {

typedef std::set<std::pair<int, int>> Points;

Points painted(const uxPixmap& pm, int colour) {
    Points p;
    for (int y = 0; y < pm.height; ++y)
        for (int x = 0; x < pm.width; ++x)
            if (uxpxmap_getpixel(&pm, x, y) == colour) p.insert({x, y});
    return p;
}

struct Surface : ::testing::Test {
    uxPixmap pm;
    void SetUp() override { ASSERT_TRUE(uxpxmap_create(&pm, 20, 10, UXPX_TRUECOLOR)); }
    void TearDown() override { uxpxmap_destroy(&pm); }
};

TEST(PixmapCreate, RejectsBadRequestsAndAcceptsEmptySurfaces) {
    uxPixmap pm;
    EXPECT_FALSE(uxpxmap_create(&pm, 4, 4, 0));
    EXPECT_FALSE(uxpxmap_create(&pm, 4, 4, 6));
    EXPECT_FALSE(uxpxmap_create(&pm, -1, 4, UXPX_TRUECOLOR));
    EXPECT_FALSE(uxpxmap_create(&pm, 100000, 100000, UXPX_TRUECOLOR));
    ASSERT_TRUE(uxpxmap_create(&pm, 0, 0, UXPX_TRUECOLOR));
    uxpxmap_line(&pm, 0, 0, 5, 5, 1);
    uxpxmap_clear(&pm, 1);
    EXPECT_EQ(uxpxmap_getpixel(&pm, 0, 0), -1);
    ASSERT_TRUE(uxpxmap_create(&pm, 3, 2, UXPX_SERVER));  // re-creating frees the old one
    EXPECT_EQ(uxpxmap_getpixel(&pm, 2, 1), 0);
    EXPECT_EQ(uxpxmap_getpixel(&pm, 3, 1), -1);
    uxpxmap_destroy(&pm);
    uxpxmap_destroy(&pm);
}

TEST(PixmapCreate, ResizeKeepsAnUnchangedSurfaceAndClearsAChangedOne) {
    uxPixmap pm;
    ASSERT_TRUE(uxpxmap_create(&pm, 4, 4, UXPX_TRUECOLOR));
    uxpxmap_setpixel(&pm, 1, 1, 0xABCDEF);
    EXPECT_TRUE(uxpxmap_resize(&pm, 4, 4));
    EXPECT_EQ(uxpxmap_getpixel(&pm, 1, 1), 0xABCDEF);
    EXPECT_TRUE(uxpxmap_resize(&pm, 6, 3));
    EXPECT_EQ(pm.width, 6);
    EXPECT_EQ(pm.height, 3);
    EXPECT_EQ(uxpxmap_getpixel(&pm, 1, 1), 0);
    EXPECT_FALSE(uxpxmap_resize(&pm, -5, 3));
    EXPECT_EQ(pm.width, 6);  // a failed resize keeps the old surface
    uxpxmap_destroy(&pm);
}

TEST_F(Surface, LineStepsAlongTheLongerAxisAndMovesThePen) {
    uxpxmap_line(&pm, 0, 0, 3, 1, 1);
    EXPECT_EQ(painted(pm, 1), (Points{{0, 0}, {1, 0}, {2, 1}, {3, 1}}));
    EXPECT_EQ(pm.pen_x, 3);
    EXPECT_EQ(pm.pen_y, 1);

    uxpxmap_lineto(&pm, 3, 4, 2);  // steep, from the pen
    EXPECT_EQ(painted(pm, 2), (Points{{3, 1}, {3, 2}, {3, 3}, {3, 4}}));

    uxpxmap_moveto(&pm, 9, 9);
    uxpxmap_lineto(&pm, 9, 9, 3);  // equal points: one pixel
    EXPECT_EQ(painted(pm, 3), (Points{{9, 9}}));

    uxpxmap_line(&pm, 7, 1, 4, 0, 4);  // backwards
    EXPECT_EQ(painted(pm, 4), (Points{{7, 1}, {6, 1}, {5, 0}, {4, 0}}));
}

TEST_F(Surface, LinesFarOutsideAreClippedQuickly) {
    uxpxmap_line(&pm, -2000000000, 5, 2000000000, 5, 7);
    Points row = painted(pm, 7);
    EXPECT_EQ(row.size(), 20u);
    EXPECT_TRUE(row.count({0, 5}) && row.count({19, 5}));
    uxpxmap_line(&pm, 2147483647, -2147483647 - 1, -2147483647 - 1, 2147483647, 8);
    uxpxmap_line(&pm, -50, -50, -10, -3, 9);
    EXPECT_TRUE(painted(pm, 9).empty());
}

TEST_F(Surface, FilledRectangleIsCutAtAllEdges) {
    uxpxmap_fillrect(&pm, -5, 2, 10, 2, 1);
    Points p = painted(pm, 1);
    EXPECT_EQ(p.size(), 10u);  // columns 0..4 of rows 2 and 3
    EXPECT_TRUE(p.count({0, 2}) && p.count({4, 3}) && !p.count({5, 2}));

    uxpxmap_fillrect(&pm, 18, 8, 100, 100, 2);
    EXPECT_EQ(painted(pm, 2), (Points{{18, 8}, {19, 8}, {18, 9}, {19, 9}}));

    uxpxmap_fillrect(&pm, 3, 3, 0, 5, 3);
    uxpxmap_fillrect(&pm, 3, 3, 5, -1, 3);
    uxpxmap_fillrect(&pm, 25, 3, 5, 5, 3);
    uxpxmap_fillrect(&pm, -2147483647, -2147483647, 2147483647, 2147483647, 3);
    EXPECT_TRUE(painted(pm, 3).empty());
}

TEST_F(Surface, RectangleOutline) {
    uxpxmap_rect(&pm, 1, 1, 4, 3, 1);
    EXPECT_EQ(painted(pm, 1), (Points{{1, 1}, {2, 1}, {3, 1}, {4, 1}, {1, 2}, {4, 2}, {1, 3},
                                      {2, 3}, {3, 3}, {4, 3}}));
    uxpxmap_rect(&pm, 10, 1, 0, 3, 2);
    EXPECT_TRUE(painted(pm, 2).empty());
}

TEST_F(Surface, CircleOutlineIsClosedAndAtItsRadius) {
    uxPixmap big;
    ASSERT_TRUE(uxpxmap_create(&big, 41, 41, UXPX_TRUECOLOR));
    uxpxmap_circle(&big, 20, 20, 15, 1);
    Points p = painted(big, 1);
    EXPECT_TRUE(p.count({35, 20}));
    EXPECT_GT(p.size(), 80u);
    for (auto [x, y] : p) {  // truncation moves points by less than one pixel on each axis
        double d = std::hypot(x - 20, y - 20);
        EXPECT_GT(d, 15 - M_SQRT2);
        EXPECT_LT(d, 15 + M_SQRT2);
    }
    // Closed: every column from 6 to 34 is crossed at the top and bottom.
    for (int x = 6; x <= 34; ++x) {
        bool top = false, bottom = false;
        for (auto [px, py] : p)
            if (px == x) (py < 20 ? top : bottom) = true;
        EXPECT_TRUE(top && bottom) << x;
    }
    EXPECT_EQ(uxpxmap_getpixel(&big, 20, 20), 0);
    uxpxmap_destroy(&big);

    uxpxmap_circle(&pm, 5, 5, 0, 2);
    EXPECT_EQ(painted(pm, 2), (Points{{5, 5}}));
    uxpxmap_circle(&pm, 5, 5, -3, 3);
    EXPECT_TRUE(painted(pm, 3).empty());
    uxpxmap_circle(&pm, -1000000000, 5, 1000000005, 4);  // huge radius: bounded work
    EXPECT_FALSE(painted(pm, 4).empty());
}

TEST(PixmapServer, CircleIsTheSymmetricOutline) {
    uxPixmap pm;
    ASSERT_TRUE(uxpxmap_create(&pm, 21, 21, UXPX_SERVER));
    uxpxmap_circle(&pm, 10, 10, 6, 1);
    Points p = painted(pm, 1);
    for (auto [x, y] : p) {
        EXPECT_TRUE(p.count({20 - x, y}) && p.count({x, 20 - y}) && p.count({y, x}));
    }
    EXPECT_TRUE(p.count({16, 10}) && p.count({4, 10}) && p.count({10, 4}) && p.count({10, 16}));
    uxpxmap_destroy(&pm);
}

TEST(PixmapIndexed, DrawingTakesIndexesAndShowsTheirColours) {
    uxPixmap pm;
    ASSERT_TRUE(uxpxmap_create(&pm, 4, 4, UXPX_INDEXED8));
    EXPECT_EQ(pm.colors, 256);
    uxpxmap_fillrect(&pm, 0, 0, 2, 2, 255);
    EXPECT_EQ(uxpxmap_getpixel(&pm, 1, 1), 255);
    EXPECT_EQ(uxpxmap_getrgb(&pm, 1, 1), 0xFFFFFF);  // default grey ramp
    uxpxmap_setpixel(&pm, 3, 3, 256);               // no such entry: ignored
    EXPECT_EQ(uxpxmap_getpixel(&pm, 3, 3), 0);

    const uint32_t red = 0xFF0000;
    uxpxmap_setpalette(&pm, 255, 1, &red);
    EXPECT_EQ(uxpxmap_getrgb(&pm, 0, 0), 0xFF0000);  // shown colours follow the table
    uxpxmap_setrgb(&pm, 3, 0, 0xEE1010);             // nearest entry
    EXPECT_EQ(uxpxmap_getpixel(&pm, 3, 0), 255);
    uxpxmap_destroy(&pm);

    ASSERT_TRUE(uxpxmap_create_palette(&pm, 2, 2, UXPX_INDEXED8, 1000));
    EXPECT_EQ(pm.format, UXPX_INDEXED16);
    uxpxmap_setpixel(&pm, 0, 0, 999);
    EXPECT_EQ(uxpxmap_getpixel(&pm, 0, 0), 999);
    uxpxmap_destroy(&pm);
}

TEST(PixmapBlit, CopiesClippedBlocks) {
    uxPixmap src, dst;
    ASSERT_TRUE(uxpxmap_create(&src, 4, 4, UXPX_TRUECOLOR));
    ASSERT_TRUE(uxpxmap_create(&dst, 5, 5, UXPX_TRUECOLOR));
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) uxpxmap_setpixel(&src, x, y, 0x100 * y + x + 1);
    uxpxmap_clear(&dst, 0xEEEEEE);

    uxpxmap_blit(&dst, -1, 3, &src, 0, 0, 4, 4);
    EXPECT_EQ(uxpxmap_getpixel(&dst, 0, 3), 0x002);  // src (1,0)
    EXPECT_EQ(uxpxmap_getpixel(&dst, 2, 4), 0x104);  // src (3,1)
    EXPECT_EQ(uxpxmap_getpixel(&dst, 3, 3), 0xEEEEEE);
    EXPECT_EQ(uxpxmap_getpixel(&dst, 0, 2), 0xEEEEEE);

    uxpxmap_blit(&dst, 0, 0, &src, -2, -2, 3, 3);  // only src (0,0) exists, lands at (2,2)
    EXPECT_EQ(uxpxmap_getpixel(&dst, 2, 2), 0x001);
    EXPECT_EQ(uxpxmap_getpixel(&dst, 1, 1), 0xEEEEEE);
    EXPECT_EQ(uxpxmap_getpixel(&dst, 3, 2), 0xEEEEEE);
    uxpxmap_blit(&dst, 0, 0, &src, 0, 0, -1, 100);
    uxpxmap_blit(&dst, 0, 0, &src, 2000000000, 0, 2000000000, 4);

    // Overlapping copy within one pixmap: shift row 0 right by one.
    uxpxmap_blit(&src, 1, 0, &src, 0, 0, 3, 1);
    EXPECT_EQ(uxpxmap_getpixel(&src, 1, 0), 0x001);
    EXPECT_EQ(uxpxmap_getpixel(&src, 3, 0), 0x003);
    uxpxmap_destroy(&src);
    uxpxmap_destroy(&dst);
}

TEST(PixmapBlit, IndexedSourcesLeaveOutTheirTransparentIndex) {
    uxPixmap src, dst;
    ASSERT_TRUE(uxpxmap_create(&src, 2, 1, UXPX_INDEXED8));
    ASSERT_TRUE(uxpxmap_create(&dst, 2, 1, UXPX_TRUECOLOR));
    uxpxmap_clear(&dst, 0x123456);
    uxpxmap_setpixel(&src, 0, 0, 7);
    uxpxmap_setpixel(&src, 1, 0, 255);
    src.transparent = 7;
    uxpxmap_blit(&dst, 0, 0, &src, 0, 0, 2, 1);
    EXPECT_EQ(uxpxmap_getpixel(&dst, 0, 0), 0x123456);
    EXPECT_EQ(uxpxmap_getpixel(&dst, 1, 0), 0xFFFFFF);
    uxpxmap_destroy(&src);
    uxpxmap_destroy(&dst);
}

}  // namespace
