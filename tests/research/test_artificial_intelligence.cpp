// Similarity of a moment to an event group's pattern: the scaling of the moment's matrices,
// the three measures in the three modes, the storing and significance rules of the group
// matrices, and the pixel rules of the chart.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "astro/wave_tables.h"
#include "research/correlation_matrices.h"
#include "research/similarity_measures.h"

namespace {

using Matrix = double[kMatrixSize][kMatrixSize];

void ExpectPerfect(const SimilarityMeasures& m)
{
    EXPECT_TRUE(m.defined);
    EXPECT_NEAR(m.fidelity, 1.0, 1e-12);
    EXPECT_NEAR(m.correlation, 1.0, 1e-12);
    EXPECT_NEAR(m.structure, 1.0, 1e-12);
}

// An event group whose members all lie at one moment, loaded the way the module loads the
// event analysis's files: the weighted mean matrices, DA multiplied by the group size, and
// the row sums and totals as the module prints them.
struct GroupPattern {
    double matrices[kCorrelationKinds][kMatrixSize][kMatrixSize];
    double rowSums[kCorrelationKinds][kMatrixSize];
    double totals[kCorrelationKinds];
};

class MomentEqualToGroup : public ::testing::TestWithParam<int> {
protected:
    static void SetUpTestSuite()
    {
        static bool filled = false;
        if (!filled) FillWaveTables();
        filled = true;
    }

    Matrix harmony, dynamics;
    double weights[kMatrixSize] = {57.2, 10.24, 0.31, 0.77, 0.3, 1.87, 0.84, 0.28, 0.22, 0.01, 3.0};

