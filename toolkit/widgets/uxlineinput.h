#pragma once
// One line of editable text, the up/down control built on it, and the combo box.

#include "toolkit/widgets/uxbutton.h"
#include "toolkit/core/uxcfgstr_kinds.h"
#include "toolkit/core/uxwidget.h"
#include "toolkit/core/uxwindow.h"

struct uxLineInput {
    uxWidget base;
    uxLineInputProps props;
    char* text = nullptr;  // Latin-1, terminated
    int length = 0, capacity = 0;
    int cursor = 0, scroll = 0;  // caret and first shown character
    // The selection runs from anchor to the caret (either way round); -1: nothing selected.
    // Typing replaces it. Focus by the keyboard selects all; a click selects nothing, a drag
    // the characters passed over, a double click the number (word) under the pointer.
    int anchor = -1;
    bool dragging = false;
    bool readonly = false;
};
void uxlineinput_create(uxLineInput* li, const char* format, ...);
void uxlineinput_vcreate(uxLineInput* li, const char* format, va_list ap);
void uxlineinput_destroy(uxLineInput* li);
// Copies at most maxlen characters (or size - 1) and terminates.
void uxlineinput_get_text(const uxLineInput* li, char* out, int size);
const char* uxlineinput_text(const uxLineInput* li);
void uxlineinput_set_text(uxLineInput* li, const char* text);
void uxlineinput_set_readonly(uxLineInput* li, bool readonly);
// The selected characters [*from, *to); false when nothing is selected.
bool uxlineinput_selection(const uxLineInput* li, int* from, int* to);

struct uxUpDownControl {
    uxWidget base;
    uxUpDownProps props;
    uxLineInput input;
    uxButton up, down;
};
void uxupdown_create(uxUpDownControl* u, const char* format, ...);
void uxupdown_destroy(uxUpDownControl* u);
void uxupdown_set_value(uxUpDownControl* u, int value);
int uxupdown_get_value(const uxUpDownControl* u);  // integer read from its text
// Disabling locks the text (read-only, grey) and both arrows.
void uxupdown_enable(uxUpDownControl* u, bool enabled);

struct uxInternalPopupWindow {
    uxWindow window;
    bool open = false;
};

struct uxListBox;

struct uxComboBox {
    uxWidget base;
    uxLineInput input;
    uxButton arrow;
    uxInternalPopupWindow popup;
    uxListBox* popup_list = nullptr;
    char** entries = nullptr;
    int entry_count = 0;
    int selected = -1;
};
void uxcombobox_create(uxComboBox* c, const char* format, ...);
void uxcombobox_destroy(uxComboBox* c);
void uxcombobox_select(uxComboBox* c, int index);
int uxcombobox_selected(const uxComboBox* c);
