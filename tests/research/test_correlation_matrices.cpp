// Correlation matrices of one moment and of a set of moments.

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "astro/positions.h"
#include "astro/self_harmony.h"
#include "astro/wave_tables.h"
#include "research/correlation_matrices.h"

namespace {

using Matrix = double[kMatrixSize][kMatrixSize];
using MatrixSet = double[kCorrelationKinds][kMatrixSize][kMatrixSize];

class CorrelationMatrices : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        static bool filled = false;
        if (!filled) FillWaveTables();
        filled = true;
    }
};

// Longitudes of a plausible moment (Sun..Pluto, IC), the rest unused.
void SampleLongitudes(unsigned seed, double* longitudes)
{
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> degrees(0.0, 360.0);
    for (int i = 0; i < 14; ++i) longitudes[i] = degrees(random);
}

// The matrices element by element, as the definitions read.
void DefinitionHarmony(int order, const double* l, Matrix m)
{
    for (int i = 0; i < kMatrixSize; ++i)
        for (int j = 0; j < kMatrixSize; ++j) m[i][j] = 0.0;
    for (int i = 0; i <= 10; ++i)
        for (int j = 0; j <= 10; ++j)
            m[i][j] =
                i == j ? 10.0 * SelfHarmony(i, l[i]) : 10.0 * HarmonyLookup(order, l[i], l[j]);
    m[10][10] = 0.0;
}

void DefinitionDynamics(int order, const double* l, Matrix m)
{
    for (int i = 0; i < kMatrixSize; ++i)
        for (int j = 0; j < kMatrixSize; ++j) m[i][j] = 0.0;
    for (int i = 0; i <= 10; ++i)
        for (int j = 0; j <= 10; ++j) {
            if (i > j) m[i][j] = 10.0 * DynamicsLookup(order, l[i], l[j]);
            if (i < j) m[i][j] = -10.0 * DynamicsLookup(order, l[i], l[j]);
        }
}

void FillWithGarbage(Matrix m)
{
    for (int i = 0; i < kMatrixSize; ++i)
        for (int j = 0; j < kMatrixSize; ++j) m[i][j] = 1234.5;
}

}  // namespace

TEST_F(CorrelationMatrices, BuildersFollowTheDefinitions)
{
    for (unsigned seed = 1; seed <= 200; ++seed) {
        double l[14];
        SampleLongitudes(seed, l);
        if (seed % 10 == 0) l[3] = l[4];  // a conjunction
        const int order = 1 + seed % 12;
        Matrix h, d, i, hBoth, dBoth, hDef, dDef;
        FillWithGarbage(h);
        FillWithGarbage(d);
        FillWithGarbage(hBoth);
        FillWithGarbage(dBoth);
        BuildHarmonyMatrix(order, l, h);
        BuildDynamicsMatrix(order, l, d);
        BuildEnergyMatrix(order, l, i);
        BuildMomentMatrices(order, l, hBoth, dBoth);
        DefinitionHarmony(order, l, hDef);
        DefinitionDynamics(order, l, dDef);
        for (int r = 0; r < kMatrixSize; ++r)
            for (int c = 0; c < kMatrixSize; ++c) {
                EXPECT_NEAR(h[r][c], hDef[r][c], 1e-13) << r << "," << c;
                EXPECT_EQ(d[r][c], dDef[r][c]) << r << "," << c;
                EXPECT_EQ(hBoth[r][c], h[r][c]);
                EXPECT_EQ(dBoth[r][c], d[r][c]);
                EXPECT_EQ(i[r][c], std::fabs(h[r][c]));
                EXPECT_EQ(h[r][c], h[c][r]);
                EXPECT_EQ(d[r][c], d[c][r]);  // symmetric (zero for a conjunction)
                if (r > 10 || c > 10) {
                    EXPECT_EQ(h[r][c], 0.0);
                    EXPECT_EQ(d[r][c], 0.0);
                }
            }
        EXPECT_EQ(h[10][10], 0.0);  // the IC has no self term
        EXPECT_EQ(i[10][10], 0.0);
        for (int r = 0; r <= 10; ++r) EXPECT_EQ(d[r][r], 0.0);
    }
}

