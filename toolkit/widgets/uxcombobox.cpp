// The combo box: a line input with a down arrow that opens a popup list of the entries below
// the field; choosing one closes the list, shows the entry and triggers the box.
#include <cstring>

#include "toolkit/widgets/uxlineinput.h"
#include "toolkit/widgets/uxlistbox.h"

namespace {

uxComboBox* self_of(uxWidget* w) { return static_cast<uxComboBox*>(w->self); }

void part_rects(const uxComboBox* c, int* ix, int* iy, int* iw, int* ih, int* aw) {
    const uxWidget* w = &c->base;
    *ix = w->layout.left + w->border;
    *iy = w->layout.top + w->border;
    *ih = w->layout.height - 2 * w->border;
    *aw = *ih < 12 ? 12 : *ih;
    *iw = w->layout.width - 2 * w->border - *aw;
}

void combo_relayout(uxWidget* w) {
    uxComboBox* c = self_of(w);
    if (!c->input.base.container || !c->arrow.base.container) return;  // parts not made yet
    int ix, iy, iw, ih, aw;
    part_rects(c, &ix, &iy, &iw, &ih, &aw);
    uxwidget_place_part(&c->input.base, ix, iy, iw, ih);
    uxwidget_place_part(&c->arrow.base, ix + iw, iy, aw, ih);
}

void combo_paint(uxWidget* w, uxPixmap* pm) {
    uxcolor_frame(pm, w->abs_x, w->abs_y, w->layout.width, w->layout.height, w->border, false);
}

void close_popup(uxComboBox* c) {
    uxlistbox_popup_close(&c->popup.window, &c->popup_list);
    c->popup.open = false;
}

// A press outside the open list closes it without a choice.
void dismissed(void* user) { close_popup(static_cast<uxComboBox*>(user)); }

void entry_chosen(int, void* user) {
    uxComboBox* c = static_cast<uxComboBox*>(user);
    int row = c->popup_list ? uxlistbox_selected(c->popup_list) : -1;
    close_popup(c);  // the list is gone from here on
    if (row < 0) return;  // Escape
    uxcombobox_select(c, row);
    uxwidget_trigger(&c->base);
}

void open_popup(uxComboBox* c) {
    uxWidget* w = &c->base;
    uxWindow* win = w->container ? w->container->window : nullptr;
    if (!win || c->entry_count == 0) return;
    int x = win->layout.left + w->abs_x;
    int y = win->layout.top + w->abs_y + w->layout.height;
    c->popup_list = uxlistbox_popup_open(&c->popup.window, x, y, w->layout.width, w->fontid,
                                         c->entries, c->entry_count, c->selected, entry_chosen, c);
    c->popup.open = c->popup_list != nullptr;
    if (c->popup.open) uxwindow_set_popup_dismiss(&c->popup.window, &c->arrow.base, dismissed, c);
}

void arrow_pressed(int, void* user) {
    uxComboBox* c = static_cast<uxComboBox*>(user);
    if (c->popup.open) close_popup(c);
    else open_popup(c);
}

// Down (or Alt+Down) from the field opens the list; the wheel steps through the entries.
bool combo_handle(uxWidget* w, const uxEvent* ev) {
    uxComboBox* c = self_of(w);
    if (!w->enabled) return false;
    if (ev->code == UXEV_KEYDOWN && ev->data[0] == UXKEY_DOWN) {
        if (!c->popup.open) open_popup(c);
        return true;
    }
    if (ev->code == UXEV_WHEELFWD || ev->code == UXEV_WHEELBACK) {
        int next = c->selected + (ev->code == UXEV_WHEELFWD ? -1 : 1);
        if (next >= 0 && next < c->entry_count) {
            uxcombobox_select(c, next);
            uxwidget_trigger(w);
        }
        return true;
    }
    return ev->code >= UXEV_LDOWN && ev->code <= UXEV_MOVE;
}

// Automation clicks the arrow to open the list.
bool combo_locate(uxWidget* w, int, const char*, int* x, int* y) {
    uxComboBox* c = self_of(w);
    if (!c->arrow.base.container) return false;
    *x = c->arrow.base.abs_x + c->arrow.base.layout.width / 2;
    *y = c->arrow.base.abs_y + c->arrow.base.layout.height / 2;
    return true;
}

}  // namespace

void uxcombobox_create(uxComboBox* c, const char* format, ...) {
    va_list ap;
    va_start(ap, format);
    char** tokens = uxwidget_begin(&c->base, false, 2, format, ap);
    va_end(ap);
    static const char* const entries[] = {"entries=", nullptr};
    char** list = uxcfgstr_list(tokens, 0, entries);
    c->entry_count = uxcfgstr_count(list);
    c->entries = new char*[c->entry_count > 0 ? c->entry_count : 1];
    for (int i = 0; i < c->entry_count; ++i) {
        c->entries[i] = new char[std::strlen(list[i]) + 1];
        std::strcpy(c->entries[i], list[i]);
    }
    if (list) uxcfgstr_free(list);
    uxWidget* w = &c->base;
    w->self = c;
    w->nokeyfocus = true;  // the line input takes the focus
    w->handle = combo_handle;
    w->paint = combo_paint;
    w->relayout = combo_relayout;
    w->locate = combo_locate;
    w->role = UXROLE_COMBOBOX;
    uxwidget_natural_size(w, 120, 24);
    uxwidget_finish(w, tokens);

    int ix, iy, iw, ih, aw;
    part_rects(c, &ix, &iy, &iw, &ih, &aw);
    uxlineinput_create(&c->input, "x=%d,y=%d,xs=%d,ys=%d,noborder,fontid=%d", ix, iy,
                       iw > 1 ? iw : 1, ih > 1 ? ih : 1, w->fontid);
    // The field stays countable (not a part): automation's `input N` counts each combo box
    // once through it, while `combo` finds the box by its own role.
    c->input.base.owner = w;
    uxbutton_create_cb(&c->arrow, arrow_pressed, c, "down,arrow,x=%d,y=%d,xs=%d,ys=%d,skip",
                       ix + iw, iy, aw, ih > 1 ? ih : 1);
    c->arrow.base.part = true;
    c->arrow.base.owner = w;
    w->focus_proxy = &c->input.base;
    combo_relayout(w);
    if (c->entry_count > 0) uxcombobox_select(c, 0);
}

void uxcombobox_destroy(uxComboBox* c) {
    close_popup(c);
    uxbutton_destroy(&c->arrow);
    uxlineinput_destroy(&c->input);
    for (int i = 0; i < c->entry_count; ++i) delete[] c->entries[i];
    delete[] c->entries;
    c->entries = nullptr;
    c->entry_count = 0;
    c->selected = -1;
    uxwidget_destroy(&c->base);
}

void uxcombobox_select(uxComboBox* c, int index) {
    if (index < -1 || index >= c->entry_count) return;
    c->selected = index;
    uxlineinput_set_text(&c->input, index >= 0 ? c->entries[index] : "");
}

int uxcombobox_selected(const uxComboBox* c) { return c->selected; }
