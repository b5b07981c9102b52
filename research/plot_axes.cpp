// Axes of the function plots: lines, ticks every step, every few ticks a label and a doubled
// tick, on both sides of the origin. Ticks closer than a few pixels are thinned and labels
// spread out to a readable step; labels stay on the page.

#include "research/plot_axes.h"

#include <cstdio>

#include "shell/output.h"
#include "toolkit/drawing/uxscreengraphic.h"

static const int kBlack = 0x000000;
// Ticks closer than this merge into a bar; labels keep this much room between them.
static const int kMinTickGap = 4;
static const int kLabelGap = 12;

int TickStep(int length, int divisions) {
    if (divisions < 1) divisions = 1;
    int step = length / divisions;
    return step < 1 ? 1 : step;
}

int LabelSpacing(int divisions) {
    if (divisions >= 201) return 20;
    if (divisions >= 51) return 10;
    return 5;
}

int TickStride(int step) {
    static const int strides[] = {1, 2, 5, 10, 20, 50, 100, 200, 500, 1000};
    for (int n : strides)
        if (n * step >= kMinTickGap) return n;
    return 1000;
}

int SpreadLabels(int every, int tickStride, int step, int room) {
    if (every < 1) every = 1;
    int n = every;
    while (n * step < room || n % tickStride != 0) n += every;
    return n;
}

PassShift ThicknessShift(int pass) {
    static const PassShift shifts[11] = {{0, 0},  {0, 0}, {0, -1}, {0, 1}, {1, -2}, {-1, 2},
                                         {0, -3}, {0, 3}, {0, -4}, {0, 4}, {0, -5}};
    if (pass < 0 || pass > 10) return {0, 0};
    return shifts[pass];
}

// "%d" of value at (x, y) (top 13 pixels above y), moved inside the page; left out when its
// tick (tickX, tickY) lies off the page.
static void draw_label(int x, int y, int tickX, int tickY, int width, int height, int value) {
    if (tickX < 0 || tickX >= width || tickY < 0 || tickY >= height) return;
    char text[16];
    std::snprintf(text, sizeof text, "%d", value);
    const int w = uxgraphic_textwidth(text), h = uxgraphic_fontheight();
    if (x + w > width) x = width - w;
    if (x < 0) x = 0;
    if (y - 13 + h > height) y = height + 13 - h;
    if (y < 13) y = 13;
    DrawText(x, y, text, kBlack);
}

// Width of the wider "%d" label of two numbers, with room to the next.
static int label_room(int a, int b) {
    char text[16];
    std::snprintf(text, sizeof text, "%d", a);
    int wa = uxgraphic_textwidth(text);
    std::snprintf(text, sizeof text, "%d", b);
    int wb = uxgraphic_textwidth(text);
    return (wa > wb ? wa : wb) + kLabelGap;
}

// The ticks of the x axis through (x0, y0): `divisions` to the right, then to the left edge of
// the page; every `labelEvery`-th tick is doubled and labelled with its number minus `shift`.
static void draw_x_ticks(int width, int height, int x0, int y0, int step, int divisions,
                         int labelEvery, int shift) {
    const int stride = TickStride(step);
    const int leftTicks = x0 / step;
    labelEvery = SpreadLabels(labelEvery, stride, step,
                              label_room(-leftTicks - shift, divisions - shift));
    for (int u = 1; u <= divisions; ++u) {
        int x = x0 + step * u;
        if (u % stride == 0) uxgraphic_line(x, y0 - 10, x, y0 + 10, kBlack);
        if (u % labelEvery == 0) {
            draw_label(x - 15, y0 - 20, x, y0, width, height, u - shift);
            uxgraphic_line(x + 1, y0 - 10, x + 1, y0 + 10, kBlack);
        }
    }
    for (int k = 1; x0 - step * k >= 0; ++k) {
        int x = x0 - step * k;
        if (k % stride == 0) uxgraphic_line(x, y0 - 10, x, y0 + 10, kBlack);
        if (k % labelEvery == 0) {
            draw_label(x - 15, y0 - 20, x, y0, width, height, -k - shift);
            uxgraphic_line(x + 1, y0 - 10, x + 1, y0 + 10, kBlack);
        }
    }
}

void DrawAxes(int width, int height, int x0, int y0, int xDivisions, int yDivisions) {
    const int xLabelEvery = 30;
    uxgraphic_line(2, y0, width - 2, y0, kBlack);
    uxgraphic_line(x0, 2, x0, height - 2, kBlack);
    DrawText(width - 140, y0 - 60 + 13, "angle", kBlack);
    DrawText(x0 + 20, 30 + 13, "fkt", kBlack);

    draw_x_ticks(width, height, x0, y0, TickStep(width - x0 - 2, xDivisions), xDivisions,
                 xLabelEvery, 0);

    int a = TickStep(y0, yDivisions);
    const int stride = TickStride(a);
    const int e = SpreadLabels(LabelSpacing(yDivisions), stride, a,
                               uxgraphic_fontheight() + kMinTickGap);
    for (int w = 1; w <= yDivisions; ++w) {
        int y = y0 - w * a;
        if (w % stride == 0) uxgraphic_line(x0, y, x0 + 20, y, kBlack);
        if (w % e == 0) {
            draw_label(x0 + 35, y + 10, x0, y, width, height, w);
            uxgraphic_line(x0, y + 1, x0 + 20, y + 1, kBlack);
        }
    }
    // Below the origin the ticks sit two pixels higher; those past the page edge are clipped.
    for (int k = 1; k <= height + 1; ++k) {
        int y = y0 + k * a - 2;
        if (k % stride == 0) uxgraphic_line(x0, y, x0 + 20, y, kBlack);
        if (k % e == 0) {
            draw_label(x0 + 35, y0 + k * a - 10, x0, y, width, height, -k);
            uxgraphic_line(x0, y - 1, x0 + 20, y - 1, kBlack);
        }
    }
}

void DrawShiftedAxes(int width, int height, int cx, int cy, int mx, int my, double ax, double ay) {
    int shiftX = static_cast<int>(ax);
    int shiftY = static_cast<int>(ay);
    uxgraphic_line(2, cy, width - 2, cy, kBlack);
    uxgraphic_line(cx, 2, cx, height - 2, kBlack);
    // Ten pixels above its place of old, so that the last x label fits under it.
    DrawText(width - 40, cy - 60 + 13, "x", kBlack);
    DrawText(cx + 20, 30 + 13, "y", kBlack);

    draw_x_ticks(width, height, cx, cy, TickStep(width - cx - 2, mx), mx, LabelSpacing(mx),
                 shiftX);

    int vy = TickStep(cy, my);
    const int stride = TickStride(vy);
    const int ey = SpreadLabels(LabelSpacing(my), stride, vy,
                                uxgraphic_fontheight() + kMinTickGap);
    for (int w = 1; w <= my; ++w) {
        int y = cy - vy * w;
        if (w % stride == 0) uxgraphic_line(cx - 10, y, cx + 10, y, kBlack);
        if (w % ey == 0) {
            draw_label(cx - 35, y, cx, y, width, height, w - shiftY);
            uxgraphic_line(cx - 10, y + 1, cx + 10, y + 1, kBlack);
        }
    }
    for (int k = 1; k <= height + 1; ++k) {
        int y = cy + vy * k;
        if (k % stride == 0) uxgraphic_line(cx - 10, y, cx + 10, y, kBlack);
        if (k % ey == 0) {
            draw_label(cx - 50, y, cx, y, width, height, -k - shiftY);
            uxgraphic_line(cx - 10, y + 1, cx + 10, y + 1, kBlack);
        }
    }
}
