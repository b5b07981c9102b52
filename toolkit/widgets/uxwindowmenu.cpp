// The menu bar across the top of a window: titles (some right-aligned) that open a popup list of
// their items; choosing an item calls its callback or posts its id.
#include <cstring>

#include "toolkit/core/uxentry.h"
#include "toolkit/drawing/uxfont.h"
#include "toolkit/core/uxid.h"
#include "toolkit/widgets/uxlistbox.h"
#include "toolkit/drawing/uxpixmap.h"

namespace {

uxWindowMenu* self_of(uxWidget* w) { return static_cast<uxWindowMenu*>(w->self); }

int title_width(const uxWindowMenu* m, int index) {
    return uxcaption_width(m->base.fontid, m->titles[index].caption) + 16;
}

// Left edge of a title in the bar: left-aligned titles from the left, the others from the right.
int title_left(const uxWindowMenu* m, int index) {
    if (!m->titles[index].right) {
        int x = 2;
        for (int i = 0; i < index; ++i)
            if (!m->titles[i].right) x += title_width(m, i);
        return x;
    }
    int x = m->base.layout.width - 2;
    for (int i = m->title_count - 1; i >= index; --i)
        if (m->titles[i].right) x -= title_width(m, i);
    return x;
}

int title_at(const uxWindowMenu* m, int x) {
    for (int i = 0; i < m->title_count; ++i) {
        int left = title_left(m, i);
        if (x >= left && x < left + title_width(m, i)) return i;
    }
    return -1;
}

void invalidate(uxWindowMenu* m) {
    if (m->window) uxwindow_invalidate(m->window);
}

void close_items(uxWindowMenu* m) {
    uxlistbox_popup_close(&m->popup, &m->popup_list);
    m->open_title = -1;
    invalidate(m);
}

// A press outside the open item list (but not on the bar, which toggles it) closes it.
void dismissed(void* user) { close_items(static_cast<uxWindowMenu*>(user)); }

void item_chosen(int, void* user) {
    uxWindowMenu* m = static_cast<uxWindowMenu*>(user);
    int title = m->open_title;
    int row = m->popup_list ? uxlistbox_selected(m->popup_list) : -1;
    close_items(m);  // the list is gone from here on
    if (title < 0 || row < 0 || row >= m->titles[title].item_count) return;
    const uxWindowMenu::Item& item = m->items[m->titles[title].item_first + row];
    if (item.callback) item.callback(item.id, item.user);
    else uxPostEvent(item.id);
}

// The item list paints its rows as plain text; this paints it, then draws each visible row's
// caption once more over it with its "&" accelerator underlined, as the titles show theirs.
void (*plain_list_paint)(uxWidget* w, uxPixmap* pm) = nullptr;

void items_paint(uxWidget* w, uxPixmap* pm) {
    plain_list_paint(w, pm);
    const uxListBox* l = static_cast<const uxListBox*>(w->self);
    const uxWindowMenu* m = static_cast<const uxWindowMenu*>(w->trigger_user);
    if (!m || m->open_title < 0) return;
    const uxWindowMenu::Title& t = m->titles[m->open_title];
    const int rh = uxlistbox_row_height(l);
    if (rh <= 0) return;
    const int rows = (w->layout.height - 2 * w->border) / rh;
    for (int k = 0; k < rows && l->first_visible + k < l->count && l->first_visible + k < t.item_count; ++k) {
        const int index = l->first_visible + k;
        const char* caption = m->items[t.item_first + index].caption;
        if (uxcaption_underlined(caption) < 0) continue;
        const int colour = uxcolor_role(index == l->selected ? UXCOLOR_WHITE : UXCOLOR_TEXT);
        uxcaption_draw(pm, w->fontid, w->abs_x + w->border + 2, w->abs_y + w->border + k * rh + 1,
                       caption, colour, false);
    }
}

void open_items(uxWindowMenu* m, int title) {
    close_items(m);
    const uxWindowMenu::Title& t = m->titles[title];
    if (t.item_count == 0) {
        uxPostEvent(t.id);  // a title without items acts as a button
        return;
    }
    const char* rows[64];
    char shown[64][256];
    int width = 0;
    for (int i = 0; i < t.item_count; ++i) {
        uxcaption_strip(m->items[t.item_first + i].caption, shown[i], sizeof shown[i]);
        rows[i] = shown[i];
        int w = uxfont_text_width(m->base.fontid, shown[i]) + 16;
        if (w > width) width = w;
    }
    int x = m->window->layout.left + title_left(m, title);
    int y = m->window->layout.top + m->height;
    m->open_title = title;
    m->popup_list = uxlistbox_popup_open(&m->popup, x, y, width, m->base.fontid, rows,
                                         t.item_count, -1, item_chosen, m);
    if (!m->popup_list) {
        m->open_title = -1;
    } else {
        uxwindow_set_popup_dismiss(&m->popup, &m->base, dismissed, m);
        plain_list_paint = m->popup_list->base.paint;
        m->popup_list->base.paint = items_paint;
    }
    invalidate(m);
}

bool menu_handle(uxWidget* w, const uxEvent* ev) {
    uxWindowMenu* m = self_of(w);
    if (ev->code != UXEV_LDOWN && ev->code != UXEV_LDBL) return ev->code == UXEV_LUP;
    int title = title_at(m, ev->data[0]);
    if (title < 0 || title == m->open_title) close_items(m);
    else open_items(m, title);
    return true;
}

void menu_paint(uxWidget* w, uxPixmap* pm) {
    uxWindowMenu* m = self_of(w);
    int width = w->layout.width, height = w->layout.height;
    uxpxmap_fillrect(pm, 0, 0, width, height, uxcolor_role(UXCOLOR_FACE));
    uxpxmap_fillrect(pm, 0, height - 1, width, 1, uxcolor_role(UXCOLOR_SHADOW));
    int fh = uxfont_height(w->fontid);
    for (int i = 0; i < m->title_count; ++i) {
        int left = title_left(m, i);
        int colour = uxcolor_role(UXCOLOR_TEXT);
        if (i == m->open_title) {
            uxpxmap_fillrect(pm, left, 1, title_width(m, i), height - 2,
                             uxcolor_role(UXCOLOR_HIGHLIGHT));
            colour = uxcolor_role(UXCOLOR_WHITE);
        }
        uxcaption_draw(pm, w->fontid, left + 8, (height - fh) / 2, m->titles[i].caption, colour,
                       false);
    }
}

char* caption_of(const char* format, va_list ap, bool* right) {
    char* text = uxcfgstr_vformat(format, ap);
    char** tokens = uxcfgstr_split(text);
    delete[] text;
    const char* first = tokens[0] ? tokens[0] : "";
    char* caption = new char[std::strlen(first) + 1];
    std::strcpy(caption, first);
    if (right) *right = tokens[0] && uxcfgstr_menutitle_right(tokens, 1);
    uxcfgstr_free(tokens);
    return caption;
}

}  // namespace

