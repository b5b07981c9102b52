// The place lookup: exact before prefix, letter case, the chooser and its capacity, the message
// when nothing or too much matches, and the recreation of "orte.dbf" from its pristine copy.

#include <string>
#include <vector>

#include "records/places.h"
#include "tests/records/dialog_driver.h"
#include "tests/toolkit/data/test_xbase_tables.h"

namespace {

using dialog_driver::Answer;
using dialog_driver::seen;
using xbase_test::Field;
using xbase_test::Row;

const char* const kNotFound = "Der Ort konnte nicht gefunden werden.";
const char* const kChooserTitle = "Ort w\xe4hlen";

std::vector<unsigned char> PlaceTable(const std::vector<Row>& rows) {
    return xbase_test::table_bytes({{"NAME", 'C', 40, 0}, {"LAND", 'C', 40, 0}, {"ZONE", 'C', 4, 0},
                                    {"LAENGE", 'C', 8, 0}, {"BREITE", 'C', 8, 0}},
                                   rows);
}

Row Place(const std::string& name, const std::string& zone = "1", const std::string& lon = "9:59",
          const std::string& lat = "48:24", bool deleted = false) {
    return {{name, "Deutschland", zone, lon, lat}, deleted};
}

class Places : public dialog_driver::DialogTest {
protected:
    void TearDown() override {
        ClosePlaceTable();
        DialogTest::TearDown();
    }
    static void WriteTable(const char* name, const std::vector<Row>& rows) {
        xbase_test::write_file(name, PlaceTable(rows));
    }
};

TEST_F(Places, ExactMatchBeatsPrefixMatchesInAnyLetterCase) {
    WriteTable("orte.dbf", {Place("Ulmen", "1", "7:04", "50:13"), Place("Ulm", "1", "9:59", "48:24"),
                            Place("Ulmet", "1", "7:28", "49:35")});
    FoundPlace place = {};
    ASSERT_TRUE(FindPlace("Ulm", &place));
    EXPECT_STREQ(place.name, "Ulm");
    EXPECT_EQ(place.longitudeDegrees, 9);
    EXPECT_EQ(place.longitudeMinutes, 59);
    EXPECT_EQ(place.latitudeDegrees, 48);
    EXPECT_EQ(place.latitudeMinutes, 24);
    EXPECT_EQ(place.timeZone, 1);
    ASSERT_TRUE(FindPlace("uLM", &place));
    EXPECT_STREQ(place.name, "Ulm");
    EXPECT_TRUE(seen.empty());  // no chooser, no message
}

TEST_F(Places, SinglePrefixMatchIsTakenAndDeletedRowsAreSkipped) {
    WriteTable("orte.dbf", {Place("Hamburg-Nord", "1", "10:01", "53:35", true), Place("Hamburg", "1", "10:00", "53:33")});
    FoundPlace place = {};
    ASSERT_TRUE(FindPlace("hambu", &place));
    EXPECT_STREQ(place.name, "Hamburg");
    EXPECT_TRUE(seen.empty());
}

TEST_F(Places, WesternAndSouthernCoordinatesKeepTheirSigns) {
    WriteTable("orte.dbf", {Place("New York", "-5", "-74:01", "40:43"), Place("Sydney", "10", "151:12", "-34:08")});
    FoundPlace place = {};
    ASSERT_TRUE(FindPlace("new york", &place));
    EXPECT_EQ(place.timeZone, -5);
    EXPECT_EQ(place.longitudeDegrees, -74);
    EXPECT_EQ(place.longitudeMinutes, 1);
    ASSERT_TRUE(FindPlace("Sydney", &place));
    EXPECT_EQ(place.timeZone, 10);
    EXPECT_EQ(place.latitudeDegrees, -34);
    EXPECT_EQ(place.latitudeMinutes, 8);
}

TEST_F(Places, NothingOrTooMuchShowsTheMessage) {
    std::vector<Row> rows;
    for (int i = 1; i <= 25; ++i) rows.push_back(Place("Bad " + std::to_string(i)));
    WriteTable("orte.dbf", rows);
    Plan({{-1, "OK"}, {-1, "OK"}});
    FoundPlace place = {};
    std::strcpy(place.name, "unchanged");
    EXPECT_FALSE(FindPlace("bad", &place));
    EXPECT_FALSE(FindPlace("Xanten", &place));
    EXPECT_STREQ(place.name, "unchanged");
    ASSERT_EQ(seen.size(), 2u);
    for (const auto& s : seen) {
        EXPECT_EQ(s.title, "message");
        EXPECT_EQ(s.text, kNotFound);
    }
}

TEST_F(Places, TwentyMatchesOfferTheNineteenStored) {
    std::vector<Row> rows;
    for (int i = 10; i < 30; ++i) rows.push_back(Place("Bach " + std::to_string(i)));
    WriteTable("orte.dbf", rows);
    Plan({{3, "OK"}});
    FoundPlace place = {};
    ASSERT_TRUE(FindPlace("Bach", &place));
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].title, kChooserTitle);
    EXPECT_EQ(seen[0].rows, 19);
    EXPECT_STREQ(place.name, "Bach 13");
}

