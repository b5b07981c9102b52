// Person and event tables: one row read or written, the list rows of the chooser, the chooser
// "Choose data" itself and the hand-over to the modules as a PersonRecord.

#include "records/persons.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "records/chooser_window.h"
#include "records/csv_chooser.h"
#include "records/person_rows.h"
#include "records/person_table.h"
#include "shell/dialogs.h"
#include "shell/output.h"
#include "toolkit/widgets/uxbutton.h"
#include "toolkit/core/uxevent.h"
#include "toolkit/widgets/uxlistbox.h"
#include "toolkit/core/uxwindow.h"
#include "toolkit/data/uxxbase.h"

// Field positions in a person table.
enum {
    kName = 0, kFirstName = 1, kPlace = 2, kLongitude = 3, kLatitude = 4, kZone = 5, kDate = 6,
    kTime = 7, kSummerTime = 8
};

// The row last confirmed in the chooser, preselected the next time it opens.
static int gRememberedRow = -1;

// Copies a text cut to the target's size.
static void copy_text(char* target, size_t size, const char* source) {
    size_t n = strnlen(source, size - 1);
    std::memcpy(target, source, n);
    target[n] = 0;
}

void SamplePerson(PersonRecord* record) {
    *record = PersonRecord{};
    copy_text(record->name, sizeof record->name, "Mustermann");
    copy_text(record->firstName, sizeof record->firstName, "Erika");
    copy_text(record->place, sizeof record->place, "Frankfurt am Main");
    record->day = 12;
    record->month = 8;
    record->year = 1964;
    record->hour = 14;
    record->minute = 30;
    record->second = 0;
    record->summerTime = 0;
    record->timeZone = 1;
    record->longitudeDegrees = 8;
    record->longitudeMinutes = 41;
    record->latitudeDegrees = 50;
    record->latitudeMinutes = 7;
}

void PersonRecordFromEntry(const PersonEntry* entry, PersonRecord* record) {
    copy_text(record->name, sizeof record->name, entry->name);
    copy_text(record->firstName, sizeof record->firstName, entry->firstName);
    copy_text(record->place, sizeof record->place, entry->place);
    record->summerTime = entry->summerTime;
    record->timeZone = entry->timeZone;
    record->hour = entry->hour;
    record->minute = entry->minute;
    record->second = entry->second;
    record->year = entry->year;
    record->month = entry->month;
    record->day = entry->day;
    record->longitudeDegrees = entry->longitudeDegrees;
    record->longitudeMinutes = entry->longitudeMinutes;
    record->latitudeDegrees = entry->latitudeDegrees;
    record->latitudeMinutes = entry->latitudeMinutes;
}

// The integer value of a field; unchanged when the text holds no number.
static void read_integer(const char* text, int* value) {
    char* end = nullptr;
    long v = std::strtol(text, &end, 10);
    if (end != text) *value = static_cast<int>(v);
}

// Reads up to three integers with the pattern; each value that parsed is taken.
static void read_numbers(const char* text, const char* pattern, int* a, int* b, int* c) {
    int values[3] = {*a, *b, c ? *c : 0};
    int n = std::sscanf(text, pattern, &values[0], &values[1], &values[2]);
    if (n >= 1) *a = values[0];
    if (n >= 2) *b = values[1];
    if (n >= 3 && c) *c = values[2];
}

