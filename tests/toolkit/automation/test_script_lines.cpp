// Script lines of any length: a long comment stays one comment (its tail never runs as a
// command), and a line whose argument is too long for the runner is refused with its own
// line number.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "toolkit/automation/uxscript.h"
#include "toolkit/core/uxentry.h"
#include "toolkit/core/uxevent.h"

namespace {

void run_script(const std::string& path) {
    setenv("UX_SCRIPT", path.c_str(), 1);
    uxscript_start();
    uxWaitForEvents(1, 1);
}

TEST(ScriptLines, LongLinesAreReadWholeOrRefusedNamingTheirLine) {
    setenv("UX_PLATFORM", "headless", 1);
    ASSERT_TRUE(uxentry_init());
    std::string path = ::testing::TempDir() + "long_lines.uxs";
    FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fprintf(f, "# %s log tail-ran\nlog ok\n\nclick %s\nlog after\n",
                 std::string(9000, 'x').c_str(), std::string(2000, 'y').c_str());
    std::fclose(f);
    EXPECT_EXIT(run_script(path), testing::ExitedWithCode(2), "^ok\nuxscript:4: line too long\n$");
    std::remove(path.c_str());
    unsetenv("UX_SCRIPT");
}

struct Refused {
    int line;
    std::string message;
};
[[noreturn]] void throw_refusal(int line, const char* message) { throw Refused{line, message}; }

// The seam for tests and fuzzing: one line runs as the runner runs it, and with the hook set a
// refused command comes back to the caller with its message instead of ending the process.
TEST(ScriptLines, OneLineRunsAndARefusalReachesTheFailureHook) {
    setenv("UX_PLATFORM", "headless", 1);
    ASSERT_TRUE(uxentry_init());
    uxscript_set_failure_hook(throw_refusal);
    EXPECT_FALSE(uxscript_run_line("   # a comment"));
    EXPECT_TRUE(uxscript_run_line("seed 7"));
    std::string message;
    try {
        uxscript_run_line("module-seed Stra\xc3\x9f" "e");  // converted to Latin-1 before it is named
    } catch (const Refused& r) {
        message = r.message;
    }
    EXPECT_EQ(message, "not a seed: Stra\xdf" "e");
    message.clear();
    try {
        uxscript_run_line("click \"unterminated");
    } catch (const Refused& r) {
        message = r.message;
    }
    EXPECT_EQ(message, "malformed line");
    uxscript_set_failure_hook(nullptr);
}

}  // namespace
