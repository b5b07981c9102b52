// Event rows against the tz database: the commonest reason why an event's moment is wrong is a
// wrong zone or summer-time hour, so the analysis lists the rows where the table and the
// database disagree, and goes on with the table's values.

#include "research/event_tz_check.h"

#include <cstdio>
#include <string>

#include "records/person_rows.h"
#include "records/person_table.h"
#include "records/table_check.h"
#include "shell/output.h"

static const char* const kTzCheckFile = "tzcheck.txt";

// "tzcheck.txt" is written for every run that reads a table, also when nothing could be checked,
// so that it never shows the rows of an earlier run.
void CheckEventZones(PersonTable* table, int firstRow, int count) {
    std::FILE* file = std::fopen(kTzCheckFile, "w");
    if (!file) Print("\n E R R O R writing %s \n", kTzCheckFile);
    int rows = PersonTableIsOpen(table) ? PersonTableRows(table) : 0;
    int checked = 0, disagreeing = 0;
    UncheckedCounts unchecked{};
    char line[1600];
    // Rows not compared are listed after the disagreements, each with its reason.
    std::string notChecked;
    for (int k = 0; k < count; ++k) {
        int row = firstRow + k;
        if (row < 0 || row >= rows) break;
        PersonEntry entry{};
        RowCheck problems;
        // rows with unusable fields are the row reader's to report
        if (!ReadPersonTableRow(table, row, &entry, &problems)) {
            ++unchecked.count[ReasonOfRowProblems(&problems)];
            std::snprintf(line, sizeof line, "row %d: not checked, fields unusable", row + 1);
            notChecked += line;
            notChecked += '\n';
            continue;
        }
        if (table->note[0]) {
            ++unchecked.count[kUncheckedZoneFromDatabase];
            notChecked += table->note;
            notChecked += '\n';
            continue;
        }
        ZoneComparison c;
        CompareEntryZone(&entry, &c);
        if (c.verdict == ZoneVerdict::NotInPlaceTable || c.verdict == ZoneVerdict::NoZone ||
            c.verdict == ZoneVerdict::NotWholeHours) {
            ++unchecked.count[DescribeUncheckedRow(row + 1, &entry, &c, line, sizeof line)];
            notChecked += line;
            notChecked += '\n';
            continue;
        }
        ++checked;
        if (c.verdict == ZoneVerdict::Agrees) continue;
        if (disagreeing == 0) Print("\n Zone or summer time differ from the tz database (also in %s):", kTzCheckFile);
        ++disagreeing;
        FormatZoneDisagreement(row + 1, &entry, &c, line, sizeof line);
        Print("\n %s", line);
        if (file) std::fprintf(file, "%s\n", line);
    }
    if (!notChecked.empty()) {
        Print("\n Rows not checked against the tz database (also in %s):", kTzCheckFile);
        size_t start = 0;
        while (start < notChecked.size()) {
            size_t end = notChecked.find('\n', start);
            Print("\n %s", notChecked.substr(start, end - start).c_str());
            start = end + 1;
        }
        if (file) std::fputs(notChecked.c_str(), file);
    }
    char counts[400];
    FormatUncheckedCounts(&unchecked, counts, sizeof counts);
    Print("\n tz check: %d rows with a place of the place table, %d disagree; the analysis uses the table's values\n",
          checked, disagreeing);
    Print(" %s\n", counts);
    if (file) {
        std::fprintf(file, "%d rows with a place of the place table checked, %d disagree\n", checked, disagreeing);
        std::fprintf(file, "%s\n", counts);
        std::fclose(file);
    }
}
