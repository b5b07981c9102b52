#pragma once
// Person and event tables (.dbf): one row read or written, the chooser "Choose data" and the
// entry dialog "Daten bearbeiten / eingeben".

#include "astro/astro_records.h"

struct uxXBase;
struct uxWidget;

// The working record of the chooser and the entry dialog.
struct PersonEntry {
    char name[1000];
    char firstName[1000];
    int day, month, year;
    int hour, minute, second;
    int summerTime;
    int timeZone;
    char place[1000];
    int longitudeDegrees, longitudeMinutes;
    int latitudeDegrees, latitudeMinutes;
};

// Fills the record with the built-in sample person.
void SamplePerson(PersonRecord* record);
// Copies an entry into a record (texts cut to the record's field sizes).
void PersonRecordFromEntry(const PersonEntry* entry, PersonRecord* record);

// The sample person, then the chooser over the table at `path`; true when a row was chosen
// (the record then holds it). A table that cannot be opened shows "error opening %s" and the
// sample stays; leaving the chooser cancels the module that asked (no message).
bool ChoosePerson(const char* path, PersonRecord* record);
// Leaving the chooser (Abbrechen, Escape, the close box) cancels the module (uxevent_cancel).
bool ChooseData(const char* path, PersonEntry* entry);
// True when confirmed with "&OK"; `isNew` starts from the widgets' own start values.
// "&Abbrechen" returns false; Escape or the close box also cancel the module.
bool PersonEntryDialog(PersonEntry* entry, bool isNew);

// Reads live row `row` into the entry and prints its summary line to the current text target.
// Fields that do not parse leave their values as they were.
void ReadPersonRow(uxXBase* table, PersonEntry* entry, int row);
// Prints the summary line of live row `row` as ReadPersonRow does, without reading it.
void PrintPersonRow(uxXBase* table, int row);
// Appends the entry as a new row and sorts the table by name; false (errno set) when the table
// could not be written.
bool WritePersonRow(uxXBase* table, const PersonEntry* entry);
void FillPersonList(uxXBase* table, uxWidget* list);
