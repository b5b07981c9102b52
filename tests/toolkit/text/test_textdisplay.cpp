// Text pages and text boxes: layout in both break modes, tab stops, knob sizes, save, clear.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "tests/toolkit/widgets/test_widgets_fixture.h"
#include "toolkit/drawing/uxfont.h"
#include "toolkit/text/uxtextdisplay.h"

namespace {

std::string read_file(const char* path) {
    std::ifstream f(path, std::ios::binary);
    std::stringstream ss;
    ss << f.rdbuf();
    return ss.str();
}

std::string line(uxTextDisplay* t, int i) {
    return std::string(t->text + t->lines.start[i], t->lines.length[i]);
}

// Leftmost column with ink (colour other than white) in the pixmap, or -1.
int first_ink(const uxPixmap* pm, int from) {
    for (int x = from; x < pm->width; ++x)
        for (int y = 0; y < pm->height; ++y)
            if (uxpxmap_getrgb(pm, x, y) != 0xFFFFFF) return x;
    return -1;
}

}  // namespace

struct TextPage : WidgetWindow {
    uxTextDisplay* page = nullptr;
    void TearDown() override {
        uxtextdisplay_delete(page);
        WidgetWindow::TearDown();
    }
};

TEST_F(TextPage, TabStopsFollowTabWidthTimesBlank) {
    ASSERT_EQ(uxfont_char_width(-1, ' '), 6);
    EXPECT_EQ(uxtextlines_next_tab(0, 24), 24);
    EXPECT_EQ(uxtextlines_next_tab(23, 24), 24);
    EXPECT_EQ(uxtextlines_next_tab(24, 24), 48);
    uxPixmap pm;
    ASSERT_TRUE(uxpxmap_create(&pm, 80, 13, UXPX_TRUECOLOR));
    uxpxmap_clear(&pm, 0xFFFFFF);
    uxtextlines_draw(&pm, -1, 2, 0, "a\tb", 3, 24, 0, 80);
    // "a" ends within its 6-pixel cell; "b" starts at 2 + 24.
    EXPECT_LT(first_ink(&pm, 0), 8);
    int b = first_ink(&pm, 8);
    EXPECT_GE(b, 26);
    EXPECT_LT(b, 26 + 6);
    uxpxmap_destroy(&pm);
    page = uxtextdisplay_new("x=0,y=0,xs=200,ys=100,tabs=2");
    EXPECT_EQ(uxtextdisplay_tab_pixels(page), 12);
}

TEST_F(TextPage, NoBreakLongLineShowsHorizontalBar) {
    page = uxtextdisplay_new("x=0,y=0,xs=300,ys=200,nobreak");
    uxtextdisplay_append(page, (std::string(200, 'x') + "\r\nshort\n").c_str());
    uxtextdisplay_layout(page);
    ASSERT_EQ(page->lines.count, 2);
    EXPECT_EQ(line(page, 0), std::string(200, 'x'));  // the carriage return is dropped
    EXPECT_TRUE(page->scroll.show_h);
    EXPECT_FALSE(page->scroll.show_v);
    EXPECT_NEAR(page->hknob, 100.0 * 296 / 1200, 1e-9);
    EXPECT_EQ(page->visible_lines, (196 - 16) / 13);
}

TEST_F(TextPage, WordWrapBreaksTheSameLine) {
    page = uxtextdisplay_new("x=0,y=0,xs=300,ys=200");
    std::string text;
    for (int i = 0; i < 40; ++i) text += "word ";
    uxtextdisplay_append(page, text.c_str());
    uxtextdisplay_layout(page);
    EXPECT_FALSE(page->scroll.show_h);
    EXPECT_FALSE(page->scroll.show_v);  // fits: laid out again for the whole width
    ASSERT_GT(page->lines.count, 1);
    for (int i = 0; i < page->lines.count; ++i) {
        EXPECT_LE(uxfont_text_width(-1, line(page, i).c_str()), 296) << i;
        if (i > 0) {
            EXPECT_NE(line(page, i)[0], ' ') << "a wrapped word loses its blank";
        }
    }
    EXPECT_EQ(line(page, 0), "word word word word word word word word word word");  // 49 chars
}

