// Zone and summer-time offsets from the system tz database, read through CCTZ.
//
// The database stores for every period its whole offset and whether it counts as summer time,
// but not how much of the offset is summer time. That amount is found from the nearest earlier
// period that is not summer time: Berlin in June 1947 (+3, summer time) follows the winter of
// 1946/47 (+1), so the standard offset is +1 and the summer time 2 hours.

#include "astro/time_zones.h"

#include "astro/zone_standard.h"

#include <cctz/civil_time.h>
#include <cctz/time_zone.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

using Instant = cctz::time_point<cctz::seconds>;

// Transitions walked at most when looking for a period without summer time (London kept
// summer time from February 1940 to October 1945 through ten transitions).
static const int kMaxTransitionSteps = 64;

struct Period {
    int offset;  // seconds east of Greenwich
    bool summer;
};

static Period period_at(const cctz::time_zone& tz, Instant at) {
    cctz::time_zone::absolute_lookup a = tz.lookup(at);
    return {a.offset, a.is_dst};
}

// Zone names are relative paths below the zoneinfo directory; anything else (an absolute path,
// "..", odd characters from a damaged table) is refused before CCTZ opens a file.
static bool plausible_zone_name(const char* zone) {
    if (!zone || !zone[0] || zone[0] == '/' || std::strlen(zone) > 64) return false;
    if (std::strstr(zone, "..")) return false;
    for (const char* c = zone; *c; ++c) {
        bool ok = (*c >= 'A' && *c <= 'Z') || (*c >= 'a' && *c <= 'z') || (*c >= '0' && *c <= '9') ||
                  *c == '/' || *c == '_' || *c == '-' || *c == '+';
        if (!ok) return false;
    }
    return true;
}

static bool load_zone(const char* zone, cctz::time_zone* tz) {
    return plausible_zone_name(zone) && cctz::load_time_zone(zone, tz);
}

bool TimeZoneKnown(const char* zone) {
    cctz::time_zone tz;
    return load_zone(zone, &tz);
}

// The instant of a transition: the clock time it jumps to is unique after a spring-forward
// change and repeated after a fall-back one; either way the lookup names the instant.
static Instant transition_instant(const cctz::time_zone& tz,
                                  const cctz::time_zone::civil_transition& tr) {
    return tz.lookup(tr.to).trans;
}

// The period just before the latest transition before `at`, and that transition's instant.
static bool previous_period(const cctz::time_zone& tz, Instant at, Period* period, Instant* start) {
    cctz::time_zone::civil_transition tr;
    if (!tz.prev_transition(at, &tr)) return false;
    Instant x = transition_instant(tz, tr);
    if (x >= at) return false;
    *period = period_at(tz, x - cctz::seconds(1));
    *start = x - cctz::seconds(1);
    return true;
}

// The period just after the first transition after `at`.
static bool next_period(const cctz::time_zone& tz, Instant at, Period* period, Instant* start) {
    cctz::time_zone::civil_transition tr;
    if (!tz.next_transition(at, &tr)) return false;
    Instant x = transition_instant(tz, tr);
    if (x <= at) return false;
    *period = period_at(tz, x);
    *start = x;
    return true;
}

// Offset of the nearest period without summer time before `at`, else after it.
static bool nearest_standard(const cctz::time_zone& tz, Instant at, int* offset) {
    Period p;
    Instant cursor = at;
    for (int i = 0; i < kMaxTransitionSteps && previous_period(tz, cursor, &p, &cursor); ++i)
        if (!p.summer) {
            *offset = p.offset;
            return true;
        }
    cursor = at;
    for (int i = 0; i < kMaxTransitionSteps && next_period(tz, cursor, &p, &cursor); ++i)
        if (!p.summer) {
            *offset = p.offset;
            return true;
        }
    return false;
}

