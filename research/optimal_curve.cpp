// Optimal curve ("Kurvendarstellung"): a least-squares polynomial through up to 1000 value
// pairs, typed in or read from x.txt and y.txt, with its table on text page 1 and the points
// and the curve on graphic page 1. The pairs are saved back for the next run.

#include "research/optimal_curve.h"

#include <cmath>

#include "research/modules.h"
#include "research/plot_axes.h"
#include "research/polynomial_fit.h"
#include "research/value_pairs.h"
#include "shell/dialogs.h"
#include "shell/output.h"
#include "toolkit/core/uxevent.h"
#include "toolkit/drawing/uxscreengraphic.h"

static const int kMaxPairs = 1000;
static const int kMaxDegree = 100;

static const int kWidth = 1920;
static const int kHeight = 1080;
static const int kFirstColumn = 2;
static const int kLastColumn = 1918;
// InputDouble does not bound its answers; these only document the intent.
static const double kAnyValue = 1e300;

// One run's pairs, fit and plot settings; cleared at the start of every run.
static struct {
    int n;  // value pairs
    int p;  // coefficients = degree + 1
    double x[kMaxPairs], y[kMaxPairs], w[kMaxPairs];
    double inputX[kMaxPairs], inputY[kMaxPairs];  // as typed or read, before scaling and shifting
    double c[kMaxDegree + 1];
    int fitError;  // kFitOk, or why the fit failed: then there is no curve to draw
    double sx, sy, ax, ay;
    int cx, cy, mx, my, thickness;
    int kx, ky;
    double curveX[kLastColumn + 1], curveY[kLastColumn + 1];
    int red, green, blue;
} run;

// Too few pairs for the degree: fewer coefficients.
static void check_pair_count() {
    if (run.n >= run.p) return;
    Print("\n\n ERROR number of value<degree of the polynom");
    WaitSeconds(3);
    run.p = run.n - 1;
    Print("\n\n number of value == degree of the polynom fixt");
}

// The pairs from xny.txt, x.txt and y.txt; false (reported) when there are none to use.
static bool read_pairs() {
    int count = 0;
    if (!ReadPairCount(kMaxPairs, &count)) return false;
    run.n = count;
    check_pair_count();
    int pairs = ReadPairValues(count, run.inputX, run.inputY);
    if (pairs <= 0) return false;
    if (pairs < count) {
        run.n = pairs;
        check_pair_count();
    }
    return true;
}

static void print_pairs() {
    for (int i = 0; i < run.n; ++i) Print("\n x: %3.4f  y: %3.4f ", run.x[i], run.y[i]);
}

// File input with optional scaling and shifting; false when the run cannot go on.
static bool input_from_files() {
    if (!read_pairs()) return false;
    for (int i = 0; i < run.n; ++i) {
        run.x[i] = run.inputX[i];
        run.y[i] = run.inputY[i];
    }
    if (InputYesNo("scaling?", 1) == 1) {
        run.sx = InputDouble("scaling x:   ", -kAnyValue, kAnyValue, 1.0);
        run.sy = InputDouble("scaling y:   ", -kAnyValue, kAnyValue, 1.0);
        Print("\n\nscaling x: %3.4f  y: %3.4f \n", run.sx, run.sy);
        for (int i = 0; i < run.n; ++i) {
            run.x[i] *= run.sx;
            run.y[i] *= run.sy;
        }
        print_pairs();
    }
    if (InputYesNo("shifting ?", 1) == 1) {
        run.ax = InputDouble(" add to x:   ", -kAnyValue, kAnyValue, 0.0);
        run.ay = InputDouble(" add to y:   ", -kAnyValue, kAnyValue, 0.0);
        Print("\n\n shifting x: %3.4f  y: %3.4f \n", run.ax, run.ay);
        for (int i = 0; i < run.n; ++i) {
            run.x[i] += run.ax;
            run.y[i] += run.ay;
        }
        print_pairs();
    }
    return ModuleGoesOn();
}

static bool input_by_hand() {
    for (int j = 1; j <= run.n; ++j) {
        Print(" \n j: %i \n", j);
        double x = InputDouble(" x:   ", -kAnyValue, kAnyValue, 0.0);
        double y = InputDouble(" y:   ", -kAnyValue, kAnyValue, 0.0);
        if (!ModuleGoesOn()) return false;
        Print("\n x: %3.2f y: %3.2f", x, y);
        run.x[j - 1] = run.inputX[j - 1] = x;
        run.y[j - 1] = run.inputY[j - 1] = y;
    }
    return true;
}

// The values as they were entered, not recomputed from the scaled ones: a scale of 0 would
// otherwise write infinities into the files.
static bool save_pairs() {
    if (!WritePairs(run.n, run.inputX, run.inputY)) return false;
    Print(" \n Input values saved in xny.txt; x.txt and y.txt");
    Print(" \n Number of value pairs: %d; Degree of the best fit polynomial: %d ", run.n, run.p - 1);
    return true;
}

static void fit_and_report() {
    int err = PolynomialFit(run.p - 1, run.n - 1, run.x, run.y, run.w, run.c);
    run.fitError = err;
    for (int j = 0; j < run.p; ++j) Print("\n coefficients: j= %i  c: %f  ", j, run.c[j]);
    if (run.p == 3 && run.c[2] != 0.0) {
        double xv = -run.c[1] / (2.0 * run.c[2]);
        double yv = run.c[0] + run.c[1] * xv + run.c[2] * xv * xv;
        Print("\n Vertex: x= %3.4f  y: %3.4f  ", xv, yv);
    }
    if (err != kFitOk) {
        Print("\n ERROR: %i ", err);
        Print("\n ( 0: no error \n 1: error in input: n or m too small \n 2: error in  cholyalgorithm() \n 3: lack of memory )");
    }
    double error = 0.0;
    for (int j = 0; j < run.n; ++j) {
        double yb = PolynomialValue(run.p, run.c, run.x[j]);
        Print(" \n j: %i x: %f  y: %f  yb: %f w: %f ", j, run.x[j], run.y[j], yb, run.w[j]);
        error += (run.y[j] - yb) * (run.y[j] - yb);
    }
    Print("\n quadratic error: %f ", error);
    Print("\n mean squere error: %f ", std::sqrt(error) / run.n);
}

