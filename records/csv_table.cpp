// CSV person and event tables: libcsv splits the file into fields, iconv converts UTF-8 text to
// the program's Latin-1, and every field of a row is parsed strictly and checked with the ranges
// of a person table row.

#include "records/csv_table.h"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <iconv.h>
#include <initializer_list>

#include <csv.h>

#include "astro/time_zones.h"
#include "records/places.h"

// A table larger than this is no person table a module could use.
static const long kMaxCsvBytes = 256L * 1024 * 1024;

static void say(char* why, int size, const char* text) {
    if (why && size > 0) std::snprintf(why, static_cast<size_t>(size), "%s", text);
}

// ---- header names -----------------------------------------------------------------------------

static const char* const kNameSpellings[] = {"name", "surname", "lastname", "familyname", "fname",
                                             "nachname", "nom", nullptr};
static const char* const kFirstNameSpellings[] = {"firstname", "givenname", "gname", "vorname",
                                                  "forename", "prenom", "pr\xe9nom", nullptr};
static const char* const kFullNameSpellings[] = {"fullname", "person", nullptr};
static const char* const kDateTimeSpellings[] = {"datetime", "localdatetime", "birthdatetime",
                                                 "datetimelocal", nullptr};
static const char* const kDateSpellings[] = {"date", "datum", "birthdate", "dateofbirth", "dob",
                                             "geburtsdatum", nullptr};
static const char* const kTimeSpellings[] = {"time", "zeit", "birthtime", "timeofbirth",
                                             "geburtszeit", "heure", nullptr};
static const char* const kOffsetEastSpellings[] = {"offset", "utcoffset", "tzoffset", "tzo", "tz",
                                                   "gmtoffset", nullptr};
static const char* const kOffsetWestSpellings[] = {"tzwest", "offsetwest", "westoffset",
                                                   "utcoffsetwest", nullptr};
static const char* const kZoneSpellings[] = {"zone", "timezone", "zeitzone", nullptr};
static const char* const kSummerTimeSpellings[] = {"dst", "summertime", "sommerzeit",
                                                   "daylightsaving", "daylightsavingtime",
                                                   nullptr};
static const char* const kPlaceSpellings[] = {"place", "ort", "city", "birthplace",
                                              "placeofbirth", "town", "location", "lieu",
                                              "commune", "geburtsort", nullptr};
static const char* const kLongitudeSpellings[] = {"longitude", "lon", "long", "lng", "lg",
                                                  nullptr};
static const char* const kLatitudeSpellings[] = {"latitude", "lat", nullptr};
static const char* const kLongitudeDMSpellings[] = {"laenge", "l\xe4nge", "londm", nullptr};
static const char* const kLatitudeDMSpellings[] = {"breite", "latdm", nullptr};
static const char* const kDaySpellings[] = {"day", "tag", "jour", nullptr};
static const char* const kMonthSpellings[] = {"month", "mon", "monat", "mois", nullptr};
static const char* const kYearSpellings[] = {"year", "yea", "jahr", "annee", "ann\xe9" "e", nullptr};
static const char* const kHourSpellings[] = {"hour", "h", "hr", "stunde", nullptr};
static const char* const kMinuteSpellings[] = {"minute", "min", "mn", nullptr};
static const char* const kSecondSpellings[] = {"second", "sec", "sekunde", nullptr};

const char* const* CsvRoleSpellings(CsvRole role) {
    static const char* const* const spellings[kCsvRoleCount] = {
        kNameSpellings,       kFirstNameSpellings,   kFullNameSpellings,  kDateTimeSpellings,
        kDateSpellings,       kTimeSpellings,        kOffsetEastSpellings, kOffsetWestSpellings,
        kZoneSpellings,       kSummerTimeSpellings,  kPlaceSpellings,      kLongitudeSpellings,
        kLatitudeSpellings,   kLongitudeDMSpellings, kLatitudeDMSpellings, kDaySpellings,
        kMonthSpellings,      kYearSpellings,        kHourSpellings,       kMinuteSpellings,
        kSecondSpellings};
    return role >= 0 && role < kCsvRoleCount ? spellings[role] : kNameSpellings;
}

