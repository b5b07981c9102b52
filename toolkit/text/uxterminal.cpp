// The console-like terminal: decoded output goes into the text memory with wrap, scroll and
// scrollback trimming, the view follows the output, and an optional log file gets every
// printed character.
#include "toolkit/text/uxterminal.h"

#include <cstdarg>
#include <cstring>
#include <ctime>

#include "toolkit/data/uxfile_atomic.h"
#include "toolkit/drawing/uxfont.h"
#include "toolkit/core/uxlog.h"
#include "toolkit/core/uxlopriopaint.h"
#include "toolkit/drawing/uxpixmap.h"
#include "toolkit/automation/uxscript.h"
#include "toolkit/core/uxtimer.h"

namespace {

uxTerminal* current_terminal = nullptr;
char print_buffer[65536];  // formatted output of uxterminal_printf

const int default_colours[UXTERM_COLOURS] = {
    0x000000, 0xC00000, 0x00FF00, 0xFFFF00, 0x0000C0, 0xC000C0, 0x00C0C0, 0xFFFFFF,
    0x000000, 0x0000C0, 0x00C000, 0x00C0C0, 0xC00000, 0xC000C0, 0xC0C000, 0xC0C0C0,
    0x808080, 0x0000FF, 0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF,
    0x000080, 0xFFFFFF,
};

uxTerminal* self_of(uxWidget* w) { return static_cast<uxTerminal*>(w->self); }

int clamp(int v, int lo, int hi) { return v < lo ? lo : v > hi ? hi : v; }

int max_top(const uxTerminal* t) {
    int m = t->mem.lines - t->lines;
    return m > 0 ? m : 0;
}

void update_scrollbar(uxTerminal* t) {
    if (!t->scroll.created || t->mem.lines <= 0) return;
    uxscrollbars_set(&t->scroll, 1, 100.0 * t->lines / t->mem.lines, 100.0 * t->top / t->mem.lines);
}

void request_repaint(uxTerminal* t) {
    update_scrollbar(t);
    uxlopriopaint_request(&t->base);
}

// The view follows the output: the current row is the last row shown.
void follow(uxTerminal* t) {
    int top = t->mem.row - t->lines + 1;
    t->top = top > 0 ? top : 0;
    request_repaint(t);
}

void log_char(uxTerminal* t, int c) {
    if (t->log) std::fputc(c, t->log);
}

void write_char(uxTerminal* t, int c) {
    if (c == '\n') {
        uxtxtmem_newline(&t->mem);
        log_char(t, c);
        follow(t);
        uxtimer_run_pending();
        return;
    }
    if (c < 32) return;  // other control characters (carriage return too) are dropped
    uxtxtmem_put(&t->mem, static_cast<unsigned char>(c));
    log_char(t, c);
    follow(t);
}

void flush_word(uxTerminal* t) {
    if (t->word_length == 0) return;
    int room = t->columns - t->mem.column;
    if (t->word_length > room && t->mem.column > 0) write_char(t, '\n');
    for (int i = 0; i < t->word_length; ++i) write_char(t, static_cast<unsigned char>(t->word[i]));
    t->word_length = 0;
}

// Word break: words are written whole, moving to the next line when they do not fit.
void print_word_char(uxTerminal* t, int c) {
    if (c == ' ') {
        flush_word(t);
        if (t->mem.column > 0 && t->mem.column < t->columns) write_char(t, ' ');
        return;
    }
    if (c == '\n') {
        flush_word(t);
        write_char(t, '\n');
        return;
    }
    if (c < 32) return;
    if (t->word_length == UXTERM_WORD_MAX) flush_word(t);
    t->word[t->word_length++] = static_cast<char>(c);
    if (std::strchr("-.!?,;:", c)) flush_word(t);
}

void set_colour(uxTerminal* t, bool text, int index) {
    flush_word(t);
    uxtxtmem_add_colour_planes(&t->mem, UXTERM_DEFAULT_TEXT, UXTERM_DEFAULT_BG);
    index = clamp(index, 0, UXTERM_COLOURS - 1);
    if (text) t->textcolor = index;
    else t->bgcolor = index;
    t->mem.textcolor = static_cast<unsigned char>(t->textcolor);
    t->mem.bgcolor = static_cast<unsigned char>(t->bgcolor);
}

void execute(uxTerminal* t, int command, int argument) {
    switch (command) {
    case UXANSI_PRINT:
        if (t->wordbreak) print_word_char(t, argument);
        else write_char(t, argument);
        break;
    case UXANSI_RESET:  // back to the default colours, as a reset of all attributes should
        if (t->mem.fg) {
            set_colour(t, true, UXTERM_DEFAULT_TEXT);
            set_colour(t, false, UXTERM_DEFAULT_BG);
        }
        break;
    case UXANSI_TEXTCOLOR: set_colour(t, true, argument); break;
    case UXANSI_BGCOLOR: set_colour(t, false, argument); break;
    case UXANSI_DEFAULT_TEXTCOLOR: set_colour(t, true, UXTERM_DEFAULT_TEXT); break;
    case UXANSI_DEFAULT_BGCOLOR: set_colour(t, false, UXTERM_DEFAULT_BG); break;
    case UXANSI_ERASE_SCREEN: uxterminal_clear(t); break;
    case UXANSI_COLUMN:
        uxtxtmem_move(&t->mem, t->mem.row, argument - 1);
        request_repaint(t);
        break;
    case UXANSI_ROW:
        uxtxtmem_move(&t->mem, argument - 1, t->mem.column);
        request_repaint(t);
        break;
    default: std::printf("TerminalWidget: ansi cmd not recognized: %d\n", command);
    }
}

void feed(uxTerminal* t, const char* text, int length) {
    for (int i = 0; i < length; ++i) {
        uxansi_input(&t->decoder, static_cast<unsigned char>(text[i]));
        int command, argument;
        while (uxansi_next(&t->decoder, &command, &argument)) execute(t, command, argument);
    }
}

void terminal_paint(uxWidget* w, uxPixmap* pm) {
    uxTerminal* t = self_of(w);
    int x = w->abs_x, y = w->abs_y, width = w->layout.width, height = w->layout.height;
    uxpxmap_fillrect(pm, x, y, width, height, t->colours[UXTERM_DEFAULT_BG]);
    int inner_w = width - 4 - (t->scroll.show_v ? t->scroll.thickness : 0);
    uxtermpaint_draw(&t->painter, &t->mem, t->colours, pm, x + 2, y + 2, inner_w, height - 4,
                     t->top, t->lines, t->cursor);
    if (w->border > 0) uxcolor_frame(pm, x, y, width, height, w->border < 2 ? w->border : 2, false);
}

void terminal_scroll(uxWidget* owner, int, int action, double value) {
    uxTerminal* t = self_of(owner);
    switch (action) {
    case UXSCROLL_LINE_BACK: --t->top; break;
    case UXSCROLL_LINE_FORWARD: ++t->top; break;
    case UXSCROLL_PAGE_BACK: t->top -= t->lines; break;
    case UXSCROLL_PAGE_FORWARD: t->top += t->lines; break;
    case UXSCROLL_DRAG: t->top = static_cast<int>(value * t->mem.lines / 100.0 + 0.5); break;
    default: return;
    }
    t->top = clamp(t->top, 0, max_top(t));
    update_scrollbar(t);
    uxwidget_invalidate(owner);
}

bool terminal_handle(uxWidget* w, const uxEvent* ev) {
    switch (ev->code) {
    case UXEV_LOPRIOPAINT: uxwidget_invalidate(w); return true;
    case UXEV_WHEELFWD: terminal_scroll(w, 1, UXSCROLL_LINE_BACK, 0); return true;
    case UXEV_WHEELBACK: terminal_scroll(w, 1, UXSCROLL_LINE_FORWARD, 0); return true;
    case UXEV_FOCUSIN:
    case UXEV_FOCUSOUT: uxwidget_invalidate(w); return true;
    case UXEV_LDOWN:
    case UXEV_LUP: return true;
    default: return false;
    }
}

// Text size for the widget's size: the lines and columns that fit inside the 2-pixel margin
// (the scroll bar's width does not count as text room). Sizes given as "lines="/"columns="
// stay as given.
void fitting_size(const uxTerminal* t, int* lines, int* columns) {
    const uxWidget* w = &t->base;
    int fh = t->painter.cell_height, cw = t->painter.cell_width;
    int bar = t->scrollback > 0 ? t->scroll.thickness : 0;
    *lines = t->lines;
    *columns = t->columns;
    if (t->props.lines <= 0 && w->layout.ys != 0 && fh > 0) *lines = (w->layout.height - 4) / fh;
    if (t->props.columns <= 0 && w->layout.xs != 0 && cw > 0)
        *columns = (w->layout.width - 4 - bar) / cw;
    *lines = clamp(*lines, 1, 10000);
    *columns = clamp(*columns, 1, 4096);
}

void terminal_relayout(uxWidget* w) {
    uxTerminal* t = self_of(w);
    if (t->scroll.created) uxscrollbars_place(&t->scroll, t->scrollback > 0, false, nullptr, nullptr);
    if (!t->mem.chars) return;  // still being created
    int lines, columns;
    fitting_size(t, &lines, &columns);
    if (lines == t->lines && columns == t->columns) return;
    if (!uxtxtmem_resize(&t->mem, lines, columns)) return;
    t->lines = lines;
    t->columns = columns;
    follow(t);
}

bool dump_current(const char* path) { return current_terminal && uxterminal_dump(current_terminal, path); }

void open_log(uxTerminal* t, const char* path) {
    t->log = std::fopen(path, "a+b");
    if (!t->log) {
        uxlog("terminal: cannot open log file \"%s\"\n", path);
        return;
    }
    char stamp[64];
    std::time_t now = std::time(nullptr);
    std::strftime(stamp, sizeof stamp, "%a %b %d %H:%M:%S %Y", std::localtime(&now));
    std::fprintf(t->log, "\n%s\n", stamp);
}

}  // namespace

