// The shuffle test's statistics on small cases checked by hand.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numeric>
#include <vector>

#include "research/shuffle/permutation_statistics.h"

namespace {

TEST(ShuffleStatistics, MeanAndSdOfFourControls)
{
    const double controls[4] = {1, 2, 3, 4};  // K = 4, Q = 1
    double mean, sd;
    ControlMeansAndSds(controls, 4, 1, &mean, &sd);
    EXPECT_DOUBLE_EQ(mean, 2.5);
    EXPECT_DOUBLE_EQ(sd, std::sqrt(5.0 / 3.0));  // divisor K - 1
}

TEST(ShuffleStatistics, EqualControlsGiveTheirValueAndSdZero)
{
    // 0.1 summed 100 times is not 10: the mean must still be 0.1 exactly, the sd exactly 0.
    std::vector<double> controls(100, 0.1);
    double mean, sd;
    ControlMeansAndSds(controls.data(), 100, 1, &mean, &sd);
    EXPECT_EQ(mean, 0.1);
    EXPECT_EQ(sd, 0.0);
    EXPECT_EQ(ShuffleZ(0.1, mean, sd), 0.0);
    EXPECT_EQ(ShuffleZ(7.0, mean, sd), 0.0);  // sd 0: z is 0, whatever the group
    double p;
    const double same = 0.1, other = 0.2;
    PermutationPValues(controls.data(), 100, 1, &same, &mean, &p);
    EXPECT_EQ(p, 1.0);  // every control ties with the group
    PermutationPValues(controls.data(), 100, 1, &other, &mean, &p);
    EXPECT_EQ(p, 1.0 / 101.0);  // none is as far
}

TEST(ShuffleStatistics, PermutationPCountsTiesOnBothSides)
{
    const double controls[4] = {1, 2, 3, 4};  // mean 2.5; distances 1.5, 0.5, 0.5, 1.5
    const double mean = 2.5;
    auto p_of = [&](double group) {
        double p;
        PermutationPValues(controls, 4, 1, &group, &mean, &p);
        return p;
    };
    EXPECT_DOUBLE_EQ(p_of(4.0), 3.0 / 5.0);  // ties with 1 and 4
    EXPECT_DOUBLE_EQ(p_of(1.0), 3.0 / 5.0);  // two-sided: the low side alike
    EXPECT_DOUBLE_EQ(p_of(2.5), 1.0);        // at the mean: all four
    EXPECT_DOUBLE_EQ(p_of(3.9), 3.0 / 5.0);
    EXPECT_DOUBLE_EQ(p_of(10.0), 1.0 / 5.0);  // never 0
}

TEST(ShuffleStatistics, PermutationPWithAHundredControls)
{
    std::vector<double> controls(100);
    std::iota(controls.begin(), controls.end(), 0.0);  // 0..99, mean 49.5
    double mean, sd;
    ControlMeansAndSds(controls.data(), 100, 1, &mean, &sd);
    EXPECT_DOUBLE_EQ(mean, 49.5);
    auto p_of = [&](double group) {
        double p;
        PermutationPValues(controls.data(), 100, 1, &group, &mean, &p);
        return p;
    };
    EXPECT_DOUBLE_EQ(p_of(99.0), 3.0 / 101.0);   // 0 and 99 as far
    EXPECT_DOUBLE_EQ(p_of(97.5), 5.0 / 101.0);   // 0, 1, 98, 99
    EXPECT_DOUBLE_EQ(p_of(150.0), 1.0 / 101.0);  // the smallest p of K = 100
    EXPECT_DOUBLE_EQ(p_of(49.5), 1.0);
    // The share at p < 0.05 needs 4 or fewer controls as far: 5 / 101 < 0.05 < 6 / 101.
    EXPECT_LT(p_of(97.5), 0.05);
    EXPECT_GT(p_of(96.5), 0.05);
}

TEST(ShuffleStatistics, BenjaminiHochbergOnAHandExample)
{
    // Sorted: 0.005 (i=3), 0.01 (0), 0.03 (2), 0.04 (1); p m / rank: 0.02, 0.02, 0.04, 0.04.
    const double p[4] = {0.01, 0.04, 0.03, 0.005};
    double q[4];
    BenjaminiHochbergQ(p, 4, q);
    EXPECT_DOUBLE_EQ(q[0], 0.02);
    EXPECT_DOUBLE_EQ(q[1], 0.04);
    EXPECT_DOUBLE_EQ(q[2], 0.04);
    EXPECT_DOUBLE_EQ(q[3], 0.02);
    // The step-up minimum: 0.04 x 3 / 2 = 0.06 is lowered to the 0.05 of the next rank.
    const double p2[3] = {0.01, 0.04, 0.05};
    double q2[3];
    BenjaminiHochbergQ(p2, 3, q2);
    EXPECT_DOUBLE_EQ(q2[0], 0.03);
    EXPECT_DOUBLE_EQ(q2[1], 0.05);
    EXPECT_DOUBLE_EQ(q2[2], 0.05);
    // Equal p get equal q; q never exceeds 1.
    const double p3[4] = {0.01, 0.01, 0.9, 0.8};
    double q3[4];
    BenjaminiHochbergQ(p3, 4, q3);
    EXPECT_DOUBLE_EQ(q3[0], 0.02);
    EXPECT_DOUBLE_EQ(q3[1], 0.02);
    EXPECT_DOUBLE_EQ(q3[2], 0.9);
    EXPECT_DOUBLE_EQ(q3[3], 0.9);
    const double p4[2] = {0.7, 1.0};
    double q4[2];
    BenjaminiHochbergQ(p4, 2, q4);
    EXPECT_DOUBLE_EQ(q4[0], 1.0);
    EXPECT_DOUBLE_EQ(q4[1], 1.0);
}

TEST(ShuffleStatistics, MaxAbsZOnATinyHandExample)
{
    // K = 4 control groups, Q = 2 quantities; row g holds group g's two values.
    // Quantity 0: 1, 2, 3, 4 (mean 2.5, sd s = sqrt(5/3)); z = -1.5/s, -0.5/s, 0.5/s, 1.5/s.
    // Quantity 1: 0, 0, 0, 4 (mean 1, sd 2);               z = -0.5, -0.5, -0.5, 1.5.
    // Largest |z| per control group: 1.5/s = 1.162, 0.5, 0.5, 1.5.
    const double controls[8] = {1, 0, 2, 0, 3, 0, 4, 4};
    double mean[2], sd[2];
    ControlMeansAndSds(controls, 4, 2, mean, sd);
    EXPECT_DOUBLE_EQ(mean[1], 1.0);
    EXPECT_DOUBLE_EQ(sd[1], 2.0);
    double group[2] = {4.0, 3.0};  // z = 1.5/s (ties with control group 0) and 1.0
    double z[2] = {ShuffleZ(group[0], mean[0], sd[0]), ShuffleZ(group[1], mean[1], sd[1])};
    EXPECT_DOUBLE_EQ(z[1], 1.0);
    double maxima[4], pFamily[2];
    FamilyWisePValues(controls, 4, 2, mean, sd, z, maxima, pFamily);
    EXPECT_DOUBLE_EQ(pFamily[0], 3.0 / 5.0);  // groups 0 (tie) and 3 reach 1.162
    EXPECT_DOUBLE_EQ(pFamily[1], 3.0 / 5.0);  // groups 0 and 3 reach 1.0
    group[1] = 5.0;                           // z = 2: no control group reaches it
    z[1] = ShuffleZ(group[1], mean[1], sd[1]);
    FamilyWisePValues(controls, 4, 2, mean, sd, z, maxima, pFamily);
    EXPECT_DOUBLE_EQ(pFamily[1], 1.0 / 5.0);
    group[1] = 1.0;  // z = 0: every control group reaches it
    z[1] = 0.0;
    FamilyWisePValues(controls, 4, 2, mean, sd, z, maxima, pFamily);
    EXPECT_DOUBLE_EQ(pFamily[1], 1.0);
}

TEST(ShuffleStatistics, WithOneQuantityFamilyWisePIsThePermutationP)
{
    std::vector<double> controls(100);
    for (int g = 0; g < 100; ++g) controls[g] = std::sin(g * 1.7) * 3.0 + 0.01 * g;
    double mean, sd;
    ControlMeansAndSds(controls.data(), 100, 1, &mean, &sd);
    std::vector<double> maxima(100);
    for (double group : {mean, mean + 0.3, mean - 2.0, mean + 2.9, mean + 50.0, controls[17]}) {
        double p, pFamily;
        const double z = ShuffleZ(group, mean, sd);
        PermutationPValues(controls.data(), 100, 1, &group, &mean, &p);
        FamilyWisePValues(controls.data(), 100, 1, &mean, &sd, &z, maxima.data(), &pFamily);
        EXPECT_DOUBLE_EQ(p, pFamily) << group;
    }
}

TEST(ShuffleStatistics, PercentileRanksOfTheInterval)
{
    // B = 1000 deviations 0..999 in some order, difference 0: d_25 = 24 and d_976 = 975.
    std::vector<double> means(1000);
    for (int b = 0; b < 1000; ++b) means[b] = (b * 617) % 1000;
    std::vector<double> column(1000);
    const double controlMean = 0.0;  // the observed difference
    double low, high;
    PercentileIntervals(means.data(), 1000, 1, &controlMean, column.data(), &low, &high);
    EXPECT_EQ(low, 24.0);
    EXPECT_EQ(high, 975.0);
    // B = 40: k = 1, the smallest and the largest; B = 41: k = 2.
    PercentileIntervals(means.data(), 40, 1, &controlMean, column.data(), &low, &high);
    EXPECT_EQ(low, *std::min_element(means.begin(), means.begin() + 40));
    EXPECT_EQ(high, *std::max_element(means.begin(), means.begin() + 40));
    PercentileIntervals(means.data(), 41, 1, &controlMean, column.data(), &low, &high);
    std::vector<double> sorted(means.begin(), means.begin() + 41);
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(low, sorted[1]);
    EXPECT_EQ(high, sorted[39]);
}

// The bootstrap of the members' mean, through the engine as the run draws it (the group value
// here is the members' mean).
void BootstrapOf(std::vector<double> values, int resamples, double controlMean,
                 std::uint64_t seed, double* low, double* high)
{
    const int n = static_cast<int>(values.size());
    double mean = 0.0;
    for (double v : values) mean += v;
    mean /= n;
    CentreMemberValues(values.data(), n, 1);
    ShuffleEngine engine(seed);
    std::vector<int> counts(static_cast<size_t>(resamples) * n);
    DrawBootstrapCounts(engine, n, resamples, counts.data());
    std::vector<double> deviations(resamples), column(resamples);
    for (int b = 0; b < resamples; ++b)
        ResampleDeviation(values.data(), n, 1, counts.data() + static_cast<size_t>(b) * n,
                          &deviations[b]);
    const double difference = mean - controlMean;
    PercentileIntervals(deviations.data(), resamples, 1, &difference, column.data(), low, high);
}

TEST(ShuffleStatistics, BootstrapOfTwoMembersSpansBoth)
{
    // Members 0 and 1: a resample's mean is 0, 1/2 or 1 with chances 1/4, 1/2, 1/4, so the
    // 25th of 1000 sorted means is 0 and the 976th is 1 (all but certainly).
    double low, high;
    BootstrapOf({0.0, 1.0}, 1000, 0.25, 7, &low, &high);
    EXPECT_EQ(low, -0.25);
    EXPECT_EQ(high, 0.75);
}

TEST(ShuffleStatistics, BootstrapOfIdenticalMembersIsAPoint)
{
    double low, high;
    BootstrapOf(std::vector<double>(50, 3.0), 1000, 1.0, 11, &low, &high);
    EXPECT_EQ(low, 2.0);
    EXPECT_EQ(high, 2.0);
}

TEST(ShuffleStatistics, BootstrapIntervalOfAMeanIsAboutTwoStandardErrors)
{
    // 400 members 0..399: mean 199.5, standard error sqrt((400^2 - 1) / 12) / 20 = 5.773; the
    // 95 % interval of mean - 199.5 is about -11.3 .. 11.3 (the percentile's own Monte Carlo
    // error at B = 2000 is about 0.35).
    std::vector<double> values(400);
    std::iota(values.begin(), values.end(), 0.0);
    double low, high;
    BootstrapOf(values, 2000, 199.5, 3, &low, &high);
    const double half = 1.96 * std::sqrt((400.0 * 400.0 - 1.0) / 12.0) / 20.0;
    EXPECT_NEAR(low, -half, 1.2);
    EXPECT_NEAR(high, half, 1.2);
}

TEST(ShuffleStatistics, ResampleDeviationWeighsByCounts)
{
    // Two quantities, three members with means 3 and 30; counts 2, 0, 1.
    double values[6] = {1, 10, 2, 20, 6, 60};
    CentreMemberValues(values, 3, 2);
    EXPECT_DOUBLE_EQ(values[0], -2.0);
    EXPECT_DOUBLE_EQ(values[5], 30.0);
    const int counts[3] = {2, 0, 1};
    double deviation[2];
    ResampleDeviation(values, 3, 2, counts, deviation);
    EXPECT_DOUBLE_EQ(deviation[0], (2 * -2.0 + 3.0) / 3.0);
    EXPECT_DOUBLE_EQ(deviation[1], (2 * -20.0 + 30.0) / 3.0);
}

}  // namespace
