#pragma once
// The labelled tables of the two modules that compute curves over a period of N steps
// (research/results_csv.h):
// - "similarity.csv" (Artificial intelligence): per step its Julian date and world time, the
//   fidelity and correlation quotient KQ of each kind asked for (empty for the others), and
//   the middle curve;
// - "fluctuations.csv" (Planetary fluctuations): per kind and step its Julian date, the sum
//   curve and the curve of every principle.

#include "toolkit/data/uxarray.h"

inline constexpr const char* kSimilarityCsvFile = "similarity.csv";
inline constexpr const char* kFluctuationsCsvFile = "fluctuations.csv";

struct ResultsCsv;

// curves: rows fidelityRow + kind and correlationRow + kind (kind 0..3 = H, I, D, DA) and
// middleRow, one column per step. False (reported) when the file cannot be written.
bool WriteSimilarityCsv(const uxArray2Double* curves, int fidelityRow, int correlationRow,
                        int middleRow, const int asked[4], double jdStart, double step,
                        int steps);

// Opened before the first kind; each kind's curves (row 0 the sum, rows 1..11 Sun .. IC) are
// added when the kind is done, since the next kind reuses the curves. nullptr (reported) when
// the file cannot be opened.
ResultsCsv* OpenFluctuationsCsv();
void WriteFluctuationKind(ResultsCsv* csv, int kind, const uxArray2Double* curves,
                          double start, double step, int steps);
