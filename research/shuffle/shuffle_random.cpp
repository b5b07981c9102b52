// The shuffle test's draws from its one generator, written out so that they do not depend on
// the standard library's distributions.

#include "research/shuffle/shuffle_random.h"

std::uint64_t UniformIndex(ShuffleEngine& engine, std::uint64_t bound) {
    // 2^64 - threshold outputs are accepted, a multiple of bound: r mod bound is uniform.
    const std::uint64_t threshold = (0 - bound) % bound;
    std::uint64_t r = engine();
    while (r < threshold) r = engine();
    return r % bound;
}

double UniformUnit(ShuffleEngine& engine) {
    return static_cast<double>(engine() >> 11) * 0x1.0p-53;
}

void RandomPermutation(ShuffleEngine& engine, int count, int* order) {
    for (int k = 0; k < count; ++k) order[k] = k;
    for (int k = count - 1; k >= 1; --k) {
        const int j = static_cast<int>(UniformIndex(engine, static_cast<std::uint64_t>(k) + 1));
        const int t = order[k];
        order[k] = order[j];
        order[j] = t;
    }
}
