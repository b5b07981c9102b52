#pragma once
// Zone and summer time of person and event rows against the tz database, and the checker of
// whole tables behind "verivire-tablecheck".

#include <cstdio>

#include "astro/time_zones.h"
#include "records/persons.h"
#include "records/places.h"

enum class ZoneVerdict {
    NotInPlaceTable,  // no row of the place table has this name near these coordinates
    NoZone,           // the place has no zone the tz database knows
    NotWholeHours,    // the database's offset is no whole hour: the row cannot say it
    Agrees,
    Disagrees,
    SkippedTime,      // the clocks jumped over this time there
};

struct ZoneComparison {
    ZoneVerdict verdict;
    FoundPlace place;
    ZoneMoment moment;
};

// Looks the entry's place up in the place table (by name, near its coordinates) and compares
// its zone and summer time with the tz database at its clock time. A repeated clock time agrees
// with either reading.
void CompareEntryZone(const PersonEntry* entry, ZoneComparison* comparison);

// "row 3, Berlin 15.06.1947 12:00:00: table zone 1, summer time 0; tz database zone 1, summer
// time 2 (Europe/Berlin, CEMT)", for a comparison that disagrees or fell on a skipped time.
void FormatZoneDisagreement(int row, const PersonEntry* entry, const ZoneComparison* comparison,
                            char* text, int size);

// Exit codes of the table checker.
enum { kTableCheckClean = 0, kTableCheckProblems = 1, kTableCheckUnreadable = 2 };

// Checks every live row of the person table at `path` and prints one line per problem to
// `out` (fields that do not parse or lie outside their range, places not in the place table,
// zone or summer time against the tz database), then a summary line. The place table must be
// in use already (UsePlaceTable). Returns one of the exit codes; a table that cannot be read is
// reported on `out` as well.
int CheckPersonTable(const char* path, std::FILE* out);
