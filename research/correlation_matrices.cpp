#include "research/correlation_matrices.h"

#include <cmath>
#include <cstring>

#include "astro/lanes.h"
#include "astro/self_harmony.h"
#include "astro/wave_tables.h"

namespace {

constexpr int kImumCoeliIndex = 10;

int ClampLast(int last) { return last > kMatrixPrinciples - 1 ? kMatrixPrinciples - 1 : last; }

void FillHarmonyDiagonal(const double* longitudes, double matrix[kMatrixSize][kMatrixSize])
{
    // The self term does not depend on the order; the IC has none.
    double terms[kImumCoeliIndex];
    SelfHarmonies(longitudes, kImumCoeliIndex, terms);
    for (int i = 0; i < kImumCoeliIndex; ++i) matrix[i][i] = 10.0 * terms[i];
    matrix[kImumCoeliIndex][kImumCoeliIndex] = 0.0;
}

// Rows and columns 11 and 12, which no builder fills (the rest is written element by element).
void ClearUnusedBorder(double matrix[kMatrixSize][kMatrixSize])
{
    for (int i = 0; i < kMatrixPrinciples; ++i)
        for (int j = kMatrixPrinciples; j < kMatrixSize; ++j) matrix[i][j] = 0.0;
    for (int i = kMatrixPrinciples; i < kMatrixSize; ++i)
        for (int j = 0; j < kMatrixSize; ++j) matrix[i][j] = 0.0;
}

// Adds H, |H|, D and |D| of rows and columns 0..size-1 into the four accumulators.
void AccumulateSquare(double accumulators[kCorrelationKinds][kMatrixSize][kMatrixSize],
                      const double harmony[kMatrixSize][kMatrixSize],
                      const double dynamics[kMatrixSize][kMatrixSize], int size)
{
    for (int i = 0; i < size; ++i) {
        double* __restrict sumH = accumulators[kHarmonyKind][i];
        double* __restrict sumI = accumulators[kEnergyKind][i];
        double* __restrict sumD = accumulators[kDynamicsKind][i];
        double* __restrict sumDA = accumulators[kAbsoluteDynamicsKind][i];
        const double* __restrict h = harmony[i];
        const double* __restrict d = dynamics[i];
        for (int j = 0; j < size; ++j) {
            sumH[j] += h[j];
            sumI[j] += std::fabs(h[j]);
            sumD[j] += d[j];
            sumDA[j] += std::fabs(d[j]);
        }
    }
}

// The same for a fixed size, two columns per vector register (the same additions, so the same
// sums): the rows of 13 are not 16-byte aligned, hence the unaligned loads and stores.
inline void AddPair(double* sum, DoubleLanes v) { StoreLanes(sum, LoadLanes(sum) + v); }

template <int kSize>
void AccumulateFixedSquare(double accumulators[kCorrelationKinds][kMatrixSize][kMatrixSize],
                           const double harmony[kMatrixSize][kMatrixSize],
                           const double dynamics[kMatrixSize][kMatrixSize])
{
    for (int i = 0; i < kSize; ++i) {
        double* sumH = accumulators[kHarmonyKind][i];
        double* sumI = accumulators[kEnergyKind][i];
        double* sumD = accumulators[kDynamicsKind][i];
        double* sumDA = accumulators[kAbsoluteDynamicsKind][i];
        const double* h = harmony[i];
        const double* d = dynamics[i];
        int j = 0;
        for (; j + 1 < kSize; j += 2) {
            const DoubleLanes hp = LoadLanes(h + j), dp = LoadLanes(d + j);
            AddPair(sumH + j, hp);
            AddPair(sumI + j, Absolute(hp));
            AddPair(sumD + j, dp);
            AddPair(sumDA + j, Absolute(dp));
        }
        if (j < kSize) {
            sumH[j] += h[j];
            sumI[j] += std::fabs(h[j]);
            sumD[j] += d[j];
            sumDA[j] += std::fabs(d[j]);
        }
    }
}

}  // namespace

void BuildHarmonyMatrix(int order, const double* longitudes,
                        double matrix[kMatrixSize][kMatrixSize])
{
    // Every element 0..10 is written below, so only the border needs clearing.
    ClearUnusedBorder(matrix);
    EnsureWaveTablesForOrder(WaveTableRow(order));
    const double* row = HarmonyWaveTable[WaveTableRow(order)];
    for (int i = 0; i < kMatrixPrinciples; ++i)
        for (int j = i + 1; j < kMatrixPrinciples; ++j)
            matrix[i][j] = matrix[j][i] =
                10.0 * WaveLookup(row, std::fabs(longitudes[i] - longitudes[j]));
    FillHarmonyDiagonal(longitudes, matrix);
}

void BuildEnergyMatrix(int order, const double* longitudes,
                       double matrix[kMatrixSize][kMatrixSize])
{
    BuildHarmonyMatrix(order, longitudes, matrix);
    for (int i = 0; i < kMatrixPrinciples; ++i)
        for (int j = 0; j < kMatrixPrinciples; ++j) matrix[i][j] = std::fabs(matrix[i][j]);
}

