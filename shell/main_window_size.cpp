// The main window's minimum size, found by laying the window out at trial sizes.

#include "shell/main_window_size.h"

#include "shell/shell_widgets.h"
#include "toolkit/core/uxevent.h"
#include "toolkit/widgets/uxbutton.h"
#include "toolkit/drawing/uxfont.h"
#include "toolkit/platform/uxplatform.h"
#include "toolkit/text/uxterminal.h"

namespace {

// Widgets closer than a pixel count as touching: each frame needs its own line.
bool overlap(const uxWidget* a, const uxWidget* b) {
    const int gap = 1;
    return a->abs_x < b->abs_x + b->layout.width + gap &&
           b->abs_x < a->abs_x + a->layout.width + gap &&
           a->abs_y < b->abs_y + b->layout.height + gap &&
           b->abs_y < a->abs_y + a->layout.height + gap;
}

bool caption_fits(const uxWidget* w) {
    if (w->role != UXROLE_BUTTON || w->part || !w->caption) return true;
    int room_x = w->layout.width - 2 * w->border - 8;  // a few pixels apart from the frame
    int room_y = w->layout.height - 2 * w->border;
    return uxcaption_width(w->fontid, w->caption) <= room_x && uxfont_height(w->fontid) <= room_y;
}

bool container_whole(const uxContainer* c) {
    for (int i = 0; i < c->count; ++i) {
        const uxWidget* w = c->widgets[i];
        if (w->part) continue;
        if (!caption_fits(w)) return false;
        for (int k = i + 1; k < c->count; ++k)
            if (!c->widgets[k]->part && overlap(w, c->widgets[k])) return false;
    }
    return true;
}

void lay_out_at(int width, int height) {
    uxEvent ev = {UXEV_RESIZE, {width, height}};
    uxwindow_dispatch(&gMainWindow, &ev);
}

// The smallest value in [low, high] for which `whole(value)` holds, the predicate growing true
// with the value; high when none below it does.
template <typename Fn>
int smallest(int low, int high, Fn whole) {
    while (low < high) {
        int mid = (low + high) / 2;
        if (whole(mid)) high = mid;
        else low = mid + 1;
    }
    return high;
}

}  // namespace

bool MainWindowIsWhole() {
    const uxTabControl* t = &gTabControl;
    int tabs = 0;
    for (int i = 0; i < t->count; ++i) tabs += uxcaption_width(t->base.fontid, t->labels[i]) + 12;
    if (tabs > t->base.layout.width) return false;
    for (int i = 0; i < t->count; ++i)
        if (!container_whole(&t->pages[i])) return false;
    // the window's own row: quit button, progress bar, busy indicator (the tab control above)
    return container_whole(&gMainWindow.container);
}

void KeepMainWindowWhole(int* min_width, int* min_height) {
    const int width = gMainWindow.layout.width, height = gMainWindow.layout.height;
    // The terminal sits out the trial sizes: its text memory keeps the rows of the largest size
    // it was ever given, and the terminal would show blank rows after them.
    uxWidget* terminal = gTerminal ? uxterminal_widget(gTerminal) : nullptr;
    void (*terminal_relayout)(uxWidget*) = terminal ? terminal->relayout : nullptr;
    if (terminal) terminal->relayout = nullptr;
    constexpr int kLargest = 8192;
    int w = smallest(100, kLargest, [](int v) {
        lay_out_at(v, kLargest);
        return MainWindowIsWhole();
    });
    int h = smallest(100, kLargest, [w](int v) {
        lay_out_at(w, v);
        return MainWindowIsWhole();
    });
    *min_width = w;
    *min_height = h;
    if (terminal) terminal->relayout = terminal_relayout;
    int keep_w = width > w ? width : w, keep_h = height > h ? height : h;
    lay_out_at(keep_w, keep_h);
    if (keep_w != width || keep_h != height)
        uxplatform->window_resize(gMainWindow.handle, keep_w, keep_h);
    if (uxplatform->window_min_size) uxplatform->window_min_size(gMainWindow.handle, w, h);
}
