// Checked person rows: strict parsers for the stored field formats, the ranges of a usable
// moment and place, and the problem lines.

#include "records/person_rows.h"

#include <cstdio>
#include <cstring>

#include "astro/julian.h"
#include "toolkit/data/uxxbase.h"

// Offsets in a dBase header: field descriptors follow the 32-byte fixed part, 32 bytes each,
// with the field type at byte 11.
// More digits than this cannot be a value of any field here (and would overflow an int).
static const int kMaxDigits = 9;

bool IsPersonTable(const uxXBase* table) {
    return table->is_open && uxxbase_field_count(table) >= kPersonFieldCount;
}


static void clear(RowCheck* check) { check->count = 0; }

void AddRowProblem(RowCheck* check, int row, int field, const char* name, RowFault fault,
                   const char* text) {
    if (check->count >= kMaxRowProblems) return;
    RowProblem& p = check->problems[check->count++];
    p.row = row;
    p.field = field;
    p.fieldName = name;
    p.fault = fault;
    size_t n = 0;
    for (; text[n] && n < sizeof p.text - 1; ++n) {
        unsigned char c = static_cast<unsigned char>(text[n]);
        p.text[n] = c < 32 || c == 127 ? '?' : text[n];
    }
    p.text[n] = 0;
}

// A cursor over a field's text: blanks around numbers are allowed, nothing else.
struct Scan {
    const char* at;
};

static void skip_blanks(Scan* s) {
    while (*s->at == ' ' || *s->at == '\t') ++s->at;
}

// An optionally signed decimal integer of at most kMaxDigits digits.
static bool scan_int(Scan* s, int* value) {
    skip_blanks(s);
    bool negative = false;
    if (*s->at == '-' || *s->at == '+') negative = *s->at++ == '-';
    int digits = 0;
    long v = 0;
    while (*s->at >= '0' && *s->at <= '9') {
        if (++digits > kMaxDigits) return false;
        v = v * 10 + (*s->at++ - '0');
    }
    if (digits == 0) return false;
    *value = static_cast<int>(negative ? -v : v);
    skip_blanks(s);
    return true;
}

static bool scan_char(Scan* s, char c) {
    if (*s->at != c) return false;
    ++s->at;
    return true;
}

static bool at_end(const Scan* s) { return *s->at == 0; }

// "D.M.Y" as the program writes it ("%2d.%2d.%4d").
bool ParseDottedDate(const char* text, int* day, int* month, int* year) {
    Scan s{text};
    return scan_int(&s, day) && scan_char(&s, '.') && scan_int(&s, month) &&
           scan_char(&s, '.') && scan_int(&s, year) && at_end(&s);
}

// "YYYYMMDD", the content of a dBase date field.
bool ParseDbaseDate(const char* text, int* day, int* month, int* year) {
    if (std::strlen(text) != 8) return false;
    for (int i = 0; i < 8; ++i)
        if (text[i] < '0' || text[i] > '9') return false;
    auto digits = [text](int from, int n) {
        int v = 0;
        for (int i = from; i < from + n; ++i) v = v * 10 + (text[i] - '0');
        return v;
    };
    *year = digits(0, 4);
    *month = digits(4, 2);
    *day = digits(6, 2);
    return true;
}

// "H:M:S"; seconds, and then minutes, may be left out.
bool ParseClockTime(const char* text, int* hour, int* minute, int* second) {
    Scan s{text};
    *minute = 0;
    *second = 0;
    if (!scan_int(&s, hour)) return false;
    if (at_end(&s)) return true;
    if (!scan_char(&s, ':') || !scan_int(&s, minute)) return false;
    if (at_end(&s)) return true;
    return scan_char(&s, ':') && scan_int(&s, second) && at_end(&s);
}

// "D.M" as written with "%3d.%02d" (and read with "%d.%d", so minutes may carry a sign).
bool ParseTableCoordinate(const char* text, int* degrees, int* minutes) {
    Scan s{text};
    *minutes = 0;
    if (!scan_int(&s, degrees)) return false;
    if (at_end(&s)) return true;
    return scan_char(&s, '.') && scan_int(&s, minutes) && at_end(&s);
}

