#pragma once
// The console-like terminal widget: fixed text memory with scrollback, escape-sequence decoder,
// scroll bars, painting, optional log file.

#include <cstdio>

#include "toolkit/uxcfgstr_kinds.h"
#include "toolkit/uxscrollbar.h"
#include "toolkit/uxwidget.h"

struct uxTerminal;  // full definition in uxterminal_impl.h / the terminal's own files

// Creates a terminal (property string as "x=35%,y=40%,xs=65%,ys=70%,fontid=%d,scrollback=200").
uxTerminal* uxterminal_new(const char* format, ...) __attribute__((format(printf, 1, 2)));
void uxterminal_delete(uxTerminal* t);
uxWidget* uxterminal_widget(uxTerminal* t);
// Writes text (escape sequences interpreted) to the terminal.
void uxterminal_print(uxTerminal* t, const char* text);
void uxterminal_clear(uxTerminal* t);
// The current terminal output of the toolkit.
void uxterminal_set_current(uxTerminal* t);
uxTerminal* uxterminal_current();
// Every row in use, trailing blanks removed, "\n" line ends, Latin-1.
bool uxterminal_dump(uxTerminal* t, const char* path);
