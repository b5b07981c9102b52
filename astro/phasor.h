#pragma once
// cos and sin of an angle kept together, so that sums of angles are formed by angle addition
// instead of new library calls. Used where one moment needs many related sines.
//
// The arithmetic is written once for any number type T: double, or a pair of doubles in one
// vector register (GCC vector extensions), whose lanes then do exactly the scalar steps.

#include <cmath>

template <typename T>
struct BasicPhasor {
    T c;  // cos x
    T s;  // sin x
};
using Phasor = BasicPhasor<double>;

inline Phasor PhasorOf(double radians)
{
    Phasor p;
    sincos(radians, &p.s, &p.c);
    return p;
}

// e^{i(x + y)}
template <typename T>
inline BasicPhasor<T> Multiply(BasicPhasor<T> x, BasicPhasor<T> y)
{
    return BasicPhasor<T>{x.c * y.c - x.s * y.s, x.s * y.c + x.c * y.s};
}

// e^{i(x - y)}
template <typename T>
inline BasicPhasor<T> Divide(BasicPhasor<T> x, BasicPhasor<T> y)
{
    return BasicPhasor<T>{x.c * y.c + x.s * y.s, x.s * y.c - x.c * y.s};
}

inline Phasor Conjugate(Phasor x) { return Phasor{x.c, -x.s}; }

// Lane k of a phasor whose parts are vectors of two doubles.
template <typename Lanes>
inline Phasor LaneOf(const BasicPhasor<Lanes>& p, int k)
{
    return Phasor{p.c[k], p.s[k]};
}

// cos and sin of a small angle by their Taylor series, cut where the first omitted terms fall
// far under the rounding of the result: below 1e-27 up to 1e-8 and 1e-4 radians, below 1e-20
// (1e-19) up to 0.02 (0.3) radians. Beyond 0.3 radians the library's.
enum class SeriesTier { kUpTo1e8, kUpTo1e4, kShort, kLong, kLibrary };

inline SeriesTier TierFor(double bound)
{
    if (bound <= 1e-8) return SeriesTier::kUpTo1e8;
    if (bound <= 1e-4) return SeriesTier::kUpTo1e4;
    if (bound <= 0.02) return SeriesTier::kShort;
    if (bound <= 0.3) return SeriesTier::kLong;
    return SeriesTier::kLibrary;
}

template <typename T>
inline BasicPhasor<T> ShortSeriesPhasor(T x)  // |x| <= 0.02
{
    const T x2 = x * x;
    const T sine = 1.0 + x2 * (-1.0 / 6 + x2 * (1.0 / 120 + x2 * (-1.0 / 5040)));
    const T cosine =
        1.0 + x2 * (-1.0 / 2 + x2 * (1.0 / 24 + x2 * (-1.0 / 720 + x2 * (1.0 / 40320))));
    return BasicPhasor<T>{cosine, x * sine};
}

template <typename T>
inline BasicPhasor<T> LongSeriesPhasor(T x)  // |x| <= 0.3
{
    const T x2 = x * x;
    // Horner forms of the series, coefficients 1 / n! with alternating signs.
    const T sine =
        1.0 + x2 * (-1.0 / 6 + x2 * (1.0 / 120 + x2 * (-1.0 / 5040 + x2 * (1.0 / 362880 +
        x2 * (-1.0 / 39916800 + x2 * (1.0 / 6227020800 + x2 * (-1.0 / 1307674368000)))))));
    const T cosine =
        1.0 + x2 * (-1.0 / 2 + x2 * (1.0 / 24 + x2 * (-1.0 / 720 + x2 * (1.0 / 40320 +
        x2 * (-1.0 / 3628800 + x2 * (1.0 / 479001600 + x2 * (-1.0 / 87178291200 +
        x2 * (1.0 / 20922789888000))))))));
    return BasicPhasor<T>{cosine, x * sine};
}

// The series of a tier other than kLibrary.
template <typename T>
inline BasicPhasor<T> SeriesPhasor(SeriesTier tier, T x)
{
    const T x2 = x * x;
    switch (tier) {
        case SeriesTier::kUpTo1e8:
            return BasicPhasor<T>{1.0 - 0.5 * x2, x - x * x2 * (1.0 / 6)};
        case SeriesTier::kUpTo1e4:
            return BasicPhasor<T>{1.0 + x2 * (-1.0 / 2 + x2 * (1.0 / 24)),
                                  x * (1.0 + x2 * (-1.0 / 6 + x2 * (1.0 / 120)))};
        case SeriesTier::kShort: return ShortSeriesPhasor(x);
        default: return LongSeriesPhasor(x);
    }
}

inline Phasor SmallAnglePhasor(double radians)
{
    const double size = std::fabs(radians);
    if (size <= 0.02) return ShortSeriesPhasor(radians);
    if (size <= 0.3) return LongSeriesPhasor(radians);
    return PhasorOf(radians);
}

// The same for an angle known to lie within +-bound: the series is chosen by the bound, which
// changes slowly from call to call, rather than by the angle itself.
inline Phasor SmallAnglePhasorWithin(double radians, double bound)
{
    const SeriesTier tier = TierFor(bound);
    return tier == SeriesTier::kLibrary ? SmallAnglePhasor(radians) : SeriesPhasor(tier, radians);
}

// e^{i(x + d)} from e^{ix} and a step d that is usually small.
inline Phasor Advance(Phasor x, double step) { return Multiply(x, SmallAnglePhasor(step)); }
