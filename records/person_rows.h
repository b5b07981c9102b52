#pragma once
// Person and event rows read with every field checked. A module that averages a group of
// events, or a checker that looks over a whole table, must know which rows hold a real moment
// and place: this reader takes a field only when its whole text parses and its value lies in
// range, and reports every other one by row, field and text.
//
// Needs nothing but an open table (toolkit/data/uxxbase.h); it prints nothing and shows no
// dialog, so a command-line program can use it as it is.

#include "records/persons.h"

struct uxXBase;

// Field positions in a person table (their names in the header are not used).
enum PersonField {
    kPersonName = 0,
    kPersonFirstName = 1,
    kPersonPlace = 2,
    kPersonLongitude = 3,   // "D.M": degrees, minutes
    kPersonLatitude = 4,    // "D.M"
    kPersonZone = 5,        // integer hours
    kPersonDate = 6,        // "D.M.Y"; in a dBase date field (type D) "YYYYMMDD"
    kPersonTime = 7,        // "H:M:S", "H:M" or "H"
    kPersonSummerTime = 8,  // integer hours
};
inline constexpr int kPersonFieldCount = 9;

// Ranges of a checked row. Zone and summer time take what the entry dialog lets a person type;
// a coordinate's value is degrees + minutes / 60, the way positions combine them.
inline constexpr int kRowYearMin = 1;
inline constexpr int kRowYearMax = 3000;
inline constexpr int kRowZoneLimit = 24;        // -24..24
inline constexpr int kRowSummerTimeLimit = 24;  // -24..24
inline constexpr int kRowMinuteLimit = 59;      // coordinate minutes -59..59
inline constexpr int kRowLongitudeLimit = 180;  // value -180..180
inline constexpr int kRowLatitudeLimit = 90;    // value -90..90

enum RowFault {
    kRowFieldUnreadable,  // the text is no value of the field's kind
    kRowFieldOutOfRange,  // a value, but outside its range (or no such calendar day)
    kRowFieldMissing,     // the table has fewer fields than a person table
    kRowMissing,          // the table has no such row
    kRowFieldNoWholeHours,  // an offset (given, or the tz database's) that is no whole hour
    kRowFieldAmbiguous,     // the tz database has no single offset for the clock time there
};

// One field that cannot be used.
struct RowProblem {
    int row;                // as a person counts rows: 1 is the first live row
    int field;              // a PersonField; -1 with kRowMissing
    const char* fieldName;  // "date", "time", "longitude", "latitude", "time zone",
                            // "summer time"; "row" with kRowMissing
    RowFault fault;
    char text[64];          // the field's text, trailing blanks removed, control bytes as '?'
};

inline constexpr int kMaxRowProblems = 6;  // one per checked field

struct RowCheck {
    int count;
    RowProblem problems[kMaxRowProblems];
};

// True when the table is open and has at least the nine fields of a person table.
bool IsPersonTable(const uxXBase* table);

// The date of a dBase date field ("YYYYMMDD"); false when the text is not eight digits.
bool ParseDbaseDate(const char* text, int* day, int* month, int* year);

// Reads live row `row` (0-based) of the open table into the entry. Texts (names, place) are
// taken as they are; date, time, coordinates, zone and summer time only when they parse and lie
// in range. A field that does not leaves the entry's value as it was and is listed in `check`
// (which is cleared first). True when the row exists and nothing was listed.
bool ReadCheckedPersonRow(uxXBase* table, int row, PersonEntry* entry, RowCheck* check);

// The same ranges for an entry that did not come from a table (typed into the entry dialog);
// `number` is the one the problems carry as their row, the texts are the values as numbers.
bool CheckPersonEntry(const PersonEntry* entry, int number, RowCheck* check);

// The stored field formats and ranges, also used for rows read from other files (CSV).
bool ParseDottedDate(const char* text, int* day, int* month, int* year);   // "D.M.Y"
bool ParseClockTime(const char* text, int* hour, int* minute, int* second); // "H[:M[:S]]"
bool ParseTableCoordinate(const char* text, int* degrees, int* minutes);   // "D.M"
bool ParseWholeHours(const char* text, int* hours);                        // "1", "1.00"
bool DateInRange(int day, int month, int year);
bool TimeInRange(int hour, int minute, int second);
bool CoordinateInRange(int degrees, int minutes, int limit);
// Adds a problem to the check (at most kMaxRowProblems are kept); `text` is cut to fit and
// control bytes become '?'.
void AddRowProblem(RowCheck* check, int row, int field, const char* fieldName, RowFault fault,
                   const char* text);

// One line for a person, e.g. row 3: the date "99.99.99999" does not parse.
void FormatRowProblem(const RowProblem* problem, char* text, int size);
