// Positions of the Sun, Moon, planets, node and house cusps: fast code against the
// straightforward reference, against almanac values, and the record-level rules.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "astro/angles.h"
#include "astro/astro_print.h"
#include "astro/houses.h"
#include "astro/julian.h"
#include "astro/moon.h"
#include "astro/planets.h"
#include "astro/positions.h"
#include "tests/astro/reference_positions.h"

namespace {

PersonRecord Moment(int year, int month, int day, int hour, int minute)
{
    PersonRecord r{};
    r.year = year;
    r.month = month;
    r.day = day;
    r.hour = hour;
    r.minute = minute;
    r.longitudeDegrees = 13;
    r.longitudeMinutes = 59;
    r.latitudeDegrees = 51;
    r.latitudeMinutes = 11;
    return r;
}

PositionRecord PositionsOf(const PersonRecord& r)
{
    PositionRecord p{};
    PlanetPositions(r, &p);
    return p;
}

// Difference of two longitudes across the 0/360 seam.
double AngleDifference(double a, double b)
{
    double d = std::fmod(a - b, 360.0);
    if (d > 180.0) d -= 360.0;
    if (d < -180.0) d += 360.0;
    return d;
}

std::string g_printed;
void CollectPrint(const char* text) { g_printed += text; }

}  // namespace

TEST(AngleFromCosine, IsTheAngleOfTheCosine)
{
    EXPECT_DOUBLE_EQ(AngleFromCosine(0.0), kPi / 2);
    EXPECT_NEAR(AngleFromCosine(1.0), 0.0, 1e-15);
    EXPECT_NEAR(AngleFromCosine(-1.0), kPi, 1e-15);
    for (double x = -0.999; x < 1.0; x += 0.0137)
        EXPECT_NEAR(AngleFromCosine(x), std::acos(x), 1e-14) << x;
}

TEST(AngleFromCosine, ArgumentAboveOneIsReported)
{
    g_printed.clear();
    SetAstroPrintSink(CollectPrint);
    double g = AngleFromCosine(1.5);
    SetAstroPrintSink(nullptr);
    EXPECT_TRUE(std::isnan(g));
    EXPECT_EQ(g_printed, "79 Test tafeln !!! x 1.500000  ");
}

TEST(AstroPrint, FormatsIntoTheSinkAndCutsLongTexts)
{
    g_printed.clear();
    SetAstroPrintSink(CollectPrint);
    AstroPrint("%d-%s", 7, "x");
    std::string huge(5000, 'a');
    AstroPrint("%s", huge.c_str());
    SetAstroPrintSink(nullptr);
    EXPECT_EQ(g_printed.substr(0, 3), "7-x");
    EXPECT_EQ(g_printed.size(), 3u + 1999u);
}

TEST(QuadrantSafeLongitude, MatchesAtan2InEveryQuadrant)
{
    EXPECT_EQ(QuadrantSafeLongitude(0.0, 0.0), 0.0);
    for (double a = 0.0005; a < 2 * kPi; a += 0.01) {
        double expected = std::atan2(std::sin(a), std::cos(a));
        if (expected < 0) expected += 2 * kPi;
        EXPECT_NEAR(QuadrantSafeLongitude(3 * std::cos(a), 3 * std::sin(a)), expected, 1e-14);
    }
    EXPECT_NEAR(QuadrantSafeLongitude(-1.0, 0.0), kPi, 1e-15);
    EXPECT_NEAR(QuadrantSafeLongitude(0.0, -1.0), 1.5 * kPi, 1e-15);
}