TEST_F(CorrelationMatrices, PinnedPairs)
{
    double l[14] = {};
    Matrix h, d;
    // Same longitude: 10 times the wave at separation 0, no dynamics.
    l[0] = l[1] = 123.0;
    BuildMomentMatrices(1, l, h, d);
    EXPECT_NEAR(h[0][1], 10.0 * (-3.0 / 19.0), 1e-14);
    EXPECT_EQ(d[0][1], 0.0);
    // 180 degrees apart in order 1.
    l[0] = 10.0;
    l[1] = 190.0;
    BuildMomentMatrices(1, l, h, d);
    EXPECT_NEAR(h[0][1], -10.0, 1e-13);
    // 0 and 360: the table's last columns, the same as separation 0.
    l[0] = 0.0;
    l[1] = 360.0;
    BuildMomentMatrices(2, l, h, d);
    double atZero = 10.0 * HarmonyWaveTable[2][0];
    EXPECT_NEAR(h[0][1], atZero, 1e-11);
    EXPECT_NEAR(d[0][1], 0.0, 1e-9);
    // Sign of the dynamics: for i < j, 10 sgn(li - lj) times the table value.
    l[0] = 100.0;
    l[1] = 40.0;
    BuildMomentMatrices(3, l, h, d);
    EXPECT_NEAR(d[0][1], 10.0 * WaveLookup(DynamicsWaveTable[3], 60.0), 1e-13);
    l[0] = 40.0;
    l[1] = 100.0;
    BuildMomentMatrices(3, l, h, d);
    EXPECT_NEAR(d[0][1], -10.0 * WaveLookup(DynamicsWaveTable[3], 60.0), 1e-13);
}

TEST_F(CorrelationMatrices, LongitudesOutsideTheCircleDoNotReadOutsideTheTables)
{
    double l[14];
    SampleLongitudes(7, l);
    l[2] = 1e9;
    l[5] = -720.5;
    l[6] = NAN;
    Matrix h, d;
    BuildMomentMatrices(3, l, h, d);
    EXPECT_TRUE(std::isnan(h[6][0]));
    EXPECT_TRUE(std::isfinite(h[2][0]));
    EXPECT_TRUE(std::isfinite(h[5][0]));
}

