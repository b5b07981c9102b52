// List box, tab control, combo box and window menu.
#include <cstring>

#include "tests/toolkit/widgets/test_widgets_fixture.h"
#include "toolkit/widgets/uxlineinput.h"
#include "toolkit/widgets/uxlistbox.h"

namespace {

using ListWidgets = WidgetWindow;

void click_at(uxWindow* w, int x, int y, int code = UXEV_LDOWN) {
    uxEvent down = {code, {x, y}};
    uxEvent up = {UXEV_LUP, {x, y}};
    uxwindow_dispatch(w, &down);
    uxwindow_dispatch(w, &up);
}

TEST_F(ListWidgets, ListSelectionClickAndDoubleClick) {
    uxListBox l;
    uxlistbox_create(&l, "x=50%%,y=45%%,xs=90%%,ys=70%%");
    for (int i = 0; i < 40; ++i) uxlistbox_add(&l, "row %02d", i);
    EXPECT_STREQ(uxlistbox_row(&l, 7), "row 07");
    EXPECT_EQ(uxlistbox_row(&l, 40), nullptr);
    uxlistbox_select(&l, 30);
    EXPECT_EQ(uxlistbox_selected(&l), 30);
    EXPECT_GT(l.first_visible, 0);  // scrolled into view
    uxlistbox_select(&l, 99);       // out of range: unchanged
    EXPECT_EQ(uxlistbox_selected(&l), 30);
    uxlistbox_show(&l);
    EXPECT_EQ(uxlistbox_selected(&l), -1);
    EXPECT_EQ(l.first_visible, 0);

    int x = 0, y = 0;
    ASSERT_TRUE(l.base.locate(&l.base, 35, nullptr, &x, &y));  // far row: scrolled to
    click_at(&win, x, y);
    EXPECT_EQ(uxlistbox_selected(&l), 35);
    EXPECT_EQ(posted(l.base.id), 0);  // a single click only selects
    click_at(&win, x, y, UXEV_LDBL);
    EXPECT_EQ(posted(l.base.id), 1);
    key(UXKEY_DOWN);
    EXPECT_EQ(uxlistbox_selected(&l), 36);
    key(UXKEY_RETURN);
    EXPECT_EQ(posted(l.base.id), 1);
    EXPECT_FALSE(l.base.locate(&l.base, 40, nullptr, &x, &y));

    uxlistbox_clear(&l);
    uxlistbox_show(&l);
    EXPECT_EQ(uxlistbox_selected(&l), -1);
    EXPECT_EQ(uxlistbox_count(&l), 0);
    key(UXKEY_DOWN);  // empty list: nothing to select
    EXPECT_EQ(uxlistbox_selected(&l), -1);
    uxlistbox_destroy(&l);
}

TEST_F(ListWidgets, TabsSelectPagesAndTheCurrentContainer) {
    uxTabControl t;
    uxtabcontrol_create(&t, "x=0,y=0,xs=100%%,ys=100%%,tabs=Menu|Graphic 1|Text 1");
    ASSERT_EQ(t.count, 3);
    EXPECT_STREQ(t.labels[1], "Graphic 1");
    EXPECT_EQ(t.base.child, &t.pages[0]);
    // Widgets made right after the tab control lie on its first page and go with it.
    EXPECT_EQ(uxcontainer_current(), &t.pages[0]);
    uxButton first;
    uxbutton_create(&first, "WELCOME,x=10,y=10");
    EXPECT_EQ(first.base.container, &t.pages[0]);
    uxtabcontrol_select(&t, 2);
    EXPECT_FALSE(uxwidget_shown(&first.base));
    EXPECT_EQ(uxcontainer_current(), &t.pages[2]);
    uxButton on_page;
    uxbutton_create(&on_page, "save as...,x=10,y=10");
    EXPECT_EQ(on_page.base.container, &t.pages[2]);
    EXPECT_GT(on_page.base.abs_y, t.base.abs_y);  // below the tab row
    uxtabcontrol_select(&t, 0);
    EXPECT_FALSE(uxwidget_shown(&on_page.base));
    EXPECT_TRUE(t.pages[0].visible);
    EXPECT_FALSE(t.pages[2].visible);
    uxtabcontrol_select(&t, 7);  // no such page
    EXPECT_EQ(t.current, 0);

    int x = 0, y = 0;
    ASSERT_TRUE(t.base.locate(&t.base, -1, "Text 1", &x, &y));
    EXPECT_FALSE(t.base.locate(&t.base, -1, "Text 9", &x, &y));
    click_at(&win, x, y);
    EXPECT_EQ(t.current, 2);
    EXPECT_TRUE(uxwidget_shown(&on_page.base));
    EXPECT_EQ(uxcontainer_hit(&win.container, on_page.base.abs_x + 2, on_page.base.abs_y + 2),
              &on_page.base);
    uxcontainer_set_current(&win.container);
    uxbutton_destroy(&on_page);
    uxbutton_destroy(&first);
    uxtabcontrol_destroy(&t);
}

uxWindow* newest_popup() {
    uxWindow* best = nullptr;
    for (int s = 0; s < uxwindow_count_slots(); ++s) {
        uxWindow* w = uxwindow_at(s);
        if (w && w->open && w->popup && (!best || w->created_order > best->created_order))
            best = w;
    }
    return best;
}

uxWidget* first_list(uxWindow* w) {
    for (int i = 0; i < w->container.count; ++i)
        if (w->container.widgets[i]->role == UXROLE_LISTBOX) return w->container.widgets[i];
    return nullptr;
}

TEST_F(ListWidgets, ComboChoosesFromItsPopup) {
    uxComboBox c;
    uxcombobox_create(&c, "x=10,y=10,xs=150,ys=22,entries=none|once|twice");
    EXPECT_EQ(uxcombobox_selected(&c), 0);
    EXPECT_STREQ(uxlineinput_text(&c.input), "none");
    EXPECT_EQ(c.base.role, UXROLE_COMBOBOX);
    EXPECT_TRUE(c.arrow.base.part);
    int x = 0, y = 0;
    ASSERT_TRUE(c.base.locate(&c.base, -1, nullptr, &x, &y));
    click_at(&win, x, y);
    uxWindow* popup = newest_popup();
    ASSERT_NE(popup, nullptr);
    uxWidget* list = first_list(popup);
    ASSERT_NE(list, nullptr);
    ASSERT_TRUE(list->locate(list, 2, nullptr, &x, &y));
    click_at(popup, x, y);
    EXPECT_FALSE(c.popup.window.open);
    EXPECT_EQ(newest_popup(), nullptr);
    EXPECT_EQ(uxcombobox_selected(&c), 2);
    EXPECT_STREQ(uxlineinput_text(&c.input), "twice");
    EXPECT_EQ(posted(c.base.id), 1);
    uxcombobox_select(&c, 5);  // out of range: unchanged
    EXPECT_EQ(uxcombobox_selected(&c), 2);
    uxcombobox_destroy(&c);
}

int quit_calls = 0;
void quit_item(int, void*) { ++quit_calls; }

TEST_F(ListWidgets, MenuOpensTitlesAndRunsItems) {
    uxWindowMenu m;
    uxwindowmenu_create(&m, &win);
    EXPECT_EQ(win.menubar, &m.base);
    EXPECT_GT(win.menu_height, 0);
    EXPECT_EQ(win.container.y, win.menu_height);  // widgets start below the bar
    uxwindowmenu_add_title(&m, "&File");
    int quit = uxwindowmenu_add_item(&m, quit_item, nullptr, "&Quit");
    int about = uxwindowmenu_add_item(&m, nullptr, nullptr, "About");
    uxwindowmenu_add_item(&m, nullptr, nullptr, "Quit");
    uxwindowmenu_add_title(&m, "&Help,rightaligned");
    EXPECT_TRUE(m.titles[1].right);
    EXPECT_GT(m.titles[0].id, 0);
    EXPECT_NE(quit, about);

    quit_calls = 0;
    click_at(&win, 10, win.menu_height / 2);  // the "File" title
    uxWindow* popup = newest_popup();
    ASSERT_NE(popup, nullptr);
    uxWidget* list = first_list(popup);
    // "&Quit" shows its accelerator underlined: more ink than the plain "Quit" row.
    uxwindow_compose(popup);
    auto ink = [&](int row) {
        int rh = uxlistbox_row_height(static_cast<uxListBox*>(list->self)), n = 0;
        for (int py = 0; py < rh; ++py)
            for (int px = 0; px < list->layout.width; ++px)
                n += uxpxmap_getrgb(&popup->client, list->abs_x + px,
                                    list->abs_y + list->border + row * rh + py) ==
                     uxcolor_role(UXCOLOR_TEXT);
        return n;
    };
    EXPECT_GT(ink(0), ink(2));
    int x = 0, y = 0;
    ASSERT_TRUE(list->locate(list, 0, nullptr, &x, &y));
    click_at(popup, x, y);
    EXPECT_EQ(quit_calls, 1);
    EXPECT_EQ(newest_popup(), nullptr);

    click_at(&win, 10, win.menu_height / 2);
    popup = newest_popup();
    ASSERT_NE(popup, nullptr);
    list = first_list(popup);
    ASSERT_TRUE(list->locate(list, 1, nullptr, &x, &y));
    click_at(popup, x, y);
    EXPECT_EQ(posted(about), 1);  // no callback: the id is posted
    uxwindowmenu_destroy(&m);
    EXPECT_EQ(win.menubar, nullptr);
    EXPECT_EQ(win.menu_height, 0);
}

}  // namespace

