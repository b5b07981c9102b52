// Calendar and Julian days, world time of a record, sidereal time.

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "astro/angles.h"
#include "astro/astro_records.h"
#include "astro/julian.h"
#include "tests/astro/reference_positions.h"

namespace {

PersonRecord Record(int year, int month, int day, int hour, int minute, int summerTime,
                    int zone)
{
    PersonRecord r{};
    r.year = year;
    r.month = month;
    r.day = day;
    r.hour = hour;
    r.minute = minute;
    r.summerTime = summerTime;
    r.timeZone = zone;
    return r;
}

}  // namespace

TEST(JulianDay, PinnedDates)
{
    EXPECT_EQ(JulianDay(2000, 1, 1, 12, 0, 0, 0), 2451545.0);
    EXPECT_EQ(JulianDay(1582, 10, 15, 0, 0, 0, 0), 2299160.5);  // first Gregorian day
    EXPECT_EQ(JulianDay(1582, 10, 4, 0, 0, 0, 0), 2299159.5);   // last Julian day
    EXPECT_EQ(JulianDay(1900, 1, 15, 0, 0, 0, 0), 2415034.5);   // correction from 1899
    EXPECT_EQ(JulianDay(1987, 6, 19, 12, 0, 0, 0), 2446966.0);  // Meeus, example 7.a
    EXPECT_EQ(JulianDay(1957, 10, 4, 19, 26, 24, 0), 2436116.31);
    EXPECT_EQ(JulianDayAtMidnight(2000, 1, 1), 2451544.5);
    EXPECT_EQ(JulianDayAtMidnight(1900, 1, 15), 2415034.5);
}

TEST(JulianDay, ZoneAndDayOverflowShiftTheMoment)
{
    EXPECT_DOUBLE_EQ(JulianDay(2000, 6, 1, 12, 0, 0, 1),
                     JulianDay(2000, 6, 1, 12, 0, 0, 0) - 1.0 / 24);
    EXPECT_DOUBLE_EQ(JulianDay(2000, 6, 1, 12, 0, 0, -5), JulianDay(2000, 6, 1, 17, 0, 0, 0));
    // Day 0 of a month is the last day of the month before; day 32 the first of the next.
    EXPECT_EQ(JulianDay(2001, 3, 0, 10, 0, 0, 0), JulianDay(2001, 2, 28, 10, 0, 0, 0));
    EXPECT_EQ(JulianDay(2001, 1, 32, 10, 0, 0, 0), JulianDay(2001, 2, 1, 10, 0, 0, 0));
    EXPECT_EQ(JulianDayAtMidnight(2001, 5, 0), JulianDayAtMidnight(2001, 4, 30));
    // Minutes and seconds enter as fractions of a day.
    EXPECT_NEAR(JulianDay(2000, 1, 1, 12, 30, 30, 0) - 2451545.0, (30 * 60 + 30) / 86400.0, 1e-9);
}

TEST(CalendarFromJulianDay, RoundTripsAndTruncates)
{
    int y, mo, d, h, mi;
    CalendarFromJulianDay(2451545.0, &y, &mo, &d, &h, &mi);
    EXPECT_EQ(y, 2000); EXPECT_EQ(mo, 1); EXPECT_EQ(d, 1); EXPECT_EQ(h, 12); EXPECT_EQ(mi, 0);

    // Just below a full minute stays at the lower minute (nothing is rounded).
    CalendarFromJulianDay(2451545.0 + 10.0 / 1440.0 - 1e-7, &y, &mo, &d, &h, &mi);
    EXPECT_EQ(h, 12); EXPECT_EQ(mi, 9);

    // Both calendars, February of leap and century years.
    struct Case { int y, m, d, h, mi; } cases[] = {
        {1582, 10, 4, 23, 59}, {1582, 10, 15, 0, 0}, {1900, 2, 28, 6, 7}, {1900, 3, 1, 18, 45},
        {2000, 2, 29, 23, 1}, {1066, 12, 25, 9, 30}, {-1000, 7, 12, 3, 3}, {2100, 12, 31, 12, 0}};
    for (const Case& c : cases) {
        double jd = JulianDay(c.y, c.m, c.d, c.h, c.mi, 0, 0) + 1.0 / 86400.0;
        CalendarFromJulianDay(jd, &y, &mo, &d, &h, &mi);
        EXPECT_EQ(y, c.y); EXPECT_EQ(mo, c.m); EXPECT_EQ(d, c.d);
        EXPECT_EQ(h, c.h); EXPECT_EQ(mi, c.mi);
    }

    // Every day of 1899..1901 round-trips through the calendar.
    for (double jd = JulianDayAtMidnight(1899, 1, 1); jd < JulianDayAtMidnight(1902, 1, 1);
         jd += 1.0) {
        CalendarFromJulianDay(jd + 0.25, &y, &mo, &d, &h, &mi);
        EXPECT_EQ(JulianDayAtMidnight(y, mo, d), jd);
        EXPECT_EQ(h, 6);
    }
}

