// The drawing surface widget: which pixmap the commands reach, creation sizes, resizing, the
// display of the visible part, and pictures saved and loaded through the widget.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "toolkit/core/uxentry.h"
#include "toolkit/core/uxevent.h"
#include "toolkit/drawing/uxfont.h"
#include "toolkit/drawing/uxscreengraphic.h"
#include "toolkit/core/uxwindow.h"

namespace {

struct GraphicWindow : ::testing::Test {
    uxWindow win;
    void SetUp() override {
        setenv("UX_PLATFORM", "headless", 1);
        ASSERT_TRUE(uxentry_init());
        uxevent_reset();
        ASSERT_TRUE(uxwindow_create(&win, "graphics,x=0,y=0,xs=400,ys=300"));
    }
    void TearDown() override {
        uxgraphic_select(nullptr);
        uxwindow_destroy(&win);
        uxevent_reset();
    }
    // Colour shown in the window at the given client position after composing.
    int shown(int x, int y) {
        uxwindow_compose(&win);
        return uxpxmap_getrgb(&win.client, x, y);
    }
};

std::string temp_path(const char* name) { return ::testing::TempDir() + name; }

bool file_exists(const std::string& path) {
    FILE* f = std::fopen(path.c_str(), "rb");
    if (f) std::fclose(f);
    return f != nullptr;
}

TEST_F(GraphicWindow, CommandsGoToTheCurrentGraphicOnly) {
    uxScreenGraphic a, b;
    uxgraphic_create(&a, "x=0,y=0,xs=50,ys=50");
    uxgraphic_create(&b, "x=60,y=0,xs=50,ys=50");
    EXPECT_EQ(uxgraphic_current(), &b);  // the newest one is current

    uxgraphic_setpixel(1, 1, 0x112233);
    uxgraphic_line(0, 0, 3, 1, 0xFF0000);
    EXPECT_EQ(uxpxmap_getrgb(&b.pixmap, 1, 1), 0x112233);
    EXPECT_EQ(uxpxmap_getrgb(&b.pixmap, 2, 1), 0xFF0000);
    EXPECT_EQ(uxpxmap_getrgb(&a.pixmap, 1, 1), 0);

    uxgraphic_select(&a);
    uxgraphic_fillrect(-5, 0, 10, 2, 0x00FF00);
    EXPECT_EQ(uxpxmap_getrgb(&a.pixmap, 4, 1), 0x00FF00);
    EXPECT_EQ(uxpxmap_getrgb(&a.pixmap, 5, 1), 0);
    EXPECT_EQ(uxpxmap_getrgb(&b.pixmap, 4, 0), 0);

    // Line-to continues from where the last line ended, on the current graphic's pen.
    uxgraphic_moveto(10, 10);
    uxgraphic_lineto(12, 10, 0x0000FF);
    EXPECT_EQ(uxpxmap_getrgb(&a.pixmap, 11, 10), 0x0000FF);
    uxgraphic_lineto(12, 12, 0x0000FF);
    EXPECT_EQ(uxpxmap_getrgb(&a.pixmap, 12, 11), 0x0000FF);

    // The given-graphic variants leave the selection alone.
    uxgraphic_g_clear(&b, 0x808080);
    EXPECT_EQ(uxgraphic_current(), &a);
    EXPECT_EQ(uxpxmap_getrgb(&b.pixmap, 1, 1), 0x808080);

    uxgraphic_destroy(&a);
    EXPECT_EQ(uxgraphic_current(), nullptr);  // a destroyed graphic is no longer a target
    uxgraphic_destroy(&b);
}

TEST_F(GraphicWindow, WithoutCurrentGraphicNothingHappens) {
    uxScreenGraphic g;
    uxgraphic_create(&g, "x=0,y=0,xs=40,ys=40");
    uxgraphic_select(nullptr);
    uxgraphic_setpixel(1, 1, 0xFFFFFF);
    uxgraphic_circle(10, 10, 5, 0xFFFFFF);
    uxgraphic_rect(0, 0, 10, 10, 0xFFFFFF);
    uxgraphic_clear(0xFFFFFF);
    EXPECT_EQ(uxgraphic_text(0, 0, 0xFFFFFF, "abc"), 0);
    EXPECT_EQ(uxgraphic_textf(0, 0, 0xFFFFFF, "%d", 12), 0);
    EXPECT_EQ(uxgraphic_textwidth("abc"), 0);
    EXPECT_EQ(uxgraphic_fontheight(), 0);
    std::string path = temp_path("nothing_current.bmp");
    std::remove(path.c_str());
    EXPECT_FALSE(uxgraphic_save("%s", path.c_str()));
    EXPECT_FALSE(file_exists(path));
    EXPECT_FALSE(uxgraphic_load(0, 0, "%s", path.c_str()));
    for (int y = 0; y < g.pixmap.height; ++y)
        for (int x = 0; x < g.pixmap.width; ++x) ASSERT_EQ(uxpxmap_getrgb(&g.pixmap, x, y), 0);
    uxgraphic_destroy(&g);
}

TEST_F(GraphicWindow, PixmapSizeAndBackgroundAtCreation) {
    uxScreenGraphic sized, derived, stretched;
    uxgraphic_create(&sized, "x=0,y=0,xs=100,ys=80,pxs=700,pys=1300,background=white,border");
    EXPECT_EQ(sized.pixmap.width, 700);
    EXPECT_EQ(sized.pixmap.height, 1300);
    EXPECT_EQ(uxpxmap_getrgb(uxgraphic_pixels(&sized), 699, 1299), 0xFFFFFF);

    uxgraphic_create(&derived, "x=0,y=0,xs=120,ys=60");
    EXPECT_EQ(derived.pixmap.width, 120);
    EXPECT_EQ(derived.pixmap.height, 60);
    EXPECT_EQ(uxpxmap_getrgb(&derived.pixmap, 5, 5), 0x000000);

    uxgraphic_create(&stretched, "x=0,y=0,xs=120,ys=60,stretch=2");
    EXPECT_EQ(stretched.pixmap.width, 60);
    EXPECT_EQ(stretched.pixmap.height, 30);

    // A surface too large to allocate leaves a graphic on which drawing does nothing.
    uxScreenGraphic huge;
    uxgraphic_create(&huge, "x=0,y=0,xs=50,ys=50,pxs=100000,pys=100000");
    EXPECT_FALSE(huge.has_pixmap);
    uxgraphic_setpixel(5, 5, 0xFFFFFF);
    EXPECT_EQ(uxgraphic_fontheight(), 0);
    EXPECT_EQ(shown(5, 5), 0x000000);
    uxgraphic_destroy(&huge);

    uxgraphic_destroy(&stretched);
    uxgraphic_destroy(&derived);
    uxgraphic_destroy(&sized);
}

TEST_F(GraphicWindow, ResizeKeepsNothingAndResetsTheOffset) {
    uxScreenGraphic g;
    uxgraphic_create(&g, "x=0,y=0,xs=100,ys=100,pxs=400,pys=400,background=0x102030");
    uxgraphic_setpixel(3, 3, 0xFF0000);
    uxgraphic_resize(&g, 400, 400);  // unchanged size: nothing happens
    EXPECT_EQ(uxpxmap_getrgb(&g.pixmap, 3, 3), 0xFF0000);

    uxgraphic_scroll_to(&g, 150, 200);
    EXPECT_EQ(g.offset_x, 150);
    EXPECT_EQ(g.offset_y, 200);
    uxgraphic_resize(&g, 500, 300);
    EXPECT_EQ(g.pixmap.width, 500);
    EXPECT_EQ(g.pixmap.height, 300);
    EXPECT_EQ(g.offset_x, 0);
    EXPECT_EQ(g.offset_y, 0);
    EXPECT_EQ(uxpxmap_getrgb(uxgraphic_pixels(&g), 3, 3), 0x102030);
    uxgraphic_destroy(&g);
}

TEST_F(GraphicWindow, DisplayShowsTheScrolledAndStretchedPart) {
    uxScreenGraphic big, doubled;
    uxgraphic_create(&big, "x=0,y=0,xs=100,ys=100,pxs=300,pys=300");
    uxgraphic_setpixel(0, 0, 0xFF0000);
    uxgraphic_setpixel(120, 130, 0x00FF00);
    EXPECT_EQ(shown(0, 0), 0xFF0000);
    // The view is smaller than the pixmap: scrolling is possible, but never past its end.
    EXPECT_LT(big.view_w, 300);
    uxgraphic_scroll_to(&big, 120, 130);
    EXPECT_EQ(shown(0, 0), 0x00FF00);
    uxgraphic_scroll_to(&big, 10000, 10000);
    EXPECT_EQ(big.offset_x, 300 - big.view_w);
    EXPECT_EQ(big.offset_y, 300 - big.view_h);

    uxgraphic_create(&doubled, "x=200,y=0,xs=100,ys=100,pxs=50,pys=50,stretch=2");
    uxgraphic_setpixel(10, 10, 0x0000FF);
    EXPECT_EQ(shown(220, 20), 0x0000FF);
    EXPECT_EQ(shown(221, 21), 0x0000FF);
    EXPECT_EQ(shown(222, 22), 0x000000);
    uxgraphic_destroy(&doubled);
    uxgraphic_destroy(&big);
}

TEST_F(GraphicWindow, DrawOffLeavesTheWindowAloneUntilRefreshed) {
    uxScreenGraphic quiet, live;
    uxgraphic_create(&quiet, "x=0,y=0,xs=50,ys=50,drawoff");
    uxgraphic_create(&live, "x=60,y=0,xs=50,ys=50");
    win.dirty = false;
    uxgraphic_g_fillrect(&quiet, 0, 0, 10, 10, 0xFFFFFF);
    EXPECT_FALSE(win.dirty);
    uxgraphic_refresh(&quiet);
    EXPECT_TRUE(win.dirty);
    win.dirty = false;
    uxgraphic_g_fillrect(&live, 0, 0, 10, 10, 0xFFFFFF);
    EXPECT_TRUE(win.dirty);
    uxgraphic_destroy(&live);
    uxgraphic_destroy(&quiet);
}

TEST_F(GraphicWindow, TextUsesTheGraphicsFont) {
    uxScreenGraphic g;
    uxgraphic_create(&g, "x=0,y=0,xs=200,ys=100");
    int font = uxfont_builtin("builtin 9x15 bold");
    ASSERT_NE(font, -1);
    uxgraphic_setfont(font);
    EXPECT_EQ(uxgraphic_fontheight(), uxfont_height(font));
    EXPECT_EQ(uxgraphic_textwidth("abc"), uxfont_text_width(font, "abc"));
    // The widest line counts; the background stays where no glyph has ink.
    EXPECT_EQ(uxgraphic_text(0, 0, 0xFFFFFF, "ab\nabcd"), uxfont_text_width(font, "abcd"));
    EXPECT_EQ(uxgraphic_textf(0, 40, 0xFFFFFF, "%s", ""), 0);
    int ink = 0;
    for (int y = 0; y < 2 * uxfont_height(font); ++y)
        for (int x = 0; x < 40; ++x) ink += uxpxmap_getrgb(&g.pixmap, x, y) == 0xFFFFFF;
    EXPECT_GT(ink, 0);
    EXPECT_EQ(uxpxmap_getrgb(&g.pixmap, 199, 99), 0);
    uxgraphic_destroy(&g);
}

TEST_F(GraphicWindow, SaveAndLoadRoundTripThroughTheWidget) {
    uxScreenGraphic src, dst;
    uxgraphic_create(&src, "x=0,y=0,xs=40,ys=20,pxs=3,pys=2");
    uxgraphic_setpixel(0, 0, 0x123456);
    uxgraphic_setpixel(2, 1, 0xABCDEF);
    std::string dir = ::testing::TempDir();
    std::string path = dir + "roundtrip7.bmp";
    std::remove(path.c_str());
    ASSERT_TRUE(uxgraphic_save("%sroundtrip%d.bmp", dir.c_str(), 7));
    int w = 0, h = 0;
    ASSERT_TRUE(uxgraphic_picture_size(path.c_str(), &w, &h));
    EXPECT_EQ(w, 3);
    EXPECT_EQ(h, 2);

    uxgraphic_create(&dst, "x=50,y=0,xs=40,ys=20,pxs=10,pys=10,background=0x0000FF");
    ASSERT_TRUE(uxgraphic_load(4, 5, "%s", path.c_str()));
    EXPECT_EQ(uxpxmap_getrgb(&dst.pixmap, 4, 5), 0x123456);
    EXPECT_EQ(uxpxmap_getrgb(&dst.pixmap, 6, 6), 0xABCDEF);
    EXPECT_EQ(uxpxmap_getrgb(&dst.pixmap, 9, 9), 0x0000FF);  // the rest stays as it was
    EXPECT_FALSE(uxgraphic_load(0, 0, "%smissing.bmp", dir.c_str()));
    uxgraphic_destroy(&dst);
    uxgraphic_destroy(&src);
}

TEST_F(GraphicWindow, UnsupportedNamesPrintTheMessageAndWriteNothing) {
    uxScreenGraphic g;
    uxgraphic_create(&g, "x=0,y=0,xs=20,ys=20");
    std::string base = ::testing::TempDir() + "grafH3";
    std::remove(base.c_str());
    testing::internal::CaptureStdout();
    bool saved = uxgraphic_save("%sgrafH%d", ::testing::TempDir().c_str(), 3);
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_FALSE(saved);
    EXPECT_FALSE(file_exists(base));
    EXPECT_NE(out.find("uxpxmap_savetofile: unsupported format ("), std::string::npos) << out;

    // A name longer than the file-name buffer is refused instead of cut off.
    std::string longname(UXGRAPHIC_MAX_FILESPEC + 10, 'a');
    testing::internal::CaptureStdout();
    EXPECT_FALSE(uxgraphic_save("%s.bmp", longname.c_str()));
    testing::internal::GetCapturedStdout();
    uxgraphic_destroy(&g);
}

}  // namespace

