// The whole shuffle test on small groups: the group's values are the Event analysis's, a seed
// repeats a run, identical members give no effect, the replication adds up.

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "astro/positions.h"
#include "research/correlation_matrices.h"
#include "research/shuffle/shuffle_quantities.h"
#include "research/shuffle/shuffle_test.h"
#include "tests/research/shuffle/shuffle_test_groups.h"

namespace {

using namespace shuffle_test_groups;

// The group's four matrices, row sums and matrix sums exactly as the Event analysis forms them.
void EventAnalysisValues(const std::vector<ShuffleMember>& group, const ShuffleSettings& s,
                         const std::vector<ShuffleQuantity>& list, std::vector<double>* values)
{
    double accumulators[kCorrelationKinds][kMatrixSize][kMatrixSize];
    double results[kCorrelationKinds][kMatrixSize][kMatrixSize];
    double harmony[kMatrixSize][kMatrixSize], dynamics[kMatrixSize][kMatrixSize];
    ClearAccumulators(accumulators);
    PositionRecord positions{};
    for (const ShuffleMember& m : group) {
        PlanetPositions(m.record, &positions);
        BuildMomentMatrices(s.order, positions.longitude, harmony, dynamics);
        AccumulateMoment(accumulators, harmony, dynamics, s.last);
    }
    FinishAccumulators(accumulators, s.weights, s.selfCorrelation, s.last,
                       static_cast<int>(group.size()), results);
    double rowSums[kCorrelationKinds][kMatrixSize], sums[kCorrelationKinds];
    for (int k = 0; k < kCorrelationKinds; ++k) sums[k] = RowSums(results[k], s.last, rowSums[k]);
    EXPECT_EQ(sums[kHarmonyKind], MatrixSum(results[kHarmonyKind], s.last));
    values->clear();
    for (const ShuffleQuantity& q : list)
        values->push_back(q.row < 0      ? sums[q.kind]
                          : q.column < 0 ? rowSums[q.kind][q.row]
                                         : results[q.kind][q.row][q.column]);
}

TEST(ShuffleTest, QuantitiesAreListedInKindOrder)
{
    ShuffleSettings s = DefaultSettings(kClockTimesRecoupled, 100, 1);
    std::vector<ShuffleQuantity> list;
    ListShuffleQuantities(s, &list);
    // 11 principles: 55 pairs, 11 diagonal, 11 row sums, 1 matrix sum per kind.
    EXPECT_EQ(list.size(), 4u * (55 + 11 + 11 + 1));
    s.selfCorrelation = 0;
    s.weights[3] = 0.0;  // Venus not tested
    ListShuffleQuantities(s, &list);
    EXPECT_EQ(list.size(), 4u * (45 + 10 + 1));
    EXPECT_EQ(list.front().kind, 0);
    EXPECT_EQ(list.back().kind, 3);
    EXPECT_EQ(list.back().row, -1);
}

TEST(ShuffleTest, GroupValuesAreTheEventAnalysisValues)
{
    const ShuffleDesign designs[3] = {kClockTimesRecoupled, kDatesTimesPlacesShuffled,
                                      kRandomMomentsOfPeriod};
    for (int variant = 0; variant < 3; ++variant) {
        const ShuffleDesign design = designs[variant];
        std::vector<ShuffleMember> group = MakeGroup(25, 3);
        ShuffleSettings s = DefaultSettings(design, 100, 5);
        s.weights[2] = 0.0;  // Mercury not tested, but still in the row sums (weight 0)
        s.weights[6] = 2.5;
        s.order = 1 + 4 * variant;
        if (variant == 1) s.selfCorrelation = 0;
        if (variant == 2) s.last = 9;  // without IC
        ShuffleResult result;
        ASSERT_TRUE(RunShuffleTest(s, group.data(), 25, nullptr, &result));
        std::vector<double> expected;
        EventAnalysisValues(group, s, result.quantities, &expected);
        ASSERT_EQ(expected.size(), result.statistics.size());
        for (size_t q = 0; q < expected.size(); ++q)
            EXPECT_EQ(result.statistics[q].group, expected[q]) << q;  // to the bit
        EXPECT_EQ(result.controlMembers, 100 * 25);
    }
}

TEST(ShuffleTest, MeanOfTheMembersOwnValuesIsTheGroupValue)
{
    // The bootstrap resamples each member's own weighted values; their mean is the group value
    // (up to rounding, since the group weights its sums once).
    std::vector<ShuffleMember> group = MakeGroup(25, 6);
    ShuffleSettings s = DefaultSettings(kClockTimesRecoupled, 100, 1);
    s.weights[0] = 57.2;
    s.weights[10] = 57.2;
    std::vector<ShuffleQuantity> list;
    ListShuffleQuantities(s, &list);
    const int Q = static_cast<int>(list.size());
    ShuffleAccumulators all, one;
    MomentScratch scratch;
    ClearAccumulators(all);
    std::vector<double> mean(Q, 0.0), values(Q), groupValues(Q);
    for (const ShuffleMember& m : group) {
        AccumulateRecord(m.record, s.order, s.last, all, &scratch);
        ClearAccumulators(one);
        AccumulateRecord(m.record, s.order, s.last, one, &scratch);
        QuantitiesFromAccumulators(one, s, 1, list.data(), Q, values.data());
        for (int q = 0; q < Q; ++q) mean[q] += values[q] / 25.0;
    }
    QuantitiesFromAccumulators(all, s, 25, list.data(), Q, groupValues.data());
    for (int q = 0; q < Q; ++q)
        EXPECT_NEAR(mean[q], groupValues[q], 1e-12 * (1.0 + std::fabs(groupValues[q]))) << q;
}

TEST(ShuffleTest, SameSeedSameNumbersOtherSeedOthers)
{
    std::vector<ShuffleMember> group = MakeGroup(20, 4);
    for (ShuffleDesign design : {kClockTimesRecoupled, kDatesTimesPlacesShuffled,
                                 kRandomMomentsOfPeriod}) {
        ShuffleSettings s = DefaultSettings(design, 100, 77);
        s.replication = true;
        ShuffleResult a, b, c;
        ASSERT_TRUE(RunShuffleTest(s, group.data(), 20, nullptr, &a));
        ASSERT_TRUE(RunShuffleTest(s, group.data(), 20, nullptr, &b));
        s.seed = 78;
        ASSERT_TRUE(RunShuffleTest(s, group.data(), 20, nullptr, &c));
        int differ = 0;
        for (size_t q = 0; q < a.statistics.size(); ++q) {
            const ShuffleStatistic &x = a.statistics[q], &y = b.statistics[q];
            EXPECT_EQ(x.controlMean, y.controlMean);
            EXPECT_EQ(x.controlSd, y.controlSd);
            EXPECT_EQ(x.z, y.z);
            EXPECT_EQ(x.p, y.p);
            EXPECT_EQ(x.q, y.q);
            EXPECT_EQ(x.pFamily, y.pFamily);
            EXPECT_EQ(x.ciLow, y.ciLow);
            EXPECT_EQ(x.ciHigh, y.ciHigh);
            EXPECT_EQ(x.pHalfA, y.pHalfA);
            EXPECT_EQ(x.pHalfB, y.pHalfB);
            EXPECT_EQ(x.replicated, y.replicated);
            differ += x.controlMean != c.statistics[q].controlMean;
        }
        EXPECT_GT(differ, 100);
        EXPECT_EQ(a.zoneFallbacks, b.zoneFallbacks);
        EXPECT_EQ(a.halfA, 10);
        EXPECT_EQ(a.halfB, 10);
        EXPECT_EQ(a.controlMembers, 2 * 100 * 20);
    }
}

TEST(ShuffleTest, IdenticalMembersShowNoEffect)
{
    // Ten copies of one event: every control group is the group itself. Its offsets agree with
    // the tz database, so design 2 rebuilds it exactly too.
    std::vector<ShuffleMember> group(10, MakeMember(1955, 5, 17, 14, 30, kPlaces[1]));
    for (ShuffleDesign design : {kClockTimesRecoupled, kDatesTimesPlacesShuffled}) {
        ShuffleSettings s = DefaultSettings(design, 100, 12);
        ShuffleResult r;
        ASSERT_TRUE(RunShuffleTest(s, group.data(), 10, nullptr, &r));
        for (const ShuffleStatistic& st : r.statistics) {
            EXPECT_EQ(st.controlMean, st.group);
            EXPECT_EQ(st.controlSd, 0.0);
            EXPECT_EQ(st.z, 0.0);
            EXPECT_EQ(st.p, 1.0);
            EXPECT_EQ(st.q, 1.0);
            EXPECT_EQ(st.pFamily, 1.0);
            EXPECT_EQ(st.ciLow, 0.0);
            EXPECT_EQ(st.ciHigh, 0.0);
        }
        EXPECT_EQ(r.zoneFallbacks, 0);
    }
}

TEST(ShuffleTest, HundredControlGroupsGiveHundredFirstSteps)
{
    std::vector<ShuffleMember> group = MakeGroup(15, 8);
    ShuffleSettings s = DefaultSettings(kClockTimesRecoupled, 100, 3);
    ShuffleResult r;
    ASSERT_TRUE(RunShuffleTest(s, group.data(), 15, nullptr, &r));
    for (const ShuffleStatistic& st : r.statistics) {
        const double steps = st.p * 101.0, familySteps = st.pFamily * 101.0;
        EXPECT_NEAR(steps, std::round(steps), 1e-9);
        EXPECT_NEAR(familySteps, std::round(familySteps), 1e-9);
        EXPECT_GE(st.p, 1.0 / 101.0);
        EXPECT_LE(st.p, 1.0);
        EXPECT_GE(st.q, st.p);
        EXPECT_GE(st.pFamily, st.p - 1e-12);  // the family-wise p is never below the p of z
        EXPECT_LE(st.ciLow, st.ciHigh);
    }
}

TEST(ShuffleTest, ReplicationCountsAddUp)
{
    std::vector<ShuffleMember> group = MakeGroup(31, 9);
    ShuffleSettings s = DefaultSettings(kDatesTimesPlacesShuffled, 100, 4);
    s.replication = true;
    ShuffleResult r;
    ASSERT_TRUE(RunShuffleTest(s, group.data(), 31, nullptr, &r));
    EXPECT_EQ(r.halfA, 15);
    EXPECT_EQ(r.halfB, 16);
    int found = 0, replicated = 0;
    for (const ShuffleStatistic& st : r.statistics) {
        found += st.qHalfA < 0.05;
        replicated += st.replicated;
        if (st.replicated) {
            EXPECT_LT(st.pHalfB, 0.05);
        }
        EXPECT_GE(st.pHalfA, 1.0 / 101.0);
    }
    EXPECT_EQ(found, r.foundInHalfA);
    EXPECT_EQ(replicated, r.replicatedCount);
    EXPECT_DOUBLE_EQ(r.expectedByChance, found * 0.025);
    EXPECT_EQ(r.controlMembers, 100 * 31 * 2);
}

int g_calls = 0;
bool StopAtSecondCall(int)
{
    return ++g_calls < 2;
}

TEST(ShuffleTest, ProgressCanStopTheRun)
{
    std::vector<ShuffleMember> group = MakeGroup(2000, 1);
    ShuffleSettings s = DefaultSettings(kClockTimesRecoupled, 1000, 3);
    ShuffleResult r;
    g_calls = 0;
    EXPECT_FALSE(RunShuffleTest(s, group.data(), 2000, StopAtSecondCall, &r));
    EXPECT_EQ(g_calls, 2);  // stopped after the first block, long before 2 million moments
}

}  // namespace
