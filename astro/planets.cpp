#include "astro/planets.h"

#include <cmath>

#include "astro/angles.h"
#include "astro/astro_print.h"
#include "astro/orbital_elements.h"
#include "astro/fast_trig.h"

namespace {

// x minus whole turns, within a few units in the last place of [-180, 180]: only sines and
// cosines of the result are taken, so its exact range does not matter, and the product with
// 1 / 360 is cheaper than the quotient. q * 360 and the difference are exact (see angles.h).
inline double ReduceByTurns(double degrees)
{
    if (!(std::fabs(degrees) < 1e15)) return ReduceTowardZero(degrees);
    return degrees - fast_trig_detail::RoundToInteger(degrees * (1.0 / 360.0)) * 360.0;
}

// Heliocentric state of one body, as far as the geocentric step needs it.
struct HeliocentricBody {
    double x, y, z;       // ecliptic coordinates, AU
    double r;             // distance from the Sun
    double inverseR;      // 1 / r
    double rho;           // its projection on the ecliptic
    double cosLongitude;  // of the heliocentric longitude
    double sinLongitude;
    double e;
    double sinEccentricAnomaly;
};

// cos and sin of the slowly moving angles at the epoch (X0 of inclination, node and
// perihelion), so that each moment only advances them by the small X1 * T.
struct EpochAngles {
    Phasor inclination[kOrbitalElementRows];
    Phasor node[kOrbitalElementRows];
    Phasor perihelion[kOrbitalElementRows];
    double rootOfAxis[kOrbitalElementRows];     // sqrt(a), the same value as formed per moment
    double inverseOfAxis[kOrbitalElementRows];  // 1 / a, likewise
};

const EpochAngles& AnglesAtEpoch()
{
    static const EpochAngles angles = [] {
        EpochAngles a{};
        for (int row = 0; row < kOrbitalElementRows; ++row) {
            a.inclination[row] = PhasorOf(DegreesToRadians(OrbitalElements[row][kInclination0]));
            a.node[row] = PhasorOf(DegreesToRadians(OrbitalElements[row][kAscendingNode0]));
            a.perihelion[row] = PhasorOf(DegreesToRadians(OrbitalElements[row][kPerihelion0]));
            a.rootOfAxis[row] = std::sqrt(OrbitalElements[row][kSemiMajorAxis]);
            a.inverseOfAxis[row] = 1.0 / OrbitalElements[row][kSemiMajorAxis];
        }
        return a;
    }();
    return angles;
}

// Solves the orbits of all rows of the element table and rotates them into the ecliptic.
// The rows are carried along side by side, step by step: each body's Kepler iteration is a
// chain of dependent operations, and nine independent chains keep the processor busy.
void SolveOrbits(double t, HeliocentricBody* bodies)
{
    const EpochAngles& epoch = AnglesAtEpoch();
    double meanAnomaly[kOrbitalElementRows];
    double eccentricity[kOrbitalElementRows];
    double eccentricAnomaly[kOrbitalElementRows];
    Phasor anomaly[kOrbitalElementRows];
    for (int row = 0; row < kOrbitalElementRows; ++row) {
        const double* elements = OrbitalElements[row];
        eccentricity[row] = elements[kEccentricity0] + elements[kEccentricity1] * t;
        meanAnomaly[row] = DegreesToRadians(
            ReduceByTurns(elements[kMeanAnomaly0] + elements[kMeanAnomaly1] * t));
        eccentricAnomaly[row] = meanAnomaly[row];
        anomaly[row] = FastPhasorOf(meanAnomaly[row]);
    }

    // Kepler's equation E = M + e sin E, a fixed count of five fixed-point iterations. Once
    // the new E differs little from the last, its sine and cosine follow by angle addition.
    // The k-th step is at most e^k in size (the map E -> M + e sin E contracts by e).
    double stepBound[kOrbitalElementRows];
    for (int row = 0; row < kOrbitalElementRows; ++row)
        stepBound[row] = std::fabs(eccentricity[row]);
    for (int iteration = 0; iteration < 5; ++iteration)
        for (int row = 0; row < kOrbitalElementRows; ++row) {
            const double next = meanAnomaly[row] + eccentricity[row] * anomaly[row].s;
            if (stepBound[row] > 0.02)
                anomaly[row] = FastPhasorOf(next);
            else
                anomaly[row] = Multiply(anomaly[row], SmallAnglePhasorWithin(
                                                          next - eccentricAnomaly[row],
                                                          stepBound[row]));
            eccentricAnomaly[row] = next;
            stepBound[row] *= std::fabs(eccentricity[row]);
        }

    for (int row = 0; row < kOrbitalElementRows; ++row) {
        const double* elements = OrbitalElements[row];
        const double a = elements[kSemiMajorAxis];
        const double e = eccentricity[row];
        // Whole turns do not change sines; the angles X0 + X1 T are advanced from the epoch.
        const Phasor inclination =
            Advance(epoch.inclination[row], DegreesToRadians(elements[kInclination1] * t));
        const Phasor node =
            Advance(epoch.node[row], DegreesToRadians(elements[kAscendingNode1] * t));
        const Phasor perihelion =
            Advance(epoch.perihelion[row], DegreesToRadians(elements[kPerihelion1] * t));
        const double sinE = anomaly[row].s;
        const double cosE = anomaly[row].c;

        // Orbit plane, then argument of perihelion (perihelion minus node), inclination, node.
        const double xOrbit = a * (cosE - e);
        const double yOrbit = a * std::sqrt(1.0 - e * e) * sinE;
        const Phasor w = Divide(perihelion, node);
        const double x1 = xOrbit * w.c - yOrbit * w.s;
        const double y1 = xOrbit * w.s + yOrbit * w.c;
        const double z = y1 * inclination.s;
        const double y2 = y1 * inclination.c;

        HeliocentricBody& body = bodies[row];
        body.x = x1 * node.c - y2 * node.s;
        body.y = x1 * node.s + y2 * node.c;
        body.z = z;
        // Divisions and square roots are the slowest steps here: each is formed once.
        const double rhoSquared = body.x * body.x + body.y * body.y;
        body.r = std::sqrt(rhoSquared + z * z);
        body.inverseR = 1.0 / body.r;
        const double rho = std::sqrt(rhoSquared);
        const double inverseRho = 1.0 / rho;
        body.rho = rho;
        body.cosLongitude = rho > 0.0 ? body.x * inverseRho : 1.0;
        body.sinLongitude = rho > 0.0 ? body.y * inverseRho : 0.0;
        body.e = e;
        body.sinEccentricAnomaly = sinE;
    }
}

// Printed row by row, before the row's own velocity diagnostics.
void ReportImpossibleElements(int row, const HeliocentricBody& body)
{
    if (body.e > 1.0) AstroPrint("740 Test tafeln !!! exc %f  ", body.e);
    const double a = OrbitalElements[row][kSemiMajorAxis];
    if (a < 0.0) AstroPrint("798 Test tafeln !!! ax %f  ", a);
}

// cos and sin of the angle between the velocity and the radius vector, from its cosine
// (the radial share of the speed). Same value as AngleFromCosine, without the arc tangent.
void VelocityAngle(double cosine, double* cosGamma, double* sinGamma)
{
    if (cosine > 1.0 || cosine < -1.0) AstroPrint("79 Test tafeln !!! x %f  ", cosine);
    *cosGamma = cosine;
    *sinGamma = std::sqrt(1.0 - cosine * cosine);
}

}  // namespace

