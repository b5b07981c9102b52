#pragma once
// The chart of time-series curves drawn one above the other on the current graphic page: the
// sum curve on top, coloured by its sign, one band per curve below it, a time axis, a frame and
// a caption block. The fluctuation chart serves the planetary fluctuations, the rhythm chart the
// biographic rhythms.

#include "toolkit/data/uxarray.h"

// Julian date -> calendar moment (whole numbers held in doubles; hour and minute truncated).
// A Julian date that is not finite or lies beyond a billion days gives all zeros.
void JulianToCalendar(double jd, double* year, double* month, double* day, double* hour,
                      double* minute);

// Period kinds of the fluctuation chart.
enum { kPeriodYears = 0, kPeriodYear = 1, kPeriodMonth = 2, kPeriodDay = 3 };

// curves: 13 rows x at least `columns` columns (row 0 the sum, 1..11 Sun..IC);
// colours: 13 rows x 3 (red, green, blue). `doubled` selects the doubled-amplitude variant.
// For tests: the sum curve's passes drawn column by column instead of from runs of columns
// (both give the same pixels).
void SetSumCurveDrawnByColumns(bool byColumns);

void FluctuationChart(int order, const uxArray2Double* curves, const uxArray2Int* colours,
                      int kv13, int kvformat, int tlk, double start, double step, int columns,
                      int years, bool doubled);

// curves: 13 rows x 700 columns (row 0 the sum, 1..5 Jupiter..Pluto); block 1..8 of life.
void RhythmChart(const uxArray2Double* curves, const uxArray2Int* colours, int kv13,
                 int kvformat, int block, double start, double step);

// ---- The pure layout rules both charts are drawn by (no drawing, no output). ----

// The gain (0.5 normal, 1.0 doubled) a curve row keeps so that no value of its first `columns`
// moves it more than `room` pixels off its baseline; band is the band height K.
double BandGain(const uxArray2Double* curves, int row, int columns, double gain,
                double amplitude, double minimum, double maximum, int band, int room);

// Page and x range of a size unit `kvformat`: the page is 8 x 6 units.
struct ChartGeometry {
    int width;   // W = 8 kvformat
    int height;  // Hh = 6 kvformat
    int left;    // ixag = W / 16
    int right;   // ixeg = 7 kvformat
    int bottom;  // yb = Hh - 1
};
ChartGeometry ChartGeometryFor(int kvformat);

// x of column j of `columns` (the last column lies at `right`).
int ChartColumnX(const ChartGeometry& g, int column, int columns);
// Height of one band when `curves` curves are shown (the sum takes two bands, one is spare).
int ChartBandHeight(int height, int curves);
// Baseline of curve w: two bands down for the sum, w + 3 bands for the others.
int ChartBaseline(int band, int curve);
// Colour of the sum curve at a value: red from 0 upward, blue below.
int SumCurveColour(double value);

// What one column of the time axis draws: ticks (three vertical lines each) and labels.
struct AxisTick {
    int half;    // half-length on the baseline
    int top;     // the top mark runs from y 0 to y top
    int bottom;  // the bottom mark runs from y yb to y bottom
};
struct AxisLabel {
    int x, y;
    char text[32];
};
struct AxisMarks {
    int ticks = 0;
    AxisTick tick[4];
    int labels = 0;
    AxisLabel label[4];
};
// Carried from column to column over one curve.
struct TimeAxisState {
    double lastMonth;
    double lastHour;
    int counter;
};
// The first curve starts from the start's month and hour, every later one from 0.
void TimeAxisBegin(TimeAxisState* state, bool firstCurve, double startMonth, double startHour);
// The marks of column j at x for period kind `tlk`. False for an unknown kind (nothing marked).
bool TimeAxisColumn(int tlk, int column, int columns, int x, double start, double step,
                    int years, int height, TimeAxisState* state, AxisMarks* marks);
