#pragma once
// Person and event tables in CSV, as researchers' sources publish them: the columns are found by
// their header names, dates, times, offsets and coordinates are read in the sources' usual forms
// and converted into the values of a person table row. Each field is checked as the rows of a
// .dbf table are (row, column and text of a field that does not parse or lies out of range).
// The file is only read, never written.

#include <cstddef>
#include <string>
#include <vector>

#include "records/person_rows.h"

// What a column holds, found from its header name.
enum CsvRole {
    kCsvName,          // surname
    kCsvFirstName,
    kCsvFullName,      // one column with both, split at the first blank
    kCsvDateTime,      // ISO 8601 date-time, with or without a UTC offset
    kCsvDate,
    kCsvTime,
    kCsvOffsetEast,    // UTC offset, east positive ("+01:00", "1")
    kCsvOffsetWest,    // UTC offset, west positive (the historical sign)
    kCsvZone,          // standard zone in hours, east positive, as the tables have it
    kCsvSummerTime,    // summer time in hours
    kCsvPlace,
    kCsvLongitude,     // decimal degrees, or "13:59:00:E"
    kCsvLatitude,
    kCsvLongitudeDM,   // "13.59": degrees.minutes as the tables have them
    kCsvLatitudeDM,
    kCsvDay,           // the date in three columns (day, month, year)
    kCsvMonth,
    kCsvYear,
    kCsvHour,          // the clock time in up to three columns (hour; minute and second may be empty)
    kCsvMinute,
    kCsvSecond,
    kCsvRoleCount
};

struct CsvTable {
    std::vector<std::string> headers;                // Latin-1, as in the file
    int column[kCsvRoleCount];                       // column of each role, -1 when none
    std::vector<std::vector<std::string>> rows;      // Latin-1, without the header row
    bool utf8 = false;           // the file was UTF-8 (converted); else it was read as Latin-1
    long replacedLetters = 0;    // letters Latin-1 lacks, written as '?'
};

// Reads the CSV file: delimiter ',', ';' or tab (the one the header row uses most), quotes as
// RFC 4180. False with the reason in `why` when the file cannot be read, is no CSV, or lacks a
// column the rows need (date, time, longitude, latitude).
bool ReadCsvTable(const char* path, CsvTable* table, char* why, int size);
// The same for text in memory.
bool ParseCsvTable(const char* data, std::size_t length, CsvTable* table, char* why, int size);

// The header names each role is found by (lower case; blanks, '_', '-' and '.' left out when
// comparing), for the guide and the reports.
const char* const* CsvRoleSpellings(CsvRole role);

// Reads data row `row` (0-based) into the entry with every field checked; problems carry the
// column's header as their field name. Without a UTC offset, zone and summer time come from the
// tz database for the row's place (the place table's row of that name near the coordinates, or
// else its nearest place); `note` then says so ("" otherwise). True when nothing was listed.
bool ReadCsvPersonRow(const CsvTable* table, int row, PersonEntry* entry, RowCheck* check,
                      char* note, int noteSize);

// Coordinates in decimal degrees as the tables keep them: whole degrees rounded down and minutes
// with degrees + minutes / 60 the value to the nearest minute (-0.56667 is -1 and 26). Values
// beyond +-360 are no coordinates and give 0 degrees 0 minutes.
void TableCoordinate(double value, int* degrees, int* minutes);
