#pragma once
// Keplerian mean elements of epoch 1950.0 for the Earth and the planets, and the constants of
// the position formulas.

// Columns of one row of OrbitalElements. Each angle is X0 + X1 * T degrees, e = e0 + e1 * T,
// T in Julian centuries since 1950.0.
enum OrbitalElementColumn {
    kSemiMajorAxis = 0,   // a, astronomical units
    kEccentricity0 = 1,
    kEccentricity1 = 2,
    kInclination0 = 3,    // i
    kInclination1 = 4,
    kAscendingNode0 = 5,  // longitude of the ascending node
    kAscendingNode1 = 6,
    kPerihelion0 = 7,     // longitude of perihelion
    kPerihelion1 = 8,
    kMeanAnomaly0 = 9,
    kMeanAnomaly1 = 10,
};

inline constexpr int kOrbitalElementRows = 9;  // 0 Earth, 1 Mercury .. 8 Pluto

extern const double OrbitalElements[kOrbitalElementRows][11];

inline constexpr double kGaussianGravitationalConstant = 0.017203197;  // k
// Fixed obliquity of the ecliptic.
inline constexpr double kCosObliquity = 0.917436945;
inline constexpr double kSinObliquity = 0.397881203;
inline constexpr double kInverseCosObliquity = 1.0899931656883515;
// Julian day of 1950.0, the epoch of the elements.
inline constexpr double kJulianDay1950 = 2433282.5;
