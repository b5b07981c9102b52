#include "toolkit/core/uxwindow.h"

#include <cstdio>
#include <cstring>

#include "toolkit/platform/uxplatform.h"
#include "toolkit/core/uxcfgstr_kinds.h"
#include "toolkit/core/uxid.h"
#include "toolkit/core/uxlog.h"

namespace {

constexpr int kMaxWindows = 128;
uxWindow* table[kMaxWindows];
int open_windows = 0;
bool painting_held = false;
long long creation_counter = 0;
bool class_registered[2];
uint64_t last_present_ms = 0;

void register_class(bool popup) {
    if (class_registered[popup]) return;
    class_registered[popup] = true;
    // The first name of each kind is always free here: no other program shares our classes.
    if (popup) uxlog("pwin registered: %s\n", "uxPWND00");
    else uxlog("mwin registered: %s\n", "uxWND00");
}

char* copy_text(const char* s) {
    char* t = new char[std::strlen(s) + 1];
    std::strcpy(t, s);
    return t;
}

void place_container(uxWindow* w) {
    uxcontainer_set_area(&w->container, 0, w->menu_height, w->layout.width,
                         w->layout.height - w->menu_height);
    if (w->menubar) {
        uxWidget* m = w->menubar;
        m->abs_x = m->abs_y = 0;
        m->layout.left = m->layout.top = 0;
        m->layout.width = w->layout.width;
        m->layout.height = w->menu_height;
        if (m->relayout) m->relayout(m);
    }
    w->dirty = true;
}

}  // namespace

void uxwindow_relayout(uxWindow* w) {
    if (w && w->open) place_container(w);
}

// ---- creation ---------------------------------------------------------------------------------

bool uxwindow_vcreate(uxWindow* w, bool popup, const char* format, va_list ap) {
    char* text = uxcfgstr_vformat(format, ap);
    char** tokens = uxcfgstr_split(text);
    register_class(popup);
    int slot = -1;
    for (int i = 0; i < kMaxWindows; ++i)
        if (!table[i]) {
            slot = i;
            break;
        }
    if (slot < 0) {
        uxcfgstr_free(tokens);
        delete[] text;
        return false;
    }
    w->title = copy_text(tokens[0] ? tokens[0] : "");
    w->properties = text;
    w->id = uxid_new();
    w->close_id = uxid_new();
    w->popup = popup;
    w->layout = uxLayout{};
    w->layout.x = -1;
    bool has_x = uxcfgstr_find(tokens, 1, "x=") >= 0;
    uxcfgstr_geometry(tokens, 1, &w->layout);
    uxWindowProps props;
    uxcfgstr_window(tokens, 1, &props);
    uxcfgstr_free(tokens);
    w->fullscreen = props.fullscreen;
    w->modal = props.modal;
    w->sysmenu = props.sysmenu;
    w->quit_on_close = props.quit_on_close;
    if (props.has_background) w->background = props.background;

    int sw = 0, sh = 0;
    uxplatform->screen_size(&sw, &sh);
    w->layout.parent_width = sw;
    w->layout.parent_height = sh;
    uxlayout_compute(&w->layout);
    if (w->layout.width <= 0) w->layout.width = 100;
    if (w->layout.height <= 0) w->layout.height = 100;
    int flags = 0;
    if (w->fullscreen) {
        w->layout.left = w->layout.top = 0;
        w->layout.width = sw;
        w->layout.height = sh;
        flags |= UXPWIN_FULLSCREEN;
    } else if (!has_x) {
        int ax = 0, ay = 0, aw = 0, ah = 0;
        uxplatform->work_area(&ax, &ay, &aw, &ah);
        w->layout.left = ax;
        w->layout.top = ay;
    }
    if (popup) flags |= UXPWIN_POPUP;
    if (w->modal) flags |= UXPWIN_TOPMOST;
    if (w->sysmenu) flags |= UXPWIN_SYSMENU;

    w->handle = uxplatform->window_create(w->title, w->layout.left, w->layout.top, w->layout.width,
                                          w->layout.height, flags);
    if (w->handle < 0) {
        delete[] w->title;
        delete[] w->properties;
        w->title = w->properties = nullptr;
        return false;
    }
    uxpxmap_create(&w->client, w->layout.width, w->layout.height, UXPX_TRUECOLOR);
    uxcontainer_init(&w->container, w);
    w->container.x = 0;
    w->container.y = 0;
    w->container.width = w->layout.width;
    w->container.height = w->layout.height;
    w->open = true;
    w->slot = slot;
    w->created_order = ++creation_counter;
    table[slot] = w;
    ++open_windows;
    if (!popup) uxcontainer_set_current(&w->container);
    uxlog("window open: %d %d %d*%d \"%s\"   cs=\"%s\"\n", w->layout.left, w->layout.top,
          w->layout.width, w->layout.height, w->title, w->properties);
    w->dirty = true;
    return true;
}

