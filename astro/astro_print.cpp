#include "astro/astro_print.h"

#include <cstdarg>
#include <cstdio>

namespace {

void WriteToStandardOutput(const char* text)
{
    std::fputs(text, stdout);
    std::fflush(stdout);
}

AstroPrintSink g_astroPrintSink = WriteToStandardOutput;
thread_local bool t_holding = false;
thread_local int t_held = 0;

}  // namespace

void SetAstroPrintSink(AstroPrintSink sink)
{
    g_astroPrintSink = sink ? sink : WriteToStandardOutput;
}

void HoldAstroPrint(bool hold)
{
    t_holding = hold;
    t_held = 0;
}

int HeldAstroPrints() { return t_held; }

void AstroPrint(const char* format, ...)
{
    if (t_holding) {
        ++t_held;
        return;
    }
    char buffer[2000];
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(buffer, sizeof buffer, format, arguments);
    va_end(arguments);
    g_astroPrintSink(buffer);
}
