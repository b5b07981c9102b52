// One window holding every widget kind, composed and saved as widget-gallery/gallery-NAME.png
// in the working directory (NAME is the back end), to be looked at: frames, text, arrows and
// the focus. The checks below catch the faults one would see: parts drawn outside their owner,
// missing arrows, focus not shown.
//
// The back end is headless unless UX_PLATFORM says otherwise; under a real X server
// (xvfb-run with UX_PLATFORM=sdl) the window is also shown, and UX_GALLERY_HOLD=SECONDS keeps
// it open that long so that the screen can be captured from outside.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>

#include "toolkit/platform/uxplatform.h"
#include "toolkit/widgets/uxbutton.h"
#include "toolkit/core/uxentry.h"
#include "toolkit/core/uxevent.h"
#include "toolkit/drawing/uxfont.h"
#include "toolkit/widgets/uxlineinput.h"
#include "toolkit/widgets/uxlistbox.h"
#include "toolkit/drawing/uxpicture.h"
#include "toolkit/drawing/uxscreengraphic.h"
#include "toolkit/text/uxterminal.h"
#include "toolkit/text/uxtextdisplay.h"
#include "toolkit/core/uxwindow.h"

namespace {

// Pixels of `colour` inside a widget's rectangle of the composed window.
int count_colour(const uxWindow* win, const uxWidget* w, int colour) {
    int n = 0;
    for (int y = w->abs_y; y < w->abs_y + w->layout.height; ++y)
        for (int x = w->abs_x; x < w->abs_x + w->layout.width; ++x)
            n += uxpxmap_getrgb(&win->client, x, y) == colour;
    return n;
}

TEST(WidgetGallery, EveryKindInOneWindow) {
    setenv("UX_PLATFORM", "headless", 0);  // a back end given from outside stays
    ASSERT_TRUE(uxentry_init());
    uxevent_reset();
    uxWindow win;
    ASSERT_TRUE(uxwindow_create(&win, "Widget gallery,x=0,y=0,xs=720,ys=560"));
    uxWindowMenu menu;
    uxwindowmenu_create(&menu, &win);
    uxwindowmenu_add_title(&menu, "&File");
    uxwindowmenu_add_item(&menu, nullptr, nullptr, "&Quit");
    uxwindowmenu_add_title(&menu, "&Help,rightaligned");

    int font = uxfont_builtin("builtin 6x13");
    uxButton ok, quit, flat, off, up, down, left, right;
    uxbutton_create(&ok, "&OK,x=10,y=10,xs=90,default,fontid=%d", font);
    uxbutton_create(&quit, "quit,x=110,y=10,xs=90,fontid=%d", font);
    uxbutton_create(&flat, "flat,x=210,y=10,xs=90,flat,fontid=%d", font);
    uxbutton_create(&off, "disabled,x=310,y=10,xs=90,fontid=%d", font);
    uxbutton_disable(&off);
    uxbutton_create(&up, "up,arrow,x=410,y=10,xs=24,ys=24");
    uxbutton_create(&down, "down,arrow,x=440,y=10,xs=24,ys=24");
    uxbutton_create(&left, "left,smallarrow,x=470,y=10,xs=24,ys=24");
    uxbutton_create(&right, "right,smallarrow,x=500,y=10,xs=24,ys=24");

    uxLabel label;
    uxlabel_create(&label, "day:,x=10,y=45,fontid=%d", font);
    uxLineInput line;
    uxlineinput_create(&line, "x=60,y=45,xs=140,maxlen=20,default=1950,fontid=%d", font);
    uxUpDownControl updown;
    uxupdown_create(&updown, "x=210,y=45,xs=70,min=0,max=23,start=12,digits=2,fontid=%d", font);
    uxComboBox combo;
    uxcombobox_create(&combo, "x=290,y=45,xs=150,ys=24,entries=Julian|Gregorian|both,fontid=%d",
                      font);
    uxProgressBar progress;
    uxprogressbar_create(&progress, "x=450,y=45,xs=200,ys=20");
    uxprogressbar_set(&progress, 40);
    uxBar bar;
    uxbar_create(&bar, "x=10,y=78,xs=690,ys=6");

    uxListBox list;
    uxlistbox_create(&list, "x=10,y=90,xs=200,ys=150,fontid=%d", font);
    for (int i = 0; i < 30; ++i) uxlistbox_add(&list, "place %02d", i);
    uxlistbox_select(&list, 3);
    uxSimpleTextDisplay* simple = uxsimpletext_new("x=220,y=90,xs=200,ys=70,fontid=%d", font);
    uxsimpletext_set(simple, "A simple text box wraps its text inside the box on the face.");
    uxTextDisplay* page = uxtextdisplay_new("x=430,y=90,xs=270,ys=150,border,nobreak,fontid=%d",
                                            font);
    for (int i = 1; i <= 20; ++i)
        uxtextdisplay_appendf(page, "%2d\ta text page line that is wider than the page\n", i);
    uxtextdisplay_layout(page);
    uxScreenGraphic graphic;
    uxgraphic_create(&graphic, "x=220,y=170,xs=200,ys=70,border,pxs=400,pys=200,background=white");
    uxgraphic_circle(60, 35, 25, 0xC00000);
    uxgraphic_line(0, 0, 399, 199, 0x0000C0);
    uxgraphic_text(100, 10, 0x008000, "drawing surface");

    uxTerminal* term = uxterminal_new("x=10,y=250,xs=400,ys=140,scrollback=200,fontid=%d", font);
    for (int i = 0; i < 12; ++i) uxterminal_printf(term, "line %d of the terminal\n", i);
    uxterminal_print(term, "\x1b[31mred\x1b[0m, \x1b[44;33myellow on blue\x1b[0m, \x0elqqk\x0f");
    uxterminal_print(term, " \x1b(0\x0elqwqk\x0f");

    uxTabControl tabs;
    uxtabcontrol_create(&tabs, "x=420,y=250,xs=280,ys=140,tabs=Menu|Graphic 1|Text 1,fontid=%d",
                        font);
    uxButton on_page;
    uxbutton_create(&on_page, "on the page,x=10,y=10,xs=120,fontid=%d", font);
    uxcontainer_set_current(&win.container);

    uxwidget_focus(&line.base);
    uxwindow_compose(&win);

    // The focused line input shows its cursor, the default and disabled buttons their text,
    // the arrows their triangles in the text colour.
    int text = uxcolor_role(UXCOLOR_TEXT);
    EXPECT_GT(count_colour(&win, &up.base, text), 10);
    EXPECT_GT(count_colour(&win, &left.base, text), 3);
    EXPECT_GT(count_colour(&win, &off.base, uxcolor_role(UXCOLOR_WHITE)), 10);  // engraved
    EXPECT_GT(count_colour(&win, &list.base, uxcolor_role(UXCOLOR_HIGHLIGHT)), 100);
    EXPECT_TRUE(list.scroll.show_v);
    EXPECT_TRUE(page->scroll.show_h);
    EXPECT_TRUE(graphic.scroll.show_h && graphic.scroll.show_v);
    // Parts stay inside their owners.
    const uxWidget* parts[] = {&list.scroll.vbar.base, &graphic.scroll.hbar.base,
                               &updown.up.base, &combo.arrow.base};
    const uxWidget* owners[] = {&list.base, &graphic.base, &updown.base, &combo.base};
    for (int i = 0; i < 4; ++i) {
        EXPECT_GE(parts[i]->abs_x, owners[i]->abs_x) << i;
        EXPECT_LE(parts[i]->abs_x + parts[i]->layout.width,
                  owners[i]->abs_x + owners[i]->layout.width) << i;
        EXPECT_LE(parts[i]->abs_y + parts[i]->layout.height,
                  owners[i]->abs_y + owners[i]->layout.height) << i;
    }

    ::mkdir("widget-gallery", 0777);
    char path[128];
    std::snprintf(path, sizeof path, "widget-gallery/gallery-%s.png", uxplatform->name);
    EXPECT_TRUE(uxpxmap_savetofile(&win.client, path));

    if (const char* hold = std::getenv("UX_GALLERY_HOLD")) {
        uxwindow_redraw_all();
        uxSleep(std::atof(hold));
    }

    uxbutton_destroy(&on_page);
    uxtabcontrol_destroy(&tabs);
    uxterminal_delete(term);
    uxgraphic_destroy(&graphic);
    uxtextdisplay_delete(page);
    uxsimpletext_delete(simple);
    uxlistbox_destroy(&list);
    uxbar_destroy(&bar);
    uxprogressbar_destroy(&progress);
    uxcombobox_destroy(&combo);
    uxupdown_destroy(&updown);
    uxlineinput_destroy(&line);
    uxlabel_destroy(&label);
    for (uxButton* b : {&right, &left, &down, &up, &off, &flat, &quit, &ok}) uxbutton_destroy(b);
    uxwindowmenu_destroy(&menu);
    uxwindow_destroy(&win);
    uxevent_reset();
}

}  // namespace