namespace {

// QuadrantSafeLongitude with the radius sqrt(x x + y y) already at hand.
inline double LongitudeWithRadius(double x, double y, double radius)
{
    if (x == 0.0 && y == 0.0) return 0.0;
    double phi = 2.0 * FastArcTangentWithinOne(y / (std::fabs(x) + radius));
    if (x >= 0.0) return y < 0.0 ? phi + 2.0 * kPi : phi;
    return kPi - phi;
}

}  // namespace

double QuadrantSafeLongitude(double x, double y)
{
    return LongitudeWithRadius(x, y, std::sqrt(x * x + y * y));
}

void PlanetsByElements(double centuriesSince1950, double* longitude, double* latitude,
                       double* dailyMotion)
{
    const double t = centuriesSince1950;
    const double k = kGaussianGravitationalConstant;

    const EpochAngles& epoch = AnglesAtEpoch();
    HeliocentricBody bodies[kOrbitalElementRows];
    SolveOrbits(t, bodies);
    const HeliocentricBody& earth = bodies[0];
    ReportImpossibleElements(0, earth);
    const double earthLongitude = LongitudeWithRadius(earth.x, earth.y, earth.rho);
    longitude[0] = ReduceTowardZero(RadiansToDegrees(earthLongitude + kPi));
    const double earthEnergy = 2.0 * earth.inverseR - 1.0;
    if (earthEnergy < 0.0) AstroPrint("813 Test tafeln !!! 2.0/r0-1.0 %f  ", earthEnergy);
    const double earthSpeed = std::sqrt(earthEnergy) * k;
    double earthCosGamma, earthSinGamma;
    VelocityAngle(k * earth.e * earth.sinEccentricAnomaly * earth.inverseR / earthSpeed,
                  &earthCosGamma, &earthSinGamma);
    dailyMotion[0] = earthSpeed * kDegreesPerRadian * earth.inverseR;

    for (int row = 1; row < kOrbitalElementRows; ++row) {
        const int p = row + 1;
        const HeliocentricBody& body = bodies[row];
        ReportImpossibleElements(row, body);
        const double x = body.x - earth.x;
        const double y = body.y - earth.y;
        const double z = body.z;
        const double rhoSquared = x * x + y * y;
        const double rho = std::sqrt(rhoSquared);
        const double delta = std::sqrt(rhoSquared + z * z);
        const double inverseRho = 1.0 / rho;
        latitude[p] = FastArcTangent(z * inverseRho);
        const double geocentricLongitude = LongitudeWithRadius(x, y, rho);
        longitude[p] = RadiansToDegrees(geocentricLongitude);

        const double energy = 2.0 * body.inverseR - epoch.inverseOfAxis[row];
        if (energy < 0.0) AstroPrint("796 Test tafeln !!! r8 %f  ", energy);
        const double speed = std::sqrt(energy) * k;
        double cosGamma, sinGamma;
        VelocityAngle(body.sinEccentricAnomaly * epoch.rootOfAxis[row] * k * body.e * body.inverseR /
                          speed,
                      &cosGamma, &sinGamma);

        // Motion across the line of sight: v sin(gamma + lambda_h - lambda_g) for the planet
        // minus the same for the Earth, by angle addition (the direction cosines of the
        // heliocentric and geocentric longitudes are X / rho and Y / rho).
        const double cosG = rho > 0.0 ? x * inverseRho : 1.0;
        const double sinG = rho > 0.0 ? y * inverseRho : 0.0;
        const double cosHG = body.cosLongitude * cosG + body.sinLongitude * sinG;
        const double sinHG = body.sinLongitude * cosG - body.cosLongitude * sinG;
        const double cosEG = earth.cosLongitude * cosG + earth.sinLongitude * sinG;
        const double sinEG = earth.sinLongitude * cosG - earth.cosLongitude * sinG;
        const double planetAcross = sinGamma * cosHG + cosGamma * sinHG;
        const double earthAcross = earthSinGamma * cosEG + earthCosGamma * sinEG;
        dailyMotion[p] = RadiansToDegrees(speed * planetAcross - earthSpeed * earthAcross) / delta;
    }
}
