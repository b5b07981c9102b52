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

}  // namespace