TEST_F(Places, SeveralExactMatchesGoToTheChooserWithTheirRows) {
    WriteTable("orte.dbf", {Place("Essen", "1", "7:01", "51:27"), Place("Essenbach"),
                            Row{{"Essen", "Belgien", "1", "4:28", "51:28"}, false}});
    Plan({{-1, "OK"}, {1, "OK"}, {1, "Abbrechen"}});
    FoundPlace place = {};
    ASSERT_TRUE(FindPlace("Essen", &place));
    EXPECT_EQ(place.longitudeDegrees, 7);  // the first row is preselected
    ASSERT_TRUE(FindPlace("essen", &place));
    EXPECT_EQ(place.longitudeDegrees, 4);
    EXPECT_EQ(place.longitudeMinutes, 28);
    EXPECT_FALSE(FindPlace("Essen", &place));  // cancelled: nothing taken
    EXPECT_EQ(place.longitudeDegrees, 4);
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[0].rows, 2);
    EXPECT_EQ(seen[0].selected, 0);
    char expected[200];
    std::snprintf(expected, sizeof expected, "%-30s %-30s %5s %10s %10s", "Essen", "Belgien", "1", "4:28", "51:28");
    EXPECT_EQ(seen[0].rowTexts[1], expected);
}

TEST_F(Places, MissingOrDamagedTableIsRecreatedFromThePristineCopy) {
    WriteTable("orte_ori.dbf", {Place("Kiel", "1", "10:08", "54:19")});
    FoundPlace place = {};
    ASSERT_TRUE(FindPlace("Kiel", &place));
    EXPECT_EQ(place.latitudeMinutes, 19);
    EXPECT_EQ(xbase_test::read_file("orte.dbf"), xbase_test::read_file("orte_ori.dbf"));
    ClosePlaceTable();

    xbase_test::write_file("orte.dbf", {0x03, 1, 2, 3});  // a header cut short
    ASSERT_TRUE(FindPlace("kiel", &place));
    EXPECT_EQ(xbase_test::read_file("orte.dbf"), xbase_test::read_file("orte_ori.dbf"));
}

// Latin-1 capitals, the zone field, and the quiet lookup of the checks, which tells two places
// of one name apart by their coordinates.
TEST_F(Places, Latin1CaseZoneFieldAndTheQuietLookupByCoordinates) {
    xbase_test::write_file("orte.dbf",
        xbase_test::table_bytes({{"NAME", 'C', 40, 0}, {"LAND", 'C', 40, 0}, {"ZONE", 'C', 4, 0},
                                 {"LAENGE", 'C', 8, 0}, {"BREITE", 'C', 8, 0}, {"IANAZONE", 'C', 40, 0}},
                                {{{"Lemberg", "Ukraine", "2", "24:01", "49:50", "Europe/Kyiv"}, false},
                                 {{"Lemberg", "Deutschland", "1", "7:39", "49:10", "Europe/Berlin"}, false},
                                 {{"M\xfcnchen", "Deutschland", "1", "11:35", "48:08", "Europe/Berlin"}, false}}));
    FoundPlace place = {};
    ASSERT_TRUE(FindPlace("M\xdcNCHEN", &place));
    EXPECT_STREQ(place.name, "M\xfcnchen");
    EXPECT_STREQ(place.zone, "Europe/Berlin");
    ASSERT_TRUE(FindPlace("m\xdcn", &place));
    EXPECT_TRUE(seen.empty());

    ASSERT_TRUE(FindPlaceNear("LEMBERG", 7.7, 49.2, &place));
    EXPECT_STREQ(place.zone, "Europe/Berlin");
    ASSERT_TRUE(FindPlaceNear("lemberg", 24.0, 49.8, &place));
    EXPECT_STREQ(place.zone, "Europe/Kyiv");
    EXPECT_FALSE(FindPlaceNear("Lemberg", 13.4, 52.5, &place));  // a third place of that name
    EXPECT_FALSE(FindPlaceNear("Lemberger", 7.7, 49.2, &place));
    EXPECT_TRUE(seen.empty());
}

TEST_F(Places, WithoutAnyTableEverySearchFailsAndNothingIsCreated) {
    Plan({{-1, "OK"}, {-1, "OK"}});
    FoundPlace place = {};
    EXPECT_FALSE(FindPlace("Kiel", &place));
    EXPECT_FALSE(FindPlace("Ulm", &place));
    EXPECT_EQ(seen.size(), 2u);
    EXPECT_FALSE(std::filesystem::exists("orte.dbf"));
}

}  // namespace
