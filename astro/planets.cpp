#include "astro/planets.h"

#include <cmath>

#include "astro/angles.h"
#include "astro/astro_print.h"
#include "astro/orbital_elements.h"
#include "astro/fast_trig.h"
#include "astro/lanes.h"

namespace {

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

typedef BasicPhasor<DoubleLanes> PhasorLanes;

inline PhasorLanes Pack(Phasor a, Phasor b)
{
    return PhasorLanes{DoubleLanes{a.c, b.c}, DoubleLanes{a.s, b.s}};
}

// The rows are solved two per vector register, in pairs of alike eccentricity so that their
// Kepler steps take the same series: Mercury and Pluto, Venus and Neptune, Mars and Uranus,
// Jupiter and Saturn, and the Earth (in both lanes). A step whose lanes would take different
// series is done lane by lane; every lane does the steps of the one-body code.
constexpr int kRowPairs = 5;
constexpr int kRowPair[kRowPairs][2] = {{1, 8}, {2, 7}, {3, 6}, {4, 5}, {0, 0}};

// How a Kepler step with this bound gets the new sine and cosine: from the table (-1) or by a
// series of this tier and an angle addition.
inline int KeplerStepKind(double bound)
{
    return bound > 0.02 ? -1 : static_cast<int>(TierFor(bound));
}

inline Phasor KeplerStep(Phasor anomaly, double next, double last, double bound)
{
    if (bound > 0.02) return FastPhasorOf(next);
    return Multiply(anomaly, SmallAnglePhasorWithin(next - last, bound));
}

// Advance for both lanes; lanes whose steps take different series go one at a time.
inline PhasorLanes AdvanceLanes(PhasorLanes x, DoubleLanes step)
{
    const double first = std::fabs(step[0]), second = std::fabs(step[1]);
    if (first <= 0.02 && second <= 0.02) return Multiply(x, ShortSeriesPhasor(step));
    if (first > 0.02 && first <= 0.3 && second > 0.02 && second <= 0.3)
        return Multiply(x, LongSeriesPhasor(step));
    return Pack(Advance(LaneOf(x, 0), step[0]), Advance(LaneOf(x, 1), step[1]));
}

// Solves the orbits of all rows of the element table and rotates them into the ecliptic.
// The pairs are carried along side by side, step by step: each Kepler iteration is a chain of
// dependent operations, and five independent chains keep the processor busy.
void SolveOrbits(double t, HeliocentricBody* bodies)
{
    const EpochAngles& epoch = AnglesAtEpoch();
    DoubleLanes eccentricity[kRowPairs], meanAnomaly[kRowPairs], eccentricAnomaly[kRowPairs];
    PhasorLanes anomaly[kRowPairs];
    double bound[kRowPairs][2];
    for (int p = 0; p < kRowPairs; ++p) {
        const double* ea = OrbitalElements[kRowPair[p][0]];
        const double* eb = OrbitalElements[kRowPair[p][1]];
        eccentricity[p] = DoubleLanes{ea[kEccentricity0] + ea[kEccentricity1] * t,
                                      eb[kEccentricity0] + eb[kEccentricity1] * t};
        meanAnomaly[p] = DoubleLanes{
            DegreesToRadians(ReduceTurnsForSines(ea[kMeanAnomaly0] + ea[kMeanAnomaly1] * t)),
            DegreesToRadians(ReduceTurnsForSines(eb[kMeanAnomaly0] + eb[kMeanAnomaly1] * t))};
        anomaly[p] = FastPhasorOf(meanAnomaly[p]);
        eccentricAnomaly[p] = meanAnomaly[p];
        bound[p][0] = std::fabs(eccentricity[p][0]);
        bound[p][1] = std::fabs(eccentricity[p][1]);
    }

    // Kepler's equation E = M + e sin E, a fixed count of five fixed-point iterations. Once
    // the new E differs little from the last, its sine and cosine follow by angle addition.
    // The k-th step is at most e^k in size (the map E -> M + e sin E contracts by e).
    for (int iteration = 0; iteration < 5; ++iteration)
        for (int p = 0; p < kRowPairs; ++p) {
            const DoubleLanes e = eccentricity[p];
            const DoubleLanes next = meanAnomaly[p] + e * anomaly[p].s;
            const int kind = KeplerStepKind(bound[p][0]);
            if (kind != KeplerStepKind(bound[p][1]))
                anomaly[p] = Pack(
                    KeplerStep(LaneOf(anomaly[p], 0), next[0], eccentricAnomaly[p][0], bound[p][0]),
                    KeplerStep(LaneOf(anomaly[p], 1), next[1], eccentricAnomaly[p][1], bound[p][1]));
            else if (kind < 0)
                anomaly[p] = FastPhasorOf(next);
            else
                anomaly[p] = Multiply(anomaly[p], SeriesPhasor(static_cast<SeriesTier>(kind),
                                                               next - eccentricAnomaly[p]));
            eccentricAnomaly[p] = next;
            bound[p][0] *= std::fabs(e[0]);
            bound[p][1] *= std::fabs(e[1]);
        }

    for (int p = 0; p < kRowPairs; ++p) {
        const int rowA = kRowPair[p][0], rowB = kRowPair[p][1];
        const double* ea = OrbitalElements[rowA];
        const double* eb = OrbitalElements[rowB];
        const DoubleLanes e = eccentricity[p];
        // Whole turns do not change sines; the angles X0 + X1 T are advanced from the epoch.
        const PhasorLanes inclination =
            AdvanceLanes(Pack(epoch.inclination[rowA], epoch.inclination[rowB]),
                         DoubleLanes{DegreesToRadians(ea[kInclination1] * t),
                                     DegreesToRadians(eb[kInclination1] * t)});
        const PhasorLanes node =
            AdvanceLanes(Pack(epoch.node[rowA], epoch.node[rowB]),
                         DoubleLanes{DegreesToRadians(ea[kAscendingNode1] * t),
                                     DegreesToRadians(eb[kAscendingNode1] * t)});
        const PhasorLanes perihelion =
            AdvanceLanes(Pack(epoch.perihelion[rowA], epoch.perihelion[rowB]),
                         DoubleLanes{DegreesToRadians(ea[kPerihelion1] * t),
                                     DegreesToRadians(eb[kPerihelion1] * t)});

        // Orbit plane, then argument of perihelion (perihelion minus node), inclination, node.
        const DoubleLanes a = {ea[kSemiMajorAxis], eb[kSemiMajorAxis]};
        const DoubleLanes xOrbit = a * (anomaly[p].c - e);
        const DoubleLanes yOrbit = a * SquareRoot(1.0 - e * e) * anomaly[p].s;
        const PhasorLanes w = Divide(perihelion, node);
        const DoubleLanes x1 = xOrbit * w.c - yOrbit * w.s;
        const DoubleLanes y1 = xOrbit * w.s + yOrbit * w.c;
        const DoubleLanes z = y1 * inclination.s;
        const DoubleLanes y2 = y1 * inclination.c;
        const DoubleLanes x = x1 * node.c - y2 * node.s;
        const DoubleLanes y = x1 * node.s + y2 * node.c;
        // Divisions and square roots are the slowest steps here: each is formed once.
        const DoubleLanes rhoSquared = x * x + y * y;
        const DoubleLanes r = SquareRoot(rhoSquared + z * z);
        const DoubleLanes inverseR = 1.0 / r;
        const DoubleLanes rho = SquareRoot(rhoSquared);
        const DoubleLanes inverseRho = 1.0 / rho;
        const MaskLanes onAxis = (MaskLanes)(rho > 0.0);
        const DoubleLanes cosLongitude = Select(onAxis, x * inverseRho, DoubleLanes{1.0, 1.0});
        const DoubleLanes sinLongitude = Select(onAxis, y * inverseRho, DoubleLanes{0.0, 0.0});
        for (int k = 0; k < 2; ++k) {
            HeliocentricBody& body = bodies[kRowPair[p][k]];
            body.x = x[k];
            body.y = y[k];
            body.z = z[k];
            body.r = r[k];
            body.inverseR = inverseR[k];
            body.rho = rho[k];
            body.cosLongitude = cosLongitude[k];
            body.sinLongitude = sinLongitude[k];
            body.e = e[k];
            body.sinEccentricAnomaly = anomaly[p].s[k];
        }
    }
}

// Printed row by row, before the row's own velocity diagnostics.
void ReportImpossibleElements(int row, const HeliocentricBody& body)
{
    if (body.e > 1.0) AstroPrint("740 Test tafeln !!! exc %f  ", body.e);
    const double a = OrbitalElements[row][kSemiMajorAxis];
    if (a < 0.0) AstroPrint("798 Test tafeln !!! ax %f  ", a);
}

void ReportVelocityCosine(double cosine)
{
    if (cosine > 1.0 || cosine < -1.0) AstroPrint("79 Test tafeln !!! x %f  ", cosine);
}

// cos and sin of the angle between the velocity and the radius vector, from its cosine
// (the radial share of the speed). Same value as AngleFromCosine, without the arc tangent.
void VelocityAngle(double cosine, double* cosGamma, double* sinGamma)
{
    ReportVelocityCosine(cosine);
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

// The same for two points in the lanes of a register.
inline DoubleLanes LongitudeWithRadius(DoubleLanes x, DoubleLanes y, DoubleLanes radius)
{
    if ((x[0] == 0.0 && y[0] == 0.0) || (x[1] == 0.0 && y[1] == 0.0))
        return DoubleLanes{LongitudeWithRadius(x[0], y[0], radius[0]),
                           LongitudeWithRadius(x[1], y[1], radius[1])};
    const DoubleLanes phi = 2.0 * FastArcTangentWithinOne(y / (Absolute(x) + radius));
    const DoubleLanes east = Select((MaskLanes)(y < 0.0), phi + 2.0 * kPi, phi);
    return Select((MaskLanes)(x >= 0.0), east, kPi - phi);
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

    // The planets two per vector register (rows 1 and 2, 3 and 4, ...), each lane doing the
    // one-body steps; their diagnostics are printed afterwards, row by row, as they would be.
    double energies[kOrbitalElementRows], cosines[kOrbitalElementRows];
    for (int row = 1; row + 1 < kOrbitalElementRows; row += 2) {
        const HeliocentricBody& a = bodies[row];
        const HeliocentricBody& b = bodies[row + 1];
        const DoubleLanes x = DoubleLanes{a.x, b.x} - earth.x;
        const DoubleLanes y = DoubleLanes{a.y, b.y} - earth.y;
        const DoubleLanes z = {a.z, b.z};
        const DoubleLanes rhoSquared = x * x + y * y;
        const DoubleLanes rho = SquareRoot(rhoSquared);
        const DoubleLanes delta = SquareRoot(rhoSquared + z * z);
        const DoubleLanes inverseRho = 1.0 / rho;
        const DoubleLanes bodyLatitude = FastArcTangent(z * inverseRho);
        const DoubleLanes bodyLongitude = RadiansToDegrees(LongitudeWithRadius(x, y, rho));

        const DoubleLanes inverseR = {a.inverseR, b.inverseR};
        const DoubleLanes energy =
            2.0 * inverseR - DoubleLanes{epoch.inverseOfAxis[row], epoch.inverseOfAxis[row + 1]};
        const DoubleLanes speed = SquareRoot(energy) * k;
        const DoubleLanes cosGamma =
            DoubleLanes{a.sinEccentricAnomaly, b.sinEccentricAnomaly} *
            DoubleLanes{epoch.rootOfAxis[row], epoch.rootOfAxis[row + 1]} * k *
            DoubleLanes{a.e, b.e} * inverseR / speed;
        const DoubleLanes sinGamma = SquareRoot(1.0 - cosGamma * cosGamma);

        // Motion across the line of sight: v sin(gamma + lambda_h - lambda_g) for the planet
        // minus the same for the Earth, by angle addition (the direction cosines of the
        // heliocentric and geocentric longitudes are X / rho and Y / rho).
        const MaskLanes apart = (MaskLanes)(rho > 0.0);
        const DoubleLanes cosG = Select(apart, x * inverseRho, DoubleLanes{1.0, 1.0});
        const DoubleLanes sinG = Select(apart, y * inverseRho, DoubleLanes{0.0, 0.0});
        const DoubleLanes bodyCos = {a.cosLongitude, b.cosLongitude};
        const DoubleLanes bodySin = {a.sinLongitude, b.sinLongitude};
        const DoubleLanes cosHG = bodyCos * cosG + bodySin * sinG;
        const DoubleLanes sinHG = bodySin * cosG - bodyCos * sinG;
        const DoubleLanes cosEG = earth.cosLongitude * cosG + earth.sinLongitude * sinG;
        const DoubleLanes sinEG = earth.sinLongitude * cosG - earth.cosLongitude * sinG;
        const DoubleLanes planetAcross = sinGamma * cosHG + cosGamma * sinHG;
        const DoubleLanes earthAcross = earthSinGamma * cosEG + earthCosGamma * sinEG;
        const DoubleLanes motion =
            RadiansToDegrees(speed * planetAcross - earthSpeed * earthAcross) / delta;
        for (int lane = 0; lane < 2; ++lane) {
            const int p = row + lane + 1;
            latitude[p] = bodyLatitude[lane];
            longitude[p] = bodyLongitude[lane];
            dailyMotion[p] = motion[lane];
            energies[row + lane] = energy[lane];
            cosines[row + lane] = cosGamma[lane];
        }
    }
    for (int row = 1; row < kOrbitalElementRows; ++row) {
        ReportImpossibleElements(row, bodies[row]);
        if (energies[row] < 0.0) AstroPrint("796 Test tafeln !!! r8 %f  ", energies[row]);
        ReportVelocityCosine(cosines[row]);
    }
}