// Standard and summer time at an instant. A summer period with a lower offset than the
// standard time around it is the database's "negative summer time" (Ireland since 1971,
// Morocco since 2018, Namibia 1994-2017): such a winter is read as standard time and the
// higher offset beside it as summer time.
// A summer period takes the standard offset the database's source text gives for it where that
// is known and no more than the whole offset (Paris in September 1944: standard 0, "WEMT").
static void offsets_at(const cctz::time_zone& tz, const char* zone, Instant at, ZoneOffsets* out) {
    cctz::time_zone::absolute_lookup a = tz.lookup(at);
    int standard = a.offset;
    int stated;
    if (a.is_dst && ZoneStandardOffset(zone, static_cast<int>(a.cs.year()), a.cs.month(), a.cs.day(),
                                       a.cs.hour(), &stated) &&
        stated <= a.offset) {
        standard = stated;
    } else if (a.is_dst) {
        int other;
        if (nearest_standard(tz, at, &other) && other < a.offset) standard = other;
    } else {
        Period p;
        Instant start;
        int around;
        if (next_period(tz, at, &p, &start) && p.summer && p.offset < a.offset) {
            standard = p.offset;
        } else if (previous_period(tz, at, &p, &start) && p.summer && p.offset < a.offset &&
                   nearest_standard(tz, start, &around) && around == a.offset) {
            standard = p.offset;
        }
    }
    out->standardSeconds = standard;
    out->summerSeconds = a.offset - standard;
    std::snprintf(out->abbreviation, sizeof out->abbreviation, "%s", a.abbr ? a.abbr : "");
}

bool LookUpClockTime(const char* zone, int year, int month, int day, int hour, int minute,
                     int second, ZoneMoment* moment) {
    cctz::time_zone tz;
    if (!load_zone(zone, &tz)) return false;
    cctz::time_zone::civil_lookup cl = tz.lookup(cctz::civil_second(year, month, day, hour, minute, second));
    switch (cl.kind) {
        case cctz::time_zone::civil_lookup::UNIQUE:
            moment->kind = ClockTimeKind::Unique;
            offsets_at(tz, zone, cl.pre, &moment->before);
            moment->after = moment->before;
            break;
        case cctz::time_zone::civil_lookup::SKIPPED:
        case cctz::time_zone::civil_lookup::REPEATED:
            moment->kind = cl.kind == cctz::time_zone::civil_lookup::SKIPPED ? ClockTimeKind::Skipped
                                                                            : ClockTimeKind::Repeated;
            offsets_at(tz, zone, cl.trans - cctz::seconds(1), &moment->before);
            offsets_at(tz, zone, cl.trans, &moment->after);
            break;
    }
    return true;
}

bool WholeHours(const ZoneOffsets& offsets) {
    return offsets.standardSeconds % 3600 == 0 && offsets.summerSeconds % 3600 == 0;
}

void FormatOffset(int seconds, char* text, int size) {
    int magnitude = std::abs(seconds);
    int h = magnitude / 3600, m = magnitude / 60 % 60, s = magnitude % 60;
    char sign = seconds < 0 ? '-' : '+';
    if (s != 0)
        std::snprintf(text, size, "%c%d:%02d:%02d", sign, h, m, s);
    else
        std::snprintf(text, size, "%c%d:%02d", sign, h, m);
}

bool TzdataVersion(char* text, int size) {
    std::snprintf(text, static_cast<size_t>(size), "unknown");
    const char* dir = std::getenv("TZDIR");
    char path[4096];
    std::snprintf(path, sizeof path, "%s/tzdata.zi", dir && dir[0] ? dir : "/usr/share/zoneinfo");
    std::FILE* file = std::fopen(path, "r");
    if (!file) return false;
    char line[128] = {};
    bool ok = std::fgets(line, sizeof line, file) != nullptr;
    std::fclose(file);
    char version[32] = {};
    ok = ok && std::sscanf(line, "# version %31s", version) == 1;
    if (ok) std::snprintf(text, static_cast<size_t>(size), "%s", version);
    return ok;
}

bool IsMeanTime(const ZoneOffsets& offsets) {
    if (WholeHours(offsets)) return false;
    const char* a = offsets.abbreviation;
    return std::strcmp(a, "LMT") == 0 || (std::strlen(a) == 3 && std::strcmp(a + 1, "MT") == 0);
}