// Whole hours; a numeric field's fraction of zeros ("1.00") is allowed.
bool ParseWholeHours(const char* text, int* hours) {
    Scan s{text};
    if (!scan_int(&s, hours)) return false;
    if (scan_char(&s, '.'))
        while (*s.at == '0') ++s.at;
    skip_blanks(&s);
    return at_end(&s);
}

bool DateInRange(int day, int month, int year) {
    if (year < kRowYearMin || year > kRowYearMax || month < 1 || month > 12) return false;
    return day >= 1 && day <= DaysInMonth(year, month);
}

bool TimeInRange(int hour, int minute, int second) {
    return hour >= 0 && hour <= 23 && minute >= 0 && minute <= 59 && second >= 0 && second <= 59;
}

bool CoordinateInRange(int degrees, int minutes, int limit) {
    if (minutes < -kRowMinuteLimit || minutes > kRowMinuteLimit) return false;
    if (degrees < -limit || degrees > limit) return false;
    double value = degrees + minutes / 60.0;
    return value >= -limit && value <= limit;
}

static bool hours_in_range(int hours, int limit) { return hours >= -limit && hours <= limit; }

bool ReadCheckedPersonRow(uxXBase* table, int row, PersonEntry* entry, RowCheck* check) {
    clear(check);
    const int number = row + 1;
    if (row < 0 || row >= uxxbase_count(table)) {
        char text[32];
        std::snprintf(text, sizeof text, "%d", number);
        AddRowProblem(check, number, -1, "row", kRowMissing, text);
        return false;
    }
    const int fields = uxxbase_field_count(table);
    char field[1000];
    auto read = [&](int f, const char* name) {
        if (f >= fields) {
            AddRowProblem(check, number, f, name, kRowFieldMissing, "");
            return false;
        }
        uxxbase_read_field(table, row, f, field, sizeof field);
        return true;
    };
    auto report = [&](int f, const char* name, bool parsed) {
        AddRowProblem(check, number, f, name, parsed ? kRowFieldOutOfRange : kRowFieldUnreadable,
                    field);
    };

    // Texts: whatever they hold is a name.
    if (kPersonName < fields)
        uxxbase_read_field(table, row, kPersonName, entry->name, sizeof entry->name);
    if (kPersonFirstName < fields)
        uxxbase_read_field(table, row, kPersonFirstName, entry->firstName,
                           sizeof entry->firstName);
    if (kPersonPlace < fields)
        uxxbase_read_field(table, row, kPersonPlace, entry->place, sizeof entry->place);

    if (read(kPersonDate, "date")) {
        int d = 0, m = 0, y = 0;
        bool parsed = uxxbase_field_type(table, kPersonDate) == 'D'
                          ? ParseDbaseDate(field, &d, &m, &y)
                          : ParseDottedDate(field, &d, &m, &y);
        if (parsed && DateInRange(d, m, y)) {
            entry->day = d, entry->month = m, entry->year = y;
        } else {
            report(kPersonDate, "date", parsed);
        }
    }
    if (read(kPersonTime, "time")) {
        int h = 0, m = 0, s = 0;
        bool parsed = ParseClockTime(field, &h, &m, &s);
        if (parsed && TimeInRange(h, m, s))
            entry->hour = h, entry->minute = m, entry->second = s;
        else
            report(kPersonTime, "time", parsed);
    }
    // Degrees and minutes within the limit of the coordinate.
    auto coordinate = [&](int f, const char* name, int limit, int* degrees, int* minutes) {
        if (!read(f, name)) return;
        int d = 0, m = 0;
        bool parsed = ParseTableCoordinate(field, &d, &m);
        if (parsed && CoordinateInRange(d, m, limit))
            *degrees = d, *minutes = m;
        else
            report(f, name, parsed);
    };
    coordinate(kPersonLongitude, "longitude", kRowLongitudeLimit, &entry->longitudeDegrees,
               &entry->longitudeMinutes);
    coordinate(kPersonLatitude, "latitude", kRowLatitudeLimit, &entry->latitudeDegrees,
               &entry->latitudeMinutes);
    if (read(kPersonZone, "time zone")) {
        int h = 0;
        bool parsed = ParseWholeHours(field, &h);
        if (parsed && hours_in_range(h, kRowZoneLimit))
            entry->timeZone = h;
        else
            report(kPersonZone, "time zone", parsed);
    }
    if (read(kPersonSummerTime, "summer time")) {
        int h = 0;
        bool parsed = ParseWholeHours(field, &h);
        if (parsed && hours_in_range(h, kRowSummerTimeLimit))
            entry->summerTime = h;
        else
            report(kPersonSummerTime, "summer time", parsed);
    }
    return check->count == 0;
}

