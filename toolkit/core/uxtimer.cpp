#include "toolkit/core/uxtimer.h"

#include <cstddef>
#include <cstdint>
#include <vector>

#include "toolkit/platform/uxplatform.h"
#include "toolkit/core/uxlog.h"

namespace {

struct Timer {
    bool in_use = false;
    bool repeat = false;
    uxTimerCallback callback = nullptr;
    void* user = nullptr;
    int account_ms = 0;
    int period_ms = 0;
};

std::vector<Timer> timers;
int base_rate = 0;  // 0: not yet initialised
uint64_t last_tick_ms = 0;

void raise_base(int rate) {
    if (base_rate == 0) {
        base_rate = 1;
        last_tick_ms = uxplatform->clock_ms();
        uxlog("timer init. %d ticks/sec.\n", base_rate);
    }
    int wanted = 1;
    while (wanted < rate && wanted < 1000) wanted *= 10;
    if (wanted > base_rate) {
        base_rate = wanted;
        uxlog("timer res. changed to %d ticks/sec.\n", base_rate);
    }
}

Timer* find(uxTimerCallback cb, void* user) {
    for (Timer& t : timers)
        if (t.in_use && t.callback == cb && t.user == user) return &t;
    return nullptr;
}

}  // namespace

void uxTimerAdd(uxTimerCallback callback, int rate, bool repeat, void* user) {
    if (rate <= 0 || !callback) return;
    raise_base(rate);
    Timer* slot = nullptr;
    for (Timer& t : timers)
        if (!t.in_use) {
            slot = &t;
            break;
        }
    if (!slot) {
        timers.emplace_back();
        slot = &timers.back();
    }
    *slot = Timer{true, repeat, callback, user, 0, 1000 / rate};
}

void uxTimerRemove(uxTimerCallback callback, void* user) {
    if (Timer* t = find(callback, user)) t->in_use = false;
}

void uxTimerSetRate(uxTimerCallback callback, int rate, void* user) {
    if (rate <= 0) return;
    if (Timer* t = find(callback, user)) {
        raise_base(rate);
        t->period_ms = 1000 / rate;
    }
}

int uxtimer_base_rate() { return base_rate; }

void uxtimer_run_pending() {
    if (base_rate == 0) return;
    int tick_ms = 1000 / base_rate;
    uint64_t now = uxplatform->clock_ms();
    while (now - last_tick_ms >= static_cast<uint64_t>(tick_ms)) {
        last_tick_ms += static_cast<uint64_t>(tick_ms);
        // Index loop: callbacks may add timers, which can grow the table.
        for (size_t i = 0; i < timers.size(); ++i) {
            if (!timers[i].in_use) continue;
            timers[i].account_ms += tick_ms;
            while (timers[i].in_use && timers[i].period_ms > 0 &&
                   timers[i].account_ms >= timers[i].period_ms) {
                timers[i].account_ms -= timers[i].period_ms;
                uxTimerCallback cb = timers[i].callback;
                void* user = timers[i].user;
                if (!timers[i].repeat) timers[i].in_use = false;
                cb(user);
            }
        }
        if (1000 / base_rate != tick_ms) break;  // base raised by a callback: next pass
    }
}

void uxtimer_reset() {
    timers.clear();
    base_rate = 0;
}
