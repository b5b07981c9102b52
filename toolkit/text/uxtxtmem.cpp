// Character memory of the terminal: printing, wrapping, scrolling and scrollback trimming.
#include "toolkit/text/uxtxtmem.h"

#include <cstdarg>
#include <cstring>
#include <new>

#include "toolkit/core/uxcfgstr.h"
#include "toolkit/core/uxlog.h"

namespace {

// Limits that keep a silly property string from exhausting memory: besides the sides, the
// cells of one plane (rows x columns) stay within MAX_CELLS.
const int MAX_COLUMNS = 4096, MAX_LINES = 10000, MAX_SCROLLBACK = 100000, MAX_CELLS = 1 << 24;

int clamp(int v, int lo, int hi) { return v < lo ? lo : v > hi ? hi : v; }

// The screen and its least scrollback fit into MAX_CELLS; so does the largest scrollback.
int max_lines(int columns) { return clamp(MAX_CELLS / (2 * columns) - 2, 1, MAX_LINES); }
int max_scrollback(int columns) { return clamp(MAX_CELLS / (2 * columns), 0, MAX_SCROLLBACK); }

// Trimming drops `scrollback` rows when 2 x scrollback - 2 rows are in use, leaving
// scrollback - 2; a smaller scrollback than the screen height plus two would drop visible rows
// (and with fewer than 3 the cursor row itself), so a scrollback is at least that.
int least_scrollback(int scrollback, int lines) {
    return scrollback > 0 && scrollback < lines + 2 ? lines + 2 : scrollback;
}

long cells(const uxTxtMemFixed* m) { return static_cast<long>(m->columns) * m->rows; }

void blank_rows(uxTxtMemFixed* m, int first, int count) {
    if (count <= 0) return;
    long at = static_cast<long>(first) * m->columns, n = static_cast<long>(count) * m->columns;
    std::memset(m->chars + at, ' ', n);
    if (m->fg) std::memset(m->fg + at, m->textcolor, n);
    if (m->bg) std::memset(m->bg + at, m->bgcolor, n);
    if (m->attrs) std::memset(m->attrs + at, m->attribute, n);
}

// Moves rows [by, rows) up to row 0 and blanks the freed rows at the end.
void shift_up(uxTxtMemFixed* m, int by) {
    if (by <= 0) return;
    if (by > m->rows) by = m->rows;
    long keep = static_cast<long>(m->rows - by) * m->columns, from = static_cast<long>(by) * m->columns;
    std::memmove(m->chars, m->chars + from, keep);
    if (m->fg) std::memmove(m->fg, m->fg + from, keep);
    if (m->bg) std::memmove(m->bg, m->bg + from, keep);
    if (m->attrs) std::memmove(m->attrs, m->attrs + from, keep);
    blank_rows(m, m->rows - by, by);
}

unsigned char* plane(const uxTxtMemFixed* m, int fill) {
    unsigned char* p = new unsigned char[cells(m)];
    std::memset(p, fill, cells(m));
    return p;
}

}  // namespace

