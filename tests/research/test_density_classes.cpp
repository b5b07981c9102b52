// Histogram rules of the density function: amplitudes, class limits, classes and markers.

#include <gtest/gtest.h>

#include <cmath>

#include "research/density_classes.h"

namespace {

void Limits(double limits[kDensityClasses]) { DensityClassLimits(-19.0, 19.0, limits); }

TEST(DensityClasses, LimitsRunFromBeginToEndInEqualSteps)
{
    double limits[kDensityClasses];
    DensityClassLimits(10.0, 48.0, limits);
    EXPECT_DOUBLE_EQ(limits[0], 10.0);
    EXPECT_DOUBLE_EQ(limits[1], 11.0);
    EXPECT_DOUBLE_EQ(limits[19], 29.0);
    EXPECT_DOUBLE_EQ(limits[kDensityLastClass], 48.0);
}

TEST(DensityClasses, ValueOnALimitBelongsToTheClassAboveIt)
{
    double limits[kDensityClasses];
    Limits(limits);  // L[j] = j - 19, exact
    EXPECT_EQ(DensityClass(-19.0, limits), 1);
    EXPECT_EQ(DensityClass(0.0, limits), 20);
    EXPECT_EQ(DensityClass(18.0, limits), 38);  // L[37]: the last interval is class 38
    for (int j = 0; j < kDensityLastClass; ++j)
        EXPECT_EQ(DensityClass(limits[j], limits), j + 1) << "limit " << j;
}

TEST(DensityClasses, OutsideTheLimitsGoesToTheEndClasses)
{
    double limits[kDensityClasses];
    Limits(limits);
    EXPECT_EQ(DensityClass(-19.000001, limits), 0);
    EXPECT_EQ(DensityClass(-1e300, limits), 0);
    EXPECT_EQ(DensityClass(19.000001, limits), kDensityLastClass);
    EXPECT_EQ(DensityClass(1e300, limits), kDensityLastClass);
    EXPECT_EQ(DensityClass(18.5, limits), kDensityLastClass);
    EXPECT_EQ(DensityClass(-18.5, limits), 1);
}

TEST(DensityClasses, ExactlyTheLastLimitIsCountedNowhere)
{
    double limits[kDensityClasses];
    Limits(limits);
    EXPECT_EQ(DensityClass(limits[kDensityLastClass], limits), -1);
    EXPECT_EQ(DensityClass(std::nan(""), limits), -1);
    double counts[kDensityClasses] = {};
    CountInClass(limits[kDensityLastClass], limits, counts);
    CountInClass(std::nan(""), limits, counts);
    for (double c : counts) EXPECT_EQ(c, 0.0);
    CountInClass(5.5, limits, counts);
    CountInClass(5.0, limits, counts);
    EXPECT_EQ(counts[25], 2.0);
}

TEST(DensityClasses, HandEnteredLimitsRunningDownwardCountEachValueOnce)
{
    double limits[kDensityClasses];
    DensityClassLimits(19.0, -19.0, limits);
    for (double x = -25.0; x <= 25.0; x += 0.25) {
        double counts[kDensityClasses] = {};
        CountInClass(x, limits, counts);
        double total = 0.0;
        for (double c : counts) total += c;
        EXPECT_LE(total, 1.0) << x;
    }
    // Begin equal to End: one limit repeated; only that value is left out.
    DensityClassLimits(3.0, 3.0, limits);
    EXPECT_EQ(DensityClass(2.0, limits), 0);
    EXPECT_EQ(DensityClass(4.0, limits), kDensityLastClass);
    EXPECT_EQ(DensityClass(3.0, limits), -1);
}

TEST(DensityClasses, EventMarkerOnlyFromClassTwoOn)
{
    double markers[kDensityClasses] = {};
    markers[0] = markers[1] = markers[2] = markers[kDensityLastClass] = 10.0;
    EXPECT_FALSE(DensityMarkerShown(markers, 0));
    EXPECT_FALSE(DensityMarkerShown(markers, 1));
    EXPECT_TRUE(DensityMarkerShown(markers, 2));
    EXPECT_FALSE(DensityMarkerShown(markers, 3));  // nothing marked there
    EXPECT_TRUE(DensityMarkerShown(markers, kDensityLastClass));
    EXPECT_FALSE(DensityMarkerShown(markers, kDensityClasses));
}

TEST(DensityAmplitudes, NumeratorsOfTheOrder)
{
    // n = 3: 1.25*9 + 216 - 66, 6.25*9 + 253 - 195, 2820 - 450 + 190, 2070 - 225 + 365.
    EXPECT_DOUBLE_EQ(DensityAmplitudeNumerator(kHarmonyKind, 3), 161.25);
    EXPECT_DOUBLE_EQ(DensityAmplitudeNumerator(kEnergyKind, 3), 114.25);
    EXPECT_DOUBLE_EQ(DensityAmplitudeNumerator(kDynamicsKind, 3), 2560.0);
    EXPECT_DOUBLE_EQ(DensityAmplitudeNumerator(kAbsoluteDynamicsKind, 3), 2210.0);
    EXPECT_DOUBLE_EQ(DensityAmplitudeNumerator(kHarmonyKind, 12), 180.0 + 216 - 264);
    EXPECT_DOUBLE_EQ(DensityAmplitudeNumerator(kDynamicsKind, 12), 11280 - 7200 + 190);
}

TEST(DensityAmplitudes, FixedDivisorsAboveFiftyMembers)
{
    for (int m : {51, 100, 10000}) {
        EXPECT_EQ(DensityAmplitudeDivisor(kHarmonyKind, m), 10.0);
        EXPECT_EQ(DensityAmplitudeDivisor(kEnergyKind, m), 9.0);
        EXPECT_EQ(DensityAmplitudeDivisor(kDynamicsKind, m), 11.0);
        EXPECT_EQ(DensityAmplitudeDivisor(kAbsoluteDynamicsKind, m), 12.0);
    }
    EXPECT_DOUBLE_EQ(DensityAmplitude(kHarmonyKind, 3, 51), 16.125);
    EXPECT_DOUBLE_EQ(DensityAmplitude(kEnergyKind, 3, 51), 114.25 / 9);
    EXPECT_DOUBLE_EQ(DensityAmplitude(kDynamicsKind, 3, 51), 2560.0 / 11);
    EXPECT_DOUBLE_EQ(DensityAmplitude(kAbsoluteDynamicsKind, 3, 51), 2210.0 / 12);
}

TEST(DensityAmplitudes, QuadraticDivisorsUpToFiftyMembers)
{
    EXPECT_DOUBLE_EQ(DensityAmplitudeDivisor(kHarmonyKind, 1), 0.295 + 0.707 - 0.0026);
    EXPECT_DOUBLE_EQ(DensityAmplitudeDivisor(kEnergyKind, 10), 3.13 + 0.69 - 0.32);
    EXPECT_DOUBLE_EQ(DensityAmplitudeDivisor(kDynamicsKind, 50), 22.9 + 0.547 - 13.25);
    EXPECT_DOUBLE_EQ(DensityAmplitudeDivisor(kAbsoluteDynamicsKind, 50), 21.0 + 0.584 - 10.75);
    EXPECT_DOUBLE_EQ(DensityAmplitude(kHarmonyKind, 3, 10), 161.25 / (2.95 + 0.707 - 0.26));
    // The step from 50 to 51 members switches the formula.
    EXPECT_NE(DensityAmplitude(kHarmonyKind, 3, 50), DensityAmplitude(kHarmonyKind, 3, 51));
    for (int m = 1; m <= 50; ++m)
        for (int k = 0; k < kCorrelationKinds; ++k)
            EXPECT_GT(DensityAmplitudeDivisor(k, m), 0.0) << "kind " << k << " m " << m;
}

}  // namespace
