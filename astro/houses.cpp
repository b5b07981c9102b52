#include "astro/houses.h"

#include <cmath>

#include "astro/angles.h"
#include "astro/fast_trig.h"
#include "astro/orbital_elements.h"

namespace {

double TangentOfLatitude(int latitudeDegrees, int latitudeMinutes)
{
    return std::tan(DegreesToRadians(latitudeDegrees + latitudeMinutes / 60.0));
}

// The research modules keep one place for a whole run, the shuffle test a few hundred (its
// members' own): the tangent of the latitude met last is kept, and the tangents of 256 more, each
// in the slot its minutes of arc give it (per thread: the sampling loops compute moments on
// several).
double CachedTangentOfLatitude(int latitudeDegrees, int latitudeMinutes)
{
    struct Slot {
        int degrees, minutes;
        bool valid;
        double tangent;
    };
    thread_local Slot s_last = {};
    thread_local Slot s_slots[256] = {};
    if (s_last.valid && s_last.degrees == latitudeDegrees && s_last.minutes == latitudeMinutes)
        return s_last.tangent;
    const unsigned key =
        static_cast<unsigned>(latitudeDegrees) * 60u + static_cast<unsigned>(latitudeMinutes);
    Slot& slot = s_slots[(key ^ (key >> 8)) & 255u];
    if (!slot.valid || slot.degrees != latitudeDegrees || slot.minutes != latitudeMinutes)
        slot = {latitudeDegrees, latitudeMinutes, true,
                TangentOfLatitude(latitudeDegrees, latitudeMinutes)};
    s_last = slot;
    return slot.tangent;
}

// Distance of two hours on the 24-hour circle, 0..12.
double HoursApart(double x, double y)
{
    // The hours given lie within a day or two of each other: one subtraction does what fmod
    // does (exactly, as d - 24 is exact for d in [24, 48)).
    double d = std::fabs(x - y);
    d = d < 24.0 ? d : d < 48.0 ? d - 24.0 : std::fmod(d, 24.0);
    return d > 12.0 ? 24.0 - d : d;
}

// The Ascendant from the sine and cosine of the sidereal angle R = 15 s degrees.
double AscendantFrom(double siderealTime, double sinR, double cosR, double tanLatitude)
{
    // atan leaves the ecliptic point ambiguous by 12 hours; of the two candidates the one
    // nearer to six hours after the sidereal time is the rising one.
    double a = FastArcTangent(-cosR / (kCosObliquity * sinR + kSinObliquity * tanLatitude));
    a = a / (2.0 * kPi) * 24.0;
    if (a < 0.0) a += 24.0;
    double s = siderealTime;
    if (s < 0.0) s += 24.0;
    s += 6.0;
    if (s > 24.0) s -= 24.0;
    // Distances on the 24-hour circle: a plain difference would pick the setting point when
    // the two hours lie on either side of 0 h.
    double u = HoursApart(s, a);
    double w = HoursApart(s, a + 12.0);
    if (w < u) a += 12.0;
    if (a > 24.0) a -= 24.0;
    return a / 24.0 * 360.0;
}

// The meridian's ecliptic longitude before the final shift into [0, 360): atan of
// tan(R) / cos(obliquity), moved into the quadrant of the sidereal hour.
double MeridianFrom(double siderealTime, double sinR, double cosR, double tanR)
{
    double d = kInverseCosObliquity * tanR;
    double wholeHours = std::trunc(siderealTime);
    if (siderealTime > wholeHours) {
        double base = RadiansToDegrees(FastArcTangent(d));
        switch (static_cast<int>(std::trunc(wholeHours / 6.0))) {
            case 0: return base;
            case 1:
            case 2: return base + 180.0;
            case 3: return base + 360.0;
            default: break;
        }
    }
    // A whole number of hours (a quadrant boundary, where the tangent's sign cannot tell the
    // quadrant) or a time outside 0..24 h: take the quadrant from sine and cosine directly.
    return RadiansToDegrees(std::atan2(kInverseCosObliquity * sinR, cosR));
}

double MidheavenFromMeridian(double meridian)
{
    return meridian < 0.0 ? meridian + 360.0 : meridian;
}

double ImumCoeliFromMeridian(double meridian)
{
    double ic = meridian - 180.0;
    if (ic < 0.0) ic += 360.0;
    if (ic < 0.0) ic += 360.0;
    if (ic > 360.0) ic -= 360.0;
    return ic;
}

double MeridianOf(double siderealTime)
{
    double r = DegreesToRadians(siderealTime * 15.0);
    const Phasor rotation = FastPhasorOf(r);
    const double sinR = rotation.s, cosR = rotation.c;
    return MeridianFrom(siderealTime, sinR, cosR, std::tan(r));
}

}  // namespace

double Ascendant(double siderealTime, int latitudeDegrees, int latitudeMinutes)
{
    double r = DegreesToRadians(siderealTime * 15.0);
    const Phasor rotation = FastPhasorOf(r);
    const double sinR = rotation.s, cosR = rotation.c;
    return AscendantFrom(siderealTime, sinR, cosR,
                         TangentOfLatitude(latitudeDegrees, latitudeMinutes));
}

double Midheaven(double siderealTime)
{
    return MidheavenFromMeridian(MeridianOf(siderealTime));
}

double ImumCoeli(double siderealTime)
{
    return ImumCoeliFromMeridian(MeridianOf(siderealTime));
}

void HouseCusps(double siderealTime, int latitudeDegrees, int latitudeMinutes,
                double* ascendant, double* midheaven, double* imumCoeli)
{
    double r = DegreesToRadians(siderealTime * 15.0);
    const Phasor rotation = FastPhasorOf(r);
    const double sinR = rotation.s, cosR = rotation.c;
    *ascendant = AscendantFrom(siderealTime, sinR, cosR,
                               CachedTangentOfLatitude(latitudeDegrees, latitudeMinutes));
    double meridian = MeridianFrom(siderealTime, sinR, cosR, sinR / cosR);
    *midheaven = MidheavenFromMeridian(meridian);
    *imumCoeli = ImumCoeliFromMeridian(meridian);
}
