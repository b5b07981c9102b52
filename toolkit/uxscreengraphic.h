#pragma once
// A widget owning a pixmap that it shows in its rectangle (with scroll bars when the pixmap is
// larger), and the drawing calls that go to the current graphic.

#include "toolkit/uxcfgstr_kinds.h"
#include "toolkit/uxpixmap.h"
#include "toolkit/uxscrollbar.h"
#include "toolkit/uxwidget.h"

struct uxScreenGraphic {
    uxWidget base;
    uxScreenGraphicProps props;
    uxPixmap pixmap;
    int background = 0;
    int offset_x = 0, offset_y = 0;  // scroll position
    bool autorefresh = true;
    uxScrollBarManager scroll;
};
// Creating makes it the current graphic.
void uxgraphic_create(uxScreenGraphic* g, const char* format, ...)
    __attribute__((format(printf, 2, 3)));
void uxgraphic_destroy(uxScreenGraphic* g);
void uxgraphic_select(uxScreenGraphic* g);
uxScreenGraphic* uxgraphic_current();
// New pixmap size (no effect when unchanged); resets the scroll offset and lays out again.
void uxgraphic_resize(uxScreenGraphic* g, int width, int height);
void uxgraphic_refresh(uxScreenGraphic* g);
bool uxgraphic_picture_size(const char* file, int* width, int* height);

// Drawing commands 1001..1032 on a given graphic (nullptr: nothing happens).
void uxgraphic_g_setpixel(uxScreenGraphic* g, int x, int y, int colour);
void uxgraphic_g_fillrect(uxScreenGraphic* g, int x, int y, int w, int h, int colour);
int uxgraphic_g_text(uxScreenGraphic* g, int x, int y, int colour, const char* text);
void uxgraphic_g_setfont(uxScreenGraphic* g, int fontid);
void uxgraphic_g_clear(uxScreenGraphic* g, int colour);
bool uxgraphic_g_save(uxScreenGraphic* g, const char* format, ...)
    __attribute__((format(printf, 2, 3)));

// The same commands on the current graphic.
void uxgraphic_setpixel(int x, int y, int colour);
void uxgraphic_circle(int x, int y, int radius, int colour);
void uxgraphic_rect(int x, int y, int w, int h, int colour);
void uxgraphic_fillrect(int x, int y, int w, int h, int colour);
void uxgraphic_line(int x1, int y1, int x2, int y2, int colour);
void uxgraphic_lineto(int x, int y, int colour);
void uxgraphic_moveto(int x, int y);
void uxgraphic_clear(int colour);
int uxgraphic_text(int x, int y, int colour, const char* text);
// Formats into a 64 KiB buffer first.
int uxgraphic_textf(int x, int y, int colour, const char* format, ...)
    __attribute__((format(printf, 4, 5)));
bool uxgraphic_save(const char* format, ...) __attribute__((format(printf, 1, 2)));
bool uxgraphic_load(int x, int y, const char* format, ...) __attribute__((format(printf, 3, 4)));
void uxgraphic_setfont(int fontid);
int uxgraphic_textwidth(const char* text);
int uxgraphic_fontheight();
