#pragma once
// The console-like terminal widget: fixed text memory with scrollback, escape-sequence decoder,
// scroll bars, painting, optional log file.

#include <cstdio>

#include "toolkit/text/uxansidecoder.h"
#include "toolkit/core/uxcfgstr_kinds.h"
#include "toolkit/widgets/uxscrollbar.h"
#include "toolkit/text/uxtxtmem.h"
#include "toolkit/core/uxwidget.h"

enum { UXTERM_COLOURS = 26, UXTERM_DEFAULT_TEXT = 24, UXTERM_DEFAULT_BG = 25,
       UXTERM_WORD_MAX = 1024 };

// Paints a text memory in a bitmap font: one row per line from the view's top line.
struct uxTermPaint {
    int font = -1;
    int cell_width = 6, cell_height = 13;
};
void uxtermpaint_init(uxTermPaint* p, int font);
// Draws `visible` rows from `top` into the rectangle (x, y, width, height), optionally with the
// cursor, in the colours of `colours` (indexes of the memory's planes).
void uxtermpaint_draw(const uxTermPaint* p, const uxTxtMemFixed* m, const int* colours,
                      uxPixmap* pm, int x, int y, int width, int height, int top, int visible,
                      bool cursor);

struct uxTerminal {
    uxWidget base;
    uxTerminalProps props;
    uxTxtMemFixed mem;
    uxScrollBarManager scroll;
    uxAnsiDecoder decoder;
    uxTermPaint painter;
    int lines = 24, columns = 80;
    int scrollback = 0;
    int colours[UXTERM_COLOURS] = {};
    int textcolor = UXTERM_DEFAULT_TEXT, bgcolor = UXTERM_DEFAULT_BG;
    bool wordbreak = false;
    char word[UXTERM_WORD_MAX] = {};
    int word_length = 0;
    FILE* log = nullptr;
    bool cursor = false;
    int top = 0;  // first memory row shown
};

// Creates a terminal (property string as "x=35%,y=40%,xs=65%,ys=70%,fontid=%d,scrollback=200").
uxTerminal* uxterminal_new(const char* format, ...);
void uxterminal_delete(uxTerminal* t);
uxWidget* uxterminal_widget(uxTerminal* t);
// Writes text (escape sequences interpreted) to the terminal; returns its length.
int uxterminal_print(uxTerminal* t, const char* text);
// printf-like; at most 65535 characters are formatted. Returns the formatted length.
int uxterminal_printf(uxTerminal* t, const char* format, ...) __attribute__((format(printf, 2, 3)));
void uxterminal_clear(uxTerminal* t);
// The current terminal output of the toolkit (also the one the automation dumps).
void uxterminal_set_current(uxTerminal* t);
uxTerminal* uxterminal_current();
// Every row in use, trailing blanks removed, "\n" line ends, Latin-1.
bool uxterminal_dump(uxTerminal* t, const char* path);
// The rows shown at once and the first one shown.
int uxterminal_visible_lines(const uxTerminal* t);
int uxterminal_top_line(const uxTerminal* t);
