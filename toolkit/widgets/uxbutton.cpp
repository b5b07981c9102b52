// Push buttons: raised 3-D face with a centred caption (or an arrow), triggered by a click, by
// Return or Space while focused, by their hotkey, or repeatedly while held with "mouserepeat".
#include <cstring>
#include <strings.h>

#include "toolkit/widgets/uxbutton.h"
#include "toolkit/drawing/uxfont.h"
#include "toolkit/drawing/uxpixmap.h"
#include "toolkit/core/uxtimer.h"
#include "toolkit/core/uxwindow.h"

namespace {

// Mouse repeat: 10 ticks a second, the first repeat after 4 ticks.
constexpr int kRepeatRate = 10;
constexpr int kRepeatDelay = 4;

uxButton* self_of(uxWidget* w) { return static_cast<uxButton*>(w->self); }

bool inside(const uxWidget* w, int x, int y) {
    return x >= 0 && y >= 0 && x < w->layout.width && y < w->layout.height;
}

void repeat_tick(void* user) {
    uxButton* b = static_cast<uxButton*>(user);
    if (!b->held || !b->base.enabled) return;
    if (++b->repeat_ticks < kRepeatDelay) return;
    if (b->pressed) uxwidget_trigger(&b->base);
}

void stop_repeat(uxButton* b) {
    if (b->attr.mouserepeat) uxTimerRemove(repeat_tick, b);
    b->repeat_ticks = 0;
}

void release(uxButton* b) {
    b->held = false;
    b->pressed = false;
    stop_repeat(b);
    uxwidget_invalidate(&b->base);
}

bool button_handle(uxWidget* w, const uxEvent* ev) {
    uxButton* b = self_of(w);
    if (!w->enabled) return false;
    switch (ev->code) {
        case UXEV_LDOWN:
        case UXEV_LDBL:
            b->held = b->pressed = true;
            uxwidget_invalidate(w);
            if (b->attr.mouserepeat) {
                b->repeat_ticks = 0;
                uxTimerAdd(repeat_tick, kRepeatRate, true, b);
                uxwidget_trigger(w);
            }
            return true;
        case UXEV_MOVE:
            if (b->held) {
                bool now = inside(w, ev->data[0], ev->data[1]);
                if (now != b->pressed) {
                    b->pressed = now;
                    uxwidget_invalidate(w);
                }
            }
            return true;
        case UXEV_LUP: {
            if (!b->held) return true;
            bool fire = inside(w, ev->data[0], ev->data[1]) && !b->attr.mouserepeat;
            release(b);
            if (fire) uxwidget_trigger(w);  // last: the callback may destroy the button
            return true;
        }
        case UXEV_KEYDOWN:
            if (ev->data[0] == UXKEY_RETURN || ev->data[0] == UXKEY_SPACE) {
                uxwidget_trigger(w);
                return true;
            }
            return false;
        case UXEV_FOCUSIN:
        case UXEV_FOCUSOUT:
            if (ev->code == UXEV_FOCUSOUT && b->held) release(b);
            uxwidget_invalidate(w);
            return true;
        default: return false;
    }
}

// Arrow direction from the caption: 0 up, 1 down, 2 left, 3 right.
int arrow_direction(const char* caption) {
    if (!caption) return 0;
    if (!strcasecmp(caption, "down")) return 1;
    if (!strcasecmp(caption, "left")) return 2;
    if (!strcasecmp(caption, "right")) return 3;
    return 0;
}

void draw_arrow(uxPixmap* pm, const uxButton* b, int cx, int cy, int colour) {
    const uxWidget* w = &b->base;
    int room = (w->layout.width < w->layout.height ? w->layout.width : w->layout.height) -
               2 * w->border;
    int size = b->attr.smallarrow ? room / 3 : room * 2 / 5;
    if (size < 2) size = 2;
    int dir = arrow_direction(w->caption);
    // A filled triangle of `size` rows, each one pixel longer on both sides.
    for (int k = 0; k < size; ++k) {
        int half = k;
        int along = k - size / 2;
        switch (dir) {
            case 0: uxpxmap_fillrect(pm, cx - half, cy + along, 2 * half + 1, 1, colour); break;
            case 1: uxpxmap_fillrect(pm, cx - half, cy - along, 2 * half + 1, 1, colour); break;
            case 2: uxpxmap_fillrect(pm, cx + along, cy - half, 1, 2 * half + 1, colour); break;
            default: uxpxmap_fillrect(pm, cx - along, cy - half, 1, 2 * half + 1, colour); break;
        }
    }
}

void button_paint(uxWidget* w, uxPixmap* pm) {
    uxButton* b = self_of(w);
    int x = w->abs_x, y = w->abs_y, width = w->layout.width, height = w->layout.height;
    if (width <= 0 || height <= 0) return;
    uxpxmap_fillrect(pm, x, y, width, height, uxcolor_role(UXCOLOR_FACE));
    if (!b->attr.flat || b->pressed)
        uxcolor_frame(pm, x, y, width, height, w->border, !b->pressed);
    int shift = b->pressed ? 1 : 0;
    int colour = b->textcolor >= 0 ? b->textcolor : uxcolor_role(UXCOLOR_TEXT);
    if (b->attr.arrow) {
        int cx = x + width / 2 + shift, cy = y + height / 2 + shift;
        if (!w->enabled) draw_arrow(pm, b, cx + 1, cy + 1, uxcolor_role(UXCOLOR_WHITE));
        draw_arrow(pm, b, cx, cy, w->enabled ? colour : uxcolor_role(UXCOLOR_GREYTEXT));
        return;
    }
    int tw = uxcaption_width(w->fontid, w->caption);
    int th = uxfont_height(w->fontid);
    int tx = x + (width - tw) / 2 + shift, ty = y + (height - th) / 2 + shift;
    uxcaption_draw(pm, w->fontid, tx, ty, w->caption, colour, !w->enabled);
    if (uxwidget_has_focus(w) && width > 8 && height > 8) {
        // dotted focus rectangle inside the frame
        int fx = x + w->border + 2, fy = y + w->border + 2;
        int fw = width - 2 * (w->border + 2), fh = height - 2 * (w->border + 2);
        int ink = uxcolor_role(UXCOLOR_BLACK);
        for (int i = 0; i < fw; i += 2) {
            uxpxmap_setpixel(pm, fx + i, fy, ink);
            uxpxmap_setpixel(pm, fx + i, fy + fh - 1, ink);
        }
        for (int i = 0; i < fh; i += 2) {
            uxpxmap_setpixel(pm, fx, fy + i, ink);
            uxpxmap_setpixel(pm, fx + fw - 1, fy + i, ink);
        }
    }
}

const char* button_text(uxWidget* w) { return w->caption; }

// ---- hotkeys ----------------------------------------------------------------------------------

uxButton* find_hotkey(uxContainer* c, int key, bool alt) {
    if (!c || !c->visible) return nullptr;
    for (int i = 0; i < c->count; ++i) {
        uxWidget* w = c->widgets[i];
        if (w->child && uxwidget_shown(w))
            if (uxButton* b = find_hotkey(w->child, key, alt)) return b;
        if (w->role != UXROLE_BUTTON || !w->self || !w->enabled || !uxwidget_shown(w)) continue;
        uxButton* b = self_of(w);
        if (b->attr.hotkey != UXKEY_NONE && b->attr.hotkey == key) return b;
        int lower = (key >= 'A' && key <= 'Z') ? key + 32 : key;
        if (alt && key < 256 && lower == uxcaption_accelerator(w->caption)) return b;
    }
    return nullptr;
}

bool hotkey_hook(uxWindow* win, int key) {
    if (!win) return false;
    uxButton* b = find_hotkey(&win->container, key, (win->modifiers & UXMOD_ALT) != 0);
    if (!b) return false;
    uxwidget_trigger(&b->base);
    return true;
}

uxWidget* default_in(uxContainer* c) {
    if (!c || !c->visible) return nullptr;
    for (int i = 0; i < c->count; ++i) {
        uxWidget* w = c->widgets[i];
        if (w->is_default && w->enabled && uxwidget_shown(w)) return w;
        if (w->child && uxwidget_shown(w))
            if (uxWidget* d = default_in(w->child)) return d;
    }
    return nullptr;
}

}  // namespace

