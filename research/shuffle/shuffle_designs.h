#pragma once
// The members of the control groups of the three designs, drawn from the group's own rows
// (designs 1 and 2) or from a period (design 3). Drawing happens on the calling thread, in a
// fixed order, before any moment is computed; computing a drawn member's moment needs nothing
// but the draw and the group's rows, so the moments of a block of groups can be computed in
// any order (or on several threads) with the same numbers.
//
// Order of the draws for one control group of m members (rows[0..m-1] of the group):
//   design 1: one permutation pi of 0..m-1 (RandomPermutation): member k keeps date, place,
//             zone and summer time of rows[k] and takes the clock time of rows[pi[k]];
//   design 2: three permutations, in this order: dates (pd), clock times (pt), places (pp):
//             member k has the date of rows[pd[k]], the clock time of rows[pt[k]] and the
//             place of rows[pp[k]]; zone and summer time as ControlZone says;
//   design 3: m numbers u (UniformUnit), member k at t = JD_start + u (JD_end - JD_start),
//             read as the Matrix probability reads its moments (control_groups.h): the
//             calendar of t as zone-1 clock time, seconds 0, summer time 0, at 13 59' E,
//             51 10' N.

#include <cstdint>
#include <vector>

#include "astro/astro_records.h"
#include "research/control_groups.h"
#include "research/shuffle/shuffle_random.h"
#include "research/shuffle/shuffle_test.h"

// One drawn control member: its calendar moment and offsets, and the row whose place (and IANA
// zone) it takes; -1 for the fixed place of design 3.
struct ControlDraw {
    int year, month, day;
    int hour, minute, second;
    int timeZone, summerTime;
    int placeRow;
};

// The zone and summer time the tz database gives for a place's IANA zone, a date and a clock
// time, remembered per zone and date: a day on which the offsets do not change (the same unique
// offsets at 00:00:00 and at 23:59:59) is looked up once; on a day of a change every clock time
// is looked up. A clock time that the change skips or repeats takes the offsets in force before
// the change: a repeated time is read as its first showing (still summer time), a skipped one as
// if the clocks had not yet been put forward.
struct ZoneDays {
    std::vector<int> rowZone;        // per row: index of its place's zone, -1 when none or unknown
    int zones = 0;
    std::vector<std::int8_t> state;  // zones x rows (date of that row); 0 = not looked up yet
    std::vector<std::int8_t> standardHours;
    std::vector<std::int8_t> summerHours;
};

// The work of drawing: the design, the rows, the fixed place of design 3, scratch for the
// permutations, the zone days of design 2, and the counts the result reports.
struct DesignDrawer {
    ShuffleDesign design;
    const ShuffleMember* members;
    int count;  // rows of the whole group
    ControlGroupSampler period;  // design 3: the period and the fixed place
    std::vector<int> dates, times, places;
    // Each row's place as ControlRecord copies it, 16 bytes a row: the threads read a random row's
    // place for every control member, which from the 248-byte rows missed the cache.
    struct Place {
        int longitudeDegrees, longitudeMinutes, latitudeDegrees, latitudeMinutes;
    };
    std::vector<Place> placeOf;
    ZoneDays zoneDays;
    long long zoneFallbacks;     // design 2: offsets of the row whose place was taken
    long long skippedOrRepeated; // design 2: clock times the tz database skips or repeats
};

// Prepares the drawer for control groups from the `count` rows of the group (or from the
// period of `settings`); allocates all it will use.
void StartDesign(const ShuffleSettings& settings, const ShuffleMember* members, int count,
                 DesignDrawer* drawer);

// Design 2's zone and summer time for a member with the date of row `dateRow`, the given clock
// time and the place of row `placeRow`: from the tz database when the place's zone is known and
// the offsets are whole hours, else (counted in zoneFallbacks) those of row `placeRow`.
void ControlZone(DesignDrawer* drawer, int dateRow, int hour, int minute, int second,
                 int placeRow, int* timeZone, int* summerTime);

// Draws one control group of the rows rows[0..m-1] into draws[0..m-1] (order of draws above).
void DrawControlGroup(DesignDrawer* drawer, ShuffleEngine& engine, const int* rows, int m,
                      ControlDraw* draws);

// The record of a drawn member (names and place name left empty: the positions do not read
// them).
void ControlRecord(const DesignDrawer& drawer, const ControlDraw& draw, PersonRecord* record);
