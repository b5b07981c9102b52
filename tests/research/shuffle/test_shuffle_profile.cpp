// The data-quality profile: decades, rounded clock times, repeated rows, zone findings.

#include <gtest/gtest.h>

#include <cstring>

#include "research/shuffle/shuffle_profile.h"

namespace {

ShuffleMember member(int year, int hour, int minute, int second, const char* place) {
    ShuffleMember m{};
    m.record.year = year;
    m.record.month = 6;
    m.record.day = 1;
    m.record.hour = hour;
    m.record.minute = minute;
    m.record.second = second;
    m.record.longitudeDegrees = 13;
    std::strcpy(m.record.place, place);
    return m;
}

}  // namespace

TEST(ShuffleProfile, CountsDecadesRoundedTimesRepeatsAndZones) {
    const ShuffleMember members[] = {
        member(1899, 12, 0, 0, "Berlin"),   // full hour
        member(1900, 12, 30, 0, "Berlin"),  // half hour
        member(1919, 7, 15, 0, "Berlin"),
        member(1900, 12, 30, 0, "Berlin"),  // the second row again
        member(1900, 12, 30, 0, "Bonn"),    // same moment, another place: no repeat
        member(1935, 3, 0, 20, "Bonn"),     // seconds: not on the full hour
    };
    const ShuffleRowZone zones[] = {{true, false, false}, {true, true, false},
                                    {false, false, true}, {true, false, false},
                                    {false, false, false}, {true, true, false}};
    ShuffleProfile p;
    MakeShuffleProfile(members, zones, 6, &p);
    EXPECT_EQ(p.members, 6);
    EXPECT_EQ(p.firstYear, 1899);
    EXPECT_EQ(p.lastYear, 1935);
    EXPECT_EQ(p.firstDecade, 1890);
    EXPECT_EQ(p.perDecade, (std::vector<int>{1, 3, 1, 0, 1}));
    EXPECT_EQ(p.fullHour, 1);
    EXPECT_EQ(p.halfHour, 3);
    EXPECT_EQ(p.identical, 1);
    EXPECT_EQ(p.zoneChecked, 4);
    EXPECT_EQ(p.zoneDisagrees, 2);
    EXPECT_EQ(p.localMeanTime, 1);
}
