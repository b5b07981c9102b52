#include "toolkit/core/uxrandom.h"

#include <cstdlib>

namespace {

struct {
    unsigned seed = 1;  // the standard library's own start seed
    bool from_clock = false;
    unsigned long generation = 0;
} kept;

struct {
    bool fixed = false;
    unsigned long long seed = 0;
} next_seed;

}  // namespace

void uxrandom_seed(unsigned seed, bool from_clock) {
    std::srand(seed);
    kept.seed = seed;
    kept.from_clock = from_clock;
    ++kept.generation;
}

unsigned uxrandom_seed_in_force() { return kept.seed; }
bool uxrandom_seed_from_clock() { return kept.from_clock; }
unsigned long uxrandom_seed_generation() { return kept.generation; }

void uxrandom_fix_next_seed(unsigned long long seed) {
    next_seed.fixed = true;
    next_seed.seed = seed;
}

bool uxrandom_take_fixed_seed(unsigned long long* seed) {
    if (!next_seed.fixed) return false;
    next_seed.fixed = false;
    *seed = next_seed.seed;
    return true;
}
