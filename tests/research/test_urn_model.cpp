// The urn model's running binomial coefficients and both distributions.

#include <gtest/gtest.h>

#include <cmath>

#include "research/urn_model.h"

namespace {

TEST(UrnModel, RunningBinomialMatchesPascalsTriangle) {
    for (int a = 0; a <= 30; ++a) {
        double row[31] = {1};
        // Row a of Pascal's triangle by additions only.
        for (int r = 1; r <= a; ++r)
            for (int m = r; m >= 1; --m) row[m] += row[m - 1];
        for (int m = 0; m <= a; ++m) EXPECT_DOUBLE_EQ(RunningBinomial(a, m), row[m]) << a << " " << m;
    }
    EXPECT_EQ(RunningBinomial(5, 7), 0.0);   // more chosen than there are
    EXPECT_EQ(RunningBinomial(5, -1), 0.0);  // a negative count
    EXPECT_EQ(RunningBinomial(-3, 0), 1.0);
    EXPECT_DOUBLE_EQ(RunningBinomial(1000, 3), 166167000.0);  // no factorial overflow
}

TEST(UrnModel, HypergeometricTenBallsFiveRed) {
    EXPECT_DOUBLE_EQ(RunningBinomial(5, 2), 10.0);
    EXPECT_DOUBLE_EQ(RunningBinomial(10 - 5, 3 - 2), 5.0);
    EXPECT_DOUBLE_EQ(RunningBinomial(10, 3), 120.0);
    double p = HypergeometricProbability(10, 5, 3, 2);
    EXPECT_NEAR(p, 50.0 / 120.0, 1e-15);
    EXPECT_NEAR(1.0 / p, 2.4, 1e-12);
    double total = 0;
    for (int k = 0; k <= 3; ++k) total += HypergeometricProbability(10, 5, 3, k);
    EXPECT_NEAR(total, 1.0, 1e-12);
}

TEST(UrnModel, ImpossibleHypergeometricOutcomesAreZero) {
    EXPECT_EQ(HypergeometricProbability(10, 2, 3, 3), 0.0);  // k > r
    EXPECT_TRUE(std::isinf(1.0 / HypergeometricProbability(10, 2, 3, 3)));
    EXPECT_EQ(HypergeometricProbability(10, 5, 2, 3), 0.0);  // n - k < 0
}

TEST(UrnModel, BinomialTermsOfAFairCoinAndALoadedDie) {
    EXPECT_DOUBLE_EQ(BinomialProbability(2, 0, 0.5), 0.25);
    EXPECT_DOUBLE_EQ(BinomialProbability(2, 1, 0.5), 0.5);
    EXPECT_DOUBLE_EQ(BinomialProbability(2, 2, 0.5), 0.25);
    double sum = 0, mean = 0;
    for (int k = 0; k <= 12; ++k) {
        double pk = BinomialProbability(12, k, 1.0 / 6);
        EXPECT_NEAR(pk, RunningBinomial(12, k) * std::pow(1.0 / 6, k) * std::pow(5.0 / 6, 12 - k), 1e-15);
        sum += pk;
        mean += k * pk;
    }
    EXPECT_NEAR(sum, 1.0, 1e-12);
    EXPECT_NEAR(mean, 2.0, 1e-12);
    EXPECT_EQ(BinomialProbability(4, 5, 0.3), 0.0);  // more hits than events
    EXPECT_EQ(BinomialProbability(3, 0, 0.0), 1.0);
}

}  // namespace