TEST_F(CorrelationMatrices, MomentSumsWeightsAndSelfCorrelation)
{
    double l[14];
    SampleLongitudes(42, l);
    Matrix h, d;
    BuildMomentMatrices(3, l, h, d);
    const double w[13] = {57.2, 10.24, 0.31, 0.77, 0.3, 1.87, 0.84, 0.28, 0.22, 0.01, 57.2, 0, 0};
    for (int sigma : {0, 1})
        for (int last : {9, 10}) {
            double sh = 0, si = 0, sd = 0, sda = 0;
            for (int i = 0; i <= last; ++i)
                for (int j = 0; j <= last; ++j) {
                    double e = i == j ? sigma : 1;
                    sh += h[i][j] * w[i] * w[j] * e;
                    si += std::fabs(h[i][j] * w[i] * w[j] * e);
                    sd += d[i][j] * w[i] * w[j] * e;
                    sda += std::fabs(d[i][j] * w[i] * w[j] * e);
                }
            double gotSh, gotSi, gotSd, gotSda;
            MomentSums(h, w, sigma, last, &gotSh, &gotSi);
            MomentSums(d, w, sigma, last, &gotSd, &gotSda);
            EXPECT_NEAR(gotSh, sh, 1e-9);
            EXPECT_NEAR(gotSi, si, 1e-9);
            EXPECT_NEAR(gotSd, sd, 1e-9);
            EXPECT_NEAR(gotSda, sda, 1e-9);
        }
    // sigma = 0 removes exactly the diagonal.
    const double ones[13] = {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
    double with, withAbs, without, withoutAbs, trace = 0;
    MomentSums(h, ones, 1, 10, &with, &withAbs);
    MomentSums(h, ones, 0, 10, &without, &withoutAbs);
    for (int i = 0; i <= 10; ++i) trace += h[i][i];
    EXPECT_NEAR(with - without, trace, 1e-12);
    EXPECT_EQ(WeightedElement(h, 3, 3, ones, 0), 0.0);
    EXPECT_EQ(WeightedElement(h, 3, 4, w, 0), h[3][4] * w[3] * w[4]);
}

TEST_F(CorrelationMatrices, WithoutIcTheIcNeverAppears)
{
    double l[14];
    SampleLongitudes(5, l);
    Matrix h, d;
    BuildMomentMatrices(3, l, h, d);
    double w[13] = {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
    double sum9, abs9, sum9b, abs9b;
    MomentSums(h, w, 1, 9, &sum9, &abs9);
    w[10] = 1e6;  // any IC weight: not read without the IC
    MomentSums(h, w, 1, 9, &sum9b, &abs9b);
    EXPECT_EQ(sum9, sum9b);
    EXPECT_EQ(abs9, abs9b);

    MatrixSet accumulators, results;
    ClearAccumulators(accumulators);
    AccumulateMoment(accumulators, h, d, 9);
    FinishAccumulators(accumulators, w, 1, 9, 1, results);
    for (int k = 0; k < kCorrelationKinds; ++k)
        for (int i = 0; i < kMatrixSize; ++i) {
            EXPECT_EQ(accumulators[k][10][i], 0.0);
            EXPECT_EQ(accumulators[k][i][10], 0.0);
            EXPECT_EQ(results[k][10][i], 0.0);
            EXPECT_EQ(results[k][i][10], 0.0);
        }
    double rows[kMatrixSize];
    EXPECT_NEAR(RowSums(results[kHarmonyKind], 9, rows), sum9, 1e-9);
}

TEST_F(CorrelationMatrices, FinishedSetIsTheMeanOfTheWeightedMoments)
{
    const double w[13] = {57.2, 10.24, 0.31, 0.77, 0.3, 1.87, 0.84, 0.28, 0.22, 0.01, 57.2, 1, 1};
    const int last = 10, n = 50;
    for (int sigma : {0, 1}) {
        MatrixSet accumulators, results;
        double mean[kCorrelationKinds][kMatrixSize][kMatrixSize] = {};
        ClearAccumulators(accumulators);
        for (int moment = 0; moment < n; ++moment) {
            double l[14];
            SampleLongitudes(1000 + moment, l);
            Matrix h, d;
            BuildMomentMatrices(4, l, h, d);
            AccumulateMoment(accumulators, h, d, last);
            for (int i = 0; i <= last; ++i)
                for (int j = 0; j <= last; ++j) {
                    mean[kHarmonyKind][i][j] += WeightedElement(h, i, j, w, sigma) / n;
                    mean[kEnergyKind][i][j] += std::fabs(WeightedElement(h, i, j, w, sigma)) / n;
                    mean[kDynamicsKind][i][j] += WeightedElement(d, i, j, w, sigma) / n;
                    mean[kAbsoluteDynamicsKind][i][j] +=
                        std::fabs(WeightedElement(d, i, j, w, sigma)) / n;
                }
        }
        FinishAccumulators(accumulators, w, sigma, last, n, results);
        for (int k = 0; k < kCorrelationKinds; ++k)
            for (int i = 0; i < kMatrixSize; ++i)
                for (int j = 0; j < kMatrixSize; ++j)
                    EXPECT_NEAR(results[k][i][j], mean[k][i][j],
                                1e-9 * (1 + std::fabs(mean[k][i][j])));
        // sigma = 0: every diagonal cell of every result is zero; the IC self term always is.
        for (int k = 0; k < kCorrelationKinds; ++k) {
            EXPECT_EQ(results[k][10][10], 0.0);
            if (sigma == 0) {
                for (int i = 0; i <= last; ++i) EXPECT_EQ(results[k][i][i], 0.0);
            }
        }
        // The matrix sums come in the order H, I, D, DA and equal the sums of the row sums.
        double sums[kCorrelationKinds];
        MatrixSums(results, last, sums);
        for (int k = 0; k < kCorrelationKinds; ++k) {
            double rows[kMatrixSize], total = 0;
            double matrixSum = RowSums(results[k], last, rows);
            for (int i = 0; i <= last; ++i) {
                double row = 0;
                for (int j = 0; j <= last; ++j) row += results[k][i][j];
                EXPECT_NEAR(rows[i], row, 1e-12);
                total += row;
            }
            EXPECT_NEAR(matrixSum, total, 1e-9);
            EXPECT_EQ(sums[k], matrixSum);
            EXPECT_EQ(MatrixSum(results[k], last), matrixSum);
        }
        EXPECT_GE(sums[kEnergyKind], std::fabs(sums[kHarmonyKind]));
        EXPECT_GE(sums[kAbsoluteDynamicsKind], std::fabs(sums[kDynamicsKind]));
    }
}

TEST_F(CorrelationMatrices, DegenerateCountsAndSizes)
{
    double l[14];
    SampleLongitudes(3, l);
    Matrix h, d;
    BuildMomentMatrices(3, l, h, d);
    const double w[13] = {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
    MatrixSet accumulators, results;
    ClearAccumulators(accumulators);
    AccumulateMoment(accumulators, h, d, 10);
    // No moments: no mean, all zeros instead of a division by zero.
    FinishAccumulators(accumulators, w, 1, 10, 0, results);
    for (int k = 0; k < kCorrelationKinds; ++k)
        for (int i = 0; i < kMatrixSize; ++i)
            for (int j = 0; j < kMatrixSize; ++j) EXPECT_EQ(results[k][i][j], 0.0);
    // A last index above 10 is taken as 10; below 0 nothing is summed.
    double s12, a12, s10, a10, sNeg, aNeg;
    MomentSums(h, w, 1, 12, &s12, &a12);
    MomentSums(h, w, 1, 10, &s10, &a10);
    MomentSums(h, w, 1, -1, &sNeg, &aNeg);
    EXPECT_EQ(s12, s10);
    EXPECT_EQ(sNeg, 0.0);
    double rows[kMatrixSize];
    EXPECT_EQ(RowSums(h, -1, rows), 0.0);
}

TEST_F(CorrelationMatrices, RealMomentsStayInsideTheTables)
{
    // Positions of real moments feed the builders directly (longitudes within [0, 360]).
    PersonRecord r{};
    r.longitudeDegrees = 13;
    r.longitudeMinutes = 59;
    r.latitudeDegrees = 51;
    r.latitudeMinutes = 11;
    MatrixSet accumulators, results;
    ClearAccumulators(accumulators);
    int n = 0;
    for (int year = 1900; year < 2000; year += 7)
        for (int month = 1; month <= 12; month += 5) {
            r.year = year;
            r.month = month;
            r.day = 1 + year % 28;
            r.hour = year % 24;
            PositionRecord p{};
            PlanetPositions(r, &p);
            Matrix h, d;
            BuildMomentMatrices(3, p.longitude, h, d);
            for (int i = 0; i <= 10; ++i)
                for (int j = 0; j <= 10; ++j) {
                    ASSERT_TRUE(std::isfinite(h[i][j]));
                    ASSERT_LE(std::fabs(h[i][j]),
                              10.0 * 25.0 / 19.0);  // sum of |c(k)| per 12 harmonics
                }
            AccumulateMoment(accumulators, h, d, 10);
            ++n;
        }
    const double w[13] = {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
    FinishAccumulators(accumulators, w, 1, 10, n, results);
    for (int i = 0; i <= 10; ++i)
        for (int j = 0; j <= 10; ++j)
            EXPECT_LE(std::fabs(results[kHarmonyKind][i][j]), results[kEnergyKind][i][j] + 1e-12);
}
