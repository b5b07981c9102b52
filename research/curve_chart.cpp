// The curve chart: fluctuation chart (normal and doubled amplitude) and rhythm chart.

#include "research/curve_chart.h"

#include <cmath>
#include <cstdio>
#include <new>
#include <vector>

#include "astro/julian.h"
#include "shell/output.h"
#include "toolkit/core/uxevent.h"
#include "toolkit/drawing/uxscreengraphic.h"

static const int kBlack = 0x000000;
static const int kWhite = 0xFFFFFF;
static const int kBlue = 0x0000FF;
static const int kRed = 0xFF0000;
static const int kCurveRows = 13;
static const int kRhythmColumns = 700;

// ---------------------------------------------------------------------------------------------
// Calendar

// The calendar conversion of the astronomy code, with its results held in doubles.
void JulianToCalendar(double jd, double* year, double* month, double* day, double* hour,
                      double* minute) {
    int y, m, d, h, min;
    CalendarFromJulianDay(jd, &y, &m, &d, &h, &min);
    *year = y;
    *month = m;
    *day = d;
    *hour = h;
    *minute = min;
}

// ---------------------------------------------------------------------------------------------
// Layout rules

ChartGeometry ChartGeometryFor(int kvformat) {
    ChartGeometry g;
    g.width = 8 * kvformat;
    g.height = 6 * kvformat;
    g.left = g.width / 16;
    g.right = 7 * kvformat;
    g.bottom = g.height - 1;
    return g;
}

int ChartColumnX(const ChartGeometry& g, int column, int columns) {
    // A single column would divide by zero; it is drawn at the left edge.
    long long last = columns > 1 ? columns - 1 : 1;
    return g.left + static_cast<int>(static_cast<long long>(g.right - g.left) * column / last);
}

int ChartBandHeight(int height, int curves) { return height / (curves + 3); }

int ChartBaseline(int band, int curve) { return curve == 0 ? 2 * band : (curve + 3) * band; }

int SumCurveColour(double value) { return value >= 0 ? kRed : kBlue; }

void TimeAxisBegin(TimeAxisState* state, bool firstCurve, double startMonth, double startHour) {
    state->lastMonth = firstCurve ? startMonth : 0;
    state->lastHour = firstCurve ? startHour : 0;
    state->counter = 0;
}

static void add_tick(AxisMarks* marks, int half, int top, int bottom) {
    if (marks->ticks >= 4) return;
    marks->tick[marks->ticks++] = AxisTick{half, top, bottom};
}

static void add_label(AxisMarks* marks, int x, int y, const char* format, int a, int b = 0) {
    if (marks->labels >= 4) return;
    AxisLabel* label = &marks->label[marks->labels++];
    label->x = x;
    label->y = y;
    std::snprintf(label->text, sizeof label->text, format, a, b);
}

