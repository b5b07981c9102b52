// Placeholder until the chart is built.

#include "research/curve_chart.h"

void JulianToCalendar(double, double* year, double* month, double* day, double* hour,
                      double* minute) {
    *year = *month = *day = *hour = *minute = 0;
}
void FluctuationChart(int, const uxArray2Double*, const uxArray2Int*, int, int, int, double,
                      double, int, int, bool) {}
void RhythmChart(const uxArray2Double*, const uxArray2Int*, int, int, int, double, double) {}