bool uxtxtmem_create(uxTxtMemFixed* m, const char* format, ...) {
    va_list ap;
    va_start(ap, format);
    char* text = uxcfgstr_vformat(format, ap);
    va_end(ap);
    uxlog("TxtMemFixed: init with \"%s\"\n", text);
    char** tokens = uxcfgstr_split(text);
    delete[] text;

    static const char* const charmem[] = {"textmemory", "textmem", "txtmemory", "txtmem", nullptr};
    static const char* const fgmem[] = {"textcolormemory", "textcolormem", "txtcolormemory",
                                        "txtcolormem", nullptr};
    static const char* const bgmem[] = {"bgcolormemory", "bgcolormem", nullptr};
    static const char* const attrmem[] = {"attrmemory", "attrmem", "attributememory",
                                          "attributemem", nullptr};
    static const char* const columns[] = {"columns=", nullptr};
    static const char* const lines[] = {"lines=", nullptr};
    static const char* const scroll[] = {"scroll", nullptr};
    static const char* const scrollback[] = {"scrollback=", nullptr};
    char value[64];
    *m = uxTxtMemFixed{};
    bool want_chars = uxcfgstr_take(tokens, 0, charmem);
    bool want_fg = uxcfgstr_take(tokens, 0, fgmem);
    bool want_bg = uxcfgstr_take(tokens, 0, bgmem);
    bool want_attr = uxcfgstr_take(tokens, 0, attrmem);
    if (uxcfgstr_take(tokens, 0, columns, value, sizeof value))
        m->columns = uxcfgstr_read_int(value, -MAX_SCROLLBACK, MAX_SCROLLBACK);
    if (uxcfgstr_take(tokens, 0, lines, value, sizeof value))
        m->lines = uxcfgstr_read_int(value, -MAX_SCROLLBACK, MAX_SCROLLBACK);
    if (uxcfgstr_take(tokens, 0, scroll)) m->scroll = true;
    if (uxcfgstr_take(tokens, 0, scrollback, value, sizeof value))
        m->scrollback = uxcfgstr_read_int(value, -MAX_SCROLLBACK, MAX_SCROLLBACK);
    uxcfgstr_free(tokens);
    if (!want_chars) return false;

    m->columns = clamp(m->columns, 1, MAX_COLUMNS);
    m->lines = clamp(m->lines, 1, max_lines(m->columns));
    m->scrollback = clamp(m->scrollback, 0, max_scrollback(m->columns));
    m->scrollback = least_scrollback(m->scrollback, m->lines);
    m->rows = m->scrollback > 0 ? 2 * m->scrollback : m->lines;
    m->start_lines = m->lines;
    m->chars = plane(m, ' ');
    if (want_fg) m->fg = plane(m, m->textcolor);
    if (want_bg) m->bg = plane(m, m->bgcolor);
    if (want_attr) m->attrs = plane(m, 0);
    return true;
}

void uxtxtmem_destroy(uxTxtMemFixed* m) {
    delete[] m->chars;
    delete[] m->fg;
    delete[] m->bg;
    delete[] m->attrs;
    m->chars = m->fg = m->bg = m->attrs = nullptr;
}

void uxtxtmem_add_colour_planes(uxTxtMemFixed* m, int textcolor, int bgcolor) {
    if (!m->chars) return;
    if (!m->fg) m->fg = plane(m, textcolor);
    if (!m->bg) m->bg = plane(m, bgcolor);
}

bool uxtxtmem_resize(uxTxtMemFixed* m, int lines, int columns) {
    if (!m->chars) return false;
    columns = clamp(columns, 1, MAX_COLUMNS);
    lines = clamp(lines, 1, max_lines(columns));
    if (lines == m->start_lines && columns == m->columns) return true;
    uxTxtMemFixed n = *m;
    n.columns = columns;
    n.start_lines = lines;
    int drop = 0;  // oldest rows that no longer fit
    if (m->scrollback > 0) {
        n.scrollback = least_scrollback(clamp(n.scrollback, 1, max_scrollback(columns)), lines);
        n.rows = 2 * n.scrollback;
        n.lines = m->lines > lines ? m->lines : lines;
        // keep the trimming rule: fewer than 2 x scrollback - 2 rows in use
        if (n.lines > 2 * n.scrollback - 3) drop = n.lines - (2 * n.scrollback - 3);
        n.lines -= drop;
    } else {
        n.rows = n.lines = lines;
        if (m->row >= lines) drop = m->row - lines + 1;
    }
    long size = static_cast<long>(n.columns) * n.rows;
    n.chars = new (std::nothrow) unsigned char[size];
    n.fg = m->fg ? new (std::nothrow) unsigned char[size] : nullptr;
    n.bg = m->bg ? new (std::nothrow) unsigned char[size] : nullptr;
    n.attrs = m->attrs ? new (std::nothrow) unsigned char[size] : nullptr;
    if (!n.chars || (m->fg && !n.fg) || (m->bg && !n.bg) || (m->attrs && !n.attrs)) {
        delete[] n.chars;
        delete[] n.fg;
        delete[] n.bg;
        delete[] n.attrs;
        return false;
    }
    blank_rows(&n, 0, n.rows);
    int keep_rows = m->rows - drop < n.rows ? m->rows - drop : n.rows;
    int keep_cols = m->columns < n.columns ? m->columns : n.columns;
    for (int r = 0; r < keep_rows; ++r) {
        long from = static_cast<long>(r + drop) * m->columns, to = static_cast<long>(r) * n.columns;
        std::memcpy(n.chars + to, m->chars + from, keep_cols);
        if (n.fg) std::memcpy(n.fg + to, m->fg + from, keep_cols);
        if (n.bg) std::memcpy(n.bg + to, m->bg + from, keep_cols);
        if (n.attrs) std::memcpy(n.attrs + to, m->attrs + from, keep_cols);
    }
    n.row = clamp(m->row - drop, 0, n.lines - 1);
    n.column = clamp(m->column, 0, n.columns);  // == columns: the next character wraps
    uxtxtmem_destroy(m);
    *m = n;
    return true;
}

