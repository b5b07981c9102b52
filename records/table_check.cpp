// Rows against the tz database, and the table checker.

#include "records/table_check.h"

#include <cstring>

#include "records/person_rows.h"
#include "toolkit/data/uxxbase.h"

static double decimal_degrees(int degrees, int minutes) { return degrees + minutes / 60.0; }

static bool same_reading(const PersonEntry* e, const ZoneOffsets& o) {
    return e->timeZone * 3600 == o.standardSeconds && e->summerTime * 3600 == o.summerSeconds;
}

void CompareEntryZone(const PersonEntry* entry, ZoneComparison* c) {
    c->place = FoundPlace{};
    c->moment = ZoneMoment{};
    if (!FindPlaceNear(entry->place, decimal_degrees(entry->longitudeDegrees, entry->longitudeMinutes),
                       decimal_degrees(entry->latitudeDegrees, entry->latitudeMinutes), &c->place)) {
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
    char head[1200];
    std::snprintf(head, sizeof head, "row %d, %s %02d.%02d.%04d %02d:%02d:%02d: table zone %d, summer time %d",
                  row, c->place.name, e->day, e->month, e->year, e->hour, e->minute, e->second,
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

// The problems of one row; their number.
static int check_row(uxXBase* table, int row, std::FILE* out) {
    PersonEntry entry{};
    RowCheck check;
    bool readable = ReadCheckedPersonRow(table, row, &entry, &check);
    char line[1600];
    for (int i = 0; i < check.count; ++i) {
        FormatRowProblem(&check.problems[i], line, sizeof line);
        std::fprintf(out, "%s\n", line);
    }
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
    if (!placeUsable) return problems;
    ZoneComparison c;
    CompareEntryZone(&entry, &c);
    if (c.verdict == ZoneVerdict::NotInPlaceTable) {
        std::fprintf(out, "row %d, place \"%s\": not in the place table\n", row + 1, entry.place);
        return problems + 1;
    }
    if (c.verdict == ZoneVerdict::NoZone) {
        std::fprintf(out, "row %d, place \"%s\": the place table gives no zone the tz database knows (\"%s\")\n",
                     row + 1, entry.place, c.place.zone);
        return problems + 1;
    }
    if (!momentUsable || !readable) return problems;
    if (c.verdict == ZoneVerdict::Disagrees || c.verdict == ZoneVerdict::SkippedTime) {
        FormatZoneDisagreement(row + 1, &entry, &c, line, sizeof line);
        std::fprintf(out, "%s\n", line);
        return problems + 1;
    }
    return problems;
}

int CheckPersonTable(const char* path, std::FILE* out) {
    uxXBase table;
    if (!uxxbase_open(&table, path)) {
        std::fprintf(out, "%s: cannot be opened as an xBase table\n", path);
        return kTableCheckUnreadable;
    }
    if (!IsPersonTable(&table)) {
        std::fprintf(out, "%s: has %d fields, a person table needs %d\n", path, uxxbase_field_count(&table),
                     kPersonFieldCount);
        uxxbase_close(&table);
        return kTableCheckUnreadable;
    }
    int rows = uxxbase_count(&table);
    int problems = 0;
    for (int row = 0; row < rows; ++row) problems += check_row(&table, row, out);
    uxxbase_close(&table);
    std::fprintf(out, "%s: %d rows, %d problems\n", path, rows, problems);
    return problems == 0 ? kTableCheckClean : kTableCheckProblems;
}
