#pragma once
// A person or event table behind one call, whether it is an xBase table (.dbf, read and
// written) or a CSV file (.csv, only ever read): every module that opens such a table reads its
// rows through here, so both work wherever a table is chosen.

#include "records/person_rows.h"
#include "toolkit/data/uxxbase.h"

struct CsvTable;

struct PersonTable {
    uxXBase dbf;                // open when the table is a .dbf
    CsvTable* csv = nullptr;    // set when the table is a .csv
    char note[600] = "";        // what the last row read took from elsewhere, "" for nothing
};

enum class TableOpen {
    Opened,
    CannotOpen,       // no such file, or no xBase table
    NotPersonTable,   // an xBase table with fewer fields than a person table
    CsvUnusable,      // a CSV file that cannot be read or lacks a needed column (`why` says)
};

// The file dialogs' filter for person and event tables.
inline constexpr const char kPersonTableFilter[] = "open,filter=*.dbf;*.csv,defaultext=dbf";

// True when the path names a CSV file (".csv", any letter case).
bool IsCsvTablePath(const char* path);

// Opens the table at `path` (closing any table open in `table` first); `why` gets the reason for
// CsvUnusable.
TableOpen OpenPersonTable(PersonTable* table, const char* path, char* why, int size);
// Closes the table; false when a .dbf's header could not be written back.
bool ClosePersonTable(PersonTable* table);
bool PersonTableIsOpen(const PersonTable* table);
bool PersonTableIsCsv(const PersonTable* table);
int PersonTableRows(const PersonTable* table);

// Reads live row `row` (0-based) with every field checked, as ReadCheckedPersonRow does; the
// table's note is set when zone and summer time came from the tz database.
bool ReadPersonTableRow(PersonTable* table, int row, PersonEntry* entry, RowCheck* check);

// The IANA zone of the entry's place ("Europe/Paris"): the place table's row of that name near
// its coordinates, or for an entry without a place name the nearest place; "" when there is
// none. With ReadPersonTableRow, what a module needs to take a table's rows as events with zones.
void EntryPlaceZone(const PersonEntry* entry, char* zone, int size);

// One line about the file as a whole for the import report, "" when there is nothing to say:
// the letters Latin-1 lacks, written as '?', or that the file was read as Latin-1.
void PersonTableImportNote(const PersonTable* table, char* text, int size);

// Prints the summary line of live row `row` to the current text target: a .dbf's fields as
// they are stored, a CSV row's values as a .dbf would store them.
void PrintPersonTableRow(PersonTable* table, int row);
