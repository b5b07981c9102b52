// The drawing surface widget: a pixmap of its own, drawn into by the graphic commands and shown
// (scaled by the stretch factors, scrolled by the offset) inside the widget's border.
#include "toolkit/drawing/uxscreengraphic.h"

#include <cstdarg>
#include <cstdio>

#include "toolkit/widgets/uxbutton.h"
#include "toolkit/drawing/uxfont.h"
#include "toolkit/drawing/uxpicture.h"

namespace {

uxScreenGraphic* current_graphic = nullptr;

const int SCROLL_LINE = 20;  // pixels per arrow click or wheel notch

uxScreenGraphic* self_of(uxWidget* w) { return static_cast<uxScreenGraphic*>(w->self); }

// A new or resized pixmap gets its background at its first use rather than at once: pages that
// are never drawn on or shown cost no memory traffic, and a page cleared to another colour
// first is filled once.
bool drawable(uxScreenGraphic* g) {
    if (!g || !g->has_pixmap) return false;
    if (g->background_pending) {
        g->background_pending = false;
        uxpxmap_clear(&g->pixmap, g->background);
    }
    return true;
}

// After a drawing command: shows the change unless auto-refresh is off.
void changed(uxScreenGraphic* g) {
    if (g->autorefresh) uxwidget_invalidate(&g->base);
}

bool fits(const uxScreenGraphic* g) { return g->xstretch < 0 || g->ystretch < 0; }

// Effective stretch factors; a fit stretch follows the visible area, nonsense values count as 1.
double stretch_x(const uxScreenGraphic* g) {
    if (fits(g)) return g->pixmap.width > 0 && g->view_w > 0 ? (double)g->view_w / g->pixmap.width : 1;
    return g->xstretch > 0 ? g->xstretch : 1;
}
double stretch_y(const uxScreenGraphic* g) {
    if (fits(g))
        return g->pixmap.height > 0 && g->view_h > 0 ? (double)g->view_h / g->pixmap.height : 1;
    return g->ystretch > 0 ? g->ystretch : 1;
}

// Pixmap pixels visible along each axis.
int visible_w(const uxScreenGraphic* g) { return (int)(g->view_w / stretch_x(g)); }
int visible_h(const uxScreenGraphic* g) { return (int)(g->view_h / stretch_y(g)); }

void clamp_offset(uxScreenGraphic* g) {
    int max_x = g->pixmap.width - visible_w(g), max_y = g->pixmap.height - visible_h(g);
    if (g->offset_x > max_x) g->offset_x = max_x;
    if (g->offset_y > max_y) g->offset_y = max_y;
    if (g->offset_x < 0) g->offset_x = 0;
    if (g->offset_y < 0) g->offset_y = 0;
}

void update_knobs(uxScreenGraphic* g) {
    if (!g->scroll_created) return;
    if (g->pixmap.width > 0)
        uxscrollbars_set(&g->scroll, 0, 100.0 * visible_w(g) / g->pixmap.width,
                         100.0 * g->offset_x / g->pixmap.width);
    if (g->pixmap.height > 0)
        uxscrollbars_set(&g->scroll, 1, 100.0 * visible_h(g) / g->pixmap.height,
                         100.0 * g->offset_y / g->pixmap.height);
}

// Decides which scroll bars are needed and how much room is left for the picture.
void place_view(uxScreenGraphic* g) {
    int b = g->base.border;
    int inner_w = g->base.layout.width - 2 * b, inner_h = g->base.layout.height - 2 * b;
    if (inner_w < 0) inner_w = 0;
    if (inner_h < 0) inner_h = 0;
    bool need_h = false, need_v = false;
    if (!fits(g)) {
        double cw = g->pixmap.width * stretch_x(g), ch = g->pixmap.height * stretch_y(g);
        int thick = g->scroll.thickness;
        need_h = cw > inner_w;
        need_v = ch > inner_h;
        // One bar takes room from the other axis and may make the second bar necessary.
        if (need_v && !need_h) need_h = cw > inner_w - thick;
        if (need_h && !need_v) need_v = ch > inner_h - thick;
    }
    g->view_w = inner_w;
    g->view_h = inner_h;
    if (g->scroll_created) uxscrollbars_place(&g->scroll, need_v, need_h, &g->view_w, &g->view_h);
    if (g->view_w < 0) g->view_w = 0;
    if (g->view_h < 0) g->view_h = 0;
    clamp_offset(g);
    update_knobs(g);
}

void graphic_relayout(uxWidget* w) { place_view(self_of(w)); }

void graphic_scroll(uxWidget* owner, int axis, int action, double value) {
    uxScreenGraphic* g = self_of(owner);
    int* offset = axis == 0 ? &g->offset_x : &g->offset_y;
    int page = axis == 0 ? visible_w(g) : visible_h(g);
    int total = axis == 0 ? g->pixmap.width : g->pixmap.height;
    switch (action) {
    case UXSCROLL_LINE_BACK: *offset -= SCROLL_LINE; break;
    case UXSCROLL_LINE_FORWARD: *offset += SCROLL_LINE; break;
    case UXSCROLL_PAGE_BACK: *offset -= page > 1 ? page : 1; break;
    case UXSCROLL_PAGE_FORWARD: *offset += page > 1 ? page : 1; break;
    case UXSCROLL_DRAG: *offset = (int)(value * total / 100.0); break;
    default: return;
    }
    clamp_offset(g);
    update_knobs(g);
    uxwidget_invalidate(&g->base);
}

bool graphic_handle(uxWidget* w, const uxEvent* ev) {
    uxScreenGraphic* g = self_of(w);
    if (ev->code == UXEV_WHEELFWD || ev->code == UXEV_WHEELBACK) {
        int before = g->offset_y;
        graphic_scroll(w, 1, ev->code == UXEV_WHEELFWD ? UXSCROLL_LINE_BACK : UXSCROLL_LINE_FORWARD, 0);
        return g->offset_y != before;
    }
    return false;
}

// Copies the visible part of the pixmap into the target, scaled, clipped to both.
void paint_scaled(uxScreenGraphic* g, uxPixmap* target, int ix, int iy) {
    const uxPixmap* pm = &g->pixmap;
    double sx = stretch_x(g), sy = stretch_y(g);
    int vw = g->view_w, vh = g->view_h;
    for (int dy = 0; dy < vh; ++dy) {
        int ty = iy + dy;
        if (ty < 0) continue;
        if (ty >= target->height) break;
        int src_y = g->offset_y + (int)(dy / sy);
        if (src_y >= pm->height) break;
        const uint32_t* src = pm->pixels + (size_t)src_y * pm->width;
        uint32_t* dst = target->pixels + (size_t)ty * target->width;
        for (int dx = 0; dx < vw; ++dx) {
            int tx = ix + dx;
            if (tx < 0) continue;
            if (tx >= target->width) break;
            int src_x = g->offset_x + (int)(dx / sx);
            if (src_x >= pm->width) break;
            dst[tx] = src[src_x];
        }
    }
}

void graphic_paint(uxWidget* w, uxPixmap* target) {
    uxScreenGraphic* g = self_of(w);
    int x = w->abs_x, y = w->abs_y, b = w->border;
    if (w->layout.width <= 0 || w->layout.height <= 0) return;
    if (b > 0) uxcolor_frame(target, x, y, w->layout.width, w->layout.height, b, false);
    int ix = x + b, iy = y + b;
    // Room the pixmap does not cover shows the background.
    uxpxmap_fillrect(target, ix, iy, g->view_w, g->view_h, g->background);
    if (!drawable(g) || !g->pixmap.pixels) return;
    if (stretch_x(g) == 1 && stretch_y(g) == 1) {
        uxpxmap_blit(target, ix, iy, &g->pixmap, g->offset_x, g->offset_y, g->view_w, g->view_h);
    } else {
        paint_scaled(g, target, ix, iy);
    }
}

void make_pixmap(uxScreenGraphic* g) {
    const uxScreenGraphicProps& p = g->props;
    int b = g->base.border;
    double sx = g->xstretch > 0 ? g->xstretch : 1, sy = g->ystretch > 0 ? g->ystretch : 1;
    int width = p.pxs > 0 ? p.pxs : (int)((g->base.layout.width - 2 * b) / sx);
    int height = p.pys > 0 ? p.pys : (int)((g->base.layout.height - 2 * b) / sy);
    if (width < 0) width = 0;
    if (height < 0) height = 0;
    g->has_pixmap = uxpxmap_create_palette(&g->pixmap, width, height, p.format, p.colors);
    g->background_pending = g->has_pixmap;
}

}  // namespace

