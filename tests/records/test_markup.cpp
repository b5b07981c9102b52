// The markup renderer of the summer-time page: keyword order and case, positions, centred and
// wrapped text, pictures with borders, and the file reader.

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "records/summer_times.h"
#include "toolkit/core/uxentry.h"
#include "toolkit/core/uxevent.h"
#include "toolkit/drawing/uxfont.h"
#include "toolkit/drawing/uxpicture.h"
#include "toolkit/drawing/uxpixmap.h"
#include "toolkit/drawing/uxscreengraphic.h"
#include "toolkit/core/uxwindow.h"

namespace {

const int kWhite = 0xFFFFFF;

class Markup : public ::testing::Test {
protected:
    uxWindow win;
    uxScreenGraphic page;
    MarkupState state;

    void SetUp() override {
        setenv("UX_PLATFORM", "headless", 1);
        ASSERT_TRUE(uxentry_init());
        uxevent_reset();
        ASSERT_TRUE(uxwindow_create(&win, "markup,x=0,y=0,xs=800,ys=600"));
        uxgraphic_create(&page, "x=0,y=0,xs=700,ys=500,pxs=700,pys=400,background=white");
        ASSERT_EQ(uxgraphic_current(), &page);
        ResetMarkupState(&state, 640);
    }
    void TearDown() override {
        uxgraphic_destroy(&page);
        uxwindow_destroy(&win);
        uxevent_reset();
    }
    void Render(const char* line) { RenderMarkupLine(&state, line); }
    int Pixel(int x, int y) { return uxpxmap_getrgb(uxgraphic_pixels(&page), x, y); }
    // Rows [top, bottom) hold a pixel that is not white; -1 when none does.
    int InkRows(int top, int bottom, int* lowest = nullptr) {
        int first = -1;
        for (int y = top; y < bottom; ++y)
            for (int x = 0; x < page.pixmap.width; ++x)
                if (Pixel(x, y) != kWhite) {
                    if (first < 0) first = y;
                    if (lowest) *lowest = y;
                    break;
                }
        return first;
    }
    int LeftmostInk(int top, int bottom) {
        for (int x = 0; x < page.pixmap.width; ++x)
            for (int y = top; y < bottom; ++y)
                if (Pixel(x, y) != kWhite) return x;
        return -1;
    }
    int RightmostInk() {
        for (int x = page.pixmap.width - 1; x >= 0; --x)
            for (int y = 0; y < page.pixmap.height; ++y)
                if (Pixel(x, y) != kWhite) return x;
        return -1;
    }
};

TEST_F(Markup, StartsAtTheTopLeftInBlueWithoutBorder) {
    EXPECT_EQ(state.x, 0);
    EXPECT_EQ(state.y, 0);
    EXPECT_EQ(state.lineWidth, 640);
    EXPECT_EQ(state.colour, 0x0000FF);
    EXPECT_EQ(state.borderWidth, 0);
    EXPECT_EQ(state.borderColour, 0);
}

TEST_F(Markup, KeywordsIgnoreLetterCase) {
    Render("#textcolor=ff0000");
    EXPECT_EQ(state.colour, 0xFF0000);
    Render("#YOFFSET=12");
    Render("#yoffset=3");
    EXPECT_EQ(state.y, 15);
    Render("#PICTUREborder=4");
    EXPECT_EQ(state.borderWidth, 4);
}

TEST_F(Markup, LongerKeywordsAreTestedFirst) {
    Render("#TextXS=600");
    Render("#TextX=100");
    EXPECT_EQ(state.lineWidth, 500);
    EXPECT_EQ(state.x, 100);
    Render("#PictureBorderColor=00ff00");
    EXPECT_EQ(state.borderColour, 0x00FF00);
    EXPECT_EQ(state.borderWidth, 0);
}

TEST_F(Markup, UnknownKeywordsChangeNothing) {
    Render("#TextColor=123456");
    MarkupState before = state;
    Render("#Bogus=5");
    Render("#");
    Render("#Text=7");
    Render("#PictureBorderCol=99999");  // a misspelling, not "#PictureBorder"
    Render("#TextXY=5");
    EXPECT_EQ(std::memcmp(&before, &state, sizeof state), 0);
    EXPECT_EQ(InkRows(0, page.pixmap.height), -1);
}

TEST_F(Markup, HugeNumbersStayOnAPageSizedRange) {
    Render("#YOffset=121474836470");
    Render("#YOffset=1214748364");
    Render("#TextX=2147483648");
    Render("#PictureBorder=99999999999");
    EXPECT_EQ(state.y, 8192);
    EXPECT_EQ(state.x, 8192);
    EXPECT_EQ(state.borderWidth, 8192);
}

TEST_F(Markup, UnknownFontNamesKeepTheFont) {
    Render("#TextFont=arial24");
    int height = uxgraphic_fontheight();
    Render("#TextFont=arial12");
    Render("#TextFont=");
    EXPECT_EQ(uxgraphic_fontheight(), height);
    Render("#TextFont=ARIAL14");
    EXPECT_LT(uxgraphic_fontheight(), height);
}

TEST_F(Markup, CenteredTextThenPlainLineOneFontHeightLower) {
    Render("#TextFont=arial18");
    int height = uxgraphic_fontheight();
    ASSERT_GT(height, 0);
    Render("#CenteredText=Sommerzeit");
    EXPECT_EQ(state.y, height);
    int left = LeftmostInk(0, height);
    int expected = (640 - uxgraphic_textwidth("Sommerzeit")) / 2;
    EXPECT_GE(left, expected);
    EXPECT_LE(left, expected + 3);  // the first glyph's own left bearing

    EXPECT_EQ(InkRows(height, 2 * height), -1);
    Render("Uhrzeit");
    EXPECT_EQ(state.y, 2 * height);
    EXPECT_GE(InkRows(height, 2 * height), height);
    EXPECT_LT(LeftmostInk(height, 2 * height), 4);  // plain text starts at x = 0
}

TEST_F(Markup, BreaksAndEmptyLinesAdvanceOneLine) {
    Render("#TextFont=arial14");
    int height = uxgraphic_fontheight();
    Render("#br");
    EXPECT_EQ(state.y, height);
    Render("");
    EXPECT_EQ(state.y, 2 * height);
    EXPECT_EQ(InkRows(0, page.pixmap.height), -1);
}

TEST_F(Markup, RunningTextWrapsInsideThePage) {
    Render("#TextFont=arial14");
    Render("#TextX=20");
    int height = uxgraphic_fontheight();
    std::string text;
    for (int i = 0; i < 66; ++i) text += "Sommerzeit ";
    Render(text.c_str());
    // 680 pixels are left of the 700-pixel page right of x = 20: the lines are that narrow
    int lines = state.y / height;
    EXPECT_EQ(state.y % height, 0);
    EXPECT_GE(lines, (uxgraphic_textwidth(text.c_str()) + 679) / 680);
    EXPECT_LE(RightmostInk(), 699);
    EXPECT_GE(LeftmostInk(0, page.pixmap.height), 20);
    // a word wider than the line stands on a line of its own and still advances
    int y = state.y;
    Render(std::string(400, 'W').c_str());
    EXPECT_EQ(state.y, y + height);
}

TEST_F(Markup, TextUsesTheTextColour) {
    Render("#TextColor=FF0000");
    Render("#TextFont=arial20b");
    Render("Mitteleuropa");
    bool red = false;
    for (int y = 0; y < state.y && !red; ++y)
        for (int x = 0; x < 300 && !red; ++x) red = Pixel(x, y) == 0xFF0000;
    EXPECT_TRUE(red);
}

class MarkupFiles : public Markup {
protected:
    std::filesystem::path previous, dir;
    void SetUp() override {
        Markup::SetUp();
        previous = std::filesystem::current_path();
        dir = std::filesystem::temp_directory_path() /
              ("vv_markup_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
        std::filesystem::current_path(dir);
    }
    void TearDown() override {
        std::filesystem::current_path(previous);
        std::filesystem::remove_all(dir);
        Markup::TearDown();
    }
    // A 10 x 6 red picture.
    static void WritePicture(const char* name) {
        uxPixmap pm;
        ASSERT_TRUE(uxpxmap_create(&pm, 10, 6, 3));
        uxpxmap_clear(&pm, 0xFF0000);
        ASSERT_TRUE(uxpxmap_savetofile(&pm, name));
        uxpxmap_destroy(&pm);
    }
};

TEST_F(MarkupFiles, PictureWithBorderGrowsOutward) {
    WritePicture("p.bmp");
    Render("#YOffset=20");
    Render("#PictureBorder=2");
    Render("#PictureBorderColor=00FF00");
    Render("#Picture=p.bmp,x=50");
    EXPECT_EQ(state.y, 20);  // pictures do not move on
    EXPECT_EQ(Pixel(52, 22), 0xFF0000);
    EXPECT_EQ(Pixel(50, 20), 0x00FF00);  // border line 0 lies on the picture's edge
    EXPECT_EQ(Pixel(49, 19), 0x00FF00);
    EXPECT_EQ(Pixel(60, 26), 0x00FF00);  // line 1 ends at left + width, y + height
    EXPECT_EQ(Pixel(48, 18), kWhite);
}

TEST_F(MarkupFiles, PictureWithoutBorderAtItsX) {
    WritePicture("p.bmp");
    Render("#TextX=30");
    Render("#YOffset=5");
    Render("#Picture=p.bmp,x=100");
    EXPECT_EQ(Pixel(100, 5), 0xFF0000);
    EXPECT_EQ(Pixel(109, 10), 0xFF0000);
    EXPECT_EQ(Pixel(99, 5), kWhite);
    EXPECT_EQ(Pixel(30, 5), kWhite);
    Render("#Picture=missing.bmp");  // a missing picture draws nothing
}

TEST_F(MarkupFiles, MissingFileDrawsNothing) {
    EXPECT_EQ(RenderMarkupFile("nothing.txt"), 0);
    EXPECT_EQ(InkRows(0, page.pixmap.height), -1);
}

TEST_F(MarkupFiles, FileLinesLoseTheirLineEnds) {
    {
        std::ofstream out("m.txt", std::ios::binary);
        out << "#TextColor=00FF00\r\n#TextFont=arial20b\r\nGr\xfcn\r\n";
    }
    int defaultHeight = uxgraphic_fontheight();
    EXPECT_EQ(RenderMarkupFile("m.txt"), 0);
    EXPECT_GT(uxgraphic_fontheight(), defaultHeight);  // "arial20b\r" would name no font
    bool green = false;
    for (int y = 0; y < 40 && !green; ++y)
        for (int x = 0; x < 200 && !green; ++x) green = Pixel(x, y) == 0x00FF00;
    EXPECT_TRUE(green);
}

}  // namespace
