#pragma once
// How similar one moment is to the common pattern of an event group: the moment's matrices
// H, I, D, DA scaled like the group's, their row sums and totals, and the three measures
// fidelity, correlation quotient KQ and structure RS over all elements, over the row sums or
// over the totals. Also the storing and significance rules for the group matrices, and the
// pixel rules of the similarity chart. Pure computation, nothing allocated.

#include "research/correlation_matrices.h"

// Significance tables: rows 0..last, columns 0..last, and column last + 1 the row's own code.
using SignificanceTable = int[kMatrixSize][kMatrixSize];

struct SimilarityMeasures {
    double fidelity;     // 1 - squared distance / squared norm
    double correlation;  // KQ: scalar product / squared norm
    double structure;    // RS = 2 KQ - fidelity
    bool defined;        // false when the norm was 0 (all three are then 0)
};

// The pattern of one moment, scaled so that it compares with the group's.
struct MomentPattern {
    double matrices[kCorrelationKinds][kMatrixSize][kMatrixSize];
    double rowSums[kCorrelationKinds][kMatrixSize];
    double totals[kCorrelationKinds];
};

// Scale of a printed or compared row sum of a kind: H 1, I 1 / n, D 0.1, DA 1 / (10 n),
// n the group size.
double RowSumScale(int kind, int groupSize);
// Scale of a compared total: H 1, I 1, D 0.01, DA 1 / (100 n).
double TotalScale(int kind, int groupSize);

// Matrices of the moment from H(t) and D(t): H = H(t) w w f, I = |H(t)| w w f, D = D(t) w w f,
// DA = |D(t)| w w f n, with f the auto-correlation flag (0 or 1) on the diagonal and off it 1,
// or the kind's own code of the cell when `codes` is given. Then the scaled row sums and
// totals over 0..last. Elements outside 0..last are 0.
void BuildMomentPattern(const double harmony[kMatrixSize][kMatrixSize],
                        const double dynamics[kMatrixSize][kMatrixSize], const double* weights,
                        int autoCorrelation, const SignificanceTable* codes, int groupSize,
                        int last, MomentPattern* pattern);

// Mode 1: over all elements 0..last of the two matrices, normalised by the group's norm.
SimilarityMeasures ElementSimilarity(const double group[kMatrixSize][kMatrixSize],
                                     const double current[kMatrixSize][kMatrixSize], int last);
// Mode 2: over the row-sum vectors 0..last, normalised by the current vector's norm.
SimilarityMeasures RowSumSimilarity(const double* group, const double* current, int last);

// Mode 3: the sums run on from kind to kind; clear once per moment, then add each asked
// kind's totals in kind order and take the measures after each.
struct TotalSimilaritySums {
    double groupSquares;   // sum of g^2
    double products;       // sum of g b
    double distances;      // sum of (g - b)^2
};
SimilarityMeasures AddTotalSimilarity(TotalSimilaritySums* sums, double group, double current);

// The value of criterion 1 fidelity, 2 correlation, 3 structure.
double CriterionValue(const SimilarityMeasures& measures, int criterion);

// Values read row by row for the cells (r, c), r and c = 0..last: each is stored at (r, c)
// and copied to (c, r), so the value read later wins and the matrix comes out symmetric.
// Every value is multiplied by `factor`. Elements outside 0..last are left as they were.
void StoreSymmetric(const double* values, int last, double factor,
                    double matrix[kMatrixSize][kMatrixSize]);

// Cells of rows and columns 0..last holding code 1 and code 2.
void CountSignificance(const SignificanceTable& codes, int last, int* fivePercent,
                       int* onePercent);
// Significance selection: every code 2 (row codes included) becomes 1, and each element
// 0..last of the matrix is multiplied by its cell's code.
void ReduceSignificance(SignificanceTable& codes, int last);
void ApplySignificance(const SignificanceTable& codes, int last,
                       double matrix[kMatrixSize][kMatrixSize]);

// Chart rules (graphic page 6): the y of a curve value, 550 - int(530 v), at most 1040 (a
// value that is not a number lies at 1040); the x of step o, int(o dx) + 60; the x offset of
// an event in a period, int((jd - start) / (end - start) 1830), kept within +-100000 pixels.
int SimilarityCurveY(double value);
int SimilarityStepX(int step, double dx);
int SimilarityEventX(double jd, double start, double end);
