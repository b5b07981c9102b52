// Scroll bars: the bar with its knob, the corner filler, and the manager that arranges two bars
// and four arrow buttons along the right and bottom edges of an owner widget.
#include "toolkit/widgets/uxscrollbar.h"

#include "toolkit/core/uxid.h"
#include "toolkit/drawing/uxpixmap.h"

namespace {

const int MIN_KNOB = 8;  // pixels, so a tiny knob can still be grabbed

uxScrollBarWidget* bar_of(uxWidget* w) { return static_cast<uxScrollBarWidget*>(w->self); }

int track_length(const uxScrollBarWidget* b) {
    return b->vertical ? b->base.layout.height : b->base.layout.width;
}

void notify(uxScrollBarManager* m, bool vertical, int action, double value) {
    if (m && m->on_scroll && m->owner) m->on_scroll(m->owner, vertical ? 1 : 0, action, value);
}

bool bar_handle(uxWidget* w, const uxEvent* ev) {
    uxScrollBarWidget* b = bar_of(w);
    int along = b->vertical ? ev->data[1] : ev->data[0];
    int start, length;
    uxscrollbar_knob(b, &start, &length);
    switch (ev->code) {
    case UXEV_LDOWN:
    case UXEV_LDBL:
        if (along >= start && along < start + length) {
            b->dragging = true;
            b->drag_offset = along - start;
        } else {
            notify(b->manager, b->vertical, along < start ? UXSCROLL_PAGE_BACK : UXSCROLL_PAGE_FORWARD,
                   0);
        }
        return true;
    case UXEV_MOVE: {
        if (!b->dragging) return true;
        int track = track_length(b);
        if (track <= 0) return true;
        double pos = 100.0 * (along - b->drag_offset) / track;
        uxscrollbar_set(b, b->knob_size, pos);
        notify(b->manager, b->vertical, UXSCROLL_DRAG, b->knob_pos);
        return true;
    }
    case UXEV_LUP:
        b->dragging = false;
        return true;
    case UXEV_WHEELFWD:
        notify(b->manager, b->vertical, UXSCROLL_LINE_BACK, 0);
        return true;
    case UXEV_WHEELBACK:
        notify(b->manager, b->vertical, UXSCROLL_LINE_FORWARD, 0);
        return true;
    default: return false;
    }
}

void bar_paint(uxWidget* w, uxPixmap* pm) {
    uxScrollBarWidget* b = bar_of(w);
    int x = w->abs_x, y = w->abs_y, width = w->layout.width, height = w->layout.height;
    uxpxmap_fillrect(pm, x, y, width, height, uxcolor_role(UXCOLOR_DARK));
    int start, length;
    uxscrollbar_knob(b, &start, &length);
    if (length <= 0) return;
    int kx = b->vertical ? x : x + start, ky = b->vertical ? y + start : y;
    int kw = b->vertical ? width : length, kh = b->vertical ? length : height;
    uxpxmap_fillrect(pm, kx, ky, kw, kh, uxcolor_role(UXCOLOR_FACE));
    uxcolor_frame(pm, kx, ky, kw, kh, 2, true);
}

void corner_paint(uxWidget* w, uxPixmap* pm) {
    uxpxmap_fillrect(pm, w->abs_x, w->abs_y, w->layout.width, w->layout.height,
                     uxcolor_role(UXCOLOR_FACE));
}

bool corner_handle(uxWidget*, const uxEvent* ev) {
    return ev->code >= UXEV_LDOWN && ev->code <= UXEV_MOVE;  // swallows clicks on the square
}

void arrow_pressed(int id, void* user) {
    uxScrollBarManager* m = static_cast<uxScrollBarManager*>(user);
    if (id == m->up.base.id) notify(m, true, UXSCROLL_LINE_BACK, 0);
    else if (id == m->down.base.id) notify(m, true, UXSCROLL_LINE_FORWARD, 0);
    else if (id == m->left.base.id) notify(m, false, UXSCROLL_LINE_BACK, 0);
    else if (id == m->right.base.id) notify(m, false, UXSCROLL_LINE_FORWARD, 0);
}

void place_part(uxWidget* part, bool shown, int x, int y, int width, int height) {
    uxwidget_show(part, shown);
    uxwidget_place_part(part, x, y, width, height);
}

void adopt(uxScrollBarManager* m, uxWidget* part) {
    part->part = true;
    part->owner = m->owner;
    part->nokeyfocus = true;
    uxwidget_show(part, false);
}

}  // namespace

// ---- the bar ----------------------------------------------------------------------------------

void uxscrollbar_create(uxScrollBarWidget* b, uxScrollBarManager* manager, const char* format, ...) {
    va_list ap;
    va_start(ap, format);
    char** tokens = uxwidget_begin(&b->base, false, 0, format, ap);
    va_end(ap);
    b->vertical = uxcfgstr_scrollbar_vertical(tokens, 0, true);
    b->manager = manager;
    b->knob_size = 100;
    b->knob_pos = 0;
    b->dragging = false;
    b->base.self = b;
    b->base.nokeyfocus = true;
    b->base.handle = bar_handle;
    b->base.paint = bar_paint;
    uxwidget_natural_size(&b->base, 16, 16);
    uxwidget_finish(&b->base, tokens);
}

void uxscrollbar_destroy(uxScrollBarWidget* b) { uxwidget_destroy(&b->base); }

