#pragma once
// Software timers driven by one base tick of 1, 10, 100 or 1000 ticks per second. Elapsed clock
// time becomes pending ticks whenever the main thread processes messages, so every callback
// runs on the main thread.

using uxTimerCallback = void (*)(void* user);

void uxTimerAdd(uxTimerCallback callback, int rate, bool repeat, void* user);
void uxTimerRemove(uxTimerCallback callback, void* user);
void uxTimerSetRate(uxTimerCallback callback, int rate, void* user);

int uxtimer_base_rate();    // current base ticks per second
void uxtimer_run_pending();  // turns elapsed clock time into ticks and callbacks
void uxtimer_reset();        // tests