bool uxwindow_create(uxWindow* w, const char* format, ...) {
    va_list ap;
    va_start(ap, format);
    bool ok = uxwindow_vcreate(w, false, format, ap);
    va_end(ap);
    return ok;
}

void uxwindow_destroy(uxWindow* w) {
    if (!w || !w->open) return;
    uxlog("window closed (\"%s\")\n", w->title);
    table[w->slot] = nullptr;
    --open_windows;
    w->open = false;
    uxplatform->window_destroy(w->handle);
    bool was_current = uxcontainer_current() == &w->container;
    uxcontainer_free(&w->container);
    if (w->menubar) w->menubar->container = nullptr;
    uxpxmap_destroy(&w->client);
    delete[] w->title;
    delete[] w->properties;
    w->title = w->properties = nullptr;
    w->focus = w->captured = nullptr;
    w->popup_dismiss = nullptr;
    w->popup_dismiss_user = nullptr;
    w->popup_anchor = nullptr;
    if (was_current) {
        uxWindow* newest = nullptr;
        for (uxWindow* o : table)
            if (o && !o->popup && (!newest || o->created_order > newest->created_order)) newest = o;
        uxcontainer_set_current(newest ? &newest->container : nullptr);
    }
}

void uxwindow_set_title(uxWindow* w, const char* title) {
    if (!w->open) return;
    delete[] w->title;
    w->title = copy_text(title);
    uxplatform->window_set_title(w->handle, title);
}

int uxwindow_close_id(const uxWindow* w) { return w->close_id; }

void uxwindow_set_close_trigger(uxWindow* w, uxTriggerFn fn, void* user) {
    w->close_trigger = fn;
    w->close_user = user;
}

// ---- painting ---------------------------------------------------------------------------------

void uxwindow_invalidate(uxWindow* w) {
    if (w) w->dirty = true;
}

void uxwindow_compose(uxWindow* w) {
    if (!w->open) return;
    uxpxmap_clear(&w->client, w->background);
    uxcontainer_paint(&w->container, &w->client);
    if (w->menubar && w->menubar->paint) w->menubar->paint(w->menubar, &w->client);
}

static void present(uxWindow* w) {
    uxwindow_compose(w);
    uxplatform->window_present(w->handle, w->client.pixels, w->client.width, w->client.height,
                               w->client.width);
    w->dirty = false;
}

void uxwindow_present_dirty() {
    if (painting_held || !uxplatform->interactive) return;
    uint64_t now = uxplatform->clock_ms();
    if (now - last_present_ms < 30) return;
    last_present_ms = now;
    for (uxWindow* w : table)
        if (w && w->dirty) present(w);
}

void uxwindow_redraw_all() {
    for (uxWindow* w : table) {
        if (!w) continue;
        w->dirty = true;
        if (!painting_held && uxplatform->interactive) present(w);
    }
}

void uxwindow_hold_painting() { painting_held = true; }
void uxwindow_release_painting() {
    painting_held = false;
    uxwindow_redraw_all();
}
bool uxwindow_painting_held() { return painting_held; }

// ---- table ------------------------------------------------------------------------------------

int uxwindow_count_slots() { return kMaxWindows; }
uxWindow* uxwindow_at(int slot) { return slot >= 0 && slot < kMaxWindows ? table[slot] : nullptr; }

uxWindow* uxwindow_modal() {
    uxWindow* best = nullptr;
    for (uxWindow* w : table)
        if (w && w->modal && (!best || w->created_order > best->created_order)) best = w;
    return best;
}

uxWindow* uxwindow_top() {
    if (uxWindow* m = uxwindow_modal()) return m;
    uxWindow* best = nullptr;
    for (uxWindow* w : table)
        if (w && !w->popup && (!best || w->created_order > best->created_order)) best = w;
    return best;
}

uxWindow* uxwindow_main() {
    uxWindow* best = nullptr;
    for (uxWindow* w : table)
        if (w && !w->popup && (!best || w->created_order < best->created_order)) best = w;
    return best;
}