TEST(PlanetPositions, FastCodeEqualsTheStraightforwardFormulas)
{
    std::mt19937 random(4711);
    std::uniform_int_distribution<int> year(1600, 2200), month(1, 12), day(1, 28), hour(0, 23),
        minute(0, 59), lat(-66, 66), lon(-179, 179), minutes(0, 59);
    double worst[14] = {};
    for (int n = 0; n < 3000; ++n) {
        PersonRecord r =
            Moment(year(random), month(random), day(random), hour(random), minute(random));
        r.latitudeDegrees = lat(random);
        r.latitudeMinutes = minutes(random);
        r.longitudeDegrees = lon(random);
        r.longitudeMinutes = minutes(random);
        r.timeZone = n % 3 - 1;
        r.summerTime = n % 2;
        PositionRecord fast = PositionsOf(r);
        PositionRecord reference{};
        ReferencePlanetPositions(r, &reference);
        ASSERT_EQ(fast.julianDay, reference.julianDay);
        ASSERT_EQ(fast.siderealTime, reference.siderealTime);
        for (int i = 0; i < 14; ++i) {
            double d = std::fabs(AngleDifference(fast.longitude[i], reference.longitude[i]));
            worst[i] = std::max(worst[i], d);
            ASSERT_LT(d, 1e-11) << "longitude " << i << " at JD " << fast.julianDay;
            ASSERT_GE(fast.longitude[i], i == 13 ? -360.0 : 0.0);
            ASSERT_LE(fast.longitude[i], 360.0);
        }
        ASSERT_NEAR(fast.latitude[1], reference.latitude[1], 1e-12);
        for (int p = 2; p <= 9; ++p) ASSERT_NEAR(fast.latitude[p], reference.latitude[p], 1e-14);
        for (int p = 0; p <= 9; ++p)
            if (p != 1) {
                ASSERT_NEAR(fast.dailyMotion[p], reference.dailyMotion[p], 1e-12) << p;
            }
    }
    for (int i = 0; i < 14; ++i) EXPECT_LT(worst[i], 1e-12) << "longitude " << i;
}

TEST(PlanetPositions, AlmanacValuesAtJ2000)
{
    // 2000-01-01 12:00 world time; geocentric longitudes from the almanac (apparent, the
    // method ignores nutation, aberration and perturbations, hence the tolerances).
    PositionRecord p = PositionsOf(Moment(2000, 1, 1, 12, 0));
    EXPECT_EQ(p.julianDay, 2451545.0);
    struct { int index; double degrees; double tolerance; } almanac[] = {
        {kSun, 280.37, 0.02},     {kMoon, 223.32, 0.02},   {kMercury, 271.89, 0.05},
        {kVenus, 241.57, 0.05},   {kMars, 327.96, 0.05},   {kJupiter, 25.25, 0.2},
        {kSaturn, 40.40, 0.3},    {kUranus, 314.81, 0.3},  {kNeptune, 303.19, 0.3},
        {kPluto, 251.45, 0.5},    {kMeanLunarNode, 125.04 - 360.0, 0.02}};
    for (const auto& a : almanac)
        EXPECT_NEAR(AngleDifference(p.longitude[a.index], a.degrees), 0.0, a.tolerance) << a.index;
    EXPECT_NEAR(p.longitude[kSun], 280.38, 0.01);
    EXPECT_NEAR(p.longitude[kMoon], 223.3, 0.05);
}

TEST(MoonPosition, MeeusWorkedExample)
{
    // 1992 April 12, 0h: longitude 133.162655, latitude -3.229126 (second-edition constants;
    // the first-edition mean longitude used here differs by a few millionths of a degree).
    double longitude, latitude;
    MoonPosition(2448724.5, &longitude, &latitude);
    EXPECT_NEAR(longitude, 133.162655, 2e-5);
    EXPECT_NEAR(latitude, -3.229126, 2e-5);
}

TEST(PlanetsByElements, AlmanacValuesOtherDates)
{
    double longitude[10], latitude[10], motion[10];
    // The Sun on 1992 October 13, 0h: true longitude 199.90988 (Meeus, example 25.a).
    PlanetsByElements((2448908.5 - 2433282.5) / 36525.0, longitude, latitude, motion);
    EXPECT_NEAR(longitude[kSun], 199.90988, 0.02);
    // Venus on 1992 December 20, 0h: 313.08102, latitude -2.08474 degrees (example 33.a).
    PlanetsByElements((2448976.5 - 2433282.5) / 36525.0, longitude, latitude, motion);
    EXPECT_NEAR(longitude[kVenus], 313.08102, 0.05);
    EXPECT_NEAR(RadiansToDegrees(latitude[kVenus]), -2.08474, 0.05);
}

