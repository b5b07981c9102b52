// The list box: rows of text with one selected row, scrolled by rows; also the popup list that
// combo boxes and menus open.
#include <cstdio>
#include <cstring>

#include "toolkit/drawing/uxfont.h"
#include "toolkit/widgets/uxlistbox.h"
#include "toolkit/drawing/uxpixmap.h"

namespace {

uxListBox* self_of(uxWidget* w) { return static_cast<uxListBox*>(w->self); }

void append_row(uxListBox* l, char* row) {
    if (l->count == l->capacity) {
        int cap = l->capacity ? l->capacity * 2 : 16;
        char** grown = new char*[cap];
        for (int i = 0; i < l->count; ++i) grown[i] = l->rows[i];
        delete[] l->rows;
        l->rows = grown;
        l->capacity = cap;
    }
    l->rows[l->count++] = row;
}

int visible_rows(const uxListBox* l) {
    int rh = uxlistbox_row_height(l);
    int inner = l->base.layout.height - 2 * l->base.border;
    int n = rh > 0 ? inner / rh : 0;
    return n > 0 ? n : 1;
}

// Width of the rows: the inner width less the vertical bar while it is shown.
int row_right(const uxListBox* l) {
    int right = l->base.layout.width - l->base.border;
    if (l->scroll.created && l->scroll.show_v) right -= l->scroll.thickness;
    return right;
}

// The bar is shown while the rows do not fit; its knob is the visible share of the rows.
void sync_bar(uxListBox* l) {
    if (!l->scroll.created) return;
    int rows = visible_rows(l);
    bool need = l->count > rows;
    if (need != l->scroll.show_v || !l->bar_placed) {
        uxscrollbars_place(&l->scroll, need, false, nullptr, nullptr);
        l->bar_placed = true;
    }
    if (l->count > 0)
        uxscrollbars_set(&l->scroll, 1, 100.0 * rows / l->count, 100.0 * l->first_visible / l->count);
    else
        uxscrollbars_set(&l->scroll, 1, 100, 0);
}

void clamp_scroll(uxListBox* l) {
    int most = l->count - visible_rows(l);
    if (l->first_visible > most) l->first_visible = most;
    if (l->first_visible < 0) l->first_visible = 0;
    sync_bar(l);
}

void listbox_scroll(uxWidget* owner, int, int action, double value) {
    uxListBox* l = self_of(owner);
    int rows = visible_rows(l);
    switch (action) {
        case UXSCROLL_LINE_BACK: --l->first_visible; break;
        case UXSCROLL_LINE_FORWARD: ++l->first_visible; break;
        case UXSCROLL_PAGE_BACK: l->first_visible -= rows; break;
        case UXSCROLL_PAGE_FORWARD: l->first_visible += rows; break;
        case UXSCROLL_DRAG: l->first_visible = static_cast<int>(value * l->count / 100.0 + 0.5); break;
        default: return;
    }
    clamp_scroll(l);
    uxwidget_invalidate(owner);
}

void scroll_into_view(uxListBox* l, int index) {
    if (index < 0 || index >= l->count) return;
    if (index < l->first_visible) l->first_visible = index;
    int rows = visible_rows(l);
    if (index >= l->first_visible + rows) l->first_visible = index - rows + 1;
    clamp_scroll(l);
}

void move_selection(uxListBox* l, int to) {
    if (l->count == 0) return;
    if (to < 0) to = 0;
    if (to >= l->count) to = l->count - 1;
    l->selected = to;
    scroll_into_view(l, to);
    uxwidget_invalidate(&l->base);
}

int row_at(const uxListBox* l, int y) {
    int rh = uxlistbox_row_height(l);
    if (rh <= 0 || y < l->base.border) return -1;
    int row = l->first_visible + (y - l->base.border) / rh;
    return row < l->count && row < l->first_visible + visible_rows(l) ? row : -1;
}

bool listbox_handle(uxWidget* w, const uxEvent* ev) {
    uxListBox* l = self_of(w);
    switch (ev->code) {
        case UXEV_LDOWN:
        case UXEV_LDBL: {
            int row = row_at(l, ev->data[1]);
            if (row >= 0) move_selection(l, row);
            if (ev->code == UXEV_LDBL && row >= 0 && !l->choose_on_click) uxwidget_trigger(w);
            return true;
        }
        case UXEV_LUP:
            // popup lists choose on release; the trigger may destroy the list, so it is last
            if (l->choose_on_click && row_at(l, ev->data[1]) >= 0 &&
                row_at(l, ev->data[1]) == l->selected && ev->data[0] >= 0 &&
                ev->data[0] < row_right(l))
                uxwidget_trigger(w);
            return true;
        case UXEV_MOVE:
            if (l->choose_on_click) {
                int row = row_at(l, ev->data[1]);
                if (row >= 0 && row != l->selected) move_selection(l, row);
            }
            return true;
        case UXEV_WHEELFWD:
        case UXEV_WHEELBACK:
            l->first_visible += ev->code == UXEV_WHEELFWD ? -3 : 3;
            clamp_scroll(l);
            uxwidget_invalidate(w);
            return true;
        case UXEV_KEYDOWN:
            switch (ev->data[0]) {
                case UXKEY_UP: move_selection(l, l->selected < 0 ? 0 : l->selected - 1); return true;
                case UXKEY_DOWN: move_selection(l, l->selected + 1); return true;
                case UXKEY_PAGEUP: move_selection(l, l->selected - visible_rows(l)); return true;
                case UXKEY_PAGEDOWN: move_selection(l, l->selected + visible_rows(l)); return true;
                case UXKEY_HOME: move_selection(l, 0); return true;
                case UXKEY_END: move_selection(l, l->count - 1); return true;
                case UXKEY_RETURN:
                    if (l->selected < 0) return false;
                    uxwidget_trigger(w);
                    return true;
                case UXKEY_ESCAPE:
                    if (!l->choose_on_click) return false;
                    l->selected = -1;
                    uxwidget_trigger(w);
                    return true;
                default: return false;
            }
        case UXEV_FOCUSIN:
        case UXEV_FOCUSOUT: uxwidget_invalidate(w); return true;
        default: return false;
    }
}

void listbox_paint(uxWidget* w, uxPixmap* pm) {
    uxListBox* l = self_of(w);
    int x = w->abs_x, y = w->abs_y, width = w->layout.width, height = w->layout.height;
    if (width <= 0 || height <= 0) return;
    uxpxmap_fillrect(pm, x, y, width, height, uxcolor_role(w->enabled ? UXCOLOR_WHITE : UXCOLOR_FACE));
    uxcolor_frame(pm, x, y, width, height, w->border, false);
    int rh = uxlistbox_row_height(l);
    int left = x + w->border, right = x + row_right(l);
    int rows = visible_rows(l);
    for (int k = 0; k < rows && l->first_visible + k < l->count; ++k) {
        int index = l->first_visible + k;
        int ry = y + w->border + k * rh;
        int colour = uxcolor_role(w->enabled ? UXCOLOR_TEXT : UXCOLOR_GREYTEXT);
        if (index == l->selected) {
            uxpxmap_fillrect(pm, left, ry, right - left, rh, uxcolor_role(UXCOLOR_HIGHLIGHT));
            colour = uxcolor_role(UXCOLOR_WHITE);
        }
        uxcolor_text_clipped(pm, w->fontid, left + 2, ry + 1, l->rows[index], colour, right - 1);
    }
}

// The window position of a row's centre, after scrolling it into view.
bool listbox_locate(uxWidget* w, int index, const char*, int* x, int* y) {
    uxListBox* l = self_of(w);
    if (index < 0 || index >= l->count) return false;
    scroll_into_view(l, index);
    uxwidget_invalidate(w);
    int rh = uxlistbox_row_height(l);
    *x = w->abs_x + (w->border + row_right(l)) / 2;
    *y = w->abs_y + w->border + (index - l->first_visible) * rh + rh / 2;
    return true;
}

void listbox_relayout(uxWidget* w) {
    uxListBox* l = self_of(w);
    l->bar_placed = false;  // the owner moved: the bar goes along
    clamp_scroll(l);
}

}  // namespace