TEST_F(TextPage, WordWrapHyphensTabsAndOverwideWords) {
    page = uxtextdisplay_new("x=0,y=0,xs=64,ys=200");  // 60 pixels: 10 characters
    uxtextdisplay_append(page, "abc well-known\nABCDEFGHIJKLMNOP z");
    uxtextdisplay_layout(page);
    ASSERT_EQ(page->lines.count, 4);
    EXPECT_EQ(line(page, 0), "abc well-");
    EXPECT_EQ(line(page, 1), "known");
    EXPECT_EQ(line(page, 2), "ABCDEFGHIJKLMNOP");
    EXPECT_EQ(line(page, 3), "z");
    EXPECT_TRUE(page->scroll.show_h);
}

TEST_F(TextPage, KnobSizesAndScrollingWithManyLines) {
    page = uxtextdisplay_new("x=0,y=0,xs=300,ys=134,nobreak");  // 130 pixels: 10 lines
    for (int i = 0; i < 100; ++i) uxtextdisplay_appendf(page, "line %d\n", i);
    uxtextdisplay_layout(page);
    EXPECT_EQ(page->lines.count, 100);
    EXPECT_TRUE(page->scroll.show_v);
    EXPECT_FALSE(page->scroll.show_h);
    EXPECT_EQ(page->visible_lines, 10);
    EXPECT_DOUBLE_EQ(page->vknob, 10.0);
    EXPECT_EQ(page->first_line, 0);  // the view does not follow appends
    click(&page->scroll.down.base);
    EXPECT_EQ(page->first_line, 1);
    page->scroll.on_scroll(&page->base, 1, UXSCROLL_DRAG, 95.0);
    EXPECT_EQ(page->first_line, 90);  // clamped to the last full page
}

TEST_F(TextPage, ClearStartsAgainAtTheFirstLine) {
    page = uxtextdisplay_new("x=0,y=0,xs=300,ys=134,nobreak");
    for (int i = 0; i < 50; ++i) uxtextdisplay_append(page, "x\n");
    uxtextdisplay_layout(page);
    page->scroll.on_scroll(&page->base, 1, UXSCROLL_PAGE_FORWARD, 0);
    EXPECT_GT(page->first_line, 0);
    uxtextdisplay_clear(page);
    EXPECT_STREQ(uxtextdisplay_text(page), "");
    uxtextdisplay_append(page, "fresh");
    uxtextdisplay_layout(page);
    EXPECT_EQ(page->first_line, 0);
    ASSERT_EQ(page->lines.count, 1);
    EXPECT_EQ(line(page, 0), "fresh");
    EXPECT_EQ(page->base.role, UXROLE_TEXTBOX);
    EXPECT_STREQ(page->base.text(&page->base), "fresh");
}

TEST_F(TextPage, SaveWritesCarriageReturnLineFeed) {
    page = uxtextdisplay_new("x=0,y=0,xs=300,ys=134");
    uxtextdisplay_append(page, "x\ny");
    const char* path = "textdisplay_save_test.txt";
    ASSERT_TRUE(uxtextdisplay_save(page, path));
    EXPECT_EQ(read_file(path), "x\r\ny");
    std::remove(path);
    EXPECT_FALSE(uxtextdisplay_save(page, "/nonexistent-dir/page.txt"));
}

// Two million lines, laid out as they come (every thousand appends, as a module's waits do):
// the end of the page can be scrolled to, painted and saved whole.
TEST_F(TextPage, MillionsOfLinesScrollPaintAndSave) {
    page = uxtextdisplay_new("x=0,y=0,xs=300,ys=134");
    const int n = 2000000;
    for (int i = 0; i < n; ++i) {
        uxtextdisplay_appendf(page, "%7d  some words of a table row\n", i);
        if (i % 1000 == 0) uxtextdisplay_layout(page);
    }
    uxtextdisplay_layout(page);
    ASSERT_EQ(page->lines.count, n);
    page->scroll.on_scroll(&page->base, 1, UXSCROLL_DRAG, 100.0);
    EXPECT_EQ(page->first_line, n - page->visible_lines);
    EXPECT_EQ(line(page, n - 1), "1999999  some words of a table row");
    uxwindow_compose(&win);  // paints the visible lines only
    EXPECT_FALSE(page->relayout_pending);
    const char* path = "textdisplay_millions_test.txt";
    ASSERT_TRUE(uxtextdisplay_save(page, path));
    const std::string saved = read_file(path);
    std::remove(path);
    EXPECT_EQ(saved.size(), static_cast<size_t>(n) * 36);
    EXPECT_EQ(saved.substr(saved.size() - 36), "1999999  some words of a table row\r\n");
}

