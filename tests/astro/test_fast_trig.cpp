// The table-and-series sine, cosine and arc tangent of the hot path against the library.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "astro/fast_trig.h"

namespace {

TEST(FastTrig, SineAndCosineAgreeWithTheLibrary)
{
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> angle(-64.0, 64.0);
    double worst = 0.0;
    for (int i = 0; i < 2000000; ++i) {
        // Random angles, and the table's own steps and their halves (the ends of the series).
        const double x = i % 4 ? angle(random) : (i / 4 % 20000 - 10000) * (kPi / 256);
        const Phasor p = FastPhasorOf(x);
        worst = std::fmax(worst, std::fabs(p.c - std::cos(x)));
        worst = std::fmax(worst, std::fabs(p.s - std::sin(x)));
    }
    EXPECT_LT(worst, 3e-16);
    EXPECT_EQ(FastPhasorOf(0.0).s, 0.0);
    EXPECT_EQ(FastPhasorOf(0.0).c, 1.0);
    // Outside the table's range, and what is no angle, the library answers.
    EXPECT_EQ(FastSin(1e6), std::sin(1e6));
    EXPECT_TRUE(std::isnan(FastSin(std::numeric_limits<double>::quiet_NaN())));
    EXPECT_TRUE(std::isnan(FastSin(std::numeric_limits<double>::infinity())));
}

TEST(FastTrig, ArcTangentAgreesWithTheLibrary)
{
    std::mt19937_64 random(11);
    std::uniform_real_distribution<double> unit(-1.0, 1.0);
    double worst = 0.0;
    for (int i = 0; i < 2000000; ++i) {
        const double t = i % 3 == 0 ? unit(random) : i % 3 == 1 ? 1.0 / unit(random)
                                                               : unit(random) * 1e-6;
        worst = std::fmax(worst, std::fabs(FastArcTangent(t) - std::atan(t)));
    }
    EXPECT_LT(worst, 3e-16);
    for (int i = -64; i <= 64; ++i)  // the steps of the table, exact arguments
        EXPECT_NEAR(FastArcTangent(i / 64.0), std::atan(i / 64.0), 2e-16);
    EXPECT_EQ(FastArcTangent(0.0), 0.0);
    EXPECT_DOUBLE_EQ(FastArcTangent(std::numeric_limits<double>::infinity()), kPi / 2);
    EXPECT_DOUBLE_EQ(FastArcTangent(-std::numeric_limits<double>::infinity()), -kPi / 2);
    EXPECT_TRUE(std::isnan(FastArcTangent(std::numeric_limits<double>::quiet_NaN())));
}

// The two-lane forms do each lane's scalar steps: equal to the bit, also where a lane leaves
// the fast range.
TEST(FastTrig, TwoLanesEqualTheScalarForms)
{
    std::mt19937_64 random(3);
    std::uniform_real_distribution<double> angle(-70.0, 70.0), unit(-1.0, 1.0);
    for (int i = 0; i < 200000; ++i) {
        const DoubleLanes x = {angle(random), angle(random)};
        const BasicPhasor<DoubleLanes> p = FastPhasorOf(x);
        const DoubleLanes t = {unit(random), i % 100 ? unit(random) : 1.5};
        const DoubleLanes a = FastArcTangentWithinOne(t);
        for (int k = 0; k < 2; ++k) {
            ASSERT_EQ(p.c[k], FastPhasorOf(x[k]).c);
            ASSERT_EQ(p.s[k], FastPhasorOf(x[k]).s);
            ASSERT_EQ(a[k], FastArcTangentWithinOne(t[k]));
        }
    }
}

}  // namespace
