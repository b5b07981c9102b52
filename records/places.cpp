// The place table "orte.dbf" and its chooser "Ort wählen". The table is opened once per run on
// first use; a missing or unreadable table is recreated from the shipped copy "orte_ori.dbf".

#include "records/places.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/stat.h>
#include <utility>
#include <vector>

#include "shell/dialogs.h"
#include "toolkit/widgets/uxbutton.h"
#include "toolkit/core/uxevent.h"
#include "toolkit/widgets/uxlistbox.h"
#include "toolkit/text/uxtextdisplay.h"
#include "toolkit/core/uxwindow.h"
#include "toolkit/data/uxxbase.h"

static const char* const kPlaceTableFile = "orte.dbf";
static const char* const kPristinePlaceTableFile = "orte_ori.dbf";
static const char* const kPlaceNotFound = "Der Ort konnte nicht gefunden werden.";
static const int kSearchCapacity = 20;

// Field positions in the place table.
enum {
    kPlaceName = 0, kPlaceRegion = 1, kPlaceZone = 2, kPlaceLongitude = 3, kPlaceLatitude = 4,
    kPlaceZoneName = 5
};
// How far (degrees of longitude and of latitude) a row may lie from the coordinates given to
// FindPlaceNear and still count as the same place.
static const double kSamePlaceDegrees = 1.0;
// A name this long may have been cut by its source's field width.
static const size_t kCutNameLength = 15;

static uxXBase gPlaceTable;
static bool gPlaceTableTried = false;  // set after the first attempt, whatever its outcome
// The names of the table in lower case with their live rows, sorted: built on the first quiet
// lookup, so that checking thousands of event rows does not read the whole table each time.
static std::vector<std::pair<std::string, int>> gNameIndex;
static bool gNameIndexBuilt = false;
// The same names without accents ("saint-etienne" for "Saint-\xc9tienne"), for names as sources
// write them in capitals without accents and with abbreviations.
static std::vector<std::pair<std::string, int>> gPlainIndex;
// Longitude and latitude of every live row in decimal degrees, read on the first search for the
// nearest place.
static std::vector<std::pair<double, double>> gPositions;

static bool is_directory(const char* path) {
    struct stat info;
    return stat(path, &info) == 0 && S_ISDIR(info.st_mode);
}

// Byte-by-byte copy. A target naming a directory receives the file under the source's own
// name. A copy that fails half-way is removed, so that no truncated table is left behind for
// the next run.
static bool copy_file(const char* source, const char* target) {
    char path[4096];
    if (is_directory(target)) {
        const char* base = std::strrchr(source, '/');
        std::snprintf(path, sizeof path, "%s/%s", target, base ? base + 1 : source);
    } else {
        std::snprintf(path, sizeof path, "%s", target);
    }
    FILE* in = std::fopen(source, "rb");
    if (!in) return false;
    FILE* out = std::fopen(path, "wb");
    if (!out) {
        std::fclose(in);
        return false;
    }
    char buffer[65536];
    bool ok = true;
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, in)) > 0)
        if (std::fwrite(buffer, 1, n, out) != n) {
            ok = false;
            break;
        }
    if (std::ferror(in)) ok = false;
    std::fclose(in);
    if (std::fclose(out) != 0) ok = false;
    if (!ok) std::remove(path);
    return ok;
}

// The info window: modal, shown at once, does not wait for input. The caller destroys it.
struct InfoWindow {
    uxWindow window;
    uxSimpleTextDisplay* text = nullptr;
};

static void open_info_window(InfoWindow* info, const char* message) {
    uxwindow_create(&info->window, "info,x=50%,y=50%,xs=200,ys=100,NoSysMenu,noquit,modal");
    info->text = uxsimpletext_new("x=50%,y=35%,xs=80%,ys=60%");
    uxsimpletext_set(info->text, "%s", message);
    uxevent_process_messages();  // painted before the copy keeps the program busy
}

static void close_info_window(InfoWindow* info) {
    uxsimpletext_delete(info->text);
    info->text = nullptr;
    uxwindow_destroy(&info->window);
}

void EnsurePlaceTable() {
    if (gPlaceTableTried) return;
    gPlaceTableTried = true;
    if (uxxbase_open(&gPlaceTable, kPlaceTableFile)) return;
    InfoWindow info;
    open_info_window(&info, "Erstelle Ortsdatenbank...");
    if (copy_file(kPristinePlaceTableFile, kPlaceTableFile)) uxxbase_open(&gPlaceTable, kPlaceTableFile);
    close_info_window(&info);
}

// Also lets the next search open the table afresh (tests change the working directory).
static void forget_name_index() {
    gNameIndex.clear();
    gPlainIndex.clear();
    gNameIndexBuilt = false;
    gPositions.clear();
}

