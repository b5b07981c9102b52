// Counting rules and significance codes of the matrix probability, and the random control
// groups it shares with the density function.

#include <gtest/gtest.h>

#include <cstdlib>

#include "astro/julian.h"
#include "astro/positions.h"
#include "astro/wave_tables.h"
#include "research/control_groups.h"
#include "research/probability_counts.h"

namespace {

using Matrix = double[kMatrixSize][kMatrixSize];

TEST(SignificanceCode, BoundariesAtOneFiveNinetyFiveAndNinetyNine)
{
    EXPECT_EQ(SignificanceCode(1.0), 2);
    EXPECT_EQ(SignificanceCode(5.0), 1);
    EXPECT_EQ(SignificanceCode(95.0), 1);
    EXPECT_EQ(SignificanceCode(99.0), 2);
    EXPECT_EQ(SignificanceCode(0.0), 2);
    EXPECT_EQ(SignificanceCode(100.0), 2);
    EXPECT_EQ(SignificanceCode(1.01), 1);
    EXPECT_EQ(SignificanceCode(5.01), 0);
    EXPECT_EQ(SignificanceCode(50.0), 0);
    EXPECT_EQ(SignificanceCode(94.99), 0);
    EXPECT_EQ(SignificanceCode(98.99), 1);
}

TEST(SignificanceCode, WholePercentagesOfAnyGroupCountAreExact)
{
    // Shares of 1, 5, 95 and 99 percent must land on the boundary, not a rounding step off.
    for (int groups = 100; groups <= 100000; groups += 100) {
        const int percent = groups / 100;
        EXPECT_EQ(ProbabilityPercent(percent, groups), 1.0) << groups;
        EXPECT_EQ(ProbabilityPercent(5 * percent, groups), 5.0) << groups;
        EXPECT_EQ(ProbabilityPercent(95 * percent, groups), 95.0) << groups;
        EXPECT_EQ(ProbabilityPercent(99 * percent, groups), 99.0) << groups;
        EXPECT_EQ(SignificanceCode(ProbabilityPercent(5 * percent, groups)), 1);
        EXPECT_EQ(SignificanceCode(ProbabilityPercent(95 * percent, groups)), 1);
        EXPECT_EQ(SignificanceCode(ProbabilityPercent(percent, groups)), 2);
    }
    EXPECT_EQ(ProbabilityPercent(1, 20), 5.0);
    EXPECT_EQ(ProbabilityPercent(19, 20), 95.0);
    EXPECT_EQ(ProbabilityPercent(3, 0), 0.0);
}

class ControlGroupCounts : public ::testing::Test {
protected:
    Matrix control{};
    Matrix event{};
    double eventRows[kMatrixSize]{};
    ProbabilityCounters counters;
    void SetUp() override
    {
        ClearProbabilityCounters(&counters);
        for (int i = 0; i < kMatrixSize; ++i)
            for (int j = 0; j < kMatrixSize; ++j) control[i][j] = event[i][j] = 1.0;
        for (int i = 0; i <= 9; ++i) eventRows[i] = 10.0;  // equal to the control rows
    }
};

TEST_F(ControlGroupCounts, TiesCountForElementsButNotForRowAndMatrixSums)
{
    CountControlGroup(control, event, eventRows, 100.0, 9, &counters);
    EXPECT_EQ(counters.elements[0][0], 1);
    EXPECT_EQ(counters.elements[3][7], 1);
    EXPECT_EQ(counters.elements[9][9], 1);
    for (int i = 0; i <= 9; ++i) EXPECT_EQ(counters.rows[i], 0) << i;
    EXPECT_EQ(counters.sum, 0);
    // Just above the event: row and matrix sums count.
    eventRows[4] = 9.999;
    CountControlGroup(control, event, eventRows, 99.999, 9, &counters);
    EXPECT_EQ(counters.rows[4], 1);
    EXPECT_EQ(counters.rows[5], 0);
    EXPECT_EQ(counters.sum, 1);
    EXPECT_EQ(counters.elements[3][7], 2);
}

TEST_F(ControlGroupCounts, OnlyTheUpperTriangleWithinTheActivePrinciples)
{
    control[2][5] = 0.5;  // below the event: not counted
    CountControlGroup(control, event, eventRows, 0.0, 9, &counters);
    EXPECT_EQ(counters.elements[2][5], 0);
    EXPECT_EQ(counters.elements[5][2], 0);  // i > j never counts
    EXPECT_EQ(counters.elements[1][0], 0);
    EXPECT_EQ(counters.elements[0][10], 0);  // the IC is not active with last = 9
    EXPECT_EQ(counters.rows[10], 0);
    EXPECT_EQ(counters.rows[2], 0);  // 9.5 is not above 10
    EXPECT_EQ(counters.rows[3], 0);
    EXPECT_EQ(counters.sum, 1);  // 99.5 > 0
}

TEST(ControlGroups, MomentsStayInsideThePeriod)
{
    ControlGroupSampler sampler;
    const double start = 2433282.5, end = 2451544.5;
    StartControlGroups(&sampler, 3, 10, start, end, 1000, 10);
    EXPECT_EQ(sampler.moments, 10000.0);
    EXPECT_DOUBLE_EQ(sampler.increment, (end - start) / 10000.0);
    std::srand(11);
    for (int k = 0; k < 20000; ++k) {
        const double t = RandomControlMoment(sampler);
        EXPECT_GE(t, start);
        EXPECT_LE(t, end + 1e-6);
    }
}

TEST(ControlGroups, OneMemberIsTheMomentReadAsZoneOneAtTheFixedPlace)
{
    FillWaveTables();
    ControlGroupSampler sampler;
    StartControlGroups(&sampler, 4, 10, 2415020.5, 2451545.5, 50, 2);
    std::srand(23);
    const double t = RandomControlMoment(sampler);
    PersonRecord record{};
    CalendarFromJulianDay(t, &record.year, &record.month, &record.day, &record.hour,
                          &record.minute);
    record.timeZone = 1;
    record.longitudeDegrees = 13;
    record.longitudeMinutes = 59;
    record.latitudeDegrees = 51;
    record.latitudeMinutes = 10;
    PositionRecord positions{};
    PlanetPositions(record, &positions);
    Matrix harmony, dynamics;
    BuildMomentMatrices(4, positions.longitude, harmony, dynamics);

    double accumulators[kCorrelationKinds][kMatrixSize][kMatrixSize];
    std::srand(23);
    SampleControlGroup(&sampler, 1, accumulators);
    EXPECT_DOUBLE_EQ(sampler.positions.julianDay, positions.julianDay);
    EXPECT_NEAR(positions.julianDay, t - 1.0 / 24, 1.0 / 1440);  // zone 1: an hour earlier
    for (int i = 0; i <= 10; ++i)
        for (int j = 0; j <= 10; ++j) {
            EXPECT_EQ(accumulators[kHarmonyKind][i][j], harmony[i][j]);
            EXPECT_EQ(accumulators[kAbsoluteDynamicsKind][i][j], std::abs(dynamics[i][j]));
        }
    // A second group starts from cleared accumulators.
    SampleControlGroup(&sampler, 0, accumulators);
    EXPECT_EQ(accumulators[kEnergyKind][3][4], 0.0);
}

}  // namespace
