// The correlation function's factor, angles and values, and the shared plot rules.

#include <gtest/gtest.h>

#include <cmath>

#include "astro/wave_tables.h"
#include "research/correlation_function.h"
#include "research/optimal_curve.h"
#include "research/plot_axes.h"

namespace {

TEST(CorrelationFunction, FactorFollowsTheQuarticInTheOrder) {
    EXPECT_NEAR(CorrelationFactor(1), 1.904762, 1e-12);
    EXPECT_NEAR(CorrelationFactor(3), 0.636916, 1e-9);
    // 3.22441 - 1.627285*12 + 0.336916*144 - 0.030254*1728 + 0.000975*20736
    EXPECT_NEAR(CorrelationFactor(12), 0.151582, 1e-9);
}

TEST(CorrelationFunction, TableCoversTheFullTurn) {
    EXPECT_NEAR(CorrelationAngle(2), 0.000199, 1e-12);
    EXPECT_NEAR(CorrelationAngle(1918), 360.190955, 1e-9);
    // 10 * (-3/19) at the conjunction, -10 at the opposition (rows 959 and 960 straddle it).
    EXPECT_NEAR(CorrelationValue(1, false, 2), -30.0 / 19, 1e-5);
    EXPECT_NEAR(CorrelationValue(1, false, 959), -10.0, 5e-3);
    EXPECT_NEAR(CorrelationValue(1, false, 960), -10.0, 5e-3);
    EXPECT_LT(CorrelationValue(1, false, 959), -9.995);
}

TEST(CorrelationFunction, DerivationIsTheScaledSlopeOfTheFunction) {
    // k(n) times the slope of the harmony wave per radian of separation.
    for (int order : {1, 4}) {
        for (int row : {100, 700, 1500}) {
            double angle = CorrelationAngle(row), h = 1e-4;
            double slope = (HarmonyWave(order, angle + h, 0) - HarmonyWave(order, angle - h, 0)) /
                           (2 * h * M_PI / 180);
            EXPECT_NEAR(CorrelationValue(order, true, row), CorrelationFactor(order) * slope, 1e-5)
                << order << " " << row;
        }
    }
}

TEST(PlotAxes, LabelSpacingTickStepAndPasses) {
    EXPECT_EQ(LabelSpacing(10), 5);
    EXPECT_EQ(LabelSpacing(50), 5);
    EXPECT_EQ(LabelSpacing(51), 10);
    EXPECT_EQ(LabelSpacing(200), 10);
    EXPECT_EQ(LabelSpacing(201), 20);
    EXPECT_EQ(TickStep(1920 - 2 - 2, 360), 5);  // the correlation frame
    EXPECT_EQ(TickStep(540, 10), 54);
    EXPECT_EQ(TickStep(0, 20), 1);  // a centre at the right edge still advances
    PassShift first = ThicknessShift(1), fourth = ThicknessShift(4), last = ThicknessShift(10);
    EXPECT_EQ(first.dx, 0);
    EXPECT_EQ(first.dy, 0);
    EXPECT_EQ(fourth.dx, 1);
    EXPECT_EQ(fourth.dy, -2);
    EXPECT_EQ(last.dy, -5);
}

TEST(OptimalCurve, WhiteCurvesGetBlueOuterRings) {
    EXPECT_EQ(OuterRingColour(255, 255, 255), 0x0000FF);
    EXPECT_EQ(OuterRingColour(255, 255, 254), 0xFFFFFE);
    EXPECT_EQ(OuterRingColour(0, 0, 255), 0x0000FF);
    EXPECT_EQ(OuterRingColour(18, 52, 86), 0x123456);
}

}  // namespace
