// Text pages: a growing text laid out in lines (word-wrapped or not), shown with scroll bars,
// relaid out through low-priority painting so many appends cost one layout.
#include "toolkit/text/uxtextdisplay.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "toolkit/data/uxfile_atomic.h"
#include "toolkit/drawing/uxfont.h"
#include "toolkit/core/uxlopriopaint.h"

namespace {

char format_buffer[65536];  // formatted appends

uxTextDisplay* self_of(uxWidget* w) { return static_cast<uxTextDisplay*>(w->self); }

int clamp(int v, int lo, int hi) { return v < lo ? lo : v > hi ? hi : v; }

int line_height(const uxTextDisplay* t) {
    int h = uxfont_height(t->base.fontid);
    return h > 0 ? h : 1;
}

void request_layout(uxTextDisplay* t) {
    t->relayout_pending = true;
    uxlopriopaint_request(&t->base);
}

void clamp_view(uxTextDisplay* t) {
    t->first_line = clamp(t->first_line, 0, t->lines.count > t->visible_lines ? t->lines.count - t->visible_lines : 0);
    int max_x = t->lines.widest - t->view_width;
    t->x_offset = clamp(t->x_offset, 0, max_x > 0 ? max_x : 0);
}

void update_knobs(uxTextDisplay* t) {
    if (!t->scroll.created) return;
    int total = t->lines.count > 0 ? t->lines.count : 1;
    uxscrollbars_set(&t->scroll, 1, t->vknob, 100.0 * t->first_line / total);
    int widest = t->lines.widest > 0 ? t->lines.widest : 1;
    uxscrollbars_set(&t->scroll, 0, t->hknob, 100.0 * t->x_offset / widest);
}

void text_scroll(uxWidget* owner, int axis, int action, double value) {
    uxTextDisplay* t = self_of(owner);
    int* v = axis == 0 ? &t->x_offset : &t->first_line;
    int step = axis == 0 ? uxfont_char_width(owner->fontid, ' ') * 4 : 1;
    int page = axis == 0 ? t->view_width : t->visible_lines;
    if (step < 1) step = 1;
    if (page < 1) page = 1;
    switch (action) {
    case UXSCROLL_LINE_BACK: *v -= step; break;
    case UXSCROLL_LINE_FORWARD: *v += step; break;
    case UXSCROLL_PAGE_BACK: *v -= page; break;
    case UXSCROLL_PAGE_FORWARD: *v += page; break;
    case UXSCROLL_DRAG:
        *v = static_cast<int>(value * (axis == 0 ? t->lines.widest : t->lines.count) / 100.0 + 0.5);
        break;
    default: return;
    }
    clamp_view(t);
    update_knobs(t);
    t->redraw_pending = true;
    uxwidget_invalidate(owner);
}

void draw_page(uxTextDisplay* t) {
    uxPixmap* pm = &t->pixmap;
    int w = t->view_width > 0 ? t->view_width : 0, h = t->view_height > 0 ? t->view_height : 0;
    if (pm->width != w || pm->height != h) {
        if (!pm->pixels && !pm->width) uxpxmap_create(pm, w, h, UXPX_TRUECOLOR);
        else uxpxmap_resize(pm, w, h);
    }
    uxpxmap_clear(pm, t->background);
    int fh = line_height(t), tab = uxtextdisplay_tab_pixels(t);
    for (int i = 0; i < t->visible_lines; ++i) {
        int line = t->first_line + i;
        if (line >= t->lines.count) break;
        uxtextlines_draw(pm, t->base.fontid, -t->x_offset, i * fh, t->text + t->lines.start[line],
                         t->lines.length[line], tab, t->textcolor, w);
    }
    t->redraw_pending = false;
}

void text_paint(uxWidget* w, uxPixmap* target) {
    uxTextDisplay* t = self_of(w);
    if (t->relayout_pending) uxtextdisplay_layout(t);
    draw_page(t);
    uxpxmap_fillrect(target, w->abs_x, w->abs_y, w->layout.width, w->layout.height, t->background);
    uxpxmap_blit(target, w->abs_x + 2, w->abs_y + 2, &t->pixmap, 0, 0, t->pixmap.width, t->pixmap.height);
    if (w->border > 0) uxcolor_frame(target, w->abs_x, w->abs_y, w->layout.width, w->layout.height, w->border, false);
}

bool text_handle(uxWidget* w, const uxEvent* ev) {
    uxTextDisplay* t = self_of(w);
    switch (ev->code) {
    case UXEV_LOPRIOPAINT:
        if (t->relayout_pending && uxwidget_shown(w)) uxtextdisplay_layout(t);
        uxwidget_invalidate(w);
        return true;
    case UXEV_WHEELFWD: text_scroll(w, 1, UXSCROLL_LINE_BACK, 0); return true;
    case UXEV_WHEELBACK: text_scroll(w, 1, UXSCROLL_LINE_FORWARD, 0); return true;
    case UXEV_LDOWN:
    case UXEV_LUP: return true;
    default: return false;
    }
}

void text_relayout(uxWidget* w) { request_layout(self_of(w)); }

const char* text_of(uxWidget* w) { return uxtextdisplay_text(self_of(w)); }

void layout_nobreak(uxTextDisplay* t, int inner_w, int inner_h, int fh, int bar) {
    uxtextlines_update(&t->lines, UXTEXT_NOBREAK, t->text, t->length, t->base.fontid,
                       uxtextdisplay_tab_pixels(t), 0);
    bool need_h = t->lines.widest >= inner_w;
    bool need_v = t->lines.count > (inner_h - (need_h ? bar : 0)) / fh;
    if (need_v && !need_h) need_h = t->lines.widest >= inner_w - bar;
    t->view_width = inner_w - (need_v ? bar : 0);
    t->view_height = inner_h - (need_h ? bar : 0);
    uxscrollbars_place(&t->scroll, need_v, need_h, nullptr, nullptr);
}

void swap_tables(uxTextDisplay* t) {
    uxTextLines kept = t->lines;
    t->lines = t->spare;
    t->spare = kept;
    t->full_width = !t->full_width;
}

// Wrapped beside the vertical bar; when that fits the page, wrapped again for the whole width
// without the bar. Both layouts only grow with appended text.
void layout_wrap(uxTextDisplay* t, int inner_w, int inner_h, int fh, int bar) {
    int tab = uxtextdisplay_tab_pixels(t);
    uxTextLines* narrow = t->full_width ? &t->spare : &t->lines;
    uxtextlines_update(narrow, UXTEXT_WORDWRAP, t->text, t->length, t->base.fontid, tab,
                       inner_w - bar);
    bool need_v = narrow->count > inner_h / fh;
    if (need_v == t->full_width) swap_tables(t);
    if (!need_v)
        uxtextlines_update(&t->lines, UXTEXT_WORDWRAP, t->text, t->length, t->base.fontid, tab,
                           inner_w);
    bool need_h = t->lines.too_wide;
    t->view_width = inner_w - (need_v ? bar : 0);
    t->view_height = inner_h - (need_h ? bar : 0);
    uxscrollbars_place(&t->scroll, need_v, need_h, nullptr, nullptr);
}

}  // namespace

