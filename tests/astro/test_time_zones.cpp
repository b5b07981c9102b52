#include <gtest/gtest.h>

#include "astro/time_zones.h"

namespace {

struct Expected {
    const char* zone;
    int year, month, day, hour;
    int standardHours, summerHours;
};

// Whole-hour periods the tz database knows, each with the zone and summer time a researcher
// enters for them.
TEST(TimeZones, HistoricalStandardAndSummerTime) {
    const Expected cases[] = {
        {"Europe/Berlin", 1945, 6, 1, 12, 1, 2},    // Berlin's double summer time
        {"Europe/Berlin", 1947, 6, 1, 12, 1, 2},
        {"Europe/Berlin", 1949, 7, 1, 12, 1, 1},
        {"Europe/Berlin", 1949, 12, 1, 12, 1, 0},
        {"Europe/Berlin", 1965, 7, 1, 12, 1, 0},    // no summer time 1950-1979
        {"Europe/Berlin", 1979, 7, 1, 12, 1, 0},
        {"Europe/Berlin", 1980, 7, 1, 12, 1, 1},
        {"Europe/Berlin", 2024, 1, 15, 12, 1, 0},
        {"Europe/London", 1941, 6, 15, 12, 0, 2},   // British double summer time
        {"Europe/London", 1942, 1, 15, 12, 0, 1},   // summer time through the war winters
        {"Europe/London", 1945, 7, 1, 12, 0, 2},
        {"Europe/London", 1969, 1, 15, 12, 1, 0},   // British Standard Time 1968-1971
        {"Europe/London", 1972, 1, 15, 12, 0, 0},
        {"America/New_York", 1943, 1, 15, 12, -5, 1},  // war time 1942-1945
        {"America/New_York", 1945, 8, 1, 12, -5, 1},
        {"America/New_York", 1946, 1, 15, 12, -5, 0},
        {"America/New_York", 1974, 2, 15, 12, -5, 1},  // the energy-crisis winter
        {"America/New_York", 1975, 1, 15, 12, -5, 0},
        {"Australia/Sydney", 2024, 1, 15, 12, 10, 1},  // southern summer
        {"Australia/Sydney", 2024, 7, 15, 12, 10, 0},
        {"Europe/Dublin", 2020, 1, 15, 12, 0, 0},      // the database's negative summer time
        {"Europe/Dublin", 2020, 7, 15, 12, 0, 1},
    };
    for (const Expected& c : cases) {
        ZoneMoment m;
        ASSERT_TRUE(LookUpClockTime(c.zone, c.year, c.month, c.day, c.hour, 0, 0, &m)) << c.zone;
        SCOPED_TRACE(testing::Message() << c.zone << " " << c.year << "-" << c.month << "-" << c.day);
        EXPECT_EQ(m.kind, ClockTimeKind::Unique);
        EXPECT_EQ(m.before.standardSeconds, c.standardHours * 3600);
        EXPECT_EQ(m.before.summerSeconds, c.summerHours * 3600);
    }
}

TEST(TimeZones, SkippedRepeatedAndOddOffsets) {
    ZoneMoment m;
    // 31 March 2024, 2:30 in Berlin: the clocks went from 2:00 to 3:00
    ASSERT_TRUE(LookUpClockTime("Europe/Berlin", 2024, 3, 31, 2, 30, 0, &m));
    EXPECT_EQ(m.kind, ClockTimeKind::Skipped);
    EXPECT_EQ(m.before.summerSeconds, 0);
    EXPECT_EQ(m.after.summerSeconds, 3600);
    // 27 October 2024, 2:30: shown twice, first in summer time
    ASSERT_TRUE(LookUpClockTime("Europe/Berlin", 2024, 10, 27, 2, 30, 0, &m));
    EXPECT_EQ(m.kind, ClockTimeKind::Repeated);
    EXPECT_EQ(m.before.summerSeconds, 3600);
    EXPECT_EQ(m.after.summerSeconds, 0);
    EXPECT_EQ(m.after.standardSeconds, 3600);

    char text[32];
    ASSERT_TRUE(LookUpClockTime("Europe/Berlin", 1880, 1, 1, 12, 0, 0, &m));  // local mean time
    EXPECT_FALSE(WholeHours(m.before));
    FormatOffset(m.before.standardSeconds, text, sizeof text);
    EXPECT_STREQ(text, "+0:53:28");
    ASSERT_TRUE(LookUpClockTime("Asia/Kolkata", 1990, 1, 1, 12, 0, 0, &m));
    FormatOffset(m.before.standardSeconds + m.before.summerSeconds, text, sizeof text);
    EXPECT_STREQ(text, "+5:30");
    ASSERT_TRUE(LookUpClockTime("Asia/Tehran", 1990, 1, 1, 12, 0, 0, &m));
    FormatOffset(m.before.standardSeconds, text, sizeof text);
    EXPECT_STREQ(text, "+3:30");

    EXPECT_FALSE(LookUpClockTime("Mars/Olympus", 2000, 1, 1, 0, 0, 0, &m));
    EXPECT_FALSE(TimeZoneKnown("/etc/passwd"));
    EXPECT_FALSE(TimeZoneKnown("../zoneinfo/UTC"));
    EXPECT_TRUE(TimeZoneKnown("Europe/Berlin"));
}

}  // namespace

// Mean times before standard time: a place's own and the capitals' that countries kept; a
// whole-hour offset named "...MT" (London's GMT) is standard time.
TEST(TimeZones, MeanTimesBeforeStandardTime) {
    ZoneMoment m;
    ASSERT_TRUE(LookUpClockTime("Europe/Paris", 1900, 6, 1, 12, 0, 0, &m));
    EXPECT_STREQ(m.before.abbreviation, "PMT");
    EXPECT_TRUE(IsMeanTime(m.before));
    ASSERT_TRUE(LookUpClockTime("Europe/Berlin", 1880, 6, 1, 12, 0, 0, &m));
    EXPECT_TRUE(IsMeanTime(m.before));
    ASSERT_TRUE(LookUpClockTime("Europe/London", 1950, 1, 15, 12, 0, 0, &m));
    EXPECT_STREQ(m.before.abbreviation, "GMT");
    EXPECT_FALSE(IsMeanTime(m.before));
}
