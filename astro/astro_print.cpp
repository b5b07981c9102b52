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

}  // namespace

void SetAstroPrintSink(AstroPrintSink sink)
{
    g_astroPrintSink = sink ? sink : WriteToStandardOutput;
}

void AstroPrint(const char* format, ...)
{
    char buffer[2000];
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(buffer, sizeof buffer, format, arguments);
    va_end(arguments);
    g_astroPrintSink(buffer);
}
