// Similarity of a moment to an event group's pattern.

#include "research/similarity_measures.h"

#include <cmath>

static int clamp_last(int last) {
    if (last < 0) return 0;
    if (last > kMatrixPrinciples - 1) return kMatrixPrinciples - 1;
    return last;
}

double RowSumScale(int kind, int groupSize) {
    switch (kind) {
        case kEnergyKind: return 1.0 / groupSize;
        case kDynamicsKind: return 0.1;
        case kAbsoluteDynamicsKind: return 1.0 / (groupSize * 10.0);
        default: return 1.0;
    }
}

double TotalScale(int kind, int groupSize) {
    switch (kind) {
        case kDynamicsKind: return 0.01;
        case kAbsoluteDynamicsKind: return 1.0 / (groupSize * 100.0);
        default: return 1.0;
    }
}

void BuildMomentPattern(const double harmony[kMatrixSize][kMatrixSize],
                        const double dynamics[kMatrixSize][kMatrixSize], const double* weights,
                        int autoCorrelation, const SignificanceTable* codes, int groupSize,
                        int last, MomentPattern* pattern) {
    last = clamp_last(last);
    for (int k = 0; k < kCorrelationKinds; ++k) {
        for (int p = 0; p < kMatrixSize; ++p) {
            pattern->rowSums[k][p] = 0.0;
            for (int q = 0; q < kMatrixSize; ++q) pattern->matrices[k][p][q] = 0.0;
        }
        pattern->totals[k] = 0.0;
    }
    for (int p = 0; p <= last; ++p)
        for (int q = 0; q <= last; ++q) {
            double w = weights[p] * weights[q];
            double f[kCorrelationKinds];
            for (int k = 0; k < kCorrelationKinds; ++k)
                f[k] = p == q ? autoCorrelation : codes ? codes[k][p][q] : 1.0;
            double h = harmony[p][q], d = dynamics[p][q];
            pattern->matrices[kHarmonyKind][p][q] = h * w * f[kHarmonyKind];
            pattern->matrices[kEnergyKind][p][q] = std::fabs(h) * w * f[kEnergyKind];
            pattern->matrices[kDynamicsKind][p][q] = d * w * f[kDynamicsKind];
            pattern->matrices[kAbsoluteDynamicsKind][p][q] =
                std::fabs(d) * w * f[kAbsoluteDynamicsKind] * groupSize;
        }
    for (int k = 0; k < kCorrelationKinds; ++k) {
        double total = 0.0;
        for (int p = 0; p <= last; ++p) {
            double row = 0.0;
            for (int q = 0; q <= last; ++q) row += pattern->matrices[k][p][q];
            pattern->rowSums[k][p] = row * RowSumScale(k, groupSize);
            total += row;
        }
        pattern->totals[k] = total * TotalScale(k, groupSize);
    }
}

// The three measures from the sums, normalised by `norm`.
static SimilarityMeasures measures_from(double norm, double products, double distances) {
    if (norm == 0.0 || !std::isfinite(norm)) return {0.0, 0.0, 0.0, false};
    double fidelity = 1.0 - distances / norm;
    double correlation = products / norm;
    return {fidelity, correlation, 2.0 * correlation - fidelity, true};
}

SimilarityMeasures ElementSimilarity(const double group[kMatrixSize][kMatrixSize],
                                     const double current[kMatrixSize][kMatrixSize], int last) {
    last = clamp_last(last);
    double squares = 0.0, products = 0.0, distances = 0.0;
    for (int p = 0; p <= last; ++p)
        for (int q = 0; q <= last; ++q) {
            double g = group[p][q], b = current[p][q];
            squares += g * g;
            products += g * b;
            distances += (g - b) * (g - b);
        }
    return measures_from(squares, products, distances);
}

SimilarityMeasures RowSumSimilarity(const double* group, const double* current, int last) {
    last = clamp_last(last);
    double squares = 0.0, products = 0.0, distances = 0.0;
    for (int p = 0; p <= last; ++p) {
        double g = group[p], b = current[p];
        squares += b * b;
        products += b * g;
        distances += (b - g) * (b - g);
    }
    return measures_from(squares, products, distances);
}

SimilarityMeasures AddTotalSimilarity(TotalSimilaritySums* sums, double group, double current) {
    sums->groupSquares += group * group;
    sums->products += group * current;
    sums->distances += (group - current) * (group - current);
    return measures_from(sums->groupSquares, sums->products, sums->distances);
}

double CriterionValue(const SimilarityMeasures& measures, int criterion) {
    if (criterion == 2) return measures.correlation;
    if (criterion == 3) return measures.structure;
    return measures.fidelity;
}

void StoreSymmetric(const double* values, int last, double factor,
                    double matrix[kMatrixSize][kMatrixSize]) {
    last = clamp_last(last);
    int k = 0;
    for (int r = 0; r <= last; ++r)
        for (int c = 0; c <= last; ++c) {
            double v = values[k++] * factor;
            matrix[r][c] = v;
            matrix[c][r] = v;
        }
}

void CountSignificance(const SignificanceTable& codes, int last, int* fivePercent,
                       int* onePercent) {
    last = clamp_last(last);
    *fivePercent = *onePercent = 0;
    for (int r = 0; r <= last; ++r)
        for (int c = 0; c <= last; ++c) {
            if (codes[r][c] == 1) ++*fivePercent;
            if (codes[r][c] == 2) ++*onePercent;
        }
}

void ReduceSignificance(SignificanceTable& codes, int last) {
    last = clamp_last(last);
    for (int r = 0; r <= last; ++r)
        for (int c = 0; c <= last + 1; ++c)
            if (codes[r][c] == 2) codes[r][c] = 1;
}

void ApplySignificance(const SignificanceTable& codes, int last,
                       double matrix[kMatrixSize][kMatrixSize]) {
    last = clamp_last(last);
    for (int r = 0; r <= last; ++r)
        for (int c = 0; c <= last; ++c) matrix[r][c] *= codes[r][c];
}

// Truncation toward zero of a pixel position, kept within +-limit (and 0 for not-a-number)
// so that a wild value cannot overflow the conversion.
static int pixel(double value, double limit) {
    if (std::isnan(value)) return 0;
    if (value > limit) value = limit;
    if (value < -limit) value = -limit;
    return static_cast<int>(value);
}

int SimilarityCurveY(double value) {
    if (std::isnan(value)) return 1040;
    int y = 550 - pixel(530.0 * value, 100000.0);
    return y > 1040 ? 1040 : y;
}

int SimilarityStepX(int step, double dx) { return pixel(step * dx, 100000.0) + 60; }

int SimilarityEventX(double jd, double start, double end) {
    double span = end - start;
    if (span == 0.0) return 0;
    return pixel((jd - start) / span * 1830.0, 100000.0);
}
