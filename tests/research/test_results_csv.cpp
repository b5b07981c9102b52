// The labelled result tables: RFC 4180 quoting, UTF-8 texts, numbers that read back exactly,
// and tables that are put in place only with the rest of their run's files.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "research/module_files.h"
#include "research/results_csv.h"

namespace {

class ResultsCsvFiles : public ::testing::Test {
protected:
    void SetUp() override {
        previous_ = std::filesystem::current_path();
        dir_ = std::filesystem::temp_directory_path() /
               ("vv_results_csv_" +
                std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
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
    std::filesystem::path previous_, dir_;
};

TEST_F(ResultsCsvFiles, TextsAreQuotedInUtf8AndNumbersReadBackExactly) {
    static const char* const columns[] = {"name", "value", "missing", nullptr};
    ResultsCsv* csv = OpenResultsCsv("t.csv", columns);
    ASSERT_NE(csv, nullptr);
    CsvText(csv, "M\xfcller, \"Hans\"");  // Latin-1 u-umlaut, a comma and quotes
    const double third = 1.0 / 3.0;
    CsvNumber(csv, third);
    CsvEmpty(csv);
    CsvEndRow(csv);
    ASSERT_TRUE(CloseResultsCsv(csv));
    const std::string text = Contents("t.csv");
    EXPECT_EQ(text,
              "\"name\",\"value\",\"missing\"\r\n"
              "\"M\xc3\xbcller, \"\"Hans\"\"\",0.33333333333333331,\r\n");
    EXPECT_EQ(std::strtod("0.33333333333333331", nullptr), third);
}

TEST_F(ResultsCsvFiles, TableOfAFailedRunIsNotPutInPlace) {
    double m[kCorrelationKinds][kMatrixSize][kMatrixSize] = {};
    BeginModuleFiles();
    ASSERT_TRUE(WriteMatrixCsv("continuum.csv", m, 9));
    std::filesystem::create_directory("datord.txt");  // cannot be written
    testing::internal::CaptureStdout();
    EXPECT_FALSE(WriteInt("datord.txt", 3));
    EXPECT_FALSE(EndModuleFiles());
    testing::internal::GetCapturedStdout();
    EXPECT_FALSE(std::filesystem::exists("continuum.csv"));
    EXPECT_EQ(ModuleRunFileCount(), 0);

    BeginModuleFiles();
    ASSERT_TRUE(WriteMatrixCsv("continuum.csv", m, 10));
    EXPECT_TRUE(EndModuleFiles());
    ASSERT_EQ(ModuleRunFileCount(), 1);
    EXPECT_STREQ(ModuleRunFileName(0), "continuum.csv");
    // 121 elements, 11 row sums and one matrix sum per kind, and the header.
    const std::string text = Contents("continuum.csv");
    int rows = 0;
    for (char c : text) rows += c == '\n';
    EXPECT_EQ(rows, 1 + 4 * (121 + 11 + 1));
    EXPECT_NE(text.find("\"element\",\"DA\",\"IC\",\"Pluto\",0\r\n"), std::string::npos);
}

}  // namespace