void ClosePlaceTable() {
    uxxbase_close(&gPlaceTable);
    gPlaceTableTried = false;
    forget_name_index();
}

bool UsePlaceTable(const char* path) {
    uxxbase_close(&gPlaceTable);
    forget_name_index();
    gPlaceTableTried = true;
    return uxxbase_open(&gPlaceTable, path);
}

bool PlaceTableHasZones() {
    EnsurePlaceTable();
    return uxxbase_field_count(&gPlaceTable) > kPlaceZoneName;
}

// Latin-1 lower case: A-Z and the accented capitals 0xC0-0xDE (without 0xD7, the
// multiplication sign).
static unsigned char folded(unsigned char c) {
    if (c >= 'A' && c <= 'Z') return static_cast<unsigned char>(c + 32);
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<unsigned char>(c + 32);
    return c;
}

// True when `value` equals `text` (or, with `prefix`, begins with it), letter case ignored.
static bool name_matches(const char* value, const char* text, bool prefix) {
    const unsigned char* v = reinterpret_cast<const unsigned char*>(value);
    const unsigned char* t = reinterpret_cast<const unsigned char*>(text);
    for (; *t; ++v, ++t)
        if (!*v || folded(*v) != folded(*t)) return false;
    return prefix || !*v;
}

static std::string folded_text(const char* text) {
    std::string out;
    for (const unsigned char* c = reinterpret_cast<const unsigned char*>(text); *c; ++c)
        out.push_back(static_cast<char>(folded(*c)));
    return out;
}

// A folded (lower-case) name without the accents of its Latin-1 letters.
static std::string plain_text(const std::string& folded) {
    static const char kPlain[] = "aaaaaaaceeeeiiiidnooooo/ouuuuyty";  // 0xE0 to 0xFF
    std::string out = folded;
    for (char& c : out) {
        unsigned char u = static_cast<unsigned char>(c);
        if (u >= 0xE0) c = kPlain[u - 0xE0];
    }
    return out;
}

static void replace_all(std::string* text, const char* from, const char* to) {
    size_t at = 0, length = std::strlen(from), toLength = std::strlen(to);
    while ((at = text->find(from, at)) != std::string::npos) {
        text->replace(at, length, to);
        at += toLength;
    }
}

// A folded name as sources abbreviate it written out: "st-maurice" and "st maurice" are
// "saint-maurice", "ste-foy" is "sainte-foy", "boulogne-s/mer", "vitry-s-seine" and
// "neuilly s-seine" are "...-sur-...". Empty when there is nothing to write out.
static std::string written_out(const std::string& key) {
    std::string out = " " + key;
    for (const char* s : {" s/", "-s/", " s-", "-s-"}) replace_all(&out, s, "-sur-");
    for (const char* s : {" ste-", " ste ", "-ste-"}) replace_all(&out, s, s[0] == ' ' ? " sainte-" : "-sainte-");
    for (const char* s : {" st-", " st ", "-st-"}) replace_all(&out, s, s[0] == ' ' ? " saint-" : "-saint-");
    out.erase(0, 1);
    return out == key ? "" : out;
}

static void build_name_index() {
    if (gNameIndexBuilt) return;
    gNameIndexBuilt = true;
    char name[1000];
    int rows = uxxbase_count(&gPlaceTable);
    gNameIndex.reserve(rows);
    for (int row = 0; row < rows; ++row)
        if (uxxbase_read_field(&gPlaceTable, row, kPlaceName, name, sizeof name))
            gNameIndex.emplace_back(folded_text(name), row);
    std::sort(gNameIndex.begin(), gNameIndex.end());
    gPlainIndex.reserve(gNameIndex.size());
    for (const auto& entry : gNameIndex) gPlainIndex.emplace_back(plain_text(entry.first), entry.second);
    std::sort(gPlainIndex.begin(), gPlainIndex.end());
}

// Number of live rows whose name matches; the first capacity - 1 are stored.
static int find_rows(const char* text, bool prefix, int* matches, int capacity) {
    char name[1000];
    int n = 0;
    int rows = uxxbase_count(&gPlaceTable);
    for (int row = 0; row < rows; ++row) {
        if (!uxxbase_read_field(&gPlaceTable, row, kPlaceName, name, sizeof name)) continue;
        if (!name_matches(name, text, prefix)) continue;
        if (n < capacity - 1) matches[n] = row;
        ++n;
    }
    return n;
}

// Integer value of a text field; the field's text when it does not start with a number.
static int integer_value(const char* text, int fallback) {
    char* end = nullptr;
    long value = std::strtol(text, &end, 10);
    return end == text ? fallback : static_cast<int>(value);
}

// "degrees:minutes"; parts that do not parse read 0.
static void read_coordinate(const char* text, int* degrees, int* minutes) {
    int d = 0, m = 0;
    std::sscanf(text, "%d:%d", &d, &m);
    *degrees = d;
    *minutes = m;
}

