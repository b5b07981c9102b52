#pragma once
// The place table "orte.dbf": looked up by name when a birth place is typed, recreated from the
// shipped copy "orte_ori.dbf" when it cannot be opened. One table for the whole run, opened on
// first use.

// Opens the table on the first call (recreating it when needed); later calls do nothing.
void EnsurePlaceTable();
// Closes the table at program exit (safe when it was never opened); a later search opens it
// again.
void ClosePlaceTable();

// A place determined by name: its stored name, standard time zone in hours and coordinates as
// degrees and minutes (value = degrees + minutes / 60).
struct FoundPlace {
    char name[1000];
    int timeZone;
    int longitudeDegrees, longitudeMinutes;
    int latitudeDegrees, latitudeMinutes;
};

// Exact search, then prefix search; several matches go to the chooser. False (after the
// message "Der Ort konnte nicht gefunden werden." where the rules say so) when no single place
// was determined; `place` is then unchanged.
bool FindPlace(const char* text, FoundPlace* place);
// The chooser "Ort wählen" over `count` live row indexes; true when a row was confirmed.
bool ChoosePlace(int count, const int* candidates, FoundPlace* place);
