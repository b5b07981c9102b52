#include "toolkit/core/uxrandom.h"

#include <cstdlib>

namespace {

struct {
    unsigned seed = 1;  // the standard library's own start seed
    bool from_clock = false;
    unsigned long generation = 0;
} kept;

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
