// The person-row reader: the input is a person or event table; every row is read with every
// field checked, its problems are formatted, and a row that passes becomes a record whose
// Julian day is computed, as the event analysis does with it.
//
// Each table format is one entry of kSources: a file name for the input and a reader that
// opens it and hands every row to check_row. A new format (CSV, ...) adds one entry and its
// seeds to corpus/persons.
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "astro/julian.h"
#include "records/person_rows.h"
#include "records/person_table.h"
#include "records/persons.h"
#include "tests/fuzz/fuzz_support.h"
#include "toolkit/data/uxxbase.h"

namespace {

// A row the reader passed must be a moment the astronomy can take.
void check_row(const PersonEntry& entry, bool passed, const RowCheck& check) {
    char line[256];
    for (int i = 0; i < check.count; ++i) FormatRowProblem(&check.problems[i], line, sizeof line);
    if (!passed) return;
    RowCheck again;
    if (!CheckPersonEntry(&entry, 1, &again)) std::abort();  // the two checks must agree
    PersonRecord record;
    PersonRecordFromEntry(&entry, &record);
    if (!std::isfinite(RecordJulianDay(record))) std::abort();
}

void read_dbf(const char* path) {
    uxXBase table;
    if (!uxxbase_open(&table, path)) return;
    if (IsPersonTable(&table)) {
        int rows = uxxbase_count(&table);
        for (int r = -1; r <= rows && r < 300; ++r) {
            PersonEntry entry = {};
            RowCheck check;
            bool passed = ReadCheckedPersonRow(&table, r, &entry, &check);
            check_row(entry, passed, check);
        }
    }
    uxxbase_close(&table);
    uxxbase_destroy(&table);
}

// A CSV table through the one call every module opens tables with.
void read_csv(const char* path) {
    PersonTable table;
    char why[300];
    if (OpenPersonTable(&table, path, why, sizeof why) == TableOpen::Opened) {
        int rows = PersonTableRows(&table);
        for (int r = -1; r <= rows && r < 300; ++r) {
            PersonEntry entry = {};
            RowCheck check;
            bool passed = ReadPersonTableRow(&table, r, &entry, &check);
            check_row(entry, passed, check);
        }
    }
    ClosePersonTable(&table);
}

struct RowSource {
    const char* file;            // the input is written to this file in the work folder
    void (*read)(const char* path);
};

const RowSource kSources[] = {
    {"table.dbf", read_dbf},
    {"table.csv", read_csv},
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > 1 << 16) return 0;
    for (const RowSource& source : kSources)
        if (fuzz_write_file(source.file, data, size)) source.read(fuzz_path(source.file));
    return 0;
}
