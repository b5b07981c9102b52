// Painting a text memory: one row per text line from the view's top line, cells in their own
// colours when the memory has colour planes, and an underline cursor.
#include "toolkit/text/uxterminal.h"

#include "toolkit/drawing/uxfont.h"
#include "toolkit/drawing/uxpixmap.h"

void uxtermpaint_init(uxTermPaint* p, int font) {
    p->font = font;
    int w = uxfont_char_width(font, 'w'), h = uxfont_height(font);
    p->cell_width = w > 0 ? w : 6;  // a missing font still gives a usable grid
    p->cell_height = h > 0 ? h : 13;
}

void uxtermpaint_draw(const uxTermPaint* p, const uxTxtMemFixed* m, const int* colours,
                      uxPixmap* pm, int x, int y, int width, int height, int top, int visible,
                      bool cursor) {
    int cw = p->cell_width, ch = p->cell_height;
    int shown_columns = width / cw;
    if (shown_columns > m->columns) shown_columns = m->columns;
    for (int r = 0; r < visible; ++r) {
        int row = top + r;
        const unsigned char* cells = uxtxtmem_row(m, row);
        if (!cells || (r + 1) * ch > height) break;
        long base = static_cast<long>(row) * m->columns;
        int cy = y + r * ch;
        for (int c = 0; c < shown_columns; ++c) {
            int fg = colours[m->fg ? m->fg[base + c] % UXTERM_COLOURS : UXTERM_DEFAULT_TEXT];
            if (m->bg) {
                int bg = colours[m->bg[base + c] % UXTERM_COLOURS];
                if (bg != colours[UXTERM_DEFAULT_BG]) uxpxmap_fillrect(pm, x + c * cw, cy, cw, ch, bg);
            }
            if (cells[c] != ' ') uxfont_draw_char(pm, p->font, x + c * cw, cy, cells[c], fg, -1, 0, 0, 0);
        }
        if (cursor && row == m->row && m->column < shown_columns)
            uxpxmap_fillrect(pm, x + m->column * cw, cy + ch - 2, cw, 2, colours[UXTERM_DEFAULT_TEXT]);
    }
}