static bool ask_plot() {
    run.cx = InputInt(" \n Center point x  (2,3,...1918): ", 2, 1918, 960);
    run.cy = InputInt(" \n Center point y (2,3,...1078): ", 2, 1078, 540);
    run.mx = InputInt(" \n Maximum value x (1,2,...400): ", 1, 400, 20);
    run.my = InputInt(" \n Maximum value y (1,2,...300): ", 1, 300, 15);
    run.thickness = InputInt(" \n Thickness of the curve (1,2,...10): ", 1, 10, 1);
    // At least one pixel per unit, so that a centre at the right edge does not divide by 0.
    run.kx = TickStep(kWidth - run.cx - 2, run.mx);
    run.ky = TickStep(kHeight - run.cy - 2, run.my);
    for (int r = kFirstColumn; r <= kLastColumn; ++r) {
        run.curveX[r] = static_cast<double>(r - run.cx) / run.kx;
        run.curveY[r] = PolynomialValue(run.p, run.c, run.curveX[r]);
    }
    return ModuleGoesOn();
}

int OuterRingColour(int red, int green, int blue) {
    int offset = red == 255 && green == 255 && blue == 255 ? -255 : 0;
    return MakeColour(red + offset, green + offset, blue);
}

static int colour_channel(double value) {
    if (!(value > 0.0)) return 0;  // also not a number
    if (value >= 255.0) return 255;
    return static_cast<int>(value);
}

static bool ask_colour() {
    static const char* const labels[] = {"red 0-255", "green 0-255", "blue 0-255", nullptr};
    double rgb[3] = {0.0, 0.0, 0.0};
    InputArray("Choose the color value", rgb, labels);
    run.red = colour_channel(rgb[0]);
    run.green = colour_channel(rgb[1]);
    run.blue = colour_channel(rgb[2]);
    return ModuleGoesOn();
}

// Page coordinate of a product that may be huge or not a number: kept far off the page.
static int page_offset(double value) {
    const double limit = 1e9;
    if (std::isnan(value)) return static_cast<int>(limit);
    if (value > limit) return static_cast<int>(limit);
    if (value < -limit) return static_cast<int>(-limit);
    return static_cast<int>(value);
}

static void draw_points() {
    int t = run.thickness;
    int outer = OuterRingColour(run.red, run.green, run.blue);
    int colour = MakeColour(run.red, run.green, run.blue);
    for (int i = 0; i < run.n; ++i) {
        int x = page_offset(run.kx * run.x[i]) + run.cx;
        int y = run.cy - page_offset(run.ky * run.y[i]);
        uxgraphic_circle(x, y, t + 2, outer);
        uxgraphic_circle(x, y, t + 1, colour);
        uxgraphic_circle(x, y, t, colour);
    }
}

static void draw_curve(int dx, int dy) {
    int colour = MakeColour(run.red, run.green, run.blue);
    for (int r = kFirstColumn; r < kLastColumn; ++r) {
        int x = page_offset(run.kx * run.curveX[r]) + run.cx + dx;
        int y = run.cy - page_offset(run.ky * run.curveY[r]) + dy;
        if (r == kFirstColumn)
            uxgraphic_moveto(x, y);
        else
            uxgraphic_lineto(x, y, colour);
    }
}

static void draw_plot() {
    const int white = MakeColour(255, 255, 255);
    GraphicOutput(1, kWidth, kHeight, white);
    uxgraphic_clear(white);
    DrawShiftedAxes(kWidth, kHeight, run.cx, run.cy, run.mx, run.my, run.ax, run.ay);
    draw_points();
    if (run.fitError != kFitOk) {
        // The coefficients of a failed fit are no result: say so instead of drawing them.
        const int x = run.cx >= kWidth / 2 ? 20 : run.cx + 60;
        DrawColouredTextF(x, 43, MakeColour(255, 0, 0), "The fit failed (error %i): no curve",
                          run.fitError);
        return;
    }
    draw_curve(0, 0);
    WaitSeconds(1);
    for (int pass = 2; pass <= run.thickness; ++pass) {
        PassShift shift = ThicknessShift(pass);
        draw_curve(shift.dx, shift.dy);
        WaitSeconds(1);
    }
}

void OptimalCurve() {
    run = {};
    run.sx = run.sy = 1.0;
    for (int i = 0; i < kMaxPairs; ++i) run.w[i] = 1.0;

    Print("\n Kurvendarstellung \n");
    run.p = InputInt("Degree of the polynomial ?", 0, kMaxDegree, 0) + 1;
    if (!ModuleGoesOn()) return;
    TextOutput(1);
    ClearOutput();
    run.n = InputInt("Number of value pairs ?", 1, kMaxPairs, run.p);
    if (!ModuleGoesOn()) return;
    check_pair_count();
    int fromFile = InputYesNo("Input from file x.txt and y.txt?", 1);
    if (!ModuleGoesOn()) return;
    if (fromFile == 1 ? !input_from_files() : !input_by_hand()) return;
    if (!save_pairs()) return;
    fit_and_report();
    if (!ask_plot() || !ask_colour()) return;
    draw_plot();
}
