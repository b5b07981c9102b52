#include "toolkit/core/uxwidget.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "toolkit/core/uxentry.h"
#include "toolkit/core/uxid.h"
#include "toolkit/core/uxwindow.h"

static uxContainer* current_container = nullptr;

uxContainer* uxcontainer_current() { return current_container; }
void uxcontainer_set_current(uxContainer* c) { current_container = c; }

// ---- creation ---------------------------------------------------------------------------------

// Creates the widget from its property string. With a caption, token 0 is copied as the caption;
// the keyword handlers start at `first_keyword`.
static char** begin_widget(uxWidget* w, bool captioned, int first_keyword, int default_border,
                           const char* format, va_list ap) {
    char* text = uxcfgstr_vformat(format, ap);
    char** tokens = uxcfgstr_split(text);
    delete[] text;
    w->id = uxid_new();
    w->border = default_border;
    w->fontid = uxfont_default_id();
    w->layout = uxLayout{};
    int first = 0;
    if (captioned) {
        const char* cap = tokens[0] ? tokens[0] : "";
        w->caption = new char[std::strlen(cap) + 1];
        std::strcpy(w->caption, cap);
        first = tokens[0] ? first_keyword : 0;
    }
    uxcfgstr_geometry(tokens, first, &w->layout);
    w->border = uxcfgstr_border(tokens, first, default_border);
    w->fontid = uxcfgstr_font(tokens, first, w->fontid);
    if (uxcfgstr_nokeyfocus(tokens, first)) w->nokeyfocus = true;
    uxcontainer_add(current_container, w);
    return tokens;
}

char** uxwidget_begin(uxWidget* w, bool captioned, int default_border, const char* format,
                      va_list ap) {
    return begin_widget(w, captioned, captioned ? 1 : 0, default_border, format, ap);
}

char** uxwidget_begin_text(uxWidget* w, int default_border, const char* format, va_list ap) {
    return begin_widget(w, true, 0, default_border, format, ap);
}

void uxwidget_natural_size(uxWidget* w, int width, int height) {
    if (w->layout.xs == 0) {
        w->layout.xs = width;
        w->layout.xs_pixel = true;
    }
    if (w->layout.ys == 0) {
        w->layout.ys = height;
        w->layout.ys_pixel = true;
    }
}

void uxwidget_finish(uxWidget* w, char** tokens) {
    uxcfgstr_free(tokens);
    uxwidget_layout(w);
}

void uxwidget_destroy(uxWidget* w) {
    if (!w) return;
    if (w->container) {
        uxWindow* win = w->container->window;
        if (win) {
            if (win->focus == w) win->focus = nullptr;
            if (win->captured == w) win->captured = nullptr;
            uxwindow_invalidate(win);
        }
        uxcontainer_remove(w->container, w);
    }
    delete[] w->caption;
    w->caption = nullptr;
    w->container = nullptr;
}

void uxwidget_set_trigger(uxWidget* w, uxTriggerFn fn, void* user) {
    w->trigger = fn;
    w->trigger_user = user;
}

void uxwidget_trigger(uxWidget* w) {
    if (!w) return;
    if (w->trigger) {
        if (w->trigger_user || !uxevent_callbacks_held()) w->trigger(w->id, w->trigger_user);
        return;
    }
    uxPostEvent(w->id);
}

// ---- layout and state -------------------------------------------------------------------------

void uxwidget_layout(uxWidget* w) {
    uxContainer* c = w->container;
    if (!c) return;
    w->layout.parent_width = c->width;
    w->layout.parent_height = c->height;
    uxlayout_compute(&w->layout);
    w->abs_x = c->x + w->layout.left;
    w->abs_y = c->y + w->layout.top;
    if (w->relayout) w->relayout(w);
    uxwidget_invalidate(w);
}

void uxwidget_place_part(uxWidget* part, int x, int y, int width, int height) {
    part->layout.x = x;
    part->layout.y = y;
    part->layout.xs = width > 1 ? width : 1;
    part->layout.ys = height > 1 ? height : 1;
    part->layout.x_pixel = part->layout.y_pixel = true;
    part->layout.xs_pixel = part->layout.ys_pixel = true;
    part->layout.x_corner = part->layout.y_corner = true;
    uxwidget_layout(part);
}

