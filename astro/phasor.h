#pragma once
// cos and sin of an angle kept together, so that sums of angles are formed by angle addition
// instead of new library calls. Used where one moment needs many related sines.

#include <cmath>

struct Phasor {
    double c;  // cos x
    double s;  // sin x
};

inline Phasor PhasorOf(double radians)
{
    Phasor p;
    sincos(radians, &p.s, &p.c);
    return p;
}

// e^{i(x + y)}
inline Phasor Multiply(Phasor x, Phasor y)
{
    return Phasor{x.c * y.c - x.s * y.s, x.s * y.c + x.c * y.s};
}

// e^{i(x - y)}
inline Phasor Divide(Phasor x, Phasor y)
{
    return Phasor{x.c * y.c + x.s * y.s, x.s * y.c - x.c * y.s};
}

inline Phasor Conjugate(Phasor x) { return Phasor{x.c, -x.s}; }

// cos and sin of a small angle by their Taylor series; beyond 0.3 radians the library's.
// Up to 0.02 (0.3) radians the first omitted terms are below 1e-20 (1e-19), far under the
// rounding of the result. The short form keeps the common case of tiny steps cheap.
inline Phasor ShortSeriesPhasor(double x)  // |x| <= 0.02
{
    const double x2 = x * x;
    const double sine = 1.0 + x2 * (-1.0 / 6 + x2 * (1.0 / 120 + x2 * (-1.0 / 5040)));
    const double cosine =
        1.0 + x2 * (-1.0 / 2 + x2 * (1.0 / 24 + x2 * (-1.0 / 720 + x2 * (1.0 / 40320))));
    return Phasor{cosine, x * sine};
}

inline Phasor LongSeriesPhasor(double x)  // |x| <= 0.3
{
    const double x2 = x * x;
    // Horner forms of the series, coefficients 1 / n! with alternating signs.
    const double sine =
        1.0 + x2 * (-1.0 / 6 + x2 * (1.0 / 120 + x2 * (-1.0 / 5040 + x2 * (1.0 / 362880 +
        x2 * (-1.0 / 39916800 + x2 * (1.0 / 6227020800 + x2 * (-1.0 / 1307674368000)))))));
    const double cosine =
        1.0 + x2 * (-1.0 / 2 + x2 * (1.0 / 24 + x2 * (-1.0 / 720 + x2 * (1.0 / 40320 +
        x2 * (-1.0 / 3628800 + x2 * (1.0 / 479001600 + x2 * (-1.0 / 87178291200 +
        x2 * (1.0 / 20922789888000))))))));
    return Phasor{cosine, x * sine};
}

inline Phasor SmallAnglePhasor(double radians)
{
    const double size = std::fabs(radians);
    if (size <= 0.02) return ShortSeriesPhasor(radians);
    if (size <= 0.3) return LongSeriesPhasor(radians);
    return PhasorOf(radians);
}

// The same for an angle known to lie within +-bound: the series is chosen by the bound, which
// changes slowly from call to call, rather than by the angle itself. The shortest forms drop
// terms below 1e-27.
inline Phasor SmallAnglePhasorWithin(double radians, double bound)
{
    const double x = radians, x2 = x * x;
    if (bound <= 1e-8) return Phasor{1.0 - 0.5 * x2, x - x * x2 * (1.0 / 6)};
    if (bound <= 1e-4)
        return Phasor{1.0 + x2 * (-1.0 / 2 + x2 * (1.0 / 24)),
                      x * (1.0 + x2 * (-1.0 / 6 + x2 * (1.0 / 120)))};
    if (bound <= 0.02) return ShortSeriesPhasor(radians);
    if (bound <= 0.3) return LongSeriesPhasor(radians);
    return SmallAnglePhasor(radians);
}

// e^{i(x + d)} from e^{ix} and a step d that is usually small.
inline Phasor Advance(Phasor x, double step) { return Multiply(x, SmallAnglePhasor(step)); }
