// The draws of the shuffle test and the control members of its three designs.

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <tuple>
#include <vector>

#include "astro/julian.h"
#include "research/shuffle/shuffle_designs.h"
#include "research/shuffle/shuffle_random.h"
#include "tests/research/shuffle/shuffle_test_groups.h"

namespace {

using namespace shuffle_test_groups;

TEST(ShuffleRandom, DrawsAreInRangeAndRepeat)
{
    ShuffleEngine a(42), b(42);
    for (int k = 0; k < 1000; ++k) {
        const std::uint64_t bound = 1 + k % 37;
        const std::uint64_t x = UniformIndex(a, bound);
        EXPECT_LT(x, bound);
        EXPECT_EQ(x, UniformIndex(b, bound));
    }
    ShuffleEngine c(1);
    for (int k = 0; k < 1000; ++k) {
        const double u = UniformUnit(c);
        EXPECT_GE(u, 0.0);
        EXPECT_LT(u, 1.0);
    }
    // The engine is the standard's: its 10000th output from the default seed is fixed.
    ShuffleEngine d;
    d.discard(9999);
    EXPECT_EQ(d(), 9981545732273789042ull);
}

TEST(ShuffleRandom, PermutationIsAPermutationAndFixedBySeed)
{
    ShuffleEngine engine(2026);
    std::vector<int> order(10);
    RandomPermutation(engine, 10, order.data());
    std::vector<int> sorted = order;
    std::sort(sorted.begin(), sorted.end());
    for (int k = 0; k < 10; ++k) EXPECT_EQ(sorted[k], k);
    // Written out so that a change of the draws cannot pass unnoticed: a run must repeat.
    ShuffleEngine again(2026);
    std::vector<int> second(10);
    RandomPermutation(again, 10, second.data());
    EXPECT_EQ(order, second);
    // Every position is reached about equally often (a rough uniformity check).
    std::vector<int> atZero(5, 0);
    ShuffleEngine many(5);
    std::vector<int> p(5);
    for (int k = 0; k < 50000; ++k) {
        RandomPermutation(many, 5, p.data());
        ++atZero[p[0]];
    }
    for (int v : atZero) EXPECT_NEAR(v, 10000, 400);
}

class ShuffleDesigns : public ::testing::Test {
protected:
    std::vector<ShuffleMember> group = MakeGroup(60, 17);
    std::vector<int> rows = [] {
        std::vector<int> r(60);
        for (int i = 0; i < 60; ++i) r[i] = i;
        return r;
    }();
};

TEST_F(ShuffleDesigns, ClockTimesRecoupledKeepDatePlaceAndOffsets)
{
    ShuffleSettings s = DefaultSettings(kClockTimesRecoupled, 100, 1);
    DesignDrawer drawer;
    StartDesign(s, group.data(), 60, &drawer);
    ShuffleEngine engine(9);
    std::vector<ControlDraw> draws(60);
    int moved = 0;
    for (int g = 0; g < 20; ++g) {
        DrawControlGroup(&drawer, engine, rows.data(), 60, draws.data());
        std::multiset<std::tuple<int, int, int>> clocks, own;
        for (int k = 0; k < 60; ++k) {
            const PersonRecord& r = group[k].record;
            const ControlDraw& d = draws[k];
            EXPECT_EQ(std::make_tuple(d.year, d.month, d.day), std::make_tuple(r.year, r.month, r.day));
            EXPECT_EQ(d.placeRow, k);
            EXPECT_EQ(d.timeZone, r.timeZone);
            EXPECT_EQ(d.summerTime, r.summerTime);
            clocks.insert({d.hour, d.minute, d.second});
            own.insert({r.hour, r.minute, r.second});
            moved += d.hour != r.hour || d.minute != r.minute;
            PersonRecord record;
            ControlRecord(drawer, d, &record);
            EXPECT_EQ(record.longitudeDegrees, r.longitudeDegrees);
            EXPECT_EQ(record.latitudeMinutes, r.latitudeMinutes);
        }
        EXPECT_EQ(clocks, own);  // the clock times as a multiset
    }
    EXPECT_GT(moved, 20 * 50);  // and really recoupled
    EXPECT_EQ(drawer.zoneFallbacks, 0);
}

TEST_F(ShuffleDesigns, DatesTimesAndPlacesAreThreePermutations)
{
    ShuffleSettings s = DefaultSettings(kDatesTimesPlacesShuffled, 100, 1);
    DesignDrawer drawer;
    StartDesign(s, group.data(), 60, &drawer);
    ShuffleEngine engine(10);
    std::vector<ControlDraw> draws(60);
    std::multiset<std::tuple<int, int, int>> dates, clocks;
    for (const ShuffleMember& m : group) {
        dates.insert({m.record.year, m.record.month, m.record.day});
        clocks.insert({m.record.hour, m.record.minute, m.record.second});
    }
    int sameDatePlace = 0;
    for (int g = 0; g < 20; ++g) {
        DrawControlGroup(&drawer, engine, rows.data(), 60, draws.data());
        std::multiset<std::tuple<int, int, int>> d1, c1;
        std::vector<int> places;
        for (const ControlDraw& d : draws) {
            d1.insert({d.year, d.month, d.day});
            c1.insert({d.hour, d.minute, d.second});
            places.push_back(d.placeRow);
        }
        EXPECT_EQ(d1, dates);
        EXPECT_EQ(c1, clocks);
        std::sort(places.begin(), places.end());
        EXPECT_EQ(places, rows);
        for (int k = 0; k < 60; ++k) {
            const PersonRecord& r = group[draws[k].placeRow].record;
            sameDatePlace += draws[k].year == r.year && draws[k].month == r.month &&
                             draws[k].day == r.day;
        }
    }
    EXPECT_LT(sameDatePlace, 20 * 6);  // dates and places are not kept together
}

TEST_F(ShuffleDesigns, DesignTwoTakesOffsetsFromTheTzDatabase)
{
    // Berlin: 1950-07-01 12:00 has no summer time (+1), 1980-07-01 has (+1 +1), 1885 is local
    // mean time (+0:53:28, not whole hours: the place row's own offsets), 1980-04-06 02:30 was
    // skipped and 1980-09-28 02:30 repeated (offsets before the change).
    const Place berlin = kPlaces[0];
    std::vector<ShuffleMember> rowsOf = {
        MakeMember(1950, 7, 1, 12, 0, berlin), MakeMember(1980, 7, 1, 12, 0, berlin),
        MakeMember(1885, 7, 1, 12, 0, berlin), MakeMember(1980, 4, 6, 1, 0, berlin),
        MakeMember(1980, 9, 28, 1, 0, berlin)};
    rowsOf[2].record.timeZone = 3;  // a row of local mean time, entered as the researcher chose
    rowsOf[2].record.summerTime = 2;
    ShuffleSettings s = DefaultSettings(kDatesTimesPlacesShuffled, 100, 1);
    DesignDrawer drawer;
    StartDesign(s, rowsOf.data(), 5, &drawer);
    int zone = -9, summer = -9;
    ControlZone(&drawer, 0, 12, 0, 0, 1, &zone, &summer);
    EXPECT_EQ(zone, 1);
    EXPECT_EQ(summer, 0);
    ControlZone(&drawer, 1, 12, 0, 0, 0, &zone, &summer);
    EXPECT_EQ(zone, 1);
    EXPECT_EQ(summer, 1);
    ControlZone(&drawer, 1, 23, 59, 0, 0, &zone, &summer);  // the day looked up once
    EXPECT_EQ(summer, 1);
    EXPECT_EQ(drawer.zoneFallbacks, 0);
    ControlZone(&drawer, 2, 12, 0, 0, 2, &zone, &summer);  // 1885 in Berlin: fallback
    EXPECT_EQ(zone, 3);
    EXPECT_EQ(summer, 2);
    EXPECT_EQ(drawer.zoneFallbacks, 1);
    ControlZone(&drawer, 3, 1, 30, 0, 0, &zone, &summer);  // the change day, before it
    EXPECT_EQ(summer, 0);
    ControlZone(&drawer, 3, 4, 0, 0, 0, &zone, &summer);  // after it
    EXPECT_EQ(summer, 1);
    EXPECT_EQ(drawer.skippedOrRepeated, 0);
    ControlZone(&drawer, 3, 2, 30, 0, 0, &zone, &summer);  // skipped: standard time
    EXPECT_EQ(zone, 1);
    EXPECT_EQ(summer, 0);
    ControlZone(&drawer, 4, 2, 30, 0, 0, &zone, &summer);  // repeated: its first showing
    EXPECT_EQ(zone, 1);
    EXPECT_EQ(summer, 1);
    EXPECT_EQ(drawer.skippedOrRepeated, 2);
    // A place without an IANA zone: the place row's offsets.
    rowsOf[1].zone[0] = '\0';
    StartDesign(s, rowsOf.data(), 5, &drawer);
    ControlZone(&drawer, 0, 12, 0, 0, 1, &zone, &summer);
    EXPECT_EQ(summer, 1);  // row 1's, although 1950 had none
    EXPECT_EQ(drawer.zoneFallbacks, 1);
}

TEST_F(ShuffleDesigns, RandomMomentsLieInThePeriodAtTheFixedPlace)
{
    ShuffleSettings s = DefaultSettings(kRandomMomentsOfPeriod, 100, 1);
    s.jdStart = JulianDay(1950, 1, 1, 0, 0, 0, 1);
    s.jdEnd = JulianDay(1951, 1, 1, 0, 0, 0, 1);
    DesignDrawer drawer;
    StartDesign(s, group.data(), 60, &drawer);
    ShuffleEngine engine(3);
    std::vector<ControlDraw> draws(60);
    DrawControlGroup(&drawer, engine, rows.data(), 60, draws.data());
    for (const ControlDraw& d : draws) {
        EXPECT_EQ(d.year, 1950);
        EXPECT_EQ(d.timeZone, 1);
        EXPECT_EQ(d.summerTime, 0);
        EXPECT_EQ(d.second, 0);
        EXPECT_EQ(d.placeRow, -1);
        PersonRecord record;
        ControlRecord(drawer, d, &record);
        EXPECT_EQ(record.longitudeDegrees, 13);
        EXPECT_EQ(record.longitudeMinutes, 59);
        EXPECT_EQ(record.latitudeDegrees, 51);
        EXPECT_EQ(record.latitudeMinutes, 10);
    }
}

}  // namespace
