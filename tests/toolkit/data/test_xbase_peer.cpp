// Tables exchanged with other dBase implementations (Debian's python3-dbfread and
// python3-pyshp), and the shipped place table read by both sides.

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <sys/resource.h>

#include "tests/toolkit/data/test_xbase_tables.h"
#include "toolkit/data/uxxbase.h"

using namespace xbase_test;

namespace {

const std::string PEER_DIR = std::string(VV_SOURCE_DIR) + "/tests/toolkit/data/peer_xbase/";
const char* PYTHON = "/usr/bin/python3";

struct RunResult {
    int status;
    std::string output;
};

RunResult run(const std::string& command)
{
    RunResult result{-1, ""};
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return result;
    char chunk[4096];
    size_t n;
    while ((n = fread(chunk, 1, sizeof chunk, pipe)) > 0) result.output.append(chunk, n);
    result.status = pclose(pipe);
    return result;
}

bool peers_available()
{
    return run(std::string(PYTHON) + " -c 'import dbfread, shapefile' 2>/dev/null").status == 0;
}

std::string read(uxXBase* t, int row, int field)
{
    char buffer[200];
    uxxbase_read_field(t, row, field, buffer, sizeof buffer);
    return buffer;
}

class XBasePeer : public ::testing::Test {
protected:
    std::string dir = scratch_dir(::testing::UnitTest::GetInstance()->current_test_info()->name());
    uxXBase table;

    void SetUp() override
    {
        if (!peers_available()) GTEST_SKIP() << "python3-dbfread or python3-pyshp missing";
    }
    void TearDown() override
    {
        uxxbase_destroy(&table);
        std::filesystem::remove_all(dir);
    }
};

TEST_F(XBasePeer, TableWrittenHereReadsWithDbfread)
{
    std::string path = dir + "/personen.dbf";
    write_file(path, table_bytes({{"NAME", 'C', 20, 0}, {"ORT", 'C', 12, 0}, {"ZONE", 'C', 4, 0}},
                                 {}));
    ASSERT_TRUE(uxxbase_open(&table, path.c_str()));
    const char* names[] = {"Zimmermann", "Ahrens", "M\xfcller", "Weg"};
    for (const char* name : names) {
        ASSERT_GE(uxxbase_append(&table), 0);
        uxxbase_write_field(&table, 0, "%s", name);
        uxxbase_write_field(&table, 1, "%s", "Z\xfcrich");
        uxxbase_write_field(&table, 2, "%2d", -5);
    }
    ASSERT_TRUE(uxxbase_delete(&table, 3));
    ASSERT_TRUE(uxxbase_sort(&table, 0));
    uxxbase_close(&table);

    RunResult r = run(std::string(PYTHON) + " " + PEER_DIR + "read_with_dbfread.py " + path);
    ASSERT_EQ(r.status, 0) << r.output;
    EXPECT_EQ(r.output, "count 3\n"
                        "fields NAME,ORT,ZONE\n"
                        "Ahrens\tZ\xfcrich\t-5\n"
                        "M\xfcller\tZ\xfcrich\t-5\n"
                        "Zimmermann\tZ\xfcrich\t-5\n");
}

// The header counts a new record as soon as it is in the file, and an append the disk refuses
// leaves the file as it was: both sides read the same rows at every moment.
TEST_F(XBasePeer, AppendKeepsCountAndRecordsInStepAlsoWhenTheDiskIsFull)
{
    std::string path = dir + "/personen.dbf";
    write_file(path, table_bytes({{"NAME", 'C', 20, 0}}, {{{"Ahrens"}, false}}));
    ASSERT_TRUE(uxxbase_open(&table, path.c_str()));
    ASSERT_EQ(uxxbase_append(&table), 1);
    ASSERT_TRUE(uxxbase_write_field(&table, 0, "Weg"));
    // read while the table is still open, as after a crash
    RunResult r = run(std::string(PYTHON) + " " + PEER_DIR + "read_with_dbfread.py " + path);
    EXPECT_EQ(r.output, "count 2\nfields NAME\nAhrens\nWeg\n");

    std::vector<unsigned char> before = read_file(path);
    struct rlimit saved;
    getrlimit(RLIMIT_FSIZE, &saved);
    struct rlimit full = saved;
    full.rlim_cur = before.size();   // a file size limit refuses growth as a full disk does
    auto old_handler = std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &full);
    const char* texts[] = {"Zimmermann"};
    int added = uxxbase_append_record(&table, texts, 1);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, old_handler);
    EXPECT_EQ(added, -1);
    EXPECT_EQ(uxxbase_count(&table), 2);
    EXPECT_EQ(read_file(path), before);
    EXPECT_TRUE(uxxbase_close(&table));
    r = run(std::string(PYTHON) + " " + PEER_DIR + "read_with_dbfread.py " + path);
    EXPECT_EQ(r.output, "count 2\nfields NAME\nAhrens\nWeg\n");
    ASSERT_TRUE(uxxbase_open(&table, path.c_str()));
    EXPECT_EQ(uxxbase_count(&table), 2);
}

