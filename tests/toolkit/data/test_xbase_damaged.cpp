// Damaged and truncated tables: open refuses impossible headers, and nothing that opens can
// make the table code read or write outside the records the file holds.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/toolkit/data/test_xbase_tables.h"
#include "toolkit/data/uxxbase.h"

using namespace xbase_test;

namespace {

std::vector<Field> fields()
{
    return {{"NAME", 'C', 10, 0}, {"ORT", 'C', 8, 0}};
}

std::vector<unsigned char> sound_table(int rows)
{
    std::vector<Row> r;
    for (int i = 0; i < rows; i++) r.push_back({{"Name" + std::to_string(i), "Ort"}, i == 1});
    return table_bytes(fields(), r);
}

void put16(std::vector<unsigned char>& b, size_t at, unsigned v)
{
    b[at] = (unsigned char)(v & 0xff);
    b[at + 1] = (unsigned char)(v >> 8);
}

class DamagedTable : public ::testing::Test {
protected:
    std::string dir = scratch_dir(::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::string path = dir + "/damaged.dbf";
    uxXBase table;

    // Writes the bytes, expects open to fail, and checks the file was left untouched.
    void expect_refused(const std::vector<unsigned char>& bytes)
    {
        write_file(path, bytes);
        EXPECT_FALSE(uxxbase_open(&table, path.c_str()));
        EXPECT_FALSE(table.is_open);
        EXPECT_EQ(uxxbase_count(&table), 0);
        EXPECT_EQ(uxxbase_append(&table), -1);
        uxxbase_close(&table);
        EXPECT_EQ(read_file(path), bytes);
    }
    void TearDown() override
    {
        uxxbase_destroy(&table);
        std::filesystem::remove_all(dir);
    }
};

TEST_F(DamagedTable, ImpossibleHeadersFailToOpen)
{
    std::vector<unsigned char> b = sound_table(3);
    put16(b, 8, 20);   // header length below 33
    expect_refused(b);

    b = sound_table(3);
    put16(b, 8, (unsigned)b.size() + 1);   // header length beyond the file
    expect_refused(b);

    b = sound_table(3);
    put16(b, 10, 0);   // zero record length
    expect_refused(b);

    b = sound_table(3);
    put16(b, 10, 12);   // fields of 10 + 8 bytes do not fit into 12
    expect_refused(b);

    b = sound_table(3);
    b[32 + 16] = 0xff;   // first field claims 65290 bytes (long character length)
    b[32 + 17] = 0xff;
    expect_refused(b);

    expect_refused({});
    expect_refused({0x03, 1, 2, 3, 4, 5, 6, 7, 8, 9});
    b = sound_table(0);
    b.resize(32);   // the fixed header alone
    expect_refused(b);
}

TEST_F(DamagedTable, TruncatedRecordsAreNotCounted)
{
    std::vector<unsigned char> b = sound_table(5);
    int h = 32 + 2 * 32 + 1, r = 19;
    b.resize((size_t)(h + 3 * r + 7));   // three whole records and part of the fourth
    write_file(path, b);
    ASSERT_TRUE(uxxbase_open(&table, path.c_str()));
    EXPECT_EQ(table.record_count, 3);
    EXPECT_EQ(uxxbase_count(&table), 2);   // record 1 is deleted
    char buffer[20];
    EXPECT_TRUE(uxxbase_read_field(&table, 1, 0, buffer, sizeof buffer));
    EXPECT_STREQ(buffer, "Name2");
    EXPECT_FALSE(uxxbase_read_field(&table, 2, 0, buffer, sizeof buffer));
    uxxbase_close(&table);
    EXPECT_EQ(read_file(path), b);   // only reading: the header stays as it was

    // an appended record follows the whole records, and the header then tells the truth
    ASSERT_TRUE(uxxbase_open(&table, path.c_str()));
    int row = uxxbase_append(&table);
    EXPECT_EQ(row, 1);   // the deleted record 1 is reused
    uxxbase_set_no_reuse(&table, true);
    EXPECT_EQ(uxxbase_append(&table), 3);
    EXPECT_TRUE(uxxbase_write_field(&table, 0, "Neu"));
    uxxbase_close(&table);
    std::vector<unsigned char> after = read_file(path);
    EXPECT_EQ(after[4], 4);
    ASSERT_EQ(after.size(), (size_t)(h + 4 * r + 1));
    EXPECT_EQ(std::string(after.begin() + h + 3 * r + 1, after.begin() + h + 3 * r + 4), "Neu");
}

TEST_F(DamagedTable, UnusualButPossibleHeadersOpen)
{
    // descriptors end at the terminator even when the header is longer
    std::vector<unsigned char> b = sound_table(2);
    std::vector<unsigned char> longer(b.begin(), b.begin() + 97);
    longer.insert(longer.end(), 40, 0);   // padding behind the terminator
    longer.insert(longer.end(), b.begin() + 97, b.end());
    put16(longer, 8, 97 + 40);
    write_file(path, longer);
    ASSERT_TRUE(uxxbase_open(&table, path.c_str()));
    EXPECT_EQ(uxxbase_field_count(&table), 2);
    char buffer[20];
    EXPECT_TRUE(uxxbase_read_field(&table, 0, 1, buffer, sizeof buffer));
    EXPECT_STREQ(buffer, "Ort");

    // a record count far beyond the file
    b = sound_table(2);
    b[4] = b[5] = b[6] = b[7] = 0xff;
    write_file(path, b);
    ASSERT_TRUE(uxxbase_open(&table, path.c_str()));
    EXPECT_EQ(table.record_count, 2);
    EXPECT_EQ(uxxbase_count(&table), 1);
}

// Random damage to the header of a sound table: whatever opens must survive every operation,
// and the file may only change inside its header and records (plus the end-of-data mark).
TEST_F(DamagedTable, RandomHeaderDamageNeverEscapesTheFile)
{
    srand(12345);
    for (int round = 0; round < 400; round++) {
        std::vector<unsigned char> b = sound_table(4);
        int changes = 1 + rand() % 4;
        for (int c = 0; c < changes; c++) b[(size_t)(rand() % 97)] = (unsigned char)(rand() % 256);
        write_file(path, b);
        if (!uxxbase_open(&table, path.c_str())) continue;
        char buffer[64];
        int found[4];
        for (int f = -1; f <= uxxbase_field_count(&table); f++) {
            for (int r = -1; r <= uxxbase_count(&table); r++)
                uxxbase_read_field(&table, r, f, buffer, sizeof buffer);
            uxxbase_find_exact(&table, f, "name0", found, 4);
            uxxbase_find_prefix(&table, f, "N", found, 4);
        }
        uxxbase_sort(&table, 0);
        uxxbase_delete(&table, 0);
        uxxbase_append(&table);
        uxxbase_write_field(&table, 0, "%s", "abcdefghijklmnopqrstuvwxyz");
        long long limit = (long long)table.header_length +
                          (long long)table.record_count * table.record_length + 1;
        uxxbase_close(&table);
        EXPECT_LE((long long)read_file(path).size(), std::max(limit, (long long)b.size()));
    }
}

}  // namespace