bool uxwindow_accepts_input(const uxWindow* w) {
    const uxWindow* m = uxwindow_modal();
    if (!m || m == w) return true;
    return w->popup && w->created_order > m->created_order;
}

uxWindow* uxwindow_by_handle(int handle) {
    for (uxWindow* w : table)
        if (w && w->handle == handle) return w;
    return nullptr;
}

// ---- popups -----------------------------------------------------------------------------------

void uxwindow_set_popup_dismiss(uxWindow* popup, const uxWidget* anchor, void (*dismiss)(void*),
                                void* user) {
    if (!popup || !popup->open) return;
    popup->popup_dismiss = dismiss;
    popup->popup_dismiss_user = user;
    popup->popup_anchor = anchor;
}

void uxwindow_dismiss_popups(const uxWindow* pressed_in, const uxWidget* hit) {
    // Collected first: dismissing destroys windows and so changes the table.
    uxWindow* doomed[kMaxWindows];
    int n = 0;
    for (uxWindow* p : table) {
        if (!p || p == pressed_in || !p->popup || !p->popup_dismiss) continue;
        const uxWidget* anchor = p->popup_anchor;
        bool on_anchor = anchor && hit && (hit == anchor || hit->owner == anchor);
        if (!on_anchor) doomed[n++] = p;
    }
    for (int i = 0; i < n; ++i) {
        uxWindow* p = doomed[i];
        if (!p->open || !p->popup_dismiss) continue;  // an earlier dismissal closed it already
        void (*dismiss)(void*) = p->popup_dismiss;
        void* user = p->popup_dismiss_user;
        p->popup_dismiss = nullptr;
        dismiss(user);
    }
}

// ---- focus ------------------------------------------------------------------------------------

static void collect_focusable(uxContainer* c, uxWidget** out, int* n, int cap) {
    if (!c->visible) return;
    for (int i = 0; i < c->count && *n < cap; ++i) {
        uxWidget* w = c->widgets[i];
        if (uxwidget_focusable(w)) out[(*n)++] = w;
        if (w->child && uxwidget_shown(w)) collect_focusable(w->child, out, n, cap);
    }
}

void uxwindow_focus_next(uxWindow* w, int direction) {
    uxWidget* list[1024];
    int n = 0;
    collect_focusable(&w->container, list, &n, 1024);
    if (n == 0) return;
    int at = -1;
    for (int i = 0; i < n; ++i)
        if (list[i] == w->focus) at = i;
    int next = at < 0 ? (direction > 0 ? 0 : n - 1) : (at + direction + n) % n;
    uxwidget_focus(list[next]);
}

// ---- dispatch ---------------------------------------------------------------------------------

static uxWidget* find_default(uxContainer* c) {
    if (!c->visible) return nullptr;
    for (int i = 0; i < c->count; ++i) {
        uxWidget* w = c->widgets[i];
        if (w->is_default && w->enabled && uxwidget_shown(w)) return w;
        if (w->child && uxwidget_shown(w))
            if (uxWidget* d = find_default(w->child)) return d;
    }
    return nullptr;
}

// Buttons with a hotkey expose it through this hook (set by the button kind).
bool (*uxwindow_hotkey_hook)(uxWindow* w, int key) = nullptr;

static bool deliver(uxWidget* target, const uxEvent* ev) {
    if (!target || !target->handle || !target->enabled) return false;
    uxEvent local = *ev;
    if (ev->code >= UXEV_LDOWN && ev->code <= UXEV_MOVE) {
        local.data[0] = ev->data[0] - target->abs_x;
        local.data[1] = ev->data[1] - target->abs_y;
    }
    return target->handle(target, &local);
}

static void close_request(uxWindow* w) {
    if (w->close_trigger) {
        if (w->close_user || !uxevent_callbacks_held()) w->close_trigger(w->close_id, w->close_user);
    } else {
        uxPostEvent(w->close_id);
    }
    if (w->quit_on_close) uxStop();
}

// An open popup (combo list, menu items) over `w` takes the keys while it is open: the person
// types into the window they are looking at, and popups never hold the platform's focus.
static uxWindow* popup_over(const uxWindow* w) {
    uxWindow* best = nullptr;
    for (uxWindow* p : table)
        if (p && p != w && p->open && p->popup && p->popup_dismiss && p->focus &&
            p->created_order > w->created_order && (!best || p->created_order > best->created_order))
            best = p;
    return best;
}

