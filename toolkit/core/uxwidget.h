#pragma once
// The common record every widget kind starts with, the containers widgets live in, and the
// helpers that run a widget's creation from its property string. Kind-specific behaviour is
// reached through the function pointers of the record.

#include <cstdarg>

#include "toolkit/core/uxcfgstr.h"
#include "toolkit/core/uxevent.h"

struct uxPixmap;
struct uxWidget;
struct uxWindow;
struct uxContainer;

// Trigger callback: called with the widget's id and the user value given at creation.
using uxTriggerFn = void (*)(int id, void* user);

enum uxWidgetRole {
    UXROLE_OTHER = 0,
    UXROLE_BUTTON,      // automation `click` finds it by caption
    UXROLE_LABEL,       // `expect-text` looks at its text
    UXROLE_TEXTBOX,     // `expect-text` too
    UXROLE_TEXTFIELD,   // `input N` counts it (line inputs, up/down controls, combo boxes)
    UXROLE_LISTBOX,
    UXROLE_COMBOBOX,
    UXROLE_TABCONTROL,
};

struct uxWidget {
    int id = 0;
    uxLayout layout;
    int border = 2;
    int fontid = -1;
    bool nokeyfocus = false;  // never takes the keyboard focus
    bool enabled = true;
    bool visible = true;
    bool is_default = false;  // the window's default button
    bool part = false;        // a part of a composite (not counted or found on its own)
    uxWidgetRole role = UXROLE_OTHER;
    char* caption = nullptr;  // buttons (accelerator marks kept)

    uxTriggerFn trigger = nullptr;
    void* trigger_user = nullptr;

    // Events arrive with mouse coordinates relative to the widget's top-left corner.
    // Returns true when the widget used the event.
    bool (*handle)(uxWidget* w, const uxEvent* ev) = nullptr;
    // Draws the widget at its absolute position (abs_x, abs_y) into the window's client buffer.
    void (*paint)(uxWidget* w, uxPixmap* target) = nullptr;
    // Called after the layout was computed (composites place their parts here).
    void (*relayout)(uxWidget* w) = nullptr;
    // Text shown by the widget (labels, text boxes, line inputs), for automation checks.
    const char* (*text)(uxWidget* w) = nullptr;
    // Replaces the whole text of an editable widget (automation `fill`).
    void (*set_text)(uxWidget* w, const char* text) = nullptr;
    // Window position of an inner element to click: a list row (index) or a tab (label).
    bool (*locate)(uxWidget* w, int index, const char* label, int* x, int* y) = nullptr;
    uxWidget* focus_proxy = nullptr;  // the part that takes the focus (up/down, combo box)
    void* self = nullptr;  // the kind's own record

    uxContainer* container = nullptr;  // where it lives
    uxContainer* child = nullptr;      // a container drawn over it (tab control's page)
    uxWidget* owner = nullptr;         // composite that holds this part
    int abs_x = 0, abs_y = 0;          // position in the window's client area
};

struct uxContainer {
    uxWindow* window = nullptr;
    uxWidget** widgets = nullptr;
    int count = 0, capacity = 0;
    bool visible = true;
    int x = 0, y = 0, width = 0, height = 0;  // area in window client coordinates
};

// ---- creation ---------------------------------------------------------------------------------

// Steps 1..6 of every creation: formats and splits the property string, registers the widget in
// the current container with a new id, and runs the geometry, border, font and focus handlers.
// `captioned` kinds take token 0 as their caption and start the handlers at token 1. Returns the
// token list; the kind runs its own handlers, sets natural sizes, then calls uxwidget_finish.
char** uxwidget_begin(uxWidget* w, bool captioned, int default_border, const char* format,
                      va_list ap);
// For text labels: token 0 is the text, and the keyword handlers still start at token 0 (a text
// that happens to be a keyword also acts as one).
char** uxwidget_begin_text(uxWidget* w, int default_border, const char* format, va_list ap);
// Frees the tokens and lays the widget out.
void uxwidget_finish(uxWidget* w, char** tokens);
// Natural size: replaces a size that is still 0 by the given pixels.
void uxwidget_natural_size(uxWidget* w, int width, int height);
void uxwidget_destroy(uxWidget* w);

void uxwidget_set_trigger(uxWidget* w, uxTriggerFn fn, void* user);
// Calls the trigger callback, or posts the id when the widget has none.
void uxwidget_trigger(uxWidget* w);

void uxwidget_layout(uxWidget* w);  // lays out against the container's area
// Puts a part of a composite at a pixel rectangle of its container (at least 1 x 1) and lays it out.
void uxwidget_place_part(uxWidget* part, int x, int y, int width, int height);
void uxwidget_invalidate(uxWidget* w);
void uxwidget_enable(uxWidget* w, bool enabled);
void uxwidget_show(uxWidget* w, bool visible);
bool uxwidget_shown(const uxWidget* w);  // visible and every container on the way visible
void uxwidget_focus(uxWidget* w);
bool uxwidget_has_focus(const uxWidget* w);
bool uxwidget_focusable(const uxWidget* w);

// ---- containers -------------------------------------------------------------------------------

uxContainer* uxcontainer_current();
void uxcontainer_set_current(uxContainer* c);
void uxcontainer_init(uxContainer* c, uxWindow* window);
void uxcontainer_add(uxContainer* c, uxWidget* w);
void uxcontainer_remove(uxContainer* c, uxWidget* w);
void uxcontainer_free(uxContainer* c);
void uxcontainer_set_area(uxContainer* c, int x, int y, int width, int height);  // relayouts
void uxcontainer_paint(uxContainer* c, uxPixmap* target);
// The topmost shown widget at window position (x, y), searching parts and child containers.
uxWidget* uxcontainer_hit(uxContainer* c, int x, int y);
