#include "research/chart_font.h"

#include "toolkit/drawing/uxfont.h"
#include "toolkit/drawing/uxscreengraphic.h"

int UseCompactChartFont() {
    uxScreenGraphic* g = uxgraphic_current();
    int previous = g ? g->base.fontid : 0;
    uxgraphic_setfont(uxfont_builtin("builtin 9x15"));
    return previous;
}

void RestoreChartFont(int font) { uxgraphic_setfont(font); }
