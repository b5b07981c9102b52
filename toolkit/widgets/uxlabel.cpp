// Text labels and plain separating bars: no frame (labels), no focus, no input.
#include <cstring>

#include "toolkit/widgets/uxbutton.h"
#include "toolkit/drawing/uxfont.h"
#include "toolkit/drawing/uxpixmap.h"

namespace {

char* copy_text(const char* s) {
    if (!s) s = "";
    char* t = new char[std::strlen(s) + 1];
    std::strcpy(t, s);
    return t;
}

void label_paint(uxWidget* w, uxPixmap* pm) {
    uxLabel* l = static_cast<uxLabel*>(w->self);
    int colour = l->textcolor >= 0 ? l->textcolor : uxcolor_role(UXCOLOR_TEXT);
    int fh = uxfont_height(w->fontid);
    int y = w->abs_y + (w->layout.height - fh) / 2;
    if (std::strchr(l->text, '\n')) y = w->abs_y + w->border;
    uxcolor_frame(pm, w->abs_x, w->abs_y, w->layout.width, w->layout.height, w->border, false);
    uxfont_draw_text(pm, w->fontid, w->abs_x + w->border + 2, y, l->text, colour);
}

const char* label_text(uxWidget* w) { return static_cast<uxLabel*>(w->self)->text; }

void bar_paint(uxWidget* w, uxPixmap* pm) {
    // an engraved line across the middle
    int y = w->abs_y + w->layout.height / 2 - 1;
    uxpxmap_fillrect(pm, w->abs_x, y, w->layout.width, 1, uxcolor_role(UXCOLOR_SHADOW));
    uxpxmap_fillrect(pm, w->abs_x, y + 1, w->layout.width, 1, uxcolor_role(UXCOLOR_WHITE));
}

}  // namespace

void uxlabel_create(uxLabel* l, const char* format, ...) {
    va_list ap;
    va_start(ap, format);
    char** tokens = uxwidget_begin_text(&l->base, 0, format, ap);
    va_end(ap);
    uxWidget* w = &l->base;
    uxcfgstr_textcolor(tokens, 0, &l->textcolor);
    // the caption is the label's text; a label is never found as a button caption
    l->text = w->caption ? w->caption : copy_text("");
    w->caption = nullptr;
    w->self = l;
    w->nokeyfocus = true;
    w->paint = label_paint;
    w->text = label_text;
    w->role = UXROLE_LABEL;
    int fh = uxfont_height(w->fontid);
    int tall = 9 * fh / 5 > fh + 8 ? 9 * fh / 5 : fh + 8;
    uxwidget_natural_size(w, uxfont_text_width(w->fontid, l->text) + 4, tall);
    uxwidget_finish(w, tokens);
}

void uxlabel_set_text(uxLabel* l, const char* text) {
    char* t = copy_text(text);
    delete[] l->text;
    l->text = t;
    uxwidget_invalidate(&l->base);
}

void uxlabel_destroy(uxLabel* l) {
    uxwidget_destroy(&l->base);
    delete[] l->text;
    l->text = nullptr;
}

void uxbar_create(uxBar* b, const char* format, ...) {
    va_list ap;
    va_start(ap, format);
    char** tokens = uxwidget_begin(&b->base, false, 2, format, ap);
    va_end(ap);
    b->base.self = b;
    b->base.nokeyfocus = true;
    b->base.paint = bar_paint;
    uxwidget_natural_size(&b->base, 4, 4);
    uxwidget_finish(&b->base, tokens);
}

void uxbar_destroy(uxBar* b) { uxwidget_destroy(&b->base); }