void ReadPersonRow(uxXBase* table, PersonEntry* entry, int row) {
    if (row < 0 || row >= uxxbase_count(table)) return;
    char field[1000];
    uxxbase_read_field(table, row, kName, entry->name, sizeof entry->name);
    uxxbase_read_field(table, row, kFirstName, entry->firstName, sizeof entry->firstName);
    uxxbase_read_field(table, row, kDate, field, sizeof field);
    if (uxxbase_field_type(table, kDate) == 'D')
        ParseDbaseDate(field, &entry->day, &entry->month, &entry->year);
    else
        read_numbers(field, "%d.%d.%d", &entry->day, &entry->month, &entry->year);
    uxxbase_read_field(table, row, kTime, field, sizeof field);
    read_numbers(field, "%d:%d:%d", &entry->hour, &entry->minute, &entry->second);
    uxxbase_read_field(table, row, kSummerTime, field, sizeof field);
    read_integer(field, &entry->summerTime);
    uxxbase_read_field(table, row, kZone, field, sizeof field);
    read_integer(field, &entry->timeZone);
    uxxbase_read_field(table, row, kPlace, entry->place, sizeof entry->place);
    uxxbase_read_field(table, row, kLongitude, field, sizeof field);
    read_numbers(field, "%d.%d", &entry->longitudeDegrees, &entry->longitudeMinutes, nullptr);
    uxxbase_read_field(table, row, kLatitude, field, sizeof field);
    read_numbers(field, "%d.%d", &entry->latitudeDegrees, &entry->latitudeMinutes, nullptr);
    PrintPersonRow(table, row);
}

void PrintPersonRow(uxXBase* table, int row) {
    if (row < 0 || row >= uxxbase_count(table)) return;
    char field[1000];
    uxxbase_read_field(table, row, kName, field, sizeof field);
    Print("\n%-10.10s ", field);
    uxxbase_read_field(table, row, kFirstName, field, sizeof field);
    Print("%-10.10s ", field);
    uxxbase_read_field(table, row, kDate, field, sizeof field);
    Print("%10s ", field);
    uxxbase_read_field(table, row, kTime, field, sizeof field);
    Print("%12s ", field);
    uxxbase_read_field(table, row, kSummerTime, field, sizeof field);
    Print("%3s ", field);
    uxxbase_read_field(table, row, kZone, field, sizeof field);
    Print("%3s ", field);
    uxxbase_read_field(table, row, kPlace, field, sizeof field);
    Print("%-10.10s ", field);
    uxxbase_read_field(table, row, kLongitude, field, sizeof field);
    Print("%6s ", field);
    uxxbase_read_field(table, row, kLatitude, field, sizeof field);
    Print("%6s", field);
}

// Appends the entry as one record written in a single piece, so that a failed write leaves no
// half-filled row. The live index of the new row, or -1 (errno set).
static int append_person_row(uxXBase* table, const PersonEntry* entry) {
    char fields[9][1000];
    std::snprintf(fields[kName], sizeof fields[kName], "%s", entry->name);
    std::snprintf(fields[kFirstName], sizeof fields[kFirstName], "%s", entry->firstName);
    std::snprintf(fields[kPlace], sizeof fields[kPlace], "%s", entry->place);
    std::snprintf(fields[kLongitude], sizeof fields[kLongitude], "%3d.%02d",
                  entry->longitudeDegrees, entry->longitudeMinutes);
    std::snprintf(fields[kLatitude], sizeof fields[kLatitude], "%3d.%02d",
                  entry->latitudeDegrees, entry->latitudeMinutes);
    std::snprintf(fields[kZone], sizeof fields[kZone], "%2d", entry->timeZone);
    // A dBase date field holds "YYYYMMDD"; the tables the program ships hold "D.M.Y" text.
    if (uxxbase_field_type(table, kDate) == 'D')
        std::snprintf(fields[kDate], sizeof fields[kDate], "%04d%02d%02d", entry->year,
                      entry->month, entry->day);
    else
        std::snprintf(fields[kDate], sizeof fields[kDate], "%2d.%2d.%4d", entry->day,
                      entry->month, entry->year);
    std::snprintf(fields[kTime], sizeof fields[kTime], "%2d:%02d:%02d", entry->hour,
                  entry->minute, entry->second);
    std::snprintf(fields[kSummerTime], sizeof fields[kSummerTime], "%2d", entry->summerTime);
    const char* texts[9];
    for (int i = 0; i < 9; ++i) texts[i] = fields[i];
    return uxxbase_append_record(table, texts, 9);
}

bool WritePersonRow(uxXBase* table, const PersonEntry* entry) {
    return append_person_row(table, entry) >= 0 && uxxbase_sort(table, kName);
}