TEST_F(XBasePeer, TableWrittenByPyshpReadsHere)
{
    std::string path = dir + "/pyshp.dbf";
    RunResult r = run(std::string(PYTHON) + " " + PEER_DIR + "write_with_pyshp.py " + path);
    ASSERT_EQ(r.status, 0) << r.output;
    ASSERT_TRUE(uxxbase_open(&table, path.c_str()));
    ASSERT_EQ(uxxbase_field_count(&table), 4);
    EXPECT_EQ(uxxbase_field_length(&table, 1), 10);   // numeric with 2 decimals
    ASSERT_EQ(uxxbase_count(&table), 3);
    EXPECT_EQ(read(&table, 0, 0), "Z\xfcrich");
    EXPECT_EQ(read(&table, 0, 1), "     12.50");
    EXPECT_EQ(read(&table, 0, 2), "20240131");
    EXPECT_EQ(read(&table, 0, 3), "T");
    EXPECT_EQ(read(&table, 1, 1), "     -3.25");
    EXPECT_EQ(read(&table, 2, 0), "Garmisch-Partenkirch");
    int found[4];
    EXPECT_EQ(uxxbase_find_exact(&table, 0, "wien", found, 4), 1);
    EXPECT_EQ(found[0], 1);

    // and an edit made here is seen by dbfread
    ASSERT_EQ(uxxbase_append(&table), 3);
    uxxbase_write_field(&table, 0, "Bern");
    uxxbase_write_field(&table, 1, "%10.2f", 7.0);
    uxxbase_write_field(&table, 3, "?");   // the date stays blank: 8 digits would be cut to 7
    uxxbase_close(&table);
    r = run(std::string(PYTHON) + " " + PEER_DIR + "read_with_dbfread.py " + path);
    ASSERT_EQ(r.status, 0) << r.output;
    EXPECT_NE(r.output.find("count 4\n"), std::string::npos) << r.output;
    EXPECT_NE(r.output.find("Bern\t7.0\tNone\tNone\n"), std::string::npos) << r.output;
}

TEST_F(XBasePeer, ShippedPlaceTableReadsOnBothSides)
{
    std::string shipped = std::string(VV_SOURCE_DIR) + "/data/orte_ori.dbf";
    RunResult r = run(std::string(PYTHON) + " " + PEER_DIR + "check_places.py " + shipped);
    EXPECT_EQ(r.status, 0) << r.output;

    std::string path = dir + "/orte.dbf";
    std::filesystem::copy_file(shipped, path);
    ASSERT_TRUE(uxxbase_open(&table, path.c_str()));
    ASSERT_EQ(uxxbase_field_count(&table), 6);
    int found[20];
    ASSERT_EQ(uxxbase_find_exact(&table, 0, "berlin", found, 20), 1);
    EXPECT_EQ(read(&table, found[0], 1), "Deutschland, Berlin");
    EXPECT_EQ(read(&table, found[0], 2), "1");
    EXPECT_EQ(read(&table, found[0], 5), "Europe/Berlin");
    ASSERT_EQ(uxxbase_find_exact(&table, 0, "Z\xfcrich", found, 20), 1);
    EXPECT_EQ(read(&table, found[0], 3), "8:33");
    ASSERT_EQ(uxxbase_find_exact(&table, 0, "WIEN", found, 20), 1);
    EXPECT_EQ(read(&table, found[0], 4), "48:13");

    // west and south: the minutes are added to the negative degrees
    ASSERT_EQ(uxxbase_find_exact(&table, 0, "los angeles", found, 20), 1);
    int degrees = 0, minutes = 0;
    ASSERT_EQ(sscanf(read(&table, found[0], 3).c_str(), "%d:%d", &degrees, &minutes), 2);
    EXPECT_EQ(degrees, -119);
    EXPECT_NEAR(degrees + minutes / 60.0, -118.24, 0.02);
    int sydney = uxxbase_find_exact(&table, 0, "sydney", found, 20);
    ASSERT_GE(sydney, 1);
    ASSERT_EQ(sscanf(read(&table, found[0], 4).c_str(), "%d:%d", &degrees, &minutes), 2);
    EXPECT_NEAR(degrees + minutes / 60.0, -33.87, 0.02);

    // no exact name is so common that the place chooser could not offer it
    EXPECT_LE(uxxbase_find_exact(&table, 0, "neukirchen", found, 20), 20);
    EXPECT_GT(uxxbase_find_prefix(&table, 0, "frankfurt", found, 20), 1);
    uxxbase_close(&table);
    EXPECT_EQ(read_file(path), read_file(shipped));
}

}  // namespace
