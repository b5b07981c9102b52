// Person rows: the stored field formats and their round trip, sorting after a write, fields
// that do not parse, the list rows of the chooser, the chooser's buttons and the hand-over to
// the modules.

#include <csignal>
#include <string>
#include <vector>

#include <sys/resource.h>

#include "records/persons.h"
#include "records/places.h"
#include "tests/records/dialog_driver.h"
#include "tests/toolkit/data/test_xbase_tables.h"
#include "toolkit/widgets/uxlistbox.h"
#include "toolkit/data/uxxbase.h"

namespace {

using dialog_driver::seen;
using xbase_test::Row;

std::vector<unsigned char> PersonTable(const std::vector<Row>& rows, char dateType = 'C') {
    return xbase_test::table_bytes({{"NAME", 'C', 40, 0}, {"VORNAME", 'C', 40, 0}, {"ORT", 'C', 40, 0},
                                    {"LAENGE", 'C', 8, 0}, {"BREITE", 'C', 8, 0}, {"ZONE", 'C', 4, 0},
                                    {"DATUM", dateType, dateType == 'D' ? 8 : 11, 0},
                                    {"ZEIT", 'C', 9, 0}, {"SOMMERZEIT", 'C', 4, 0}},
                                   rows);
}

Row Person(const std::string& name, const std::string& first = "Anna", const std::string& place = "Ulm",
           const std::string& date = "14. 3.1879", const std::string& time = "10:50:02") {
    return {{name, first, place, "  9.59", " 48.24", " 1", date, time, " 0"}, false};
}

PersonEntry Entry(const char* name, const char* first) {
    PersonEntry e = {};
    std::snprintf(e.name, sizeof e.name, "%s", name);
    std::snprintf(e.firstName, sizeof e.firstName, "%s", first);
    std::snprintf(e.place, sizeof e.place, "%s", "Rio de Janeiro");
    e.day = 5, e.month = 11, e.year = 1931;
    e.hour = 7, e.minute = 5, e.second = 9;
    e.summerTime = 1, e.timeZone = -3;
    e.longitudeDegrees = 7, e.longitudeMinutes = 5;
    e.latitudeDegrees = -23, e.latitudeMinutes = 6;
    return e;
}

class Persons : public dialog_driver::DialogTest {
protected:
    uxXBase table;
    void TearDown() override {
        uxxbase_close(&table);
        ClosePlaceTable();
        DialogTest::TearDown();
    }
    void Open(const std::vector<Row>& rows, char dateType = 'C') {
        xbase_test::write_file("p.dbf", PersonTable(rows, dateType));
        ASSERT_TRUE(uxxbase_open(&table, "p.dbf"));
    }
    std::string Field(int row, int field) {
        char text[100];
        uxxbase_read_field(&table, row, field, text, sizeof text);
        return text;
    }
    // The raw field bytes with their padding.
    std::string RawField(int row, int field) {
        std::vector<unsigned char> bytes = xbase_test::read_file("p.dbf");
        int offset = table.header_length + table.live[row] * table.record_length + table.field_offsets[field];
        return std::string(bytes.begin() + offset, bytes.begin() + offset + table.field_lengths[field]);
    }
};

// A dBase date field (as peer tools write tables) holds "YYYYMMDD", read and written as such.
TEST_F(Persons, DbaseDateFieldsAreReadAndWrittenAsDates) {
    Open({Person("Bach", "Anna", "Ulm", "19500315")}, 'D');
    PersonEntry e = Entry("Drummond", "Carlos");
    ASSERT_TRUE(WritePersonRow(&table, &e));
    EXPECT_EQ(Field(1, 6), "19311105");
    PersonEntry read = {};
    ReadPersonRow(&table, &read, 0);
    EXPECT_EQ(read.day * 1000000 + read.month * 10000 + read.year, 15031950);
}

TEST_F(Persons, WrittenFieldsUseTheTableFormatsAndReadBack) {
    Open({});
    PersonEntry written = Entry("Drummond", "Carlos");
    WritePersonRow(&table, &written);
    uxxbase_close(&table);
    ASSERT_TRUE(uxxbase_open(&table, "p.dbf"));
    ASSERT_EQ(uxxbase_count(&table), 1);
    EXPECT_EQ(RawField(0, 3).substr(0, 7), "  7.05 ");
    EXPECT_EQ(Field(0, 4), "-23.06");
    EXPECT_EQ(Field(0, 5), "-3");
    EXPECT_EQ(Field(0, 6), " 5.11.1931");
    EXPECT_EQ(Field(0, 7), " 7:05:09");
    EXPECT_EQ(Field(0, 8), " 1");

    PersonEntry read = {};
    ReadPersonRow(&table, &read, 0);
    EXPECT_STREQ(read.name, "Drummond");
    EXPECT_STREQ(read.firstName, "Carlos");
    EXPECT_STREQ(read.place, "Rio de Janeiro");
    EXPECT_EQ(read.longitudeDegrees, 7);
    EXPECT_EQ(read.longitudeMinutes, 5);
    EXPECT_EQ(read.latitudeDegrees, -23);
    EXPECT_EQ(read.latitudeMinutes, 6);
    EXPECT_EQ(read.day, 5);
    EXPECT_EQ(read.month, 11);
    EXPECT_EQ(read.year, 1931);
    EXPECT_EQ(read.hour, 7);
    EXPECT_EQ(read.minute, 5);
    EXPECT_EQ(read.second, 9);
    EXPECT_EQ(read.summerTime, 1);
    EXPECT_EQ(read.timeZone, -3);
}

TEST_F(Persons, WritingSortsTheTableByName) {
    Open({Person("Mitte"), Person("Zeta")});
    PersonEntry e = Entry("alpha", "");
    WritePersonRow(&table, &e);
    e = Entry("Nord", "");
    WritePersonRow(&table, &e);
    ASSERT_EQ(uxxbase_count(&table), 4);
    EXPECT_EQ(Field(0, 0), "alpha");
    EXPECT_EQ(Field(1, 0), "Mitte");
    EXPECT_EQ(Field(2, 0), "Nord");
    EXPECT_EQ(Field(3, 0), "Zeta");
}

TEST_F(Persons, FieldsThatDoNotParseKeepTheirValues) {
    Open({{{"Ohne", "Angaben", "", "", "Nord", "x", "unbekannt", "12", "?"}, false}});
    PersonEntry e = Entry("alt", "alt");
    ReadPersonRow(&table, &e, 0);
    EXPECT_STREQ(e.name, "Ohne");
    EXPECT_STREQ(e.place, "");
    EXPECT_EQ(e.longitudeDegrees, 7);
    EXPECT_EQ(e.latitudeDegrees, -23);
    EXPECT_EQ(e.timeZone, -3);
    EXPECT_EQ(e.day, 5);
    EXPECT_EQ(e.year, 1931);
    EXPECT_EQ(e.hour, 12);   // the part that parsed is taken
    EXPECT_EQ(e.minute, 5);
    EXPECT_EQ(e.summerTime, 1);

    PersonEntry untouched = Entry("alt", "alt");
    ReadPersonRow(&table, &untouched, 1);  // no such row
    EXPECT_STREQ(untouched.name, "alt");
}

class PersonList : public Persons {
protected:
    uxWindow win;
    uxListBox list;
    void SetUp() override {
        Persons::SetUp();
        ASSERT_TRUE(uxwindow_create(&win, "list,x=0,y=0,xs=600,ys=400"));
        uxlistbox_create(&list, "x=50%,y=50%,xs=90%,ys=90%");
    }
    void TearDown() override {
        uxlistbox_destroy(&list);
        uxwindow_destroy(&win);
        Persons::TearDown();
    }
};

TEST_F(PersonList, NamesFillFortyCharactersOrAreCut) {
    std::string first36 = "Maximilian Friedrich Wilhelm Georg";  // 34 characters
    Open({Person("Einstein", "Albert"), Person("Ohnevorname", ""),
          Person("Ludwig Carl", first36),                        // 34 + 1 + 11 = 46
          Person(std::string(40, 'N'), "", "Ort", "1. 1.2000", "1:00:00")});
    uxlistbox_add(&list, "%s", "old row");
    FillPersonList(&table, &list.base);
    ASSERT_EQ(uxlistbox_count(&list), 4);
    char expected[200];
    std::snprintf(expected, sizeof expected, "%-40s%-10s   %-10s%s", "Albert Einstein", "14. 3.1879",
                  "10:50:02", "Ulm");
    EXPECT_STREQ(uxlistbox_row(&list, 0), expected);
    std::snprintf(expected, sizeof expected, "%-40s%-10s   %-10s%s", "Ohnevorname", "14. 3.1879",
                  "10:50:02", "Ulm");
    EXPECT_STREQ(uxlistbox_row(&list, 1), expected);
    std::string row2 = uxlistbox_row(&list, 2);
    EXPECT_EQ(row2.substr(0, 39), (first36 + " Lu").substr(0, 36) + "...");
    EXPECT_EQ(row2.substr(40, 10), "14. 3.1879");
    std::string row3 = uxlistbox_row(&list, 3);
    EXPECT_EQ(row3.substr(0, 40), std::string(40, 'N'));  // exactly 40: not cut
    EXPECT_EQ(row3.substr(40), "1. 1.2000    1:00:00   Ort");
}

TEST_F(Persons, RecordFromEntryCutsTextsToTheRecordFields) {
    PersonEntry e = Entry(std::string(80, 'n').c_str(), "Vera");
    std::snprintf(e.place, sizeof e.place, "%s", std::string(70, 'p').c_str());
    PersonRecord r;
    SamplePerson(&r);
    PersonRecordFromEntry(&e, &r);
    EXPECT_EQ(std::string(r.name), std::string(49, 'n'));
    EXPECT_EQ(std::string(r.place), std::string(51, 'p'));
    EXPECT_STREQ(r.firstName, "Vera");
    EXPECT_EQ(r.timeZone, -3);
    EXPECT_EQ(r.summerTime, 1);
    EXPECT_EQ(r.longitudeMinutes, 5);
    EXPECT_EQ(r.latitudeDegrees, -23);
    EXPECT_EQ(r.year, 1931);
    EXPECT_EQ(r.second, 9);
}

TEST_F(Persons, SamplePersonIsComplete) {
    PersonRecord r;
    SamplePerson(&r);
    EXPECT_GT(std::strlen(r.name), 0u);
    EXPECT_GT(std::strlen(r.firstName), 0u);
    EXPECT_GT(std::strlen(r.place), 0u);
    EXPECT_GE(r.month, 1);
    EXPECT_LE(r.month, 12);
    EXPECT_GE(r.day, 1);
    EXPECT_LE(r.day, 31);
    EXPECT_EQ(r.summerTime, 0);
    EXPECT_EQ(r.timeZone, 1);
    EXPECT_TRUE(r.longitudeDegrees != 0 || r.latitudeDegrees != 0);
}

TEST_F(Persons, UnreadableTableKeepsTheSampleAndSaysSo) {
    Plan({{-1, "OK"}});
    PersonRecord r;
    EXPECT_FALSE(ChoosePerson("fehlt.dbf", &r));
    PersonRecord sample;
    SamplePerson(&sample);
    EXPECT_STREQ(r.name, sample.name);
    EXPECT_EQ(r.year, sample.year);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].title, "message");
    EXPECT_EQ(seen[0].text, "error opening fehlt.dbf");
}