// Replaces live row `row` by the entry. The new row is written before the old one is deleted,
// so that a failure never loses the row; the new row may have taken a deleted slot before the
// old one, which moves the old one down by one.
static bool replace_person_row(uxXBase* table, int row, const PersonEntry* entry) {
    int added = append_person_row(table, entry);
    if (added < 0) return false;
    int old = added <= row ? row + 1 : row;
    return uxxbase_delete(table, old) && uxxbase_sort(table, kName);
}

// An edit that could not be written: named with the reason. The table keeps what was written.
static void report_unwritten(const char* path) {
    const char* slash = std::strrchr(path, '/');
    const char* name = slash ? slash + 1 : path;
    if (errno) ShowMessage("The table %s could not be written (%s).", name, std::strerror(errno));
    else ShowMessage("The table %s could not be written.", name);
}

void FillPersonList(uxXBase* table, uxWidget* list) {
    if (!list || list->role != UXROLE_LISTBOX || !list->self) return;
    uxListBox* box = static_cast<uxListBox*>(list->self);
    uxlistbox_clear(box);
    int count = uxxbase_count(table);
    for (int row = 0; row < count; ++row) {
        char name[1000], first[1000], date[1000], time[1000], place[1000];
        uxxbase_read_field(table, row, kName, name, sizeof name);
        uxxbase_read_field(table, row, kFirstName, first, sizeof first);
        uxxbase_read_field(table, row, kDate, date, sizeof date);
        uxxbase_read_field(table, row, kTime, time, sizeof time);
        uxxbase_read_field(table, row, kPlace, place, sizeof place);
        AddChooserLine(box, first, name, date, time, place);
    }
}

// After a change the table is sorted anew: the list starts again at row 0.
static void refill(uxXBase* table, uxListBox* list) {
    FillPersonList(table, &list->base);
    uxlistbox_select(list, 0);
    uxwidget_focus(&list->base);
}

bool ChooseData(const char* path, PersonEntry* entry) {
    if (IsCsvTablePath(path)) return ChooseCsvData(path, entry);
    uxXBase table;
    if (!uxxbase_open(&table, path)) return false;
    ChooserWindow w;
    OpenChooserWindow(&w);
    FillPersonList(&table, &w.list.base);
    uxwidget_focus(&w.list.base);
    if (gRememberedRow >= 0 && gRememberedRow < uxlistbox_count(&w.list))
        uxlistbox_select(&w.list, gRememberedRow);

    bool chosen = false;
    for (;;) {
        ChooserAction action = WaitInChooser(&w);
        if (action == ChooserAction::Leave) break;
        int row = uxlistbox_selected(&w.list);
        bool selected = row >= 0 && row < uxxbase_count(&table);
        if (action == ChooserAction::Choose) {
            if (!selected) continue;
            ReadPersonRow(&table, entry, row);
            gRememberedRow = row;
            chosen = true;
            break;
        }
        if (action == ChooserAction::Edit) {
            if (!selected) continue;
            ReadPersonRow(&table, entry, row);
            if (PersonEntryDialog(entry, false)) {
                errno = 0;
                if (!replace_person_row(&table, row, entry)) report_unwritten(path);
                refill(&table, &w.list);
            }
            uxwidget_focus(&w.list.base);
        } else if (action == ChooserAction::Add) {
            if (PersonEntryDialog(entry, true)) {
                errno = 0;
                if (!WritePersonRow(&table, entry)) report_unwritten(path);
                refill(&table, &w.list);
            }
        } else if (action == ChooserAction::Remove) {
            if (!selected) continue;
            errno = 0;
            if (!uxxbase_delete(&table, row)) report_unwritten(path);
            refill(&table, &w.list);
        }
    }
    errno = 0;
    if (!uxxbase_close(&table)) report_unwritten(path);
    CloseChooserWindow(&w);
    return chosen;
}

bool ChoosePerson(const char* path, PersonRecord* record) {
    SamplePerson(record);
    PersonEntry entry = {};
    if (!ChooseData(path, &entry)) {
        if (!uxevent_cancelled()) ShowMessage("error opening %s", path);
        return false;
    }
    PersonRecordFromEntry(&entry, record);
    return true;
}