void BuildDynamicsMatrix(int order, const double* longitudes,
                         double matrix[kMatrixSize][kMatrixSize])
{
    // The pairs below write every element 0..10 but the diagonal.
    ClearUnusedBorder(matrix);
    EnsureWaveTablesForOrder(WaveTableRow(order));
    const double* row = DynamicsWaveTable[WaveTableRow(order)];
    for (int i = 0; i < kMatrixPrinciples; ++i) {
        matrix[i][i] = 0.0;
        for (int j = i + 1; j < kMatrixPrinciples; ++j) {
            const double difference = longitudes[i] - longitudes[j];
            const double value = 10.0 * WaveLookup(row, std::fabs(difference));
            matrix[i][j] = matrix[j][i] = difference >= 0.0 ? value : -value;
        }
    }
}

void BuildMomentMatrices(int order, const double* longitudes,
                         double harmony[kMatrixSize][kMatrixSize],
                         double dynamics[kMatrixSize][kMatrixSize])
{
    // Every element 0..10 is written below, so only the border needs clearing.
    ClearUnusedBorder(harmony);
    ClearUnusedBorder(dynamics);
    const int tableRow = WaveTableRow(order);
    EnsureWaveTablesForOrder(tableRow);
    const WavePair* pairRow = WavePairTable[tableRow];
    for (int i = 0; i < kMatrixPrinciples; ++i)
        for (int j = i + 1; j < kMatrixPrinciples; ++j) {
            const double difference = longitudes[i] - longitudes[j];
            double h, d;
            WaveLookupBoth(pairRow, std::fabs(difference), &h, &d);
            harmony[i][j] = harmony[j][i] = 10.0 * h;
            // Sign of the difference without a branch; adding 0.0 makes a -0.0 count as >= 0.
            d = 10.0 * d * std::copysign(1.0, difference + 0.0);
            dynamics[i][j] = dynamics[j][i] = d;
        }
    FillHarmonyDiagonal(longitudes, harmony);
    for (int i = 0; i < kMatrixPrinciples; ++i) dynamics[i][i] = 0.0;
}

double WeightedElement(const double matrix[kMatrixSize][kMatrixSize], int i, int j,
                       const double* weights, int selfCorrelation)
{
    const double self = i == j ? static_cast<double>(selfCorrelation) : 1.0;
    return matrix[i][j] * weights[i] * weights[j] * self;
}

void MomentSums(const double matrix[kMatrixSize][kMatrixSize], const double* weights,
                int selfCorrelation, int last, double* sum, double* absoluteSum)
{
    last = ClampLast(last);
    double total = 0.0, absoluteTotal = 0.0;
    for (int i = 0; i <= last; ++i)
        for (int j = 0; j <= last; ++j) {
            const double x = WeightedElement(matrix, i, j, weights, selfCorrelation);
            total += x;
            absoluteTotal += std::fabs(x);
        }
    *sum = total;
    *absoluteSum = absoluteTotal;
}

void ClearAccumulators(double accumulators[kCorrelationKinds][kMatrixSize][kMatrixSize])
{
    std::memset(accumulators, 0, sizeof(double) * kCorrelationKinds * kMatrixSize * kMatrixSize);
}

void AccumulateMoment(double accumulators[kCorrelationKinds][kMatrixSize][kMatrixSize],
                      const double harmony[kMatrixSize][kMatrixSize],
                      const double dynamics[kMatrixSize][kMatrixSize], int last)
{
    last = ClampLast(last);
    // The two usual sizes get loops of fixed length, two columns per register.
    if (last == 10)
        AccumulateFixedSquare<11>(accumulators, harmony, dynamics);
    else if (last == 9)
        AccumulateFixedSquare<10>(accumulators, harmony, dynamics);
    else if (last >= 0)
        AccumulateSquare(accumulators, harmony, dynamics, last + 1);
}

void FinishAccumulators(const double accumulators[kCorrelationKinds][kMatrixSize][kMatrixSize],
                        const double* weights, int selfCorrelation, int last, int count,
                        double results[kCorrelationKinds][kMatrixSize][kMatrixSize])
{
    std::memset(results, 0, sizeof(double) * kCorrelationKinds * kMatrixSize * kMatrixSize);
    if (count < 1) return;
    last = ClampLast(last);
    for (int kind = 0; kind < kCorrelationKinds; ++kind)
        for (int i = 0; i <= last; ++i)
            for (int j = 0; j <= last; ++j)
                results[kind][i][j] =
                    WeightedElement(accumulators[kind], i, j, weights, selfCorrelation) / count;
}

double RowSums(const double matrix[kMatrixSize][kMatrixSize], int last,
               double rowSums[kMatrixSize])
{
    last = ClampLast(last);
    double total = 0.0;
    for (int i = 0; i <= last; ++i) {
        double row = 0.0;
        for (int j = 0; j <= last; ++j) row += matrix[i][j];
        rowSums[i] = row;
        total += row;
    }
    return total;
}

double MatrixSum(const double matrix[kMatrixSize][kMatrixSize], int last)
{
    double rowSums[kMatrixSize];
    return RowSums(matrix, last, rowSums);
}

void MatrixSums(const double results[kCorrelationKinds][kMatrixSize][kMatrixSize], int last,
                double sums[kCorrelationKinds])
{
    for (int kind = 0; kind < kCorrelationKinds; ++kind)
        sums[kind] = MatrixSum(results[kind], last);
}
