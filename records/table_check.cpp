// Rows against the tz database, and the table checker.

#include "records/table_check.h"

#include <cstring>

#include "records/person_rows.h"
#include "records/person_table.h"
#include "toolkit/data/uxxbase.h"

static double decimal_degrees(int degrees, int minutes) { return degrees + minutes / 60.0; }

static bool same_reading(const PersonEntry* e, const ZoneOffsets& o) {
    return e->timeZone * 3600 == o.standardSeconds && e->summerTime * 3600 == o.summerSeconds;
}

static bool blank(const char* text) {
    for (; *text; ++text)
        if (*text != ' ' && *text != '\t') return false;
    return true;
}

void CompareEntryZone(const PersonEntry* entry, ZoneComparison* c) {
    c->place = FoundPlace{};
    c->moment = ZoneMoment{};
    c->nearestKm = -1;
    double lon = decimal_degrees(entry->longitudeDegrees, entry->longitudeMinutes);
    double lat = decimal_degrees(entry->latitudeDegrees, entry->latitudeMinutes);
    // A row without a place name is compared with the zone of the nearest place.
    bool found = blank(entry->place) ? NearestPlace(lon, lat, &c->place, &c->nearestKm)
                                     : FindPlaceNear(entry->place, lon, lat, &c->place);
    if (!found) {
        c->verdict = ZoneVerdict::NotInPlaceTable;
        return;
    }
    if (!LookUpClockTime(c->place.zone, entry->year, entry->month, entry->day, entry->hour, entry->minute,
                         entry->second, &c->moment)) {
        c->verdict = ZoneVerdict::NoZone;
        return;
    }
    const ZoneMoment& m = c->moment;
    if (!WholeHours(m.before) || !WholeHours(m.after)) {
        c->verdict = ZoneVerdict::NotWholeHours;
    } else if (m.kind == ClockTimeKind::Skipped) {
        c->verdict = ZoneVerdict::SkippedTime;
    } else {
        bool agrees = same_reading(entry, m.before) || same_reading(entry, m.after);
        c->verdict = agrees ? ZoneVerdict::Agrees : ZoneVerdict::Disagrees;
    }
}

void FormatZoneDisagreement(int row, const PersonEntry* e, const ZoneComparison* c, char* text, int size) {
    const ZoneMoment& m = c->moment;
    char head[1300];
    char where[1100];
    if (c->nearestKm >= 0)
        std::snprintf(where, sizeof where, "%s (nearest place, %.0f km)", c->place.name, c->nearestKm);
    else
        std::snprintf(where, sizeof where, "%s", c->place.name);
    std::snprintf(head, sizeof head, "row %d, %s %02d.%02d.%04d %02d:%02d:%02d: table zone %d, summer time %d",
                  row, where, e->day, e->month, e->year, e->hour, e->minute, e->second,
                  e->timeZone, e->summerTime);
    if (c->verdict == ZoneVerdict::SkippedTime) {
        std::snprintf(text, size, "%s; tz database: the clocks skipped this time (%s)", head, c->place.zone);
    } else if (m.kind == ClockTimeKind::Repeated) {
        std::snprintf(text, size, "%s; tz database zone %d, summer time %d or %d (%s, repeated hour)", head,
                      m.before.standardSeconds / 3600, m.before.summerSeconds / 3600,
                      m.after.summerSeconds / 3600, c->place.zone);
    } else {
        std::snprintf(text, size, "%s; tz database zone %d, summer time %d (%s, %s)", head,
                      m.before.standardSeconds / 3600, m.before.summerSeconds / 3600, c->place.zone,
                      m.before.abbreviation);
    }
}

static const char* const kUncheckedNames[kUncheckedReasonCount] = {
    "fields unusable",           "not in the place table", "place farther than the lookup accepts",
    "zone unknown to the tz database", "local mean time",   "offset no whole hour",
    "zone taken from the tz database"};

UncheckedReason DescribeUncheckedRow(int row, const PersonEntry* e, const ZoneComparison* c,
                                     char* text, int size) {
    const ZoneMoment& m = c->moment;
    if (c->verdict == ZoneVerdict::NotInPlaceTable) {
        FoundPlace far{};
        double km = 0;
        if (FindPlaceAnyDistance(e->place, decimal_degrees(e->longitudeDegrees, e->longitudeMinutes),
                                 decimal_degrees(e->latitudeDegrees, e->latitudeMinutes), &far, &km)) {
            std::snprintf(text, size, "row %d, place \"%s\": '%s' is in the place table %.0f km away", row,
                          e->place, far.name, km);
            return kUncheckedPlaceFar;
        }
        std::snprintf(text, size, "row %d, place \"%s\": not in the place table", row, e->place);
        return kUncheckedNotInPlaceTable;
    }
    if (c->verdict == ZoneVerdict::NoZone) {
        std::snprintf(text, size, "row %d, place \"%s\": the place table gives no zone the tz database knows (\"%s\")",
                      row, e->place, c->place.zone);
        return kUncheckedNoZone;
    }
    const ZoneOffsets& o = WholeHours(m.before) ? m.after : m.before;
    char offset[32];
    FormatOffset(o.standardSeconds + o.summerSeconds, offset, sizeof offset);
    const bool lmt = std::strcmp(o.abbreviation, "LMT") == 0;
    const bool meanTime = IsMeanTime(o);
    std::snprintf(text, size, "row %d, %s %02d.%02d.%04d %02d:%02d:%02d: not checked, %s (tz database %s, %s, %s)",
                  row, c->place.name, e->day, e->month, e->year, e->hour, e->minute, e->second,
                  lmt ? "local mean time" : meanTime ? "mean time" : "the offset is no whole hour", offset,
                  o.abbreviation, c->place.zone);
    return meanTime ? kUncheckedLocalMeanTime : kUncheckedNotWholeHours;
}

