#pragma once
// Aspect waves: the relation of two principles as a harmonic series of the angle between
// their longitudes (harmony) and its derivative (dynamics), for orders 1..12, tabulated once
// per order in steps of 0.02 degrees and read back by linear interpolation.

#include <cmath>

#include "astro/lanes.h"

inline constexpr int kWaveOrders = 12;
inline constexpr int kWaveTableRows = 13;        // row 0 stays 0.0
inline constexpr int kWaveTableColumns = 18002;  // separations 0 .. 360.02 degrees
inline constexpr double kWaveTableStep = 0.02;   // degrees per column

// Coefficient c(k) of the k-th harmonic, by k mod 12.
extern const int kWaveCoefficients[12];

// Row n holds the wave of order n at separation 0.02 * m in column m. Zero until filled.
extern double HarmonyWaveTable[kWaveTableRows][kWaveTableColumns];
extern double DynamicsWaveTable[kWaveTableRows][kWaveTableColumns];

// The same two tables side by side, column by column (filled with them).
struct alignas(16) WavePair {
    double harmony;
    double dynamics;
};
extern WavePair WavePairTable[kWaveTableRows][kWaveTableColumns];

// The series at the separation |a - b| (degrees): harmonics 1 .. 12n - 1, divisor 19n.
// Orders above 12 (and, as there is no smaller wave, below 1) are evaluated as order 1.
double HarmonyWave(int order, double a, double b);
// The derivative series, signed +1 when a - b >= 0 and -1 otherwise.
double DynamicsWave(int order, double a, double b);

// Fills row `order` (1..12) of both tables; other orders are ignored.
void FillWaveTablesForOrder(int order);
// Fills all twelve orders.
void FillWaveTables();
// Fills row `order` (1..12) unless it is filled already. The matrix builders call it, so an
// order costs its filling only when a run first uses it; other orders are ignored.
void EnsureWaveTablesForOrder(int order);

// Interpolation outside the tables' range: separations of 360.02 degrees and more are folded
// back by whole turns (the waves repeat every turn); a NaN separation gives NaN.
double WaveLookupOutOfRange(const double* row, double separation);
void WaveLookupBothOutOfRange(const WavePair* row, double separation, double* harmony,
                              double* dynamics);

// Table row used for an order: orders above 12 use row 12, orders below 1 row 0 (zeros).
inline int WaveTableRow(int order)
{
    return order > kWaveOrders ? kWaveOrders : order < 0 ? 0 : order;
}

// Linear interpolation in one table row at a separation (degrees, expected 0 .. 360).
inline double WaveLookup(const double* row, double separation)
{
    double x = 50.0 * separation;
    if (!(x < kWaveTableColumns - 1)) return WaveLookupOutOfRange(row, separation);
    int m = static_cast<int>(x);
    return row[m] + (row[m + 1] - row[m]) * (x - m);
}

// Interpolated HarmonyWave of the order at |a - b|.
inline double HarmonyLookup(int order, double a, double b)
{
    return WaveLookup(HarmonyWaveTable[WaveTableRow(order)], std::fabs(a - b));
}

// Interpolated dynamics wave at |a - b|, multiplied by -1 when a - b >= 0 and +1 otherwise.
inline double DynamicsLookup(int order, double a, double b)
{
    double value = WaveLookup(DynamicsWaveTable[WaveTableRow(order)], std::fabs(a - b));
    return a - b >= 0.0 ? -value : value;
}

// Both interpolations at one separation from the pair table: one index computation, one
// neighbourhood of memory, and both lanes of a vector register doing each scalar step.
inline void WaveLookupBoth(const WavePair* row, double separation, double* harmony,
                           double* dynamics)
{
    double x = 50.0 * separation;
    if (!(x < kWaveTableColumns - 1)) {
        WaveLookupBothOutOfRange(row, separation, harmony, dynamics);
        return;
    }
    int m = static_cast<int>(x);
    double f = x - m;
    const DoubleLanes low = LoadLanes(&row[m].harmony), high = LoadLanes(&row[m + 1].harmony);
    const DoubleLanes value = low + (high - low) * f;
    *harmony = value[0];
    *dynamics = value[1];
}