void uxlistbox_create(uxListBox* l, const char* format, ...) {
    va_list ap;
    va_start(ap, format);
    char** tokens = uxwidget_begin(&l->base, false, 2, format, ap);
    va_end(ap);
    uxWidget* w = &l->base;
    w->self = l;
    w->handle = listbox_handle;
    w->paint = listbox_paint;
    w->locate = listbox_locate;
    w->relayout = listbox_relayout;
    w->role = UXROLE_LISTBOX;
    uxwidget_natural_size(w, 100, 5 * (uxfont_height(w->fontid) + 2) + 2 * w->border);
    uxwidget_finish(w, tokens);
    uxscrollbars_create(&l->scroll, w, listbox_scroll);
    l->bar_placed = false;
    sync_bar(l);
}

void uxlistbox_destroy(uxListBox* l) {
    uxlistbox_clear(l);
    uxscrollbars_destroy(&l->scroll);
    delete[] l->rows;
    l->rows = nullptr;
    l->capacity = 0;
    uxwidget_destroy(&l->base);
}

void uxlistbox_clear(uxListBox* l) {
    for (int i = 0; i < l->count; ++i) delete[] l->rows[i];
    l->count = 0;
    l->selected = -1;
    l->first_visible = 0;
    sync_bar(l);
    uxwidget_invalidate(&l->base);
}