// Lower case (ASCII and Latin-1 letters) without blanks and the joiners '_', '-', '.', '/'.
static std::string header_key(const std::string& header) {
    std::string key;
    for (unsigned char c : header) {
        if (c == ' ' || c == '\t' || c == '_' || c == '-' || c == '.' || c == '/') continue;
        if (c >= 'A' && c <= 'Z') c = static_cast<unsigned char>(c + 32);
        else if (c >= 0xC0 && c <= 0xDE && c != 0xD7) c = static_cast<unsigned char>(c + 32);
        key.push_back(static_cast<char>(c));
    }
    return key;
}

static bool spelled(const std::string& key, const char* const* spellings) {
    for (; *spellings; ++spellings)
        if (key == *spellings) return true;
    return false;
}

// Assigns each header to a role (the first column of a role wins). "name" is the surname beside
// a first-name column, else the whole name.
static void find_columns(CsvTable* t) {
    for (int& c : t->column) c = -1;
    std::vector<std::string> keys;
    for (const std::string& h : t->headers) keys.push_back(header_key(h));
    for (int role = 0; role < kCsvRoleCount; ++role)
        for (size_t c = 0; c < keys.size(); ++c)
            if (t->column[role] < 0 && spelled(keys[c], CsvRoleSpellings(CsvRole(role))))
                t->column[role] = static_cast<int>(c);
    if (t->column[kCsvFirstName] < 0 && t->column[kCsvFullName] < 0) {
        t->column[kCsvFullName] = t->column[kCsvName];
        t->column[kCsvName] = -1;
    }
    // A date column without a time column holds the date-time.
    if (t->column[kCsvDateTime] < 0 && t->column[kCsvTime] < 0 && t->column[kCsvHour] < 0) {
        t->column[kCsvDateTime] = t->column[kCsvDate];
        t->column[kCsvDate] = -1;
    }
}

// ---- file and encoding ------------------------------------------------------------------------