static void take_candidate(int row, FoundPlace* place) {
    char field[1000];
    uxxbase_read_field(&gPlaceTable, row, kPlaceName, place->name, sizeof place->name);
    uxxbase_read_field(&gPlaceTable, row, kPlaceZone, field, sizeof field);
    place->timeZone = integer_value(field, 0);
    uxxbase_read_field(&gPlaceTable, row, kPlaceLongitude, field, sizeof field);
    read_coordinate(field, &place->longitudeDegrees, &place->longitudeMinutes);
    uxxbase_read_field(&gPlaceTable, row, kPlaceLatitude, field, sizeof field);
    read_coordinate(field, &place->latitudeDegrees, &place->latitudeMinutes);
    uxxbase_read_field(&gPlaceTable, row, kPlaceZoneName, place->zone, sizeof place->zone);
}

// The search stores at most capacity - 1 candidates, so only those can be offered.
static int stored(int matches) {
    return matches < kSearchCapacity - 1 ? matches : kSearchCapacity - 1;
}

bool FindPlace(const char* text, FoundPlace* place) {
    EnsurePlaceTable();
    if (!text) text = "";
    int candidates[kSearchCapacity];
    int n = find_rows(text, false, candidates, kSearchCapacity);
    if (n == 0) n = find_rows(text, true, candidates, kSearchCapacity);
    if (n == 0 || n > kSearchCapacity) {
        ShowMessage("%s", kPlaceNotFound);
        return false;
    }
    if (n == 1) {
        take_candidate(candidates[0], place);
        return true;
    }
    return ChoosePlace(stored(n), candidates, place);
}

double PlaceDistanceKm(double longitude1, double latitude1, double longitude2, double latitude2) {
    const double radians = M_PI / 180.0, earthRadiusKm = 6371.0;
    double p1 = latitude1 * radians, p2 = latitude2 * radians;
    double dp = p2 - p1, dl = (longitude2 - longitude1) * radians;
    double a = std::sin(dp / 2) * std::sin(dp / 2) +
               std::cos(p1) * std::cos(p2) * std::sin(dl / 2) * std::sin(dl / 2);
    return 2 * earthRadiusKm * std::asin(std::sqrt(std::min(1.0, a)));
}

// Decimal degrees of a place-table row.
static void row_position(int row, double* longitude, double* latitude) {
    char text[1000];
    int d, m;
    uxxbase_read_field(&gPlaceTable, row, kPlaceLongitude, text, sizeof text);
    read_coordinate(text, &d, &m);
    *longitude = d + m / 60.0;
    uxxbase_read_field(&gPlaceTable, row, kPlaceLatitude, text, sizeof text);
    read_coordinate(text, &d, &m);
    *latitude = d + m / 60.0;
}

// The name without a trailing city-district word ("8E", "12E", "1ER", "3EME"): empty when the
// name has none.
static std::string without_district(const std::string& key) {
    size_t blank = key.find_last_of(' ');
    if (blank == std::string::npos || blank == 0) return "";
    std::string word = key.substr(blank + 1);
    size_t digits = 0;
    while (digits < word.size() && word[digits] >= '0' && word[digits] <= '9') ++digits;
    if (digits == 0 || digits > 2) return "";
    std::string suffix = word.substr(digits);
    if (suffix != "e" && suffix != "er" && suffix != "eme" && suffix != "\xe8me") return "";
    size_t end = blank;
    while (end > 0 && key[end - 1] == ' ') --end;
    return key.substr(0, end);
}

// The row of that folded name nearest to the point (within the limit in both coordinates when
// `limited`), or -1; its distance in km.
static int nearest_named_row(const std::string& key, double longitude, double latitude,
                             bool limited, double* kilometres,
                             const std::vector<std::pair<std::string, int>>& index = gNameIndex,
                             bool prefix = false) {
    auto first = std::lower_bound(index.begin(), index.end(), std::make_pair(key, -1));
    int best = -1;
    double bestDistance = 0;
    for (auto it = first; it != index.end() && (prefix ? it->first.compare(0, key.size(), key) == 0
                                                       : it->first == key);
         ++it) {
        int row = it->second;
        double lon, lat;
        row_position(row, &lon, &lat);
        double dLon = std::fabs(lon - longitude), dLat = std::fabs(lat - latitude);
        if (limited && (dLon > kSamePlaceDegrees || dLat > kSamePlaceDegrees)) continue;
        // Within the limit the nearest by degrees, as the lookup always chose.
        double distance = limited ? dLon + dLat : PlaceDistanceKm(longitude, latitude, lon, lat);
        if (best < 0 || distance < bestDistance) {
            best = row;
            bestDistance = distance;
        }
    }
    if (best >= 0) {
        double lon, lat;
        row_position(best, &lon, &lat);
        *kilometres = PlaceDistanceKm(longitude, latitude, lon, lat);
    }
    return best;
}