UncheckedReason ReasonOfRowProblems(const RowCheck* check) {
    for (int i = 0; i < check->count; ++i)
        if (check->problems[i].fault == kRowFieldNoWholeHours)
            return std::strstr(check->problems[i].text, "LMT") ? kUncheckedLocalMeanTime
                                                               : kUncheckedNotWholeHours;
    return kUncheckedFields;
}

void FormatUncheckedCounts(const UncheckedCounts* counts, char* text, int size) {
    int total = 0;
    for (int n : counts->count) total += n;
    int used = std::snprintf(text, size, "rows not checked against the tz database: %d", total);
    const char* separator = " (";
    for (int r = 0; r < kUncheckedReasonCount && used > 0 && used < size; ++r) {
        if (counts->count[r] == 0) continue;
        used += std::snprintf(text + used, size - used, "%s%s %d", separator, kUncheckedNames[r], counts->count[r]);
        separator = ", ";
    }
    if (total > 0 && used > 0 && used < size) std::snprintf(text + used, size - used, ")");
}

// The problems of one row; their number. A row not compared with the tz database is named with
// the reason and counted.
static int check_row(PersonTable* table, int row, std::FILE* out, UncheckedCounts* unchecked) {
    PersonEntry entry{};
    RowCheck check;
    bool readable = ReadPersonTableRow(table, row, &entry, &check);
    char line[1600];
    for (int i = 0; i < check.count; ++i) {
        FormatRowProblem(&check.problems[i], line, sizeof line);
        std::fprintf(out, "%s\n", line);
    }
    if (table->note[0]) std::fprintf(out, "%s\n", table->note);
    int problems = check.count;
    // Without coordinates the place cannot be told apart from others of its name, and without
    // date and time the database has nothing to say.
    bool placeUsable = true, momentUsable = true;
    for (int i = 0; i < check.count; ++i) {
        int f = check.problems[i].field;
        if (f == kPersonLongitude || f == kPersonLatitude) placeUsable = false;
        if (f == kPersonDate || f == kPersonTime || f == kPersonZone || f == kPersonSummerTime)
            momentUsable = false;
    }
    if (!placeUsable) {
        ++unchecked->count[ReasonOfRowProblems(&check)];
        return problems;
    }
    ZoneComparison c;
    CompareEntryZone(&entry, &c);
    // The note said where zone and summer time came from: nothing to compare them with. A place
    // name that is not in the place table there is still a problem of the row.
    if (readable && table->note[0] && c.verdict != ZoneVerdict::NotInPlaceTable) {
        ++unchecked->count[kUncheckedZoneFromDatabase];
        return problems;
    }
    if (c.verdict == ZoneVerdict::NotInPlaceTable || c.verdict == ZoneVerdict::NoZone) {
        ++unchecked->count[DescribeUncheckedRow(row + 1, &entry, &c, line, sizeof line)];
        std::fprintf(out, "%s\n", line);
        return problems + 1;
    }
    if (!momentUsable || !readable) {
        ++unchecked->count[ReasonOfRowProblems(&check)];
        return problems;
    }
    if (c.verdict == ZoneVerdict::NotWholeHours) {
        ++unchecked->count[DescribeUncheckedRow(row + 1, &entry, &c, line, sizeof line)];
        std::fprintf(out, "%s\n", line);
        return problems;
    }
    if (c.verdict == ZoneVerdict::Disagrees || c.verdict == ZoneVerdict::SkippedTime) {
        FormatZoneDisagreement(row + 1, &entry, &c, line, sizeof line);
        std::fprintf(out, "%s\n", line);
        return problems + 1;
    }
    return problems;
}

int CheckPersonTable(const char* path, std::FILE* out) {
    PersonTable table;
    char why[300];
    switch (OpenPersonTable(&table, path, why, sizeof why)) {
    case TableOpen::Opened:
        break;
    case TableOpen::CannotOpen:
        std::fprintf(out, "%s: cannot be opened as an xBase table\n", path);
        return kTableCheckUnreadable;
    case TableOpen::NotPersonTable:
        std::fprintf(out, "%s: has %d fields, a person table needs %d\n", path, uxxbase_field_count(&table.dbf),
                     kPersonFieldCount);
        ClosePersonTable(&table);
        return kTableCheckUnreadable;
    case TableOpen::CsvUnusable:
        std::fprintf(out, "%s: %s\n", path, why);
        return kTableCheckUnreadable;
    }
    char note[200];
    PersonTableImportNote(&table, note, sizeof note);
    if (note[0]) std::fprintf(out, "%s: %s\n", path, note);
    int rows = PersonTableRows(&table);
    int problems = 0;
    UncheckedCounts unchecked{};
    for (int row = 0; row < rows; ++row) problems += check_row(&table, row, out, &unchecked);
    ClosePersonTable(&table);
    std::fprintf(out, "%s: %d rows, %d problems\n", path, rows, problems);
    char line[400];
    FormatUncheckedCounts(&unchecked, line, sizeof line);
    std::fprintf(out, "%s\n", line);
    return problems == 0 ? kTableCheckClean : kTableCheckProblems;
}
