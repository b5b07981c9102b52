#pragma once
// The shuffle test's random draws, all from one std::mt19937_64. The engine's output sequence
// is fixed by the C++ standard; the library's distributions (uniform_int_distribution,
// shuffle, uniform_real_distribution) are not, so the draws below are written out here and a
// run repeats exactly with any standard library.

#include <cstdint>
#include <random>

using ShuffleEngine = std::mt19937_64;

// A whole number in 0..bound-1 (bound >= 1), every value equally likely: one engine output r
// after another until r >= (2^64 - bound) mod bound, then r mod bound. Takes at least one
// output, also for bound 1.
std::uint64_t UniformIndex(ShuffleEngine& engine, std::uint64_t bound);

// A number in [0, 1): the upper 53 bits of one engine output, times 2^-53.
double UniformUnit(ShuffleEngine& engine);

// Fills order[0..count-1] with 0..count-1 and shuffles it (Fisher-Yates from the end: for
// k = count-1 down to 1, swap order[k] with order[UniformIndex(k + 1)]): count - 1 draws.
void RandomPermutation(ShuffleEngine& engine, int count, int* order);
