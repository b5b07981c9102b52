// The value-pair files of the optimal curve: counts, short and missing files, the saved layout.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "research/value_pairs.h"

namespace {

class ValuePairs : public ::testing::Test {
protected:
    void SetUp() override {
        previous_ = std::filesystem::current_path();
        dir_ = std::filesystem::temp_directory_path() /
               ("vv_value_pairs_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::filesystem::remove_all(dir_);
        std::filesystem::create_directories(dir_);
        std::filesystem::current_path(dir_);
        ::testing::internal::CaptureStdout();  // the module's messages
    }
    void TearDown() override {
        Output();
        std::filesystem::current_path(previous_);
        std::filesystem::remove_all(dir_);
    }
    std::string Output() {
        if (capturing_) output_ = ::testing::internal::GetCapturedStdout();
        capturing_ = false;
        return output_;
    }
    static void Write(const char* name, const std::string& text) {
        std::ofstream(name, std::ios::binary) << text;
    }
    static std::string Contents(const char* name) {
        std::ifstream in(name, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
    std::filesystem::path previous_, dir_;
    bool capturing_ = true;
    std::string output_;
};

TEST_F(ValuePairs, CountIsReadPrintedAndLimited) {
    int count = 0;
    Write("xny.txt", "7\n");
    ASSERT_TRUE(ReadPairCount(1000, &count));
    EXPECT_EQ(count, 7);
    Write("xny.txt", "5000\n");
    ASSERT_TRUE(ReadPairCount(1000, &count));
    EXPECT_EQ(count, 1000);
    Write("xny.txt", "0\n");
    EXPECT_FALSE(ReadPairCount(1000, &count));
    Write("xny.txt", "");
    EXPECT_FALSE(ReadPairCount(1000, &count));
    std::filesystem::remove("xny.txt");
    EXPECT_FALSE(ReadPairCount(1000, &count));
    std::string out = Output();
    EXPECT_NE(out.find(" number of value: 7 "), std::string::npos);
    EXPECT_NE(out.find("We use 1000."), std::string::npos);
    EXPECT_NE(out.find("xny.txt gives no value pairs"), std::string::npos);
    EXPECT_NE(out.find("The file xny.txt is missing"), std::string::npos);
}

TEST_F(ValuePairs, ShortFilesGiveTheCompletePairsOnly) {
    Write("x.txt", "1\n2\n3\n");
    Write("y.txt", "10\n20\n30\n40\n");
    double x[5] = {-1, -1, -1, -1, -1}, y[5] = {-1, -1, -1, -1, -1};
    EXPECT_EQ(ReadPairValues(5, x, y), 3);
    EXPECT_EQ(x[2], 3.0);
    EXPECT_EQ(y[3], 40.0);
    EXPECT_EQ(x[3], -1.0);  // nothing invented past the end of x.txt
    EXPECT_EQ(x[4], -1.0);
    EXPECT_EQ(y[4], -1.0);
    std::string out = Output();
    EXPECT_NE(out.find("xny.txt gives 5 value pairs, but x.txt holds 3 and y.txt 4 values"),
              std::string::npos);
    EXPECT_NE(out.find("We use the first 3 value pairs."), std::string::npos);
    EXPECT_NE(out.find("\n x: 3.00 "), std::string::npos);
    EXPECT_NE(out.find("\n y: 40.00 "), std::string::npos);
}

TEST_F(ValuePairs, LongerFilesAndOverlongLinesAreReadByCount) {
    std::string longLine(600, '7');
    Write("x.txt", "1.5\n" + longLine + "\n2.5\n9\n");
    Write("y.txt", "-1\n-2\n-3\n-4\n");
    double x[3] = {}, y[3] = {};
    EXPECT_EQ(ReadPairValues(3, x, y), 3);
    EXPECT_EQ(x[0], 1.5);
    EXPECT_GT(x[1], 1e300);  // the first characters; the rest is not a value of its own
    EXPECT_EQ(x[2], 2.5);
    EXPECT_EQ(y[2], -3.0);
}

TEST_F(ValuePairs, MissingOrEmptyFiles) {
    double x[2] = {}, y[2] = {};
    Write("y.txt", "1\n2\n");
    EXPECT_EQ(ReadPairValues(2, x, y), -1);
    Write("x.txt", "1\n2\n");
    Write("y.txt", "");
    EXPECT_EQ(ReadPairValues(2, x, y), 0);
    std::string out = Output();
    EXPECT_NE(out.find("The file x.txt is missing"), std::string::npos);
    EXPECT_EQ(out.find("We use the first 0"), std::string::npos);
}

TEST_F(ValuePairs, WrittenFilesReadBack) {
    const double x[3] = {3, -0.25, 1e6}, y[3] = {1, 2, 0.0000004};
    const double huge[3] = {1e300, -1.7976931348623157e308, 1e-7};
    ASSERT_TRUE(WritePairs(3, x, y));
    EXPECT_EQ(Contents("xny.txt"), "3\n");
    EXPECT_EQ(Contents("x.txt"), "3.000000\n-0.250000\n1000000.000000\n");
    EXPECT_EQ(Contents("y.txt"), "1.000000\n2.000000\n0.000000\n");
    int count = 0;
    double rx[3], ry[3];
    ASSERT_TRUE(ReadPairCount(1000, &count));
    EXPECT_EQ(ReadPairValues(count, rx, ry), 3);
    EXPECT_EQ(rx[1], -0.25);
    // The largest values need more than 300 characters a line and still come back whole.
    ASSERT_TRUE(WritePairs(3, huge, huge));
    ASSERT_EQ(ReadPairValues(3, rx, ry), 3);
    EXPECT_EQ(rx[0], 1e300);
    EXPECT_EQ(ry[1], -1.7976931348623157e308);
    EXPECT_EQ(rx[2], 0.0);  // "%f" keeps six decimals
}

}  // namespace
