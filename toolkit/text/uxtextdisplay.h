#pragma once
// Text pages (scrollable, read-only, appended to, saved with CR LF) and the simple fixed text box.

#include <cstddef>

#include "toolkit/core/uxcfgstr_kinds.h"
#include "toolkit/drawing/uxpixmap.h"
#include "toolkit/widgets/uxscrollbar.h"
#include "toolkit/core/uxwidget.h"

// The line table of a laid-out text: each line is a span of the text.
struct uxTextLines {
    size_t* start = nullptr;
    int* length = nullptr;
    int count = 0, capacity = 0;
    int widest = 0;          // pixels
    bool too_wide = false;   // a single word wider than the line (word-wrap mode)
    // Where the next layout resumes: the text laid out so far ends in an open last line (no
    // line feed yet) that starts at `resume`, after the `resume_count` closed lines; widths and
    // settings of the closed lines are kept so appended text is laid out alone.
    size_t laid = 0, resume = 0;
    int resume_count = 0;
    int closed_widest = 0;   // widest of the lines before the last one
    int last_width = 0;      // width of the last line in the table
    int mode = -1, font = 0, tab_pixels = 0, width = 0;  // settings of the layout kept
};
enum { UXTEXT_WORDWRAP = 0, UXTEXT_NOBREAK = 1 };
// x of the next tab stop after x (stops at multiples of `tab_pixels`).
int uxtextlines_next_tab(int x, int tab_pixels);
// Cuts the text at line feeds only (a carriage return ending a line is dropped).
void uxtextlines_nobreak(uxTextLines* l, const char* text, size_t length, int font, int tab_pixels);
// Word-wraps the text into lines of at most `width` pixels.
void uxtextlines_wrap(uxTextLines* l, const char* text, size_t length, int font, int tab_pixels,
                      int width);
// Lays out text that has only grown since the last call with the same settings from the start
// of its open last line (the same lines as a whole layout, in time for the new text alone);
// otherwise lays it out whole. `mode` is UXTEXT_WORDWRAP or UXTEXT_NOBREAK.
void uxtextlines_update(uxTextLines* l, int mode, const char* text, size_t length, int font,
                        int tab_pixels, int width);
// Forgets the kept layout (the text was replaced): the next update lays out everything.
void uxtextlines_forget(uxTextLines* l);
void uxtextlines_free(uxTextLines* l);
// Draws one line from x, skipping control characters and what lies right of `right`.
void uxtextlines_draw(uxPixmap* pm, int font, int x, int y, const char* text, int length,
                      int tab_pixels, int colour, int right);

struct uxTextDisplay {
    uxWidget base;
    uxTextDisplayProps props;
    uxScrollBarManager scroll;
    char* text = nullptr;
    size_t length = 0, capacity = 0;
    uxTextLines lines;   // the lines shown
    // Word-wrap mode: while the text fits the page without a vertical bar, `lines` holds it at
    // the full width and `spare` at the width left beside the bar (which decides whether the bar
    // is needed); afterwards `spare` keeps the full-width layout unused.
    uxTextLines spare;
    bool full_width = false;  // `lines` is the full-width layout
    int break_mode = UXTEXT_WORDWRAP;
    int tab_width = 4;  // characters
    int first_line = 0, x_offset = 0, visible_lines = 0;
    int view_width = 0, view_height = 0;  // the text area left beside the bars
    double vknob = 100, hknob = 100;      // knob sizes in percent
    int background = 0xFFFFFF, textcolor = 0;
    uxPixmap pixmap;
    bool relayout_pending = false, redraw_pending = false;
};
uxTextDisplay* uxtextdisplay_new(const char* format, ...);
void uxtextdisplay_delete(uxTextDisplay* t);
uxWidget* uxtextdisplay_widget(uxTextDisplay* t);
void uxtextdisplay_append(uxTextDisplay* t, const char* text);
void uxtextdisplay_appendf(uxTextDisplay* t, const char* format, ...)
    __attribute__((format(printf, 2, 3)));
void uxtextdisplay_clear(uxTextDisplay* t);
// Writes the whole text with CR LF line ends, whole or not at all (the old file stays after a
// failure); false, with errno telling why, when the file cannot be written.
bool uxtextdisplay_save(uxTextDisplay* t, const char* path);
const char* uxtextdisplay_text(uxTextDisplay* t);
// Lays the text out now (otherwise done on the next low-priority paint while shown).
void uxtextdisplay_layout(uxTextDisplay* t);
// Tab stop spacing in pixels: tab width x width of a blank.
int uxtextdisplay_tab_pixels(const uxTextDisplay* t);

struct uxSimpleTextDisplay {
    uxWidget base;
    char* text = nullptr;
    int background = 0, textcolor = 0;
};
uxSimpleTextDisplay* uxsimpletext_new(const char* format, ...);
void uxsimpletext_delete(uxSimpleTextDisplay* t);
uxWidget* uxsimpletext_widget(uxSimpleTextDisplay* t);
void uxsimpletext_set(uxSimpleTextDisplay* t, const char* format, ...)
    __attribute__((format(printf, 2, 3)));