TEST(PlanetsByElements, DailyMotionIsTheRateOfTheLongitude)
{
    // Central differences of the longitudes over one day, in both halves of the Earth's orbit
    // and through retrograde loops.
    for (double jd = 2415020.0; jd < 2451545.0 + 9000; jd += 61.7) {
        double before[10], after[10], now[10], lat[10], motion[10], unused[10];
        double t = (jd - 2433282.5) / 36525.0;
        PlanetsByElements(t - 0.5 / 36525.0, before, lat, unused);
        PlanetsByElements(t + 0.5 / 36525.0, after, lat, unused);
        PlanetsByElements(t, now, lat, motion);
        for (int p = 0; p <= 9; ++p) {
            if (p == 1) continue;
            double rate = AngleDifference(after[p], before[p]);
            // The formula projects the velocities in the ecliptic plane: good to a few percent
            // of the largest rate of each body.
            double tolerance = p == 0 ? 0.002 : p == 2 ? 0.1 : p == 3 ? 0.05 : 0.02;
            EXPECT_NEAR(motion[p], rate, tolerance) << "body " << p << " JD " << jd;
        }
    }
}

TEST(PlanetPositions, SummerTimeAndZoneEqualTheWorldTime)
{
    PersonRecord local = Moment(1987, 3, 1, 1, 30);
    local.summerTime = 1;
    local.timeZone = 1;
    PersonRecord world = Moment(1987, 2, 28, 23, 30);
    PositionRecord a = PositionsOf(local);
    PositionRecord b = PositionsOf(world);
    EXPECT_EQ(a.julianDay, b.julianDay);
    for (int i = 0; i < 14; ++i) {
        if (i == kImumCoeli || i == kAscendant || i == kMidheaven)
            // The sidereal time's century term is taken at the midnight of the date.
            EXPECT_NEAR(a.longitude[i], b.longitude[i], 1e-6) << i;
        else
            EXPECT_EQ(a.longitude[i], b.longitude[i]) << i;
    }
}

TEST(PlanetPositions, HouseCuspsAndNode)
{
    for (int day = 1; day <= 28; day += 3)
        for (int hour = 0; hour < 24; hour += 5) {
            PositionRecord p = PositionsOf(Moment(1960 + day, 1 + day % 12, day, hour, 7 * day));
            double d = std::fmod(p.longitude[kMidheaven] - p.longitude[kImumCoeli] + 720.0, 360.0);
            EXPECT_NEAR(std::min(std::fabs(d - 180.0), 360.0 - std::fabs(d - 180.0)), 0.0, 1e-9);
            EXPECT_LT(p.longitude[kMeanLunarNode], 0.0);
            EXPECT_GT(p.longitude[kMeanLunarNode], -360.0);
        }
    // Fields that are not computed keep what the caller left there.
    PositionRecord p{};
    p.dailyMotion[1] = 42.0;
    p.latitude[0] = 7.0;
    PlanetPositions(Moment(2000, 1, 1, 0, 0), &p);
    EXPECT_EQ(p.dailyMotion[1], 42.0);
    EXPECT_EQ(p.latitude[0], 7.0);
}

TEST(MeanLunarNode, ReducedTowardZero)
{
    EXPECT_DOUBLE_EQ(MeanLunarNode(0.0), 12.1128);
    EXPECT_LT(MeanLunarNode(0.01), 0.0);
    EXPECT_GT(MeanLunarNode(-0.5), 0.0);
    EXPECT_NEAR(MeanLunarNode(1.0), ReduceTowardZero(12.1128 - 1934.1399 + 0.0021), 1e-12);
}

