// The up/down control: a right-aligned line input with two small arrow buttons that step an
// integer within min..max, shown with at least "digits" digits.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "toolkit/widgets/uxlineinput.h"

namespace {

uxUpDownControl* self_of(uxWidget* w) { return static_cast<uxUpDownControl*>(w->self); }

int to_int(double v) {
    if (v > 2e9) return 2000000000;
    if (v < -2e9) return -2000000000;
    return static_cast<int>(std::lround(v));
}

int lowest(const uxUpDownControl* u) { return to_int(u->props.min); }
int highest(const uxUpDownControl* u) { return to_int(u->props.max); }

int clamp_value(const uxUpDownControl* u, long v) {
    if (v < lowest(u)) return lowest(u);
    if (v > highest(u)) return highest(u);
    return static_cast<int>(v);
}

void step_by(uxUpDownControl* u, int direction) {
    if (!u->base.enabled) return;
    int step = to_int(u->props.step);
    if (step == 0) step = 1;
    long next = static_cast<long>(uxupdown_get_value(u)) + static_cast<long>(direction) * step;
    uxupdown_set_value(u, clamp_value(u, next));
}

void up_pressed(int, void* user) { step_by(static_cast<uxUpDownControl*>(user), 1); }
void down_pressed(int, void* user) { step_by(static_cast<uxUpDownControl*>(user), -1); }

// Receives Up/Down keys from its line input and wheel turns over any of its parts.
// Shows the value the control holds (uxupdown_get_value: read, then kept within min..max) in
// its own form, so that the text in view is the value taken.
void show_held_value(uxUpDownControl* u) {
    if (u->input.readonly) return;
    char text[64];
    std::snprintf(text, sizeof text, "%0*d", u->props.digits, uxupdown_get_value(u));
    if (std::strcmp(text, uxlineinput_text(&u->input)) != 0) uxlineinput_set_text(&u->input, text);
}

bool updown_handle(uxWidget* w, const uxEvent* ev) {
    uxUpDownControl* u = self_of(w);
    if (!w->enabled) return false;
    if (ev->code == UXEV_FOCUSOUT) {  // from the line input, when it loses the focus
        show_held_value(u);
        return true;
    }
    if (ev->code == UXEV_WHEELFWD) step_by(u, 1);
    else if (ev->code == UXEV_WHEELBACK) step_by(u, -1);
    else if (ev->code == UXEV_KEYDOWN && (ev->data[0] == UXKEY_UP || ev->data[0] == UXKEY_PAGEUP))
        step_by(u, 1);
    else if (ev->code == UXEV_KEYDOWN &&
             (ev->data[0] == UXKEY_DOWN || ev->data[0] == UXKEY_PAGEDOWN))
        step_by(u, -1);
    else return ev->code >= UXEV_LDOWN && ev->code <= UXEV_MOVE;  // the frame swallows clicks
    return true;
}

void updown_paint(uxWidget* w, uxPixmap* pm) {
    uxcolor_frame(pm, w->abs_x, w->abs_y, w->layout.width, w->layout.height, w->border, false);
}

void arrow_rects(const uxUpDownControl* u, int* ix, int* iy, int* iw, int* ih, int* aw) {
    const uxWidget* w = &u->base;
    *ix = w->layout.left + w->border;
    *iy = w->layout.top + w->border;
    *ih = w->layout.height - 2 * w->border;
    *aw = *ih * 2 / 3 < 10 ? 10 : *ih * 2 / 3;
    *iw = w->layout.width - 2 * w->border - *aw;
}

void updown_relayout(uxWidget* w) {
    uxUpDownControl* u = self_of(w);
    if (!u->input.base.container || !u->down.base.container) return;  // parts not made yet
    int ix, iy, iw, ih, aw;
    arrow_rects(u, &ix, &iy, &iw, &ih, &aw);
    uxwidget_place_part(&u->input.base, ix, iy, iw, ih);
    uxwidget_place_part(&u->up.base, ix + iw, iy, aw, ih / 2);
    uxwidget_place_part(&u->down.base, ix + iw, iy + ih / 2, aw, ih - ih / 2);
}

void make_part(uxUpDownControl* u, uxWidget* part) {
    part->part = true;
    part->owner = &u->base;
}

}  // namespace

void uxupdown_create(uxUpDownControl* u, const char* format, ...) {
    va_list ap;
    va_start(ap, format);
    char** tokens = uxwidget_begin(&u->base, false, 2, format, ap);
    va_end(ap);
    uxcfgstr_updown(tokens, 0, &u->props);
    if (u->props.min > u->props.max) {
        double t = u->props.min;
        u->props.min = u->props.max;
        u->props.max = t;
    }
    if (u->props.digits < 0) u->props.digits = 0;
    if (u->props.digits > 20) u->props.digits = 20;
    uxWidget* w = &u->base;
    w->self = u;
    w->nokeyfocus = true;  // the line input takes the focus
    w->handle = updown_handle;
    w->paint = updown_paint;
    w->relayout = updown_relayout;
    w->role = UXROLE_TEXTFIELD;
    uxwidget_natural_size(w, 60, 24);
    uxwidget_finish(w, tokens);

    int ix, iy, iw, ih, aw;
    arrow_rects(u, &ix, &iy, &iw, &ih, &aw);
    uxlineinput_create(&u->input, "x=%d,y=%d,xs=%d,ys=%d,align=right,noborder,fontid=%d", ix, iy,
                       iw > 1 ? iw : 1, ih > 1 ? ih : 1, w->fontid);
    make_part(u, &u->input.base);
    uxbutton_create_cb(&u->up, up_pressed, u, "up,small arrow,x=%d,y=%d,xs=%d,ys=%d,skip,mouse repeat",
                       ix + iw, iy, aw, ih / 2 > 1 ? ih / 2 : 1);
    make_part(u, &u->up.base);
    uxbutton_create_cb(&u->down, down_pressed, u,
                       "down,small arrow,x=%d,y=%d,xs=%d,ys=%d,skip,mouse repeat", ix + iw,
                       iy + ih / 2, aw, ih - ih / 2 > 1 ? ih - ih / 2 : 1);
    make_part(u, &u->down.base);
    w->focus_proxy = &u->input.base;
    // Without a start value the control shows 0, or the range end nearest to it: a range
    // around 0 (coordinates, zones) starts neutral, not at its lowest value.
    uxupdown_set_value(u, u->props.has_start ? to_int(u->props.start) : clamp_value(u, 0));
    updown_relayout(w);
}

void uxupdown_destroy(uxUpDownControl* u) {
    uxbutton_destroy(&u->down);
    uxbutton_destroy(&u->up);
    uxlineinput_destroy(&u->input);
    uxwidget_destroy(&u->base);
}

void uxupdown_set_value(uxUpDownControl* u, int value) {
    char text[64];
    std::snprintf(text, sizeof text, "%0*d", u->props.digits, clamp_value(u, value));
    uxlineinput_set_text(&u->input, text);
}

int uxupdown_get_value(const uxUpDownControl* u) {
    const char* text = uxlineinput_text(&u->input);
    long v = std::strtol(text, nullptr, 10);  // no number reads 0, then clamped
    return clamp_value(u, v);
}

void uxupdown_enable(uxUpDownControl* u, bool enabled) {
    uxlineinput_set_readonly(&u->input, !enabled);
    uxwidget_enable(&u->input.base, enabled);
    if (enabled) {
        uxbutton_enable(&u->up);
        uxbutton_enable(&u->down);
    } else {
        uxbutton_disable(&u->up);
        uxbutton_disable(&u->down);
    }
    uxwidget_enable(&u->base, enabled);
}