// A surface larger than its view gets both bars; arrows, the wheel, paging on the track and
// dragging a knob move the shown part, and the shown pixels follow the offset.
TEST_F(GraphicWindow, BigSurfaceScrollsThroughItsBars) {
    auto press = [&](int code, int x, int y) {
        uxEvent ev = {code, {x, y}};
        uxwindow_dispatch(&win, &ev);
    };
    auto click = [&](const uxWidget* w) {
        int x = w->abs_x + w->layout.width / 2, y = w->abs_y + w->layout.height / 2;
        press(UXEV_LDOWN, x, y);
        press(UXEV_LUP, x, y);
    };
    uxScreenGraphic small, big;
    uxgraphic_create(&small, "x=250,y=0,xs=100,ys=100,border");
    EXPECT_FALSE(small.scroll.show_v);  // a surface of the view's own size needs no bar
    EXPECT_FALSE(small.scroll.show_h);

    uxgraphic_create(&big, "x=0,y=0,xs=200,ys=150,border,pxs=600,pys=500");
    ASSERT_TRUE(big.scroll.show_v);
    ASSERT_TRUE(big.scroll.show_h);
    EXPECT_TRUE(uxwidget_shown(&big.scroll.corner.base));
    int t = big.scroll.thickness, b = big.base.border;
    EXPECT_EQ(big.view_w, 200 - 2 * b - t);
    EXPECT_EQ(big.view_h, 150 - 2 * b - t);
    // Knob sizes are the visible share of the surface.
    EXPECT_NEAR(big.scroll.hbar.knob_size, 100.0 * big.view_w / 600, 0.01);
    EXPECT_NEAR(big.scroll.vbar.knob_size, 100.0 * big.view_h / 500, 0.01);

    uxgraphic_fillrect(0, 20, 600, 1, 0xFF0000);  // a red row 20 pixels down
    uxgraphic_fillrect(590, 0, 1, 500, 0x00FF00);  // a green column at x = 590
    click(&big.scroll.down.base);
    EXPECT_EQ(big.offset_y, 20);
    EXPECT_EQ(shown(b + 5, b), 0xFF0000);  // the red row is now the top row of the view
    press(UXEV_WHEELBACK, 50, 50);
    EXPECT_EQ(big.offset_y, 40);
    press(UXEV_WHEELFWD, 50, 50);
    press(UXEV_WHEELFWD, 50, 50);
    press(UXEV_WHEELFWD, 50, 50);
    EXPECT_EQ(big.offset_y, 0);  // never above the top

    // A click on the horizontal track right of the knob pages by one view width.
    uxWidget* track = &big.scroll.hbar.base;
    press(UXEV_LDOWN, track->abs_x + track->layout.width - 2, track->abs_y + t / 2);
    press(UXEV_LUP, track->abs_x + track->layout.width - 2, track->abs_y + t / 2);
    EXPECT_EQ(big.offset_x, big.view_w);

    // Dragging the knob to the far right shows the right end of the surface.
    int start, length;
    uxscrollbar_knob(&big.scroll.hbar, &start, &length);
    int kx = track->abs_x + start + length / 2, ky = track->abs_y + t / 2;
    press(UXEV_LDOWN, kx, ky);
    press(UXEV_MOVE, kx + 1000, ky);
    press(UXEV_LUP, kx + 1000, ky);
    EXPECT_EQ(big.offset_x, 600 - big.view_w);
    EXPECT_EQ(shown(b + 590 - big.offset_x, b + 60), 0x00FF00);

    // Resizing to a surface that fits removes the bars and gives the room back.
    uxgraphic_resize(&big, 100, 100);
    EXPECT_FALSE(big.scroll.show_v);
    EXPECT_FALSE(big.scroll.show_h);
    EXPECT_EQ(big.view_w, 200 - 2 * b);
    uxgraphic_destroy(&big);
    uxgraphic_destroy(&small);
}

