// Axes of the function plots: lines, ticks every step, every few ticks a label and a doubled
// tick, on both sides of the origin.

#include "research/plot_axes.h"

#include "shell/output.h"
#include "toolkit/drawing/uxscreengraphic.h"

static const int kBlack = 0x000000;

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

PassShift ThicknessShift(int pass) {
    static const PassShift shifts[11] = {{0, 0},  {0, 0}, {0, -1}, {0, 1}, {1, -2}, {-1, 2},
                                         {0, -3}, {0, 3}, {0, -4}, {0, 4}, {0, -5}};
    if (pass < 0 || pass > 10) return {0, 0};
    return shifts[pass];
}

// The ticks of the x axis through (x0, y0): `divisions` to the right, then to the left edge of
// the page; every `labelEvery`-th tick is doubled and labelled with its number minus `shift`.
static void draw_x_ticks(int x0, int y0, int step, int divisions, int labelEvery, int shift) {
    for (int u = 1; u <= divisions; ++u) {
        int x = x0 + step * u;
        uxgraphic_line(x, y0 - 10, x, y0 + 10, kBlack);
        if (u % labelEvery == 0) {
            DrawColouredTextF(x - 15, y0 - 20, kBlack, "%d", u - shift);
            uxgraphic_line(x + 1, y0 - 10, x + 1, y0 + 10, kBlack);
        }
    }
    for (int k = 1; x0 - step * k >= 0; ++k) {
        int x = x0 - step * k;
        uxgraphic_line(x, y0 - 10, x, y0 + 10, kBlack);
        if (k % labelEvery == 0) {
            DrawColouredTextF(x - 15, y0 - 20, kBlack, "%d", -k - shift);
            uxgraphic_line(x + 1, y0 - 10, x + 1, y0 + 10, kBlack);
        }
    }
}

void DrawAxes(int width, int height, int x0, int y0, int xDivisions, int yDivisions) {
    int e = LabelSpacing(yDivisions);
    const int xLabelEvery = 30;
    uxgraphic_line(2, y0, width - 2, y0, kBlack);
    uxgraphic_line(x0, 2, x0, height - 2, kBlack);
    uxgraphic_text(width - 140, y0 - 60, kBlack, "angle");
    uxgraphic_text(x0 + 20, 30, kBlack, "fkt");

    draw_x_ticks(x0, y0, TickStep(width - x0 - 2, xDivisions), xDivisions, xLabelEvery, 0);

    int a = TickStep(y0, yDivisions);
    for (int w = 1; w <= yDivisions; ++w) {
        int y = y0 - w * a;
        uxgraphic_line(x0, y, x0 + 20, y, kBlack);
        if (w % e == 0) {
            DrawColouredTextF(x0 + 35, y + 10, kBlack, "%d", w);
            uxgraphic_line(x0, y + 1, x0 + 20, y + 1, kBlack);
        }
    }
    // Below the origin the ticks sit two pixels higher; those past the page edge are clipped.
    for (int k = 1; k <= height + 1; ++k) {
        int y = y0 + k * a - 2;
        uxgraphic_line(x0, y, x0 + 20, y, kBlack);
        if (k % e == 0) {
            DrawColouredTextF(x0 + 35, y0 + k * a - 10, kBlack, "%d", -k);
            uxgraphic_line(x0, y - 1, x0 + 20, y - 1, kBlack);
        }
    }
}

void DrawShiftedAxes(int width, int height, int cx, int cy, int mx, int my, double ax, double ay) {
    int ex = LabelSpacing(mx);
    int ey = LabelSpacing(my);
    int shiftX = static_cast<int>(ax);
    int shiftY = static_cast<int>(ay);
    uxgraphic_line(2, cy, width - 2, cy, kBlack);
    uxgraphic_line(cx, 2, cx, height - 2, kBlack);
    uxgraphic_text(width - 40, cy - 50, kBlack, "x");
    uxgraphic_text(cx + 20, 30, kBlack, "y");

    draw_x_ticks(cx, cy, TickStep(width - cx - 2, mx), mx, ex, shiftX);

    int vy = TickStep(cy, my);
    for (int w = 1; w <= my; ++w) {
        int y = cy - vy * w;
        uxgraphic_line(cx - 10, y, cx + 10, y, kBlack);
        if (w % ey == 0) {
            DrawColouredTextF(cx - 35, y, kBlack, "%d", w - shiftY);
            uxgraphic_line(cx - 10, y + 1, cx + 10, y + 1, kBlack);
        }
    }
    for (int k = 1; k <= height + 1; ++k) {
        int y = cy + vy * k;
        uxgraphic_line(cx - 10, y, cx + 10, y, kBlack);
        if (k % ey == 0) {
            DrawColouredTextF(cx - 50, y, kBlack, "%d", -k - shiftY);
            uxgraphic_line(cx - 10, y + 1, cx + 10, y + 1, kBlack);
        }
    }
}