bool TimeAxisColumn(int tlk, int column, int columns, int x, double start, double step,
                    int years, int height, TimeAxisState* state, AxisMarks* marks) {
    *marks = AxisMarks{};
    const double jd = start + step * column;
    const double elapsed = jd - start;
    const int elapsedDays = static_cast<int>(elapsed);
    double year, month, day, hour, minute;
    JulianToCalendar(jd, &year, &month, &day, &hour, &minute);
    const bool first = column == 0;
    const bool last = column == columns - 1;
    switch (tlk) {
    case kPeriodYears:
        if (first) {
            add_tick(marks, 7, 12, height - 12);
            add_label(marks, x + 2, 25, "%d", static_cast<int>(year));
        }
        if (last) {
            add_tick(marks, 7, 12, height - 12);
            add_label(marks, x + 10, 25, "%d", static_cast<int>(year) + 1);
        }
        if (++state->counter > static_cast<int>(columns * 0.1)) {
            state->counter = 0;
            add_tick(marks, 7, 12, height - 12);
            if (years > 9)
                add_label(marks, x + 2, 25, "%d", static_cast<int>(year));
            else
                add_label(marks, x + 2, 25, "%dy%dm", static_cast<int>(year),
                          static_cast<int>(month));
        }
        return true;
    case kPeriodYear:
        if (first) {
            add_tick(marks, 7, 12, height - 12);
            add_label(marks, x + 22, 25, "%d", static_cast<int>(month));
        }
        if (last) add_tick(marks, 7, 12, height - 12);
        if (month > state->lastMonth) {
            add_tick(marks, 7, 12, height - 12);
            add_label(marks, x + 22, 25, "%d", static_cast<int>(month));
            state->lastMonth = month;
        }
        return true;
    case kPeriodMonth: {
        // A day ends here when the next column lies in another calendar day. (Comparing the
        // day number with the elapsed time instead loses the tick whenever the next column
        // falls into the first minute after midnight, as the 00:01 start makes it do.)
        double nextYear, nextMonth, nextDay, nextHour, nextMinute;
        JulianToCalendar(jd + step, &nextYear, &nextMonth, &nextDay, &nextHour, &nextMinute);
        if (first) add_tick(marks, 8, 7, height - 13);
        if (last) add_tick(marks, 5, 7, height - 8);
        if (nextDay != day) {
            add_tick(marks, 5, 7, height - 8);
            if (elapsedDays % 5 == 4 && elapsedDays <= 29) {
                add_tick(marks, 8, 12, height - 13);
                add_label(marks, x - 15, 25, "%d.", elapsedDays + 1);
            }
        }
        return true;
    }
    case kPeriodDay:
        if (hour > state->lastHour) {
            add_tick(marks, 5, 7, height - 8);
            add_label(marks, hour > 8 ? x + 10 : x + 13, 24, "%d", static_cast<int>(hour) + 1);
            state->lastHour = hour;
        }
        if (first) {
            add_tick(marks, 8, 7, height - 13);
            add_label(marks, x + 13, 24, "%d", static_cast<int>(hour) + 1);
        }
        if (last) add_tick(marks, 8, 7, height - 13);
        if (column == static_cast<int>(columns * 0.5)) add_tick(marks, 8, 7, height - 13);
        return true;
    default:
        return false;
    }
}

// ---------------------------------------------------------------------------------------------
// Drawing

static int row_colour(const uxArray2Int* colours, int row) {
    return MakeColour(uxarray2i_get(colours, row, 0), uxarray2i_get(colours, row, 1),
                      uxarray2i_get(colours, row, 2));
}

// The shared validation; true when a warning was printed.
static bool warn_about_inputs(int kv13, int kvformat, double start, double step) {
    bool warned = false;
    if (kvformat < 10) {
        Print(" WARNUNG!! Das Format hat eine geringe Aufl\xf6sung: kvformat<10  \n");
        warned = true;
    }
    if (kvformat > 200) {
        Print(" WARNUNG!! Das Format ist zu gro\xdf: kvformat>200  \n");
        warned = true;
    }
    if (kv13 < 0 || kv13 > 1) {
        Print(" WARNUNG!! kv13 kann nur 0 oder 1 betragen  \n");
        warned = true;
    }
    if (start < step) {
        Print(" WARNUNG!! Fehler im Julianischem Datum !!   \n");
        warned = true;
    }
    return warned;
}

static void wait_for_any_key() {
    Print("\n  weiter mit beliebiger Taste...  \n");
    uxWaitEvent();
}

// One curve's scaling: y = M - (v - minimum) (K - 5) s a gain / maximum.
struct CurveScale {
    int baseline;
    int band;
    double amplitude;
    double minimum;
    double maximum;
    double gain;
};

static int curve_y(const CurveScale& c, double pass, double value) {
    // An all-zero curve (or a damaged value) has no shape: it lies on its baseline.
    if (!(c.maximum != 0) || !std::isfinite(value)) return c.baseline;
    double offset = (value - c.minimum) * (c.band - 5) * pass * c.amplitude * c.gain / c.maximum;
    if (!std::isfinite(offset)) return c.baseline;
    return static_cast<int>(c.baseline - offset);
}

// The pen of one pass. Many columns can fall on one pixel column: their vertical segments in
// one colour form a chain whose pixels are the one vertical line from its lowest to its
// highest point, drawn once when the chain ends.
struct CurvePen {
    bool chain = false;
    int chainX = 0, low = 0, high = 0, chainColour = 0;
    int penX = 0, penY = 0;
};

static void pen_start(CurvePen* p, int x, int y) {
    uxgraphic_moveto(x, y);
    p->penX = x;
    p->penY = y;
}