void uxwidget_invalidate(uxWidget* w) {
    if (w && w->container && w->container->window) uxwindow_invalidate(w->container->window);
}

void uxwidget_enable(uxWidget* w, bool enabled) {
    if (w->enabled == enabled) return;
    w->enabled = enabled;
    uxwidget_invalidate(w);
}

void uxwidget_show(uxWidget* w, bool visible) {
    if (w->visible == visible) return;
    w->visible = visible;
    uxwidget_invalidate(w);
}

bool uxwidget_shown(const uxWidget* w) {
    if (!w->visible || !w->container || !w->container->visible) return false;
    if (w->owner && !uxwidget_shown(w->owner)) return false;
    return true;
}

bool uxwidget_focusable(const uxWidget* w) {
    return !w->nokeyfocus && w->enabled && w->handle && uxwidget_shown(w);
}

void uxwidget_focus(uxWidget* w) {
    if (!w || !w->container || !w->container->window) return;
    uxWindow* win = w->container->window;
    if (win->focus == w) return;
    uxEvent out = {UXEV_FOCUSOUT, {0}};
    uxEvent in = {UXEV_FOCUSIN, {0}};
    uxWidget* old = win->focus;
    win->focus = w;
    if (old && old->handle) old->handle(old, &out);
    if (w->handle) w->handle(w, &in);
    uxwindow_invalidate(win);
}

bool uxwidget_has_focus(const uxWidget* w) {
    return w && w->container && w->container->window && w->container->window->focus == w;
}

// ---- containers -------------------------------------------------------------------------------

void uxcontainer_init(uxContainer* c, uxWindow* window) {
    c->window = window;
    c->widgets = nullptr;
    c->count = c->capacity = 0;
    c->visible = true;
}

void uxcontainer_add(uxContainer* c, uxWidget* w) {
    if (!c) return;
    if (c->count == c->capacity) {
        int cap = c->capacity ? c->capacity * 2 : 16;
        uxWidget** grown = new uxWidget*[cap];
        for (int i = 0; i < c->count; ++i) grown[i] = c->widgets[i];
        delete[] c->widgets;
        c->widgets = grown;
        c->capacity = cap;
    }
    c->widgets[c->count++] = w;
    w->container = c;
}

void uxcontainer_remove(uxContainer* c, uxWidget* w) {
    for (int i = 0; i < c->count; ++i) {
        if (c->widgets[i] != w) continue;
        for (int k = i + 1; k < c->count; ++k) c->widgets[k - 1] = c->widgets[k];
        --c->count;
        return;
    }
}

void uxcontainer_free(uxContainer* c) {
    for (int i = 0; i < c->count; ++i) c->widgets[i]->container = nullptr;
    delete[] c->widgets;
    c->widgets = nullptr;
    c->count = c->capacity = 0;
}

void uxcontainer_set_area(uxContainer* c, int x, int y, int width, int height) {
    c->x = x;
    c->y = y;
    c->width = width;
    c->height = height;
    for (int i = 0; i < c->count; ++i) uxwidget_layout(c->widgets[i]);
}

void uxcontainer_paint(uxContainer* c, uxPixmap* target) {
    if (!c->visible) return;
    for (int i = 0; i < c->count; ++i) {
        uxWidget* w = c->widgets[i];
        if (!uxwidget_shown(w)) continue;
        if (w->paint) w->paint(w, target);
        if (w->child) uxcontainer_paint(w->child, target);
    }
}

static bool inside(const uxWidget* w, int x, int y) {
    return x >= w->abs_x && y >= w->abs_y && x < w->abs_x + w->layout.width &&
           y < w->abs_y + w->layout.height;
}

uxWidget* uxcontainer_hit(uxContainer* c, int x, int y) {
    if (!c || !c->visible) return nullptr;
    for (int i = c->count - 1; i >= 0; --i) {
        uxWidget* w = c->widgets[i];
        if (!uxwidget_shown(w)) continue;
        if (w->child) {
            if (uxWidget* inner = uxcontainer_hit(w->child, x, y)) return inner;
        }
        if (w->handle && inside(w, x, y)) return w;
    }
    return nullptr;
}
