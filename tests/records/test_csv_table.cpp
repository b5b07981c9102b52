// CSV person tables: the sources' forms of names, dates, offsets and coordinates become the
// values a .dbf row holds; bad fields are named by row, column and text; without an offset the
// tz database decides and the row says so.

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "records/csv_table.h"
#include "records/places.h"
#include "tests/toolkit/data/test_xbase_tables.h"

namespace {

class CsvTables : public ::testing::Test {
protected:
    CsvTable table;
    void SetUp() override {
        std::string path = xbase_test::scratch_dir("csv") + "/orte.dbf";
        xbase_test::write_file(
            path, xbase_test::table_bytes(
                      {{"NAME", 'C', 40, 0}, {"LAND", 'C', 40, 0}, {"ZONE", 'C', 4, 0},
                       {"LAENGE", 'C', 8, 0}, {"BREITE", 'C', 8, 0}, {"IANAZONE", 'C', 40, 0}},
                      {{{"Paris", "Frankreich", "1", "2:21", "48:51", "Europe/Paris"}, false},
                       {{"Anglet", "Frankreich", "1", "-2:29", "43:29", "Europe/Paris"}, false}}));
        ASSERT_TRUE(UsePlaceTable(path.c_str()));
    }
    void TearDown() override { ClosePlaceTable(); }
    void Parse(const std::string& text) {
        char why[200];
        ASSERT_TRUE(ParseCsvTable(text.data(), text.size(), &table, why, sizeof why)) << why;
    }
    // The problem lines of a row, or its note when it has none.
    std::string Read(int row, PersonEntry* e) {
        RowCheck check;
        char note[400];
        std::string lines;
        if (ReadCsvPersonRow(&table, row, e, &check, note, sizeof note)) return note;
        for (int i = 0; i < check.count; ++i) {
            char line[200];
            FormatRowProblem(&check.problems[i], line, sizeof line);
            lines += std::string(line) + "\n";
        }
        return lines;
    }
};

TEST_F(CsvTables, SourcesFormsBecomeTheTablesValues) {
    // Gauquelin-style: one name column, ISO date-time with offset, decimal degrees; a city
    // district finds its city, whose tz database splits +2 of September 1944 into 0 and 2.
    Parse("NUM,NAME,DATE,PLACE,LON,LAT\n"
          "1,DUPONT Jean Paul,1944-09-01T12:05:30.250+02:00,PARIS 8E,2.31667,48.86667\n");
    PersonEntry e{};
    EXPECT_EQ(Read(0, &e), "");
    EXPECT_STREQ(e.name, "DUPONT");
    EXPECT_STREQ(e.firstName, "Jean Paul");
    EXPECT_EQ(e.year * 10000 + e.month * 100 + e.day, 19440901);
    EXPECT_EQ(e.hour * 10000 + e.minute * 100 + e.second, 120530);
    EXPECT_EQ(e.longitudeDegrees * 100 + e.longitudeMinutes, 219);
    EXPECT_EQ(e.latitudeDegrees, 48);
    EXPECT_EQ(e.latitudeMinutes, 52);
    EXPECT_EQ(e.timeZone, 0);  // WEMT
    EXPECT_EQ(e.summerTime, 2);

    // Enigma-style and others: ";", "D:M:S:H" coordinates, the three date forms, zone and
    // summer-time columns, the west-positive offset column, UTF-8 with a letter Latin-1 lacks.
    Parse("Id;Name;Vorname;Longitude;Latitude;Date;Time;Zone;DST;TZ_WEST\n"
          "1;M\xc3\xbcller;\xc5\x81ukasz;10:55:0:E;33:52:30:S;17. 9.1937;17:00;1;0;\n"
          "2;B;C;10:55:0:W;48:51:0:N;19370917;17:00:00;;;5\n"
          "3;B;C;-0.56667;48.85;1937-09-17;17;-3;1;\n");
    EXPECT_EQ(table.replacedLetters, 1);
    EXPECT_EQ(Read(0, &e), "");
    EXPECT_STREQ(e.name, "M\xfcller");
    EXPECT_STREQ(e.firstName, "?ukasz");
    EXPECT_EQ(e.longitudeDegrees * 100 + e.longitudeMinutes, 1055);
    EXPECT_EQ(e.latitudeDegrees, -34);  // -33.875: degrees rounded down
    EXPECT_EQ(e.latitudeMinutes, 8);
    EXPECT_EQ(e.timeZone, 1);
    EXPECT_EQ(e.summerTime, 0);
    EXPECT_EQ(Read(1, &e), "");
    EXPECT_EQ(e.longitudeDegrees, -11);
    EXPECT_EQ(e.longitudeMinutes, 5);
    EXPECT_EQ(e.timeZone, -5);  // five hours west
    EXPECT_EQ(Read(2, &e), "");
    EXPECT_EQ(e.longitudeDegrees, -1);  // -0.56667 is "-1.26": degrees rounded down
    EXPECT_EQ(e.longitudeMinutes, 26);
    EXPECT_EQ(e.timeZone, -3);
    EXPECT_EQ(e.summerTime, 1);
}

TEST_F(CsvTables, GauquelinsPublishedColumnsAreRead) {
    // The published A-series file: tab-separated, the date and the clock time in three columns
    // each, coordinates as degrees, hemisphere letter and minutes ("48N 0" with a blank), the
    // offset west positive once its column is named TZ_WEST. Bad numbers name their column.
    Parse("PRO\tNUM\tCOU\tDAY\tMON\tYEA\tH\tMN\tSEC\tTZ_WEST\tLAT\tLON\tCOD\tCITY\n"
          "C\t1\tF\t17\t9\t1937\t17\t0\t0\t0\t48N 0\t4W 6\t29\tBREST\n"
          "C\t98\tI\t13\t7\t1918\t13\t5\t\t-1\t45N30\t9E15\tMI\tMILANO\n"
          "C\t3\tF\t31\t2\t1937\t1x\t0\t0\t0\t44X50\t0W34\t33\tBORDEAUX\n");
    PersonEntry e{};
    EXPECT_EQ(Read(0, &e), "");
    EXPECT_EQ(e.year * 10000 + e.month * 100 + e.day, 19370917);
    EXPECT_EQ(e.hour * 10000 + e.minute * 100 + e.second, 170000);
    EXPECT_EQ(e.latitudeDegrees * 100 + e.latitudeMinutes, 4800);
    EXPECT_EQ(e.longitudeDegrees, -5);  // 4 deg 6' W is -4.1: degrees rounded down, 54 minutes
    EXPECT_EQ(e.longitudeMinutes, 54);
    EXPECT_EQ(e.timeZone, 0);
    EXPECT_EQ(Read(1, &e), "");
    EXPECT_EQ(e.hour * 10000 + e.minute * 100 + e.second, 130500);  // empty seconds: 0
    EXPECT_EQ(e.longitudeDegrees * 100 + e.longitudeMinutes, 915);
    EXPECT_EQ(e.timeZone, 1);  // -1 west is one hour east
    EXPECT_EQ(Read(2, &e),
              "row 3, DAY \"31.2.1937\": outside its range\n"
              "row 3, H \"1x\": does not parse\n"
              "row 3, LAT \"44X50\": does not parse\n");
}

TEST_F(CsvTables, BadFieldsAreNamedByRowColumnAndText) {
    Parse("name,date,time,lon,lat,offset\n"
          "A,1937-13-45,25:00,abc,48.85,+1\n"
          "B,1937-01-01,12:00,2.35,48.85,+05:30\n"
          "C,1937-01-01,12:00,200,91.5,x\n");
    PersonEntry e{};
    EXPECT_EQ(Read(0, &e),
              "row 1, date \"1937-13-45\": outside its range\n"
              "row 1, time \"25:00\": outside its range\n"
              "row 1, lon \"abc\": does not parse\n");
    EXPECT_EQ(Read(1, &e), "row 2, offset \"+05:30\": no whole hours, which zone and summer time "
                           "cannot hold\n");
    EXPECT_EQ(Read(2, &e),
              "row 3, lon \"200\": outside its range\n"
              "row 3, lat \"91.5\": outside its range\n"
              "row 3, offset \"x\": does not parse\n");
    EXPECT_EQ(Read(3, &e), "row 4: the table has no such row\n");

    char why[200];
    std::string noDate = "name,lon,lat\nA,1,2\n";
    EXPECT_FALSE(ParseCsvTable(noDate.data(), noDate.size(), &table, why, sizeof why));
    EXPECT_STREQ(why, "has no date column (see the guide for the header names)");
    std::string badQuote = "name,date,time,lon,lat\nA,\"1937-01-01\"x,12:00,1,2\n";
    EXPECT_FALSE(ParseCsvTable(badQuote.data(), badQuote.size(), &table, why, sizeof why));
    EXPECT_EQ(std::string(why).substr(0, 7), "line 2:");
}

TEST_F(CsvTables, WithoutAnOffsetTheTzDatabaseDecidesAndTheRowSaysSo) {
    Parse("name,date,time,place,lon,lat\n"
          "A,1960-07-01,12:00,Paris,2.35,48.85\n"
          "B,1960-01-01,12:00,,-1.4,43.5\n"
          "C,1889-05-06,12:00,Paris,2.35,48.85\n");
    PersonEntry e{};
    EXPECT_EQ(Read(0, &e), "row 1: zone 1, summer time 0 from the tz database (Europe/Paris, CET)");
    EXPECT_EQ(Read(1, &e), "row 2: no place name; nearest place Anglet, 10 km away, zone 1, summer "
                           "time 0 from the tz database (Europe/Paris, CET)");
    EXPECT_EQ(Read(2, &e), "row 3, time zone (tz database) \"Europe/Paris +0:09:21 LMT\": local "
                           "mean time, which zone and summer time cannot hold\n");
}

}  // namespace
