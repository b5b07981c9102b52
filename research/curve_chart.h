#pragma once
// The chart of time-series curves drawn one above the other on the current graphic page: the
// sum curve on top, coloured by its sign, one band per curve below it, a time axis, a frame and
// a caption block. The fluctuation chart serves the planetary fluctuations, the rhythm chart the
// biographic rhythms.

#include "toolkit/uxarray.h"

// Julian date -> calendar moment (whole numbers held in doubles; hour and minute truncated).
void JulianToCalendar(double jd, double* year, double* month, double* day, double* hour,
                      double* minute);

// Period kinds of the fluctuation chart.
enum { kPeriodYears = 0, kPeriodYear = 1, kPeriodMonth = 2, kPeriodDay = 3 };

// curves: 13 rows x at least `columns` columns (row 0 the sum, 1..11 Sun..IC);
// colours: 13 rows x 3 (red, green, blue). `doubled` selects the doubled-amplitude variant.
void FluctuationChart(int order, const uxArray2Double* curves, const uxArray2Int* colours,
                      int kv13, int kvformat, int tlk, double start, double step, int columns,
                      int years, bool doubled);

// curves: 13 rows x 700 columns (row 0 the sum, 1..5 Jupiter..Pluto); block 1..8 of life.
void RhythmChart(const uxArray2Double* curves, const uxArray2Int* colours, int kv13,
                 int kvformat, int block, double start, double step);
