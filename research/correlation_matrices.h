#pragma once
// Correlation matrices of the principles Sun..Pluto and the IC (indexes 0..10): the harmony,
// energy and dynamics matrices of one moment, their weighted sums, and the four result
// matrices H, I, D, DA of a set of moments. The four kinds always come in the order H, I, D, DA.
//
// Matrices are 13 x 13; the builders clear them in full and fill rows and columns 0..10.
// `last` is the last active principle P (9 without IC, 10 with IC): every sum runs over
// 0..last (values above 10 are taken as 10). Weights hold at least last + 1 entries; the
// self-correlation flag multiplies every diagonal element.

inline constexpr int kMatrixSize = 13;
inline constexpr int kMatrixPrinciples = 11;  // rows and columns 0..10 are filled

enum CorrelationKind {
    kHarmonyKind = 0,           // H
    kEnergyKind = 1,            // I, mean absolute harmony
    kDynamicsKind = 2,          // D
    kAbsoluteDynamicsKind = 3,  // DA
};
inline constexpr int kCorrelationKinds = 4;

// Labels of the principles 0..10 in the weight dialogs, ended by nullptr.
inline constexpr const char* kPrincipleLabels[kMatrixPrinciples + 1] = {
    "Sun", "Moon", "Mercury", "Venus", "Mars", "Jupiter", "Saturn", "Uranus", "Neptune", "Pluto",
    "IC", nullptr};
// The preset gravity (standard) weights of the principles 0..10; the IC has the Sun's.
inline constexpr double kGravityWeights[kMatrixPrinciples] = {57.2, 10.24, 0.31, 0.77, 0.3, 1.87,
                                                              0.84, 0.28,  0.22, 0.01, 57.2};

// H(t)[i][j] = 10 HarmonyLookup(order, li, lj) off the diagonal, 10 SelfHarmony(i, li) on it,
// and H(t)[10][10] = 0.
void BuildHarmonyMatrix(int order, const double* longitudes,
                        double matrix[kMatrixSize][kMatrixSize]);

// |H(t)| element by element (the IC self term 0 as well).
void BuildEnergyMatrix(int order, const double* longitudes,
                       double matrix[kMatrixSize][kMatrixSize]);

// D(t)[i][j] = D(t)[j][i] = 10 sgn(li - lj) T for i < j, T the interpolated dynamics wave at
// |li - lj| and sgn(0) = +1; diagonal 0.
void BuildDynamicsMatrix(int order, const double* longitudes,
                         double matrix[kMatrixSize][kMatrixSize]);

// H(t) and D(t) together, each pair read from the tables once.
void BuildMomentMatrices(int order, const double* longitudes,
                         double harmony[kMatrixSize][kMatrixSize],
                         double dynamics[kMatrixSize][kMatrixSize]);

// X[i][j] w[i] w[j], times the self-correlation flag on the diagonal.
double WeightedElement(const double matrix[kMatrixSize][kMatrixSize], int i, int j,
                       const double* weights, int selfCorrelation);

// Sum and sum of absolute values of the weighted elements over 0..last:
// SH and SI for H(t), SD and SDA for D(t).
void MomentSums(const double matrix[kMatrixSize][kMatrixSize], const double* weights,
                int selfCorrelation, int last, double* sum, double* absoluteSum);

// The four unweighted sums of a set of moments, in kind order: sum of H, of |H|, of D, of |D|.
void ClearAccumulators(double accumulators[kCorrelationKinds][kMatrixSize][kMatrixSize]);
void AccumulateMoment(double accumulators[kCorrelationKinds][kMatrixSize][kMatrixSize],
                      const double harmony[kMatrixSize][kMatrixSize],
                      const double dynamics[kMatrixSize][kMatrixSize], int last);

// Result matrices H, I, D, DA: each accumulator weighted and divided by the number of moments.
// Elements outside 0..last are 0; a count below 1 gives all zeros (no moments, no mean).
void FinishAccumulators(const double accumulators[kCorrelationKinds][kMatrixSize][kMatrixSize],
                        const double* weights, int selfCorrelation, int last, int count,
                        double results[kCorrelationKinds][kMatrixSize][kMatrixSize]);

// Row sums R[0..last] of a result matrix; returns the matrix sum (the sum of the row sums).
double RowSums(const double matrix[kMatrixSize][kMatrixSize], int last,
               double rowSums[kMatrixSize]);
double MatrixSum(const double matrix[kMatrixSize][kMatrixSize], int last);

// The matrix sums of the four results, in the order H, I, D, DA.
void MatrixSums(const double results[kCorrelationKinds][kMatrixSize][kMatrixSize], int last,
                double sums[kCorrelationKinds]);
