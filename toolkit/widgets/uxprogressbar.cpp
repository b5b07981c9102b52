// The progress bar: a sunken frame filled from the left by a percentage.
#include "toolkit/drawing/uxfont.h"
#include "toolkit/widgets/uxlistbox.h"
#include "toolkit/drawing/uxpixmap.h"

namespace {

void progress_paint(uxWidget* w, uxPixmap* pm) {
    uxProgressBar* p = static_cast<uxProgressBar*>(w->self);
    int x = w->abs_x, y = w->abs_y, width = w->layout.width, height = w->layout.height;
    if (width <= 0 || height <= 0) return;
    uxpxmap_fillrect(pm, x, y, width, height, uxcolor_role(UXCOLOR_FACE));
    uxcolor_frame(pm, x, y, width, height, w->border, false);
    int inner = width - 2 * w->border;
    int filled = inner * p->percent / 100;
    if (filled > 0)
        uxpxmap_fillrect(pm, x + w->border, y + w->border, filled, height - 2 * w->border,
                         uxcolor_role(UXCOLOR_HIGHLIGHT));
}

}  // namespace

void uxprogressbar_create(uxProgressBar* p, const char* format, ...) {
    va_list ap;
    va_start(ap, format);
    char** tokens = uxwidget_begin(&p->base, false, 2, format, ap);
    va_end(ap);
    p->base.self = p;
    p->base.nokeyfocus = true;
    p->base.paint = progress_paint;
    uxwidget_natural_size(&p->base, 100, uxfont_height(p->base.fontid) + 8);
    uxwidget_finish(&p->base, tokens);
}

void uxprogressbar_destroy(uxProgressBar* p) { uxwidget_destroy(&p->base); }

void uxprogressbar_set(uxProgressBar* p, int percent) {
    if (percent < 0) percent = 0;
    if (percent > 100) percent = 100;
    if (percent == p->percent) return;
    p->percent = percent;
    if (uxwidget_shown(&p->base)) uxwidget_invalidate(&p->base);
}
