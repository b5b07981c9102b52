// Scroll bars: knob geometry, knob drag and arrow clicks moving the owner's view, the corner.
#include <gtest/gtest.h>

#include <string>

#include "tests/toolkit/widgets/test_widgets_fixture.h"
#include "toolkit/widgets/uxscrollbar.h"
#include "toolkit/text/uxterminal.h"
#include "toolkit/text/uxtextdisplay.h"

struct ScrollBars : WidgetWindow {
    uxTerminal* term = nullptr;
    void TearDown() override {
        uxterminal_delete(term);
        WidgetWindow::TearDown();
    }
    // A terminal of 10 visible lines with 100 lines printed: the view is on the last ones.
    void make_terminal() {
        term = uxterminal_new("x=0,y=0,lines=10,columns=30,scrollback=200");
        for (int i = 0; i < 99; ++i) uxterminal_printf(term, "%d\n", i);
    }
};

TEST_F(ScrollBars, KnobSizeAndPositionAreClamped) {
    make_terminal();
    uxScrollBarWidget* bar = &term->scroll.vbar;
    EXPECT_TRUE(term->scroll.show_v);
    EXPECT_FALSE(term->scroll.show_h);
    EXPECT_NEAR(bar->knob_size, 10.0, 1e-9);
    EXPECT_NEAR(bar->knob_pos, 90.0, 1e-9);
    uxscrollbar_set(bar, 150, -3);
    EXPECT_EQ(bar->knob_size, 100);
    EXPECT_EQ(bar->knob_pos, 0);
    uxscrollbar_set(bar, 30, 90);
    EXPECT_EQ(bar->knob_pos, 70);
    int start, length;
    uxscrollbar_set(bar, 0.1, 0);
    uxscrollbar_knob(bar, &start, &length);
    EXPECT_GE(length, 8);  // still big enough to grab
}

TEST_F(ScrollBars, ArrowsAndPagingMoveTheView) {
    make_terminal();
    int top = uxterminal_top_line(term);
    ASSERT_EQ(top, 90);
    click(&term->scroll.up.base);
    EXPECT_EQ(uxterminal_top_line(term), 89);
    click(&term->scroll.down.base);
    click(&term->scroll.down.base);
    EXPECT_EQ(uxterminal_top_line(term), 90);  // not past the end
    // A click on the track above the knob pages back.
    uxWidget* bar = &term->scroll.vbar.base;
    send(UXEV_LDOWN, bar->abs_x + 2, bar->abs_y + 1);
    send(UXEV_LUP, bar->abs_x + 2, bar->abs_y + 1);
    EXPECT_EQ(uxterminal_top_line(term), 80);
}

TEST_F(ScrollBars, DraggingTheKnobScrollsToTheTop) {
    make_terminal();
    uxScrollBarWidget* bar = &term->scroll.vbar;
    int start, length;
    uxscrollbar_knob(bar, &start, &length);
    int x = bar->base.abs_x + 4, y = bar->base.abs_y + start + length / 2;
    send(UXEV_LDOWN, x, y);
    send(UXEV_MOVE, x, y - 1000);
    send(UXEV_LUP, x, y - 1000);
    EXPECT_EQ(uxterminal_top_line(term), 0);
    EXPECT_EQ(bar->knob_pos, 0);
    EXPECT_FALSE(bar->dragging);
    // New output brings the view back to the end.
    uxterminal_print(term, "more\n");
    EXPECT_EQ(uxterminal_top_line(term), term->mem.row - 9);
}

TEST_F(ScrollBars, CornerFillsWhereBothBarsMeet) {
    uxTextDisplay* page = uxtextdisplay_new("x=0,y=0,xs=200,ys=100,nobreak");
    for (int i = 0; i < 30; ++i) uxtextdisplay_append(page, (std::string(60, 'w') + "\n").c_str());
    uxtextdisplay_layout(page);
    uxScrollBarManager* m = &page->scroll;
    EXPECT_TRUE(m->show_v);
    EXPECT_TRUE(m->show_h);
    EXPECT_TRUE(uxwidget_shown(&m->corner.base));
    EXPECT_EQ(m->corner.base.abs_x, m->vbar.base.abs_x);
    EXPECT_EQ(m->corner.base.abs_y, m->hbar.base.abs_y);
    EXPECT_EQ(m->vbar.base.abs_x + m->thickness, 200 - 2);  // inside the border
    click(&m->right.base);
    EXPECT_GT(page->x_offset, 0);
    uxwindow_compose(&win);
    uxtextdisplay_delete(page);
}