TEST_F(Persons, ChooserTakesTheSelectedRowAndRemembersIt) {
    xbase_test::write_file("c.dbf", PersonTable({Person("Brecht", "Bertolt"), Person("Dietrich", "Marlene"),
                                                 Person("Einstein", "Albert")}));
    // Row 1 chosen; the next time it is preselected.
    Plan({{1, "OK"}, {-1, "OK"}, {-1, "Abbrechen"}});
    PersonEntry e = {};
    ASSERT_TRUE(ChooseData("c.dbf", &e));
    EXPECT_STREQ(e.name, "Dietrich");
    EXPECT_STREQ(e.firstName, "Marlene");
    e = {};
    ASSERT_TRUE(ChooseData("c.dbf", &e));
    EXPECT_STREQ(e.name, "Dietrich");
    EXPECT_EQ(seen[1].selected, 1);
    EXPECT_EQ(seen[1].title, "Choose data");
    PersonRecord r;
    // Abbrechen cancels the module that asked, without an "error opening" message.
    EXPECT_FALSE(ChoosePerson("c.dbf", &r));
    EXPECT_EQ(seen.size(), 3u);
    ASSERT_TRUE(uxevent_cancelled());
    EXPECT_STREQ(uxevent_cancelled(), "Choose data");
    uxevent_clear_cancel();
}