// UTF-8 to Latin-1 through UTF-32: code points above 0xFF become '?' and are counted. False when
// the text is no valid UTF-8 (it is then taken as Latin-1 as it is).
static bool utf8_to_latin1(const std::string& in, std::string* out, long* replaced) {
    iconv_t cd = iconv_open("UTF-32LE", "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1)) return false;
    std::vector<char> wide(in.size() * 4 + 4);
    char* src = const_cast<char*>(in.data());
    size_t srcLeft = in.size();
    char* dst = wide.data();
    size_t dstLeft = wide.size();
    size_t r = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
    iconv_close(cd);
    if (r == static_cast<size_t>(-1) || srcLeft != 0) return false;
    size_t count = (wide.size() - dstLeft) / 4;
    out->clear();
    out->reserve(count);
    *replaced = 0;
    for (size_t i = 0; i < count; ++i) {
        const unsigned char* b = reinterpret_cast<const unsigned char*>(wide.data()) + 4 * i;
        unsigned long cp = b[0] | (b[1] << 8) | (static_cast<unsigned long>(b[2]) << 16) |
                           (static_cast<unsigned long>(b[3]) << 24);
        if (cp == 0xFEFF && i == 0) continue;  // byte order mark
        if (cp > 0xFF) {
            out->push_back('?');
            ++*replaced;
        } else {
            out->push_back(static_cast<char>(cp));
        }
    }
    return true;
}

// The delimiter the first line uses most outside quotes: ',', ';' or tab.
static unsigned char guess_delimiter(const std::string& text) {
    int comma = 0, semicolon = 0, tab = 0;
    bool quoted = false;
    for (char c : text) {
        if (c == '"') quoted = !quoted;
        if (quoted) continue;
        if (c == '\n' || c == '\r') break;
        comma += c == ',';
        semicolon += c == ';';
        tab += c == '\t';
    }
    if (semicolon > comma && semicolon >= tab) return ';';
    if (tab > comma && tab > semicolon) return '\t';
    return ',';
}

struct Collector {
    std::vector<std::vector<std::string>> rows;
    std::vector<std::string> row;
};

static void on_field(void* text, size_t length, void* data) {
    Collector* c = static_cast<Collector*>(data);
    c->row.emplace_back(text ? static_cast<const char*>(text) : "", text ? length : 0);
}

static void on_row(int, void* data) {
    Collector* c = static_cast<Collector*>(data);
    bool empty = true;
    for (const std::string& f : c->row)
        if (f.find_first_not_of(" \t") != std::string::npos) empty = false;
    if (!empty) c->rows.push_back(std::move(c->row));
    c->row.clear();
}

static int blank_or_tab(unsigned char c) { return c == ' ' || c == '\t'; }

bool ParseCsvTable(const char* data, std::size_t length, CsvTable* t, char* why, int size) {
    *t = CsvTable{};
    std::string raw(data, length);
    std::string text;
    t->utf8 = utf8_to_latin1(raw, &text, &t->replacedLetters);
    if (!t->utf8) {
        text = raw;
        t->replacedLetters = 0;
    }
    if (text.find('\0') != std::string::npos) {
        say(why, size, "holds zero bytes: no text table");
        return false;
    }
    csv_parser parser;
    if (csv_init(&parser, CSV_STRICT | CSV_STRICT_FINI) != 0) {
        say(why, size, "no memory for the CSV reader");
        return false;
    }
    csv_set_delim(&parser, guess_delimiter(text));
    csv_set_space_func(&parser, blank_or_tab);
    Collector collector;
    size_t parsed = csv_parse(&parser, text.data(), text.size(), on_field, on_row, &collector);
    bool ok = parsed == text.size() && csv_fini(&parser, on_field, on_row, &collector) == 0;
    if (!ok) {
        long line = 1;
        for (size_t i = 0; i < parsed && i < text.size(); ++i) line += text[i] == '\n';
        char reason[200];
        std::snprintf(reason, sizeof reason, "line %ld: %s", line,
                      csv_strerror(csv_error(&parser)));
        say(why, size, reason);
        csv_free(&parser);
        return false;
    }
    csv_free(&parser);
    if (collector.rows.empty()) {
        say(why, size, "has no header row");
        return false;
    }
    t->headers = std::move(collector.rows.front());
    collector.rows.erase(collector.rows.begin());
    t->rows = std::move(collector.rows);
    find_columns(t);
    const char* missing = nullptr;
    bool dateColumns = t->column[kCsvDay] >= 0 && t->column[kCsvMonth] >= 0 &&
                       t->column[kCsvYear] >= 0;
    if (t->column[kCsvDateTime] < 0 && t->column[kCsvDate] < 0 && !dateColumns) missing = "date";
    else if (t->column[kCsvLongitude] < 0 && t->column[kCsvLongitudeDM] < 0) missing = "longitude";
    else if (t->column[kCsvLatitude] < 0 && t->column[kCsvLatitudeDM] < 0) missing = "latitude";
    if (missing) {
        char reason[200];
        std::snprintf(reason, sizeof reason, "has no %s column (see the guide for the header names)",
                      missing);
        say(why, size, reason);
        return false;
    }
    return true;
}

bool ReadCsvTable(const char* path, CsvTable* t, char* why, int size) {
    *t = CsvTable{};
    std::FILE* f = std::fopen(path, "rb");
    if (!f) {
        say(why, size, std::strerror(errno));
        return false;
    }
    std::string data;
    char buffer[65536];
    size_t n;
    bool tooLarge = false;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) {
        data.append(buffer, n);
        if (static_cast<long>(data.size()) > kMaxCsvBytes) {
            tooLarge = true;
            break;
        }
    }
    bool failed = std::ferror(f) != 0;
    std::fclose(f);
    if (failed || tooLarge) {
        say(why, size, failed ? "cannot be read" : "is larger than 256 MB");
        return false;
    }
    return ParseCsvTable(data.data(), data.size(), t, why, size);
}

// ---- field parsers ----------------------------------------------------------------------------

static std::string trimmed(const std::string& s) {
    size_t a = s.find_first_not_of(" \t\r\n");
    if (a == std::string::npos) return "";
    size_t b = s.find_last_not_of(" \t\r\n");
    return s.substr(a, b - a + 1);
}

// Exactly `n` digits (n > 0) or, with n == 0, one to nine.
static bool digits(const char** at, int n, int* value) {
    const char* p = *at;
    int v = 0, count = 0;
    while (*p >= '0' && *p <= '9' && (n == 0 ? count < 9 : count < n)) {
        v = v * 10 + (*p++ - '0');
        ++count;
    }
    if (count == 0 || (n > 0 && count != n)) return false;
    *at = p;
    *value = v;
    return true;
}