// ---- the widget -------------------------------------------------------------------------------

void uxgraphic_create(uxScreenGraphic* g, const char* format, ...) {
    va_list ap;
    va_start(ap, format);
    char** tokens = uxwidget_begin(&g->base, false, 0, format, ap);
    va_end(ap);
    g->props = uxScreenGraphicProps{};
    uxcfgstr_screengraphic(tokens, 0, &g->props);
    g->base.self = g;
    g->base.nokeyfocus = true;
    g->base.handle = graphic_handle;
    g->base.paint = graphic_paint;
    g->base.relayout = graphic_relayout;
    g->pixmap = uxPixmap{};
    g->has_pixmap = false;
    g->background = g->props.background;
    g->xstretch = g->props.xstretch;
    g->ystretch = g->props.ystretch;
    g->offset_x = g->offset_y = 0;
    g->autorefresh = !g->props.drawoff;
    g->scroll_created = false;
    int nat_w = g->props.pxs > 0 ? g->props.pxs + 2 * g->base.border : 100;
    int nat_h = g->props.pys > 0 ? g->props.pys + 2 * g->base.border : 100;
    uxwidget_natural_size(&g->base, nat_w, nat_h);
    uxwidget_finish(&g->base, tokens);  // lays out: the pixmap size may follow the widget size
    make_pixmap(g);
    uxscrollbars_create(&g->scroll, &g->base, graphic_scroll);
    g->scroll_created = true;
    uxwidget_layout(&g->base);
    current_graphic = g;
}

