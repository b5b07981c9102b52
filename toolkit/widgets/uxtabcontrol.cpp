// The tab control: a row of tabs over one container per page. The shown page is the widget's
// `child`, so the window paints it over the control and hit-tests it first.
#include <cstring>

#include "toolkit/drawing/uxfont.h"
#include "toolkit/widgets/uxlistbox.h"
#include "toolkit/drawing/uxpixmap.h"

namespace {

uxTabControl* self_of(uxWidget* w) { return static_cast<uxTabControl*>(w->self); }

int tab_height(const uxTabControl* t) { return uxfont_height(t->base.fontid) + 8; }

int tab_width(const uxTabControl* t, int index) {
    return uxcaption_width(t->base.fontid, t->labels[index]) + 12;
}

// Left edge of a tab relative to the control.
int tab_left(const uxTabControl* t, int index) {
    int x = 2;
    for (int i = 0; i < index; ++i) x += tab_width(t, i);
    return x;
}

void place_pages(uxTabControl* t) {
    const uxWidget* w = &t->base;
    int b = w->border, th = tab_height(t);
    int width = w->layout.width - 2 * b, height = w->layout.height - th - 2 * b;
    for (int i = 0; i < t->count; ++i)
        uxcontainer_set_area(&t->pages[i], w->abs_x + b, w->abs_y + th + b, width > 0 ? width : 0,
                             height > 0 ? height : 0);
}

void show_page(uxTabControl* t, int index) {
    if (index < 0 || index >= t->count) return;
    t->current = index;
    for (int i = 0; i < t->count; ++i) t->pages[i].visible = i == index;
    t->base.child = &t->pages[index];
    uxWindow* win = t->base.container ? t->base.container->window : nullptr;
    // a focused widget on a page that just went away would keep the keys
    if (win && win->focus && !uxwidget_shown(win->focus)) win->focus = nullptr;
    uxwidget_invalidate(&t->base);
}

int tab_at(const uxTabControl* t, int x, int y) {
    if (y < 0 || y >= tab_height(t)) return -1;
    for (int i = 0; i < t->count; ++i) {
        int left = tab_left(t, i);
        if (x >= left && x < left + tab_width(t, i)) return i;
    }
    return -1;
}

bool tabcontrol_handle(uxWidget* w, const uxEvent* ev) {
    uxTabControl* t = self_of(w);
    if (ev->code != UXEV_LDOWN && ev->code != UXEV_LDBL) return ev->code == UXEV_LUP;
    int index = tab_at(t, ev->data[0], ev->data[1]);
    if (index < 0 || index == t->current) return true;
    show_page(t, index);
    uxwidget_trigger(w);
    return true;
}

void tabcontrol_paint(uxWidget* w, uxPixmap* pm) {
    uxTabControl* t = self_of(w);
    int x = w->abs_x, y = w->abs_y, th = tab_height(t);
    uxpxmap_fillrect(pm, x, y, w->layout.width, w->layout.height, uxcolor_role(UXCOLOR_FACE));
    uxcolor_frame(pm, x, y + th, w->layout.width, w->layout.height - th, w->border, true);
    int colour = uxcolor_role(UXCOLOR_TEXT);
    int fh = uxfont_height(w->fontid);
    for (int i = 0; i < t->count; ++i) {
        int left = x + tab_left(t, i), tw = tab_width(t, i);
        bool chosen = i == t->current;
        int top = chosen ? y : y + 2;
        int ink = chosen ? uxcolor_role(UXCOLOR_FACE) : uxcolor_role(UXCOLOR_DARK);
        uxpxmap_fillrect(pm, left, top, tw, y + th - top + (chosen ? 2 : 0), ink);
        uxpxmap_fillrect(pm, left, top, tw, 1, uxcolor_role(UXCOLOR_WHITE));
        uxpxmap_fillrect(pm, left, top, 1, y + th - top, uxcolor_role(UXCOLOR_WHITE));
        uxpxmap_fillrect(pm, left + tw - 1, top, 1, y + th - top, uxcolor_role(UXCOLOR_SHADOW));
        uxcaption_draw(pm, w->fontid, left + 6, top + (th - 2 - fh) / 2 + 1, t->labels[i], colour,
                       false);
    }
}

bool tabcontrol_locate(uxWidget* w, int index, const char* label, int* x, int* y) {
    uxTabControl* t = self_of(w);
    if (label) {
        index = -1;
        char plain[1024];
        for (int i = 0; i < t->count && index < 0; ++i) {
            uxcaption_strip(t->labels[i], plain, sizeof plain);
            if (!std::strcmp(plain, label)) index = i;
        }
    }
    if (index < 0 || index >= t->count) return false;
    *x = w->abs_x + tab_left(t, index) + tab_width(t, index) / 2;
    *y = w->abs_y + tab_height(t) / 2;
    return true;
}

void tabcontrol_relayout(uxWidget* w) { place_pages(self_of(w)); }

}  // namespace

void uxtabcontrol_create(uxTabControl* t, const char* format, ...) {
    va_list ap;
    va_start(ap, format);
    char** tokens = uxwidget_begin(&t->base, false, 2, format, ap);
    va_end(ap);
    static const char* const tabs[] = {"tabs=", nullptr};
    char** labels = uxcfgstr_list(tokens, 0, tabs);
    t->count = uxcfgstr_count(labels);
    t->labels = new char*[t->count > 0 ? t->count : 1];
    for (int i = 0; i < t->count; ++i) {
        t->labels[i] = new char[std::strlen(labels[i]) + 1];
        std::strcpy(t->labels[i], labels[i]);
    }
    if (labels) uxcfgstr_free(labels);
    uxWidget* w = &t->base;
    uxWindow* win = w->container ? w->container->window : nullptr;
    t->pages = new uxContainer[t->count > 0 ? t->count : 1];
    for (int i = 0; i < t->count; ++i) uxcontainer_init(&t->pages[i], win);
    w->self = t;
    w->nokeyfocus = true;
    w->handle = tabcontrol_handle;
    w->paint = tabcontrol_paint;
    w->locate = tabcontrol_locate;
    w->relayout = tabcontrol_relayout;
    w->role = UXROLE_TABCONTROL;
    uxwidget_natural_size(w, 300, 200);
    uxwidget_finish(w, tokens);
    t->current = 0;
    // Widgets created next lie on the first page (the main window's terminal and module
    // buttons follow the tab control without a select).
    if (t->count > 0) uxtabcontrol_select(t, 0);
}

void uxtabcontrol_destroy(uxTabControl* t) {
    for (int i = 0; i < t->count; ++i) {
        if (uxcontainer_current() == &t->pages[i]) uxcontainer_set_current(t->base.container);
        uxcontainer_free(&t->pages[i]);
        delete[] t->labels[i];
    }
    delete[] t->pages;
    delete[] t->labels;
    t->pages = nullptr;
    t->labels = nullptr;
    t->count = 0;
    t->base.child = nullptr;
    uxwidget_destroy(&t->base);
}

void uxtabcontrol_select(uxTabControl* t, int index) {
    if (index < 0 || index >= t->count) return;
    show_page(t, index);
    uxcontainer_set_current(&t->pages[index]);
}