uxTerminal* uxterminal_new(const char* format, ...) {
    uxTerminal* t = new uxTerminal;
    va_list ap, copy;
    va_start(ap, format);
    va_copy(copy, ap);
    char* text = uxcfgstr_vformat(format, copy);
    va_end(copy);
    char** tokens = uxwidget_begin(&t->base, false, 2, format, ap);
    va_end(ap);
    uxcfgstr_terminal(tokens, 0, &t->props);
    uxWidget* w = &t->base;
    w->self = t;
    w->handle = terminal_handle;
    w->paint = terminal_paint;
    w->relayout = terminal_relayout;
    for (int i = 0; i < UXTERM_COLOURS; ++i) t->colours[i] = default_colours[i];
    if (t->props.textcolor >= 0) t->colours[UXTERM_DEFAULT_TEXT] = t->props.textcolor;
    if (t->props.background >= 0) t->colours[UXTERM_DEFAULT_BG] = t->props.background;
    t->scrollback = clamp(t->props.scrollback, 0, 100000);
    t->wordbreak = t->props.wordbreak;
    t->cursor = t->props.cursor;
    uxtermpaint_init(&t->painter, w->fontid);
    uxansi_init(&t->decoder);

    // Text size: given, else from the widget's size when that is given, else 24 x 80.
    int blank = uxfont_char_width(w->fontid, ' ');
    int fh = t->painter.cell_height, cw = t->painter.cell_width;
    int bar = t->scrollback > 0 ? t->scroll.thickness : 0;
    t->lines = t->props.lines > 0 ? clamp(t->props.lines, 1, 10000) : 24;
    t->columns = t->props.columns > 0 ? clamp(t->props.columns, 1, 4096) : 80;
    uxwidget_natural_size(w, t->columns * (blank > 0 ? blank : cw) + 4 + bar, t->lines * fh + 4);
    uxwidget_finish(w, tokens);
    fitting_size(t, &t->lines, &t->columns);

    bool made = t->scrollback > 0
        ? uxtxtmem_create(&t->mem, "txtmem,lines=%d,columns=%d,scrollback=%d", t->lines, t->columns,
                          t->scrollback)
        : uxtxtmem_create(&t->mem, "txtmem,lines=%d,columns=%d,scroll", t->lines, t->columns);
    (void)made;  // the plain "txtmem" keyword is always there
    if (t->props.logfile[0]) open_log(t, t->props.logfile);
    uxscrollbars_create(&t->scroll, w, terminal_scroll);
    terminal_relayout(w);
    update_scrollbar(t);
    uxlog("terminal open, cs=\"%s\"\n", text);
    delete[] text;
    if (!current_terminal) uxterminal_set_current(t);
    return t;
}

