// How far the program's positions lie from the IAU's routines (ERFA), 1800-2100.
//
// For 3000 moments spread evenly over 1800-2100 the program's longitudes, sidereal time and
// house cusps are compared with ERFA's, century by century. The table of maximum and mean
// differences goes to stdout and to accuracy.txt in the build folder (docs/accuracy.md keeps
// a copy); the bounds sit a little above what was measured, so a change that makes the
// astronomy worse fails here.
//
// What the program computes, and so what ERFA is asked for:
// - The moment is a clock time in world time (UT); ERFA is evaluated at UT1 = that time and
//   TT = UT + Delta T. The program has no Delta T, so its share shows in the differences.
// - Longitudes are geometric (no light time, no aberration) and geocentric. The reference is
//   the same geometric direction, referred to the true ecliptic and equinox of date
//   (precession and nutation). A second, smaller table gives the light time and aberration
//   the model leaves out, and the effect of Delta T, so the differences can be read apart.
// - Sidereal time and the cusps: the reference is Greenwich apparent sidereal time
//   (eraGst06) plus the place's longitude, with the true obliquity of date; a row against the
//   mean sidereal time (eraGmst06) shows what of the difference is the equation of equinoxes.
// Pluto has no ERFA counterpart (eraPlan94 covers Mercury..Neptune) and is not compared.

#include <gtest/gtest.h>

#include <erfa.h>
#include <erfam.h>

#include <cmath>
#include <cstdio>
#include <string>

#include "astro/astro_records.h"
#include "astro/positions.h"

