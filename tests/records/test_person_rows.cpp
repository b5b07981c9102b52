// Checked person rows: stored formats and dBase date fields are read, every field that does not
// parse or lies out of range is named with its row and text, short tables are reported.

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "records/person_rows.h"
#include "tests/toolkit/data/test_xbase_tables.h"
#include "toolkit/data/uxxbase.h"

namespace {

using xbase_test::Row;

std::vector<xbase_test::Field> Fields(char dateType) {
    return {{"NAME", 'C', 40, 0},  {"VORNAME", 'C', 40, 0}, {"ORT", 'C', 40, 0},
            {"LAENGE", 'C', 8, 0}, {"BREITE", 'C', 8, 0},   {"ZONE", 'N', 4, 0},
            {"DATUM", dateType, dateType == 'D' ? 8 : 11, 0}, {"ZEIT", 'C', 9, 0},
            {"SOMMERZEIT", 'C', 4, 0}};
}

class PersonRows : public ::testing::Test {
protected:
    uxXBase table;
    void TearDown() override { uxxbase_close(&table); }
    void Open(char dateType, const std::vector<Row>& rows) {
        std::string path = xbase_test::scratch_dir("rows") + "/t.dbf";
        xbase_test::write_file(path, xbase_test::table_bytes(Fields(dateType), rows));
        ASSERT_TRUE(uxxbase_open(&table, path.c_str()));
    }
    std::vector<std::string> Lines(const RowCheck& check) {
        std::vector<std::string> lines;
        for (int i = 0; i < check.count; ++i) {
            char text[200];
            FormatRowProblem(&check.problems[i], text, sizeof text);
            lines.push_back(text);
        }
        return lines;
    }
};

TEST_F(PersonRows, StoredFormatsAndDbaseDatesAreRead) {
    Open('D', {{{"Beben", "M 7", "Ort", "-123.27", " 37.45", "  -3", "19500315", "13:12", " 1"},
                false}});
    PersonEntry e = {};
    RowCheck check;
    ASSERT_TRUE(ReadCheckedPersonRow(&table, 0, &e, &check));
    EXPECT_STREQ(e.name, "Beben");
    EXPECT_EQ(e.day, 15);
    EXPECT_EQ(e.month, 3);
    EXPECT_EQ(e.year, 1950);
    EXPECT_EQ(e.hour, 13);
    EXPECT_EQ(e.minute, 12);
    EXPECT_EQ(e.second, 0);
    EXPECT_EQ(e.longitudeDegrees, -123);
    EXPECT_EQ(e.longitudeMinutes, 27);
    EXPECT_EQ(e.latitudeDegrees, 37);
    EXPECT_EQ(e.timeZone, -3);
    EXPECT_EQ(e.summerTime, 1);

    uxxbase_close(&table);
    Open('C', {{{"Dietrich", "Marlene", "Berlin", " 13.21", " 52.29", " 1", "29. 2.1904",
                 "21:15:00", " 0"}, false}});
    ASSERT_TRUE(ReadCheckedPersonRow(&table, 0, &e, &check));
    EXPECT_EQ(e.day, 29);
    EXPECT_EQ(e.year, 1904);
}

TEST_F(PersonRows, EveryBadFieldIsNamedWithRowAndText) {
    Open('C', {{{"Gut", "", "", " 13.21", " 52.29", " 1", " 1. 1.2000", "12:00:00", " 0"}, false},
               {{"Schlecht", "", "", "181.00", "Nord", "x", "99.99.99999", "24:00:00", "1.5"},
                false},
               {{"Februar", "", "", "  0.70", " 10.00", "25", "29. 2.1900", "", ""}, false}});
    PersonEntry e = {};
    e.year = 1234;
    RowCheck check;
    EXPECT_FALSE(ReadCheckedPersonRow(&table, 1, &e, &check));
    EXPECT_EQ(Lines(check), (std::vector<std::string>{
                                "row 2, date \"99.99.99999\": outside its range",
                                "row 2, time \"24:00:00\": outside its range",
                                "row 2, longitude \"181.00\": outside its range",
                                "row 2, latitude \"Nord\": does not parse",
                                "row 2, time zone \"x\": does not parse",
                                "row 2, summer time \"1.5\": does not parse"}));
    EXPECT_EQ(e.year, 1234);  // not taken
    EXPECT_FALSE(ReadCheckedPersonRow(&table, 2, &e, &check));
    EXPECT_EQ(Lines(check), (std::vector<std::string>{
                                "row 3, date \"29. 2.1900\": outside its range",
                                "row 3, time \"\": does not parse",
                                "row 3, longitude \"  0.70\": outside its range",
                                "row 3, time zone \"25\": outside its range",
                                "row 3, summer time \"\": does not parse"}));
    EXPECT_FALSE(ReadCheckedPersonRow(&table, 3, &e, &check));
    EXPECT_EQ(Lines(check), std::vector<std::string>{"row 4: the table has no such row"});
}

TEST_F(PersonRows, EntriesTypedByHandKeepTheSameRanges) {
    PersonEntry e = {};
    e.day = 31, e.month = 2, e.year = 2000, e.hour = 12;
    e.longitudeDegrees = 200, e.latitudeDegrees = 50;
    RowCheck check;
    EXPECT_FALSE(CheckPersonEntry(&e, 2, &check));
    EXPECT_EQ(Lines(check), (std::vector<std::string>{"row 2, date \"31.2.2000\": outside its range",
                                                      "row 2, longitude \"200.00\": outside its range"}));
    e.day = 29, e.longitudeDegrees = -180;
    EXPECT_TRUE(CheckPersonEntry(&e, 2, &check));
}

TEST_F(PersonRows, TableWithTooFewFieldsIsNoPersonTable) {
    std::string path = xbase_test::scratch_dir("short") + "/s.dbf";
    xbase_test::write_file(path, xbase_test::table_bytes({{"NAME", 'C', 10, 0}, {"ZEIT", 'C', 9, 0}},
                                                         {{{"Kurz", "12:00"}, false}}));
    ASSERT_TRUE(uxxbase_open(&table, path.c_str()));
    EXPECT_FALSE(IsPersonTable(&table));
    PersonEntry e = {};
    RowCheck check;
    EXPECT_FALSE(ReadCheckedPersonRow(&table, 0, &e, &check));
    EXPECT_STREQ(e.name, "Kurz");
    ASSERT_GE(check.count, 1);
    EXPECT_EQ(Lines(check)[0], "row 1: the table has no date field");
}

TEST_F(PersonRows, ShippedTablesReadClean) {
    for (const char* name : {"erdbeben.dbf", "personen.dbf"}) {
        std::string path = xbase_test::scratch_dir("shipped") + "/" + name;
        xbase_test::write_file(path, xbase_test::read_file(std::string(VV_SOURCE_DIR) + "/data/" + name));
        ASSERT_TRUE(uxxbase_open(&table, path.c_str()));
        ASSERT_TRUE(IsPersonTable(&table));
        for (int row = 0; row < uxxbase_count(&table); ++row) {
            PersonEntry e = {};
            RowCheck check;
            EXPECT_TRUE(ReadCheckedPersonRow(&table, row, &e, &check)) << name << " " << Lines(check)[0];
        }
        uxxbase_close(&table);
    }
}

}  // namespace