void uxterminal_delete(uxTerminal* t) {
    if (!t) return;
    if (current_terminal == t) {
        current_terminal = nullptr;
        uxscript_hooks.dump_terminal = nullptr;
    }
    uxlopriopaint_cancel(&t->base);
    uxscrollbars_destroy(&t->scroll);
    uxwidget_destroy(&t->base);
    uxtxtmem_destroy(&t->mem);
    if (t->log) std::fclose(t->log);
    delete t;
}

uxWidget* uxterminal_widget(uxTerminal* t) { return t ? &t->base : nullptr; }

int uxterminal_print(uxTerminal* t, const char* text) {
    if (!t || !text) return 0;
    int length = static_cast<int>(std::strlen(text));
    feed(t, text, length);
    if (t->log) std::fflush(t->log);
    return length;
}

int uxterminal_printf(uxTerminal* t, const char* format, ...) {
    if (!t || !format) return 0;
    va_list ap;
    va_start(ap, format);
    int n = std::vsnprintf(print_buffer, sizeof print_buffer, format, ap);
    va_end(ap);
    if (n < 0) return 0;
    int length = n < static_cast<int>(sizeof print_buffer) ? n : static_cast<int>(sizeof print_buffer) - 1;
    feed(t, print_buffer, length);
    if (t->log) std::fflush(t->log);
    return length;
}

void uxterminal_clear(uxTerminal* t) {
    if (!t) return;
    t->word_length = 0;
    uxtxtmem_clear(&t->mem);
    t->top = 0;
    request_repaint(t);
}

void uxterminal_set_current(uxTerminal* t) {
    current_terminal = t;
    uxscript_hooks.dump_terminal = t ? dump_current : nullptr;
}

uxTerminal* uxterminal_current() { return current_terminal; }

bool uxterminal_dump(uxTerminal* t, const char* path) {
    if (!t || !path) return false;
    uxAtomicFile out;
    FILE* f = uxfile_begin(&out, path);
    if (!f) return false;
    for (int r = 0; r < t->mem.lines; ++r) {
        const unsigned char* row = uxtxtmem_row(&t->mem, r);
        if (!row) break;
        int n = t->mem.columns;
        while (n > 0 && row[n - 1] == ' ') --n;
        std::fwrite(row, 1, n, f);
        std::fputc('\n', f);
    }
    return uxfile_finish(&out, !std::ferror(f));
}

int uxterminal_visible_lines(const uxTerminal* t) { return t ? t->lines : 0; }
int uxterminal_top_line(const uxTerminal* t) { return t ? t->top : 0; }
