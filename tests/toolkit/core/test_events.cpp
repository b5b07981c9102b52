// The event queue, the software timers and uxSleep on the headless back end's virtual clock.
#include <gtest/gtest.h>

#include "toolkit/platform/uxplatform.h"
#include "toolkit/core/uxentry.h"
#include "toolkit/core/uxevent.h"
#include "toolkit/automation/uxscript.h"
#include "toolkit/core/uxtimer.h"
#include "toolkit/core/uxwindow.h"

namespace {

class Events : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(uxentry_init());
        uxevent_reset();
    }
};

TEST_F(Events, QueueKeeps64AndDropsThe65th) {
    for (int i = 0; i < 65; ++i) uxPostEvent(1000 + i);
    for (int i = 0; i < 64; ++i) EXPECT_EQ(uxPollEvent(), 1000 + i);
    EXPECT_EQ(uxPollEvent(), 0);
}

void count_call(void* user) { ++*static_cast<int*>(user); }

TEST_F(Events, TimersRaiseTheBaseAndSleepRunsThem) {
    uxtimer_reset();
    int slow = 0, fast = 0;
    uxTimerAdd(count_call, 3, true, &slow);
    uxTimerAdd(count_call, 50, true, &fast);
    EXPECT_EQ(uxtimer_base_rate(), 100);
    uxSleep(1.0);
    EXPECT_NEAR(slow, 3, 1);
    EXPECT_NEAR(fast, 50, 2);
    uxTimerRemove(count_call, &slow);
    uxTimerRemove(count_call, &fast);
}

TEST_F(Events, SleepTakesItsTimeOnTheClock) {
    uint64_t before = uxplatform->clock_ms();
    uxSleep(0.1);
    uint64_t took = uxplatform->clock_ms() - before;
    EXPECT_GE(took, 100u);
    EXPECT_LT(took, 130u);
}

TEST_F(Events, ClosingWindowsWithAndWithoutNoquit) {
    uxWindow keep;
    ASSERT_TRUE(uxwindow_create(&keep, "keep,x=10,y=10,xs=100,ys=100,noquit"));
    uxEvent close = {UXEV_CLOSE, {0}};
    uxwindow_dispatch(&keep, &close);
    EXPECT_TRUE(uxRunning());
    EXPECT_EQ(uxPollEvent(), uxwindow_close_id(&keep));
    uxWindow quit;
    ASSERT_TRUE(uxwindow_create(&quit, "quit,x=10,y=10,xs=100,ys=100"));
    uxwindow_dispatch(&quit, &close);
    EXPECT_FALSE(uxRunning());
    EXPECT_EQ(uxWaitEvent(), 0);
    uxwindow_destroy(&quit);
    uxwindow_destroy(&keep);
    uxevent_reset();
}

TEST(ScriptLines, QuotesEscapesAndComments) {
    char args[8][1024];
    EXPECT_EQ(uxscript_split("click \"Statistics 1 - Continuum\"", args, 8), 2);
    EXPECT_STREQ(args[1], "Statistics 1 - Continuum");
    EXPECT_EQ(uxscript_split("click No                       # with IC?", args, 8), 2);
    EXPECT_STREQ(args[1], "No");
    EXPECT_EQ(uxscript_split("   # comment", args, 8), 0);
    EXPECT_EQ(uxscript_split("type \"a\\\"b\\\\c\\n\"", args, 8), 2);
    EXPECT_STREQ(args[1], "a\"b\\c\n");
    EXPECT_EQ(uxscript_split("type \"open", args, 8), -1);
    char latin1[64];
    uxscript_to_latin1("Schlie\xc3\x9f" "en", latin1, sizeof latin1);
    EXPECT_STREQ(latin1, "Schlie\xdf" "en");
}

}  // namespace