int uxtextdisplay_tab_pixels(const uxTextDisplay* t) {
    int blank = uxfont_char_width(t->base.fontid, ' ');
    int px = t->tab_width * (blank > 0 ? blank : 1);
    return px > 0 ? px : 1;
}

void uxtextdisplay_layout(uxTextDisplay* t) {
    if (!t) return;
    t->relayout_pending = false;
    int fh = line_height(t), bar = t->scroll.thickness;
    int inner_w = t->base.layout.width - 4, inner_h = t->base.layout.height - 4;
    if (inner_w < 0) inner_w = 0;
    if (inner_h < 0) inner_h = 0;
    if (t->break_mode == UXTEXT_NOBREAK) layout_nobreak(t, inner_w, inner_h, fh, bar);
    else if (t->break_mode == UXTEXT_WORDWRAP) layout_wrap(t, inner_w, inner_h, fh, bar);
    else std::printf("illegal break code %d in calctextbox\n", t->break_mode);
    if (t->view_width < 0) t->view_width = 0;
    if (t->view_height < 0) t->view_height = 0;
    t->visible_lines = t->view_height / fh;
    t->vknob = t->lines.count > 0 ? t->visible_lines * 100.0 / t->lines.count : 100;
    t->hknob = t->lines.widest > 0 ? t->view_width * 100.0 / t->lines.widest : 100;
    if (t->vknob > 100) t->vknob = 100;
    if (t->hknob > 100) t->hknob = 100;
    clamp_view(t);
    update_knobs(t);
    t->redraw_pending = true;
    uxwidget_invalidate(&t->base);
}

