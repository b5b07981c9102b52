#include "tests/astro/reference_positions.h"

#include <cmath>
#include <cstdlib>

#include "astro/julian.h"
#include "astro/moon.h"
#include "astro/orbital_elements.h"
#include "astro/self_harmony.h"

namespace {

const double kPiR = 3.141592653589793;
double Rad(double degrees) { return degrees * (kPiR * (1.0 / 180.0)); }
double Deg(double radians) { return radians * (180.0 * (1.0 / kPiR)); }
double TowardZero(double x) { return x - std::trunc(x / 360.0) * 360.0; }

double G(double x)
{
    if (x == 0.0) return kPiR / 2.0;
    double angle = std::atan(std::sqrt(1.0 - x * x) / x);
    return x < 0.0 ? angle + kPiR : angle;
}

double Atan2Quadrant(double x, double y)
{
    if (x == 0.0 && y == 0.0) return 0.0;
    double phi = 2.0 * std::atan(y / (std::fabs(x) + std::sqrt(x * x + y * y)));
    if (x >= 0.0) return y < 0.0 ? phi + 2.0 * kPiR : phi;
    return kPiR - phi;
}

struct Orbit {
    double x, y, z, r, lambda, e, sinE;
};

Orbit Solve(const double* row, double t)
{
    double a = row[0];
    double e = row[1] + row[2] * t;
    double i = Rad(TowardZero(row[3] + row[4] * t));
    double node = Rad(TowardZero(row[5] + row[6] * t));
    double peri = Rad(TowardZero(row[7] + row[8] * t));
    double m = Rad(TowardZero(row[9] + row[10] * t));
    double ea = m;
    for (int k = 0; k < 5; ++k) ea = m + e * std::sin(ea);
    double x = a * (std::cos(ea) - e);
    double y = a * std::sqrt(1.0 - e * e) * std::sin(ea);
    double w = peri - node;
    double x1 = x * std::cos(w) - y * std::sin(w);
    double y1 = x * std::sin(w) + y * std::cos(w);
    double z = y1 * std::sin(i);
    double y2 = y1 * std::cos(i);
    Orbit o;
    o.x = x1 * std::cos(node) - y2 * std::sin(node);
    o.y = x1 * std::sin(node) + y2 * std::cos(node);
    o.z = z;
    o.r = std::sqrt(o.x * o.x + o.y * o.y + z * z);
    o.lambda = Atan2Quadrant(o.x, o.y);
    o.e = e;
    o.sinE = std::sin(ea);
    return o;
}

double Meridian(double s)
{
    double d = 1.0899931656883515 * std::tan(Rad(s * 15.0));
    double h0 = std::trunc(s);
    double base = Deg(std::atan(d));
    if (s > h0) {
        int q = static_cast<int>(std::trunc(h0 / 6.0));
        if (q == 0) return base;
        if (q == 1 || q == 2) return base + 180.0;
        if (q == 3) return base + 360.0;
    }
    double r = Rad(s * 15.0);
    return Deg(std::atan2(1.0899931656883515 * std::sin(r), std::cos(r)));
}

}  // namespace

double ReferenceReduceIntoClosedTurnLoop(double x)
{
    while (x > 360.0) x -= 360.0;
    while (x < 0.0) x += 360.0;
    return x;
}

double ReferenceSiderealReductionLoop(double theta)
{
    if (theta > 0.0)
        while (theta > 0.0) theta -= 360.0;
    else
        while (theta < 0.0) theta += 360.0;
    return theta;
}

double ReferenceLocalSiderealTime(double jd, double jd0, int longitudeDegrees,
                                  int longitudeMinutes)
{
    double t = (jd0 - 2451545.0) / 36525.0;
    double theta = 280.46061837 + 360.98564736629 * (jd - 2451545.0) + 0.000387933 * t * t -
                   t * t * t / 38710000.0;
    theta = ReferenceSiderealReductionLoop(theta);
    double h = longitudeDegrees + theta + longitudeMinutes / 60.0;
    if (h > 360.0) h -= 360.0;
    double s = h / 360.0 * 24.0;
    if (s >= 0.0)
        while (s > 24.0) s -= 24.0;
    else
        while (s < 0.0) s += 24.0;
    return s;
}

