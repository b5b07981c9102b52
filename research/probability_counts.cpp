// Counters, shares and significance codes of the matrix probability.

#include "research/probability_counts.h"

#include <cstring>

void ClearProbabilityCounters(ProbabilityCounters* counters) {
    std::memset(counters, 0, sizeof *counters);
}

void CountControlGroup(const double control[kMatrixSize][kMatrixSize],
                       const double event[kMatrixSize][kMatrixSize],
                       const double eventRows[kMatrixSize], double eventSum, int last,
                       ProbabilityCounters* counters) {
    if (last > kMatrixPrinciples - 1) last = kMatrixPrinciples - 1;
    double sum = 0.0;
    for (int i = 0; i <= last; ++i) {
        double row = 0.0;
        for (int j = 0; j <= last; ++j) {
            row += control[i][j];
            if (j >= i && control[i][j] >= event[i][j]) ++counters->elements[i][j];
        }
        if (row > eventRows[i]) ++counters->rows[i];
        sum += row;
    }
    if (sum > eventSum) ++counters->sum;
}

double ProbabilityPercent(int count, int groups) {
    // Multiplying first keeps the boundaries 1, 5, 95 and 99 exact.
    return groups > 0 ? count * 100.0 / groups : 0.0;
}

int SignificanceCode(double percent) {
    if (percent <= 1.0 || percent >= 99.0) return 2;
    if (percent <= 5.0 || percent >= 95.0) return 1;
    return 0;
}