uxTextDisplay* uxtextdisplay_new(const char* format, ...) {
    uxTextDisplay* t = new uxTextDisplay;
    va_list ap;
    va_start(ap, format);
    char** tokens = uxwidget_begin(&t->base, false, 2, format, ap);
    va_end(ap);
    uxcfgstr_textdisplay(tokens, 0, &t->props);  // colour keywords are read but not used here
    uxWidget* w = &t->base;
    w->self = t;
    w->nokeyfocus = true;
    w->role = UXROLE_TEXTBOX;
    w->handle = text_handle;
    w->paint = text_paint;
    w->relayout = text_relayout;
    w->text = text_of;
    t->break_mode = t->props.nobreak ? UXTEXT_NOBREAK : UXTEXT_WORDWRAP;
    t->tab_width = t->props.tabsize > 0 ? (t->props.tabsize < 1000 ? t->props.tabsize : 1000) : 4;
    t->background = 0xFFFFFF;
    t->textcolor = uxcolor_role(UXCOLOR_TEXT);
    uxwidget_natural_size(w, 200, 100);
    uxwidget_finish(w, tokens);
    uxscrollbars_create(&t->scroll, w, text_scroll);
    uxtextdisplay_layout(t);
    return t;
}

void uxtextdisplay_delete(uxTextDisplay* t) {
    if (!t) return;
    uxlopriopaint_cancel(&t->base);
    uxscrollbars_destroy(&t->scroll);
    uxwidget_destroy(&t->base);
    uxtextlines_free(&t->lines);
    uxtextlines_free(&t->spare);
    uxpxmap_destroy(&t->pixmap);
    std::free(t->text);
    delete t;
}

uxWidget* uxtextdisplay_widget(uxTextDisplay* t) { return t ? &t->base : nullptr; }

void uxtextdisplay_append(uxTextDisplay* t, const char* text) {
    if (!t || !text) return;
    size_t n = std::strlen(text);
    if (t->length + n + 1 > t->capacity) {
        // Doubling keeps many appends linear; realloc moves a large text by remapping its
        // pages instead of copying it into fresh ones. Without memory nothing is appended.
        size_t cap = t->capacity ? t->capacity : 1024;
        while (cap < t->length + n + 1) cap *= 2;
        char* grown = static_cast<char*>(std::realloc(t->text, cap));
        if (!grown) return;
        t->text = grown;
        t->capacity = cap;
    }
    std::memcpy(t->text + t->length, text, n);
    t->length += n;
    t->text[t->length] = 0;
    request_layout(t);
}

void uxtextdisplay_appendf(uxTextDisplay* t, const char* format, ...) {
    if (!t || !format) return;
    va_list ap;
    va_start(ap, format);
    std::vsnprintf(format_buffer, sizeof format_buffer, format, ap);
    va_end(ap);
    uxtextdisplay_append(t, format_buffer);
}

void uxtextdisplay_clear(uxTextDisplay* t) {
    if (!t) return;
    std::free(t->text);
    t->text = nullptr;
    t->length = t->capacity = 0;
    t->lines.count = 0;
    t->lines.widest = 0;
    uxtextlines_forget(&t->lines);
    uxtextlines_forget(&t->spare);
    t->first_line = t->x_offset = 0;
    request_layout(t);
}

bool uxtextdisplay_save(uxTextDisplay* t, const char* path) {
    if (!t || !path) return false;
    uxAtomicFile out;
    FILE* f = uxfile_begin(&out, path);
    if (!f) return false;
    // Whole lines at a time: a page of millions of lines is written at the speed of the disk.
    size_t start = 0;
    for (size_t i = 0; i < t->length; ++i) {
        if (t->text[i] != '\n') continue;
        std::fwrite(t->text + start, 1, i - start, f);
        std::fputs("\r\n", f);
        start = i + 1;
    }
    if (start < t->length) std::fwrite(t->text + start, 1, t->length - start, f);
    return uxfile_finish(&out, !std::ferror(f));
}

const char* uxtextdisplay_text(uxTextDisplay* t) { return t && t->text ? t->text : ""; }
