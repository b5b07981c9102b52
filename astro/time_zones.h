#pragma once
// Historical zone and summer-time offsets of a local clock time, from the system tz database
// (IANA zone names such as "Europe/Berlin"). The program's own rule is
// world time = clock time - zone - summer time; this module says which zone and summer time the
// tz database gives for a clock time at a place.

// The offsets in force at one reading of a clock, in seconds east of Greenwich.
// standard + summer is the whole offset; summer is never negative (zones that the database
// keeps with a "negative summer time", Ireland's winter for example, are given as standard
// time in winter and summer time in summer, as people there count them).
struct ZoneOffsets {
    int standardSeconds;
    int summerSeconds;
    char abbreviation[16];  // "CEST", "LMT", "+0530"
};

// How a clock time maps onto world time.
enum class ClockTimeKind {
    Unique,    // one moment
    Skipped,   // the clocks jumped over it (spring forward): it never showed on a clock
    Repeated,  // the clocks showed it twice (fall back)
};

struct ZoneMoment {
    ClockTimeKind kind;
    // Unique: both the same. Skipped and Repeated: the offsets before and after the change
    // (for a repeated time, `before` is its first reading, still in summer time).
    ZoneOffsets before, after;
};

// True when the tz database knows the zone name.
bool TimeZoneKnown(const char* zone);

// The offsets of the local clock time year-month-day hour:minute:second in `zone`. False when
// the zone is unknown (the moment is then untouched).
bool LookUpClockTime(const char* zone, int year, int month, int day, int hour, int minute,
                     int second, ZoneMoment* moment);

// True when both offsets are whole hours (the program's zone and summer-time fields can hold
// them).
bool WholeHours(const ZoneOffsets& offsets);

// True for a mean solar time the tz database keeps before a standard zone: the place's own (LMT)
// or a capital's that a country kept (Paris PMT, Rome RMT, Brussels BMT, Amsterdam AMT). Only an
// offset that is no whole hour counts, so GMT never does.
bool IsMeanTime(const ZoneOffsets& offsets);

// "+5:30", "+0:53:28", "-3:30", "+1": an offset in seconds as hours, minutes and seconds.
void FormatOffset(int seconds, char* text, int size);

// The version of the tz database the offsets come from ("2025b"), from the first line of the
// zoneinfo directory's tzdata.zi; false (text "unknown") when it cannot be read.
bool TzdataVersion(char* text, int size);
