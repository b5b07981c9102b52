// The output helpers that need no window: formatting into fixed buffers, principle names,
// colours, polynomials and random numbers.

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "shell/format_text.h"
#include "shell/output.h"

TEST(FormatText, CutsAtTheBufferEndAndAlwaysTerminates) {
    char small[8];
    EXPECT_EQ(FormatText(small, sizeof small, "%d-%s", 42, "abcdefgh"), 7u);
    EXPECT_STREQ(small, "42-abcd");
    EXPECT_EQ(FormatText(small, sizeof small, "%s", "1234567"), 7u);  // exactly fits
    EXPECT_STREQ(small, "1234567");
    EXPECT_EQ(FormatText(small, sizeof small, nullptr), 0u);
    EXPECT_STREQ(small, "");
    EXPECT_EQ(FormatText(small, 1, "%s", "x"), 0u);
    EXPECT_STREQ(small, "");
}

TEST(Print, BeforeTheWindowExistsGoesToStandardOutputCutAtItsBuffer) {
    std::string long_text(5000, 'y');
    testing::internal::CaptureStdout();
    Print("%s", long_text.c_str());
    Print("|%d|", 5);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              std::string(kPrintBufferSize - 1, 'y') + "|5|");
}

TEST(PrintPrincipleName, SevenCharacterNamesAfterANewlineAndUnknownIndexes) {
    testing::internal::CaptureStdout();
    for (unsigned i : {0u, 1u, 8u, 10u, 11u, 4000000000u}) PrintPrincipleName(i);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "\nsun    \nmoon   \nneptun \nIC     \n???\n???");
}

TEST(MakeColour, KeepsTheLowByteOfEachPart) {
    EXPECT_EQ(MakeColour(0x12, 0x34, 0x56), 0x123456);
    EXPECT_EQ(MakeColour(0x1FF, -1, 0x100), 0xFFFF00);
}

TEST(PolynomialValue, SumsCoefficientsTimesPowers) {
    const double c[] = {1, -2, 0.5};
    EXPECT_DOUBLE_EQ(PolynomialValue(3, c, 4.0), 1 - 8 + 8);
    EXPECT_DOUBLE_EQ(PolynomialValue(3, c, 0.0), 1);  // x^0 is 1 also for x = 0
    EXPECT_DOUBLE_EQ(PolynomialValue(0, nullptr, 3.0), 0);
}

TEST(RandomInt, ZeroLeavesTheGeneratorAloneOthersStayInRange) {
    std::srand(7);
    int first = std::rand();
    std::srand(7);
    EXPECT_EQ(RandomInt(0), 0);
    EXPECT_EQ(RandomInt(1000000007), first % 1000000007);
    for (int i = 0; i < 1000; ++i) {
        int v = RandomInt(6);
        ASSERT_TRUE(v >= 0 && v < 6);
        double u = RandomUnit();
        ASSERT_TRUE(u >= 0.0 && u <= 1.0);
    }
}
