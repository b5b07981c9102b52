// One line of editable Latin-1 text with a cursor, editing keys, a length limit, right
// alignment, clipboard copy/cut/paste and Return moving the focus on (or confirming the dialog).
#include <cstring>

#include "toolkit/platform/uxplatform.h"
#include "toolkit/drawing/uxfont.h"
#include "toolkit/widgets/uxlineinput.h"
#include "toolkit/drawing/uxpixmap.h"

namespace {

// Texts longer than this are cut, whatever "maxlen=" asks for.
constexpr int kOwnLimit = 1023;
constexpr int kMaxFocusList = 1024;

uxLineInput* self_of(uxWidget* w) { return static_cast<uxLineInput*>(w->self); }

int limit_of(const uxLineInput* li) {
    return li->props.maxlen > 0 && li->props.maxlen < kOwnLimit ? li->props.maxlen : kOwnLimit;
}

void replace_all(uxLineInput* li, const char* text) {
    int limit = limit_of(li);
    int n = 0;
    // control characters would break the one-line display; stop at a line end
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text ? text : "");
         *p && *p != '\n' && *p != '\r' && n < limit; ++p)
        li->text[n++] = *p < 32 ? ' ' : static_cast<char>(*p);
    li->text[n] = 0;
    li->length = n;
    li->cursor = n;
    li->scroll = 0;
    li->select_all = false;
    uxwidget_invalidate(&li->base);
}

bool insert_char(uxLineInput* li, int c) {
    if (li->select_all) {
        li->text[0] = 0;
        li->length = li->cursor = li->scroll = 0;
        li->select_all = false;
    }
    if (li->length >= limit_of(li)) return false;
    std::memmove(li->text + li->cursor + 1, li->text + li->cursor, li->length - li->cursor + 1);
    li->text[li->cursor++] = static_cast<char>(c);
    ++li->length;
    return true;
}

void delete_at(uxLineInput* li, int at) {
    if (at < 0 || at >= li->length) return;
    std::memmove(li->text + at, li->text + at + 1, li->length - at);
    --li->length;
}

void collect_focusable(uxContainer* c, uxWidget** out, int* n) {
    if (!c || !c->visible) return;
    for (int i = 0; i < c->count && *n < kMaxFocusList; ++i) {
        uxWidget* w = c->widgets[i];
        if (uxwidget_focusable(w)) out[(*n)++] = w;
        if (w->child && uxwidget_shown(w)) collect_focusable(w->child, out, n);
    }
}

// Return: the focus moves on, but when it would land on a button (or nowhere else) and the
// window has a default button, the default button is triggered so that Return confirms.
void return_pressed(uxLineInput* li) {
    uxWindow* win = li->base.container ? li->base.container->window : nullptr;
    if (!win) return;
    uxWidget* list[kMaxFocusList];
    int n = 0;
    collect_focusable(&win->container, list, &n);
    uxWidget* next = nullptr;
    for (int i = 0; i < n; ++i)
        if (list[i] == &li->base) next = list[(i + 1) % n];
    uxWidget* dflt = uxbutton_find_default(win);
    if (dflt && (!next || next == &li->base || next->role == UXROLE_BUTTON)) {
        uxwidget_trigger(dflt);
        return;
    }
    if (next && next != &li->base) uxwidget_focus(next);
}

int text_left(const uxLineInput* li) { return li->base.abs_x + li->base.border + 2; }
int text_room(const uxLineInput* li) { return li->base.layout.width - 2 * li->base.border - 4; }

int width_between(const uxLineInput* li, int from, int to) {
    int w = 0;
    for (int i = from; i < to; ++i)
        w += uxfont_char_width(li->base.fontid, static_cast<unsigned char>(li->text[i]));
    return w;
}

// Keeps the cursor inside the visible part.
void follow_cursor(uxLineInput* li) {
    if (li->scroll > li->cursor) li->scroll = li->cursor;
    int room = text_room(li);
    while (li->scroll < li->cursor && width_between(li, li->scroll, li->cursor) > room)
        ++li->scroll;
}

