// The process entry: kept out of the toolkit library so tests can link it without an
// application.
#include <cstdio>

#include "toolkit/platform/uxplatform.h"
#include "toolkit/core/uxentry.h"
#include "toolkit/core/uxevent.h"
#include "toolkit/core/uxlog.h"
#include "toolkit/automation/uxscript.h"
#include "toolkit/core/uxwindow.h"

static bool any_window_open() {
    for (int s = 0; s < uxwindow_count_slots(); ++s)
        if (uxwindow_at(s)) return true;
    return false;
}

int uxentry_run(int argc, char** argv) {
    if (!uxentry_init()) return 1;
    uxlog("%d args: ", argc);
    for (int i = 0; i < argc; ++i) uxlog("%s ", argv[i]);
    uxlog("\n");
    uxscript_start();
    ApplicationMain();
    uxentry_run_exit_hooks();
    while (uxRunning() && any_window_open()) {
        uxevent_process_messages();
        uxPollEvent();
        uxplatform->sleep_ms(10);
    }
    uxStop();
    uxlog("ux4 exit\n");
    std::fflush(stdout);
    uxplatform->shutdown();
    return uxentry_exit_code();
}

int main(int argc, char** argv) { return uxentry_run(argc, argv); }
