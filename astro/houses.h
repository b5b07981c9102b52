#pragma once
// House cusps from the local sidereal time with the fixed obliquity of the ecliptic:
// Ascendant, Midheaven (MC) and Imum Coeli (IC). Sidereal times are in hours.

// Latitude = degrees + minutes / 60 (the minutes are added also for southern latitudes).
double Ascendant(double siderealTime, int latitudeDegrees, int latitudeMinutes);

// Degrees in [0, 360).
double Midheaven(double siderealTime);

// Degrees in [0, 360]; 180 degrees from the Midheaven.
double ImumCoeli(double siderealTime);

// The three at once, as the positions of a moment need them (one sine and cosine of the
// sidereal angle, the tangent of the latitude kept from the previous call at the same place).
void HouseCusps(double siderealTime, int latitudeDegrees, int latitudeMinutes,
                double* ascendant, double* midheaven, double* imumCoeli);
