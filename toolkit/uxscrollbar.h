#pragma once
// Scroll bars: a bar widget with a knob, the corner filler, and the manager that gives an owner
// (terminal, text page, list box, drawing surface) a vertical and a horizontal bar with arrows.

#include "toolkit/uxbutton.h"
#include "toolkit/uxwidget.h"

struct uxScrollBarWidget {
    uxWidget base;
    bool vertical = true;
    double knob_size = 100, knob_pos = 0;  // percent
    bool dragging = false;
    int drag_offset = 0;
    struct uxScrollBarManager* manager = nullptr;
};

struct uxScrollBarCorner {
    uxWidget base;
};

// The owner is told about scrolling through this callback: axis 0 horizontal, 1 vertical;
// `action` is one of the UXSCROLL_* values, `value` the new knob position in percent for DRAG.
enum { UXSCROLL_LINE_BACK = 1, UXSCROLL_LINE_FORWARD, UXSCROLL_PAGE_BACK, UXSCROLL_PAGE_FORWARD,
       UXSCROLL_DRAG };
using uxScrollFn = void (*)(uxWidget* owner, int axis, int action, double value);

struct uxScrollBarManager {
    uxScrollBarWidget vbar, hbar;
    uxButton up, down, left, right;
    uxScrollBarCorner corner;
    uxWidget* owner = nullptr;
    uxScrollFn on_scroll = nullptr;
    bool show_v = false, show_h = false;
    int thickness = 16;
};
// Creates the parts in the current container (after the owner).
void uxscrollbars_create(uxScrollBarManager* m, uxWidget* owner, uxScrollFn on_scroll);
void uxscrollbars_destroy(uxScrollBarManager* m);
// Shows or hides each bar and places the parts inside the owner's rectangle (right and bottom
// edges inside its border). Returns through *inner_w / *inner_h the room left for content.
void uxscrollbars_place(uxScrollBarManager* m, bool vertical, bool horizontal, int* inner_w,
                        int* inner_h);
void uxscrollbars_set(uxScrollBarManager* m, int axis, double knob_size, double knob_pos);