void uxwindowmenu_create(uxWindowMenu* m, uxWindow* window) {
    m->window = window;
    uxWidget* w = &m->base;
    w->id = uxid_new();
    w->fontid = uxfont_default_id();
    w->border = 0;
    w->nokeyfocus = true;
    w->self = m;
    w->handle = menu_handle;
    w->paint = menu_paint;
    m->height = uxfont_height(w->fontid) + 6;
    if (!window) return;
    window->menubar = w;
    window->menu_height = m->height;
    uxwindow_relayout(window);
}

void uxwindowmenu_destroy(uxWindowMenu* m) {
    close_items(m);
    for (int i = 0; i < m->title_count; ++i) delete[] m->titles[i].caption;
    for (int i = 0; i < m->item_count; ++i) delete[] m->items[i].caption;
    m->title_count = m->item_count = 0;
    if (m->window && m->window->menubar == &m->base) {
        m->window->menubar = nullptr;
        m->window->menu_height = 0;
        uxwindow_relayout(m->window);
    }
    m->window = nullptr;
}

int uxwindowmenu_add_title(uxWindowMenu* m, const char* format, ...) {
    if (m->title_count >= 16) return -1;
    va_list ap;
    va_start(ap, format);
    bool right = false;
    char* caption = caption_of(format, ap, &right);
    va_end(ap);
    uxWindowMenu::Title& t = m->titles[m->title_count++];
    t = uxWindowMenu::Title{caption, right, uxid_new(), m->item_count, 0};
    invalidate(m);
    return t.id;
}

int uxwindowmenu_add_item(uxWindowMenu* m, uxMenuCallback callback, void* user,
                          const char* format, ...) {
    if (m->title_count == 0 || m->item_count >= 64) return -1;
    uxWindowMenu::Title& t = m->titles[m->title_count - 1];
    // a title's items stay together: no item may follow another title's items
    if (t.item_first + t.item_count != m->item_count) return -1;
    va_list ap;
    va_start(ap, format);
    char* caption = caption_of(format, ap, nullptr);
    va_end(ap);
    uxWindowMenu::Item& item = m->items[m->item_count++];
    item = uxWindowMenu::Item{caption, uxid_new(), callback, user};
    ++t.item_count;
    return item.id;
}