static void key_down(uxWindow* w, const uxEvent* ev) {
    int key = ev->data[0];
    if (key == UXKEY_SHIFT) w->modifiers |= UXMOD_SHIFT;
    if (key == UXKEY_ALT) w->modifiers |= UXMOD_ALT;
    if (key == UXKEY_CTRL) w->modifiers |= UXMOD_CTRL;
    if (key == UXKEY_F4 && (w->modifiers & UXMOD_ALT)) {
        close_request(w);
        return;
    }
    if (uxWindow* p = popup_over(w)) {
        deliver(p->focus, ev);
        return;
    }
    if (deliver(w->focus, ev)) return;
    // Escape leaves a dialog as its close box does; the main window and the windows whose
    // closing ends the program do not react to it.
    if (key == UXKEY_ESCAPE && !w->quit_on_close && w != uxwindow_main()) {
        close_request(w);
        return;
    }
    if (key == UXKEY_TAB) {
        uxwindow_focus_next(w, (w->modifiers & UXMOD_SHIFT) ? -1 : 1);
        return;
    }
    if (key == UXKEY_RETURN) {
        if (uxWidget* d = find_default(&w->container)) {
            uxwidget_trigger(d);
            return;
        }
    }
    if (uxwindow_hotkey_hook) uxwindow_hotkey_hook(w, key);
}

void uxwindow_dispatch(uxWindow* w, const uxEvent* ev) {
    if (!w || !w->open) return;
    switch (ev->code) {
        case UXEV_CLOSE:
            close_request(w);
            return;
        case UXEV_PAINT:
            if (!painting_held) w->dirty = true;
            return;
        case UXEV_RESIZE:
            if (ev->data[0] > 0 && ev->data[1] > 0) {
                w->layout.width = ev->data[0];
                w->layout.height = ev->data[1];
                uxpxmap_resize(&w->client, w->layout.width, w->layout.height);
                place_container(w);
                w->dirty = true;
            }
            return;
        case UXEV_FOCUSIN:
        case UXEV_FOCUSOUT:
            w->modifiers = 0;
            return;
        default: break;
    }
    if (!uxwindow_accepts_input(w)) return;
    int code = ev->code;
    if (code >= UXEV_LDOWN && code <= UXEV_MOVE) {
        bool press = code == UXEV_LDOWN || code == UXEV_LDBL || code == UXEV_MDOWN ||
                     code == UXEV_MDBL || code == UXEV_RDOWN || code == UXEV_RDBL;
        bool release = code == UXEV_LUP || code == UXEV_MUP || code == UXEV_RUP;
        if (press || release) {
            w->last_mouse_x = ev->data[0];
            w->last_mouse_y = ev->data[1];
        }
        if (press) {
            uxWidget* hit = nullptr;
            if (w->menubar && ev->data[1] < w->menu_height) hit = w->menubar;
            else hit = uxcontainer_hit(&w->container, ev->data[0], ev->data[1]);
            uxwindow_dismiss_popups(w, hit);  // a press outside an open popup closes it
            if (!w->open) return;
            if (!hit) return;
            if (!hit->enabled) return;
            w->captured = hit;
            if (uxwidget_focusable(hit)) uxwidget_focus(hit);
            deliver(hit, ev);
            return;
        }
        if (release) {
            uxWidget* target = w->captured;
            w->captured = nullptr;
            deliver(target, ev);
            return;
        }
        if (code == UXEV_MOVE) {
            if (w->captured) deliver(w->captured, ev);
            return;
        }
        // wheel: to the widget under the pointer, then up through its owners
        uxWidget* hit = uxcontainer_hit(&w->container, ev->data[0], ev->data[1]);
        while (hit && !deliver(hit, ev)) hit = hit->owner;
        return;
    }
    if (code == UXEV_KEYDOWN) {
        key_down(w, ev);
        return;
    }
    if (code == UXEV_KEYUP) {
        int key = ev->data[0];
        if (key == UXKEY_SHIFT) w->modifiers &= ~UXMOD_SHIFT;
        if (key == UXKEY_ALT) w->modifiers &= ~UXMOD_ALT;
        if (key == UXKEY_CTRL) w->modifiers &= ~UXMOD_CTRL;
        uxWindow* p = popup_over(w);
        deliver(p ? p->focus : w->focus, ev);
        return;
    }
    deliver(w->focus, ev);  // paste, copy, cut and the rest go to the focused widget
}
