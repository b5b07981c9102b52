// Amplitudes, class limits and classification of the density function.

#include "research/density_classes.h"

double DensityAmplitudeNumerator(int kind, int order) {
    const double n = order;
    // The integer parts in integers, as the amplitudes were fitted.
    switch (kind) {
    case kHarmonyKind: return 1.25 * n * n + (216 - 22 * order);
    case kEnergyKind: return 6.25 * n * n + (253 - 65 * order);
    case kDynamicsKind: return (940 * order + 190) - 50.0 * n * n;
    default: return (690 * order + 365) - 25.0 * n * n;
    }
}

double DensityAmplitudeDivisor(int kind, int members) {
    const double m = members;
    if (members > 50) {
        static const double fixed[kCorrelationKinds] = {10.0, 9.0, 11.0, 12.0};
        return fixed[kind < 0 || kind > 3 ? 3 : kind];
    }
    switch (kind) {
    case kHarmonyKind: return 0.295 * m + 0.707 - 0.0026 * m * m;
    case kEnergyKind: return 0.313 * m + 0.69 - 0.0032 * m * m;
    case kDynamicsKind: return 0.458 * m + 0.547 - 0.0053 * m * m;
    default: return 0.42 * m + 0.584 - 0.0043 * m * m;
    }
}

double DensityAmplitude(int kind, int order, int members) {
    const double numerator = DensityAmplitudeNumerator(kind, order);
    // Above 50 members the harmony amplitude is a tenth of its numerator.
    if (members > 50 && kind == kHarmonyKind) return numerator * 0.1;
    return numerator / DensityAmplitudeDivisor(kind, members);
}

void DensityClassLimits(double begin, double end, double limits[kDensityClasses]) {
    const double width = (end - begin) / kDensityLastClass;
    for (int j = 0; j < kDensityClasses; ++j) limits[j] = begin + j * width;
}

int DensityClass(double value, const double limits[kDensityClasses]) {
    if (value < limits[0]) return 0;
    if (value > limits[kDensityLastClass]) return kDensityLastClass;
    for (int j = 0; j < kDensityLastClass; ++j)
        if (limits[j] <= value && value < limits[j + 1]) return j + 1;
    return -1;
}

void CountInClass(double value, const double limits[kDensityClasses],
                  double counts[kDensityClasses]) {
    const int cls = DensityClass(value, limits);
    if (cls >= 0) counts[cls] += 1.0;
}

bool DensityMarkerShown(const double markers[kDensityClasses], int cls) {
    return cls > 1 && cls < kDensityClasses && markers[cls] > 0.0;
}