void uxgraphic_destroy(uxScreenGraphic* g) {
    if (!g) return;
    if (current_graphic == g) current_graphic = nullptr;
    if (g->scroll_created) uxscrollbars_destroy(&g->scroll);
    g->scroll_created = false;
    uxpxmap_destroy(&g->pixmap);
    g->has_pixmap = false;
    uxwidget_destroy(&g->base);
}

void uxgraphic_select(uxScreenGraphic* g) { current_graphic = g; }

const uxPixmap* uxgraphic_pixels(uxScreenGraphic* g) { return drawable(g) ? &g->pixmap : nullptr; }
uxScreenGraphic* uxgraphic_current() { return current_graphic; }

void uxgraphic_resize(uxScreenGraphic* g, int width, int height) {
    if (!g || width < 0 || height < 0) return;
    if (g->has_pixmap && g->pixmap.width == width && g->pixmap.height == height) return;
    if (g->has_pixmap) g->has_pixmap = uxpxmap_resize(&g->pixmap, width, height);
    else g->has_pixmap = uxpxmap_create_palette(&g->pixmap, width, height, g->props.format, g->props.colors);
    g->background_pending = g->has_pixmap;
    g->offset_x = g->offset_y = 0;
    uxwidget_layout(&g->base);
}

void uxgraphic_refresh(uxScreenGraphic* g) {
    if (g) uxwidget_invalidate(&g->base);
}

void uxgraphic_set_autorefresh(uxScreenGraphic* g, bool on) {
    if (!g) return;
    g->autorefresh = on;
    if (on) uxwidget_invalidate(&g->base);
}

void uxgraphic_scroll_to(uxScreenGraphic* g, int x, int y) {
    if (!g) return;
    g->offset_x = x;
    g->offset_y = y;
    clamp_offset(g);
    update_knobs(g);
    uxwidget_invalidate(&g->base);
}

bool uxgraphic_picture_size(const char* file, int* width, int* height) {
    return file && uxpicture_size(file, width, height);
}

// ---- commands on a given graphic ---------------------------------------------------------------

void uxgraphic_g_setpixel(uxScreenGraphic* g, int x, int y, int colour) {
    if (!drawable(g)) return;
    uxpxmap_setpixel(&g->pixmap, x, y, colour);
    changed(g);
}

void uxgraphic_g_circle(uxScreenGraphic* g, int x, int y, int radius, int colour) {
    if (!drawable(g)) return;
    uxpxmap_circle(&g->pixmap, x, y, radius, colour);
    changed(g);
}

void uxgraphic_g_rect(uxScreenGraphic* g, int x, int y, int w, int h, int colour) {
    if (!drawable(g)) return;
    uxpxmap_rect(&g->pixmap, x, y, w, h, colour);
    changed(g);
}

void uxgraphic_g_fillrect(uxScreenGraphic* g, int x, int y, int w, int h, int colour) {
    if (!drawable(g)) return;
    uxpxmap_fillrect(&g->pixmap, x, y, w, h, colour);
    changed(g);
}

