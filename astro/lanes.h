#pragma once
// Two doubles in one vector register (GCC and clang vector extensions). Code written on lanes
// does each scalar step in the same order in both lanes, so its results equal those of the
// one-at-a-time code bit for bit (IEEE arithmetic and square roots round the same either way).

#include <cmath>

#include "astro/angles.h"
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

typedef double DoubleLanes __attribute__((vector_size(16)));
typedef long long MaskLanes __attribute__((vector_size(16)));  // all bits set where true

// Two doubles from memory that need not be 16-byte aligned.
inline DoubleLanes LoadLanes(const double* p)
{
    DoubleLanes v;
    __builtin_memcpy(&v, p, sizeof v);
    return v;
}

inline void StoreLanes(double* p, DoubleLanes v) { __builtin_memcpy(p, &v, sizeof v); }

inline DoubleLanes RadiansToDegrees(DoubleLanes radians)
{
    return radians * kDegreesPerRadianByPi;
}

inline DoubleLanes SquareRoot(DoubleLanes x)
{
#if defined(__SSE2__)
    return _mm_sqrt_pd(x);
#else
    return DoubleLanes{std::sqrt(x[0]), std::sqrt(x[1])};
#endif
}

inline DoubleLanes Absolute(DoubleLanes x)
{
    const MaskLanes magnitude = {0x7fffffffffffffffLL, 0x7fffffffffffffffLL};
    return reinterpret_cast<DoubleLanes>(reinterpret_cast<MaskLanes>(x) & magnitude);
}

// a where the mask is set, b elsewhere.
inline DoubleLanes Select(MaskLanes mask, DoubleLanes a, DoubleLanes b)
{
    return reinterpret_cast<DoubleLanes>((reinterpret_cast<MaskLanes>(a) & mask) |
                                         (reinterpret_cast<MaskLanes>(b) & ~mask));
}
