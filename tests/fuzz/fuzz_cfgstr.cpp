// Property strings: the first byte of the input picks a widget kind, the rest is one property
// string. The widget is created from it in a headless window, filled and printed to, painted,
// squeezed to a few pixels by resizing the window, printed to and painted again, and destroyed.
//
// Speed: this harness ran at about 21 inputs a second, slower the longer it ran. Three causes:
//   - the terminal asks for a low-priority repaint, whose list only a timer tick empties; the
//     harness never let the clock tick, so the list grew with every input and each request
//     searched all of it. Each input now ends with a tick, as the program's loop gives one;
//   - every input built all thirteen widget kinds and painted them four times; now it builds
//     the one kind its first byte names (the fuzzer reaches every kind through that byte);
//   - a window of 320 x 240 was made per input; now one small window (32 x 24) serves all,
//     and the parsing and layout this harness is for take the same paths at any size.
#include <cstdint>

#include "tests/fuzz/fuzz_support.h"
#include "toolkit/core/uxevent.h"
#include "toolkit/core/uxwindow.h"
#include "toolkit/drawing/uxscreengraphic.h"
#include "toolkit/platform/uxplatform.h"
#include "toolkit/text/uxterminal.h"
#include "toolkit/text/uxtextdisplay.h"
#include "toolkit/widgets/uxbutton.h"
#include "toolkit/widgets/uxlineinput.h"
#include "toolkit/widgets/uxlistbox.h"

namespace {

const char kText[] =
    "Line one of the text\n\tand a tab, a long word Donaudampfschifffahrtsgesellschaft and\n"
    "\x1b[31mcolour\x1b[0m \x1b[5;3Hmoved 1234567890 1234567890 1234567890\n";

const int kWidth = 32, kHeight = 24;

uxButton button;
uxLabel label;
uxBar bar;
uxLineInput input;
uxUpDownControl updown;
uxComboBox combo;
uxListBox list;
uxTabControl tabs;
uxProgressBar progress;
uxScreenGraphic graphic;
uxTerminal* terminal;
uxTextDisplay* text;
uxSimpleTextDisplay* simple;

void nothing() {}

// One widget kind: made from the property string, given content, given more content while
// squeezed, destroyed.
struct Kind {
    void (*make)(const char* s);
    void (*fill)();
    void (*more)();
    void (*destroy)();
};

const Kind kKinds[] = {
    {[](const char* s) { uxbutton_create(&button, "%s", s); }, nothing, nothing,
     [] { uxbutton_destroy(&button); }},
    {[](const char* s) { uxlabel_create(&label, "%s", s); }, [] { uxlabel_set_text(&label, kText); },
     nothing, [] { uxlabel_destroy(&label); }},
    {[](const char* s) { uxbar_create(&bar, "%s", s); }, nothing, nothing, [] { uxbar_destroy(&bar); }},
    {[](const char* s) { uxlineinput_create(&input, "%s", s); },
     [] { uxlineinput_set_text(&input, "some text in the field"); }, nothing,
     [] { uxlineinput_destroy(&input); }},
    {[](const char* s) { uxupdown_create(&updown, "%s", s); },
     [] { uxupdown_set_value(&updown, 12345); }, nothing, [] { uxupdown_destroy(&updown); }},
    {[](const char* s) { uxcombobox_create(&combo, "%s", s); }, nothing, nothing,
     [] { uxcombobox_destroy(&combo); }},
    {[](const char* s) { uxlistbox_create(&list, "%s", s); },
     [] { uxlistbox_add(&list, "%s", "row"); }, nothing, [] { uxlistbox_destroy(&list); }},
    {[](const char* s) { uxtabcontrol_create(&tabs, "%s", s); }, nothing, nothing,
     [] { uxtabcontrol_destroy(&tabs); }},
    {[](const char* s) { uxprogressbar_create(&progress, "%s", s); },
     [] { uxprogressbar_set(&progress, 50); }, nothing, [] { uxprogressbar_destroy(&progress); }},
    {[](const char* s) { uxgraphic_create(&graphic, "%s", s); },
     [] {
         uxgraphic_select(&graphic);
         uxgraphic_text(3, 4, 0xFF0000, "text");
         uxgraphic_rect(-5, -5, 40, 30, 0x00FF00);
     },
     nothing, [] { uxgraphic_destroy(&graphic); }},
    {[](const char* s) { terminal = uxterminal_new("%s", s); },
     [] { uxterminal_print(terminal, kText); },
     [] {
         uxterminal_print(terminal, kText);
         uxterminal_print(terminal, "x\ny\n");
     },
     [] { uxterminal_delete(terminal); }},
    {[](const char* s) { text = uxtextdisplay_new("%s", s); },
     [] {
         uxtextdisplay_append(text, kText);
         uxtextdisplay_layout(text);
     },
     [] {
         uxtextdisplay_append(text, kText);
         uxtextdisplay_layout(text);
     },
     [] { uxtextdisplay_delete(text); }},
    {[](const char* s) { simple = uxsimpletext_new("%s", s); },
     [] { uxsimpletext_set(simple, "%s", kText); }, nothing, [] { uxsimpletext_delete(simple); }},
};
const unsigned kKindCount = sizeof kKinds / sizeof kKinds[0];

void resize(uxWindow* win, int width, int height) {
    uxEvent ev = {UXEV_RESIZE, {width, height}};
    uxwindow_dispatch(win, &ev);
    uxwindow_compose(win);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    fuzz_headless();
    const Kind& kind = kKinds[data[0] % kKindCount];
    char* s = fuzz_string(data + 1, size - 1, 2000);
    static uxWindow win;
    static bool made = false;
    if (!made) made = uxwindow_create(&win, "fuzz,x=0,y=0,xs=%d,ys=%d", kWidth, kHeight);
    uxcontainer_set_current(&win.container);

    kind.make(s);
    kind.fill();
    uxwindow_compose(&win);
    // Squeezed to a few pixels, printed to, and back.
    resize(&win, 7, 5);
    kind.more();
    resize(&win, 1, 2);
    kind.more();
    resize(&win, kWidth, kHeight);
    kind.destroy();

    uxplatform->sleep_ms(200);
    uxevent_process_messages();
    uxevent_reset();
    delete[] s;
    return 0;
}