void uxgraphic_g_line(uxScreenGraphic* g, int x1, int y1, int x2, int y2, int colour) {
    if (!drawable(g)) return;
    uxpxmap_line(&g->pixmap, x1, y1, x2, y2, colour);
    changed(g);
}

void uxgraphic_g_lineto(uxScreenGraphic* g, int x, int y, int colour) {
    if (!drawable(g)) return;
    uxpxmap_lineto(&g->pixmap, x, y, colour);
    changed(g);
}

void uxgraphic_g_moveto(uxScreenGraphic* g, int x, int y) {
    if (drawable(g)) uxpxmap_moveto(&g->pixmap, x, y);
}

void uxgraphic_g_clear(uxScreenGraphic* g, int colour) {
    if (!g || !g->has_pixmap) return;
    g->background_pending = false;  // every pixel is written here
    uxpxmap_clear(&g->pixmap, colour);
    changed(g);
}

int uxgraphic_g_text(uxScreenGraphic* g, int x, int y, int colour, const char* text) {
    if (!drawable(g) || !text) return 0;
    int width = uxfont_draw_text(&g->pixmap, g->base.fontid, x, y, text, colour);
    changed(g);
    return width;
}

void uxgraphic_g_setfont(uxScreenGraphic* g, int fontid) {
    if (drawable(g)) g->base.fontid = fontid;
}

int uxgraphic_g_textwidth(uxScreenGraphic* g, const char* text) {
    if (!drawable(g) || !text) return 0;
    return uxfont_text_width(g->base.fontid, text);
}

int uxgraphic_g_fontheight(uxScreenGraphic* g) {
    return drawable(g) ? uxfont_height(g->base.fontid) : 0;
}

namespace {

// Formats a file specification; false (nothing written or read) when it does not fit, so that
// a cut-off name never reaches the file system.
bool format_filespec(char* out, const char* format, va_list ap) {
    if (!format) return false;
    int n = std::vsnprintf(out, UXGRAPHIC_MAX_FILESPEC, format, ap);
    if (n < 0 || n >= UXGRAPHIC_MAX_FILESPEC) {
        std::printf("uxgraphic: file specification too long\n");
        return false;
    }
    return true;
}

bool vsave(uxScreenGraphic* g, const char* format, va_list ap) {
    if (!drawable(g)) return false;
    char file_options[UXGRAPHIC_MAX_FILESPEC];
    if (!format_filespec(file_options, format, ap)) return false;
    return uxpxmap_savetofile(&g->pixmap, file_options);
}

bool vload(uxScreenGraphic* g, int x, int y, const char* format, va_list ap) {
    if (!drawable(g)) return false;
    char file_options[UXGRAPHIC_MAX_FILESPEC];
    if (!format_filespec(file_options, format, ap)) return false;
    bool ok = uxpxmap_loadfromfile(&g->pixmap, x, y, file_options);
    if (ok) changed(g);
    return ok;
}

}  // namespace

bool uxgraphic_g_save(uxScreenGraphic* g, const char* format, ...) {
    va_list ap;
    va_start(ap, format);
    bool ok = vsave(g, format, ap);
    va_end(ap);
    return ok;
}

bool uxgraphic_g_load(uxScreenGraphic* g, int x, int y, const char* format, ...) {
    va_list ap;
    va_start(ap, format);
    bool ok = vload(g, x, y, format, ap);
    va_end(ap);
    return ok;
}

// ---- the command handler ------------------------------------------------------------------------

