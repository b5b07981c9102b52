#pragma once
// The Sun and the planets Mercury..Pluto from the Keplerian mean elements of 1950.0:
// Kepler's equation by five fixed-point iterations, heliocentric ecliptic coordinates, then
// geocentric longitude, latitude and daily motion.

// T in Julian centuries since 1950.0. The arrays are indexed by principle (0 Sun, 2 Mercury ..
// 9 Pluto) and hold at least ten entries; index 1 (Moon) is not touched, nor is latitude[0].
// longitude: degrees; latitude: radians, geocentric; dailyMotion: degrees per day.
void PlanetsByElements(double centuriesSince1950, double* longitude, double* latitude,
                       double* dailyMotion);

// atan2(y, x) in [0, 2 pi), from the half-angle formula 2 atan(y / (|x| + sqrt(x^2 + y^2)));
// 0 for the origin.
double QuadrantSafeLongitude(double x, double y);
