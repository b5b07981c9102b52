// The calendar shift of event moments and the bar rule of the comparison chart.

#include "research/event_rules.h"

#include "astro/julian.h"

#include <cmath>
#include <cstdlib>

static const int kPlausibleLimit = 1000000;

// Brings the day into 1..length of its month; the month stays within 1..12.
static void carry_days(int* year, int* month, int* day) {
    while (*day < 1) {
        if (--*month < 1) {
            *month = 12;
            --*year;
        }
        *day += DaysInMonth(*year, *month);
    }
    while (*day > DaysInMonth(*year, *month)) {
        *day -= DaysInMonth(*year, *month);
        if (++*month > 12) {
            *month = 1;
            ++*year;
        }
    }
}

void ShiftEventMoment(int days, int hours, int* year, int* month, int* day, int* hour) {
    if (*month < 1 || *month > 12) return;
    if (std::abs(*year) > kPlausibleLimit || std::abs(*day) > kPlausibleLimit ||
        std::abs(*hour) > kPlausibleLimit)
        return;
    if (days < -kPlausibleLimit || days > kPlausibleLimit || hours < -kPlausibleLimit ||
        hours > kPlausibleLimit)
        return;
    *day += days;
    carry_days(year, month, day);
    *hour += hours;
    // Whole days of hours, rounded toward minus infinity so that the hour ends in 0..23.
    int carried = *hour >= 0 ? *hour / 24 : -((23 - *hour) / 24);
    *hour -= carried * 24;
    *day += carried;
    carry_days(year, month, day);
}

bool ComparisonBarHeight(double event, double continuum, double factor, int* height) {
    *height = 0;
    if (continuum == 0.0) return false;
    double v = event * factor / continuum;
    if (!std::isfinite(v)) return false;
    // Truncate only within the range the chart can show (and an int can hold).
    const double limit = 1.0e6;
    if (v > limit) v = limit;
    if (v < -limit) v = -limit;
    int u = std::abs(static_cast<int>(std::trunc(v)) - 100);
    if (event - continuum < 0.0) u = -u;
    if (u > kComparisonLineY) u = kComparisonLineY;
    if (u < kComparisonLineY - kComparisonBaseY) u = kComparisonLineY - kComparisonBaseY;
    *height = u;
    return true;
}