static void pen_end_chain(CurvePen* p) {
    if (!p->chain) return;
    uxgraphic_moveto(p->chainX, p->low);
    uxgraphic_lineto(p->chainX, p->high, p->chainColour);
    uxgraphic_moveto(p->penX, p->penY);
    p->chain = false;
}

// A chain from the pen's point over y values from low to high.
static void pen_begin_chain(CurvePen* p, int x, int colour, int low, int high) {
    p->chain = true;
    p->chainX = x;
    p->chainColour = colour;
    p->low = p->penY < low ? p->penY : low;
    p->high = p->penY > high ? p->penY : high;
}

// The next column of the pass.
static void pen_column(CurvePen* p, int x, int y, int colour) {
    if (x == p->penX) {
        if (p->chain && p->chainColour == colour) {
            if (y < p->low) p->low = y;
            if (y > p->high) p->high = y;
        } else {
            pen_end_chain(p);
            pen_begin_chain(p, x, colour, y, y);
        }
    } else {
        pen_end_chain(p);
        uxgraphic_lineto(x, y, colour);
    }
    p->penX = x;
    p->penY = y;
}

// `span` columns share the x range; the first `columns` of them are drawn. `xs` holds the x
// of every column when the caller has them, else they are computed here.
static void draw_curve_pass(const uxArray2Double* curves, int row, int columns, int span,
                            const ChartGeometry& g, const CurveScale& c, double pass,
                            int colour, const int* xs = nullptr) {
    CurvePen pen;
    // The row's values read in place (uxarray2d_get's checks once for the whole row).
    const bool rowInside = curves->data && row >= 0 && row < curves->d0;
    const double* values = rowInside ? curves->data + row : nullptr;
    const size_t stride = static_cast<size_t>(curves->d0);
    const int inside = rowInside ? (columns < curves->d1 ? columns : curves->d1) : 0;
    for (int j = 0; j < columns; ++j) {
        double v = j < inside ? values[j * stride] : 0.0;
        int y = curve_y(c, pass, v);
        if (j == 0) {
            pen_start(&pen, g.left, y);
            continue;
        }
        const int x = xs ? xs[j] : ChartColumnX(g, j, span);
        pen_column(&pen, x, y, row == 0 ? SumCurveColour(v) : colour);
    }
    pen_end_chain(&pen);
}

// The passes of one curve, from runs of columns: a run is a stretch of columns on one pixel
// column in one colour (the sum's colour follows the sign of its values). For finite values
// y only falls (or only rises) as the value grows, and rounds monotonically, so the lowest and
// highest y of a run are those of its largest and smallest value: a pass then costs a few
// steps per pixel column instead of one per column, and issues the same drawing calls as
// draw_curve_pass. A run with a value that is not finite, or whose extremes leave the int
// range in a pass, is drawn column by column.
struct CurveRun {
    int first, last;         // columns
    int largest, smallest;   // columns of the run's extreme values
    int x, colour;
    bool finite;             // every value of the run is finite
};

struct CurveRuns {
    const double* values = nullptr;  // the row's values in place, `inside` of them
    size_t stride = 0;
    int inside = 0, columns = 0;
    std::vector<CurveRun> runs;
};

static double run_value(const CurveRuns& r, int j) {
    return j < r.inside ? r.values[j * r.stride] : 0.0;
}

// False when there is no memory for the runs (the caller then draws column by column).
static bool make_curve_runs(const uxArray2Double* curves, int row, int columns, int colour,
                            const int* xs, CurveRuns* r) {
    const bool rowInside = curves->data && row >= 0 && row < curves->d0;
    r->values = rowInside ? curves->data + row : nullptr;
    r->stride = static_cast<size_t>(curves->d0);
    r->inside = rowInside ? (columns < curves->d1 ? columns : curves->d1) : 0;
    r->columns = columns;
    r->runs.clear();
    try {
        for (int j = 1; j < columns; ++j) {
            const double v = run_value(*r, j);
            const int lineColour = row == 0 ? SumCurveColour(v) : colour;
            CurveRun* run = r->runs.empty() ? nullptr : &r->runs.back();
            if (run && run->x == xs[j] && run->colour == lineColour) {
                run->last = j;
                if (v > run_value(*r, run->largest)) run->largest = j;
                if (v < run_value(*r, run->smallest)) run->smallest = j;
                run->finite = run->finite && std::isfinite(v);
            } else {
                r->runs.push_back(CurveRun{j, j, j, j, xs[j], lineColour, std::isfinite(v) != 0});
            }
        }
    } catch (const std::bad_alloc&) {
        r->runs.clear();
        return false;
    }
    return true;
}

