#include "astro/fast_trig.h"

namespace {

// The tables are worked out at compile time in extended precision and rounded once, so that
// they are constant data (no start-up work, no order of initialisation to mind).
typedef long double Wide;

constexpr Wide kWidePi = 3.14159265358979323846264338327950288L;

// sin and cos by their Taylor series, for |x| <= pi / 4 (the terms fall below 1e-30).
constexpr Wide WideSin(Wide x)
{
    Wide term = x, sum = x;
    for (int k = 1; k < 20; ++k) {
        term *= -x * x / ((2 * k) * (2 * k + 1));
        sum += term;
    }
    return sum;
}

constexpr Wide WideCos(Wide x)
{
    Wide term = 1, sum = 1;
    for (int k = 1; k < 20; ++k) {
        term *= -x * x / ((2 * k - 1) * (2 * k));
        sum += term;
    }
    return sum;
}

// atan x for 0 <= x <= 1 by Euler's series, whose terms shrink by x^2 / (1 + x^2) <= 1/2.
constexpr Wide WideArcTangent(Wide x)
{
    const Wide y = x * x / (1 + x * x);
    Wide term = x / (1 + x * x), sum = term;
    for (int n = 1; n < 120; ++n) {
        term *= y * (2 * n) / (2 * n + 1);
        sum += term;
    }
    return sum;
}

constexpr FastTrigTables MakeTables()
{
    FastTrigTables t{};
    // The first eighth of the turn by the series; the rest by the symmetries of the circle,
    // which hold exactly, so that sin(pi) is 0 and cos(pi / 2) is 0.
    constexpr int kEighth = kSineTableSteps / 8;
    double c[kEighth + 1] = {}, s[kEighth + 1] = {};
    for (int i = 0; i <= kEighth; ++i) {
        const Wide x = kWidePi * i / (kSineTableSteps / 2);
        c[i] = static_cast<double>(WideCos(x));
        s[i] = static_cast<double>(WideSin(x));
    }
    for (int i = 0; i < kSineTableSteps; ++i) {
        const int octant = i / kEighth, k = i % kEighth;
        double cosine = 0, sine = 0;
        switch (octant) {
            case 0: cosine = c[k]; sine = s[k]; break;
            case 1: cosine = s[kEighth - k]; sine = c[kEighth - k]; break;
            case 2: cosine = -s[k]; sine = c[k]; break;
            case 3: cosine = -c[kEighth - k]; sine = s[kEighth - k]; break;
            case 4: cosine = -c[k]; sine = -s[k]; break;
            case 5: cosine = -s[kEighth - k]; sine = -c[kEighth - k]; break;
            case 6: cosine = s[k]; sine = -c[k]; break;
            default: cosine = c[kEighth - k]; sine = -s[kEighth - k]; break;
        }
        t.turn[i] = Phasor{cosine, sine};
    }
    for (int i = 0; i <= kArcTangentSteps; ++i)
        t.arcTangent[i] = static_cast<double>(WideArcTangent(static_cast<Wide>(i) / kArcTangentSteps));
    return t;
}

}  // namespace

constexpr FastTrigTables kFastTrigTables = MakeTables();