    void Build(int last, int autoCorrelation, int groupSize, GroupPattern* group)
    {
        std::mt19937 random(7 + last);
        std::uniform_real_distribution<double> degrees(0.0, 360.0);
        double longitudes[14];
        for (double& l : longitudes) l = degrees(random);
        BuildMomentMatrices(3, longitudes, harmony, dynamics);
        double accumulators[kCorrelationKinds][kMatrixSize][kMatrixSize];
        ClearAccumulators(accumulators);
        for (int n = 0; n < groupSize; ++n) AccumulateMoment(accumulators, harmony, dynamics, last);
        FinishAccumulators(accumulators, weights, autoCorrelation, last, groupSize,
                           group->matrices);
        for (int p = 0; p < kMatrixSize; ++p)
            for (int q = 0; q < kMatrixSize; ++q)
                group->matrices[kAbsoluteDynamicsKind][p][q] *= groupSize;
        for (int k = 0; k < kCorrelationKinds; ++k) {
            double total = 0.0;
            for (int p = 0; p <= last; ++p) {
                double row = 0.0;
                for (int q = 0; q <= last; ++q) row += group->matrices[k][p][q];
                group->rowSums[k][p] = row * RowSumScale(k, groupSize);
                total += row;
            }
            group->totals[k] = total * TotalScale(k, groupSize);
        }
    }
};

TEST_P(MomentEqualToGroup, GivesFidelityKqAndRsOfOneInEveryMode)
{
    const int groupSize = GetParam();
    for (int last : {9, 10})
        for (int autoCorrelation : {0, 1}) {
            SCOPED_TRACE(testing::Message() << "last " << last << " auto " << autoCorrelation);
            GroupPattern group;
            Build(last, autoCorrelation, groupSize, &group);
            MomentPattern moment;
            BuildMomentPattern(harmony, dynamics, weights, autoCorrelation, nullptr, groupSize,
                               last, &moment);
            TotalSimilaritySums totals = {0.0, 0.0, 0.0};
            for (int k = 0; k < kCorrelationKinds; ++k) {
                SCOPED_TRACE(testing::Message() << "kind " << k);
                ExpectPerfect(ElementSimilarity(group.matrices[k], moment.matrices[k], last));
                ExpectPerfect(RowSumSimilarity(group.rowSums[k], moment.rowSums[k], last));
                ExpectPerfect(AddTotalSimilarity(&totals, group.totals[k], moment.totals[k]));
            }
        }
}

INSTANTIATE_TEST_SUITE_P(GroupSizes, MomentEqualToGroup, ::testing::Values(1, 3, 25));

TEST(SimilarityMeasures, ElementsCompareWithTheGroupsNormOverActivePrinciplesOnly)
{
    Matrix group = {}, current = {};
    group[0][0] = 1, group[0][1] = 2, group[1][0] = 2, group[1][1] = 1;
    for (int p = 0; p < 2; ++p)
        for (int q = 0; q < 2; ++q) current[p][q] = 2 * group[p][q];
    group[5][5] = 100;  // outside 0..last
    current[2][2] = -7;
    SimilarityMeasures twice = ElementSimilarity(group, current, 1);
    EXPECT_DOUBLE_EQ(twice.fidelity, 0.0);     // 1 - 10 / 10
    EXPECT_DOUBLE_EQ(twice.correlation, 2.0);  // 20 / 10
    EXPECT_DOUBLE_EQ(twice.structure, 4.0);
    SimilarityMeasures half = ElementSimilarity(current, group, 1);  // normalised by 40
    EXPECT_DOUBLE_EQ(half.fidelity, 0.75);
    EXPECT_DOUBLE_EQ(half.correlation, 0.5);
    EXPECT_DOUBLE_EQ(half.structure, 0.25);
}

TEST(SimilarityMeasures, RowSumsAreNormalisedByTheCurrentVector)
{
    double group[kMatrixSize] = {2, 0};
    double current[kMatrixSize] = {1, 1};
    SimilarityMeasures m = RowSumSimilarity(group, current, 1);
    EXPECT_DOUBLE_EQ(m.fidelity, 0.0);  // 1 - 2 / 2
    EXPECT_DOUBLE_EQ(m.correlation, 1.0);
    EXPECT_DOUBLE_EQ(m.structure, 2.0);
    SimilarityMeasures swapped = RowSumSimilarity(current, group, 1);  // normalised by 4
    EXPECT_DOUBLE_EQ(swapped.fidelity, 0.5);
    EXPECT_DOUBLE_EQ(swapped.correlation, 0.5);
}

TEST(SimilarityMeasures, TotalsRunOnFromKindToKind)
{
    TotalSimilaritySums sums = {0.0, 0.0, 0.0};
    // Harmony alone: only its totals.
    SimilarityMeasures h = AddTotalSimilarity(&sums, 4.0, 3.0);
    EXPECT_DOUBLE_EQ(h.fidelity, 1.0 - 1.0 / 16.0);
    EXPECT_DOUBLE_EQ(h.correlation, 12.0 / 16.0);
    EXPECT_DOUBLE_EQ(h.structure, 2 * 0.75 - 0.9375);
    // The next asked kind adds to the same three sums.
    SimilarityMeasures i = AddTotalSimilarity(&sums, 2.0, 2.0);
    EXPECT_DOUBLE_EQ(i.fidelity, 1.0 - 1.0 / 20.0);
    EXPECT_DOUBLE_EQ(i.correlation, 16.0 / 20.0);
}

TEST(SimilarityMeasures, AZeroNormGivesZerosInsteadOfNotANumber)
{
    Matrix zero = {}, current = {};
    current[0][0] = 3;
    SimilarityMeasures m = ElementSimilarity(zero, current, 10);
    EXPECT_FALSE(m.defined);
    EXPECT_EQ(m.fidelity, 0.0);
    EXPECT_EQ(m.correlation, 0.0);
    EXPECT_EQ(m.structure, 0.0);
    double group[kMatrixSize] = {1, 2, 3};
    double none[kMatrixSize] = {};
    EXPECT_FALSE(RowSumSimilarity(group, none, 2).defined);
    TotalSimilaritySums sums = {0.0, 0.0, 0.0};
    EXPECT_FALSE(AddTotalSimilarity(&sums, 0.0, 5.0).defined);
    EXPECT_TRUE(AddTotalSimilarity(&sums, 1.0, 5.0).defined);
}

TEST(SimilarityMeasures, CriterionPicksFidelityCorrelationOrStructure)
{
    SimilarityMeasures m = {0.1, 0.2, 0.3, true};
    EXPECT_EQ(CriterionValue(m, 1), 0.1);
    EXPECT_EQ(CriterionValue(m, 2), 0.2);
    EXPECT_EQ(CriterionValue(m, 3), 0.3);
}

TEST(MomentPatternScaling, WeightsAutoCorrelationSignificanceAndGroupSize)
{
    Matrix harmony = {}, dynamics = {};
    for (int p = 0; p <= 10; ++p)
        for (int q = 0; q <= 10; ++q) {
            harmony[p][q] = p == q ? 2.0 : -1.0;
            dynamics[p][q] = p == q ? 0.0 : (p < q ? -4.0 : 4.0);
        }
    double weights[kMatrixSize];
    for (double& w : weights) w = 1.0;
    weights[1] = 2.0;
    MomentPattern plain;
    BuildMomentPattern(harmony, dynamics, weights, 0, nullptr, 4, 9, &plain);
    EXPECT_EQ(plain.matrices[kHarmonyKind][0][0], 0.0);  // auto-correlation off
    EXPECT_EQ(plain.matrices[kHarmonyKind][0][1], -2.0);
    EXPECT_EQ(plain.matrices[kEnergyKind][0][1], 2.0);
    EXPECT_EQ(plain.matrices[kDynamicsKind][1][0], 8.0);
    EXPECT_EQ(plain.matrices[kAbsoluteDynamicsKind][0][1], 4.0 * 2.0 * 4);  // times group size
    EXPECT_EQ(plain.matrices[kHarmonyKind][10][0], 0.0);  // IC not active
    // Row 0 of energy: 8 cells of 1 and one of 2 (Moon), divided by the group size 4.
    EXPECT_DOUBLE_EQ(plain.rowSums[kEnergyKind][0], 10.0 / 4);
    // Totals: energy raw; absolute dynamics divided by 100 times the group size.
    double energyTotal = 0.0, absoluteTotal = 0.0;
    for (int p = 0; p <= 9; ++p)
        for (int q = 0; q <= 9; ++q) {
            energyTotal += plain.matrices[kEnergyKind][p][q];
            absoluteTotal += plain.matrices[kAbsoluteDynamicsKind][p][q];
        }
    EXPECT_DOUBLE_EQ(plain.totals[kEnergyKind], energyTotal);
    EXPECT_DOUBLE_EQ(plain.totals[kAbsoluteDynamicsKind], absoluteTotal / 400);

    SignificanceTable codes[kCorrelationKinds] = {};
    codes[kHarmonyKind][0][1] = 1;
    codes[kDynamicsKind][1][0] = 1;
    MomentPattern selected;
    BuildMomentPattern(harmony, dynamics, weights, 1, codes, 4, 9, &selected);
    EXPECT_EQ(selected.matrices[kHarmonyKind][0][0], 2.0);  // the diagonal follows the flag
    EXPECT_EQ(selected.matrices[kHarmonyKind][0][1], -2.0);
    EXPECT_EQ(selected.matrices[kHarmonyKind][1][0], 0.0);  // code 0 of that cell
    EXPECT_EQ(selected.matrices[kEnergyKind][0][1], 0.0);   // each kind its own codes
    EXPECT_EQ(selected.matrices[kDynamicsKind][1][0], 8.0);
}

TEST(GroupMatrices, TheValueReadLaterWinsAndTheMatrixIsSymmetric)
{
    const int last = 2;
    double values[9] = {1, 2, 3, 4, 5, 6, 7, 8, 9};  // row by row
    Matrix m = {};
    m[3][3] = 42;
    StoreSymmetric(values, last, 10.0, m);
    EXPECT_EQ(m[0][1], 40.0);  // (1, 0) read after (0, 1)
    EXPECT_EQ(m[1][0], 40.0);
    EXPECT_EQ(m[0][2], 70.0);
    EXPECT_EQ(m[2][1], 80.0);
    EXPECT_EQ(m[1][2], 80.0);
    EXPECT_EQ(m[2][2], 90.0);
    EXPECT_EQ(m[3][3], 42.0);
}

TEST(GroupMatrices, SignificanceCountsReductionAndSelection)
{
    SignificanceTable codes = {};
    const int last = 9;
    codes[0][1] = 1, codes[1][0] = 2, codes[9][9] = 2, codes[3][4] = 1;
    codes[0][last + 1] = 2;  // the row's own code is not a cell
    codes[10][0] = 1;        // outside the active rows
    int five, one;
    CountSignificance(codes, last, &five, &one);
    EXPECT_EQ(five, 2);
    EXPECT_EQ(one, 2);
    ReduceSignificance(codes, last);
    EXPECT_EQ(codes[1][0], 1);
    EXPECT_EQ(codes[0][last + 1], 1);
    Matrix m;
    for (auto& row : m)
        for (double& v : row) v = 5.0;
    ApplySignificance(codes, last, m);
    EXPECT_EQ(m[0][1], 5.0);
    EXPECT_EQ(m[1][0], 5.0);
    EXPECT_EQ(m[2][2], 0.0);
    EXPECT_EQ(m[10][0], 5.0);  // outside: untouched
}

TEST(SimilarityChart, CurveRowsColumnsAndEventOffsets)
{
    EXPECT_EQ(SimilarityCurveY(1.0), 20);
    EXPECT_EQ(SimilarityCurveY(0.0), 550);
    EXPECT_EQ(SimilarityCurveY(0.5), 285);
    EXPECT_EQ(SimilarityCurveY(-0.9), 1027);
    EXPECT_EQ(SimilarityCurveY(-1.0), 1040);  // at most 1040
    EXPECT_EQ(SimilarityCurveY(-1e300), 1040);
    EXPECT_EQ(SimilarityCurveY(std::numeric_limits<double>::quiet_NaN()), 1040);
    EXPECT_EQ(SimilarityStepX(0, 9.15), 60);
    EXPECT_EQ(SimilarityStepX(199, 9.15), 60 + 1820);
    EXPECT_EQ(SimilarityEventX(2451560.0, 2451545.0, 2451575.0), 915);
    EXPECT_EQ(SimilarityEventX(2451545.0, 2451545.0, 2451545.0), 0);  // empty period
    EXPECT_EQ(SimilarityEventX(1e300, 0.0, 1.0), 100000);
}

}  // namespace