// y of a finite value, or false where curve_y's value would leave the int range.
static bool regular_y(const CurveScale& c, double pass, double value, int* y) {
    if (!(c.maximum != 0)) {
        *y = c.baseline;
        return true;
    }
    double offset = (value - c.minimum) * (c.band - 5) * pass * c.amplitude * c.gain / c.maximum;
    double at = c.baseline - offset;
    if (!std::isfinite(offset) || !(at > -2147483648.0 && at < 2147483647.0)) return false;
    *y = static_cast<int>(at);
    return true;
}

static bool sumByColumns = false;

void SetSumCurveDrawnByColumns(bool byColumns) { sumByColumns = byColumns; }

static void draw_curve_runs(const CurveRuns& r, const ChartGeometry& g, const CurveScale& c,
                            double pass) {
    CurvePen pen;
    pen_start(&pen, g.left, curve_y(c, pass, run_value(r, 0)));
    for (const CurveRun& run : r.runs) {
        int yFirst, yLast, yLargest, ySmallest;
        const bool regular = run.finite && regular_y(c, pass, run_value(r, run.first), &yFirst) &&
                             regular_y(c, pass, run_value(r, run.last), &yLast) &&
                             regular_y(c, pass, run_value(r, run.largest), &yLargest) &&
                             regular_y(c, pass, run_value(r, run.smallest), &ySmallest);
        if (!regular) {
            for (int j = run.first; j <= run.last; ++j)
                pen_column(&pen, run.x, curve_y(c, pass, run_value(r, j)), run.colour);
            continue;
        }
        const int lowest = yLargest < ySmallest ? yLargest : ySmallest;
        const int highest = yLargest < ySmallest ? ySmallest : yLargest;
        pen_end_chain(&pen);
        if (run.x != pen.penX) {
            // A line to the run's first column; its other columns chain from there.
            uxgraphic_lineto(run.x, yFirst, run.colour);
            pen.penY = yFirst;
            if (run.last > run.first) pen_begin_chain(&pen, run.x, run.colour, lowest, highest);
        } else {
            // After a run in another colour on the same pixel column (runs are maximal).
            pen_begin_chain(&pen, run.x, run.colour, lowest, highest);
        }
        pen.penX = run.x;
        pen.penY = yLast;
    }
    pen_end_chain(&pen);
}

static void draw_tick(int x, int baseline, int yb, const AxisTick& t) {
    uxgraphic_line(x, baseline - t.half, x, baseline + t.half, kBlack);
    uxgraphic_line(x, 0, x, t.top, kBlack);
    uxgraphic_line(x, yb, x, t.bottom, kBlack);
}

static void draw_frame(const ChartGeometry& g) {
    uxgraphic_line(0, 0, 0, g.bottom, kBlack);
    uxgraphic_line(0, g.bottom, g.width - 1, g.bottom, kBlack);
    uxgraphic_line(0, 0, g.width - 1, 0, kBlack);
    uxgraphic_line(g.width - 1, 0, g.width - 1, g.bottom, kBlack);
}

// Largest (and smallest) absolute value of each row over the drawn columns.
static void curve_extremes(const uxArray2Double* curves, int rows, int columns, double* maxima,
                           double* minima) {
    for (int w = 0; w < rows; ++w) {
        double largest = 0, smallest = 10000;
        for (int j = 0; j < columns; ++j) {
            double v = std::fabs(uxarray2d_get(curves, w, j));
            if (v > largest) largest = v;
            if (v < smallest) smallest = v;
        }
        maxima[w] = largest;
        if (minima) minima[w] = smallest;
    }
}

// Columns beyond the table would only print overflow messages; they are not drawn.
static int drawable_columns(const uxArray2Double* curves, int columns) {
    if (columns > curves->d1) columns = curves->d1;
    return columns < 0 ? 0 : columns;
}

static const char* const kFluctuationCaptions[12] = {
    "  S U M ",  "   Sun",    "   Moon",   "   Mercury", "   Venus",  "   Mars",
    "   Jupiter", "   Saturn", "   Uranus", "   Neptune", "   Pluto", "   IC"};

