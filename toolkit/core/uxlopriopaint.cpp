#include "toolkit/core/uxlopriopaint.h"

#include "toolkit/core/uxevent.h"
#include "toolkit/core/uxlog.h"
#include "toolkit/core/uxtimer.h"
#include "toolkit/core/uxwidget.h"

namespace {

uxWidget** pending = nullptr;
int count = 0, capacity = 0;
bool timer_started = false;

void deliver(void*) {
    // Requests made while delivering wait for the next tick.
    int n = count;
    for (int i = 0; i < n; ++i) {
        uxWidget* w = pending[i];
        if (!w) continue;
        pending[i] = nullptr;
        uxEvent ev = {UXEV_LOPRIOPAINT, {0}};
        if (w->handle) w->handle(w, &ev);
        else uxwidget_invalidate(w);
    }
    int k = 0;
    for (int i = n; i < count; ++i) pending[k++] = pending[i];
    count = k;
}

}  // namespace

void uxlopriopaint_request(uxWidget* w) {
    if (!timer_started) {
        timer_started = true;
        uxlog("lopriopaint init. %d refreshes/sec.\n", 10);
        uxTimerAdd(deliver, 10, true, nullptr);
    }
    for (int i = 0; i < count; ++i)
        if (pending[i] == w) return;
    if (count == capacity) {
        int cap = capacity + 100;  // grows in steps of 100 entries
        uxWidget** grown = new uxWidget*[cap];
        for (int i = 0; i < count; ++i) grown[i] = pending[i];
        delete[] pending;
        pending = grown;
        capacity = cap;
    }
    pending[count++] = w;
}

void uxlopriopaint_cancel(uxWidget* w) {
    for (int i = 0; i < count; ++i)
        if (pending[i] == w) pending[i] = nullptr;
}