// "YYYY-MM-DD" at the cursor.
static bool iso_date(const char** at, int* day, int* month, int* year) {
    const char* p = *at;
    if (!digits(&p, 4, year) || *p++ != '-' || !digits(&p, 0, month) || *p++ != '-' ||
        !digits(&p, 0, day))
        return false;
    *at = p;
    return true;
}

// "HH:MM[:SS[.fff]]" at the cursor; a fraction of a second is dropped.
static bool iso_time(const char** at, int* hour, int* minute, int* second) {
    const char* p = *at;
    *second = 0;
    if (!digits(&p, 0, hour) || *p++ != ':' || !digits(&p, 0, minute)) return false;
    if (*p == ':' && !(++p, digits(&p, 0, second))) return false;
    if (*p == '.' && p[1] >= '0' && p[1] <= '9')
        for (++p; *p >= '0' && *p <= '9'; ++p) {
        }
    *at = p;
    return true;
}

// A UTC offset: "Z", "+01:00", "-5", "+0100", "1", "+5:30", "-0:09:21" or decimal hours
// ("5.5"), east positive as written. Seconds east.
static bool offset_seconds(const char* text, int* seconds) {
    const char* p = text;
    if ((p[0] == 'Z' || p[0] == 'z') && !p[1]) {
        *seconds = 0;
        return true;
    }
    int sign = 1;
    if (*p == '+' || *p == '-') sign = *p++ == '-' ? -1 : 1;
    const char* start = p;
    int h = 0, m = 0, s = 0;
    if (std::strchr(p, ':')) {
        if (!digits(&p, 0, &h) || *p++ != ':' || !digits(&p, 2, &m)) return false;
        if (*p == ':' && !(++p, digits(&p, 2, &s))) return false;
    } else if (std::strlen(p) == 4 && !std::strchr(p, '.')) {
        if (!digits(&p, 2, &h) || !digits(&p, 2, &m)) return false;
    } else {
        double hours = 0;
        auto r = std::from_chars(start, start + std::strlen(start), hours);
        if (r.ec != std::errc() || *r.ptr || !std::isfinite(hours) || hours > 24) return false;
        *seconds = sign * static_cast<int>(std::lround(hours * 3600));
        return true;
    }
    if (*p || h > 24 || m > 59 || s > 59) return false;
    *seconds = sign * (h * 3600 + m * 60 + s);
    return true;
}

// ISO date-time: date, 'T' or blank, time, then an offset or none.
static bool iso_date_time(const char* text, int* d, int* mo, int* y, int* h, int* mi, int* s,
                          bool* hasOffset, int* offset) {
    const char* p = text;
    if (!iso_date(&p, d, mo, y) || (*p != 'T' && *p != 't' && *p != ' ')) return false;
    while (*p == ' ') ++p;
    if (*p == 'T' || *p == 't') ++p;
    if (!iso_time(&p, h, mi, s)) return false;
    while (*p == ' ') ++p;
    *hasOffset = *p != 0;
    return !*hasOffset || offset_seconds(p, offset);
}

// The date in one of the forms sources use: ISO, the tables' "17. 9.1937", dBase "19370917".
static bool any_date(const char* text, int* d, int* m, int* y) {
    const char* p = text;
    if (iso_date(&p, d, m, y) && !*p) return true;
    if (ParseDbaseDate(text, d, m, y)) return true;
    return ParseDottedDate(text, d, m, y);
}

// A decimal number with '.' or ',' as its decimal mark.
static bool decimal(const std::string& text, double* value) {
    std::string t = text;
    if (t.find('.') == std::string::npos)
        for (char& c : t)
            if (c == ',') c = '.';
    const char* b = t.c_str();
    if (*b == '+') ++b;
    auto r = std::from_chars(b, t.c_str() + t.size(), *value);
    return r.ec == std::errc() && r.ptr == t.c_str() + t.size() && std::isfinite(*value);
}