void uxtxtmem_clear(uxTxtMemFixed* m) {
    if (!m->chars) return;
    blank_rows(m, 0, m->rows);
    m->row = m->column = 0;
    m->lines = m->start_lines;
}

void uxtxtmem_newline(uxTxtMemFixed* m) {
    if (!m->chars) return;
    m->column = 0;
    ++m->row;
    if (m->row < m->lines) return;
    if (m->scroll || m->row >= m->rows) {
        // Scrolls the grid; a memory without room to grow scrolls too instead of overflowing.
        int excess = m->row - m->lines + 1;
        if (m->row >= m->rows) excess = m->row - m->rows + 1;
        int top = m->lines < m->rows ? m->lines : m->rows;
        long keep = static_cast<long>(top - excess) * m->columns, from = static_cast<long>(excess) * m->columns;
        if (keep > 0) {
            std::memmove(m->chars, m->chars + from, keep);
            if (m->fg) std::memmove(m->fg, m->fg + from, keep);
            if (m->bg) std::memmove(m->bg, m->bg + from, keep);
            if (m->attrs) std::memmove(m->attrs, m->attrs + from, keep);
        }
        blank_rows(m, top - excess, excess);
        m->row = top - 1;
        if (m->lines > m->rows) m->lines = m->rows;
        return;
    }
    m->lines = m->row + 1;
    if (m->scrollback > 0 && m->lines >= 2 * m->scrollback - 2) {
        shift_up(m, m->scrollback);
        m->lines -= m->scrollback;
        m->row -= m->scrollback;
    }
}

void uxtxtmem_put(uxTxtMemFixed* m, unsigned char c) {
    if (!m->chars || c < 32) return;
    if (m->column >= m->columns) uxtxtmem_newline(m);
    if (m->row < 0 || m->row >= m->rows || m->column < 0) return;  // never outside the planes
    long at = static_cast<long>(m->row) * m->columns + m->column;
    m->chars[at] = c;
    if (m->fg) m->fg[at] = m->textcolor;
    if (m->bg) m->bg[at] = m->bgcolor;
    if (m->attrs) m->attrs[at] = m->attribute;
    ++m->column;
}

void uxtxtmem_move(uxTxtMemFixed* m, int row, int column) {
    m->row = clamp(row, 0, m->lines - 1);
    m->column = clamp(column, 0, m->columns - 1);
}

const unsigned char* uxtxtmem_row(const uxTxtMemFixed* m, int row) {
    if (!m->chars || row < 0 || row >= m->lines || row >= m->rows) return nullptr;
    return m->chars + static_cast<long>(row) * m->columns;
}
