// The sampling loops' threads: every item computed before the main thread uses it, and
// diagnostics of the astronomy code printed by the calling thread only, in the single loop's
// order.

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

// The pipeline gives the single loop's sequence: every item computed before it is used, the items
// used in order, diagnostics printed just before their item is used, and nothing used after a
// stop.
TEST(MomentThreads, PipelineUsesItemsInOrderWithTheirDiagnostics)
{
    g_mainThread = std::this_thread::get_id();
    SetAstroPrintSink(collect);
    std::vector<int> results[2];
    for (std::vector<int>& r : results) r.assign(64, -1);
    std::string prepared;
    auto prepare = [&](int k) {
        prepared += std::to_string(k);
        return 20 + 7 * (k % 4);
    };
    auto compute = [&](int k, int begin, int end) {
        for (int i = begin; i < end; ++i) {
            if (k == 2 && i % 10 == 3) AstroPrint("d%d ", i);
            results[k & 1][i] = 1000 * k + i;
        }
    };
    for (int stopAt : {-1, 3}) {
        g_printed.clear();
        prepared.clear();
        std::string expected;
        for (int k = 0; k < (stopAt < 0 ? 6 : stopAt + 1); ++k)
            for (int i = 0; i < (k == stopAt ? 3 : 20 + 7 * (k % 4)); ++i)
                expected += (k == 2 && i % 10 == 3 ? "d" + std::to_string(i) + " " : "") +
                            std::to_string(1000 * k + i) + " ";
        const bool finished = RunBlockPipeline(6, 4, false, prepare, compute, [&](int k, int i) {
            if (results[k & 1][i] != 1000 * k + i) g_printed += "wrong ";
            g_printed += std::to_string(1000 * k + i) + " ";
            return !(k == stopAt && i == 2);
        });
        EXPECT_EQ(finished, stopAt < 0);
        EXPECT_EQ(g_printed, expected);
        EXPECT_EQ(prepared.substr(0, stopAt < 0 ? 6 : 4), stopAt < 0 ? "012345" : "0123");
    }
    SetAstroPrintSink(nullptr);
    EXPECT_FALSE(g_printedElsewhere);
}

}  // namespace