double BandGain(const uxArray2Double* curves, int row, int columns, double gain,
                double amplitude, double minimum, double maximum, int band, int room) {
    if (!(maximum > 0) || band <= 5) return gain;
    double lowest = 0, highest = 0;  // of (v - minimum) / maximum
    for (int j = 0; j < columns; ++j) {
        double r = (uxarray2d_get(curves, row, j) - minimum) / maximum;
        if (!std::isfinite(r)) continue;
        if (r < lowest) lowest = r;
        if (r > highest) highest = r;
    }
    const double unit = (band - 5) * amplitude;  // pixels per unit of r at gain 1
    if (highest * unit * gain > room) gain = room / (highest * unit);
    if (-lowest * unit * gain > room) gain = room / (-lowest * unit);
    return gain;
}

static void fluctuation_curves(const uxArray2Double* curves, const uxArray2Int* colours,
                               const ChartGeometry& g, int active, int band, int columns,
                               const double* maxima, const double* minima, bool doubled) {
    const double gain = doubled ? 1.0 : 0.5;  // 2 x 0.5 or 2 x 0.25
    // The x of every column once for the 20-odd passes (without memory: computed per pass).
    std::vector<int> xs;
    try {
        xs.resize(columns > 0 ? columns : 0);
        for (int j = 0; j < columns; ++j) xs[j] = ChartColumnX(g, j, columns);
    } catch (const std::bad_alloc&) {
        xs.clear();
    }
    const int* x = xs.empty() ? nullptr : xs.data();
    for (int w = 0; w < active; ++w) {
        const double amplitude = w == 0 ? 3.0 : 1.0;
        CurveScale c{ChartBaseline(band, w), band, amplitude, minima[w], maxima[w], gain};
        // Doubled, a curve could run into the bands next to it (and the sum off the top of
        // the page): its gain is cut to what its band holds, up to the neighbouring baselines
        // (for the sum, the page top and the Sun's baseline).
        if (doubled)
            c.gain = BandGain(curves, w, columns, gain, amplitude, minima[w], maxima[w], band,
                              w == 0 ? 2 * band - 1 : band - 1);
        const int passes = w == 0 ? 44 - 2 * active : 1;
        const int colour = row_colour(colours, w);
        CurveRuns runs;
        const bool byRuns = !sumByColumns && passes > 1 && x && columns > 0 &&
                            make_curve_runs(curves, w, columns, colour, x, &runs);
        for (int k = 1; k <= passes; ++k) {
            const double pass = 100.0 / (0.8 * k + 99.0);
            if (byRuns)
                draw_curve_runs(runs, g, c, pass);
            else
                draw_curve_pass(curves, w, columns, columns, g, c, pass, colour, x);
        }
        DrawText(g.right + 5, c.baseline + 5, kFluctuationCaptions[w], kBlue);
        uxgraphic_line(g.left, c.baseline, g.right, c.baseline, kBlack);
    }
}

// The marks of one column of the time axis, kept to draw them again under later curves.
struct AxisColumn {
    int x;
    bool failed;
    AxisMarks marks;
};

static void draw_axis_column(int x, int baseline, int bottom, bool failed,
                             const AxisMarks& marks) {
    if (failed) {
        Print("failure: small divider  \n");
        return;
    }
    for (int t = 0; t < marks.ticks; ++t) draw_tick(x, baseline, bottom, marks.tick[t]);
    for (int l = 0; l < marks.labels; ++l)
        DrawTextF(marks.label[l].x, marks.label[l].y, "%s", marks.label[l].text);
}

// Every curve but the first starts the axis state alike, so their marks are the same: they are
// worked out under the second curve and drawn again under the others at their baselines.
static void fluctuation_time_axis(const ChartGeometry& g, int active, int band, int tlk,
                                  double start, double step, int columns, int years,
                                  double startMonth, double startHour) {
    std::vector<AxisColumn> kept;
    bool keeping = true;
    for (int w = 0; w < active; ++w) {
        const int baseline = ChartBaseline(band, w);
        if (w >= 2 && keeping) {
            for (const AxisColumn& a : kept) draw_axis_column(a.x, baseline, g.bottom, a.failed, a.marks);
            continue;
        }
        TimeAxisState state;
        TimeAxisBegin(&state, w == 0, startMonth, startHour);
        for (int j = 0; j < columns; ++j) {
            const int x = ChartColumnX(g, j, columns);
            AxisMarks marks;
            const bool failed = !TimeAxisColumn(tlk, j, columns, x, start, step, years,
                                                g.height, &state, &marks);
            draw_axis_column(x, baseline, g.bottom, failed, marks);
            if (w == 1 && keeping && (failed || marks.ticks > 0 || marks.labels > 0)) {
                try {
                    kept.push_back(AxisColumn{x, failed, marks});
                } catch (const std::bad_alloc&) {
                    keeping = false;  // the later curves work their marks out themselves
                }
            }
        }
    }
}