int cursor_from_x(uxLineInput* li, int x) {
    int room = text_room(li);
    int full = width_between(li, li->scroll, li->length);
    int at = li->base.border + 2;
    if (li->props.align_right && full < room) at += room - full;
    int i = li->scroll;
    while (i < li->length) {
        int cw = uxfont_char_width(li->base.fontid, static_cast<unsigned char>(li->text[i]));
        if (x < at + cw / 2) break;
        at += cw;
        ++i;
    }
    return i;
}

bool edit_key(uxLineInput* li, int key) {
    uxWindow* win = li->base.container ? li->base.container->window : nullptr;
    int mods = win ? win->modifiers : 0;
    switch (key) {
        case UXKEY_LEFT: if (li->cursor > 0) --li->cursor; break;
        case UXKEY_RIGHT: if (li->cursor < li->length) ++li->cursor; break;
        case UXKEY_HOME: li->cursor = 0; break;
        case UXKEY_END: li->cursor = li->length; break;
        case UXKEY_BACKSPACE:
            if (li->readonly) return true;
            if (li->select_all) replace_all(li, "");
            else if (li->cursor > 0) delete_at(li, --li->cursor);
            break;
        case UXKEY_DELETE:
            if (li->readonly) return true;
            if (li->select_all) replace_all(li, "");
            else delete_at(li, li->cursor);
            break;
        case UXKEY_RETURN:
            if (li->props.keepfocus) return false;  // the window's default button may take it
            return_pressed(li);
            return true;  // the focus may have moved: touch nothing more
        default:
            if (key < 32 || key > 255 || key == 127 || (mods & (UXMOD_CTRL | UXMOD_ALT)))
                return false;
            if (li->readonly) return true;
            insert_char(li, key);
            break;
    }
    if (key != UXKEY_BACKSPACE && key != UXKEY_DELETE) li->select_all = false;
    follow_cursor(li);
    uxwidget_invalidate(&li->base);
    return true;
}

void paste(uxLineInput* li) {
    if (li->readonly || !uxplatform || !uxplatform->clipboard_get) return;
    char buffer[kOwnLimit + 1];
    int n = uxplatform->clipboard_get(buffer, sizeof buffer);
    if (n <= 0) return;
    if (n > kOwnLimit) n = kOwnLimit;
    buffer[n] = 0;
    for (int i = 0; i < n; ++i) {
        unsigned char c = static_cast<unsigned char>(buffer[i]);
        if (c == '\n' || c == '\r') break;
        if (!insert_char(li, c < 32 ? ' ' : c)) break;
    }
    li->select_all = false;
    follow_cursor(li);
    uxwidget_invalidate(&li->base);
}

bool lineinput_handle(uxWidget* w, const uxEvent* ev) {
    uxLineInput* li = self_of(w);
    switch (ev->code) {
        case UXEV_KEYDOWN: {
            int key = ev->data[0];
            // Up/Down and wheel belong to the composite around the field (up/down control)
            if ((key == UXKEY_UP || key == UXKEY_DOWN || key == UXKEY_PAGEUP ||
                 key == UXKEY_PAGEDOWN) && w->owner && w->owner->handle)
                return w->owner->handle(w->owner, ev);
            return edit_key(li, key);
        }
        case UXEV_KEYUP: return ev->data[0] >= 32 && ev->data[0] < 256;
        case UXEV_LDOWN:
        case UXEV_LDBL:
            li->select_all = ev->code == UXEV_LDBL;
            li->cursor = cursor_from_x(li, ev->data[0]);
            uxwidget_invalidate(w);
            return true;
        case UXEV_LUP:
        case UXEV_MOVE: return true;
        case UXEV_FOCUSIN:
            // typing right after the focus arrives replaces the old value
            li->select_all = li->length > 0;
            li->cursor = li->length;
            follow_cursor(li);
            uxwidget_invalidate(w);
            return true;
        case UXEV_FOCUSOUT:
            li->select_all = false;
            uxwidget_invalidate(w);
            return true;
        case UXEV_COPY:
            if (uxplatform && uxplatform->clipboard_set) uxplatform->clipboard_set(li->text);
            return true;
        case UXEV_CUT:
            if (uxplatform && uxplatform->clipboard_set) uxplatform->clipboard_set(li->text);
            if (!li->readonly) replace_all(li, "");
            return true;
        case UXEV_PASTE: paste(li); return true;
        default: return false;
    }
}

