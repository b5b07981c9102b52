#include "toolkit/core/uxentry.h"

#include <sched.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "toolkit/platform/uxplatform.h"
#include "toolkit/core/uxevent.h"
#include "toolkit/drawing/uxfont.h"
#include "toolkit/core/uxlog.h"
#include "toolkit/core/uxrandom.h"
#include "toolkit/automation/uxscript.h"
#include "toolkit/core/uxwindow.h"

namespace {

int default_font = -1;
int variable_font = -1;
void (*exit_hooks[16])();
int exit_hook_count = 0;
bool initialised = false;
int exit_code = 0;

}  // namespace

void uxentry_set_exit_code(int code) { exit_code = code; }
int uxentry_exit_code() { return exit_code; }

int uxfont_default_id() { return default_font; }
int uxfont_variable_id() { return variable_font; }

void uxentry_run_exit_hooks() {
    for (int i = 0; i < exit_hook_count; ++i) exit_hooks[i]();
}

void uxentry_add_exit_hook(void (*hook)()) {
    if (exit_hook_count < 16) exit_hooks[exit_hook_count++] = hook;
}

void uxrandom_init() {
    uxrandom_seed(static_cast<unsigned>(std::time(nullptr)), true);
    uxlog("random init.\n");
}

static int read_thread_count() {
    if (const char* text = std::getenv("UX_THREADS")) {
        char* end = nullptr;
        long n = std::strtol(text, &end, 10);
        if (end != text && *end == '\0' && n >= 1 && n <= 256) return static_cast<int>(n);
    }
    cpu_set_t cpus;
    if (sched_getaffinity(0, sizeof cpus, &cpus) == 0 && CPU_COUNT(&cpus) >= 1)
        return CPU_COUNT(&cpus) > 256 ? 256 : CPU_COUNT(&cpus);
    return 1;
}

int uxthreads_count() {
    static const int count = read_thread_count();
    return count;
}

bool uxentry_init() {
    if (initialised) return true;
    uxthreads_count();
    if (!uxplatform_select()) return false;
    initialised = true;
    uxlog("ux4 init.\n");
    default_font = uxfont_builtin("builtin 6x13");
    variable_font = uxfont_builtin("builtin variable 13");
    return true;
}

