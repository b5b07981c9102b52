// Parameter and result files: layouts, round trips, and the reports of missing or short files.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "research/matrix_report.h"
#include "research/module_files.h"

namespace {

using Matrix = double[kMatrixSize][kMatrixSize];

// Every test works in a fresh directory of its own, as a module works in the working directory.
class ModuleFiles : public ::testing::Test {
protected:
    void SetUp() override {
        previous_ = std::filesystem::current_path();
        dir_ = std::filesystem::temp_directory_path() /
               ("vv_module_files_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(dir_);
        std::filesystem::create_directories(dir_);
        std::filesystem::current_path(dir_);
    }
    void TearDown() override {
        std::filesystem::current_path(previous_);
        std::filesystem::remove_all(dir_);
    }
    static std::string Contents(const char* name) {
        std::ifstream in(name, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
    static void WriteRaw(const char* name, const std::string& text) {
        std::ofstream(name, std::ios::binary) << text;
    }
    static int Lines(const char* name) {
        std::string text = Contents(name);
        int n = 0;
        for (char c : text) n += c == '\n';
        return n;
    }
    std::filesystem::path previous_, dir_;
};

void Numbered(Matrix m) {
    for (int i = 0; i < kMatrixSize; ++i)
        for (int j = 0; j < kMatrixSize; ++j) m[i][j] = i * 100 + j + 0.25;
}

TEST_F(ModuleFiles, WritersUseOneValuePerLineWithPlainNewlines) {
    int format[2] = {9, 12};
    ASSERT_TRUE(WriteIntList("datdat.txt", format, 2));
    EXPECT_EQ(Contents("datdat.txt"), "9\n12\n");
    double values[2] = {1.0, -0.0000004};
    ASSERT_TRUE(WriteDoubleList("datplanet.txt", values, 2));
    EXPECT_EQ(Contents("datplanet.txt"), "1.000000\n-0.000000\n");
    ASSERT_TRUE(WriteInt("datord.txt", 3));
    EXPECT_EQ(Contents("datord.txt"), "3\n");
}

TEST_F(ModuleFiles, WritersRewriteTheWholeFile) {
    WriteRaw("datord.txt", "12\n7\n7\n7\n");
    ASSERT_TRUE(WriteInt("datord.txt", 4));
    EXPECT_EQ(Contents("datord.txt"), "4\n");
}

TEST_F(ModuleFiles, LayoutLineCountsWithAndWithoutIc) {
    EXPECT_EQ(UpperTriangleLines(9), 45);
    EXPECT_EQ(UpperTriangleLines(10), 55);
    EXPECT_EQ(FullMatrixLines(9), 100);
    EXPECT_EQ(FullMatrixLines(10), 121);
    Matrix m;
    Numbered(m);
    double weights[11] = {};
    for (int last : {9, 10}) {
        ASSERT_TRUE(WriteUpperTriangle("dati.txt", m, last, 1.0));
        EXPECT_EQ(Lines("dati.txt"), UpperTriangleLines(last));
        ASSERT_TRUE(WriteFullMatrix("dath.txt", m, last));
        EXPECT_EQ(Lines("dath.txt"), FullMatrixLines(last));
        ASSERT_TRUE(WritePrincipleList("datplanet.txt", weights, last));
        EXPECT_EQ(Lines("datplanet.txt"), last + 1);
    }
}

TEST_F(ModuleFiles, UpperTriangleIsRowMajorAboveTheDiagonalAndScaled) {
    Matrix m;
    Numbered(m);
    ASSERT_TRUE(WriteUpperTriangle("datz.txt", m, 9, 0.1));
    std::istringstream in(Contents("datz.txt"));
    std::string first, second, tenth;
    std::getline(in, first);   // (0, 1)
    std::getline(in, second);  // (0, 2)
    for (int k = 3; k <= 10; ++k) std::getline(in, tenth);  // the 10th line is (1, 2)
    EXPECT_EQ(first, "0.125000");
    EXPECT_EQ(second, "0.225000");
    EXPECT_EQ(tenth, "10.225000");

    Matrix back = {};
    ASSERT_TRUE(ReadUpperTriangle("datz.txt", back, 9));
    for (int i = 0; i <= 9; ++i)
        for (int j = 0; j <= 9; ++j)
            EXPECT_NEAR(back[i][j], i < j ? m[i][j] * 0.1 : 0.0, 1e-6) << i << "," << j;
}

TEST_F(ModuleFiles, FullMatrixAndListsRoundTrip) {
    Matrix m;
    Numbered(m);
    ASSERT_TRUE(WriteFullMatrix("data.txt", m, 10));
    Matrix back = {};
    ASSERT_TRUE(ReadFullMatrix("data.txt", back, 10));
    for (int i = 0; i <= 10; ++i)
        for (int j = 0; j <= 10; ++j) EXPECT_NEAR(back[i][j], m[i][j], 1e-6);
    EXPECT_EQ(back[11][11], 0.0);  // outside the layout nothing is touched

    double weights[11] = {57.2, 10.24, 0.31, 0.77, 0.3, 1.87, 0.84, 0.28, 0.22, 0.01, 57.2};
    ASSERT_TRUE(WritePrincipleList("datplanet.txt", weights, 10));
    double read[11] = {};
    ASSERT_TRUE(ReadPlanetWeights(read, 10));
    for (int p = 0; p <= 10; ++p) EXPECT_NEAR(read[p], weights[p], 1e-6);

    int years[6] = {1950, 2000, 1, 12, 1, 31};
    ASSERT_TRUE(WriteIntList("startendyear.txt", years, 6));
    int yearsBack[6] = {};
    ASSERT_TRUE(ReadIntList("startendyear.txt", yearsBack, 6));
    for (int k = 0; k < 6; ++k) EXPECT_EQ(yearsBack[k], years[k]);
}

TEST_F(ModuleFiles, IntegersAreTruncated) {
    WriteRaw("values.txt", "9.99\n-3.7\n 12 \r\n");
    int values[3] = {};
    ASSERT_TRUE(ReadIntList("values.txt", values, 3));
    EXPECT_EQ(values[0], 9);
    EXPECT_EQ(values[1], -3);
    EXPECT_EQ(values[2], 12);
}

// A value the writers cannot write is named with its file, line and text, and the reader fails
// as for a missing file: a value out of range, not finite, no number, or too large for an int.
TEST_F(ModuleFiles, ValuesTheWritersCannotWriteAreRefusedByFileLineAndText) {
    struct Case {
        const char* file;
        const char* text;
        const char* shown;
        bool reals = false;
    } cases[] = {
        {"selfkorr.txt", "1e400\n", "line 1: \"1e400\" is no finite number"},
        {"mscontinuum.txt", "1.0\n-nan\n3\n4\n", "line 2: \"-nan\" is no finite number", true},
        {"zshcontinuum.txt", "1\n2\nabc\n", "line 3: \"abc\" is no number", true},
        {"datord.txt", "13\n", "line 1: \"13\" lies outside 1..12"},
        {"autodat.txt", "2\n", "outside 0..1"},
        {"datdat.txt", "10\n0\n", "line 2: \"0\" lies outside 1..2147483647"},
        {"startendyear.txt", "1950\n2000\n1\n13\n1\n1\n", "line 4: \"13\" lies outside 1..12"},
        {"dattimeshifth.txt", "48\n", "outside -47..47"},
        {"significanceh.txt", "0\n3\n", "line 2: \"3\" lies outside 0..2"},
        {"xny.txt", "3e9\n", "\"3e9\" is too large for a whole number"},
        {"juliandat.txt", "2451545.0 x\n", "\"2451545.0 x\" is no number", true},
        {"eventsh.txt", "\x1b[2J\n", "\"?[2J\" is no number", true},
    };
    for (const Case& c : cases) {
        WriteRaw(c.file, c.text);
        double doubles[4] = {};
        int ints[6] = {};
        int lines = 0;
        for (const char* p = c.text; *p; ++p) lines += *p == '\n';
        testing::internal::CaptureStdout();
        bool ok = c.reals ? ReadDoubleList(c.file, doubles, lines) : ReadIntList(c.file, ints, lines);
        std::string out = testing::internal::GetCapturedStdout();
        EXPECT_FALSE(ok) << c.file;
        EXPECT_NE(out.find(std::string("The file ") + c.file + ", "), std::string::npos) << out;
        EXPECT_NE(out.find(c.shown), std::string::npos) << out;
    }
    // The values the writers write pass: a round trip of each parameter file.
    int format[2] = {9, 1}, order = 12, shift = -47;
    ASSERT_TRUE(WriteIntList("datdat.txt", format, 2));
    ASSERT_TRUE(WriteInt("datord.txt", order));
    ASSERT_TRUE(WriteInt("dattimeshifth.txt", shift));
    int last = 0, group = 0;
    EXPECT_TRUE(ReadMatrixFormat(&last, &group));
    EXPECT_TRUE(ReadInt("datord.txt", &order));
    EXPECT_TRUE(ReadInt("dattimeshifth.txt", &shift));
}

TEST_F(ModuleFiles, ExtraLinesAreIgnoredAndLongLinesCountOnce) {
    // 150 digits on one line: one value, not two.
    WriteRaw("long.txt", std::string("1") + std::string(149, '0') + "\n2.5\n3.5\n");
    double values[2] = {};
    ASSERT_TRUE(ReadDoubleList("long.txt", values, 2));
    EXPECT_EQ(values[1], 2.5);
}

TEST_F(ModuleFiles, MissingFileIsReportedByNameAndFails) {
    testing::internal::CaptureStdout();
    double values[10];
    bool ok = ReadPlanetWeights(values, 9);
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_FALSE(ok);
    EXPECT_NE(out.find("datplanet.txt"), std::string::npos) << out;
}

TEST_F(ModuleFiles, ShortFileIsReportedAndLeavesMatricesUntouched) {
    WriteRaw("dati.txt", "1.0\n2.0\n");
    Matrix m = {};
    m[0][1] = 42.0;
    testing::internal::CaptureStdout();
    bool ok = ReadUpperTriangle("dati.txt", m, 9);
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_FALSE(ok);
    EXPECT_EQ(m[0][1], 42.0);
    EXPECT_NE(out.find("dati.txt"), std::string::npos) << out;
    EXPECT_NE(out.find("2 of 45"), std::string::npos) << out;

    WriteRaw("empty.txt", "");
    int value = 7;
    testing::internal::CaptureStdout();
    EXPECT_FALSE(ReadInt("empty.txt", &value));
    testing::internal::GetCapturedStdout();
}

TEST_F(ModuleFiles, MatrixFormatOutsideNineOrTenIsRefused) {
    WriteRaw("datdat.txt", "10\n25\n");
    int last = 0, group = 0;
    ASSERT_TRUE(ReadMatrixFormat(&last, &group));
    EXPECT_EQ(last, 10);
    EXPECT_EQ(group, 25);
    WriteRaw("datdat.txt", "500\n25\n");
    last = 9;
    testing::internal::CaptureStdout();
    EXPECT_FALSE(ReadMatrixFormat(&last, &group));
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(last, 9);
    EXPECT_NE(out.find("datdat.txt"), std::string::npos);
}

TEST_F(ModuleFiles, UnwritableFileIsReportedAndFails) {
    std::filesystem::create_directory("datord.txt");  // a directory cannot be opened as a file
    testing::internal::CaptureStdout();
    bool ok = WriteInt("datord.txt", 3);
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_FALSE(ok);
    EXPECT_NE(out.find("datord.txt"), std::string::npos);
}

TEST_F(ModuleFiles, NonFiniteValuesAreRefusedAndTheOldFilesStay) {
    WriteRaw("dath.txt", "old\n");
    WriteRaw("juliandat.txt", "old\n");
    Matrix m = {};
    m[1][2] = std::fabs(std::nan(""));
    testing::internal::CaptureStdout();
    bool matrix = WriteFullMatrix("dath.txt", m, 9);
    ModuleFile* file = OpenModuleFile("juliandat.txt");
    ASSERT_NE(file, nullptr);
    WriteDoubleLine(file, 2451545.0);
    WriteDoubleLine(file, -HUGE_VAL);
    bool lines = CloseModuleFile(file);
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_FALSE(matrix);
    EXPECT_FALSE(lines);
    EXPECT_EQ(Contents("dath.txt"), "old\n");
    EXPECT_EQ(Contents("juliandat.txt"), "old\n");
    EXPECT_NE(out.find("The file dath.txt would get the value nan in line 13;"), std::string::npos);
    EXPECT_NE(out.find("The file juliandat.txt would get the value -inf in line 2;"),
              std::string::npos);
}

// The shared table printer: rows, cells and sums as the continuum report shows them.
TEST_F(ModuleFiles, ContinuumTableWithoutIcHasTenRowsAndItsSum) {
    Matrix m = {};
    for (int i = 0; i <= 10; ++i)
        for (int j = 0; j <= 10; ++j) m[i][j] = 1.0;
    double rows[kMatrixSize];
    testing::internal::CaptureStdout();
    double sum = PrintMatrixTable(kContinuumTables[kHarmonyKind], m, 9, rows);
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_DOUBLE_EQ(sum, 100.0);
    EXPECT_DOUBLE_EQ(rows[0], 10.0);
    EXPECT_NE(out.find("\nPrinciple    I         II       III"), std::string::npos);
    EXPECT_EQ(out.find("IC"), std::string::npos);
    EXPECT_NE(out.find(" 10   " + std::string("      1.00")), std::string::npos);
    EXPECT_EQ(out.find(" 11   "), std::string::npos);
    EXPECT_NE(out.find("       10.00 \n"), std::string::npos);
    EXPECT_NE(out.find(" Sum of the Matrix H:    100.00 \n"), std::string::npos);
}

TEST_F(ModuleFiles, ContinuumTableWithIcShowsTheIcColumn) {
    Matrix m = {};
    m[10][10] = -2.5;
    double rows[kMatrixSize];
    testing::internal::CaptureStdout();
    double sum = PrintMatrixTable(kContinuumTables[kAbsoluteDynamicsKind], m, 10, rows);
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_DOUBLE_EQ(sum, -2.5);
    EXPECT_NE(out.find("\n Matrix DA First derivation(absolute)"), std::string::npos);
    EXPECT_NE(out.find("IC        SUMME"), std::string::npos);
    EXPECT_NE(out.find(" 11   "), std::string::npos);
    EXPECT_NE(out.find("     -2.50"), std::string::npos);
    EXPECT_NE(out.find(" Sum of the Matrix DA:     -2.50 "), std::string::npos);
}

}  // namespace