void uxscrollbar_set(uxScrollBarWidget* b, double knob_size, double knob_pos) {
    if (!(knob_size >= 0)) knob_size = 0;  // also catches NaN
    if (knob_size > 100) knob_size = 100;
    if (!(knob_pos >= 0)) knob_pos = 0;
    if (knob_pos > 100 - knob_size) knob_pos = 100 - knob_size;
    if (b->knob_size == knob_size && b->knob_pos == knob_pos) return;
    b->knob_size = knob_size;
    b->knob_pos = knob_pos;
    uxwidget_invalidate(&b->base);
}

void uxscrollbar_knob(const uxScrollBarWidget* b, int* start, int* length) {
    int track = track_length(b);
    int len = static_cast<int>(track * b->knob_size / 100.0 + 0.5);
    if (len < MIN_KNOB) len = MIN_KNOB;
    if (len > track) len = track;
    int pos = static_cast<int>(track * b->knob_pos / 100.0 + 0.5);
    if (pos > track - len) pos = track - len;
    if (pos < 0) pos = 0;
    *start = pos;
    *length = len;
}

// ---- the manager ------------------------------------------------------------------------------

void uxscrollbars_create(uxScrollBarManager* m, uxWidget* owner, uxScrollFn on_scroll) {
    m->owner = owner;
    m->on_scroll = on_scroll;
    m->show_v = m->show_h = false;
    uxContainer* previous = uxcontainer_current();
    uxcontainer_set_current(owner->container);
    uxscrollbar_create(&m->vbar, m, "vert,x=0,y=0,xs=1,ys=1");
    adopt(m, &m->vbar.base);
    uxscrollbar_create(&m->hbar, m, "hor,x=0,y=0,xs=1,ys=1");
    adopt(m, &m->hbar.base);
    uxbutton_create_cb(&m->up, arrow_pressed, m, "up,arrow,skip,mouse repeat,x=0,y=0,xs=1,ys=1");
    adopt(m, &m->up.base);
    uxbutton_create_cb(&m->down, arrow_pressed, m, "down,arrow,skip,mouse repeat,x=0,y=0,xs=1,ys=1");
    adopt(m, &m->down.base);
    uxbutton_create_cb(&m->left, arrow_pressed, m, "left,arrow,skip,mouse repeat,x=0,y=0,xs=1,ys=1");
    adopt(m, &m->left.base);
    uxbutton_create_cb(&m->right, arrow_pressed, m,
                       "right,arrow,skip,mouse repeat,x=0,y=0,xs=1,ys=1");
    adopt(m, &m->right.base);
    uxWidget* c = &m->corner.base;
    c->id = uxid_new();
    c->layout = uxLayout{};
    c->border = 0;
    c->self = &m->corner;
    c->paint = corner_paint;
    c->handle = corner_handle;
    uxcontainer_add(owner->container, c);
    adopt(m, c);
    uxcontainer_set_current(previous);
    m->created = true;
}

void uxscrollbars_destroy(uxScrollBarManager* m) {
    if (!m->created) return;
    m->created = false;
    uxwidget_destroy(&m->corner.base);
    uxbutton_destroy(&m->right);
    uxbutton_destroy(&m->left);
    uxbutton_destroy(&m->down);
    uxbutton_destroy(&m->up);
    uxscrollbar_destroy(&m->hbar);
    uxscrollbar_destroy(&m->vbar);
}

void uxscrollbars_place(uxScrollBarManager* m, bool vertical, bool horizontal, int* inner_w,
                        int* inner_h) {
    const uxWidget* o = m->owner;
    int b = o ? o->border : 0;
    int ix = o ? o->layout.left + b : 0, iy = o ? o->layout.top + b : 0;
    int iw = o ? o->layout.width - 2 * b : 0, ih = o ? o->layout.height - 2 * b : 0;
    if (iw < 0) iw = 0;
    if (ih < 0) ih = 0;
    int t = m->thickness;
    m->show_v = vertical;
    m->show_h = horizontal;
    if (m->created) {
        int vlen = ih - (horizontal ? t : 0);  // the vertical bar with its arrows
        int hlen = iw - (vertical ? t : 0);
        int vx = ix + iw - t, hy = iy + ih - t;
        int arrow_v = vlen >= 3 * t ? t : vlen / 3;  // short bars squeeze their arrows
        int arrow_h = hlen >= 3 * t ? t : hlen / 3;
        place_part(&m->up.base, vertical, vx, iy, t, arrow_v);
        place_part(&m->vbar.base, vertical, vx, iy + arrow_v, t, vlen - 2 * arrow_v);
        place_part(&m->down.base, vertical, vx, iy + vlen - arrow_v, t, arrow_v);
        place_part(&m->left.base, horizontal, ix, hy, arrow_h, t);
        place_part(&m->hbar.base, horizontal, ix + arrow_h, hy, hlen - 2 * arrow_h, t);
        place_part(&m->right.base, horizontal, ix + hlen - arrow_h, hy, arrow_h, t);
        place_part(&m->corner.base, vertical && horizontal, vx, hy, t, t);
    }
    if (inner_w) *inner_w = iw - (vertical ? t : 0);
    if (inner_h) *inner_h = ih - (horizontal ? t : 0);
}

void uxscrollbars_set(uxScrollBarManager* m, int axis, double knob_size, double knob_pos) {
    uxscrollbar_set(axis == 0 ? &m->hbar : &m->vbar, knob_size, knob_pos);
}