namespace {

constexpr int kMoments = 3000;
constexpr int kCenturies = 3;  // 1800-1899, 1900-1999, 2000-2099

// The place of every moment: the differences of sidereal time and MC do not depend on it, the
// Ascendant's do (through the latitude).
constexpr int kLongitudeDegrees = 13;
constexpr int kLongitudeMinutes = 24;
constexpr int kLatitudeDegrees = 52;
constexpr int kLatitudeMinutes = 31;

// Rows of the table: the nine bodies ERFA has, then time and cusps.
enum Row {
    kRowSun, kRowMoon, kRowMercury, kRowVenus, kRowMars, kRowJupiter, kRowSaturn,
    kRowUranus, kRowNeptune, kRowNode, kRowSiderealTime, kRowMeanSiderealTime, kRowMidheaven, kRowImumCoeli,
    kRowAscendant, kRowCount
};
constexpr int kBodies = 9;  // rows 0..8 are PositionRecord::longitude[0..8] as well

const char* const kRowNames[kRowCount] = {
    "Sun", "Moon", "Mercury", "Venus", "Mars", "Jupiter", "Saturn", "Uranus", "Neptune",
    "Mean lunar node", "Sidereal time (s)", "Mean sidereal time (s)", "MC", "IC", "Ascendant (52.5 N)",
};

// Largest differences the program may show, per century (1800-1899, 1900-1999, 2000-2099), in
// degrees (seconds of time for the sidereal time): the measured maximum and mean, each raised by
// about 8 percent. Per century, because Delta T dominates the Moon after 2000 and would hide a
// change of the lunar series in the earlier centuries.
struct Bound {
    double maximum;
    double mean;
};
const Bound kBounds[kRowCount][kCenturies] = {
    {{0.0134, 0.00397}, {0.0127, 0.00383}, {0.0141, 0.00388}},  // Sun
    {{0.00698, 0.00341}, {0.0169, 0.00599}, {0.0375, 0.0182}},  // Moon
    {{0.0193, 0.00408}, {0.0158, 0.00399}, {0.0173, 0.00428}},  // Mercury
    {{0.0297, 0.00439}, {0.0299, 0.00425}, {0.031, 0.0047}},  // Venus
    {{0.0584, 0.00751}, {0.0532, 0.00751}, {0.0541, 0.00786}},  // Mars
    {{0.461, 0.0897}, {0.19, 0.0452}, {0.301, 0.0776}},  // Jupiter
    {{0.581, 0.179}, {0.156, 0.0775}, {0.237, 0.0956}},  // Saturn
    {{0.161, 0.0626}, {0.0867, 0.0394}, {0.198, 0.0887}},  // Uranus
    {{0.504, 0.276}, {0.225, 0.0479}, {0.451, 0.251}},  // Neptune
    {{0.00218, 0.0013}, {0.00124, 0.000518}, {0.00278, 0.00203}},  // node
    {{1.27, 0.72}, {1.24, 0.717}, {1.27, 0.729}},  // sidereal time, s
    {{0.0393, 0.0301}, {0.0206, 0.0109}, {0.0192, 0.00907}},  // mean sidereal time, s
    {{0.00953, 0.00338}, {0.0065, 0.00303}, {0.0088, 0.0034}},  // MC
    {{0.00953, 0.00338}, {0.0065, 0.00303}, {0.0088, 0.0034}},  // IC
    {{0.0556, 0.0141}, {0.0265, 0.00497}, {0.0564, 0.0152}},  // Ascendant
};

// Delta T = TT - UT in seconds, the polynomials of Espenak and Meeus (2006) for 1800-2150.
// After 2005 they are a prediction; the real Earth has run a little faster since.
double DeltaTSeconds(double year)
{
    double t;
    if (year < 1860.0) {
        t = year - 1800.0;
        return 13.72 - 0.332447 * t + 0.0068612 * t * t + 0.0041116 * t * t * t -
               0.00037436 * std::pow(t, 4) + 0.0000121272 * std::pow(t, 5) -
               0.0000001699 * std::pow(t, 6) + 0.000000000875 * std::pow(t, 7);
    }
    if (year < 1900.0) {
        t = year - 1860.0;
        return 7.62 + 0.5737 * t - 0.251754 * t * t + 0.01680668 * t * t * t -
               0.0004473624 * std::pow(t, 4) + std::pow(t, 5) / 233174.0;
    }
    if (year < 1920.0) {
        t = year - 1900.0;
        return -2.79 + 1.494119 * t - 0.0598939 * t * t + 0.0061966 * t * t * t -
               0.000197 * std::pow(t, 4);
    }
    if (year < 1941.0) {
        t = year - 1920.0;
        return 21.20 + 0.84493 * t - 0.076100 * t * t + 0.0020936 * t * t * t;
    }
    if (year < 1961.0) {
        t = year - 1950.0;
        return 29.07 + 0.407 * t - t * t / 233.0 + t * t * t / 2547.0;
    }
    if (year < 1986.0) {
        t = year - 1975.0;
        return 45.45 + 1.067 * t - t * t / 260.0 - t * t * t / 718.0;
    }
    if (year < 2005.0) {
        t = year - 2000.0;
        return 63.86 + 0.3345 * t - 0.060374 * t * t + 0.0017275 * t * t * t +
               0.000651814 * std::pow(t, 4) + 0.00002373599 * std::pow(t, 5);
    }
    if (year < 2050.0) {
        t = year - 2000.0;
        return 62.92 + 0.32217 * t + 0.005589 * t * t;
    }
    const double u = (year - 1820.0) / 100.0;
    return -20.0 + 32.0 * u * u - 0.5628 * (2150.0 - year);
}

// Signed difference a - b of two angles on a circle of `period`, in (-period/2, period/2].
double CircleDifference(double a, double b, double period)
{
    double d = std::fmod(a - b, period);
    if (d > period / 2) d -= period;
    if (d <= -period / 2) d += period;
    return d;
}

// GCRS to the true ecliptic and equinox of date, with what the cusps need.
struct FrameOfDate {
    double toEcliptic[3][3];
    double toTrueEquator[3][3];  // GCRS to true equator and equinox of date
    double trueObliquity;        // radians
    double nutationInLongitude;  // radians
};

FrameOfDate MakeFrameOfDate(double tt1, double tt2)
{
    FrameOfDate f;
    double dpsi, deps, epsa, rb[3][3], rp[3][3], rbp[3][3], rn[3][3];
    eraPn06a(tt1, tt2, &dpsi, &deps, &epsa, rb, rp, rbp, rn, f.toTrueEquator);
    f.trueObliquity = epsa + deps;
    f.nutationInLongitude = dpsi;
    double rx[3][3];
    eraIr(rx);
    eraRx(f.trueObliquity, rx);
    eraRxr(rx, f.toTrueEquator, f.toEcliptic);
    return f;
}

// Ecliptic longitude of date, degrees in [0, 360), of a GCRS direction. (ERFA takes its
// matrices as non-const arrays, hence the frames are passed as they are.)
double LongitudeOfDate(FrameOfDate& frame, double gcrs[3])
{
    double e[3];
    eraRxp(frame.toEcliptic, gcrs, e);
    return eraAnp(std::atan2(e[1], e[0])) * ERFA_DR2D;
}

// The frame of eraPlan94 (mean equator and equinox of J2000) differs from the GCRS by the
// frame bias of some milliarcseconds; it is removed all the same, so the frames agree.
void PlanetFromJ2000ToGcrs(double p[3])
{
    static double s_bias[3][3];
    static bool s_ready = false;
    if (!s_ready) {
        double rp[3][3], rbp[3][3];
        eraBp06(ERFA_DJ00, 0.0, s_bias, rp, rbp);
        s_ready = true;
    }
    double g[3];
    eraTrxp(s_bias, p, g);
    eraCp(g, p);
}

// Geocentric GCRS vectors (AU) of Sun, Moon and Mercury..Neptune at TT, in the program's
// index order. With `lightTime`, each body is taken where it was when its light left it, and
// the Earth's velocity (for the aberration) is returned.
void ReferenceVectors(double tt1, double tt2, bool lightTime, double vectors[kBodies][3],
                      double earthVelocity[3], double* sunDistance)
{
    double pvh[2][3], pvb[2][3];
    eraEpv00(tt1, tt2, pvh, pvb);
    for (int k = 0; k < 3; ++k) vectors[kSun][k] = -pvh[0][k];
    eraCp(pvb[1], earthVelocity);
    *sunDistance = eraPm(pvh[0]);

    double moon[2][3];
    eraMoon98(tt1, tt2, moon);
    if (lightTime) {
        // From the Earth's centre the Moon's light takes about 1.3 s; the annual aberration
        // and the Earth's own shift in that time cancel to first order.
        const double tau = eraPm(moon[0]) / ERFA_DC;
        eraMoon98(tt1, tt2 - tau, moon);
    }
    eraCp(moon[0], vectors[kMoon]);

    // eraPlan94's bodies: 1 Mercury, 2 Venus, 3 the Earth-Moon barycentre, 4 Mars .. 8 Neptune.
    for (int planet = 1; planet <= 8; ++planet) {
        if (planet == 3) continue;
        double pv[2][3], g[3];
        eraPlan94(tt1, tt2, planet, pv);
        PlanetFromJ2000ToGcrs(pv[0]);
        eraPmp(pv[0], pvh[0], g);
        if (lightTime)
            for (int iteration = 0; iteration < 2; ++iteration) {
                const double tau = eraPm(g) / ERFA_DC;
                eraPlan94(tt1, tt2 - tau, planet, pv);
                PlanetFromJ2000ToGcrs(pv[0]);
                eraPmp(pv[0], pvh[0], g);
            }
        eraCp(g, vectors[planet < 3 ? kMercury + planet - 1 : kMars + planet - 4]);
    }
}

void GeometricLongitudes(double tt1, double tt2, FrameOfDate& frame,
                         double longitude[kBodies])
{
    double vectors[kBodies][3], velocity[3], sunDistance;
    ReferenceVectors(tt1, tt2, false, vectors, velocity, &sunDistance);
    for (int b = 0; b < kBodies; ++b) longitude[b] = LongitudeOfDate(frame, vectors[b]);
}

// As an almanac gives them: light time, then the annual aberration (not for the Moon).
void ApparentLongitudes(double tt1, double tt2, FrameOfDate& frame,
                        double longitude[kBodies])
{
    double vectors[kBodies][3], velocity[3], sunDistance;
    ReferenceVectors(tt1, tt2, true, vectors, velocity, &sunDistance);
    double v[3];
    eraSxp(1.0 / ERFA_DC, velocity, v);
    const double bm1 = std::sqrt(1.0 - eraPdp(v, v));
    for (int b = 0; b < kBodies; ++b) {
        double direction[3];
        if (b == kMoon) {
            eraCp(vectors[b], direction);
        } else {
            double r, unit[3];
            eraPn(vectors[b], &r, unit);
            eraAb(unit, v, sunDistance, bm1, direction);
        }
        longitude[b] = LongitudeOfDate(frame, direction);
    }
}

// Maximum and mean of absolute differences.
struct Spread {
    double maximum = 0.0;
    double sum = 0.0;
    int count = 0;
    void Add(double difference)
    {
        const double a = std::fabs(difference);
        if (a > maximum) maximum = a;
        sum += a;
        ++count;
    }
    double Mean() const { return count > 0 ? sum / count : 0.0; }
};

struct Measurement {
    Spread byCentury[kRowCount][kCenturies];
    Spread overall[kRowCount];
    Spread lightTimeAndAberration[kBodies];
    Spread deltaTEffect[kBodies];
    Spread nutation;   // degrees
    Spread deltaT;     // seconds
};

PersonRecord RecordOf(int year, int month, int day, int hour, int minute)
{
    PersonRecord r{};
    r.year = year;
    r.month = month;
    r.day = day;
    r.hour = hour;
    r.minute = minute;
    r.longitudeDegrees = kLongitudeDegrees;
    r.longitudeMinutes = kLongitudeMinutes;
    r.latitudeDegrees = kLatitudeDegrees;
    r.latitudeMinutes = kLatitudeMinutes;
    return r;
}

void MeasureMoment(double julianDay, Measurement* m)
{
    int year, month, day;
    double fraction;
    ASSERT_EQ(eraJd2cal(julianDay, 0.0, &year, &month, &day, &fraction), 0);
    const int minutes = static_cast<int>(std::lround(fraction * 1440.0)) % 1440;
    double jd0, mjd;
    ASSERT_EQ(eraCal2jd(year, month, day, &jd0, &mjd), 0);
    const double ut2 = mjd + minutes / 1440.0;  // UT1 = jd0 + ut2
    const double deltaT = DeltaTSeconds(year + (month - 0.5) / 12.0);
    const double tt2 = ut2 + deltaT / ERFA_DAYSEC;
    const int century = year < 1900 ? 0 : year < 2000 ? 1 : 2;

    PositionRecord p{};
    PlanetPositions(RecordOf(year, month, day, minutes / 60, minutes % 60), &p);
    EXPECT_NEAR(p.julianDay, jd0 + ut2, 1e-6) << year << "-" << month << "-" << day;

    FrameOfDate frame = MakeFrameOfDate(jd0, tt2);
    double geometric[kBodies], apparent[kBodies], atUniversalTime[kBodies];
    GeometricLongitudes(jd0, tt2, frame, geometric);
    ApparentLongitudes(jd0, tt2, frame, apparent);
    GeometricLongitudes(jd0, ut2, frame, atUniversalTime);

    double difference[kRowCount];
    for (int b = 0; b < kBodies; ++b) {
        difference[b] = CircleDifference(p.longitude[b], geometric[b], 360.0);
        m->lightTimeAndAberration[b].Add(CircleDifference(apparent[b], geometric[b], 360.0));
        m->deltaTEffect[b].Add(CircleDifference(geometric[b], atUniversalTime[b], 360.0));
    }
    // The mean node is measured from the mean equinox of date, as eraFaom03's argument is.
    const double node = eraFaom03((jd0 - ERFA_DJ00 + tt2) / ERFA_DJC) * ERFA_DR2D;
    difference[kRowNode] = CircleDifference(p.longitude[kMeanLunarNode], node, 360.0);

    const double gast = eraGst06(jd0, ut2, jd0, tt2, frame.toTrueEquator);
    const double last = eraAnp(gast + (kLongitudeDegrees + kLongitudeMinutes / 60.0) / ERFA_DR2D);
    difference[kRowSiderealTime] =
        CircleDifference(p.siderealTime, last * 12.0 / ERFA_DPI, 24.0) * 3600.0;
    // The program's sidereal time is a mean one: against the mean sidereal time only the
    // two formulas and their time scales differ.
    const double lmst = eraAnp(eraGmst06(jd0, ut2, jd0, tt2) + (last - gast));
    difference[kRowMeanSiderealTime] =
        CircleDifference(p.siderealTime, lmst * 12.0 / ERFA_DPI, 24.0) * 3600.0;

    const double eps = frame.trueObliquity;
    const double latitude = (kLatitudeDegrees + kLatitudeMinutes / 60.0) / ERFA_DR2D;
    const double mc = eraAnp(std::atan2(std::sin(last), std::cos(last) * std::cos(eps))) * ERFA_DR2D;
    const double ascendant =
        eraAnp(std::atan2(std::cos(last), -(std::sin(last) * std::cos(eps) +
                                            std::tan(latitude) * std::sin(eps)))) * ERFA_DR2D;
    difference[kRowMidheaven] = CircleDifference(p.longitude[kMidheaven], mc, 360.0);
    difference[kRowImumCoeli] = CircleDifference(p.longitude[kImumCoeli], mc + 180.0, 360.0);
    difference[kRowAscendant] = CircleDifference(p.longitude[kAscendant], ascendant, 360.0);

    for (int row = 0; row < kRowCount; ++row) {
        m->byCentury[row][century].Add(difference[row]);
        m->overall[row].Add(difference[row]);
    }
    m->nutation.Add(frame.nutationInLongitude * ERFA_DR2D);
    m->deltaT.Add(deltaT);
}

std::string FormatTable(const Measurement& m)
{
    std::string out;
    char line[256];
    out += "Program minus ERFA, 3000 moments 1800-2100 (degrees; sidereal time in seconds)\n\n";
    out += "| | 1800-1899 max | mean | 1900-1999 max | mean | 2000-2099 max | mean "
           "| 1800-2099 max | mean |\n";
    out += "|---|---:|---:|---:|---:|---:|---:|---:|---:|\n";
    for (int row = 0; row < kRowCount; ++row) {
        const Spread* s = m.byCentury[row];
        std::snprintf(line, sizeof line,
                      "| %s | %.4f | %.4f | %.4f | %.4f | %.4f | %.4f | %.4f | %.4f |\n",
                      kRowNames[row], s[0].maximum, s[0].Mean(), s[1].maximum, s[1].Mean(),
                      s[2].maximum, s[2].Mean(), m.overall[row].maximum, m.overall[row].Mean());
        out += line;
    }
    out += "\nWhat the model leaves out, 1800-2100 (degrees)\n\n";
    out += "| | light time and aberration, max | mean | Delta T, max | mean |\n";
    out += "|---|---:|---:|---:|---:|\n";
    for (int b = 0; b < kBodies; ++b) {
        std::snprintf(line, sizeof line, "| %s | %.4f | %.4f | %.4f | %.4f |\n", kRowNames[b],
                      m.lightTimeAndAberration[b].maximum, m.lightTimeAndAberration[b].Mean(),
                      m.deltaTEffect[b].maximum, m.deltaTEffect[b].Mean());
        out += line;
    }
    std::snprintf(line, sizeof line,
                  "\nNutation in longitude: max %.4f, mean %.4f degrees. "
                  "Delta T: max %.1f s, mean %.1f s.\n",
                  m.nutation.maximum, m.nutation.Mean(), m.deltaT.maximum, m.deltaT.Mean());
    out += line;
    return out;
}

}  // namespace

