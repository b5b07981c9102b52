// The simple text box: one owned text, word-wrapped inside the box on the button face.
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "toolkit/drawing/uxfont.h"
#include "toolkit/text/uxtextdisplay.h"

namespace {

char format_buffer[65536];

uxSimpleTextDisplay* self_of(uxWidget* w) { return static_cast<uxSimpleTextDisplay*>(w->self); }

void simple_paint(uxWidget* w, uxPixmap* pm) {
    uxSimpleTextDisplay* t = self_of(w);
    uxpxmap_fillrect(pm, w->abs_x, w->abs_y, w->layout.width, w->layout.height, t->background);
    if (!t->text) return;
    int font = w->fontid, fh = uxfont_height(font);
    if (fh <= 0) return;
    int blank = uxfont_char_width(font, ' ');
    int tab = 4 * (blank > 0 ? blank : 1);
    uxTextLines lines;
    int width = w->layout.width - 4;
    uxtextlines_wrap(&lines, t->text, std::strlen(t->text), font, tab, width);
    for (int i = 0; i < lines.count && (i + 1) * fh <= w->layout.height - 4; ++i)
        uxtextlines_draw(pm, font, w->abs_x + 2, w->abs_y + 2 + i * fh, t->text + lines.start[i],
                         lines.length[i], tab, t->textcolor, w->abs_x + w->layout.width - 2);
    uxtextlines_free(&lines);
}

const char* simple_text(uxWidget* w) {
    uxSimpleTextDisplay* t = self_of(w);
    return t->text ? t->text : "";
}

}  // namespace

uxSimpleTextDisplay* uxsimpletext_new(const char* format, ...) {
    uxSimpleTextDisplay* t = new uxSimpleTextDisplay;
    va_list ap;
    va_start(ap, format);
    char** tokens = uxwidget_begin(&t->base, false, 0, format, ap);
    va_end(ap);
    uxWidget* w = &t->base;
    t->background = uxcolor_role(UXCOLOR_FACE);
    t->textcolor = uxcolor_role(UXCOLOR_TEXT);
    uxcfgstr_textcolor(tokens, 0, &t->textcolor);
    w->self = t;
    w->nokeyfocus = true;
    w->role = UXROLE_TEXTBOX;
    w->paint = simple_paint;
    w->text = simple_text;
    int fh = uxfont_height(w->fontid);
    int a = 9 * fh / 5, b = fh + 8;
    uxwidget_natural_size(w, 100, a > b ? a : b);
    uxwidget_finish(w, tokens);
    return t;
}

void uxsimpletext_delete(uxSimpleTextDisplay* t) {
    if (!t) return;
    uxwidget_destroy(&t->base);
    delete[] t->text;
    delete t;
}

uxWidget* uxsimpletext_widget(uxSimpleTextDisplay* t) { return t ? &t->base : nullptr; }

void uxsimpletext_set(uxSimpleTextDisplay* t, const char* format, ...) {
    if (!t || !format) return;
    va_list ap;
    va_start(ap, format);
    std::vsnprintf(format_buffer, sizeof format_buffer, format, ap);
    va_end(ap);
    size_t n = std::strlen(format_buffer);
    char* copy = new char[n + 1];
    std::memcpy(copy, format_buffer, n + 1);
    delete[] t->text;
    t->text = copy;
    uxwidget_invalidate(&t->base);
}
