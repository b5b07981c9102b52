#pragma once
// The data-quality profile of an event group: what a referee asks first about a sample before
// any effect is believed (its years, how its clock times were rounded, repeated rows, zones and
// summer times that the tz database contradicts, moments before standard time).

#include <vector>

#include "research/shuffle/shuffle_test.h"

// What the tz check found for one member's row.
struct ShuffleRowZone {
    bool checked;        // the place is in the place table and its zone in the tz database
    bool disagrees;      // zone or summer time differ from the tz database (or a skipped time)
    bool localMeanTime;  // the place kept local mean time then (before standard time)
};

struct ShuffleProfile {
    int members;
    int firstYear, lastYear;
    int firstDecade;               // the first member's decade, e.g. 1890
    std::vector<int> perDecade;    // members per decade from firstDecade on
    int fullHour;                  // clock times hh:00:00
    int halfHour;                  // clock times hh:30:00
    int identical;                 // rows whose date, time and place repeat an earlier row's
    int zoneChecked;               // rows the tz database could be asked about
    int zoneDisagrees;
    int localMeanTime;
};

// The profile of `count` members with the tz check of each row.
void MakeShuffleProfile(const ShuffleMember* members, const ShuffleRowZone* zones, int count,
                        ShuffleProfile* profile);