void ReferenceMoonPosition(double jd, double* longitude, double* latitude)
{
    double t = (jd - 2451545.0) / 36525.0;
    double t2 = t * t, t3 = t2 * t, t4 = t3 * t;
    auto loop = ReferenceReduceIntoClosedTurnLoop;
    double lp = loop(218.3164591 + 481267.88134236 * t - 0.0013268 * t2 + t3 / 538841.0 -
                     t4 / 65194000.0);
    double d = loop(297.8502042 + 445267.1115168 * t - 0.00163 * t2 + t3 / 545868.0 -
                    t4 / 113065000.0);
    double m = loop(357.5291092 + 35999.0502909 * t - 0.0001536 * t2 + t3 / 24490000.0);
    double mp = loop(134.9634114 + 477198.8676313 * t + 0.008997 * t2 + t3 / 69699.0 -
                     t4 / 14712000.0);
    double f = loop(93.2720993 + 483202.0175273 * t - 0.0034029 * t2 - t3 / 3526000.0 +
                    t4 / 863310000.0);
    double a1 = loop(119.75 + 131.849 * t);
    double a2 = loop(53.09 + 479264.29 * t);
    double a3 = loop(313.45 + 481266.484 * t);
    double e = 1.0 - 0.002516 * t - 0.0000074 * t2;
    double sl = 0.0, sb = 0.0;
    for (int k = 0; k < kLunarTermCount; ++k) {
        const LunarTerm& l = kLunarLongitudeTerms[k];
        double arg = l.elongation * d + l.sunAnomaly * m + l.moonAnomaly * mp +
                     l.argumentOfLatitude * f;
        double factor = std::abs(l.sunAnomaly) == 1 ? e : std::abs(l.sunAnomaly) == 2 ? e * e : 1;
        sl += l.coefficient * factor * std::sin(Rad(arg));
        const LunarTerm& b = kLunarLatitudeTerms[k];
        arg = b.elongation * d + b.sunAnomaly * m + b.moonAnomaly * mp + b.argumentOfLatitude * f;
        factor = std::abs(b.sunAnomaly) == 1 ? e : std::abs(b.sunAnomaly) == 2 ? e * e : 1;
        sb += b.coefficient * factor * std::sin(Rad(arg));
    }
    sl += 3958.0 * std::sin(Rad(a1)) + 1962.0 * std::sin(Rad(lp - f)) + 318.0 * std::sin(Rad(a2));
    sb += -2235.0 * std::sin(Rad(lp)) + 382.0 * std::sin(Rad(a3)) + 175.0 * std::sin(Rad(a1 - f)) +
          175.0 * std::sin(Rad(a1 + f)) + 127.0 * std::sin(Rad(lp - mp)) -
          115.0 * std::sin(Rad(lp + mp));
    *longitude = lp + sl * 1e-6;
    *latitude = sb * 1e-6;
}

void ReferencePlanetsByElements(double t, double* longitude, double* latitude,
                                double* dailyMotion)
{
    const double k = 0.017203197;
    Orbit earth = Solve(OrbitalElements[0], t);
    longitude[0] = TowardZero(Deg(earth.lambda + kPiR));
    double vEarth = std::sqrt(2.0 / earth.r - 1.0) * k;
    double gammaEarth = G(k * earth.e * earth.sinE / (vEarth * earth.r));
    dailyMotion[0] = vEarth * 57.29577951308232 / earth.r;
    for (int row = 1; row < 9; ++row) {
        int p = row + 1;
        double a = OrbitalElements[row][0];
        Orbit o = Solve(OrbitalElements[row], t);
        double x = o.x - earth.x, y = o.y - earth.y, z = o.z;
        double delta = std::sqrt(x * x + y * y + z * z);
        latitude[p] = std::atan(z / std::sqrt(x * x + y * y));
        double lg = Atan2Quadrant(x, y);
        double v = std::sqrt(2.0 / o.r - 1.0 / a) * k;
        double gamma = G(o.sinE * std::sqrt(a) * k * o.e / o.r / v);
        dailyMotion[p] = Deg(v * std::sin(gamma + o.lambda - lg) -
                             vEarth * std::sin(gammaEarth + earth.lambda - lg)) /
                         delta;
        longitude[p] = Deg(lg);
    }
}

