#pragma once
// A scrollable list of text rows with a selection, the tab control, the progress bar and the
// window menu bar.

#include "toolkit/widgets/uxbutton.h"
#include "toolkit/widgets/uxscrollbar.h"
#include "toolkit/core/uxwidget.h"
#include "toolkit/core/uxwindow.h"

struct uxListBox {
    uxWidget base;
    uxScrollBarManager scroll;
    char** rows = nullptr;
    int count = 0, capacity = 0;
    int selected = -1;
    int first_visible = 0;
    bool choose_on_click = false;  // popup lists: a click (release) already chooses
    bool bar_placed = false;       // the scroll bar sits where the current layout wants it
};
void uxlistbox_create(uxListBox* l, const char* format, ...);
void uxlistbox_destroy(uxListBox* l);
void uxlistbox_clear(uxListBox* l);
void uxlistbox_add(uxListBox* l, const char* format, ...) __attribute__((format(printf, 2, 3)));
// Resets the scroll position, sets the selection to none, lays out and repaints.
void uxlistbox_show(uxListBox* l);
int uxlistbox_selected(const uxListBox* l);  // -1 for none
void uxlistbox_select(uxListBox* l, int index);
// A double click or Return on a row triggers the list box itself (callback or posted id).
int uxlistbox_count(const uxListBox* l);
const char* uxlistbox_row(const uxListBox* l, int index);  // nullptr outside the list
int uxlistbox_row_height(const uxListBox* l);

// A popup window below (x, y) in screen pixels holding a list of `count` rows that chooses on a
// click; `chosen` is called with the list's id and `user` (read the choice with
// uxlistbox_selected, -1 after Escape). The list is allocated; close with uxlistbox_popup_close.
uxListBox* uxlistbox_popup_open(uxWindow* popup, int x, int y, int width, int fontid,
                                const char* const* rows, int count, int selected,
                                uxTriggerFn chosen, void* user);
void uxlistbox_popup_close(uxWindow* popup, uxListBox** list);

struct uxTabControl {
    uxWidget base;
    char** labels = nullptr;
    int count = 0;
    uxContainer* pages = nullptr;  // one container per tab
    int current = 0;
};
void uxtabcontrol_create(uxTabControl* t, const char* format, ...);
void uxtabcontrol_destroy(uxTabControl* t);
// Shows page `index`, hides the others and makes it the current container for new widgets.
void uxtabcontrol_select(uxTabControl* t, int index);

struct uxProgressBar {
    uxWidget base;
    int percent = 0;
};
void uxprogressbar_create(uxProgressBar* p, const char* format, ...);
void uxprogressbar_destroy(uxProgressBar* p);
// Clamped to 0..100; repaints only when the value changes.
void uxprogressbar_set(uxProgressBar* p, int percent);

using uxMenuCallback = void (*)(int id, void* user);

struct uxWindowMenu {
    uxWidget base;
    uxWindow* window = nullptr;
    int title_count = 0;
    struct Title {
        char* caption;
        bool right;
        int id;
        int item_first, item_count;
    } titles[16];
    int item_count = 0;
    struct Item {
        char* caption;
        int id;
        uxMenuCallback callback;
        void* user;
    } items[64];
    int open_title = -1;  // title whose item list is shown
    int height = 0;
    uxWindow popup;
    uxListBox* popup_list = nullptr;
};
// The menu bar of the most recently created window.
void uxwindowmenu_create(uxWindowMenu* m, uxWindow* window);
void uxwindowmenu_destroy(uxWindowMenu* m);
// Adds a title ("&File", keywords "rightaligned" and synonyms); returns its id.
int uxwindowmenu_add_title(uxWindowMenu* m, const char* format, ...);
// Adds an item under the last title ("&Quit"); returns its id. Choosing it calls the callback,
// or posts the id when there is none.
int uxwindowmenu_add_item(uxWindowMenu* m, uxMenuCallback callback, void* user,
                          const char* format, ...);