bool CheckPersonEntry(const PersonEntry* entry, int number, RowCheck* check) {
    clear(check);
    char text[64];
    const PersonEntry& e = *entry;
    if (!DateInRange(e.day, e.month, e.year)) {
        std::snprintf(text, sizeof text, "%d.%d.%d", e.day, e.month, e.year);
        AddRowProblem(check, number, kPersonDate, "date", kRowFieldOutOfRange, text);
    }
    if (!TimeInRange(e.hour, e.minute, e.second)) {
        std::snprintf(text, sizeof text, "%d:%02d:%02d", e.hour, e.minute, e.second);
        AddRowProblem(check, number, kPersonTime, "time", kRowFieldOutOfRange, text);
    }
    if (!CoordinateInRange(e.longitudeDegrees, e.longitudeMinutes, kRowLongitudeLimit)) {
        std::snprintf(text, sizeof text, "%d.%02d", e.longitudeDegrees, e.longitudeMinutes);
        AddRowProblem(check, number, kPersonLongitude, "longitude", kRowFieldOutOfRange, text);
    }
    if (!CoordinateInRange(e.latitudeDegrees, e.latitudeMinutes, kRowLatitudeLimit)) {
        std::snprintf(text, sizeof text, "%d.%02d", e.latitudeDegrees, e.latitudeMinutes);
        AddRowProblem(check, number, kPersonLatitude, "latitude", kRowFieldOutOfRange, text);
    }
    if (!hours_in_range(e.timeZone, kRowZoneLimit)) {
        std::snprintf(text, sizeof text, "%d", e.timeZone);
        AddRowProblem(check, number, kPersonZone, "time zone", kRowFieldOutOfRange, text);
    }
    if (!hours_in_range(e.summerTime, kRowSummerTimeLimit)) {
        std::snprintf(text, sizeof text, "%d", e.summerTime);
        AddRowProblem(check, number, kPersonSummerTime, "summer time", kRowFieldOutOfRange, text);
    }
    return check->count == 0;
}

void FormatRowProblem(const RowProblem* p, char* text, int size) {
    if (size <= 0) return;
    switch (p->fault) {
    case kRowMissing:
        std::snprintf(text, static_cast<size_t>(size), "row %d: the table has no such row", p->row);
        break;
    case kRowFieldMissing:
        std::snprintf(text, static_cast<size_t>(size), "row %d: the table has no %s field",
                      p->row, p->fieldName);
        break;
    case kRowFieldOutOfRange:
        std::snprintf(text, static_cast<size_t>(size), "row %d, %s \"%s\": outside its range",
                      p->row, p->fieldName, p->text);
        break;
    case kRowFieldNoWholeHours:
        std::snprintf(text, static_cast<size_t>(size),
                      "row %d, %s \"%s\": %s, which zone and summer time cannot hold", p->row,
                      p->fieldName, p->text,
                      std::strstr(p->text, "LMT") ? "local mean time" : "no whole hours");
        break;
    case kRowFieldAmbiguous:
        std::snprintf(text, static_cast<size_t>(size),
                      "row %d, %s \"%s\": the tz database has no single offset for this clock time",
                      p->row, p->fieldName, p->text);
        break;
    case kRowFieldUnreadable:
        std::snprintf(text, static_cast<size_t>(size), "row %d, %s \"%s\": does not parse",
                      p->row, p->fieldName, p->text);
        break;
    }
}