// "44N50", "0W34", "48N 0", "11E 0": degrees, the hemisphere letter (N, S; E, W, O for east),
// minutes (blanks allowed before them, none is 0).
static bool hemisphere_coordinate(const std::string& text, bool longitude, double* value) {
    const char* p = text.c_str();
    int d = 0, m = 0;
    if (!digits(&p, 0, &d) || d > 999) return false;
    char h = static_cast<char>(*p & ~0x20);
    bool east = longitude ? (h == 'E' || h == 'O') : h == 'N';
    bool west = longitude ? h == 'W' : h == 'S';
    if (!east && !west) return false;
    ++p;
    while (*p == ' ') ++p;
    if (*p && (!digits(&p, 0, &m) || *p || m > 59)) return false;
    *value = (west ? -1 : 1) * (d + m / 60.0);
    return true;
}

// "13:59:00:E", "13:59:E", "13:59", "-13:59:00": degrees, minutes, seconds and a hemisphere
// letter (E, W, N, S; O for east) that gives the sign.
static bool colon_coordinate(const std::string& text, bool longitude, double* value) {
    const char* p = text.c_str();
    int sign = 1;
    if (*p == '+' || *p == '-') sign = *p++ == '-' ? -1 : 1;
    int d = 0, m = 0, s = 0;
    if (!digits(&p, 0, &d) || *p++ != ':' || !digits(&p, 0, &m)) return false;
    if (*p == ':' && p[1] >= '0' && p[1] <= '9') {
        ++p;
        if (!digits(&p, 0, &s)) return false;
    }
    if (*p == ':') {
        char h = static_cast<char>(p[1] & ~0x20);
        if (p[2]) return false;
        bool east = longitude ? (h == 'E' || h == 'O') : h == 'N';
        bool west = longitude ? h == 'W' : h == 'S';
        if (!east && !west) return false;
        if (west) sign = -sign;
        p += 2;
    }
    if (*p || m > 59 || s > 59) return false;
    *value = sign * (d + m / 60.0 + s / 3600.0);
    return true;
}

void TableCoordinate(double value, int* degrees, int* minutes) {
    // Only coordinates are converted; anything beyond a full turn is no value of one.
    if (!(std::fabs(value) <= 360.0)) value = 0;
    double whole = std::floor(value);
    long m = std::lround((value - whole) * 60.0);
    if (m == 60) {
        whole += 1;
        m = 0;
    }
    *degrees = static_cast<int>(whole);
    *minutes = static_cast<int>(m);
}

// ---- one row ----------------------------------------------------------------------------------

static void copy_text(char* target, size_t size, const std::string& text) {
    std::snprintf(target, size, "%s", text.c_str());
}

namespace {

struct RowReader {
    const CsvTable* table;
    int number;  // 1-based data row
    const std::vector<std::string>* fields;
    PersonEntry* entry;
    RowCheck* check;

    bool has(CsvRole role) const { return table->column[role] >= 0; }
    const char* header(CsvRole role) const { return table->headers[table->column[role]].c_str(); }
    std::string text(CsvRole role) const {
        int c = table->column[role];
        return c >= 0 && c < static_cast<int>(fields->size()) ? trimmed((*fields)[c]) : "";
    }
    void problem(CsvRole role, int field, RowFault fault, const std::string& value) {
        AddRowProblem(check, number, field, header(role), fault, value.c_str());
    }
};

}  // namespace

static void read_names(RowReader& r) {
    PersonEntry* e = r.entry;
    if (r.has(kCsvFullName)) {
        std::string whole = r.text(kCsvFullName);
        size_t blank = whole.find(' ');
        copy_text(e->name, sizeof e->name, whole.substr(0, blank));
        copy_text(e->firstName, sizeof e->firstName,
                  blank == std::string::npos ? "" : trimmed(whole.substr(blank + 1)));
    }
    if (r.has(kCsvName)) copy_text(e->name, sizeof e->name, r.text(kCsvName));
    if (r.has(kCsvFirstName)) copy_text(e->firstName, sizeof e->firstName, r.text(kCsvFirstName));
    if (r.has(kCsvPlace)) copy_text(e->place, sizeof e->place, r.text(kCsvPlace));
}

