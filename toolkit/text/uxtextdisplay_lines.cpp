// Laying a text out in lines: cut at line feeds, or word-wrapped to a width. Both run once over
// the text, so long pages cost time in proportion to their length.
#include "toolkit/text/uxtextdisplay.h"

#include "toolkit/drawing/uxfont.h"

namespace {

void add_line(uxTextLines* l, size_t start, size_t end, int width) {
    if (l->count == l->capacity) {
        int cap = l->capacity + 100;  // the table grows in steps of 100 entries
        size_t* starts = new size_t[cap];
        int* lengths = new int[cap];
        for (int i = 0; i < l->count; ++i) {
            starts[i] = l->start[i];
            lengths[i] = l->length[i];
        }
        delete[] l->start;
        delete[] l->length;
        l->start = starts;
        l->length = lengths;
        l->capacity = cap;
    }
    size_t n = end > start ? end - start : 0;
    l->start[l->count] = start;
    l->length[l->count] = n > 0x7fffffff ? 0x7fffffff : static_cast<int>(n);
    ++l->count;
    if (width > l->widest) l->widest = width;
}

// The pen position after character c drawn at x.
int advance(int x, unsigned char c, int font, int tab_pixels) {
    if (c == '\t') return uxtextlines_next_tab(x, tab_pixels);
    if (c < 32) return x;
    return x + uxfont_char_width(font, c);
}

void reset(uxTextLines* l) {
    l->count = 0;
    l->widest = 0;
    l->too_wide = false;
}

}  // namespace

int uxtextlines_next_tab(int x, int tab_pixels) {
    if (tab_pixels <= 0) tab_pixels = 1;
    return (x / tab_pixels + 1) * tab_pixels;
}

void uxtextlines_nobreak(uxTextLines* l, const char* text, size_t length, int font, int tab_pixels) {
    reset(l);
    size_t start = 0;
    int x = 0;
    for (size_t i = 0; i <= length; ++i) {
        if (i == length || text[i] == '\n') {
            size_t end = i;
            if (end > start && text[end - 1] == '\r') --end;
            if (i < length || i > start) add_line(l, start, end, x);
            start = i + 1;
            x = 0;
            continue;
        }
        x = advance(x, static_cast<unsigned char>(text[i]), font, tab_pixels);
    }
}

void uxtextlines_wrap(uxTextLines* l, const char* text, size_t length, int font, int tab_pixels,
                      int width) {
    reset(l);
    size_t line_start = 0;
    int x = 0;  // width of the line so far
    size_t i = 0;
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
        for (size_t k = word_start; k < j; ++k) wx = advance(wx, static_cast<unsigned char>(text[k]), font, tab_pixels);
        if (wx <= width || i == line_start) {
            x = wx;
            if (x > width) l->too_wide = true;
        } else {
            add_line(l, line_start, word_start, x);
            size_t from = text[word_start] == ' ' ? word_start + 1 : word_start;  // loses its blank
            line_start = from;
            x = 0;
            for (size_t k = from; k < j; ++k) x = advance(x, static_cast<unsigned char>(text[k]), font, tab_pixels);
            if (x > width) l->too_wide = true;
        }
        i = j;
    }
    if (i > line_start) add_line(l, line_start, i, x);
}

void uxtextlines_free(uxTextLines* l) {
    delete[] l->start;
    delete[] l->length;
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
