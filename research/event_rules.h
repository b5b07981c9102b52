#pragma once
// The pure rules of the event analysis: the calendar shift of an event moment by whole days
// and hours, and the height of one bar of the comparison chart against the continuum.

// Adds `days` to the day, then `hours` to the hour, carrying into the neighbouring months and
// years with the calendar's month lengths, February 29 days in leap years (hours in steps of 24
// into the day). Minutes and the zone are not touched. A moment that is no calendar moment (month outside 1..12, or a year, day or
// hour beyond a million) is left as it is: it has no month length to carry with, and the
// event check reports it.
void ShiftEventMoment(int days, int hours, int* year, int* month, int* day, int* hour);

// Factors of the bar rule, in the order H, I, D, DA.
inline constexpr double kComparisonBarFactors[4] = {10.0, 200.0, 0.1, 200.0};
// The chart's Continuum line and base line (y); a bar of height U reaches from the base line
// up to kComparisonLineY - U.
inline constexpr int kComparisonLineY = 540;
inline constexpr int kComparisonBaseY = 1060;

// U of an event value E against the continuum value B with the kind's factor f:
// v = E f / B, U = |trunc(v) - 100|, negated when E < B. False (no bar) when B is 0 or v is not
// finite. U is kept within -520..540, so the bar never leaves the page.
bool ComparisonBarHeight(double event, double continuum, double factor, int* height);