void uxlistbox_add(uxListBox* l, const char* format, ...) {
    va_list ap, again;
    va_start(ap, format);
    va_copy(again, ap);
    int n = std::vsnprintf(nullptr, 0, format, ap);
    va_end(ap);
    if (n < 0) n = 0;
    char* row = new char[n + 1];
    std::vsnprintf(row, n + 1, format, again);
    va_end(again);
    append_row(l, row);
    sync_bar(l);
    uxwidget_invalidate(&l->base);
}

void uxlistbox_show(uxListBox* l) {
    l->first_visible = 0;
    l->selected = -1;
    uxwidget_layout(&l->base);
    uxwidget_invalidate(&l->base);
}

int uxlistbox_selected(const uxListBox* l) { return l->selected; }

void uxlistbox_select(uxListBox* l, int index) {
    if (index < -1 || index >= l->count) return;
    l->selected = index;
    scroll_into_view(l, index);
    uxwidget_invalidate(&l->base);
}

int uxlistbox_count(const uxListBox* l) { return l->count; }

const char* uxlistbox_row(const uxListBox* l, int index) {
    return index >= 0 && index < l->count ? l->rows[index] : nullptr;
}

int uxlistbox_row_height(const uxListBox* l) { return uxfont_height(l->base.fontid) + 2; }

// ---- popup lists ------------------------------------------------------------------------------

static bool open_popup_window(uxWindow* popup, const char* format, ...) {
    va_list ap;
    va_start(ap, format);
    bool ok = uxwindow_vcreate(popup, true, format, ap);
    va_end(ap);
    return ok;
}

uxListBox* uxlistbox_popup_open(uxWindow* popup, int x, int y, int width, int fontid,
                                const char* const* rows, int count, int selected,
                                uxTriggerFn chosen, void* user) {
    constexpr int kMostRows = 10;
    if (popup->open) uxwindow_destroy(popup);
    int shown = count < 1 ? 1 : (count > kMostRows ? kMostRows : count);
    int rh = uxfont_height(fontid) + 2;
    int height = shown * rh + 2;
    if (width < 20) width = 20;
    // "noquit": closing the popup must not end the program
    if (!open_popup_window(popup, ",x=%d,y=%d,xs=%d,ys=%d,nosysmenu,noquit", x, y, width, height))
        return nullptr;
    uxContainer* saved = uxcontainer_current();
    uxcontainer_set_current(&popup->container);
    uxListBox* list = new uxListBox;
    uxlistbox_create(list, "x=0,y=0,xs=%d,ys=%d,border=1,fontid=%d", width, height, fontid);
    uxcontainer_set_current(saved);
    list->choose_on_click = true;
    for (int i = 0; i < count; ++i) uxlistbox_add(list, "%s", rows[i] ? rows[i] : "");
    uxlistbox_select(list, selected);
    uxwidget_set_trigger(&list->base, chosen, user);
    uxwidget_focus(&list->base);
    return list;
}

void uxlistbox_popup_close(uxWindow* popup, uxListBox** list) {
    if (*list) {
        uxlistbox_destroy(*list);
        delete *list;
        *list = nullptr;
    }
    if (popup->open) uxwindow_destroy(popup);
}