double ReferenceAscendant(double s, int latitudeDegrees, int latitudeMinutes)
{
    double r = Rad(s * 15.0);
    double phi = Rad(latitudeDegrees + latitudeMinutes / 60.0);
    double a = std::atan(-std::cos(r) / (0.917436945 * std::sin(r) + 0.397881203 * std::tan(phi)));
    a = a / (2.0 * kPiR) * 24.0;
    if (a < 0.0) a += 24.0;
    double sh = s < 0.0 ? s + 24.0 : s;
    sh += 6.0;
    if (sh > 24.0) sh -= 24.0;
    auto apart = [](double x, double y) {
        double d = std::fmod(std::fabs(x - y), 24.0);
        return d > 12.0 ? 24.0 - d : d;
    };
    if (apart(sh, a + 12.0) < apart(sh, a)) a += 12.0;
    if (a > 24.0) a -= 24.0;
    return a / 24.0 * 360.0;
}

double ReferenceMidheaven(double s)
{
    double mc = Meridian(s);
    return mc < 0.0 ? mc + 360.0 : mc;
}

double ReferenceImumCoeli(double s)
{
    double ic = Meridian(s) - 180.0;
    if (ic < 0.0) ic += 360.0;
    if (ic < 0.0) ic += 360.0;
    if (ic > 360.0) ic -= 360.0;
    return ic;
}

void ReferencePlanetPositions(const PersonRecord& record, PositionRecord* positions)
{
    int h = record.hour - record.summerTime;
    int day = record.day;
    if (h >= 24) {
        h -= 24;
        day += 1;
    }
    if (h < 0) {
        h += 24;
        day -= 1;
    }
    double jd = JulianDay(record.year, record.month, day, h, record.minute, 0, record.timeZone);
    double jd0 = JulianDayAtMidnight(record.year, record.month, day);
    positions->julianDay = jd;
    double s =
        ReferenceLocalSiderealTime(jd, jd0, record.longitudeDegrees, record.longitudeMinutes);
    positions->siderealTime = s;
    ReferenceMoonPosition(jd, &positions->longitude[1], &positions->latitude[1]);
    double t = (jd - 2433282.5) / 36525.0;
    ReferencePlanetsByElements(t, positions->longitude, positions->latitude,
                               positions->dailyMotion);
    positions->longitude[13] = TowardZero(12.1128 - 1934.1399 * t + 0.0021 * t * t);
    positions->longitude[11] =
        ReferenceAscendant(s, record.latitudeDegrees, record.latitudeMinutes);
    positions->longitude[12] = ReferenceMidheaven(s);
    positions->longitude[10] = ReferenceImumCoeli(s);
    for (int i = 0; i <= 12; ++i) {
        if (positions->longitude[i] < 0.0) positions->longitude[i] += 360.0;
        if (positions->longitude[i] > 360.0) positions->longitude[i] -= 360.0;
    }
}

double ReferenceSelfHarmony(int p, double longitude)
{
    if (p < 0 || p > 10) return 0.0;
    auto series = [](double x) {
        return std::cos(x) + 2 * std::cos(3 * x) + 3 * std::cos(5 * x) + 3 * std::cos(7 * x) +
               2 * std::cos(9 * x) + std::cos(11 * x);
    };
    double theta = (longitude - kSelfHarmonyHomeAngle[p] - 15.0) * kPiR / 180.0;
    return 0.0318305 * series(theta) +
           0.0121555 * series(theta - kSelfHarmonyOffsetCount[p] * 0.523598775);
}
