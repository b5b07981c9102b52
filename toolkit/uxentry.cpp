#include "toolkit/uxentry.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "toolkit/platform/uxplatform.h"
#include "toolkit/uxevent.h"
#include "toolkit/uxfont.h"
#include "toolkit/uxlog.h"
#include "toolkit/uxscript.h"
#include "toolkit/uxwindow.h"

namespace {

int default_font = -1;
int variable_font = -1;
void (*exit_hooks[16])();
int exit_hook_count = 0;
bool initialised = false;

bool any_window_open() {
    for (int s = 0; s < uxwindow_count_slots(); ++s)
        if (uxwindow_at(s)) return true;
    return false;
}

}  // namespace

int uxfont_default_id() { return default_font; }
int uxfont_variable_id() { return variable_font; }

void uxentry_add_exit_hook(void (*hook)()) {
    if (exit_hook_count < 16) exit_hooks[exit_hook_count++] = hook;
}

void uxrandom_init() {
    std::srand(static_cast<unsigned>(std::time(nullptr)));
    uxlog("random init.\n");
}

bool uxentry_init() {
    if (initialised) return true;
    if (!uxplatform_select()) return false;
    initialised = true;
    uxlog("ux4 init.\n");
    default_font = uxfont_builtin("builtin 6x13");
    variable_font = uxfont_builtin("builtin variable 13");
    return true;
}

int uxentry_run(int argc, char** argv) {
    if (!uxentry_init()) return 1;
    uxlog("%d args: ", argc);
    for (int i = 0; i < argc; ++i) uxlog("%s ", argv[i]);
    uxlog("\n");
    uxscript_start();
    ApplicationMain();
    for (int i = 0; i < exit_hook_count; ++i) exit_hooks[i]();
    while (uxRunning() && any_window_open()) {
        uxevent_process_messages();
        uxPollEvent();
        uxplatform->sleep_ms(10);
    }
    uxStop();
    uxlog("ux4 exit\n");
    std::fflush(stdout);
    uxplatform->shutdown();
    return 0;
}