// A date or a clock time in up to three columns of whole numbers (day, month, year; hour,
// minute, second). With `optionalTail`, the second and third column may be missing or empty (0).
// False when a number does not parse (listed with its column).
static bool split_field(RowReader& r, std::initializer_list<CsvRole> roles, int field,
                        bool optionalTail, int* a, int* b, int* c) {
    int* values[3] = {a, b, c};
    int i = 0;
    for (CsvRole role : roles) {
        int* v = values[i];
        *v = 0;
        std::string t = r.text(role);
        bool optional = optionalTail && i > 0;
        ++i;
        if (optional && (!r.has(role) || t.empty())) continue;
        const char* p = t.c_str();
        if (!digits(&p, 0, v) || *p || t.size() > 4) {
            r.problem(role, field, kRowFieldUnreadable, t);
            return false;
        }
    }
    return true;
}

// Date and time; an offset given with the date-time is returned. False when the moment is
// unusable (listed).
static bool read_moment(RowReader& r, bool* hasOffset, int* offset) {
    PersonEntry* e = r.entry;
    int d = 0, mo = 0, y = 0, h = 0, mi = 0, s = 0;
    *hasOffset = false;
    bool usable = true;
    if (r.has(kCsvDateTime)) {
        std::string t = r.text(kCsvDateTime);
        bool parsed = iso_date_time(t.c_str(), &d, &mo, &y, &h, &mi, &s, hasOffset, offset);
        if (!parsed || !DateInRange(d, mo, y) || !TimeInRange(h, mi, s)) {
            r.problem(kCsvDateTime, kPersonDate, parsed ? kRowFieldOutOfRange : kRowFieldUnreadable,
                      t);
            *hasOffset = false;
            return false;
        }
    } else {
        std::string t;
        bool parsed;
        if (r.has(kCsvDate)) {
            t = r.text(kCsvDate);
            parsed = any_date(t.c_str(), &d, &mo, &y);
            if (!parsed || !DateInRange(d, mo, y)) {
                r.problem(kCsvDate, kPersonDate, parsed ? kRowFieldOutOfRange : kRowFieldUnreadable,
                          t);
                usable = false;
            }
        } else if (!split_field(r, {kCsvDay, kCsvMonth, kCsvYear}, kPersonDate, false, &d, &mo,
                                &y)) {
            usable = false;
        } else if (!DateInRange(d, mo, y)) {
            r.problem(kCsvDay, kPersonDate, kRowFieldOutOfRange,
                      r.text(kCsvDay) + "." + r.text(kCsvMonth) + "." + r.text(kCsvYear));
            usable = false;
        }
        if (r.has(kCsvTime) || !r.has(kCsvHour)) {
            t = r.text(kCsvTime);
            parsed = ParseClockTime(t.c_str(), &h, &mi, &s);
            if (!parsed || !TimeInRange(h, mi, s)) {
                r.problem(kCsvTime, kPersonTime, parsed ? kRowFieldOutOfRange : kRowFieldUnreadable,
                          t);
                usable = false;
            }
        } else if (!split_field(r, {kCsvHour, kCsvMinute, kCsvSecond}, kPersonTime, true, &h, &mi,
                                &s)) {
            usable = false;
        } else if (!TimeInRange(h, mi, s)) {
            r.problem(kCsvHour, kPersonTime, kRowFieldOutOfRange,
                      r.text(kCsvHour) + ":" + r.text(kCsvMinute) + ":" + r.text(kCsvSecond));
            usable = false;
        }
        if (!usable) return false;
    }
    e->day = d, e->month = mo, e->year = y;
    e->hour = h, e->minute = mi, e->second = s;
    return true;
}

// One coordinate from its decimal or its table-style column. False when unusable (listed).
static bool read_coordinate(RowReader& r, CsvRole decimalRole, CsvRole tableRole, int field,
                            int limit, int* degrees, int* minutes) {
    bool longitude = field == kPersonLongitude;
    CsvRole role = r.has(decimalRole) ? decimalRole : tableRole;
    std::string t = r.text(role);
    double value = 0;
    int d = 0, m = 0;
    bool parsed;
    if (hemisphere_coordinate(t, longitude, &value)) {
        parsed = true;
        if (std::fabs(value) <= limit) TableCoordinate(value, &d, &m);
    } else if (t.find(':') != std::string::npos || role == decimalRole) {
        parsed = t.find(':') != std::string::npos ? colon_coordinate(t, longitude, &value)
                                                  : decimal(t, &value);
        // Converted only within the range (a value far beyond it fits no int).
        if (parsed && std::fabs(value) <= limit) TableCoordinate(value, &d, &m);
    } else {
        parsed = ParseTableCoordinate(t.c_str(), &d, &m);
        value = d + m / 60.0;
    }
    if (!parsed || std::fabs(value) > limit || !CoordinateInRange(d, m, limit)) {
        r.problem(role, field, parsed ? kRowFieldOutOfRange : kRowFieldUnreadable, t);
        return false;
    }
    *degrees = d;
    *minutes = m;
    return true;
}

