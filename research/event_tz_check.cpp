// Event rows against the tz database: the commonest reason why an event's moment is wrong is a
// wrong zone or summer-time hour, so the analysis lists the rows where the table and the
// database disagree, and goes on with the table's values.

#include "research/event_tz_check.h"

#include <cstdio>

#include "records/person_rows.h"
#include "records/table_check.h"
#include "shell/output.h"
#include "toolkit/data/uxxbase.h"

static const char* const kTzCheckFile = "tzcheck.txt";

// "tzcheck.txt" is written for every run that reads a table, also when nothing could be checked,
// so that it never shows the rows of an earlier run.
void CheckEventZones(uxXBase* table, int firstRow, int count) {
    std::FILE* file = std::fopen(kTzCheckFile, "w");
    if (!file) Print("\n E R R O R writing %s \n", kTzCheckFile);
    bool readable = table->is_open && IsPersonTable(table);
    int rows = readable ? uxxbase_count(table) : 0;
    int checked = 0, disagreeing = 0;
    char line[1600];
    for (int k = 0; k < count; ++k) {
        int row = firstRow + k;
        if (row < 0 || row >= rows) break;
        PersonEntry entry{};
        RowCheck problems;
        // rows with unusable fields are the row reader's to report
        if (!ReadCheckedPersonRow(table, row, &entry, &problems)) continue;
        ZoneComparison c;
        CompareEntryZone(&entry, &c);
        if (c.verdict == ZoneVerdict::NotInPlaceTable || c.verdict == ZoneVerdict::NoZone ||
            c.verdict == ZoneVerdict::NotWholeHours)
            continue;
        ++checked;
        if (c.verdict == ZoneVerdict::Agrees) continue;
        if (disagreeing == 0) Print("\n Zone or summer time differ from the tz database (also in %s):", kTzCheckFile);
        ++disagreeing;
        FormatZoneDisagreement(row + 1, &entry, &c, line, sizeof line);
        Print("\n %s", line);
        if (file) std::fprintf(file, "%s\n", line);
    }
    Print("\n tz check: %d rows with a place of the place table, %d disagree; the analysis uses the table's values\n",
          checked, disagreeing);
    if (file) {
        std::fprintf(file, "%d rows with a place of the place table checked, %d disagree\n", checked, disagreeing);
        std::fclose(file);
    }
}
