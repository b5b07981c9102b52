#pragma once
// Scroll bars: a bar widget with a knob, the corner filler, and the manager that gives an owner
// (terminal, text page, list box, drawing surface) a vertical and a horizontal bar with arrows.

#include "toolkit/widgets/uxbutton.h"
#include "toolkit/core/uxwidget.h"

struct uxScrollBarWidget {
    uxWidget base;
    bool vertical = true;
    double knob_size = 100, knob_pos = 0;  // percent of the track
    bool dragging = false;
    int drag_offset = 0;  // pointer position inside the knob when the drag began
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
    bool created = false;
    int thickness = 16;
};

// A single bar ("vert"/"vertical" or "hor"/"horizontal" plus geometry); `manager` receives its
// scroll actions.
void uxscrollbar_create(uxScrollBarWidget* b, uxScrollBarManager* manager, const char* format, ...);
void uxscrollbar_destroy(uxScrollBarWidget* b);
// Knob size and position in percent of the track, clamped to 0..100 and pos <= 100 - size.
void uxscrollbar_set(uxScrollBarWidget* b, double knob_size, double knob_pos);
// The knob's pixel extent along the track (start relative to the bar, length).
void uxscrollbar_knob(const uxScrollBarWidget* b, int* start, int* length);

// Creates the parts (hidden) in the owner's container, right after the owner.
void uxscrollbars_create(uxScrollBarManager* m, uxWidget* owner, uxScrollFn on_scroll);
void uxscrollbars_destroy(uxScrollBarManager* m);
// Shows or hides each bar and places the parts inside the owner's rectangle (right and bottom
// edges inside its border). Returns through *inner_w / *inner_h (either may be null) the room
// left for content inside the border.
void uxscrollbars_place(uxScrollBarManager* m, bool vertical, bool horizontal, int* inner_w,
                        int* inner_h);
// axis 0 horizontal, 1 vertical.
void uxscrollbars_set(uxScrollBarManager* m, int axis, double knob_size, double knob_pos);
