#pragma once
// Printing one result matrix as a table on the current text target: a heading line, the column
// head (with or without the IC column), one row per principle 0..last with its cells and row
// sum, then the matrix-sum line. The formats differ between modules, so each module passes its
// layout; the continuum's four layouts are given here.

#include "research/correlation_matrices.h"

struct MatrixTableLayout {
    const char* heading;        // printed first; nullptr prints nothing
    const char* headWithIc;     // column head when last = 10
    const char* headWithoutIc;  // column head when last = 9
    const char* cellFormat;     // one double
    const char* rowSumFormat;   // one double
    const char* sumFormat;      // one double: the matrix sum
};

// Tables of H, I, D, DA of the continuum, in kind order. The heading of H is the report's
// opening block, which the module prints itself.
extern const MatrixTableLayout kContinuumTables[kCorrelationKinds];

// Prints the table and returns the matrix sum; rowSums[0..last] receive the row sums.
double PrintMatrixTable(const MatrixTableLayout& layout,
                        const double matrix[kMatrixSize][kMatrixSize], int last,
                        double rowSums[kMatrixSize]);

// The event analysis' row sums of H, I, D, DA, one "zeile" line per principle 0..last, then the
// order of the correlation: the input summary of the comparison modules.
void PrintEventRowSums(const double rows[kCorrelationKinds][kMatrixSize], int last, int order);
