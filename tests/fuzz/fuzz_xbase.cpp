// The xBase table reader: the input is a .dbf file; it is opened, every field of every row is
// read, searched, sorted, appended to and closed again.
#include <cstdint>
#include <cstdio>

#include "tests/fuzz/fuzz_support.h"
#include "toolkit/data/uxxbase.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > 1 << 16 || !fuzz_write_file("table.dbf", data, size)) return 0;
    uxXBase table;
    if (!uxxbase_open(&table, fuzz_path("table.dbf"))) return 0;
    int rows = uxxbase_count(&table), fields = uxxbase_field_count(&table);
    char name[16], value[512];
    for (int f = -1; f <= fields; ++f) {
        uxxbase_field_name(&table, f, name, sizeof name);
        uxxbase_field_length(&table, f);
    }
    for (int r = -1; r <= rows && r < 200; ++r)
        for (int f = -1; f <= fields; ++f) uxxbase_read_field(&table, r, f, value, sizeof value);
    int matches[8];
    if (fields > 0) {
        uxxbase_read_field(&table, 0, 0, value, sizeof value);
        uxxbase_find_exact(&table, 0, value, matches, 8);
        uxxbase_find_prefix(&table, 0, "a", matches, 8);
        if (rows < 200) uxxbase_sort(&table, fields - 1);
    }
    if (uxxbase_append(&table) >= 0) uxxbase_write_field(&table, 0, "%s", "fuzz");
    uxxbase_delete(&table, 0);
    uxxbase_close(&table);
    uxxbase_destroy(&table);
    return 0;
}