// The numbered commands reach the same operations; short argument lists and unknown numbers
// do nothing, and without a current graphic every command is a no-op with result 0.
TEST_F(GraphicWindow, NumberedCommandsRunTheirOperations) {
    uxScreenGraphic g;
    uxgraphic_create(&g, "x=0,y=0,xs=60,ys=40,fontid=-1");
    const int line[] = {0, 0, 3, 1, 0xFF0000};
    EXPECT_EQ(uxgraphic_command(UXGRAPHIC_LINE, line, 5, nullptr), 0);
    EXPECT_EQ(uxpxmap_getrgb(&g.pixmap, 2, 1), 0xFF0000);
    const int fill[] = {-5, 10, 10, 2, 0x00FF00};
    uxgraphic_command(UXGRAPHIC_FILLRECT, fill, 5, nullptr);
    EXPECT_EQ(uxpxmap_getrgb(&g.pixmap, 4, 11), 0x00FF00);
    EXPECT_EQ(uxpxmap_getrgb(&g.pixmap, 5, 11), 0);
    const int to[] = {20, 20, 0x0000FF}, move[] = {10, 20};
    uxgraphic_command(UXGRAPHIC_MOVETO, move, 2, nullptr);
    uxgraphic_command(UXGRAPHIC_LINETO, to, 3, nullptr);
    EXPECT_EQ(uxpxmap_getrgb(&g.pixmap, 15, 20), 0x0000FF);
    EXPECT_EQ(uxgraphic_command(UXGRAPHIC_FONTHEIGHT, nullptr, 0, nullptr), 13);
    EXPECT_EQ(uxgraphic_command(UXGRAPHIC_TEXTWIDTH, nullptr, 0, "WELCOME"), 7 * 6);
    const int short_list[] = {1, 1};
    EXPECT_EQ(uxgraphic_command(UXGRAPHIC_SETPIXEL, short_list, 2, nullptr), -1);
    EXPECT_EQ(uxpxmap_getrgb(&g.pixmap, 1, 1), 0);
    EXPECT_EQ(uxgraphic_command(1003, line, 5, nullptr), -1);
    // save takes the name as it is: a '%' in it is no format
    std::string path = temp_path("cmd%d.bmp");
    EXPECT_EQ(uxgraphic_command(UXGRAPHIC_SAVE, nullptr, 0, path.c_str()), 1);
    EXPECT_TRUE(file_exists(path));
    const int at[] = {0, 0}, grey[] = {0x123456};
    uxgraphic_command(UXGRAPHIC_CLEAR, grey, 1, nullptr);
    EXPECT_EQ(uxgraphic_command(UXGRAPHIC_LOAD, at, 2, path.c_str()), 1);
    EXPECT_EQ(uxpxmap_getrgb(&g.pixmap, 2, 1), 0xFF0000);
    std::remove(path.c_str());

    uxgraphic_select(nullptr);
    EXPECT_EQ(uxgraphic_command(UXGRAPHIC_FONTHEIGHT, nullptr, 0, nullptr), 0);
    EXPECT_EQ(uxgraphic_command(UXGRAPHIC_SETPIXEL, to, 3, nullptr), 0);
    uxgraphic_destroy(&g);
}