namespace {

// A list longer than its box shows the vertical bar; its arrows, the track and the wheel
// scroll the rows, keyboard travel keeps the selection in view and the bar follows.
TEST_F(ListWidgets, LongListScrollsThroughItsBar) {
    uxListBox l;
    uxlistbox_create(&l, "x=10,y=10,xs=200,ys=100");
    for (int i = 0; i < 3; ++i) uxlistbox_add(&l, "short %d", i);
    EXPECT_FALSE(l.scroll.show_v);  // three rows fit
    for (int i = 3; i < 50; ++i) uxlistbox_add(&l, "row %02d", i);
    ASSERT_TRUE(l.scroll.show_v);
    EXPECT_TRUE(uxwidget_shown(&l.scroll.vbar.base));
    int rh = uxlistbox_row_height(&l);
    int rows = (100 - 2 * l.base.border) / rh;
    EXPECT_NEAR(l.scroll.vbar.knob_size, 100.0 * rows / 50, 0.01);
    // the bar sits inside the right edge of the box
    EXPECT_EQ(l.scroll.vbar.base.abs_x, l.base.abs_x + 200 - l.base.border - l.scroll.thickness);

    click(&l.scroll.down.base);
    click(&l.scroll.down.base);
    EXPECT_EQ(l.first_visible, 2);
    EXPECT_NEAR(l.scroll.vbar.knob_pos, 100.0 * 2 / 50, 0.01);
    click(&l.scroll.up.base);
    EXPECT_EQ(l.first_visible, 1);
    send(UXEV_WHEELBACK, 50, 50);
    EXPECT_EQ(l.first_visible, 4);
    // a click on the track below the knob pages down by the rows shown
    uxWidget* track = &l.scroll.vbar.base;
    send(UXEV_LDOWN, track->abs_x + 2, track->abs_y + track->layout.height - 2);
    send(UXEV_LUP, track->abs_x + 2, track->abs_y + track->layout.height - 2);
    EXPECT_EQ(l.first_visible, 4 + rows);
    // a click on the bar neither selects nor moves the selection
    EXPECT_EQ(uxlistbox_selected(&l), -1);

    // keyboard travel from the top: the selection stays inside the shown rows
    uxwidget_focus(&l.base);
    key(UXKEY_HOME);
    EXPECT_EQ(l.first_visible, 0);
    for (int i = 0; i < rows + 3; ++i) key(UXKEY_DOWN);
    EXPECT_EQ(uxlistbox_selected(&l), rows + 3);
    EXPECT_EQ(l.first_visible, 4);  // the selected row is the last one shown
    key(UXKEY_END);
    EXPECT_EQ(l.first_visible, 50 - rows);
    EXPECT_NEAR(l.scroll.vbar.knob_pos + l.scroll.vbar.knob_size, 100, 0.01);
    key(UXKEY_PAGEUP);
    EXPECT_EQ(uxlistbox_selected(&l), 49 - rows);
    EXPECT_EQ(l.first_visible, 49 - rows);

    // rows are clicked left of the bar; the bar's column is not part of a row
    int x = 0, y = 0;
    ASSERT_TRUE(l.base.locate(&l.base, 10, nullptr, &x, &y));
    EXPECT_LT(x, l.scroll.vbar.base.abs_x);
    send(UXEV_LDOWN, x, y);
    send(UXEV_LUP, x, y);
    EXPECT_EQ(uxlistbox_selected(&l), 10);

    uxlistbox_clear(&l);
    EXPECT_FALSE(l.scroll.show_v);  // nothing to scroll any more
    uxlistbox_destroy(&l);
}

// Open popups close on a press anywhere outside them, without choosing; a press on the combo
// box's arrow or on the menu bar still toggles as before.
TEST_F(ListWidgets, PopupsCloseOnAPressOutside) {
    uxComboBox c;
    uxcombobox_create(&c, "x=10,y=10,xs=150,ys=22,entries=none|once|twice");
    uxButton other;
    uxbutton_create(&other, "other,x=10,y=200,xs=80,ys=24");
    int x = 0, y = 0;
    ASSERT_TRUE(c.base.locate(&c.base, -1, nullptr, &x, &y));
    click_at(&win, x, y);
    ASSERT_NE(newest_popup(), nullptr);
    click_at(&win, 300, 250);  // empty space in the window
    EXPECT_EQ(newest_popup(), nullptr);
    EXPECT_FALSE(c.popup.window.open);
    EXPECT_EQ(c.popup_list, nullptr);
    EXPECT_EQ(uxcombobox_selected(&c), 0);
    EXPECT_EQ(posted(c.base.id), 0);

    click_at(&win, x, y);  // the arrow opens ...
    ASSERT_NE(newest_popup(), nullptr);
    click_at(&win, x, y);  // ... and closes again
    EXPECT_EQ(newest_popup(), nullptr);

    click_at(&win, x, y);
    ASSERT_NE(newest_popup(), nullptr);
    click(&other.base);  // a press on another widget closes it and still reaches that widget
    EXPECT_EQ(newest_popup(), nullptr);
    EXPECT_EQ(posted(other.base.id), 1);

    uxWindowMenu m;
    uxwindowmenu_create(&m, &win);
    uxwindowmenu_add_title(&m, "&File");
    uxwindowmenu_add_item(&m, quit_item, nullptr, "&Quit");
    quit_calls = 0;
    click_at(&win, 10, win.menu_height / 2);
    ASSERT_NE(newest_popup(), nullptr);
    EXPECT_EQ(m.open_title, 0);
    click_at(&win, 300, 250);
    EXPECT_EQ(newest_popup(), nullptr);
    EXPECT_EQ(m.open_title, -1);
    EXPECT_EQ(quit_calls, 0);
    click_at(&win, 10, win.menu_height / 2);  // the title opens ...
    ASSERT_NE(newest_popup(), nullptr);
    click_at(&win, 10, win.menu_height / 2);  // ... and closes again
    EXPECT_EQ(newest_popup(), nullptr);

    // The combo box's list closes when the menu opens, and the other way round.
    ASSERT_TRUE(c.base.locate(&c.base, -1, nullptr, &x, &y));  // moved below the menu bar
    click_at(&win, x, y);
    ASSERT_TRUE(c.popup.window.open);
    click_at(&win, 10, win.menu_height / 2);
    EXPECT_FALSE(c.popup.window.open);
    EXPECT_EQ(m.open_title, 0);
    uxwindowmenu_destroy(&m);
    uxbutton_destroy(&other);
    uxcombobox_destroy(&c);
}

}  // namespace

