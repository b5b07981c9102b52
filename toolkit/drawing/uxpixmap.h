#pragma once
// Off-screen pixel surfaces (pixmaps) and the primitives that draw into them. Every widget draws
// into its own pixmap, and windows are composed by blitting pixmaps into the window buffer.
//
// Every format keeps `pixels` as the displayed colours, 0x00RRGGBB row by row from the top-left,
// so composing never needs to know the format. Indexed formats additionally keep an index per
// pixel and a colour table; their drawing calls take an index instead of a colour. The display
// held ("server") and straight-to-screen formats are stored as true colour, since our platform
// layer has no bitmaps held by a display server.

#include <cstddef>
#include <cstdint>

enum {
    UXPX_INDEXED8 = 1,
    UXPX_INDEXED16 = 2,
    UXPX_TRUECOLOR = 3,
    UXPX_SERVER = 4,
    UXPX_SCREEN = 5
};

struct uxPixmap {
    int width = 0, height = 0, format = 0;
    uint32_t* pixels = nullptr;     // displayed colours, width x height
    // indexed formats only
    int colors = 0;                 // entries of the colour table
    uint32_t* palette = nullptr;    // colour table, 0x00RRGGBB
    uint16_t* indices = nullptr;    // one index per pixel (8-bit formats keep values below 256)
    int transparent = -1;           // index left out by blits, -1 for none
    uint64_t* colour_cache = nullptr;  // recent colour -> nearest index mappings, made on use
    size_t pixels_mapped = 0, indices_mapped = 0;  // how pixels and indices were allocated
    // line-to drawing
    int pen_x = 0, pen_y = 0;
};

// Largest accepted side and pixel count; larger requests fail instead of exhausting memory.
enum { UXPX_MAX_SIDE = 32768, UXPX_MAX_PIXELS = 1 << 27 };

// Creates a cleared pixmap (black, index 0). Indexed formats get a 256-entry grey ramp.
// A size of 0 gives an empty pixmap on which drawing does nothing; negative sizes fail.
bool uxpxmap_create(uxPixmap* pm, int width, int height, int format);
// Indexed formats with `colors` entries (2..65536); more than 256 make an 8-bit format 16-bit.
bool uxpxmap_create_palette(uxPixmap* pm, int width, int height, int format, int colors);
void uxpxmap_destroy(uxPixmap* pm);
// New size with cleared content; the content is kept when the size is unchanged.
bool uxpxmap_resize(uxPixmap* pm, int width, int height);

bool uxpxmap_is_indexed(const uxPixmap* pm);
// Sets `count` colour table entries from `first` on and refreshes the displayed colours.
void uxpxmap_setpalette(uxPixmap* pm, int first, int count, const uint32_t* colours);

// `value` is a colour for true-colour formats and an index for indexed ones. Out-of-range
// coordinates and indexes are ignored.
void uxpxmap_setpixel(uxPixmap* pm, int x, int y, int value);
// The stored value (colour or index); -1 outside the pixmap.
int uxpxmap_getpixel(const uxPixmap* pm, int x, int y);
// The displayed colour; -1 outside the pixmap.
int uxpxmap_getrgb(const uxPixmap* pm, int x, int y);
// Stores a colour, mapped to the nearest table entry on indexed formats.
void uxpxmap_setrgb(uxPixmap* pm, int x, int y, uint32_t rgb);

void uxpxmap_line(uxPixmap* pm, int x1, int y1, int x2, int y2, int value);  // pen -> (x2, y2)
void uxpxmap_lineto(uxPixmap* pm, int x, int y, int value);                   // pen -> (x, y)
void uxpxmap_moveto(uxPixmap* pm, int x, int y);
void uxpxmap_rect(uxPixmap* pm, int x, int y, int w, int h, int value);
void uxpxmap_fillrect(uxPixmap* pm, int x, int y, int w, int h, int value);
void uxpxmap_circle(uxPixmap* pm, int x, int y, int r, int value);
void uxpxmap_clear(uxPixmap* pm, int value);

// Copies a w x h block from src (sx, sy) to dst (dx, dy), clipped to both pixmaps. Indexed
// sources leave their transparent index out; indexed destinations take the nearest entry unless
// the source has the same indexed format, whose indexes are copied.
void uxpxmap_blit(uxPixmap* dst, int dx, int dy, const uxPixmap* src, int sx, int sy, int w,
                  int h);
