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

int text_room(const uxLineInput* li) { return li->base.layout.width - 2 * li->base.border - 4; }

int width_between(const uxLineInput* li, int from, int to) {
    int w = 0;
    for (int i = from; i < to; ++i)
        w += uxfont_char_width(li->base.fontid, static_cast<unsigned char>(li->text[i]));
    return w;
}

// Keeps the caret inside the visible part, and shows as much of the text as fits: after the
// text got shorter, the view scrolls back rather than leave room empty.
void follow_cursor(uxLineInput* li) {
    if (li->scroll > li->length) li->scroll = li->length;
    if (li->scroll > li->cursor) li->scroll = li->cursor;
    int room = text_room(li);
    while (li->scroll < li->cursor && width_between(li, li->scroll, li->cursor) > room)
        ++li->scroll;
    while (li->scroll > 0 && width_between(li, li->scroll - 1, li->length) <= room) --li->scroll;
}

bool has_selection(const uxLineInput* li) { return li->anchor >= 0 && li->anchor != li->cursor; }

void select_none(uxLineInput* li) { li->anchor = -1; }

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
    select_none(li);
    follow_cursor(li);
    uxwidget_invalidate(&li->base);
}

// Removes the selected characters; the caret goes where they began.
void delete_selection(uxLineInput* li) {
    if (!has_selection(li)) {
        select_none(li);
        return;
    }
    int from = li->anchor < li->cursor ? li->anchor : li->cursor;
    int to = li->anchor < li->cursor ? li->cursor : li->anchor;
    std::memmove(li->text + from, li->text + to, li->length - to + 1);
    li->length -= to - from;
    li->cursor = from;
    select_none(li);
}

bool insert_char(uxLineInput* li, int c) {
    delete_selection(li);
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

// The run of non-blank characters around `at` (a number, a word).
void select_word(uxLineInput* li, int at) {
    int from = at, to = at;
    while (from > 0 && li->text[from - 1] != ' ') --from;
    while (to < li->length && li->text[to] != ' ') ++to;
    li->anchor = from;
    li->cursor = to;
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

// Caret movement; with Shift the selection grows from where the caret was.
void move_caret(uxLineInput* li, int to, bool extend) {
    if (extend && li->anchor < 0) li->anchor = li->cursor;
    if (!extend) select_none(li);
    li->cursor = to < 0 ? 0 : to > li->length ? li->length : to;
}

bool edit_key(uxLineInput* li, int key) {
    uxWindow* win = li->base.container ? li->base.container->window : nullptr;
    int mods = win ? win->modifiers : 0;
    bool shift = (mods & UXMOD_SHIFT) != 0;
    switch (key) {
        case UXKEY_LEFT: move_caret(li, li->cursor - 1, shift); break;
        case UXKEY_RIGHT: move_caret(li, li->cursor + 1, shift); break;
        case UXKEY_HOME: move_caret(li, 0, shift); break;
        case UXKEY_END: move_caret(li, li->length, shift); break;
        case UXKEY_BACKSPACE:
            if (li->readonly) return true;
            if (has_selection(li)) delete_selection(li);
            else if (li->cursor > 0) delete_at(li, --li->cursor);
            select_none(li);
            break;
        case UXKEY_DELETE:
            if (li->readonly) return true;
            if (has_selection(li)) delete_selection(li);
            else delete_at(li, li->cursor);
            select_none(li);
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
            // A click puts the caret under the pointer and selects nothing; a drag from here
            // selects what it passes over.
            li->cursor = cursor_from_x(li, ev->data[0]);
            li->anchor = li->cursor;
            li->dragging = true;
            follow_cursor(li);
            uxwidget_invalidate(w);
            return true;
        case UXEV_LDBL:
            select_word(li, cursor_from_x(li, ev->data[0]));
            li->dragging = false;
            follow_cursor(li);
            uxwidget_invalidate(w);
            return true;
        case UXEV_MOVE:
            if (li->dragging) {
                li->cursor = cursor_from_x(li, ev->data[0]);
                follow_cursor(li);
                uxwidget_invalidate(w);
            }
            return true;
        case UXEV_LUP:
            if (li->dragging && !has_selection(li)) select_none(li);
            li->dragging = false;
            return true;
        case UXEV_FOCUSIN:
            // Focus from the keyboard selects all, so typing replaces the old value (a click
            // that brought the focus puts the caret under the pointer right after).
            li->cursor = li->length;
            li->anchor = li->length > 0 ? 0 : -1;
            follow_cursor(li);
            uxwidget_invalidate(w);
            return true;
        case UXEV_FOCUSOUT:
            select_none(li);
            li->dragging = false;
            uxwidget_invalidate(w);
            // The composite around the field (up/down control) shows the value it holds.
            if (w->owner && w->owner->handle) w->owner->handle(w->owner, ev);
            return true;
        case UXEV_COPY:
        case UXEV_CUT: {
            // The selection, or the whole text when nothing is selected.
            int from = 0, to = li->length;
            uxlineinput_selection(li, &from, &to);
            char part[kOwnLimit + 1];
            std::memcpy(part, li->text + from, to - from);
            part[to - from] = 0;
            if (uxplatform && uxplatform->clipboard_set) uxplatform->clipboard_set(part);
            if (ev->code == UXEV_CUT && !li->readonly) {
                li->anchor = from;
                li->cursor = to;
                if (from == 0 && to == li->length) replace_all(li, "");
                else delete_selection(li);
                follow_cursor(li);
                uxwidget_invalidate(w);
            }
            return true;
        }
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
    uxcolor_text_clipped(pm, w->fontid, tx, ty, li->text + li->scroll, colour, right);
    int from = 0, to = 0;
    if (focused && uxlineinput_selection(li, &from, &to) && to > li->scroll) {
        // The selected characters in white on the highlight colour, within the shown part.
        if (from < li->scroll) from = li->scroll;
        int sx = tx + width_between(li, li->scroll, from);
        int sw = width_between(li, from, to);
        if (sx + sw > right) sw = right - sx;
        if (sw > 0) {
            uxpxmap_fillrect(pm, sx, ty, sw, fh, uxcolor_role(UXCOLOR_HIGHLIGHT));
            char part[kOwnLimit + 1];
            std::memcpy(part, li->text + from, to - from);
            part[to - from] = 0;
            uxcolor_text_clipped(pm, w->fontid, sx, ty, part, uxcolor_role(UXCOLOR_WHITE), right);
        }
    }
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
    select_none(li);
    uxwidget_invalidate(&li->base);
}

bool uxlineinput_selection(const uxLineInput* li, int* from, int* to) {
    if (li->anchor < 0 || li->anchor == li->cursor) return false;
    *from = li->anchor < li->cursor ? li->anchor : li->cursor;
    *to = li->anchor < li->cursor ? li->cursor : li->anchor;
    return true;
}