namespace {

// While a popup list is open the keys go to it: Down moves its selection, Return chooses,
// Escape closes it without a choice; the field's text follows only a choice.
TEST_F(ListWidgets, OpenPopupTakesTheKeys) {
    uxComboBox c;
    uxcombobox_create(&c, "x=10,y=10,xs=150,ys=22,entries=none|once|twice");
    uxwidget_focus(&c.input.base);
    key(UXKEY_DOWN);  // Down in the field opens the list
    ASSERT_TRUE(c.popup.window.open);
    key(UXKEY_DOWN);
    key(UXKEY_DOWN);
    EXPECT_STREQ(uxlineinput_text(&c.input), "none");  // moving in the list chooses nothing yet
    key(UXKEY_RETURN);
    EXPECT_FALSE(c.popup.window.open);
    EXPECT_EQ(uxcombobox_selected(&c), 2);
    EXPECT_STREQ(uxlineinput_text(&c.input), "twice");
    EXPECT_EQ(posted(c.base.id), 1);

    key(UXKEY_DOWN);
    ASSERT_TRUE(c.popup.window.open);
    key(UXKEY_UP);
    key(UXKEY_ESCAPE);
    EXPECT_FALSE(c.popup.window.open);
    EXPECT_EQ(uxcombobox_selected(&c), 2);
    EXPECT_EQ(posted(c.base.id), 0);
    // with the list gone the keys reach the field again
    type("x");
    EXPECT_STREQ(uxlineinput_text(&c.input), "twicex");

    uxWindowMenu m;
    uxwindowmenu_create(&m, &win);
    uxwindowmenu_add_title(&m, "&File");
    uxwindowmenu_add_item(&m, quit_item, nullptr, "&Open");
    uxwindowmenu_add_item(&m, quit_item, nullptr, "&Quit");
    quit_calls = 0;
    click_at(&win, 10, win.menu_height / 2);
    ASSERT_NE(newest_popup(), nullptr);
    key(UXKEY_DOWN);
    key(UXKEY_RETURN);
    EXPECT_EQ(quit_calls, 1);
    EXPECT_EQ(newest_popup(), nullptr);
    uxwindowmenu_destroy(&m);
    uxcombobox_destroy(&c);
}

}  // namespace