TEST(Accuracy, PositionsAgainstErfa1800To2100)
{
    static Measurement m;  // large; one run per process
    double jd0, mjd;
    ASSERT_EQ(eraCal2jd(1800, 1, 1, &jd0, &mjd), 0);
    const double start = jd0 + mjd;
    ASSERT_EQ(eraCal2jd(2100, 1, 1, &jd0, &mjd), 0);
    const double end = jd0 + mjd;
    // Even steps of about 36.5 days; the step's fraction of a day walks the clock time round.
    const double step = (end - start) / kMoments;
    for (int k = 0; k < kMoments; ++k) {
        MeasureMoment(start + (k + 0.5) * step, &m);
        if (HasFatalFailure()) return;
    }

    const std::string table = FormatTable(m);
    std::fputs(table.c_str(), stdout);
    if (std::FILE* f = std::fopen(VV_ACCURACY_TABLE, "w")) {
        std::fputs(table.c_str(), f);
        std::fclose(f);
    }

    for (int row = 0; row < kRowCount; ++row)
        for (int c = 0; c < kCenturies; ++c) {
            EXPECT_LT(m.byCentury[row][c].maximum, kBounds[row][c].maximum)
                << kRowNames[row] << ", century " << 18 + c;
            EXPECT_LT(m.byCentury[row][c].Mean(), kBounds[row][c].mean)
                << kRowNames[row] << ", century " << 18 + c;
        }
}