int uxgraphic_g_command(uxScreenGraphic* g, int command, const int* args, int count,
                        const char* text) {
    int needed = 0;
    switch (command) {
    case UXGRAPHIC_SETPIXEL: case UXGRAPHIC_LINETO: case UXGRAPHIC_TEXT: needed = 3; break;
    case UXGRAPHIC_CIRCLE: needed = 4; break;
    case UXGRAPHIC_RECT: case UXGRAPHIC_FILLRECT: case UXGRAPHIC_LINE: needed = 5; break;
    case UXGRAPHIC_MOVETO: case UXGRAPHIC_LOAD: needed = 2; break;
    case UXGRAPHIC_CLEAR: case UXGRAPHIC_SETFONT: needed = 1; break;
    case UXGRAPHIC_SAVE: case UXGRAPHIC_TEXTWIDTH: case UXGRAPHIC_FONTHEIGHT: break;
    default: return -1;
    }
    if (count < needed || (needed > 0 && !args)) return -1;
    const int* a = args;
    switch (command) {
    case UXGRAPHIC_SETPIXEL: uxgraphic_g_setpixel(g, a[0], a[1], a[2]); return 0;
    case UXGRAPHIC_CIRCLE: uxgraphic_g_circle(g, a[0], a[1], a[2], a[3]); return 0;
    case UXGRAPHIC_RECT: uxgraphic_g_rect(g, a[0], a[1], a[2], a[3], a[4]); return 0;
    case UXGRAPHIC_FILLRECT: uxgraphic_g_fillrect(g, a[0], a[1], a[2], a[3], a[4]); return 0;
    case UXGRAPHIC_LINE: uxgraphic_g_line(g, a[0], a[1], a[2], a[3], a[4]); return 0;
    case UXGRAPHIC_LINETO: uxgraphic_g_lineto(g, a[0], a[1], a[2]); return 0;
    case UXGRAPHIC_MOVETO: uxgraphic_g_moveto(g, a[0], a[1]); return 0;
    case UXGRAPHIC_CLEAR: uxgraphic_g_clear(g, a[0]); return 0;
    case UXGRAPHIC_TEXT: uxgraphic_g_text(g, a[0], a[1], a[2], text ? text : ""); return 0;
    case UXGRAPHIC_SAVE: return text && uxgraphic_g_save(g, "%s", text) ? 1 : 0;
    case UXGRAPHIC_LOAD: return text && uxgraphic_g_load(g, a[0], a[1], "%s", text) ? 1 : 0;
    case UXGRAPHIC_SETFONT: uxgraphic_g_setfont(g, a[0]); return 0;
    case UXGRAPHIC_TEXTWIDTH: return uxgraphic_g_textwidth(g, text ? text : "");
    default: return uxgraphic_g_fontheight(g);
    }
}

int uxgraphic_command(int command, const int* args, int count, const char* text) {
    return uxgraphic_g_command(current_graphic, command, args, count, text);
}

// ---- commands on the current graphic ------------------------------------------------------------

void uxgraphic_setpixel(int x, int y, int colour) { uxgraphic_g_setpixel(current_graphic, x, y, colour); }
void uxgraphic_circle(int x, int y, int radius, int colour) {
    uxgraphic_g_circle(current_graphic, x, y, radius, colour);
}
void uxgraphic_rect(int x, int y, int w, int h, int colour) {
    uxgraphic_g_rect(current_graphic, x, y, w, h, colour);
}
void uxgraphic_fillrect(int x, int y, int w, int h, int colour) {
    uxgraphic_g_fillrect(current_graphic, x, y, w, h, colour);
}
void uxgraphic_line(int x1, int y1, int x2, int y2, int colour) {
    uxgraphic_g_line(current_graphic, x1, y1, x2, y2, colour);
}
void uxgraphic_lineto(int x, int y, int colour) { uxgraphic_g_lineto(current_graphic, x, y, colour); }
void uxgraphic_moveto(int x, int y) { uxgraphic_g_moveto(current_graphic, x, y); }
void uxgraphic_clear(int colour) { uxgraphic_g_clear(current_graphic, colour); }
int uxgraphic_text(int x, int y, int colour, const char* text) {
    return uxgraphic_g_text(current_graphic, x, y, colour, text);
}

int uxgraphic_textf(int x, int y, int colour, const char* format, ...) {
    if (!drawable(current_graphic) || !format) return 0;
    static char buffer[65536];
    va_list ap;
    va_start(ap, format);
    std::vsnprintf(buffer, sizeof buffer, format, ap);
    va_end(ap);
    return uxgraphic_g_text(current_graphic, x, y, colour, buffer);
}

bool uxgraphic_save(const char* format, ...) {
    va_list ap;
    va_start(ap, format);
    bool ok = vsave(current_graphic, format, ap);
    va_end(ap);
    return ok;
}

bool uxgraphic_load(int x, int y, const char* format, ...) {
    va_list ap;
    va_start(ap, format);
    bool ok = vload(current_graphic, x, y, format, ap);
    va_end(ap);
    return ok;
}

void uxgraphic_setfont(int fontid) { uxgraphic_g_setfont(current_graphic, fontid); }
int uxgraphic_textwidth(const char* text) { return uxgraphic_g_textwidth(current_graphic, text); }
int uxgraphic_fontheight() { return uxgraphic_g_fontheight(current_graphic); }
