#pragma once
// The process frame: the toolkit initialises itself, calls the application's main routine, runs
// the exit hooks and, if the application never waited for events itself, keeps the windows alive
// until the running flag clears.

// Provided by the application.
void ApplicationMain();

int uxentry_run(int argc, char** argv);
// Initialises the toolkit without running an application (tests). Returns false without a
// platform.
bool uxentry_init();
void uxentry_add_exit_hook(void (*hook)());
void uxentry_run_exit_hooks();
// Seeds the standard library's random generator from the clock.
void uxrandom_init();
// A run seed fixed ahead for the next module that takes one (the automation's "module-seed"):
// set it, and the next uxrandom_take_fixed_seed returns it once and forgets it.
void uxrandom_fix_next_seed(unsigned long long seed);
// True (and the seed) when one was fixed and not taken yet.
bool uxrandom_take_fixed_seed(unsigned long long* seed);
// Default font ids loaded at start.
int uxfont_default_id();
int uxfont_variable_id();