static void fluctuation_captions(const ChartGeometry& g, int kvformat, int order, int tlk,
                                 double start, double step, int columns) {
    const int m = static_cast<int>(kvformat * 0.5);
    const int W = g.width;
    DrawText(W, m + 60, " INSTITUT Orvane ", kBlue);
    DrawTextF(W, m + 30, " Order of the correlation: %d", order);
    DrawText(W, m, " fluctuations:", kBlue);
    double year, month, day, hour, minute;
    JulianToCalendar(start, &year, &month, &day, &hour, &minute);
    double lastYear, lastMonth, lastDay;
    JulianToCalendar(start + step * (columns - 1), &lastYear, &lastMonth, &lastDay, &hour,
                     &minute);
    switch (tlk) {
    case kPeriodYear:
        DrawTextF(W, m + 120, " GMT year: %d ", static_cast<int>(year));
        break;
    case kPeriodMonth:
        DrawTextF(W, m + 120, " month: %d", static_cast<int>(lastMonth));
        DrawTextF(W + 150, m + 120, "GMT year: %d", static_cast<int>(year));
        break;
    case kPeriodDay:
        DrawTextF(W, m + 120, " day: %d", static_cast<int>(lastDay));
        DrawTextF(W + 120, m + 120, "month: %d", static_cast<int>(lastMonth));
        DrawTextF(W + 240, m + 120, "GMT year: %d", static_cast<int>(year));
        break;
    case kPeriodYears: {
        double endYear, endMonth, endDay;
        JulianToCalendar(start + step * columns, &endYear, &endMonth, &endDay, &hour, &minute);
        DrawTextF(W, m + 120, " GMT Start: %d. %d. %d End: %d. %d. %d", static_cast<int>(day),
                  static_cast<int>(month), static_cast<int>(year), static_cast<int>(endDay),
                  static_cast<int>(endMonth), static_cast<int>(endYear));
        break;
    }
    default:
        Print("ERROR: to small divide  \n");
        break;
    }
}

void FluctuationChart(int order, const uxArray2Double* curves, const uxArray2Int* colours,
                      int kv13, int kvformat, int tlk, double start, double step, int columns,
                      int years, bool doubled) {
    int active = 12;
    double year, month, day, hour, minute;
    JulianToCalendar(start, &year, &month, &day, &hour, &minute);
    Print(" \n");
    if (warn_about_inputs(kv13, kvformat, start, step)) wait_for_any_key();

    columns = drawable_columns(curves, columns);
    double maxima[kCurveRows] = {}, minima[kCurveRows] = {};
    curve_extremes(curves, 12, columns, maxima, minima);
    Print(" \n");
    for (int w = 0; w < 12; ++w) Print("i: %i max: %f  \n", w, maxima[w]);
    Print(" \n");
    for (int w = 0; w < 12; ++w) Print("i: %i min: %f  \n", w, minima[w]);
    if (maxima[11] < 0.01) active = 11;
    Print("kv13: %i kvaktiv: %i  tlk: %i \n", kv13, active, tlk);

    const ChartGeometry g = ChartGeometryFor(kvformat);
    const int band = ChartBandHeight(g.height, active);
    uxgraphic_clear(kWhite);
    if (kv13 == 0 || kv13 == 1) {
        fluctuation_curves(curves, colours, g, active, band, columns, maxima, minima, doubled);
        fluctuation_time_axis(g, active, band, tlk, start, step, columns, years, month, hour);
    } else {
        Print("Fehler: kv13 ??? : %i \n", kv13);
    }
    draw_frame(g);
    fluctuation_captions(g, kvformat, order, tlk, start, step, columns);
    if (tlk == kPeriodMonth) uxgraphic_save("Zeitqm");
    else if (tlk == kPeriodDay) uxgraphic_save("Zeitqt");
    else uxgraphic_save("Zeitqj");
}