void lineinput_paint(uxWidget* w, uxPixmap* pm) {
    uxLineInput* li = self_of(w);
    int x = w->abs_x, y = w->abs_y, width = w->layout.width, height = w->layout.height;
    if (width <= 0 || height <= 0) return;
    bool locked = li->readonly || !w->enabled;
    int background = uxcolor_role(locked ? UXCOLOR_FACE : UXCOLOR_WHITE);
    uxpxmap_fillrect(pm, x, y, width, height, background);
    uxcolor_frame(pm, x, y, width, height, w->border, false);
    int fh = uxfont_height(w->fontid);
    int ty = y + (height - fh) / 2;
    int room = text_room(li);
    int right = text_left(li) + room;
    int full = width_between(li, li->scroll, li->length);
    int tx = text_left(li);
    if (li->props.align_right && full < room) tx += room - full;
    bool focused = uxwidget_has_focus(w);
    int colour = uxcolor_role(locked ? UXCOLOR_GREYTEXT : UXCOLOR_TEXT);
    if (focused && li->select_all && li->length > 0) {
        int shown = full < room ? full : room;
        uxpxmap_fillrect(pm, tx, ty, shown, fh, uxcolor_role(UXCOLOR_HIGHLIGHT));
        colour = uxcolor_role(UXCOLOR_WHITE);
    }
    uxcolor_text_clipped(pm, w->fontid, tx, ty, li->text + li->scroll, colour, right);
    if (focused && !locked) {
        int cx = tx + width_between(li, li->scroll, li->cursor);
        if (cx < right + 1) uxpxmap_fillrect(pm, cx, ty, 1, fh, uxcolor_role(UXCOLOR_BLACK));
    }
}

const char* lineinput_text(uxWidget* w) { return self_of(w)->text; }
void lineinput_set_text_hook(uxWidget* w, const char* text) { replace_all(self_of(w), text); }

}  // namespace

void uxlineinput_vcreate(uxLineInput* li, const char* format, va_list ap) {
    char** tokens = uxwidget_begin(&li->base, false, 2, format, ap);
    uxcfgstr_lineinput(tokens, 0, &li->props);
    uxWidget* w = &li->base;
    li->capacity = kOwnLimit + 1;
    li->text = new char[li->capacity];
    li->text[0] = 0;
    replace_all(li, li->props.has_initial ? li->props.initial : "");
    w->self = li;
    w->handle = lineinput_handle;
    w->paint = lineinput_paint;
    w->text = lineinput_text;
    w->set_text = lineinput_set_text_hook;
    w->role = UXROLE_TEXTFIELD;
    int fh = uxfont_height(w->fontid);
    uxwidget_natural_size(w, 10 * uxfont_char_width(w->fontid, '0') + 2 * w->border + 4,
                          fh + 2 * w->border + 4);
    uxwidget_finish(w, tokens);
}

void uxlineinput_create(uxLineInput* li, const char* format, ...) {
    va_list ap;
    va_start(ap, format);
    uxlineinput_vcreate(li, format, ap);
    va_end(ap);
}

void uxlineinput_destroy(uxLineInput* li) {
    uxwidget_destroy(&li->base);
    delete[] li->text;
    li->text = nullptr;
    li->length = li->capacity = li->cursor = li->scroll = 0;
}

void uxlineinput_get_text(const uxLineInput* li, char* out, int size) {
    if (!out || size <= 0) return;
    int n = li->text ? li->length : 0;
    if (li->props.maxlen > 0 && n > li->props.maxlen) n = li->props.maxlen;
    if (n > size - 1) n = size - 1;
    if (n > 0) std::memcpy(out, li->text, n);
    out[n] = 0;
}

const char* uxlineinput_text(const uxLineInput* li) { return li->text ? li->text : ""; }

void uxlineinput_set_text(uxLineInput* li, const char* text) {
    if (li->text) replace_all(li, text);
}

void uxlineinput_set_readonly(uxLineInput* li, bool readonly) {
    li->readonly = readonly;
    li->select_all = false;
    uxwidget_invalidate(&li->base);
}
