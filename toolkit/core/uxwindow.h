#pragma once
// Top-level windows: each owns a container of widgets, an optional menu bar, a client buffer
// into which all its widgets are composed, and its platform window.

#include <cstdarg>

#include "toolkit/core/uxcfgstr.h"
#include "toolkit/drawing/uxpixmap.h"
#include "toolkit/core/uxwidget.h"

struct uxWindow {
    char* title = nullptr;
    char* properties = nullptr;  // the whole property string, kept for the log and automation
    int id = 0;
    int close_id = 0;
    uxLayout layout;
    uxContainer container;
    uxWidget* menubar = nullptr;  // the window's menu (drawn across the top)
    int menu_height = 0;
    bool sysmenu = true, quit_on_close = true, fullscreen = false, modal = false, popup = false;
    int background = 0xD0D0D0;
    bool open = false;
    int slot = -1;
    int handle = 0;  // platform window
    uxPixmap client;
    bool dirty = false;
    uxWidget* focus = nullptr;
    uxWidget* captured = nullptr;  // widget holding the mouse between press and release
    int modifiers = 0;             // UXMOD_* bits
    int last_mouse_x = 0, last_mouse_y = 0;
    uxTriggerFn close_trigger = nullptr;
    void* close_user = nullptr;
    long long created_order = 0;
    // Popups: told when a mouse press lands anywhere outside them, except on the anchor widget
    // (or its parts), whose own handling toggles the popup.
    void (*popup_dismiss)(void* user) = nullptr;
    void* popup_dismiss_user = nullptr;
    const uxWidget* popup_anchor = nullptr;
};

// Creates and opens a window from "title,keywords...". The new window becomes the current
// container for widgets created next.
bool uxwindow_create(uxWindow* w, const char* format, ...);
bool uxwindow_vcreate(uxWindow* w, bool popup, const char* format, va_list ap);
void uxwindow_destroy(uxWindow* w);
void uxwindow_set_title(uxWindow* w, const char* title);
int uxwindow_close_id(const uxWindow* w);
void uxwindow_set_close_trigger(uxWindow* w, uxTriggerFn fn, void* user);
void uxwindow_redraw_all();
// Lays the container (below the menu bar) and the menu bar out again.
void uxwindow_relayout(uxWindow* w);
// Set by the button kind: triggers a button of the window whose hotkey is `key`.
extern bool (*uxwindow_hotkey_hook)(uxWindow* w, int key);
void uxwindow_invalidate(uxWindow* w);

// Start-up painting: while held, paint requests are ignored; releasing redraws every window.
void uxwindow_hold_painting();
void uxwindow_release_painting();
bool uxwindow_painting_held();

// Window table access (automation, modal rules).
int uxwindow_count_slots();
uxWindow* uxwindow_at(int slot);
uxWindow* uxwindow_top();     // open modal window, else newest open non-popup window
uxWindow* uxwindow_modal();   // newest open modal window or nullptr
uxWindow* uxwindow_main();    // the first window still open
bool uxwindow_accepts_input(const uxWindow* w);

// Delivers one translated event to the window (from the platform or the automation runner).
void uxwindow_dispatch(uxWindow* w, const uxEvent* ev);
uxWindow* uxwindow_by_handle(int handle);

// Composes every widget into the client buffer (done lazily before presenting or capturing).
void uxwindow_compose(uxWindow* w);
// Presents dirty windows (rate-limited for real displays).
void uxwindow_present_dirty();

// Makes `popup` close through `dismiss(user)` when a press lands outside it (cleared when the
// popup window is destroyed).
void uxwindow_set_popup_dismiss(uxWindow* popup, const uxWidget* anchor, void (*dismiss)(void*),
                                void* user);
// Tells every open popup other than `pressed_in` about a press on `hit` (may be null).
void uxwindow_dismiss_popups(const uxWindow* pressed_in, const uxWidget* hit);

// Focus travel in creation order; direction +1 or -1.
void uxwindow_focus_next(uxWindow* w, int direction);