enum class OffsetSource { None, Total, ZoneAndSummer, Unusable };

// The offset the row gives: a total (seconds east) or zone and summer time in the entry.
static OffsetSource read_offset(RowReader& r, bool dateTimeOffset, int* total, CsvRole* from) {
    *from = kCsvDateTime;
    if (dateTimeOffset) return OffsetSource::Total;
    for (CsvRole role : {kCsvOffsetEast, kCsvOffsetWest}) {
        if (!r.has(role)) continue;
        std::string t = r.text(role);
        if (t.empty()) continue;
        if (!offset_seconds(t.c_str(), total)) {
            r.problem(role, kPersonZone, kRowFieldUnreadable, t);
            return OffsetSource::Unusable;
        }
        if (role == kCsvOffsetWest) *total = -*total;
        *from = role;
        return OffsetSource::Total;
    }
    if (!r.has(kCsvZone) || r.text(kCsvZone).empty()) return OffsetSource::None;
    bool usable = true;
    int zone = 0, summer = 0;
    std::string t = r.text(kCsvZone);
    bool parsed = ParseWholeHours(t.c_str(), &zone);
    if (!parsed || zone < -kRowZoneLimit || zone > kRowZoneLimit) {
        r.problem(kCsvZone, kPersonZone, parsed ? kRowFieldOutOfRange : kRowFieldUnreadable, t);
        usable = false;
    }
    if (r.has(kCsvSummerTime) && !(t = r.text(kCsvSummerTime)).empty()) {
        parsed = ParseWholeHours(t.c_str(), &summer);
        if (!parsed || summer < -kRowSummerTimeLimit || summer > kRowSummerTimeLimit) {
            r.problem(kCsvSummerTime, kPersonSummerTime,
                      parsed ? kRowFieldOutOfRange : kRowFieldUnreadable, t);
            usable = false;
        }
    }
    if (!usable) return OffsetSource::Unusable;
    r.entry->timeZone = zone;
    r.entry->summerTime = summer;
    return OffsetSource::ZoneAndSummer;
}

static double decimal_degrees(int degrees, int minutes) { return degrees + minutes / 60.0; }

// The place of the row in the place table: by name near the coordinates, else the nearest place
// (said in `how`). False when the place table has no rows.
static bool row_place(const PersonEntry* e, FoundPlace* place, char* how, int size) {
    double lon = decimal_degrees(e->longitudeDegrees, e->longitudeMinutes);
    double lat = decimal_degrees(e->latitudeDegrees, e->latitudeMinutes);
    how[0] = 0;
    if (FindPlaceNear(e->place, lon, lat, place)) return true;
    double km = 0;
    if (!NearestPlace(lon, lat, place, &km)) return false;
    if (e->place[0])
        std::snprintf(how, static_cast<size_t>(size), "'%.60s' is not in the place table near the "
                      "coordinates; nearest place %.60s, %.0f km away, ", e->place, place->name, km);
    else
        std::snprintf(how, static_cast<size_t>(size), "no place name; nearest place %.60s, %.0f km "
                      "away, ", place->name, km);
    return true;
}

static bool same_total(const ZoneOffsets& o, int total) {
    return o.standardSeconds + o.summerSeconds == total;
}

// A given total offset split into zone and summer time: as the tz database splits it where its
// offset is the same, else all of it as zone.
static bool split_total(RowReader& r, CsvRole role, int total) {
    PersonEntry* e = r.entry;
    if (total % 3600 != 0) {
        AddRowProblem(r.check, r.number, kPersonZone, r.header(role), kRowFieldNoWholeHours,
                      r.text(role).c_str());
        return false;
    }
    e->timeZone = total / 3600;
    e->summerTime = 0;
    FoundPlace place{};
    ZoneMoment m{};
    double lon = decimal_degrees(e->longitudeDegrees, e->longitudeMinutes);
    double lat = decimal_degrees(e->latitudeDegrees, e->latitudeMinutes);
    if (!FindPlaceNear(e->place, lon, lat, &place) ||
        !LookUpClockTime(place.zone, e->year, e->month, e->day, e->hour, e->minute, e->second, &m))
        return true;
    for (const ZoneOffsets* o : {&m.before, &m.after})
        if (same_total(*o, total) && WholeHours(*o)) {
            e->timeZone = o->standardSeconds / 3600;
            e->summerTime = o->summerSeconds / 3600;
            return true;
        }
    return true;
}

