#pragma once
// The histogram rules of the density function: amplitudes around the continuum's matrix sums,
// the 39 class limits, and the class of a group value.

#include "research/correlation_matrices.h"

inline constexpr int kDensityClasses = 39;
inline constexpr int kDensityLastClass = kDensityClasses - 1;

// The numerator of the amplitude of one kind for the order n.
double DensityAmplitudeNumerator(int kind, int order);
// Its divisor for the group size m: fixed above 50 members, quadratic in m up to 50.
double DensityAmplitudeDivisor(int kind, int members);
// amplitude = numerator / divisor.
double DensityAmplitude(int kind, int order, int members);

// L[j] = begin + j (end - begin) / 38, j = 0..38.
void DensityClassLimits(double begin, double end, double limits[kDensityClasses]);

// The class of a value: below L[0] class 0, above L[38] class 38, L[j] <= x < L[j+1] class
// j + 1. A value exactly on L[38] (or NaN) belongs to no class: -1. Each value gets at most one
// class, also when hand-entered limits run downwards.
int DensityClass(double value, const double limits[kDensityClasses]);

// Adds one to the class of the value, if it has one.
void CountInClass(double value, const double limits[kDensityClasses],
                  double counts[kDensityClasses]);

// The event marker is drawn only from class 2 on.
bool DensityMarkerShown(const double markers[kDensityClasses], int cls);