TEST(CalendarFromJulianDay, NonsenseInputGivesZeros)
{
    int y = 1, mo = 1, d = 1, h = 1, mi = 1;
    CalendarFromJulianDay(NAN, &y, &mo, &d, &h, &mi);
    EXPECT_EQ(y, 0); EXPECT_EQ(mo, 0); EXPECT_EQ(d, 0); EXPECT_EQ(h, 0); EXPECT_EQ(mi, 0);
    CalendarFromJulianDay(1e300, &y, &mo, &d, &h, &mi);
    EXPECT_EQ(y, 0);
}

TEST(RecordJulianDay, IgnoresSummerTime)
{
    PersonRecord r = Record(2000, 1, 1, 13, 0, 1, 1);
    r.second = 30;
    EXPECT_DOUBLE_EQ(RecordJulianDay(r), JulianDay(2000, 1, 1, 13, 0, 30, 1));
}

TEST(RecordWorldTime, SummerTimeCarriesAcrossDays)
{
    double jd, jd0, jdRef, jd0Ref;
    // 00:20 with summer time 1 is 23:20 of the day before, across a month boundary.
    RecordWorldTime(Record(2001, 3, 1, 0, 20, 1, 0), &jd, &jd0);
    RecordWorldTime(Record(2001, 2, 28, 23, 20, 0, 0), &jdRef, &jd0Ref);
    EXPECT_EQ(jd, jdRef);
    EXPECT_EQ(jd0, jd0Ref);
    EXPECT_EQ(jd0, JulianDayAtMidnight(2001, 2, 28));

    // A negative summer time pushing the hour to 24 or more carries forward.
    RecordWorldTime(Record(2001, 1, 31, 23, 0, -2, 0), &jd, &jd0);
    EXPECT_EQ(jd, JulianDay(2001, 2, 1, 1, 0, 0, 0));
    EXPECT_EQ(jd0, JulianDayAtMidnight(2001, 2, 1));

    // Seconds are dropped, the zone is subtracted.
    PersonRecord r = Record(2000, 1, 1, 13, 0, 0, 1);
    r.second = 59;
    RecordWorldTime(r, &jd, &jd0);
    EXPECT_EQ(jd, 2451545.0);
    EXPECT_EQ(jd0, 2451544.5);

    // The zone does not move the date of the midnight (only the summer-time carry does).
    RecordWorldTime(Record(2000, 1, 1, 0, 30, 0, 2), &jd, &jd0);
    EXPECT_EQ(jd0, 2451544.5);
    EXPECT_LT(jd, jd0);
}

TEST(RecordWorldTime, AbsurdOffsetsDoNotOverflow)
{
    double jd, jd0;
    PersonRecord r = Record(2000, 1, 1, 2147483647, 0, -2147483647 - 1, 2147483647);
    r.day = 2147483647;
    RecordWorldTime(r, &jd, &jd0);  // meaningless but defined
    SUCCEED();
}

