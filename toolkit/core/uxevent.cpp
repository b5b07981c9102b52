#include "toolkit/core/uxevent.h"

#include <cstdarg>
#include <cstdio>

#include "toolkit/platform/uxplatform.h"
#include "toolkit/core/uxtimer.h"
#include "toolkit/core/uxwindow.h"

namespace {

int queue[UXEVENT_QUEUE_SIZE];
int read_index = 0, write_index = 0, queued = 0;
bool running = true;
int callbacks_held = 0;
bool (*idle_hook)() = nullptr;
char cancelled_in[256];
bool cancelled = false;

// Waits end when the program stops or the work they belong to was cancelled.
bool waits_go_on() { return uxRunning() && !cancelled; }

int pop() {
    int id = queue[read_index];
    read_index = (read_index + 1) % UXEVENT_QUEUE_SIZE;
    --queued;
    return id;
}

// Nothing to do: let the automation script act, or sleep a little.
void idle(int ms) {
    if (idle_hook && idle_hook()) return;
    uxplatform->sleep_ms(ms);
}

}  // namespace

void uxPostEvent(int id) {
    if (queued >= UXEVENT_QUEUE_SIZE) return;  // a full queue drops the new id
    queue[write_index] = id;
    write_index = (write_index + 1) % UXEVENT_QUEUE_SIZE;
    ++queued;
}

bool uxPending() { return queued > 0; }
bool uxRunning() {
    if (running && uxplatform_signal()) running = false;
    return running;
}
void uxStop() { running = false; }

bool uxevent_callbacks_held() { return callbacks_held > 0; }
void uxevent_hold_callbacks(bool hold) {
    if (hold) ++callbacks_held;
    else if (callbacks_held > 0) --callbacks_held;
}

void uxevent_cancel(const char* title) {
    if (cancelled) return;  // the first dialog left is the one named
    std::snprintf(cancelled_in, sizeof cancelled_in, "%s", title ? title : "");
    cancelled = true;
}
const char* uxevent_cancelled() { return cancelled ? cancelled_in : nullptr; }
void uxevent_clear_cancel() { cancelled = false; }

void uxevent_set_idle_hook(bool (*hook)()) { idle_hook = hook; }

void uxevent_reset() {
    read_index = write_index = queued = 0;
    running = true;
    callbacks_held = 0;
    cancelled = false;
}

void uxevent_process_messages() {
    uxPlatformEvent pe;
    while (uxplatform->poll_event(&pe)) {
        uxEvent ev = {pe.code, {pe.data[0], pe.data[1], pe.data[2], pe.data[3], pe.data[4], pe.data[5]}};
        uxwindow_dispatch(uxwindow_by_handle(pe.window), &ev);
    }
    uxtimer_run_pending();
    uxwindow_present_dirty();
}

int uxWaitEvent() {
    while (waits_go_on()) {
        uxevent_process_messages();
        if (!waits_go_on()) break;
        if (queued) return pop();
        idle(10);
    }
    return 0;
}

int uxPollEvent() {
    uxevent_process_messages();
    if (!uxRunning() || !queued) return 0;
    return pop();
}

int uxWaitForEventList(int count, const int* ids) {
    uxevent_hold_callbacks(true);
    int result = 0;
    while (waits_go_on() && !result) {
        uxevent_process_messages();
        while (waits_go_on() && queued && !result) {
            int id = pop();
            for (int i = 0; i < count; ++i)
                if (ids[i] == id) result = id;
        }
        if (!result && waits_go_on()) idle(10);
    }
    uxevent_hold_callbacks(false);
    return waits_go_on() ? result : 0;
}

int uxWaitForEvents(int count, ...) {
    int ids[64];
    if (count > 64) count = 64;
    va_list ap;
    va_start(ap, count);
    for (int i = 0; i < count; ++i) ids[i] = va_arg(ap, int);
    va_end(ap);
    return uxWaitForEventList(count, ids);
}

namespace {

struct SleepState {
    double remaining;
    int rate;
};

void sleep_tick(void* user) {
    SleepState* s = static_cast<SleepState*>(user);
    s->remaining -= (1000 / s->rate) / 1000.0;
    if (s->remaining > 0 && s->remaining < 1.0) {
        int rate = static_cast<int>(1.0 / s->remaining);
        if (rate < 1) rate = 1;
        if (rate != s->rate) {
            s->rate = rate;
            uxTimerSetRate(sleep_tick, rate, s);
        }
    }
}

}  // namespace

void uxSleep(double seconds) {
    if (!(seconds > 0)) return;
    SleepState state{seconds, 1};
    int rate = static_cast<int>(1.0 / seconds);
    state.rate = rate < 1 ? 1 : rate;
    uxTimerAdd(sleep_tick, state.rate, true, &state);
    while (state.remaining > 0 && uxRunning()) {
        uxevent_process_messages();
        if (state.remaining > 0) uxplatform->sleep_ms(1);
    }
    uxTimerRemove(sleep_tick, &state);
}
