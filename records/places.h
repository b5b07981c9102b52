#pragma once
// The place table "orte.dbf": looked up by name when a birth place is typed, recreated from the
// shipped copy "orte_ori.dbf" when it cannot be opened. One table for the whole run, opened on
// first use.

// Opens the table on the first call (recreating it when needed); later calls do nothing.
void EnsurePlaceTable();
// Closes the table at program exit (safe when it was never opened); a later search opens it
// again.
void ClosePlaceTable();

// Uses the table file at `path` (closing any table in use) without recreating anything: the
// table checker reads the working directory's table this way. False when it cannot be opened.
bool UsePlaceTable(const char* path);

// True when the table carries the zone field (tables of older versions do not).
bool PlaceTableHasZones();

// A place determined by name: its stored name, standard time zone in hours, coordinates as
// degrees and minutes (value = degrees + minutes / 60) and its IANA zone ("Europe/Berlin";
// empty when the table has no zone field, as tables of older versions).
struct FoundPlace {
    char name[1000];
    int timeZone;
    int longitudeDegrees, longitudeMinutes;
    int latitudeDegrees, latitudeMinutes;
    char zone[64];
};

// Exact search, then prefix search, both ignoring the case of Latin-1 letters ("M\xdcNCHEN"
// finds "M\xfcnchen"); several matches go to the chooser. False (after the message "Der Ort
// konnte nicht gefunden werden." where the rules say so) when no single place was determined;
// `place` is then unchanged.
bool FindPlace(const char* text, FoundPlace* place);
// Without any window: the row whose name equals `name` (letter case ignored) and that lies
// nearest to the given coordinates (decimal degrees), within one degree in both. False when the
// table holds no such row.
bool FindPlaceNear(const char* name, double longitude, double latitude, FoundPlace* place);
// The same row without the distance limit: the row of that name nearest to the coordinates, and
// its distance in km. A name with a city-district suffix ("PARIS 8E", "LYON 3E", "Marseille
// 12e", "PARIS 1ER") finds its city in both searches when the name itself is not in the table;
// so do names in capitals without accents and with the sources' abbreviations ("ST-ETIENNE",
// "STE-FOY", "BOULOGNE-S/MER"), and names of 15 letters or more cut by a source's field width
// ("ST-MAUR-DES-FOS" finds Saint-Maur-des-Foss\xe9s).
bool FindPlaceAnyDistance(const char* name, double longitude, double latitude, FoundPlace* place,
                          double* kilometres);
// The row of the table nearest to the coordinates, whatever its name, and its distance in km.
// False when the table is empty or cannot be opened.
bool NearestPlace(double longitude, double latitude, FoundPlace* place, double* kilometres);
// Great-circle distance in km between two points given in decimal degrees.
double PlaceDistanceKm(double longitude1, double latitude1, double longitude2, double latitude2);
// The chooser "Ort wählen" over `count` live row indexes; true when a row was confirmed.
bool ChoosePlace(int count, const int* candidates, FoundPlace* place);