TEST_F(Persons, DeletingRefillsTheListAtRowZero) {
    xbase_test::write_file("c.dbf", PersonTable({Person("Brecht", "Bertolt"), Person("Dietrich", "Marlene"),
                                                 Person("Einstein", "Albert")}));
    Plan({{1, "L\xf6schen"}, {-1, "OK"}});
    PersonRecord r;
    ASSERT_TRUE(ChoosePerson("c.dbf", &r));
    EXPECT_STREQ(r.name, "Brecht");
    EXPECT_EQ(seen[1].rows, 2);
    EXPECT_EQ(seen[1].selected, 0);
    EXPECT_EQ(r.longitudeDegrees, 9);
    EXPECT_EQ(r.latitudeMinutes, 24);
    ASSERT_TRUE(uxxbase_open(&table, "c.dbf"));
    EXPECT_EQ(uxxbase_count(&table), 2);
    EXPECT_EQ(Field(1, 0), "Einstein");
}

// An edit the disk refuses (a file size limit stands in for a full disk) is named, and the
// edited row is still there: the new row is written before the old one is deleted.
TEST_F(Persons, EditThatCannotBeWrittenIsReportedAndLosesNoRow) {
    xbase_test::write_file("c.dbf", PersonTable({Person("Brecht", "Bertolt"), Person("Dietrich", "Marlene")}));
    Plan({{0, "Bearbeiten"}, {-1, "OK"}, {-1, "OK"}, {-1, "Abbrechen"}});
    struct rlimit saved;
    getrlimit(RLIMIT_FSIZE, &saved);
    struct rlimit full = saved;
    full.rlim_cur = xbase_test::read_file("c.dbf").size();
    auto old_handler = std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &full);
    PersonEntry e = {};
    bool chosen = ChooseData("c.dbf", &e);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, old_handler);
    EXPECT_FALSE(chosen);
    ASSERT_EQ(seen.size(), 4u);
    EXPECT_EQ(seen[2].title, "message");
    EXPECT_EQ(seen[2].text, "The table c.dbf could not be written (File too large).");
    ASSERT_TRUE(uxxbase_open(&table, "c.dbf"));
    ASSERT_EQ(uxxbase_count(&table), 2);
    EXPECT_EQ(Field(0, 0), "Brecht");
    EXPECT_EQ(Field(1, 0), "Dietrich");
}

}  // namespace