// ---------------------------------------------------------------------------------------------
// Rhythm chart

static const char* const kRhythmCaptions[6] = {"  S U M M E ", "   Jupiter", "   Saturn",
                                               "   Uranus",     "   Neptun",  "   Pluto"};

static void rhythm_curves(const uxArray2Double* curves, const uxArray2Int* colours,
                          const ChartGeometry& g, int active, int band, int columns,
                          const double* maxima) {
    for (int w = 0; w < active; ++w) {
        CurveScale c{ChartBaseline(band, w), band, w == 0 ? 3.0 : 1.0, 0.0, maxima[w], 0.5};
        const int passes = w == 0 ? 45 - 2 * active - 1 : 1;
        const int colour = row_colour(colours, w);
        for (int k = 1; k <= passes; ++k)
            draw_curve_pass(curves, w, columns, kRhythmColumns, g, c, 100.0 / (0.4 * k + 99.0),
                            colour);
        DrawText(g.right + 5, c.baseline + 5, kRhythmCaptions[w], kBlue);
        uxgraphic_line(g.left, c.baseline, g.right, c.baseline, kBlack);
    }
}

static void rhythm_time_axis(const ChartGeometry& g, int active, int band, int block,
                             double start, double step) {
    const AxisTick tick{7, 12, g.height - 12};
    int startYear, startMonth, startDay, hour, minute;
    CalendarFromJulianDay(start, &startYear, &startMonth, &startDay, &hour, &minute);
    for (int w = 0; w < active; ++w) {
        SetProgress(static_cast<int>(6 * 22.5 / (w + 1) + 87.5));
        const int baseline = ChartBaseline(band, w);
        int lastYear = startYear;
        int counter = 0;
        for (int j = 0; j < kRhythmColumns; ++j) {
            const int x = ChartColumnX(g, j, kRhythmColumns);
            int year, month, day;
            CalendarFromJulianDay(start + step * j, &year, &month, &day, &hour, &minute);
            if (j == 0) {
                uxgraphic_line(x, baseline - tick.half, x, baseline + tick.half, kRed);
                uxgraphic_line(x, 0, x, tick.top, kRed);
                uxgraphic_line(x, g.bottom, x, tick.bottom, kRed);
                DrawTextF(x - 30, 45, "%d.%d.%d", startDay, startMonth, startYear);
            }
            if (j == kRhythmColumns - 1) draw_tick(x, baseline, g.bottom, tick);
            if (year > lastYear) {
                lastYear = year;
                draw_tick(x, baseline, g.bottom, tick);
                DrawTextF(x + 20, 25, "%d", year);
                ++counter;
                if (w == active - 1)
                    // One pixel higher than the page's last row lets the label show whole.
                    DrawTextF(x + 20, g.height - 11, "%d", 12 * block + counter - 12);
            }
        }
    }
}

void RhythmChart(const uxArray2Double* curves, const uxArray2Int* colours, int kv13,
                 int kvformat, int block, double start, double step) {
    const int active = 6;
    if (warn_about_inputs(kv13, kvformat, start, step)) {
        TextOutput(0);
        wait_for_any_key();
    }
    double maxima[kCurveRows] = {};
    const int columns = drawable_columns(curves, kRhythmColumns);
    curve_extremes(curves, active, columns, maxima, nullptr);
    SetProgress(95);

    const ChartGeometry g = ChartGeometryFor(kvformat);
    const int band = ChartBandHeight(g.height, active);
    uxgraphic_clear(kWhite);
    if (kv13 == 0 || kv13 == 1) {
        rhythm_curves(curves, colours, g, active, band, columns, maxima);
        rhythm_time_axis(g, active, band, block, start, step);
    } else {
        Print("Fehler: kv13 ??? : %i \n", kv13);
    }
    draw_frame(g);
    // Right of the frame: inside it the name would lie on the years of life.
    DrawText(g.width + 10, g.height - 20, "INSTITUT Orvane", kBlue);
    DrawText(50, g.height - 35, " Rhythms from:", kBlue);
    DrawTextF(240, g.height - 35, " %d. up to %d. Jahr;", 12 * block - 11, 12 * block);
}
