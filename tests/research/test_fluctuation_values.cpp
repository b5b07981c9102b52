// Expected value-table rows and limit lines of the scripted Planetary fluctuations runs
// (tests/scripts/fluct_*.uxs), computed here straight from the calendar, the positions and the
// moment matrices, and checked against the lines their .expect files look for in text pages 1..4.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "astro/astro_records.h"
#include "astro/julian.h"
#include "astro/positions.h"
#include "astro/wave_tables.h"
#include "research/correlation_matrices.h"
#include "research/planetary_fluctuations.h"

namespace {

struct ScriptRun {
    const char* name;          // tests/scripts/NAME.expect
    int startYear, startMonth, startDay;
    double length;             // days; < 0: up to the first of the month `-length` months on
    int divider;
    int order;
    double weights[11];
    double limits[4];
};

const double kStandard[11] = {57.2, 10.24, 0.31, 0.77, 0.3, 1.87, 0.84, 0.28, 0.22, 0.01, 57.2};

std::vector<ScriptRun> script_runs() {
    std::vector<ScriptRun> runs;
    ScriptRun years{"fluct_years", 1990, 1, 1, 0, 700, 1, {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0},
                    {-1, 1, -10, 10}};
    years.length = JulianDay(2002, 1, 1, 0, 1, 0, 0) - JulianDay(1990, 1, 1, 0, 1, 0, 0);
    runs.push_back(years);
    ScriptRun year{"fluct_year", 2000, 1, 1, 366, 700, 2, {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1},
                   {0, 5, 2, 20}};
    runs.push_back(year);
    ScriptRun month{"fluct_month", 2000, 6, 1, 30, 1000, 3, {}, {-1, 1, -10, 10}};
    for (int p = 0; p < 11; ++p) month.weights[p] = p == 1 ? 0 : kStandard[p];
    runs.push_back(month);
    ScriptRun day{"fluct_day", 2000, 6, 15, 1, 2001, 4, {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0},
                  {-1, 1, -10, 10}};
    runs.push_back(day);
    // Event mode: order and weights from the event analysis (order 3, all 1, no IC).
    ScriptRun events{"fluct_events_outside", 2500, 6, 15, 1, 700, 3,
                     {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0}, {-1, 1, -10, 10}};
    runs.push_back(events);
    // The same with the event analysis's Mars weighted 0.
    ScriptRun quakes{"fluct_events", 1905, 1, 1, 0, 700, 3, {1, 1, 1, 1, 0, 1, 1, 1, 1, 1, 0},
                     {-1, 1, -10, 10}};
    quakes.length = JulianDay(1945, 1, 1, 0, 1, 0, 0) - JulianDay(1905, 1, 1, 0, 1, 0, 0);
    runs.push_back(quakes);
    return runs;
}

// The curves of one kind: row 0 the sum, rows 1..11 the principles.
std::vector<std::vector<double>> curves_of(const ScriptRun& r, int kind) {
    const double start = JulianDay(r.startYear, r.startMonth, r.startDay, 0, 1, 0, 0);
    const double step = r.length / r.divider;
    std::vector<std::vector<double>> rows(12, std::vector<double>(r.divider));
    PersonRecord record{};
    record.latitudeDegrees = 50;
    PositionRecord positions{};
    double m[kMatrixSize][kMatrixSize];
    for (int i = 0; i < r.divider; ++i) {
        CalendarFromJulianDay(start + i * step, &record.year, &record.month, &record.day,
                              &record.hour, &record.minute);
        PlanetPositions(record, &positions);
        if (kind == 0) BuildHarmonyMatrix(r.order, positions.longitude, m);
        else if (kind == 1) BuildEnergyMatrix(r.order, positions.longitude, m);
        else BuildDynamicsMatrix(r.order, positions.longitude, m);
        double sum = 0;
        for (int p = 0; p < 11; ++p) {
            double v = 0;
            for (int q = 0; q < 11; ++q) {
                if (q == p) continue;
                double element = kind == 3 ? std::fabs(std::trunc(m[p][q])) : m[p][q];
                v += element * r.weights[p] * r.weights[q];
            }
            if (r.weights[p] == 0) v = 0.000001;
            rows[p + 1][i] = v;
            sum += v;
        }
        rows[0][i] = sum;
    }
    return rows;
}

std::string table_row(const std::vector<std::vector<double>>& rows, int i) {
    char text[400];
    int n = std::snprintf(text, sizeof text, i <= 9 ? " %i   " : i <= 99 ? " %i  " : " %i ", i);
    for (int p = 1; p <= 11; ++p) n += std::snprintf(text + n, sizeof text - n, "    %7.2f", rows[p][i]);
    std::snprintf(text + n, sizeof text - n, "     %8.2f", rows[0][i]);
    return text;
}

std::string limit_line(const ScriptRun& r, int kind, const std::vector<double>& sum) {
    static const char* const names[4] = {"H:  ", "I:  ", "D:  ", "DA: "};
    const double limit = r.limits[kind];
    int count = 0;
    for (double v : sum) {
        bool over = (kind == 0 || kind == 2) ? (limit < 0 ? v <= limit : v > limit) : v >= limit;
        count += over;
    }
    char text[200];
    std::snprintf(text, sizeof text,
                  "** limit cont %s%3.2f events: %d *  %d events over limit  %3.2f percent **",
                  names[kind], limit, r.divider, count, 100.0 * count / r.divider);
    return text;
}

std::set<std::string> expectations(const char* name) {
    std::ifstream in(std::string(VV_SOURCE_DIR) + "/tests/scripts/" + name + ".expect");
    std::set<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.insert(line);
    return lines;
}

TEST(FluctuationScripts, ExpectFilesHoldTheIndependentlyComputedLines) {
    FillWaveTables();
    static const char* const pages[4] = {"h.txt", "i.txt", "d.txt", "da.txt"};
    for (const ScriptRun& r : script_runs()) {
        std::set<std::string> expected = expectations(r.name);
        ASSERT_FALSE(expected.empty()) << r.name;
        for (int kind = 0; kind < 4; ++kind) {
            auto rows = curves_of(r, kind);
            std::string prefix = std::string("contains ") + pages[kind] + " ";
            std::string limit = prefix + limit_line(r, kind, rows[0]);
            EXPECT_TRUE(expected.count(limit)) << r.name << " lacks:\n" << limit;
            if (r.divider > 1000) continue;
            for (int i : {0, 1, 9, 10, 99, 100, r.divider - 1}) {
                std::string row = prefix + table_row(rows, i);
                EXPECT_TRUE(expected.count(row)) << r.name << " lacks:\n" << row;
            }
        }
    }
}

TEST(FluctuationRules, TriggerLimitsBySignAndKind) {
    // H and D: negative limits count "at or below", zero and positive ones "strictly above".
    for (int kind : {0, 2}) {
        EXPECT_TRUE(FluctuationOverLimit(kind, -1.0, -1.0));
        EXPECT_TRUE(FluctuationOverLimit(kind, -1.0, -7.0));
        EXPECT_FALSE(FluctuationOverLimit(kind, -1.0, -0.99));
        EXPECT_FALSE(FluctuationOverLimit(kind, 0.0, 0.0));
        EXPECT_TRUE(FluctuationOverLimit(kind, 0.0, 1e-9));
        EXPECT_FALSE(FluctuationOverLimit(kind, 10.0, 10.0));
        EXPECT_TRUE(FluctuationOverLimit(kind, 10.0, 10.01));
    }
    // I and DA: always "at or above", whatever the sign of the limit.
    for (int kind : {1, 3}) {
        EXPECT_TRUE(FluctuationOverLimit(kind, 1.0, 1.0));
        EXPECT_FALSE(FluctuationOverLimit(kind, 1.0, 0.99));
        EXPECT_TRUE(FluctuationOverLimit(kind, -5.0, -5.0));
        EXPECT_FALSE(FluctuationOverLimit(kind, -5.0, -6.0));
    }
}

TEST(FluctuationRules, EventsOnlyInsideTheDrawnPeriod) {
    const double start = 2451544.5, end = start + 1170.0;  // one pixel a day
    EXPECT_EQ(FluctuationEventColumn(start, start, end, 1170), 1);
    EXPECT_EQ(FluctuationEventColumn(start + 10.5, start, end, 1170), 11);
    EXPECT_EQ(FluctuationEventColumn(start + 1168.9, start, end, 1170), 1169);
    EXPECT_EQ(FluctuationEventColumn(start + 1169.0, start, end, 1170), 0);  // x = 1170
    EXPECT_EQ(FluctuationEventColumn(end, start, end, 1170), 0);
    EXPECT_EQ(FluctuationEventColumn(start - 1.0, start, end, 1170), 0);       // x = 0
    EXPECT_EQ(FluctuationEventColumn(start - 5000.0, start, end, 1170), 0);
    EXPECT_EQ(FluctuationEventColumn(start + 1e12, start, end, 1170), 0);
    EXPECT_EQ(FluctuationEventColumn(NAN, start, end, 1170), 0);
    EXPECT_EQ(FluctuationEventColumn(start + 3, start, start, 1170), 0);       // empty period
}

}  // namespace
