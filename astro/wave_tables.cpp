#include "astro/wave_tables.h"

#include <cmath>

#include "astro/angles.h"

const int kWaveCoefficients[12] = {0, 1, -2, 3, -5, 0, 3, 0, -5, 3, -2, 1};

double HarmonyWaveTable[kWaveTableRows][kWaveTableColumns];
double DynamicsWaveTable[kWaveTableRows][kWaveTableColumns];
WavePair WavePairTable[kWaveTableRows][kWaveTableColumns];

namespace {

constexpr double kWaveRadiansPerDegree = 0.017453292519943295;

bool filledOrders[kWaveTableRows] = {};

int EffectiveOrder(int order) { return order >= 1 && order <= kWaveOrders ? order : 1; }

}  // namespace

double HarmonyWave(int order, double a, double b)
{
    const int n = EffectiveOrder(order);
    const double delta = std::fabs(a - b) * kWaveRadiansPerDegree;
    double sum = 0.0;
    for (int k = 1; k <= 12 * n - 1; ++k) {
        const int c = kWaveCoefficients[k % 12];
        if (c != 0) sum += c * std::cos(k * delta);  // zero terms add nothing
    }
    return (1.0 / (19.0 * n)) * sum;
}

double DynamicsWave(int order, double a, double b)
{
    const int n = EffectiveOrder(order);
    const double sign = a - b >= 0.0 ? 1.0 : -1.0;
    const double delta = std::fabs(a - b) * kWaveRadiansPerDegree;
    double sum = 0.0;
    for (int k = 1; k <= 12 * n - 1; ++k) {
        const int c = kWaveCoefficients[k % 12];
        if (c != 0) sum += -c * k * std::sin(k * delta);
    }
    return sign * (1.0 / (19.0 * n)) * sum;
}

void FillWaveTablesForOrder(int order)
{
    if (order < 1 || order > kWaveOrders) return;
    const int n = order;
    const double scale = 1.0 / (19.0 * n);
    double* harmony = HarmonyWaveTable[n];
    double* dynamics = DynamicsWaveTable[n];
    for (int m = 0; m < kWaveTableColumns; ++m) {
        // The separation m * 0.02 is formed in extended precision, then rounded once.
        const double separation = static_cast<double>(m * 0.02L);
        // The two series of HarmonyWave(n, 0, separation) and DynamicsWave(n, 0, separation),
        // summed in the same order, from one sine-and-cosine per harmonic.
        const double delta = separation * kWaveRadiansPerDegree;
        double harmonySum = 0.0;
        double dynamicsSum = 0.0;
        for (int k = 1; k <= 12 * n - 1; ++k) {
            const int c = kWaveCoefficients[k % 12];
            if (c == 0) continue;
            double s, co;
            sincos(k * delta, &s, &co);
            harmonySum += c * co;
            dynamicsSum += -c * k * s;
        }
        harmony[m] = scale * harmonySum;
        const double sign = m == 0 ? 1.0 : -1.0;  // the sign of 0 - separation
        dynamics[m] = sign * scale * dynamicsSum;
        WavePairTable[n][m] = WavePair{harmony[m], dynamics[m]};
    }
    filledOrders[n] = true;
}

void EnsureWaveTablesForOrder(int order)
{
    if (order >= 1 && order <= kWaveOrders && !filledOrders[order]) FillWaveTablesForOrder(order);
}

void FillWaveTables()
{
    for (int order = 1; order <= kWaveOrders; ++order) FillWaveTablesForOrder(order);
}

double WaveLookupOutOfRange(const double* row, double separation)
{
    if (std::isnan(separation)) return separation;
    double folded = std::fmod(std::fabs(separation), 360.0);
    return WaveLookup(row, folded);
}

void WaveLookupBothOutOfRange(const WavePair* row, double separation, double* harmony,
                              double* dynamics)
{
    if (std::isnan(separation)) {
        *harmony = *dynamics = separation;
        return;
    }
    WaveLookupBoth(row, std::fmod(std::fabs(separation), 360.0), harmony, dynamics);
}
