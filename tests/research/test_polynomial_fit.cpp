// The least-squares polynomial: exact fits, regression lines, weights and the error codes.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "research/polynomial_fit.h"

namespace {

const double kOnes[8] = {1, 1, 1, 1, 1, 1, 1, 1};

TEST(PolynomialFit, ThreePointsOnAParabolaGiveItsCoefficientsAndVertex) {
    // y = 2x^2 - 3x + 1, vertex at x = 3/4, y = -1/8.
    const double x[3] = {0, 1, 2}, y[3] = {1, 0, 3};
    double c[3] = {};
    ASSERT_EQ(PolynomialFit(2, 2, x, y, kOnes, c), kFitOk);
    EXPECT_NEAR(c[0], 1.0, 1e-12);
    EXPECT_NEAR(c[1], -3.0, 1e-12);
    EXPECT_NEAR(c[2], 2.0, 1e-12);
    double xv = -c[1] / (2 * c[2]);
    EXPECT_NEAR(xv, 0.75, 1e-12);
    EXPECT_NEAR(c[0] + c[1] * xv + c[2] * xv * xv, -0.125, 1e-12);
}

TEST(PolynomialFit, ACubicThroughFivePointsIsRecoveredFromShiftedData) {
    // y = 0.5x^3 - x + 4 at x = -2..2: the odd and even powers must not mix up.
    double x[5], y[5];
    for (int i = 0; i < 5; ++i) {
        x[i] = i - 2;
        y[i] = 0.5 * x[i] * x[i] * x[i] - x[i] + 4;
    }
    double c[4] = {};
    ASSERT_EQ(PolynomialFit(3, 4, x, y, kOnes, c), kFitOk);
    EXPECT_NEAR(c[0], 4.0, 1e-10);
    EXPECT_NEAR(c[1], -1.0, 1e-10);
    EXPECT_NEAR(c[2], 0.0, 1e-10);
    EXPECT_NEAR(c[3], 0.5, 1e-10);
}

TEST(PolynomialFit, DegreeZeroGivesTheMeanAndWeightsCount) {
    const double x[3] = {5, -7, 100}, y[3] = {2, 4, 9};
    double c[1] = {};
    ASSERT_EQ(PolynomialFit(0, 2, x, y, kOnes, c), kFitOk);
    EXPECT_NEAR(c[0], 5.0, 1e-12);
    const double w[3] = {3, 1, 0};  // (3*2 + 4) / 4
    ASSERT_EQ(PolynomialFit(0, 2, x, y, w, c), kFitOk);
    EXPECT_NEAR(c[0], 2.5, 1e-12);
}

TEST(PolynomialFit, OverdeterminedLineIsTheRegressionLine) {
    // Sxy = 3, Sxx = 5: slope 0.6, intercept 1 - 0.6 * 1.5.
    const double x[4] = {0, 1, 2, 3}, y[4] = {0, 1, 1, 2};
    double c[2] = {};
    ASSERT_EQ(PolynomialFit(1, 3, x, y, kOnes, c), kFitOk);
    EXPECT_NEAR(c[1], 0.6, 1e-12);
    EXPECT_NEAR(c[0], 0.1, 1e-12);
}

TEST(PolynomialFit, BadInputLeavesTheCoefficientsAlone) {
    const double x[2] = {0, 1}, y[2] = {1, 2};
    double c[3] = {7, 7, 7};
    EXPECT_EQ(PolynomialFit(-1, 1, x, y, kOnes, c), kFitBadInput);
    EXPECT_EQ(PolynomialFit(2, 1, x, y, kOnes, c), kFitBadInput);  // 2 pairs, 3 coefficients
    EXPECT_EQ(c[0], 7);
    EXPECT_EQ(c[2], 7);
    EXPECT_EQ(PolynomialFit(1, 1, x, y, kOnes, c), kFitOk);  // exactly as many as needed
}

TEST(PolynomialFit, SingularSystemsFailTheDecomposition) {
    // All x equal: the line is not fixed, the second pivot is 0.
    const double x[3] = {1, 1, 1}, y[3] = {1, 2, 3};
    double c[2] = {};
    EXPECT_EQ(PolynomialFit(1, 2, x, y, kOnes, c), kFitCholeskyFailed);
    const double bad[2] = {0, std::numeric_limits<double>::quiet_NaN()};
    EXPECT_EQ(PolynomialFit(1, 1, bad, y, kOnes, c), kFitCholeskyFailed);
}

TEST(PolynomialFit, PivotsBelowTwoToTheMinus104Fail) {
    EXPECT_EQ(kFitPivotLimit, std::ldexp(1.0, -104));
    const double x[1] = {3}, y[1] = {2};
    double c[1] = {};
    const double below[1] = {4.9e-32}, above[1] = {5.0e-32};
    EXPECT_EQ(PolynomialFit(0, 0, x, y, below, c), kFitCholeskyFailed);
    ASSERT_EQ(PolynomialFit(0, 0, x, y, above, c), kFitOk);
    EXPECT_NEAR(c[0], 2.0, 1e-12);
}

}  // namespace
