#include "toolkit/core/uxlog.h"

#include <cstdarg>
#include <cstdio>

static bool log_on = false;
static bool log_started = false;

void uxlog_enable(bool on) { log_on = on; }

void uxlog(const char* format, ...) {
    if (!log_on) return;
    FILE* f = std::fopen("./ux4.log", log_started ? "ab" : "wb");
    log_started = true;
    if (!f) return;
    va_list ap;
    va_start(ap, format);
    std::vfprintf(f, format, ap);
    va_end(ap);
    std::fclose(f);
}
