// The automation commands driving the input widgets of a dialog: a script is run by the waits
// exactly as in a headless program run, and the widgets end in the states a person would leave.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "toolkit/widgets/uxbutton.h"
#include "toolkit/core/uxentry.h"
#include "toolkit/core/uxevent.h"
#include "toolkit/widgets/uxlineinput.h"
#include "toolkit/widgets/uxlistbox.h"
#include "toolkit/automation/uxscript.h"
#include "toolkit/text/uxtextdisplay.h"
#include "toolkit/core/uxwindow.h"

namespace {

int picked = 0;
void list_chosen(int, void*) { ++picked; }

TEST(ScriptedWidgets, CommandsDriveEveryInputWidget) {
    setenv("UX_PLATFORM", "headless", 1);
    ASSERT_TRUE(uxentry_init());
    uxevent_reset();
    std::string path = ::testing::TempDir() + "widgets.uxs";
    FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fputs("expect \"Choose a place\"\n"
               "expect-text \"Pick one\"\n"
               "input 1 Stra\xc3\x9f" "e\n"  // UTF-8 in the script, Latin-1 in the widget
               "input 2 30\n"                // the up/down control clamps to its maximum
               "input 3 \"x\"\n"              // the combo box's field counts as one input
               "combo 2\n"
               "select 35\n"                 // a row far down: the list scrolls to it
               "key Down\n"
               "double 37\n"
               "key Tab 2\n"                 // past OK and round to the first field
               "key End\n"
               "type !\n"
               "click OK\n",
               f);
    std::fclose(f);

    uxWindow win;
    ASSERT_TRUE(uxwindow_create(&win, "Choose a place,x=0,y=0,xs=500,ys=400,modal"));
    uxSimpleTextDisplay* note = uxsimpletext_new("x=10,y=5,xs=480,ys=30");
    uxsimpletext_set(note, "Pick one of the %d places", 40);
    uxLineInput name;
    uxlineinput_create(&name, "x=10,y=40,xs=150");
    uxUpDownControl hour;
    uxupdown_create(&hour, "x=170,y=40,xs=60,min=0,max=23,start=12,digits=2");
    uxComboBox kind;
    uxcombobox_create(&kind, "x=240,y=40,xs=150,ys=24,entries=town|village|city");
    uxListBox list;
    uxlistbox_create(&list, "x=10,y=80,xs=300,ys=200");
    for (int i = 0; i < 40; ++i) uxlistbox_add(&list, "place %02d", i);
    uxwidget_set_trigger(&list.base, list_chosen, &list);  // with a user value: not held back
    uxButton ok;
    uxbutton_create(&ok, "OK,x=400,y=350,xs=80,default");
    uxwidget_focus(&name.base);

    setenv("UX_SCRIPT", path.c_str(), 1);
    picked = 0;
    uxscript_start();
    int id = uxWaitForEvents(1, uxbutton_id(&ok));
    uxevent_set_idle_hook(nullptr);
    unsetenv("UX_SCRIPT");

    EXPECT_EQ(id, uxbutton_id(&ok));
    EXPECT_STREQ(uxlineinput_text(&name), "Stra\xdf" "e!");
    EXPECT_EQ(uxupdown_get_value(&hour), 23);
    EXPECT_EQ(uxcombobox_selected(&kind), 2);
    EXPECT_STREQ(uxlineinput_text(&kind.input), "city");
    EXPECT_EQ(uxlistbox_selected(&list), 37);
    EXPECT_EQ(picked, 1);  // the double click chose the row
    EXPECT_LE(list.first_visible, 37);
    EXPECT_GT(list.first_visible, 0);
    EXPECT_TRUE(list.scroll.show_v);

    uxbutton_destroy(&ok);
    uxlistbox_destroy(&list);
    uxcombobox_destroy(&kind);
    uxupdown_destroy(&hour);
    uxlineinput_destroy(&name);
    uxsimpletext_delete(note);
    uxwindow_destroy(&win);
    uxevent_reset();
    std::remove(path.c_str());
}

}  // namespace