TEST(SiderealReduction, ConstantTimeFormsEqualTheLoops)
{
    std::mt19937_64 random(12345);
    std::uniform_real_distribution<double> wide(-2.0e7, 2.0e7);
    std::uniform_real_distribution<double> near(-800.0, 800.0);
    auto check = [](double x) {
        double a = ReduceByTurnsTowardOppositeSide(x);
        double b = ReferenceSiderealReductionLoop(x);
        EXPECT_EQ(std::signbit(a), std::signbit(b)) << x;
        EXPECT_EQ(a, b) << std::hexfloat << x;
        double c = ReduceIntoClosedTurn(x);
        double d = ReferenceReduceIntoClosedTurnLoop(x);
        EXPECT_EQ(std::signbit(c), std::signbit(d)) << x;
        EXPECT_EQ(c, d) << std::hexfloat << x;
    };
    for (int i = 0; i < 20000; ++i) check(wide(random));
    for (int i = 0; i < 20000; ++i) check(near(random));
    // Exact multiples of a turn, their neighbours, zeros and tiny values.
    for (int k = -40000; k <= 40000; k += 37) {
        double x = 360.0 * k;
        check(x);
        check(std::nextafter(x, 1e300));
        check(std::nextafter(x, -1e300));
    }
    for (double x : {0.0, -0.0, 1e-300, -1e-300, 360.0, -360.0, 720.0, -720.0, 1e-20, -1e-20})
        check(x);
    // The quick remainder equals the library's (up to the sign of a zero result), also where
    // the quotient x / 360 rounds to the neighbouring integer.
    auto remainder = [](double x, double period) {
        double fast = RemainderOfPeriods(x, period);
        double library = std::fmod(x, period);
        EXPECT_TRUE(fast == library) << std::hexfloat << x << " " << fast << " " << library;
    };
    for (int i = 0; i < 20000; ++i) {
        remainder(wide(random), 360.0);
        remainder(near(random), 24.0);
    }
    for (long long k = -3000000000LL; k <= 3000000000LL; k += 123456789LL)
        for (double x = std::nextafter(360.0 * k, -1e300), n = 0; n < 3;
             ++n, x = std::nextafter(x, 1e300))
            remainder(x, 360.0);
    for (double x : {1e17, -1e17, 1e300, 4503599627370495.0}) remainder(x, 360.0);
    // 24-hour reduction of the sidereal hours.
    for (int i = 0; i < 20000; ++i) {
        double s = near(random) / 7.0;
        double loop = s;
        if (loop >= 0.0)
            while (loop > 24.0) loop -= 24.0;
        else
            while (loop < 0.0) loop += 24.0;
        EXPECT_EQ(ReduceIntoClosedPeriod(s, 24.0), loop) << s;
    }
}

TEST(LocalSiderealTime, PinnedAndAlmanacValues)
{
    EXPECT_NEAR(LocalSiderealTime(2451545.0, 2451544.5, 0, 0), 280.46061837 / 15.0, 1e-9);
    EXPECT_NEAR(LocalSiderealTime(2451545.0, 2451544.5, 0, 0), 18.697, 1e-3);
    // Meeus, examples 12.a and 12.b: 1987 April 10, 0h and 19:21 UT at Greenwich.
    double jd0 = JulianDayAtMidnight(1987, 4, 10);
    EXPECT_NEAR(LocalSiderealTime(jd0, jd0, 0, 0), 13.0 + 10.0 / 60 + 46.3668 / 3600, 1e-6);
    double jd = JulianDay(1987, 4, 10, 19, 21, 0, 0);
    EXPECT_NEAR(LocalSiderealTime(jd, jd0, 0, 0), 8.0 + 34.0 / 60 + 57.0896 / 3600, 1e-6);
    // East longitude adds four minutes of time per degree; minutes are added also west.
    double greenwich = LocalSiderealTime(jd, jd0, 0, 0);
    EXPECT_NEAR(LocalSiderealTime(jd, jd0, 15, 0), greenwich + 1.0, 1e-9);
    EXPECT_NEAR(LocalSiderealTime(jd, jd0, -15, 30), greenwich - 1.0 + 0.5 / 15.0, 1e-9);
}

TEST(LocalSiderealTime, EqualsTheLoopVersionOverCenturies)
{
    for (double jd = 2378496.5; jd < 2488069.5; jd += 37.123456) {
        double jd0 = std::floor(jd - 0.5) + 0.5;
        for (int lon : {-170, -13, 0, 13, 179}) {
            double s = LocalSiderealTime(jd, jd0, lon, 59);
            EXPECT_EQ(s, ReferenceLocalSiderealTime(jd, jd0, lon, 59)) << jd;
            EXPECT_GE(s, 0.0);
            EXPECT_LE(s, 24.0);
        }
    }
}