TEST(Houses, AscendantIsTheRisingPointOfTheEcliptic)
{
    // The rising point: on the eastern horizon, the ecliptic point whose longitude follows
    // atan2(cos RAMC, -(sin RAMC cos e + tan phi sin e)).
    for (double s = 0.013; s < 24.0; s += 0.173)
        for (int lat : {-50, -20, 0, 20, 51, 60}) {
            double r = DegreesToRadians(s * 15.0);
            double expected = RadiansToDegrees(std::atan2(
                std::cos(r),
                -(std::sin(r) * 0.917436945 + std::tan(DegreesToRadians(lat)) * 0.397881203)));
            if (expected < 0) expected += 360.0;
            EXPECT_NEAR(AngleDifference(Ascendant(s, lat, 0), expected), 0.0, 1e-9)
                << s << " " << lat;
            EXPECT_NEAR(Ascendant(s, lat, 0), ReferenceAscendant(s, lat, 0), 1e-12);
        }
    // Minutes are added also for southern latitudes: -10 30' enters as -9.5 degrees.
    EXPECT_DOUBLE_EQ(Ascendant(7.3, -10, 30), Ascendant(7.3, -9, -30));
    EXPECT_NEAR(AngleDifference(Ascendant(7.3, -10, 30), ReferenceAscendant(7.3, -9, -30)), 0.0,
                1e-12);
}

TEST(Houses, MidheavenAndImumCoeli)
{
    for (double s = 0.0; s <= 24.0; s += 0.0625) {  // includes every whole hour
        double r = DegreesToRadians(s * 15.0);
        double expected = RadiansToDegrees(std::atan2(std::sin(r), std::cos(r) * 0.917436945));
        if (expected < 0) expected += 360.0;
        double mc = Midheaven(s);
        EXPECT_NEAR(AngleDifference(mc, expected), 0.0, 1e-9) << s;
        EXPECT_GE(mc, 0.0);
        EXPECT_LE(mc, 360.0);
        double ic = ImumCoeli(s);
        EXPECT_NEAR(std::fabs(AngleDifference(ic, mc)), 180.0, 1e-9) << s;
        EXPECT_GE(ic, 0.0);
        EXPECT_LE(ic, 360.0);
        EXPECT_NEAR(mc, ReferenceMidheaven(s), 1e-12);
        double asc, mc2, ic2;
        HouseCusps(s, 51, 11, &asc, &mc2, &ic2);
        EXPECT_NEAR(AngleDifference(mc2, mc), 0.0, 1e-11);
        EXPECT_NEAR(AngleDifference(ic2, ic), 0.0, 1e-11);
        EXPECT_NEAR(AngleDifference(asc, Ascendant(s, 51, 11)), 0.0, 1e-11);
    }
    // Midheaven at 90 degrees of sidereal angle is 90 degrees of longitude, 6 h and 18 h.
    EXPECT_NEAR(Midheaven(6.0), 90.0, 1e-9);
    EXPECT_NEAR(Midheaven(18.0), 270.0, 1e-9);
    EXPECT_NEAR(Midheaven(12.0), 180.0, 1e-9);
}

// The tangents kept for the places met last belong to their latitudes, also when more latitudes
// than are kept take turns in any order.
TEST(Houses, KeptTangentsBelongToTheirLatitudes)
{
    std::vector<std::pair<int, int>> places;
    for (int d = -89; d <= 89; ++d)
        for (int m : {0, 17, 59}) places.push_back({d, m});
    std::vector<double> first(places.size());
    for (size_t i = 0; i < places.size(); ++i) {
        double mc, ic;
        HouseCusps(7.3, places[i].first, places[i].second, &first[i], &mc, &ic);
    }
    std::vector<size_t> order(places.size());
    for (size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::shuffle(order.begin(), order.end(), std::mt19937(3));
    for (size_t i : order) {
        double asc, mc, ic;
        HouseCusps(7.3, places[i].first, places[i].second, &asc, &mc, &ic);
        ASSERT_EQ(asc, first[i]) << places[i].first << " " << places[i].second;
    }
}

TEST(PlanetsByElements, ImpossibleElementsArePrinted)
{
    // A time far outside the elements' range drives Pluto's eccentricity above 1.
    g_printed.clear();
    SetAstroPrintSink(CollectPrint);
    double longitude[10], latitude[10], motion[10];
    PlanetsByElements(300.0, longitude, latitude, motion);
    SetAstroPrintSink(nullptr);
    EXPECT_NE(g_printed.find("740 Test tafeln !!! exc "), std::string::npos);
}