// Laying out only what was appended gives the lines of a whole layout, in both break modes,
// for words cut by the chunk ends, hyphens, tabs, CR LF and words wider than the line; and a
// word-wrapped page that outgrows its height gets the vertical bar as a fresh page would.
TEST_F(TextPage, AppendedTextIsLaidOutAsAWholeLayoutWould) {
    const char pieces[] = "ab  c-\t\r\nxyzwvuABCDEFGHIJKL";
    unsigned seed = 12345;
    auto next = [&seed](unsigned n) {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 16) % n;
    };
    for (int mode : {UXTEXT_WORDWRAP, UXTEXT_NOBREAK}) {
        for (int round = 0; round < 40; ++round) {
            std::string text;
            uxTextLines grown, whole;
            int width = 20 + static_cast<int>(next(80));
            for (int chunk = 0; chunk < 30; ++chunk) {
                for (unsigned n = next(12); n > 0; --n) text += pieces[next(sizeof pieces - 1)];
                uxtextlines_update(&grown, mode, text.data(), text.size(), -1, 24, width);
                if (mode == UXTEXT_NOBREAK) uxtextlines_nobreak(&whole, text.data(), text.size(), -1, 24);
                else uxtextlines_wrap(&whole, text.data(), text.size(), -1, 24, width);
                ASSERT_EQ(grown.count, whole.count) << text;
                for (int i = 0; i < whole.count; ++i) {
                    ASSERT_EQ(grown.start[i], whole.start[i]) << text;
                    ASSERT_EQ(grown.length[i], whole.length[i]) << text;
                }
                ASSERT_EQ(grown.widest, whole.widest) << text;
                ASSERT_EQ(grown.too_wide, whole.too_wide) << text;
            }
            uxtextlines_free(&grown);
            uxtextlines_free(&whole);
        }
    }
    page = uxtextdisplay_new("x=0,y=0,xs=300,ys=134");  // 10 lines
    std::string all;
    for (int i = 0; i < 30; ++i) {
        std::string row = "row " + std::to_string(i) + " with a few words to wrap on the page\n";
        all += row;
        uxtextdisplay_append(page, row.c_str());
        uxtextdisplay_layout(page);
    }
    uxTextDisplay* fresh = uxtextdisplay_new("x=0,y=0,xs=300,ys=134");
    uxtextdisplay_append(fresh, all.c_str());
    uxtextdisplay_layout(fresh);
    EXPECT_TRUE(page->scroll.show_v);
    ASSERT_EQ(page->lines.count, fresh->lines.count);
    for (int i = 0; i < fresh->lines.count; ++i) EXPECT_EQ(line(page, i), line(fresh, i));
    EXPECT_EQ(page->view_width, fresh->view_width);
    uxtextdisplay_delete(fresh);
}

TEST_F(TextPage, IllegalBreakModeIsReported) {
    page = uxtextdisplay_new("x=0,y=0,xs=300,ys=134");
    page->break_mode = 7;
    testing::internal::CaptureStdout();
    uxtextdisplay_layout(page);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "illegal break code 7 in calctextbox\n");
}

TEST_F(WidgetWindow, SimpleTextBoxKeepsItsOwnCopy) {
    uxSimpleTextDisplay* box = uxsimpletext_new("x=50%%,y=35%%,xs=80%%,ys=60%%");
    char message[32] = "first";
    uxsimpletext_set(box, "%s %d", message, 2);
    message[0] = 'X';
    uxWidget* w = uxsimpletext_widget(box);
    EXPECT_EQ(w->role, UXROLE_TEXTBOX);
    EXPECT_STREQ(w->text(w), "first 2");
    uxwindow_compose(&win);
    uxsimpletext_delete(box);
    uxSimpleTextDisplay* sized = uxsimpletext_new("x=0,y=0,xs=50");
    EXPECT_EQ(sized->base.layout.height, 9 * 13 / 5);  // max(9 x 13 / 5, 13 + 8)
    EXPECT_STREQ(sized->base.text(&sized->base), "");
    uxsimpletext_delete(sized);
}
