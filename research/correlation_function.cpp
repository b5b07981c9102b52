// Correlation function: the angle function of the correlation matrices for one order, or its
// first derivation, as a table on text page 1 and as a curve on graphic page 1.

#include "research/correlation_function.h"

#include "astro/wave_tables.h"
#include "research/modules.h"
#include "research/plot_axes.h"
#include "shell/dialogs.h"
#include "shell/output.h"
#include "toolkit/core/uxevent.h"
#include "toolkit/drawing/uxscreengraphic.h"

static const int kFirstRow = 2;
static const int kLastRow = 1918;

// The plot frame: origin, divisions and pixels per unit (integer divisions, 5 and 53).
static const int kWidth = 1920;
static const int kHeight = 1080;
static const int kOriginX = 2;
static const int kOriginY = 540;
static const int kDivisionsX = 360;
static const int kDivisionsY = 10;
static const int kScaleX = (kWidth - kOriginX - 2) / kDivisionsX;
static const int kScaleY = (kHeight - kOriginY - 2) / kDivisionsY;

static double angles[kLastRow + 1];
static double values[kLastRow + 1];

double CorrelationFactor(int n) {
    double n2 = static_cast<double>(n) * n;
    return 3.22441 - 1.627285 * n + 0.336916 * n2 - 0.030254 * n2 * n + 0.000975 * n2 * n2;
}

double CorrelationAngle(int row) { return row * 0.187991 - 0.375783; }

double CorrelationValue(int order, bool derivation, int row) {
    double angle = CorrelationAngle(row);
    if (derivation) return CorrelationFactor(order) * DynamicsWave(order, angle, 0);
    return 10.0 * HarmonyWave(order, angle, 0);
}

// One pass of the curve, shifted by (dx, dy) pixels.
static void draw_curve(int dx, int dy) {
    const int red = MakeColour(255, 0, 0);
    for (int i = kFirstRow; i < kLastRow; ++i) {
        int x = static_cast<int>(kScaleX * angles[i]) + kOriginX + dx;
        int y = kOriginY - static_cast<int>(kScaleY * values[i]) + dy;
        if (i == kFirstRow)
            uxgraphic_moveto(x, y);
        else
            uxgraphic_lineto(x, y, red);
    }
}

void CorrelationFunction() {
    static const char* const kinds[] = {"Function", "Derivation"};
    Print("\n correlation function \n");
    int kind = ChooseOption("Selection calculating", 2, kinds);
    int order = InputInt("Degree of the function ?", 1, 12, 1);
    if (!ModuleGoesOn()) return;
    bool derivation = kind == 2;
    TextOutput(1);
    ClearOutput();

    double factor = CorrelationFactor(order);
    Print("%s", derivation ? "\n\n 1. Derivation of the Correlation" : "\n\n Correlation");
    Print("  Order: %d Factor: %1.5f\n\n", order, factor);
    for (int i = kFirstRow; i <= kLastRow; ++i) {
        angles[i] = CorrelationAngle(i);
        values[i] = CorrelationValue(order, derivation, i);
        Print("\n grad: %3.2f fkt: %3.2f", angles[i], values[i]);
    }

    WaitSeconds(3);
    int thickness = InputInt(" \n Thickness of the curve (1,2,...10): ", 1, 10, 1);
    if (!ModuleGoesOn()) return;

    const int white = MakeColour(255, 255, 255);
    GraphicOutput(1, kWidth, kHeight, white);
    uxgraphic_clear(white);
    DrawAxes(kWidth, kHeight, kOriginX, kOriginY, kDivisionsX, kDivisionsY);
    draw_curve(0, 0);
    WaitSeconds(1);
    for (int pass = 2; pass <= thickness; ++pass) {
        PassShift shift = ThicknessShift(pass);
        draw_curve(shift.dx, shift.dy);
        WaitSeconds(1);
    }
    if (derivation)
        DrawColouredTextF(100, 13, 0, " Order of Derivation %d", order);
    else
        DrawColouredTextF(100, 13, 0, " Order Correlation %d", order);
}