static int find_named_row(const char* name, double longitude, double latitude, bool limited,
                          double* kilometres) {
    EnsurePlaceTable();
    if (!name || !name[0]) return -1;
    build_name_index();
    std::string key = folded_text(name);
    int row = nearest_named_row(key, longitude, latitude, limited, kilometres);
    if (row >= 0) return row;
    std::string city = without_district(key);
    if (!city.empty()) row = nearest_named_row(city, longitude, latitude, limited, kilometres);
    if (row >= 0) return row;
    // Capitals without accents, abbreviations: "ST-ETIENNE" finds Saint-\xc9tienne.
    std::string written = written_out(key);
    std::string plain = plain_text(written.empty() ? key : written);
    row = nearest_named_row(plain, longitude, latitude, limited, kilometres, gPlainIndex);
    // Sources cut names to their field width (Gauquelin's 15 letters: "ST-MAUR-DES-FOS"): a name
    // that long also finds a longer one it begins.
    if (row < 0 && key.size() >= kCutNameLength)
        row = nearest_named_row(plain, longitude, latitude, limited, kilometres, gPlainIndex, true);
    return row;
}

bool FindPlaceNear(const char* name, double longitude, double latitude, FoundPlace* place) {
    double kilometres;
    int row = find_named_row(name, longitude, latitude, true, &kilometres);
    if (row < 0) return false;
    take_candidate(row, place);
    return true;
}

bool FindPlaceAnyDistance(const char* name, double longitude, double latitude, FoundPlace* place,
                          double* kilometres) {
    int row = find_named_row(name, longitude, latitude, false, kilometres);
    if (row < 0) return false;
    take_candidate(row, place);
    return true;
}

bool NearestPlace(double longitude, double latitude, FoundPlace* place, double* kilometres) {
    EnsurePlaceTable();
    if (gPositions.empty()) {
        int rows = uxxbase_count(&gPlaceTable);
        gPositions.resize(static_cast<size_t>(rows));
        for (int row = 0; row < rows; ++row)
            row_position(row, &gPositions[row].first, &gPositions[row].second);
    }
    int best = -1;
    double bestDistance = 0;
    for (int row = 0; row < static_cast<int>(gPositions.size()); ++row) {
        double lon = gPositions[row].first, lat = gPositions[row].second;
        double distance = PlaceDistanceKm(longitude, latitude, lon, lat);
        if (best < 0 || distance < bestDistance) {
            best = row;
            bestDistance = distance;
        }
    }
    if (best < 0) return false;
    take_candidate(best, place);
    *kilometres = bestDistance;
    return true;
}

bool ChoosePlace(int count, const int* candidates, FoundPlace* place) {
    uxWindow win;
    uxwindow_create(&win, "Ort w\xe4hlen,x=50%,y=50%,xs=650,ys=300,modal,nosysmenu,noquit");
    uxBar bar;
    uxbar_create(&bar, "x=50%,y=90%,xs=100%");
    uxListBox list;
    uxlistbox_create(&list, "x=50%,y=45%,xs=90%,ys=70%,font=6x13");
    uxButton ok, cancel;
    uxbutton_create(&ok, "OK,x=25%,y=95%,xs=20%,default");
    uxbutton_create(&cancel, "Abbrechen,x=75%,y=95%,xs=20%");

    char fields[5][1000];
    for (int i = 0; i < count; ++i) {
        for (int f = 0; f < 5; ++f)
            uxxbase_read_field(&gPlaceTable, candidates[i], f, fields[f], sizeof fields[f]);
        uxlistbox_add(&list, "%-30s %-30s %5s %10s %10s", fields[kPlaceName], fields[kPlaceRegion],
                      fields[kPlaceZone], fields[kPlaceLongitude], fields[kPlaceLatitude]);
    }
    uxlistbox_select(&list, 0);
    uxwidget_focus(&list.base);

    bool chosen = false;
    for (;;) {
        int id = uxWaitForEvents(4, uxbutton_id(&ok), uxbutton_id(&cancel), list.base.id,
                                 uxwindow_close_id(&win));
        if (id == 0 || id == uxbutton_id(&cancel) || id == uxwindow_close_id(&win)) break;
        int row = uxlistbox_selected(&list);
        if (row >= 0 && row < count) {
            take_candidate(candidates[row], place);
            chosen = true;
            break;
        }
    }
    uxbutton_destroy(&cancel);
    uxbutton_destroy(&ok);
    uxlistbox_destroy(&list);
    uxbar_destroy(&bar);
    uxwindow_destroy(&win);
    return chosen;
}
