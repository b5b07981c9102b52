// The process entry: kept out of the toolkit library so tests can link it without an
// application.
#include <cstdio>
#include <cstring>

#include "toolkit/platform/uxplatform.h"
#include "toolkit/core/uxentry.h"
#include "toolkit/core/uxevent.h"
#include "toolkit/core/uxfolderlock.h"
#include "toolkit/data/uxfile_journal.h"
#include "toolkit/core/uxlog.h"
#include "toolkit/automation/uxscript.h"
#include "toolkit/core/uxwindow.h"

static bool any_window_open() {
    for (int s = 0; s < uxwindow_count_slots(); ++s)
        if (uxwindow_at(s)) return true;
    return false;
}

// One program per working folder; what an earlier program killed while writing left there is
// finished or undone before anything else happens. False when another program holds the folder.
static bool claim_folder(const char* program) {
    long holder = 0;
    if (uxfolderlock_take(kUxFolderLockName, &holder) == UXFOLDERLOCK_BUSY) {
        const char* slash = std::strrchr(program, '/');
        std::fprintf(stderr, "%s: another program (process %ld) works in this folder; not started.\n",
                     slash ? slash + 1 : program, holder);
        return false;
    }
    char line[200];
    uxjournal_describe(uxjournal_recover("."), line, sizeof line);
    if (line[0]) std::fprintf(stderr, "%s\n", line);
    return true;
}

int uxentry_run(int argc, char** argv) {
    if (!claim_folder(argc > 0 && argv[0] ? argv[0] : "program")) return 3;
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
