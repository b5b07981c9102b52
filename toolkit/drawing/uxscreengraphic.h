#pragma once
// A widget owning a pixmap that it shows in its rectangle (with scroll bars when the pixmap is
// larger), and the drawing calls that go to the current graphic.

#include "toolkit/core/uxcfgstr_kinds.h"
#include "toolkit/drawing/uxpixmap.h"
#include "toolkit/widgets/uxscrollbar.h"
#include "toolkit/core/uxwidget.h"

// The drawing commands by number, as the command handler knows them.
enum {
    UXGRAPHIC_SETPIXEL = 1001,
    UXGRAPHIC_CIRCLE = 1002,
    UXGRAPHIC_RECT = 1004,
    UXGRAPHIC_FILLRECT = 1006,
    UXGRAPHIC_LINE = 1008,
    UXGRAPHIC_LINETO = 1009,
    UXGRAPHIC_MOVETO = 1010,
    UXGRAPHIC_CLEAR = 1016,
    UXGRAPHIC_TEXT = 1017,
    UXGRAPHIC_SAVE = 1019,
    UXGRAPHIC_LOAD = 1020,
    UXGRAPHIC_SETFONT = 1024,
    UXGRAPHIC_TEXTWIDTH = 1031,
    UXGRAPHIC_FONTHEIGHT = 1032
};

// Longest file specification (name plus options) that save and load accept after formatting.
enum { UXGRAPHIC_MAX_FILESPEC = 4096 };

struct uxScreenGraphic {
    uxWidget base;
    uxScreenGraphicProps props;
    uxPixmap pixmap;
    bool has_pixmap = false;
    bool background_pending = false;  // a new pixmap is cleared to the background at first use
    int background = 0;
    double xstretch = 1, ystretch = 1;  // -1: fit to the visible area
    int offset_x = 0, offset_y = 0;     // scroll position in pixmap pixels
    int view_w = 0, view_h = 0;         // visible area inside the border and the bars
    bool autorefresh = true;
    bool scroll_created = false;
    uxScrollBarManager scroll;
};

// Creating makes it the current graphic.
void uxgraphic_create(uxScreenGraphic* g, const char* format, ...);
void uxgraphic_destroy(uxScreenGraphic* g);
void uxgraphic_select(uxScreenGraphic* g);
uxScreenGraphic* uxgraphic_current();
// New pixmap size (no effect when unchanged); the new surface is cleared to the background,
// the scroll offset goes back to 0 and the widget is laid out again.
void uxgraphic_resize(uxScreenGraphic* g, int width, int height);
// The graphic's pixmap as drawn and shown, background included (a new or resized pixmap gets
// its background at first use); nullptr without one.
const uxPixmap* uxgraphic_pixels(uxScreenGraphic* g);
// Repaints the widget (needed after drawing when auto-refresh is off).
void uxgraphic_refresh(uxScreenGraphic* g);
void uxgraphic_set_autorefresh(uxScreenGraphic* g, bool on);
// Scrolls the view to pixmap position (x, y), clamped to the pixmap.
void uxgraphic_scroll_to(uxScreenGraphic* g, int x, int y);
// Width and height of a picture file (BMP header fields).
bool uxgraphic_picture_size(const char* file, int* width, int* height);

// Drawing commands on a given graphic (nullptr or no pixmap: nothing happens, 0 or false).
void uxgraphic_g_setpixel(uxScreenGraphic* g, int x, int y, int colour);
void uxgraphic_g_circle(uxScreenGraphic* g, int x, int y, int radius, int colour);
void uxgraphic_g_rect(uxScreenGraphic* g, int x, int y, int w, int h, int colour);
void uxgraphic_g_fillrect(uxScreenGraphic* g, int x, int y, int w, int h, int colour);
void uxgraphic_g_line(uxScreenGraphic* g, int x1, int y1, int x2, int y2, int colour);
void uxgraphic_g_lineto(uxScreenGraphic* g, int x, int y, int colour);
void uxgraphic_g_moveto(uxScreenGraphic* g, int x, int y);
void uxgraphic_g_clear(uxScreenGraphic* g, int colour);
// Returns the width of the widest drawn line.
int uxgraphic_g_text(uxScreenGraphic* g, int x, int y, int colour, const char* text);
void uxgraphic_g_setfont(uxScreenGraphic* g, int fontid);
int uxgraphic_g_textwidth(uxScreenGraphic* g, const char* text);
int uxgraphic_g_fontheight(uxScreenGraphic* g);
bool uxgraphic_g_save(uxScreenGraphic* g, const char* format, ...)
    __attribute__((format(printf, 2, 3)));
bool uxgraphic_g_load(uxScreenGraphic* g, int x, int y, const char* format, ...)
    __attribute__((format(printf, 4, 5)));

// The command handler: runs command `command` (UXGRAPHIC_*) with its integer arguments in the
// order of the calls above (`count` of them) and `text` for TEXT, TEXTWIDTH, SAVE and LOAD (a
// file specification taken as it is, not as a format). Returns the text width, the font height,
// 1 or 0 for SAVE and LOAD, else 0; -1 for an unknown command or too few arguments (nothing
// happens then).
int uxgraphic_g_command(uxScreenGraphic* g, int command, const int* args, int count,
                        const char* text);
int uxgraphic_command(int command, const int* args, int count, const char* text);

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
