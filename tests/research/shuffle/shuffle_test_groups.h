#pragma once
// Small synthetic event groups for the shuffle test's unit tests: real European places with
// their IANA zones, dates and clock times from a fixed generator, zone and summer time from the
// tz database where it gives whole hours (else the nearest whole hours).

#include <cmath>
#include <cstdio>
#include <cstring>
#include <random>
#include <vector>

#include "astro/time_zones.h"
#include "research/shuffle/shuffle_test.h"

namespace shuffle_test_groups {

struct Place {
    const char* name;
    int lonDeg, lonMin, latDeg, latMin;
    const char* zone;
};

inline constexpr Place kPlaces[] = {
    {"Berlin", 13, 24, 52, 31, "Europe/Berlin"},   {"Paris", 2, 21, 48, 51, "Europe/Paris"},
    {"Wien", 16, 22, 48, 12, "Europe/Vienna"},     {"Roma", 12, 29, 41, 54, "Europe/Rome"},
    {"Madrid", -4, 18, 40, 25, "Europe/Madrid"},   {"London", 0, 7, 51, 30, "Europe/London"},
    {"Warszawa", 21, 1, 52, 14, "Europe/Warsaw"},  {"Stockholm", 18, 4, 59, 20, "Europe/Stockholm"},
};

// The offsets of a clock time at a zone: the tz database's when whole hours, else rounded.
inline void ZoneOf(const char* zone, int y, int mo, int d, int h, int mi, int* timeZone,
                   int* summerTime) {
    ZoneMoment moment;
    *timeZone = 1;
    *summerTime = 0;
    if (!LookUpClockTime(zone, y, mo, d, h, mi, 0, &moment)) return;
    *timeZone = static_cast<int>(std::lround(moment.before.standardSeconds / 3600.0));
    *summerTime = static_cast<int>(std::lround(moment.before.summerSeconds / 3600.0));
}

inline ShuffleMember MakeMember(int y, int mo, int d, int h, int mi, const Place& place) {
    ShuffleMember m{};
    std::snprintf(m.record.name, sizeof m.record.name, "N%04d%02d%02d", y, mo, d);
    m.record.year = y;
    m.record.month = mo;
    m.record.day = d;
    m.record.hour = h;
    m.record.minute = mi;
    m.record.longitudeDegrees = place.lonDeg;
    m.record.longitudeMinutes = place.lonMin;
    m.record.latitudeDegrees = place.latDeg;
    m.record.latitudeMinutes = place.latMin;
    std::snprintf(m.record.place, sizeof m.record.place, "%s", place.name);
    std::snprintf(m.zone, sizeof m.zone, "%s", place.zone);
    ZoneOf(place.zone, y, mo, d, h, mi, &m.record.timeZone, &m.record.summerTime);
    return m;
}

// `count` members born 1900..1979 (every date and every clock time different when count is at
// most a few hundred), places in turn.
inline std::vector<ShuffleMember> MakeGroup(int count, unsigned seed) {
    std::mt19937 random(seed);
    std::vector<ShuffleMember> group;
    for (int k = 0; k < count; ++k) {
        const int y = 1900 + static_cast<int>(random() % 80);
        const int mo = 1 + static_cast<int>(random() % 12);
        const int d = 1 + static_cast<int>(random() % 28);
        // Distinct clock times: minute k of a day spread over 24 h.
        const int minuteOfDay = (k * 997 + static_cast<int>(random() % 7)) % 1440;
        group.push_back(MakeMember(y, mo, d, minuteOfDay / 60, minuteOfDay % 60,
                                   kPlaces[k % (sizeof kPlaces / sizeof kPlaces[0])]));
    }
    return group;
}

inline ShuffleSettings DefaultSettings(ShuffleDesign design, int groups, std::uint64_t seed) {
    ShuffleSettings s{};
    s.order = 3;
    s.last = 10;
    for (int p = 0; p < kMatrixSize; ++p) s.weights[p] = p <= 10 ? 1.0 : 0.0;
    s.selfCorrelation = 1;
    s.design = design;
    s.controlGroups = groups;
    s.replication = false;
    s.jdStart = 2415020.5;  // 1900-01-01
    s.jdEnd = 2444239.5;    // 1980-01-01
    s.seed = seed;
    s.bootstrapResamples = 200;
    return s;
}

}  // namespace shuffle_test_groups
