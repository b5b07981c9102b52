// Person and event tables in either format: .dbf through the xBase reader and the checked row
// reader, .csv through the CSV reader.

#include "records/person_table.h"

#include <cstdio>
#include <cstring>
#include <strings.h>

#include "records/csv_table.h"
#include "records/persons.h"
#include "records/places.h"
#include "shell/output.h"

bool IsCsvTablePath(const char* path) {
    size_t n = path ? std::strlen(path) : 0;
    return n >= 4 && strcasecmp(path + n - 4, ".csv") == 0;
}

static void close_csv(PersonTable* t) {
    delete t->csv;
    t->csv = nullptr;
}

TableOpen OpenPersonTable(PersonTable* t, const char* path, char* why, int size) {
    ClosePersonTable(t);
    if (why && size > 0) why[0] = 0;
    if (IsCsvTablePath(path)) {
        t->csv = new CsvTable;
        if (ReadCsvTable(path, t->csv, why, size)) return TableOpen::Opened;
        close_csv(t);
        return TableOpen::CsvUnusable;
    }
    if (!uxxbase_open(&t->dbf, path)) return TableOpen::CannotOpen;
    if (!IsPersonTable(&t->dbf)) return TableOpen::NotPersonTable;
    return TableOpen::Opened;
}

bool ClosePersonTable(PersonTable* t) {
    t->note[0] = 0;
    close_csv(t);
    return uxxbase_close(&t->dbf);
}

bool PersonTableIsOpen(const PersonTable* t) { return t->csv || t->dbf.is_open; }

bool PersonTableIsCsv(const PersonTable* t) { return t->csv != nullptr; }

int PersonTableRows(const PersonTable* t) {
    if (t->csv) return static_cast<int>(t->csv->rows.size());
    return uxxbase_count(&t->dbf);
}

bool ReadPersonTableRow(PersonTable* t, int row, PersonEntry* entry, RowCheck* check) {
    t->note[0] = 0;
    if (t->csv) return ReadCsvPersonRow(t->csv, row, entry, check, t->note, sizeof t->note);
    return ReadCheckedPersonRow(&t->dbf, row, entry, check);
}

void EntryPlaceZone(const PersonEntry* entry, char* zone, int size) {
    if (size <= 0) return;
    zone[0] = 0;
    double lon = entry->longitudeDegrees + entry->longitudeMinutes / 60.0;
    double lat = entry->latitudeDegrees + entry->latitudeMinutes / 60.0;
    bool named = false;
    for (const char* c = entry->place; *c; ++c)
        if (*c != ' ') named = true;
    FoundPlace place{};
    double km = 0;
    bool found = named ? FindPlaceNear(entry->place, lon, lat, &place)
                       : NearestPlace(lon, lat, &place, &km);
    if (found) std::snprintf(zone, static_cast<size_t>(size), "%s", place.zone);
}

void PersonTableImportNote(const PersonTable* t, char* text, int size) {
    if (size <= 0) return;
    text[0] = 0;
    if (!t->csv) return;
    if (!t->csv->utf8)
        std::snprintf(text, static_cast<size_t>(size), "the file is no UTF-8: read as Latin-1");
    else if (t->csv->replacedLetters > 0)
        std::snprintf(text, static_cast<size_t>(size), "%ld %s that Latin-1 lacks %s written as '?'",
                      t->csv->replacedLetters, t->csv->replacedLetters == 1 ? "letter" : "letters",
                      t->csv->replacedLetters == 1 ? "is" : "are");
}

void PrintPersonTableRow(PersonTable* t, int row) {
    if (!t->csv) {
        PrintPersonRow(&t->dbf, row);
        return;
    }
    PersonEntry e{};
    RowCheck check;
    if (row < 0 || row >= PersonTableRows(t)) return;
    ReadCsvPersonRow(t->csv, row, &e, &check, nullptr, 0);
    char date[40], time[40], lon[24], lat[24];
    std::snprintf(date, sizeof date, "%2d.%2d.%4d", e.day, e.month, e.year);
    std::snprintf(time, sizeof time, "%2d:%02d:%02d", e.hour, e.minute, e.second);
    std::snprintf(lon, sizeof lon, "%3d.%02d", e.longitudeDegrees, e.longitudeMinutes);
    std::snprintf(lat, sizeof lat, "%3d.%02d", e.latitudeDegrees, e.latitudeMinutes);
    Print("\n%-10.10s %-10.10s %10s %12s %3d %3d %-10.10s %6s %6s", e.name, e.firstName, date, time,
          e.summerTime, e.timeZone, e.place, lon, lat);
}
