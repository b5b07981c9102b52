#pragma once
// The process frame: the toolkit initialises itself, calls the application's main routine, runs
// the exit hooks and, if the application never waited for events itself, keeps the windows alive
// until the running flag clears.

// Provided by the application.
void ApplicationMain();

int uxentry_run(int argc, char** argv);
// The exit code uxentry_run returns (0 unless the application sets another).
void uxentry_set_exit_code(int code);
int uxentry_exit_code();
// Initialises the toolkit without running an application (tests). Returns false without a
// platform.
bool uxentry_init();
void uxentry_add_exit_hook(void (*hook)());
void uxentry_run_exit_hooks();
// Seeds the standard library's random generator from the clock (kept, not printed:
// toolkit/core/uxrandom.h).
void uxrandom_init();
// Threads the application's computing loops may use: UX_THREADS when it is a whole number from
// 1 to 256, else the cores the process may run on. Read once, at the first call (uxentry_init
// makes that call at start).
int uxthreads_count();
// Default font ids loaded at start.
int uxfont_default_id();
int uxfont_variable_id();
