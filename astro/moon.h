#pragma once
// The Moon's geocentric ecliptic longitude and latitude from the truncated ELP-2000/82 series
// (Meeus, Astronomical Algorithms, first-edition constants), and the mean lunar node.

// One periodic term: multiples of the fundamental arguments D, M, M', F and the coefficient
// in millionths of a degree. Terms in +-M are multiplied by E, those in +-2M by E^2.
struct LunarTerm {
    signed char elongation;          // D, mean elongation of the Moon
    signed char sunAnomaly;          // M, mean anomaly of the Sun
    signed char moonAnomaly;         // M', mean anomaly of the Moon
    signed char argumentOfLatitude;  // F, the Moon's argument of latitude
    int coefficient;
};

inline constexpr int kLunarTermCount = 60;
extern const LunarTerm kLunarLongitudeTerms[kLunarTermCount];
extern const LunarTerm kLunarLatitudeTerms[kLunarTermCount];

// Fundamental arguments of the Moon, degrees: L' brought into [0, 360], the others (of which
// only sines and cosines are taken) within half a turn of 0; and the factor E of the
// decreasing eccentricity of the Earth's orbit.
struct LunarArguments {
    double meanLongitude;  // L'
    double elongation;     // D
    double sunAnomaly;     // M
    double moonAnomaly;    // M'
    double argumentOfLatitude;  // F
    double a1;             // action of Venus
    double a2;             // action of Jupiter
    double a3;
    double e;
};

LunarArguments ComputeLunarArguments(double julianDay);

// Longitude (degrees, L' + sum, may lie slightly outside [0, 360]) and latitude (degrees).
void MoonPosition(double julianDay, double* longitude, double* latitude);

// Mean longitude of the ascending lunar node for T centuries since 1950.0, degrees, reduced by
// whole turns toward zero.
double MeanLunarNode(double centuriesSince1950);
