#pragma once
// Sine-and-cosine and arc tangent for the per-moment work, where the library calls were a third
// of the time. Both start from a table of exact values (a 256th of a turn apart for the sine,
// a 64th apart for the arc tangent) and add a short series for the small rest, all inline and
// without branches on the data, so that the many independent calls of one moment overlap.
// Accurate to about one unit in the last place (absolute error below 3e-16), which is far
// inside what the positions need; tests/astro compares them with the library.

#include <cmath>

#include "astro/angles.h"
#include "astro/lanes.h"
#include "astro/phasor.h"

inline constexpr int kSineTableSteps = 256;   // steps per turn
inline constexpr int kArcTangentSteps = 64;   // steps of the argument in [0, 1]

struct FastTrigTables {
    Phasor turn[kSineTableSteps];                 // cos and sin of i turns / 256
    double arcTangent[kArcTangentSteps + 1];      // atan(i / 64)
};

extern const FastTrigTables kFastTrigTables;

namespace fast_trig_detail {

// pi / 128 as a 40-bit head (so that n * head is exact for |n| < 2^13) and a tail.
inline constexpr double kStepHead = 0x1.921fb54442000p-6;
inline constexpr double kStepTail = 0x1.a308d313198a3p-47;
inline constexpr double kStepsPerRadian = 40.74366543152521;
inline constexpr double kHalfPiHead = 0x1.921fb54442d18p+0;
inline constexpr double kHalfPiTail = 6.123233995736766e-17;

// The steps below are written once for a double and for two doubles in the lanes of a
// register (T), so that both forms give the same results.

// cos and sin of x from the table's step n (the nearest, as a whole number) and a short series
// for the rest r, |r| <= pi / 256; the table's value plus the small corrections, added last so
// that they round least.
template <typename T>
inline BasicPhasor<T> StepPlusRest(T x, T n, T stepC, T stepS)
{
    const T r = (x - n * kStepHead) - n * kStepTail;
    const T r2 = r * r;
    const T sinR = r + r * r2 * (-1.0 / 6 + r2 * (1.0 / 120 + r2 * (-1.0 / 5040)));
    const T cosRMinusOne = r2 * (-1.0 / 2 + r2 * (1.0 / 24 + r2 * (-1.0 / 720)));
    return BasicPhasor<T>{stepC + (stepC * cosRMinusOne - stepS * sinR),
                          stepS + (stepS * cosRMinusOne + stepC * sinR)};
}

// atan a - atan c for the table's argument c nearest to a: atan u with u = (a - c) / (1 + a c),
// |u| <= 1 / 128.
template <typename T>
inline T ArcTangentRest(T a, T c)
{
    const T u = (a - c) / (1.0 + a * c);
    const T u2 = u * u;
    return u + u * u2 * (-1.0 / 3 + u2 * (1.0 / 5 + u2 * (-1.0 / 7)));
}

inline int TurnIndex(double n) { return static_cast<int>(n) & (kSineTableSteps - 1); }

}  // namespace fast_trig_detail

// cos and sin of x radians. Arguments beyond +-64 radians, infinities and NaN go to the library.
inline Phasor FastPhasorOf(double x)
{
    using namespace fast_trig_detail;
    if (!(std::fabs(x) <= 64.0)) return PhasorOf(x);
    const double n = RoundToNearestInteger(x * kStepsPerRadian);
    const Phasor& step = kFastTrigTables.turn[TurnIndex(n)];
    return StepPlusRest(x, n, step.c, step.s);
}

inline double FastSin(double x) { return FastPhasorOf(x).s; }

// The same for two angles in the lanes of a register, each lane exactly as FastPhasorOf.
inline BasicPhasor<DoubleLanes> FastPhasorOf(DoubleLanes x)
{
    using namespace fast_trig_detail;
    if (!(std::fabs(x[0]) <= 64.0 && std::fabs(x[1]) <= 64.0)) {
        const Phasor a = FastPhasorOf(x[0]), b = FastPhasorOf(x[1]);
        return BasicPhasor<DoubleLanes>{DoubleLanes{a.c, b.c}, DoubleLanes{a.s, b.s}};
    }
    const DoubleLanes n = RoundToNearestInteger(x * kStepsPerRadian);
    const Phasor& first = kFastTrigTables.turn[TurnIndex(n[0])];
    const Phasor& second = kFastTrigTables.turn[TurnIndex(n[1])];
    return StepPlusRest(x, n, DoubleLanes{first.c, second.c}, DoubleLanes{first.s, second.s});
}

// atan(t) for |t| <= 1; anything else (a t just above 1 by rounding, NaN) goes to the library.
inline double FastArcTangentWithinOne(double t)
{
    using namespace fast_trig_detail;
    const double a = std::fabs(t);
    if (!(a <= 1.0)) return std::atan(t);
    const double i = RoundToNearestInteger(a * kArcTangentSteps);
    const double result = kFastTrigTables.arcTangent[static_cast<int>(i)] +
                          ArcTangentRest(a, i * (1.0 / kArcTangentSteps));
    return t < 0.0 ? -result : result;
}

// The same for two arguments in the lanes of a register, each lane exactly as the one above.
inline DoubleLanes FastArcTangentWithinOne(DoubleLanes t)
{
    using namespace fast_trig_detail;
    const DoubleLanes a = Absolute(t);
    if (!(a[0] <= 1.0 && a[1] <= 1.0))
        return DoubleLanes{FastArcTangentWithinOne(t[0]), FastArcTangentWithinOne(t[1])};
    const DoubleLanes i = RoundToNearestInteger(a * static_cast<double>(kArcTangentSteps));
    const DoubleLanes result =
        DoubleLanes{kFastTrigTables.arcTangent[static_cast<int>(i[0])],
                    kFastTrigTables.arcTangent[static_cast<int>(i[1])]} +
        ArcTangentRest(a, i * (1.0 / kArcTangentSteps));
    return Select((MaskLanes)(t < 0.0), -result, result);
}

// atan(t) for any t.
inline double FastArcTangent(double t)
{
    using namespace fast_trig_detail;
    const double a = std::fabs(t);
    if (!(a > 1.0)) return FastArcTangentWithinOne(t);
    // atan a = pi / 2 - atan(1 / a)
    const double result = kHalfPiHead - (FastArcTangentWithinOne(1.0 / a) - kHalfPiTail);
    return t < 0.0 ? -result : result;
}

// The same for two arguments, each lane exactly as the one above.
inline DoubleLanes FastArcTangent(DoubleLanes t)
{
    if (std::fabs(t[0]) <= 1.0 && std::fabs(t[1]) <= 1.0) return FastArcTangentWithinOne(t);
    return DoubleLanes{FastArcTangent(t[0]), FastArcTangent(t[1])};
}