uxWidget* uxbutton_find_default(uxWindow* w) { return w ? default_in(&w->container) : nullptr; }

void uxbutton_vcreate(uxButton* b, const char* format, va_list ap) {
    uxwindow_hotkey_hook = hotkey_hook;
    char** tokens = uxwidget_begin(&b->base, true, 2, format, ap);
    uxcfgstr_btnattr(tokens, 1, &b->attr);
    uxcfgstr_textcolor(tokens, 1, &b->textcolor);
    uxWidget* w = &b->base;
    if (b->attr.singleborder) w->border = 1;
    if (b->attr.skip) w->nokeyfocus = true;
    w->is_default = b->attr.is_default;
    w->self = b;
    w->handle = button_handle;
    w->paint = button_paint;
    w->text = button_text;
    w->role = UXROLE_BUTTON;
    int fh = uxfont_height(w->fontid);
    if (b->attr.arrow) uxwidget_natural_size(w, fh + 8, fh + 8);
    else uxwidget_natural_size(w, uxcaption_width(w->fontid, w->caption) + 10, fh + 8);
    uxwidget_finish(w, tokens);
}

void uxbutton_create(uxButton* b, const char* format, ...) {
    va_list ap;
    va_start(ap, format);
    uxbutton_vcreate(b, format, ap);
    va_end(ap);
}

void uxbutton_create_cb(uxButton* b, uxTriggerFn fn, void* user, const char* format, ...) {
    va_list ap;
    va_start(ap, format);
    uxbutton_vcreate(b, format, ap);
    va_end(ap);
    uxwidget_set_trigger(&b->base, fn, user);
}

void uxbutton_destroy(uxButton* b) {
    stop_repeat(b);
    uxTimerRemove(repeat_tick, b);
    uxwidget_destroy(&b->base);
}

void uxbutton_enable(uxButton* b) { uxwidget_enable(&b->base, true); }

void uxbutton_disable(uxButton* b) {
    if (b->held) release(b);
    uxwidget_enable(&b->base, false);
}

int uxbutton_id(const uxButton* b) { return b->base.id; }
