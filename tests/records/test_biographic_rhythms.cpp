// The curves of Biographic rhythms against the harmonies evaluated directly from the positions
// of single moments: each natal slow planet with its own transit, the coupling of the others,
// the sum, and the moments of the first and last step.

#include <gtest/gtest.h>

#include "astro/julian.h"
#include "astro/positions.h"
#include "astro/wave_tables.h"
#include "research/biographic_rhythms.h"

namespace {

PersonRecord Birth() {
    PersonRecord r = {};
    r.year = 1879, r.month = 3, r.day = 14;
    r.hour = 10, r.minute = 50, r.second = 2;
    r.timeZone = 0, r.summerTime = 0;
    r.longitudeDegrees = 9, r.longitudeMinutes = 59;
    r.latitudeDegrees = 48, r.latitudeMinutes = 24;
    return r;
}

// Row k (1..5) at the moment jd, evaluated from scratch.
double Expected(const PositionRecord& natal, double jd, int k, double coupling) {
    PersonRecord at = Birth();
    CalendarFromJulianDay(jd, &at.year, &at.month, &at.day, &at.hour, &at.minute);
    at.second = 0;
    PositionRecord transit = {};
    PlanetPositions(at, &transit);
    double value = 0.0;
    for (int m = 0; m < 5; ++m) {
        double h = HarmonyWave(1, natal.longitude[kJupiter + k - 1], transit.longitude[kJupiter + m]);
        value += m == k - 1 ? h : coupling * h;
    }
    return value;
}

TEST(BiographicRhythms, CurvesAreTheHarmoniesOfTransitsWithTheirNatalPlaces) {
    PersonRecord record = Birth();
    PositionRecord natal = {};
    PlanetPositions(record, &natal);
    double start = RecordJulianDay(record);  // block 1 starts at the birth itself
    double step = 4383.0 / 700;

    for (double coupling : {0.0, 0.35}) {
        uxArray2Double curves;
        ASSERT_TRUE(uxarray2d_create(&curves, 13, 700));
        PersonRecord working = Birth();
        BiographicRhythmCurves(&working, natal, coupling, start, step, &curves);
        for (int column : {0, 1, 350, 699}) {
            double sum = 0.0;
            for (int k = 1; k <= 5; ++k) {
                double expected = Expected(natal, start + column * step, k, coupling);
                EXPECT_NEAR(uxarray2d_get(&curves, k, column), expected, 1e-12)
                    << "row " << k << " column " << column << " coupling " << coupling;
                sum += expected;
            }
            EXPECT_NEAR(uxarray2d_get(&curves, 0, column), sum, 1e-12);
            EXPECT_EQ(uxarray2d_get(&curves, 6, column), 0.0);
        }
        // the working record ends at the last step's moment
        int year, month, day, hour, minute;
        CalendarFromJulianDay(start + 699 * step, &year, &month, &day, &hour, &minute);
        EXPECT_EQ(working.year, year);
        EXPECT_EQ(working.day, day);
        EXPECT_EQ(working.second, 0);
        uxarray2d_destroy(&curves);
    }
}

TEST(BiographicRhythms, WithoutCouplingAPlanetAtItsNatalPlaceGivesTheOwnWaveAtZero) {
    PersonRecord record = Birth();
    PositionRecord natal = {};
    PlanetPositions(record, &natal);
    uxArray2Double curves;
    ASSERT_TRUE(uxarray2d_create(&curves, 13, 700));
    BiographicRhythmCurves(&record, natal, 0.0, RecordJulianDay(Birth()), 1e-9, &curves);
    // step 0: every transit stands on its natal place, the order-1 wave at separation 0
    for (int k = 1; k <= 5; ++k) EXPECT_NEAR(uxarray2d_get(&curves, k, 0), -3.0 / 19.0, 1e-6);
    EXPECT_NEAR(uxarray2d_get(&curves, 0, 0), -15.0 / 19.0, 1e-6);
    uxarray2d_destroy(&curves);
}

}  // namespace
