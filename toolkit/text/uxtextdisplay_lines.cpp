// Laying a text out in lines: cut at line feeds, or word-wrapped to a width. Both run once over
// the text, and a text that grew is laid out again only from the start of its open last line:
// every line before it ends at a line feed or before a word that did not fit, which appending
// cannot change. Long pages so cost time in proportion to what is appended.
#include "toolkit/text/uxtextdisplay.h"

#include <cstdlib>
#include <cstring>

#include "toolkit/drawing/uxfont.h"

namespace {

void add_line(uxTextLines* l, size_t start, size_t end, int width) {
    if (l->count == l->capacity) {
        // Doubling keeps many lines linear; realloc moves large tables by remapping their
        // pages instead of copying them into fresh ones. Without memory the line is left out.
        int cap = l->capacity < 64 ? 64 : l->capacity * 2;
        size_t* starts = static_cast<size_t*>(std::realloc(l->start, cap * sizeof(size_t)));
        if (!starts) return;
        l->start = starts;
        int* lengths = static_cast<int*>(std::realloc(l->length, cap * sizeof(int)));
        if (!lengths) return;
        l->length = lengths;
        l->capacity = cap;
    }
    size_t n = end > start ? end - start : 0;
    l->start[l->count] = start;
    l->length[l->count] = n > 0x7fffffff ? 0x7fffffff : static_cast<int>(n);
    if (l->count > 0 && l->last_width > l->closed_widest) l->closed_widest = l->last_width;
    ++l->count;
    l->last_width = width;
    l->widest = width > l->closed_widest ? width : l->closed_widest;
}

// Pen advance of every byte in one font, looked up once per layout.
struct Advances {
    int width[256];
    int tab_pixels;
};

void fill_advances(Advances* a, int font, int tab_pixels) {
    for (int c = 0; c < 256; ++c) a->width[c] = c < 32 ? 0 : uxfont_char_width(font, c);
    a->tab_pixels = tab_pixels;
}

// The pen position after character c drawn at x.
int advance(int x, unsigned char c, const Advances& a) {
    if (c == '\t') return uxtextlines_next_tab(x, a.tab_pixels);
    return x + a.width[c];
}

void reset(uxTextLines* l) {
    l->count = 0;
    l->widest = l->closed_widest = l->last_width = 0;
    l->too_wide = false;
}

// Marks where the next layout resumes: at the open last line starting at `line_start`
// (`tail` when that line is in the table).
void keep_resume(uxTextLines* l, size_t line_start, bool tail, size_t length) {
    l->resume = line_start;
    l->resume_count = tail ? l->count - 1 : l->count;
    l->laid = length;
}

void nobreak_from(uxTextLines* l, const char* text, size_t length, const Advances& a,
                  size_t from) {
    size_t start = from;
    int x = 0;
    for (size_t i = from; i < length; ++i) {
        if (text[i] == '\n') {
            size_t end = i;
            if (end > start && text[end - 1] == '\r') --end;
            add_line(l, start, end, x);
            start = i + 1;
            x = 0;
            continue;
        }
        x = advance(x, static_cast<unsigned char>(text[i]), a);
    }
    bool tail = length > start;
    if (tail) add_line(l, start, length, x);
    keep_resume(l, start, tail, length);
}

void wrap_from(uxTextLines* l, const char* text, size_t length, const Advances& a, int width,
               size_t from) {
    size_t line_start = from;
    int x = 0;  // width of the line so far
    size_t i = from;
    while (i < length) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        if (c == '\n') {
            size_t end = i;
            if (end > line_start && text[end - 1] == '\r') --end;
            add_line(l, line_start, end, x);
            line_start = ++i;
            x = 0;
            continue;
        }
        // One word: its leading blanks or tab, then characters up to the next blank, tab or line
        // feed, or just after a hyphen.
        size_t word_start = i, j = i;
        if (text[j] == ' ' || text[j] == '\t') ++j;
        while (j < length && text[j] != ' ' && text[j] != '\t' && text[j] != '\n') {
            ++j;
            if (text[j - 1] == '-') break;
        }
        int wx = x;
        for (size_t k = word_start; k < j; ++k) wx = advance(wx, static_cast<unsigned char>(text[k]), a);
        if (wx <= width || i == line_start) {
            x = wx;
            if (x > width) l->too_wide = true;
        } else {
            add_line(l, line_start, word_start, x);
            size_t from_here = text[word_start] == ' ' ? word_start + 1 : word_start;  // loses its blank
            line_start = from_here;
            x = 0;
            for (size_t k = from_here; k < j; ++k) x = advance(x, static_cast<unsigned char>(text[k]), a);
            if (x > width) l->too_wide = true;
        }
        i = j;
    }
    bool tail = i > line_start;
    if (tail) add_line(l, line_start, i, x);
    keep_resume(l, line_start, tail, length);
}

}  // namespace

int uxtextlines_next_tab(int x, int tab_pixels) {
    if (tab_pixels <= 0) tab_pixels = 1;
    return (x / tab_pixels + 1) * tab_pixels;
}

void uxtextlines_update(uxTextLines* l, int mode, const char* text, size_t length, int font,
                        int tab_pixels, int width) {
    bool same = l->mode == mode && l->font == font && l->tab_pixels == tab_pixels &&
                (mode == UXTEXT_NOBREAK || l->width == width) && length >= l->laid;
    size_t from = 0;
    if (same) {
        if (length == l->laid) return;
        if (l->count > l->resume_count) {  // the open last line is laid out again
            l->count = l->resume_count;
            l->widest = l->closed_widest;
            l->last_width = 0;  // the line before it already counts in closed_widest
        }
        from = l->resume;
    } else {
        reset(l);
    }
    l->mode = mode;
    l->font = font;
    l->tab_pixels = tab_pixels;
    l->width = width;
    Advances a;
    fill_advances(&a, font, tab_pixels);
    if (mode == UXTEXT_NOBREAK) nobreak_from(l, text, length, a, from);
    else wrap_from(l, text, length, a, width, from);
}

void uxtextlines_forget(uxTextLines* l) {
    l->mode = -1;
    l->laid = 0;
}

void uxtextlines_nobreak(uxTextLines* l, const char* text, size_t length, int font, int tab_pixels) {
    uxtextlines_forget(l);
    uxtextlines_update(l, UXTEXT_NOBREAK, text, length, font, tab_pixels, 0);
}

void uxtextlines_wrap(uxTextLines* l, const char* text, size_t length, int font, int tab_pixels,
                      int width) {
    uxtextlines_forget(l);
    uxtextlines_update(l, UXTEXT_WORDWRAP, text, length, font, tab_pixels, width);
}

void uxtextlines_free(uxTextLines* l) {
    std::free(l->start);
    std::free(l->length);
    *l = uxTextLines{};
}

void uxtextlines_draw(uxPixmap* pm, int font, int x, int y, const char* text, int length,
                      int tab_pixels, int colour, int right) {
    int origin = x;
    for (int i = 0; i < length; ++i) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        if (c == '\t') {
            x = origin + uxtextlines_next_tab(x - origin, tab_pixels);
            continue;
        }
        if (c < 32) continue;
        if (x >= right) break;
        x += uxfont_draw_char(pm, font, x, y, c, colour, -1, 0, 0, 0);
    }
}
