#pragma once
// Zone and summer time of person and event rows against the tz database, and the checker of
// whole tables behind "verivire-tablecheck".

#include <cstdio>

#include "astro/time_zones.h"
#include "records/person_rows.h"
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
    double nearestKm;  // a row without a place name: the distance to the nearest place; else -1
};

// Looks the entry's place up in the place table (by name, near its coordinates; without a name,
// the nearest place) and compares
// its zone and summer time with the tz database at its clock time. A repeated clock time agrees
// with either reading.
void CompareEntryZone(const PersonEntry* entry, ZoneComparison* comparison);

// "row 3, Berlin 15.06.1947 12:00:00: table zone 1, summer time 0; tz database zone 1, summer
// time 2 (Europe/Berlin, CEMT)", for a comparison that disagrees or fell on a skipped time.
void FormatZoneDisagreement(int row, const PersonEntry* entry, const ZoneComparison* comparison,
                            char* text, int size);

// Why a row was not compared with the tz database.
enum UncheckedReason {
    kUncheckedFields,            // date, time, coordinates, zone or summer time unusable
    kUncheckedNotInPlaceTable,   // no place of that name in the place table
    kUncheckedPlaceFar,          // the name is there, but farther away than the lookup accepts
    kUncheckedNoZone,            // the place's zone is unknown to the tz database
    kUncheckedLocalMeanTime,     // the tz database has local mean time there and then
    kUncheckedNotWholeHours,     // the tz database's offset is no whole hour (+5:30)
    kUncheckedZoneFromDatabase,  // the row had no offset: zone and summer time came from the tz database
    kUncheckedReasonCount
};

// Rows not compared, counted per reason.
struct UncheckedCounts {
    int count[kUncheckedReasonCount];
};

// The reason a comparison (other than Agrees, Disagrees, SkippedTime) could not check the row,
// and a line saying so: "row 4, place \"ANGLET\": 'Anglet' is in the place table 58 km away",
// "row 5, Paris 01.01.1889 12:00:00: not checked, local mean time (tz database +0:09:21, LMT)".
UncheckedReason DescribeUncheckedRow(int row, const PersonEntry* entry,
                                     const ZoneComparison* comparison, char* text, int size);
// The reason for a row whose fields the row reader did not accept: local mean time or an offset
// of no whole hours when the tz database gave such a one, else unusable fields.
UncheckedReason ReasonOfRowProblems(const RowCheck* check);
// "rows not checked against the tz database: 3 (local mean time 2, fields unusable 1)", or
// "rows not checked against the tz database: 0".
void FormatUncheckedCounts(const UncheckedCounts* counts, char* text, int size);

// Exit codes of the table checker.
enum { kTableCheckClean = 0, kTableCheckProblems = 1, kTableCheckUnreadable = 2 };

// Checks every live row of the person table at `path` (.dbf or .csv) and prints one line per problem to
// `out` (fields that do not parse or lie outside their range, places not in the place table,
// zone or summer time against the tz database), one line per row it could not compare with the
// tz database and why, then a summary line and the count of such rows per reason. The place table must be
// in use already (UsePlaceTable). Returns one of the exit codes; a table that cannot be read is
// reported on `out` as well.
int CheckPersonTable(const char* path, std::FILE* out);
