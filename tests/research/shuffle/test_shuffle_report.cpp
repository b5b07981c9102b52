// The shuffle test's files: the table keeps every digit and quotes its texts, the record keeps
// the 64-bit seed exactly, and the repeat script reads back as the values of the run.

#include <gtest/gtest.h>

#include <csv.h>

#include <cstdlib>
#include <cstring>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "research/shuffle/shuffle_report.h"
#include "toolkit/automation/uxscript.h"

namespace {

ShuffleRun sample_run(bool replication) {
    ShuffleRun run{};
    ShuffleSettings& s = run.settings;
    s.order = 3;
    s.last = 10;
    for (int p = 0; p <= 10; ++p) s.weights[p] = 1.0;
    s.weights[4] = 0.3;  // no short decimal in binary
    s.weights[7] = 0.0;
    s.design = kRandomMomentsOfPeriod;
    s.controlGroups = 100;
    s.replication = replication;
    s.seed = 18446744073709551557ull;  // above 2^63
    std::strcpy(run.tablePath, "/tmp/a \"odd\" name.dbf");
    run.firstRow = 2;
    run.count = 40;
    const int start[6] = {1, 1, 1900, 0, 0, 0}, end[6] = {31, 12, 1989, 23, 59, 0};
    std::memcpy(run.start, start, sizeof start);
    std::memcpy(run.end, end, sizeof end);
    run.result.quantities = {{0, 0, 1}, {1, 4, -1}, {3, -1, -1}};
    ShuffleStatistic a{}, b{}, c{};
    a.pFamily = 0.5;
    a.z = 0.1;
    b.pFamily = 0.01;
    b.z = -1.0 / 3.0;
    b.replicated = true;
    c.pFamily = 0.5;
    c.group = 1e-300;
    run.result.statistics = {a, b, c};
    return run;
}

std::vector<std::vector<std::string>> parse_csv(const std::string& text) {
    struct Rows {
        std::vector<std::vector<std::string>> rows{{}};
    } rows;
    csv_parser parser;
    csv_init(&parser, CSV_STRICT | CSV_STRICT_FINI);
    auto field = [](void* s, size_t n, void* data) {
        static_cast<Rows*>(data)->rows.back().emplace_back(static_cast<char*>(s), n);
    };
    auto row = [](int, void* data) { static_cast<Rows*>(data)->rows.emplace_back(); };
    EXPECT_EQ(csv_parse(&parser, text.data(), text.size(), field, row, &rows), text.size());
    csv_fini(&parser, field, row, &rows);
    csv_free(&parser);
    rows.rows.pop_back();
    return rows.rows;
}

}  // namespace

TEST(ShuffleReport, TableHasItsHeaderEveryDigitAndTheOrderByFamilyWiseP) {
    ShuffleRun run = sample_run(true);
    auto rows = parse_csv(ShuffleTableCsv(run));
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0].size(), 15u);
    EXPECT_EQ(rows[0][12], "p_half_a");
    EXPECT_EQ(rows[2][0], "I");
    EXPECT_EQ(rows[2][1], "Mars");
    EXPECT_EQ(rows[2][2], "sum");
    EXPECT_EQ(std::strtod(rows[2][6].c_str(), nullptr), -1.0 / 3.0);
    EXPECT_EQ(std::strtod(rows[3][3].c_str(), nullptr), 1e-300);
    EXPECT_EQ(rows[2][14], "1");
    EXPECT_EQ(parse_csv(ShuffleTableCsv(sample_run(false)))[0].size(), 12u);
    // Ties keep the order of the list.
    EXPECT_EQ(ShuffleReportOrder(run.result), (std::vector<int>{1, 0, 2}));
}

TEST(ShuffleReport, RecordKeepsTheSeedAndTheParameters) {
    auto record = nlohmann::json::parse(ShuffleRecordJson(sample_run(false)));
    EXPECT_EQ(record["parameters"]["seed"].get<unsigned long long>(), 18446744073709551557ull);
    EXPECT_EQ(record["parameters"]["weights"]["Mars"].get<double>(), 0.3);
    EXPECT_EQ(record["parameters"]["period"]["end"], "1989-12-31 23:59");
    EXPECT_EQ(record["table"]["file"], "a \"odd\" name.dbf");
    EXPECT_EQ(record["table"]["first_row"], 2);
}

// Every line of the script reads back, through the runner's own splitter, as what the run had.
TEST(ShuffleReport, RepeatScriptReadsBackAsTheRunsValues) {
    ShuffleRun run = sample_run(false);
    std::istringstream script(ShuffleRepeatScript(run));
    std::string line;
    std::vector<std::vector<std::string>> commands;
    while (std::getline(script, line)) {
        static char args[16][1024];
        int argc = uxscript_split(line.c_str(), args, 16);
        ASSERT_GE(argc, 0) << line;
        if (argc > 0) commands.emplace_back(args, args + argc);
    }
    auto find = [&](const std::string& command, const std::string& first) {
        for (const auto& c : commands)
            if (c[0] == command && c.size() > 1 && (first.empty() || c[1] == first)) return c;
        return std::vector<std::string>{};
    };
    EXPECT_EQ(commands[0], (std::vector<std::string>{"module-seed", "18446744073709551557"}));
    EXPECT_EQ(find("file", "")[1], "a \"odd\" name.dbf");
    EXPECT_EQ(std::strtod(find("input", "5")[2].c_str(), nullptr), 0.3);
    EXPECT_EQ(find("input", "8")[2], "0");
    EXPECT_EQ(find("click", "3 random moments of a period").size(), 2u);
    size_t start = 0;
    const std::vector<std::string> startDialog = {"expect", "Enter start-date"};
    while (start < commands.size() && commands[start] != startDialog) ++start;
    ASSERT_LT(start + 3, commands.size());
    EXPECT_EQ(commands[start + 3], (std::vector<std::string>{"input", "3", "1900"}));
}
