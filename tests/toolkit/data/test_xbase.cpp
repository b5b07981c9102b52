// Reading, searching, sorting and editing xBase tables in place.

#include <gtest/gtest.h>

#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include "tests/toolkit/data/test_xbase_tables.h"
#include "toolkit/data/uxxbase.h"

using namespace xbase_test;

namespace {

std::vector<Field> place_fields()
{
    return {{"NAME", 'C', 12, 0}, {"LAND", 'C', 1, 0}, {"ZONE", 'C', 4, 0}};
}

std::string read(uxXBase* t, int row, int field)
{
    char buffer[400];
    uxxbase_read_field(t, row, field, buffer, sizeof buffer);
    return buffer;
}

class XBaseTable : public ::testing::Test {
protected:
    std::string dir = scratch_dir(::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::string path = dir + "/table.dbf";
    uxXBase table;

    void make(const std::vector<Field>& fields, const std::vector<Row>& rows)
    {
        write_file(path, table_bytes(fields, rows));
    }
    void TearDown() override
    {
        uxxbase_destroy(&table);
        std::filesystem::remove_all(dir);
    }
};

TEST_F(XBaseTable, LiveIndexSkipsDeletedRecords)
{
    make(place_fields(), {{{"Erster", "D", "1"}, false},
                          {{"Zweiter", "D", "1"}, true},
                          {{"Dritter", "", ""}, false}});
    ASSERT_TRUE(uxxbase_open(&table, path.c_str()));
    EXPECT_EQ(uxxbase_count(&table), 2);
    EXPECT_EQ(read(&table, 0, 0), "Erster");
    EXPECT_EQ(read(&table, 1, 0), "Dritter");
    // one-byte field, all-blank field
    EXPECT_EQ(read(&table, 0, 1), "D");
    EXPECT_EQ(read(&table, 1, 1), "");
    EXPECT_EQ(read(&table, 1, 2), "");
    // rows and fields that do not exist give an empty string
    char buffer[16] = "junk";
    EXPECT_FALSE(uxxbase_read_field(&table, 2, 0, buffer, sizeof buffer));
    EXPECT_STREQ(buffer, "");
    strcpy(buffer, "junk");
    EXPECT_FALSE(uxxbase_read_field(&table, 0, 3, buffer, sizeof buffer));
    EXPECT_STREQ(buffer, "");
    EXPECT_FALSE(uxxbase_read_field(&table, -1, 0, buffer, sizeof buffer));
}

TEST_F(XBaseTable, FieldQueriesAndSmallBuffers)
{
    make(place_fields(), {{{"Garmisch-P", "D", "1"}, false}});
    ASSERT_TRUE(uxxbase_open(&table, path.c_str()));
    EXPECT_EQ(uxxbase_field_count(&table), 3);
    EXPECT_EQ(uxxbase_field_length(&table, 0), 12);
    EXPECT_EQ(uxxbase_field_length(&table, 1), 1);
    EXPECT_EQ(uxxbase_field_length(&table, 7), 0);
    char name[12];
    EXPECT_TRUE(uxxbase_field_name(&table, 2, name, sizeof name));
    EXPECT_STREQ(name, "ZONE");
    EXPECT_TRUE(uxxbase_field_name(&table, 0, name, 3));
    EXPECT_STREQ(name, "NA");
    EXPECT_FALSE(uxxbase_field_name(&table, 3, name, sizeof name));
    // a buffer smaller than the field gets the beginning, terminated
    char small[5];
    EXPECT_TRUE(uxxbase_read_field(&table, 0, 0, small, sizeof small));
    EXPECT_STREQ(small, "Garm");
}

TEST_F(XBaseTable, FindStoresCapacityMinusOneMatches)
{
    std::vector<Row> rows;
    for (int i = 0; i < 20; i++)
        rows.push_back({{i % 4 == 3 ? "Anders" : "Neustadt", "D", "1"}, false});
    make(place_fields(), rows);   // 15 rows "Neustadt", 5 rows "Anders"
    ASSERT_TRUE(uxxbase_open(&table, path.c_str()));
    int found[10];
    for (int& f : found) f = -7;
    EXPECT_EQ(uxxbase_find_exact(&table, 0, "neustadt", found, 10), 15);
    std::vector<int> expected = {0, 1, 2, 4, 5, 6, 8, 9, 10};
    for (int i = 0; i < 9; i++) EXPECT_EQ(found[i], expected[i]);
    EXPECT_EQ(found[9], -7);
    // capacity 1 stores nothing, no array is needed only to count
    EXPECT_EQ(uxxbase_find_prefix(&table, 0, "neu", found, 1), 15);
    EXPECT_EQ(uxxbase_find_prefix(&table, 0, "neu", nullptr, 0), 15);
    EXPECT_EQ(uxxbase_find_exact(&table, 5, "neu", found, 10), 0);
}

TEST_F(XBaseTable, ExactAndPrefixSearchIgnoreCaseAndTrailingBlanks)
{
    make(place_fields(), {{{"BERLIN", "D", "1"}, false},
                          {{"Bern", "C", "1"}, false},
                          {{"bErLiN", "D", "1"}, false},
                          {{"Berlin", "D", "1"}, true},
                          {{"Berlingen", "C", "1"}, false},
                          {{" berlin", "D", "1"}, false}});
    ASSERT_TRUE(uxxbase_open(&table, path.c_str()));
    int found[20];
    ASSERT_EQ(uxxbase_find_exact(&table, 0, "berlin", found, 20), 2);
    EXPECT_EQ(found[0], 0);
    EXPECT_EQ(found[1], 2);
    ASSERT_EQ(uxxbase_find_prefix(&table, 0, "berlin", found, 20), 3);
    EXPECT_EQ(found[2], 3);   // live index of "Berlingen"; the deleted row is skipped
    EXPECT_EQ(uxxbase_find_prefix(&table, 0, "BER", found, 20), 4);
    // the letter case of the search text does not matter either
    EXPECT_EQ(uxxbase_find_exact(&table, 0, "BERLIN", found, 20), 2);
    EXPECT_EQ(uxxbase_find_exact(&table, 0, "", found, 20), 0);
    EXPECT_EQ(uxxbase_find_prefix(&table, 0, "", found, 20), 5);
}

TEST_F(XBaseTable, AppendWriteAndCloseUpdateCountAndDate)
{
    make(place_fields(), {{{"Alt", "D", "1"}, false}});
    ASSERT_TRUE(uxxbase_open(&table, path.c_str()));
    EXPECT_FALSE(uxxbase_write_field(&table, 0, "%s", "nothing appended yet"));
    int row = uxxbase_append(&table);
    EXPECT_EQ(row, 1);
    EXPECT_EQ(uxxbase_count(&table), 2);
    EXPECT_EQ(read(&table, row, 0), "");
    EXPECT_TRUE(uxxbase_write_field(&table, 0, "%s-%d", "Neuort", 12345));   // cut to 11
    EXPECT_TRUE(uxxbase_write_field(&table, 2, "%2d", 1));
    EXPECT_TRUE(uxxbase_write_field(&table, 1, "X"));   // length 1 leaves room for nothing
    EXPECT_FALSE(uxxbase_write_field(&table, 3, "x"));
    uxxbase_close(&table);

    std::vector<unsigned char> bytes = read_file(path);
    ASSERT_GE(bytes.size(), 12u);
    EXPECT_EQ(bytes[4] | bytes[5] << 8 | bytes[6] << 16 | bytes[7] << 24, 2);
    time_t now = time(nullptr);
    struct tm local;
    localtime_r(&now, &local);
    int year = local.tm_year > 100 ? local.tm_year - 100 : local.tm_year;
    EXPECT_EQ(bytes[1], year);
    EXPECT_EQ(bytes[2], local.tm_mon + 1);
    EXPECT_EQ(bytes[3], local.tm_mday);
    int record_length = bytes[10] | bytes[11] << 8;
    int header_length = bytes[8] | bytes[9] << 8;
    ASSERT_EQ(bytes.size(), (size_t)(header_length + 2 * record_length + 1));
    EXPECT_EQ(bytes.back(), 0x1a);
    std::string record(bytes.begin() + header_length + record_length, bytes.end() - 1);
    EXPECT_EQ(record, " Neuort-1234 " " " " 1  ");

    ASSERT_TRUE(uxxbase_open(&table, path.c_str()));
    EXPECT_EQ(uxxbase_count(&table), 2);
    EXPECT_EQ(read(&table, 1, 0), "Neuort-1234");
    EXPECT_EQ(read(&table, 1, 2), " 1");
}

TEST_F(XBaseTable, RewritingAFieldLeavesNoRemainsOfTheOldText)
{
    make(place_fields(), {});
    ASSERT_TRUE(uxxbase_open(&table, path.c_str()));
    EXPECT_EQ(uxxbase_count(&table), 0);
    ASSERT_EQ(uxxbase_append(&table), 0);
    uxxbase_write_field(&table, 0, "Langer Name");
    uxxbase_write_field(&table, 0, "Ulm");
    EXPECT_EQ(read(&table, 0, 0), "Ulm");
}

TEST_F(XBaseTable, AppendReusesDeletedRecordsUnlessNoReuse)
{
    make(place_fields(), {{{"A", "", ""}, false}, {{"B", "", ""}, true}, {{"C", "", ""}, true}});
    ASSERT_TRUE(uxxbase_open(&table, path.c_str()));
    EXPECT_EQ(uxxbase_append(&table), 1);   // physical record 1, the first deleted one
    uxxbase_write_field(&table, 0, "Neu");
    EXPECT_EQ(table.record_count, 3);
    EXPECT_EQ(read(&table, 1, 0), "Neu");
    uxxbase_set_no_reuse(&table, true);
    EXPECT_EQ(uxxbase_append(&table), 2);   // physical record 3, a new one
    EXPECT_EQ(table.record_count, 4);
    EXPECT_EQ(table.last_appended, 3);
    uxxbase_write_field(&table, 0, "Ende");
    uxxbase_close(&table);
    ASSERT_TRUE(uxxbase_open(&table, path.c_str()));
    ASSERT_EQ(uxxbase_count(&table), 3);
    EXPECT_EQ(read(&table, 0, 0), "A");
    EXPECT_EQ(read(&table, 1, 0), "Neu");
    EXPECT_EQ(read(&table, 2, 0), "Ende");
}

TEST_F(XBaseTable, DeleteMarksTheRecord)
{
    make(place_fields(), {{{"A", "", ""}, false}, {{"B", "", ""}, false}});
    ASSERT_TRUE(uxxbase_open(&table, path.c_str()));
    EXPECT_FALSE(uxxbase_delete(&table, 2));
    EXPECT_FALSE(uxxbase_delete(&table, -1));
    EXPECT_TRUE(uxxbase_delete(&table, 0));
    EXPECT_EQ(uxxbase_count(&table), 1);
    EXPECT_EQ(read(&table, 0, 0), "B");
    uxxbase_close(&table);
    std::vector<unsigned char> bytes = read_file(path);
    EXPECT_EQ(bytes[bytes[8] | bytes[9] << 8], '*');
    EXPECT_EQ(bytes[4], 2);   // the physical count keeps the deleted record
}

TEST_F(XBaseTable, SortOrdersLiveRecordsAndKeepsEqualOnesInOrder)
{
    make(place_fields(), {{{"meier", "1", ""}, false},
                          {{"Zander", "2", ""}, false},
                          {{"Aachen", "3", ""}, true},
                          {{"Meier", "4", ""}, false},
                          {{"ahrens", "5", ""}, false},
                          {{"Bauer", "6", ""}, false}});
    ASSERT_TRUE(uxxbase_open(&table, path.c_str()));
    EXPECT_FALSE(uxxbase_sort(&table, 9));
    ASSERT_TRUE(uxxbase_sort(&table, 0));
    std::vector<std::string> names, tags;
    for (int i = 0; i < uxxbase_count(&table); i++) {
        names.push_back(read(&table, i, 0));
        tags.push_back(read(&table, i, 1));
    }
    EXPECT_EQ(names, (std::vector<std::string>{"ahrens", "Bauer", "meier", "Meier", "Zander"}));
    EXPECT_EQ(tags, (std::vector<std::string>{"5", "6", "1", "4", "2"}));
    uxxbase_close(&table);
    // the deleted record stays where it was
    std::vector<unsigned char> bytes = read_file(path);
    int h = bytes[8] | bytes[9] << 8, r = bytes[10];
    EXPECT_EQ(bytes[h + 2 * r], '*');
    EXPECT_EQ(std::string(bytes.begin() + h + 2 * r + 1, bytes.begin() + h + 2 * r + 7), "Aachen");
}

TEST_F(XBaseTable, SortOfASortedTableChangesNothing)
{
    make(place_fields(), {{{"A", "", ""}, false}, {{"b", "", ""}, false}});
    std::vector<unsigned char> before = read_file(path);
    ASSERT_TRUE(uxxbase_open(&table, path.c_str()));
    ASSERT_TRUE(uxxbase_sort(&table, 0));
    EXPECT_FALSE(table.modified);
    uxxbase_close(&table);
    EXPECT_EQ(read_file(path), before);
}

TEST_F(XBaseTable, ReadingOnlyLeavesTheFileAsItWas)
{
    make(place_fields(), {{{"Wien", "A", "1"}, false}});
    std::vector<unsigned char> before = read_file(path);
    ASSERT_TRUE(uxxbase_open(&table, path.c_str()));
    int found[2];
    uxxbase_find_prefix(&table, 0, "w", found, 2);
    read(&table, 0, 0);
    uxxbase_close(&table);
    EXPECT_EQ(read_file(path), before);
}

TEST_F(XBaseTable, ClosedTablesAreHarmless)
{
    EXPECT_FALSE(uxxbase_open(&table, (dir + "/missing.dbf").c_str()));
    EXPECT_FALSE(uxxbase_open(&table, dir.c_str()));   // a directory
    EXPECT_FALSE(uxxbase_open(&table, nullptr));
    EXPECT_EQ(uxxbase_count(&table), 0);
    EXPECT_EQ(uxxbase_append(&table), -1);
    EXPECT_FALSE(uxxbase_delete(&table, 0));
    EXPECT_FALSE(uxxbase_sort(&table, 0));
    EXPECT_EQ(uxxbase_find_exact(&table, 0, "x", nullptr, 0), 0);
    char buffer[4] = "abc";
    EXPECT_FALSE(uxxbase_read_field(&table, 0, 0, buffer, sizeof buffer));
    EXPECT_STREQ(buffer, "");
    uxxbase_close(&table);
    uxxbase_destroy(&table);
    uxxbase_destroy(&table);
}

TEST_F(XBaseTable, OpeningAnotherTableClosesTheFirst)
{
    make(place_fields(), {{{"A", "", ""}, false}});
    std::string other = dir + "/other.dbf";
    write_file(other, table_bytes(place_fields(), {{{"X", "", ""}, false}, {{"Y", "", ""}, false}}));
    ASSERT_TRUE(uxxbase_open(&table, path.c_str()));
    uxxbase_append(&table);
    ASSERT_TRUE(uxxbase_open(&table, other.c_str()));
    EXPECT_EQ(uxxbase_count(&table), 2);
    EXPECT_EQ(read_file(path)[4], 2);   // the first table's header was written back
    uxxbase_destroy(&table);
    uxxbase_destroy(&table);
}

TEST_F(XBaseTable, NumericFieldsUseTheirLengthByteAndLongTextFieldsBoth)
{
    std::vector<Field> fields = {{"WERT", 'N', 10, 2}, {"TEXT", 'C', 300, 0}, {"TAG", 'C', 2, 0}};
    make(fields, {{{"     12.50", std::string(299, 'x') + "y", "ok"}, false}});
    ASSERT_TRUE(uxxbase_open(&table, path.c_str()));
    EXPECT_EQ(uxxbase_field_length(&table, 0), 10);
    EXPECT_EQ(uxxbase_field_length(&table, 1), 300);
    EXPECT_EQ(read(&table, 0, 0), "     12.50");
    EXPECT_EQ(read(&table, 0, 1), std::string(299, 'x') + "y");
    EXPECT_EQ(read(&table, 0, 2), "ok");
}

}  // namespace
