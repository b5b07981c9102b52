#pragma once
// Angle constants and helpers shared by the calendar, the positions and the wave tables.
//
// Several formulas reduce an angle "by whole turns until it lies in a range", which read
// literally is a loop of 360-degree steps. Every step of such a loop is exact in double
// arithmetic (360 is a multiple of the spacing of doubles below 2^56), and so is the
// remainder, so the constant-time forms below return exactly what the loops return, bit for
// bit. (Values beyond 2^52 degrees are outside every formula's range; the loops would not end.)

#include <cmath>

inline constexpr double kPi = 3.141592653589793;
inline constexpr double kDegreesPerRadian = 57.29577951308232;
inline constexpr double kRadiansPerDegree = kPi * (1.0 / 180.0);
inline constexpr double kDegreesPerRadianByPi = 180.0 * (1.0 / kPi);

inline double DegreesToRadians(double degrees) { return degrees * kRadiansPerDegree; }
inline double RadiansToDegrees(double radians) { return radians * kDegreesPerRadianByPi; }

// std::fmod(x, period) for a period that is a multiple of 8, in a few instructions (the
// library's fmod is a long loop for large quotients). For |x| < 2^52 the product q * period
// is exact, and x - q * period is exact because both are multiples of the spacing of doubles
// at x; a quotient rounded to the neighbouring integer is corrected by one period, which is
// again exact since fmod's result is representable. Only the sign of a zero result may differ.
inline double RemainderOfPeriods(double x, double period)
{
    if (!(std::fabs(x) < 4503599627370496.0)) return std::fmod(x, period);
    double r = x - std::trunc(x / period) * period;
    if (x >= 0.0) {
        if (r < 0.0) r += period;
        else if (r >= period) r -= period;
    } else {
        if (r > 0.0) r -= period;
        else if (r <= -period) r += period;
    }
    return r;
}

// x - trunc(x / 360) * 360: keeps the sign, result in (-360, 360).
inline double ReduceTowardZero(double degrees)
{
    return degrees - std::trunc(degrees / 360.0) * 360.0;
}

// Same result as: while (x > period) x -= period; while (x < 0) x += period;  -> [0, period]
// (period a multiple of 8, such as 24 or 360, so that every step of the loop is exact).
inline double ReduceIntoClosedPeriod(double x, double period)
{
    if (x > period) {
        double r = RemainderOfPeriods(x, period);  // exact, in [0, period)
        return r == 0.0 ? period : r;               // the loop stops at the period itself
    }
    if (x < 0.0) {
        double r = RemainderOfPeriods(x, period);  // exact, in (-period, 0]
        return r == 0.0 ? 0.0 : r + period;         // the loop's last step is this addition
    }
    return x;
}

// Same result as: while (x > 360) x -= 360; while (x < 0) x += 360;   -> [0, 360]
inline double ReduceIntoClosedTurn(double x) { return ReduceIntoClosedPeriod(x, 360.0); }

// The nearest integer of x for |x| < 2^51 (round-to-nearest mode), as a double: adding
// 1.5 * 2^52 leaves no fraction bits, subtracting it again gives the rounded value. T is a
// double or a vector of doubles.
template <typename T>
inline T RoundToNearestInteger(T x)
{
    constexpr double kShift = 0x1.8p52;
    return (x + kShift) - kShift;
}

// x minus whole turns, within a few units in the last place of [-180, 180], for angles of
// which only sines and cosines are taken: their exact range does not matter, and the product
// with 1 / 360 is cheaper than the quotient. q * 360 and the difference are exact (see above).
inline double ReduceTurnsForSines(double degrees)
{
    if (!(std::fabs(degrees) < 1e15)) return ReduceTowardZero(degrees);
    return degrees - RoundToNearestInteger(degrees * (1.0 / 360.0)) * 360.0;
}

// Same result as: if (x > 0) while (x > 0) x -= 360; else while (x < 0) x += 360;
// -> (-360, 0] for a positive x, [0, 360] for zero or a negative x.
inline double ReduceByTurnsTowardOppositeSide(double x)
{
    if (x > 0.0) {
        double r = RemainderOfPeriods(x, 360.0);  // exact, in [0, 360)
        return r == 0.0 ? 0.0 : r - 360.0;
    }
    if (x < 0.0) {
        double r = RemainderOfPeriods(x, 360.0);
        return r == 0.0 ? 0.0 : r + 360.0;
    }
    return x;
}

// The angle whose cosine is x, in [0, pi]:
// atan(sqrt(1 - x^2) / x) for x >= 0, the same plus pi for x < 0, pi/2 at 0.
// An argument above 1 (or below -1) has no angle; a diagnostic is printed and NaN results.
double AngleFromCosine(double x);
