#pragma once
// The seed of the standard library's random generator, kept for the run records: the clock
// seed drawn at start (not printed) or the automation's `seed N`. Both set it here.

// Seeds the generator and keeps the seed; `from_clock` tells where it came from.
void uxrandom_seed(unsigned seed, bool from_clock);
unsigned uxrandom_seed_in_force();
bool uxrandom_seed_from_clock();
// Counts the seeds set so far, so that a reader can tell whether the seed changed.
unsigned long uxrandom_seed_generation();

// A run seed fixed ahead for the next module that takes one (the automation's "module-seed"):
// set it, and the next uxrandom_take_fixed_seed returns it once and forgets it.
void uxrandom_fix_next_seed(unsigned long long seed);
// True (and the seed) when one was fixed and not taken yet.
bool uxrandom_take_fixed_seed(unsigned long long* seed);
