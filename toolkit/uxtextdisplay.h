#pragma once
// Text pages (scrollable, read-only, appended to, saved with CR LF) and the simple fixed text box.

#include "toolkit/uxwidget.h"

struct uxTextDisplay;
uxTextDisplay* uxtextdisplay_new(const char* format, ...) __attribute__((format(printf, 1, 2)));
void uxtextdisplay_delete(uxTextDisplay* t);
uxWidget* uxtextdisplay_widget(uxTextDisplay* t);
void uxtextdisplay_append(uxTextDisplay* t, const char* text);
void uxtextdisplay_appendf(uxTextDisplay* t, const char* format, ...)
    __attribute__((format(printf, 2, 3)));
void uxtextdisplay_clear(uxTextDisplay* t);
// Writes the whole text with CR LF line ends; false when the file cannot be written.
bool uxtextdisplay_save(uxTextDisplay* t, const char* path);
const char* uxtextdisplay_text(uxTextDisplay* t);

struct uxSimpleTextDisplay;
uxSimpleTextDisplay* uxsimpletext_new(const char* format, ...)
    __attribute__((format(printf, 1, 2)));
void uxsimpletext_delete(uxSimpleTextDisplay* t);
uxWidget* uxsimpletext_widget(uxSimpleTextDisplay* t);
void uxsimpletext_set(uxSimpleTextDisplay* t, const char* format, ...)
    __attribute__((format(printf, 2, 3)));
