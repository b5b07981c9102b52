// The sampling loops' threads: every index computed once into its own result, and diagnostics of
// the astronomy code printed by the calling thread only, in index order.

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "astro/astro_print.h"
#include "research/moment_threads.h"

namespace {

std::string g_printed;
bool g_printedElsewhere = false;
std::thread::id g_mainThread;

void collect(const char* text)
{
    if (std::this_thread::get_id() != g_mainThread) g_printedElsewhere = true;
    g_printed += text;
}

TEST(MomentThreads, DiagnosticsOfWorkersArePrintedByTheCallerInIndexOrder)
{
    g_mainThread = std::this_thread::get_id();
    g_printed.clear();
    SetAstroPrintSink(collect);
    std::vector<int> results(1000, -1);
    ComputeInParallel(1000, [&](int begin, int end) {
        for (int i = begin; i < end; ++i) {
            if (i % 300 == 7) AstroPrint("%d ", i);
            results[i] = 2 * i;
        }
    });
    SetAstroPrintSink(nullptr);
    EXPECT_EQ(g_printed, "7 307 607 907 ");
    EXPECT_FALSE(g_printedElsewhere);
    for (int i = 0; i < 1000; ++i) ASSERT_EQ(results[i], 2 * i) << i;
    // The hold ends with the loop: the caller prints as before.
    AstroPrint("%s", "");
    EXPECT_EQ(HeldAstroPrints(), 0);
}

}  // namespace