// Without any offset in the row: zone and summer time from the tz database at the place.
static bool offset_from_database(RowReader& r, char* note, int noteSize) {
    PersonEntry* e = r.entry;
    static const char kField[] = "time zone (tz database)";
    FoundPlace place{};
    char how[300];
    if (!row_place(e, &place, how, sizeof how)) {
        AddRowProblem(r.check, r.number, kPersonZone, kField, kRowFieldMissing, "");
        return false;
    }
    ZoneMoment m{};
    char text[1200];  // cut to the problem's size when added
    if (!LookUpClockTime(place.zone, e->year, e->month, e->day, e->hour, e->minute, e->second,
                         &m)) {
        std::snprintf(text, sizeof text, "%s: %s", place.name, place.zone);
        AddRowProblem(r.check, r.number, kPersonZone, kField, kRowFieldUnreadable, text);
        return false;
    }
    if (m.kind != ClockTimeKind::Unique) {
        std::snprintf(text, sizeof text, "%s %s", place.zone,
                      m.kind == ClockTimeKind::Skipped ? "skipped hour" : "repeated hour");
        AddRowProblem(r.check, r.number, kPersonZone, kField, kRowFieldAmbiguous, text);
        return false;
    }
    if (!WholeHours(m.before)) {
        char offset[32];
        FormatOffset(m.before.standardSeconds + m.before.summerSeconds, offset, sizeof offset);
        std::snprintf(text, sizeof text, "%s %s %s", place.zone, offset, m.before.abbreviation);
        AddRowProblem(r.check, r.number, kPersonZone, kField, kRowFieldNoWholeHours, text);
        return false;
    }
    e->timeZone = m.before.standardSeconds / 3600;
    e->summerTime = m.before.summerSeconds / 3600;
    std::snprintf(note, static_cast<size_t>(noteSize),
                  "row %d: %szone %d, summer time %d from the tz database (%s, %s)", r.number, how,
                  e->timeZone, e->summerTime, place.zone, m.before.abbreviation);
    return true;
}

bool ReadCsvPersonRow(const CsvTable* table, int row, PersonEntry* entry, RowCheck* check,
                      char* note, int noteSize) {
    check->count = 0;
    if (note && noteSize > 0) note[0] = 0;
    char scratch[2];
    if (!note || noteSize <= 0) note = scratch, noteSize = sizeof scratch;
    if (row < 0 || row >= static_cast<int>(table->rows.size())) {
        char text[32];
        std::snprintf(text, sizeof text, "%d", row + 1);
        AddRowProblem(check, row + 1, -1, "row", kRowMissing, text);
        return false;
    }
    RowReader r{table, row + 1, &table->rows[row], entry, check};
    read_names(r);
    bool hasOffset = false;
    int total = 0;
    bool moment = read_moment(r, &hasOffset, &total);
    bool lon = read_coordinate(r, kCsvLongitude, kCsvLongitudeDM, kPersonLongitude,
                               kRowLongitudeLimit, &entry->longitudeDegrees,
                               &entry->longitudeMinutes);
    bool lat = read_coordinate(r, kCsvLatitude, kCsvLatitudeDM, kPersonLatitude,
                               kRowLatitudeLimit, &entry->latitudeDegrees,
                               &entry->latitudeMinutes);
    CsvRole offsetRole;
    OffsetSource source = read_offset(r, hasOffset, &total, &offsetRole);
    // The tz database needs the moment and the place.
    if (!moment || !lon || !lat) return false;
    if (source == OffsetSource::Total)
        split_total(r, offsetRole, total);
    else if (source == OffsetSource::None)
        offset_from_database(r, note, noteSize);
    return check->count == 0;
}
