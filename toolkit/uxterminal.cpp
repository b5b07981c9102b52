// The console-like terminal: a text memory of rows with scrollback, printing with wrap, and the
// view following the output.

#include "toolkit/uxterminal.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "toolkit/uxbutton.h"
#include "toolkit/uxfont.h"
#include "toolkit/uxlopriopaint.h"
#include "toolkit/uxpixmap.h"
#include "toolkit/uxscript.h"

struct uxTerminal {
    uxWidget base;
    uxTerminalProps props;
    std::vector<std::string> rows{std::string()};
    int columns = 80;
    bool in_escape = false;
};

static uxTerminal* current_terminal = nullptr;

static int row_height(uxTerminal* t) {
    int h = uxfont_height(t->base.fontid);
    return h > 0 ? h : 13;
}

static void paint(uxWidget* w, uxPixmap* pm) {
    uxTerminal* t = static_cast<uxTerminal*>(w->self);
    int bg = t->props.background >= 0 ? t->props.background : 0x000000;
    int fg = t->props.textcolor >= 0 ? t->props.textcolor : 0xC0C0C0;
    uxpxmap_fillrect(pm, w->abs_x, w->abs_y, w->layout.width, w->layout.height, bg);
    int h = row_height(t);
    int visible = (w->layout.height - 2 * w->border) / h;
    int first = static_cast<int>(t->rows.size()) - visible;
    if (first < 0) first = 0;
    for (int i = first, y = w->abs_y + w->border; i < static_cast<int>(t->rows.size()); ++i, y += h)
        uxcolor_text_clipped(pm, w->fontid, w->abs_x + w->border + 2, y, t->rows[i].c_str(), fg, w->abs_x + w->layout.width - w->border);
    if (w->border > 0) uxcolor_frame(pm, w->abs_x, w->abs_y, w->layout.width, w->layout.height, w->border, false);
}

static bool handle(uxWidget* w, const uxEvent* ev) {
    if (ev->code == UXEV_LOPRIOPAINT) {
        uxwidget_invalidate(w);
        return true;
    }
    return false;
}

static void relayout(uxWidget* w) {
    uxTerminal* t = static_cast<uxTerminal*>(w->self);
    int cw = uxfont_char_width(w->fontid, 'M');
    t->columns = cw > 0 ? (w->layout.width - 2 * w->border - 4) / cw : 80;
    if (t->props.columns > 0) t->columns = t->props.columns;
    if (t->columns < 1) t->columns = 1;
}

static bool dump_current(const char* path) {
    return current_terminal && uxterminal_dump(current_terminal, path);
}

uxTerminal* uxterminal_new(const char* format, ...) {
    uxTerminal* t = new uxTerminal;
    va_list ap;
    va_start(ap, format);
    char** tokens = uxwidget_begin(&t->base, false, 2, format, ap);
    va_end(ap);
    uxcfgstr_terminal(tokens, 0, &t->props);
    if (t->props.scrollback <= 0) t->props.scrollback = 100;
    t->base.self = t;
    t->base.paint = paint;
    t->base.handle = handle;
    t->base.relayout = relayout;
    uxwidget_natural_size(&t->base, 80 * 6 + 8, 25 * 13 + 4);
    uxwidget_finish(&t->base, tokens);
    return t;
}

void uxterminal_delete(uxTerminal* t) {
    if (!t) return;
    uxlopriopaint_cancel(&t->base);
    if (current_terminal == t) current_terminal = nullptr;
    uxwidget_destroy(&t->base);
    delete t;
}

uxWidget* uxterminal_widget(uxTerminal* t) { return &t->base; }

void uxterminal_print(uxTerminal* t, const char* text) {
    if (!t) return;
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); *p; ++p) {
        unsigned char c = *p;
        if (t->in_escape) {  // skip "ESC [ params letter"
            if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) t->in_escape = false;
            continue;
        }
        if (c == 27) {
            t->in_escape = true;
            continue;
        }
        if (c == '\n') {
            t->rows.emplace_back();
        } else if (c == '\r') {
            t->rows.back().clear();
        } else if (c == '\t') {
            do t->rows.back().push_back(' ');
            while (t->rows.back().size() % 8);
        } else if (c >= 32) {
            if (static_cast<int>(t->rows.back().size()) >= t->columns) t->rows.emplace_back();
            t->rows.back().push_back(static_cast<char>(c));
        }
    }
    int limit = 2 * t->props.scrollback;
    if (static_cast<int>(t->rows.size()) > limit)
        t->rows.erase(t->rows.begin(), t->rows.begin() + (t->rows.size() - t->props.scrollback));
    uxlopriopaint_request(&t->base);
}

void uxterminal_clear(uxTerminal* t) {
    if (!t) return;
    t->rows.assign(1, std::string());
    uxwidget_invalidate(&t->base);
}

void uxterminal_set_current(uxTerminal* t) {
    current_terminal = t;
    uxscript_hooks.dump_terminal = dump_current;
}

uxTerminal* uxterminal_current() { return current_terminal; }

bool uxterminal_dump(uxTerminal* t, const char* path) {
    FILE* f = std::fopen(path, "wb");
    if (!f) return false;
    for (const std::string& row : t->rows) {
        size_t n = row.find_last_not_of(' ');
        std::fwrite(row.data(), 1, n == std::string::npos ? 0 : n + 1, f);
        std::fputc('\n', f);
    }
    return std::fclose(f) == 0;
}
