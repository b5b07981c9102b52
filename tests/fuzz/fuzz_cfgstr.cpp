// Property strings: the input is one property string; every widget kind is created from it in a
// headless window, printed to, painted, squeezed to a few pixels by resizing the window, painted
// again and destroyed.
//
// Speed (it ran at about 21 inputs a second, slower the longer it ran): the terminal asks for a
// low-priority repaint, whose list is emptied only by a timer tick; the harness never let the
// clock tick, so the list grew by the requests of every input and each new request searched it
// all. Now each input ends with a tick (the virtual clock advanced, messages processed), as the
// program's loop does. And the window is made once and small (64 x 48): painting thirteen
// widgets over 320 x 240 three times took most of the rest, pixel by pixel under the coverage
// counters, while the parsing and layout this harness is for take the same paths at any size.
#include <cstdint>

#include "tests/fuzz/fuzz_support.h"
#include "toolkit/core/uxevent.h"
#include "toolkit/platform/uxplatform.h"
#include "toolkit/core/uxwindow.h"
#include "toolkit/drawing/uxscreengraphic.h"
#include "toolkit/text/uxterminal.h"
#include "toolkit/text/uxtextdisplay.h"
#include "toolkit/widgets/uxbutton.h"
#include "toolkit/widgets/uxlineinput.h"
#include "toolkit/widgets/uxlistbox.h"

static const char kText[] =
    "Line one of the text\n\tand a tab, a long word Donaudampfschifffahrtsgesellschaft and\n"
    "\x1b[31mcolour\x1b[0m \x1b[5;3Hmoved 1234567890 1234567890 1234567890\n";

static const int kWidth = 32, kHeight = 24;

static void resize(uxWindow* win, int width, int height) {
    uxEvent ev = {UXEV_RESIZE, {width, height}};
    uxwindow_dispatch(win, &ev);
    uxwindow_compose(win);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz_headless();
    char* s = fuzz_string(data, size, 2000);
    static uxWindow win;
    static bool made = false;
    if (!made) made = uxwindow_create(&win, "fuzz,x=0,y=0,xs=%d,ys=%d", kWidth, kHeight);
    uxcontainer_set_current(&win.container);

    uxButton button;
    uxbutton_create(&button, "%s", s);
    uxLabel label;
    uxlabel_create(&label, "%s", s);
    uxBar bar;
    uxbar_create(&bar, "%s", s);
    uxLineInput input;
    uxlineinput_create(&input, "%s", s);
    uxUpDownControl updown;
    uxupdown_create(&updown, "%s", s);
    uxComboBox combo;
    uxcombobox_create(&combo, "%s", s);
    uxListBox list;
    uxlistbox_create(&list, "%s", s);
    uxTabControl tabs;
    uxtabcontrol_create(&tabs, "%s", s);
    uxProgressBar progress;
    uxprogressbar_create(&progress, "%s", s);
    uxScreenGraphic graphic;
    uxgraphic_create(&graphic, "%s", s);
    uxTerminal* terminal = uxterminal_new("%s", s);
    uxTextDisplay* text = uxtextdisplay_new("%s", s);
    uxSimpleTextDisplay* simple = uxsimpletext_new("%s", s);

    uxterminal_print(terminal, kText);
    uxtextdisplay_append(text, kText);
    uxlistbox_add(&list, "%s", "row");
    uxsimpletext_set(simple, "%s", kText);
    uxlabel_set_text(&label, kText);
    uxlineinput_set_text(&input, "some text in the field");
    uxupdown_set_value(&updown, 12345);
    uxprogressbar_set(&progress, 50);
    uxgraphic_select(&graphic);
    uxgraphic_text(3, 4, 0xFF0000, "text");
    uxgraphic_rect(-5, -5, 40, 30, 0x00FF00);
    uxtextdisplay_layout(text);
    uxwindow_compose(&win);
    // Squeezed to a few pixels, printed to, and back.
    resize(&win, 7, 5);
    uxterminal_print(terminal, kText);
    uxtextdisplay_append(text, kText);
    uxtextdisplay_layout(text);
    resize(&win, 1, 2);
    uxterminal_print(terminal, "x\ny\n");
    resize(&win, kWidth, kHeight);

    uxsimpletext_delete(simple);
    uxtextdisplay_delete(text);
    uxterminal_delete(terminal);
    uxgraphic_destroy(&graphic);
    uxprogressbar_destroy(&progress);
    uxtabcontrol_destroy(&tabs);
    uxlistbox_destroy(&list);
    uxcombobox_destroy(&combo);
    uxupdown_destroy(&updown);
    uxlineinput_destroy(&input);
    uxbar_destroy(&bar);
    uxlabel_destroy(&label);
    uxbutton_destroy(&button);
    uxplatform->sleep_ms(200);
    uxevent_process_messages();
    uxevent_reset();
    delete[] s;
    return 0;
}
