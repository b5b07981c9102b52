// Text pages: read-only text appended by the modules, shown from the top, saved with CR LF line
// ends; and the simple fixed text box of the dialogs.

#include "toolkit/uxtextdisplay.h"

#include <cstdarg>
#include <cstdio>
#include <string>

#include "toolkit/uxbutton.h"
#include "toolkit/uxcfgstr_kinds.h"
#include "toolkit/uxfont.h"
#include "toolkit/uxlopriopaint.h"
#include "toolkit/uxpixmap.h"

struct uxTextDisplay {
    uxWidget base;
    uxTextDisplayProps props;
    std::string text;
    int first_line = 0;
};

static void draw_lines(uxWidget* w, uxPixmap* pm, const std::string& text, int first, int colour) {
    int h = uxfont_height(w->fontid);
    if (h <= 0) h = 13;
    int x = w->abs_x + w->border + 2, y = w->abs_y + w->border + 2;
    int bottom = w->abs_y + w->layout.height - w->border;
    int right = w->abs_x + w->layout.width - w->border;
    size_t start = 0;
    int line = 0;
    while (start <= text.size() && y + h <= bottom) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        if (line >= first) {
            std::string row = text.substr(start, end - start);
            for (size_t i = 0; i < row.size(); ++i)
                if (row[i] == '\t' || row[i] == '\r') row[i] = ' ';
            uxcolor_text_clipped(pm, w->fontid, x, y, row.c_str(), colour, right);
            y += h;
        }
        ++line;
        start = end + 1;
    }
}

static void paint(uxWidget* w, uxPixmap* pm) {
    uxTextDisplay* t = static_cast<uxTextDisplay*>(w->self);
    int bg = t->props.background >= 0 ? t->props.background : 0xFFFFFF;
    int fg = t->props.textcolor >= 0 ? t->props.textcolor : 0x000000;
    uxpxmap_fillrect(pm, w->abs_x, w->abs_y, w->layout.width, w->layout.height, bg);
    draw_lines(w, pm, t->text, t->first_line, fg);
    if (w->border > 0) uxcolor_frame(pm, w->abs_x, w->abs_y, w->layout.width, w->layout.height, w->border, false);
}

static bool handle(uxWidget* w, const uxEvent* ev) {
    uxTextDisplay* t = static_cast<uxTextDisplay*>(w->self);
    switch (ev->code) {
        case UXEV_LOPRIOPAINT: uxwidget_invalidate(w); return true;
        case UXEV_WHEELFWD: if (t->first_line > 0) t->first_line -= 3; break;
        case UXEV_WHEELBACK: t->first_line += 3; break;
        case UXEV_KEYDOWN:
            if (ev->data[0] == UXKEY_DOWN) ++t->first_line;
            else if (ev->data[0] == UXKEY_UP && t->first_line > 0) --t->first_line;
            else if (ev->data[0] == UXKEY_HOME) t->first_line = 0;
            else return false;
            break;
        default: return false;
    }
    if (t->first_line < 0) t->first_line = 0;
    uxwidget_invalidate(w);
    return true;
}

static const char* shown_text(uxWidget* w) { return static_cast<uxTextDisplay*>(w->self)->text.c_str(); }

uxTextDisplay* uxtextdisplay_new(const char* format, ...) {
    uxTextDisplay* t = new uxTextDisplay;
    va_list ap;
    va_start(ap, format);
    char** tokens = uxwidget_begin(&t->base, false, 2, format, ap);
    va_end(ap);
    uxcfgstr_textdisplay(tokens, 0, &t->props);
    t->base.self = t;
    t->base.paint = paint;
    t->base.handle = handle;
    t->base.text = shown_text;
    t->base.role = UXROLE_TEXTBOX;
    uxwidget_natural_size(&t->base, 200, 100);
    uxwidget_finish(&t->base, tokens);
    return t;
}

void uxtextdisplay_delete(uxTextDisplay* t) {
    if (!t) return;
    uxlopriopaint_cancel(&t->base);
    uxwidget_destroy(&t->base);
    delete t;
}

uxWidget* uxtextdisplay_widget(uxTextDisplay* t) { return &t->base; }

void uxtextdisplay_append(uxTextDisplay* t, const char* text) {
    if (!t || !text) return;
    t->text += text;
    uxlopriopaint_request(&t->base);
}

void uxtextdisplay_appendf(uxTextDisplay* t, const char* format, ...) {
    char buffer[4096];
    va_list ap;
    va_start(ap, format);
    std::vsnprintf(buffer, sizeof buffer, format, ap);
    va_end(ap);
    uxtextdisplay_append(t, buffer);
}

void uxtextdisplay_clear(uxTextDisplay* t) {
    if (!t) return;
    t->text.clear();
    t->first_line = 0;
    uxwidget_invalidate(&t->base);
}

bool uxtextdisplay_save(uxTextDisplay* t, const char* path) {
    FILE* f = std::fopen(path, "wb");
    if (!f) return false;
    for (char c : t->text) {
        if (c == '\n') std::fputs("\r\n", f);
        else std::fputc(c, f);
    }
    return std::fclose(f) == 0;
}

const char* uxtextdisplay_text(uxTextDisplay* t) { return t->text.c_str(); }

// ---- the simple text box ----------------------------------------------------------------------

struct uxSimpleTextDisplay {
    uxWidget base;
    std::string text;
    int textcolor = -1;
};

static void simple_paint(uxWidget* w, uxPixmap* pm) {
    uxSimpleTextDisplay* t = static_cast<uxSimpleTextDisplay*>(w->self);
    draw_lines(w, pm, t->text, 0, t->textcolor >= 0 ? t->textcolor : uxcolor_role(5));
}

static const char* simple_text(uxWidget* w) {
    return static_cast<uxSimpleTextDisplay*>(w->self)->text.c_str();
}

uxSimpleTextDisplay* uxsimpletext_new(const char* format, ...) {
    uxSimpleTextDisplay* t = new uxSimpleTextDisplay;
    va_list ap;
    va_start(ap, format);
    char** tokens = uxwidget_begin(&t->base, false, 0, format, ap);
    va_end(ap);
    uxcfgstr_textcolor(tokens, 0, &t->textcolor);
    t->base.self = t;
    t->base.paint = simple_paint;
    t->base.text = simple_text;
    t->base.role = UXROLE_TEXTBOX;
    int h = uxfont_height(t->base.fontid);
    uxwidget_natural_size(&t->base, 100, h * 9 / 5 > h + 8 ? h * 9 / 5 : h + 8);
    uxwidget_finish(&t->base, tokens);
    return t;
}

void uxsimpletext_delete(uxSimpleTextDisplay* t) {
    if (!t) return;
    uxwidget_destroy(&t->base);
    delete t;
}

uxWidget* uxsimpletext_widget(uxSimpleTextDisplay* t) { return &t->base; }

void uxsimpletext_set(uxSimpleTextDisplay* t, const char* format, ...) {
    char buffer[4096];
    va_list ap;
    va_start(ap, format);
    std::vsnprintf(buffer, sizeof buffer, format, ap);
    va_end(ap);
    t->text = buffer;
    uxwidget_invalidate(&t->base);
}
