#pragma once
// The labelled table of a matrix probability run, "probability.csv": for every element, row
// sum and matrix sum of H, I, D and DA how many control groups reached the event group, the
// share in percent and the significance code (research/results_csv.h).

#include "research/probability_counts.h"

// significance[kind][row][0..last+1]: the codes of the significance files (last+1 is the row
// sum). A cell the tables leave out (weight 0, or the diagonal without self-correlation) gets
// no count and no share. False (reported) when the file cannot be written.
bool WriteProbabilityCsv(const ProbabilityCounters counters[kCorrelationKinds],
                         const int significance[kCorrelationKinds][kMatrixSize][kMatrixSize + 1],
                         const double weights[kMatrixSize], int selfCorrelation, int last,
                         int groups);
