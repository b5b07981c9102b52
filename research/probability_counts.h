#pragma once
// The counting rules of the matrix probability: how often control groups reach the event
// group, the share in percent, and the significance code of a share.

#include "research/correlation_matrices.h"

// What the control groups of one kind are compared with, and how often they reach it.
struct ProbabilityCounters {
    int elements[kMatrixSize][kMatrixSize];  // i <= j: control element >= event element
    int rows[kMatrixSize];                   // control row sum > event row sum
    int sum;                                 // control matrix sum > event matrix sum
};

void ClearProbabilityCounters(ProbabilityCounters* counters);

// One control group's mean matrix of one kind against the event's matrix, row sums and matrix
// sum, over principles 0..last. A tie counts for an element, not for a row or matrix sum.
void CountControlGroup(const double control[kMatrixSize][kMatrixSize],
                       const double event[kMatrixSize][kMatrixSize],
                       const double eventRows[kMatrixSize], double eventSum, int last,
                       ProbabilityCounters* counters);

// count * 100 / groups; exact when the share is a whole percentage.
double ProbabilityPercent(int count, int groups);

// 2 when PR <= 1 or PR >= 99; 1 when 1 < PR <= 5 or 95 <= PR < 99; otherwise 0.
int SignificanceCode(double percent);
