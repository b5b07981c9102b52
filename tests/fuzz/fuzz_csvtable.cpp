// The CSV person-table reader: the input is a CSV file's bytes; it is parsed (encoding,
// delimiter, quotes, header names) and every row is read with its fields checked. No place table
// is in use, so rows without an offset go as far as the place lookup.
#include <cstdint>
#include <cstdio>

#include "records/csv_table.h"
#include "records/places.h"
#include "tests/fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > 1 << 16) return 0;
    static bool once = [] {
        fuzz_enter_workdir();
        UsePlaceTable(fuzz_path("no-place-table.dbf"));  // none: nothing is recreated
        return true;
    }();
    (void)once;
    CsvTable table;
    char why[200];
    if (!ParseCsvTable(reinterpret_cast<const char*>(data), size, &table, why, sizeof why)) return 0;
    int rows = static_cast<int>(table.rows.size());
    for (int row = -1; row <= rows && row < 300; ++row) {
        PersonEntry entry{};
        RowCheck check;
        char note[400], line[200];
        ReadCsvPersonRow(&table, row, &entry, &check, note, sizeof note);
        for (int i = 0; i < check.count; ++i) FormatRowProblem(&check.problems[i], line, sizeof line);
    }
    return 0;
}
