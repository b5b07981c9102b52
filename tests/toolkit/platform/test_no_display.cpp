// Without a display SDL still starts on its stand-in drivers; the SDL back end must refuse them
// with one line that names the headless back end.

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "toolkit/platform/uxplatform.h"

namespace {

TEST(NoDisplay, FallbackVideoDriversAreRefusedWithOneLine) {
    unsetenv("DISPLAY");
    unsetenv("WAYLAND_DISPLAY");
    for (const char* driver : {"offscreen", "dummy"}) {
        setenv("SDL_VIDEODRIVER", driver, 1);
        testing::internal::CaptureStderr();
        bool started = uxplatform_sdl.init();
        std::string err = testing::internal::GetCapturedStderr();
        if (started) uxplatform_sdl.shutdown();
        EXPECT_FALSE(started) << driver;
        EXPECT_NE(err.find("UX_PLATFORM=headless"), std::string::npos) << err;
        EXPECT_NE(err.find(driver), std::string::npos) << err;
        EXPECT_EQ(err.find('\n'), err.size() - 1) << err;
    }
    unsetenv("SDL_VIDEODRIVER");
}

}  // namespace
