// Headless runs of the Artificial intelligence module in each mode, driven by automation
// scripts, on input files written by hand here.
//
// HAND-WRITTEN INPUTS: the files below stand in for what the Continuum (matrixsumcontinuum.txt,
// startendyear.txt), the Event analysis (one event, its full matrices, row sums, Julian date and
// parameters) and the Matrix probability (significance*.txt) would leave. The event's matrices
// are computed here with the program's own positions and matrix builders, exactly as the event
// analysis averages them, so a search step at the event's moment must match it perfectly.

#include <gtest/gtest.h>

#include <unistd.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "astro/astro_records.h"
#include "astro/julian.h"
#include "astro/positions.h"
#include "astro/wave_tables.h"
#include "research/correlation_matrices.h"

namespace {

std::string BuildDirectory()
{
    char path[PATH_MAX];
    ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    if (n <= 0) return ".";
    path[n] = 0;
    std::string exe(path);
    return exe.substr(0, exe.rfind('/'));
}

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    std::string text;  // saved text pages end their lines with CR LF
    for (char c : s.str())
        if (c != '\r') text += c;
    return text;
}

int Count(const std::string& text, const std::string& what)
{
    int n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
}

class AiRun : public ::testing::Test {
protected:
    std::string dir;

    void Write(const char* name, const std::string& text)
    {
        std::ofstream(dir + "/" + name, std::ios::binary) << text;
    }
    static std::string Lines(const double* values, int count)
    {
        std::string out;
        char line[64];
        for (int i = 0; i < count; ++i) {
            std::snprintf(line, sizeof line, "%f\n", values[i]);
            out += line;
        }
        return out;
    }

    // One event on 16 January 2000, 12:00 world time, at 0 deg 00' E, 51 deg 10' N (the place
    // of the search's chart record), order 3, without self-correlation, all weights 1.
    void WriteInputs(int last)
    {
        const std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        dir = BuildDirectory() + "/script-runs/ai-gtest-" + name;
        ASSERT_EQ(std::system(("rm -rf '" + dir + "' && mkdir -p '" + dir + "' && cp -r '" +
                               VV_SOURCE_DIR + "/data/.' '" + dir + "/'")
                                  .c_str()),
                  0);
        FillWaveTables();
        PersonRecord event{};
        event.year = 2000, event.month = 1, event.day = 16, event.hour = 12;
        event.latitudeDegrees = 51, event.latitudeMinutes = 10;
        PositionRecord positions{};
        PlanetPositions(event, &positions);
        double harmony[kMatrixSize][kMatrixSize], dynamics[kMatrixSize][kMatrixSize];
        BuildMomentMatrices(3, positions.longitude, harmony, dynamics);
        double accumulators[kCorrelationKinds][kMatrixSize][kMatrixSize];
        double results[kCorrelationKinds][kMatrixSize][kMatrixSize];
        ClearAccumulators(accumulators);
        AccumulateMoment(accumulators, harmony, dynamics, last);
        double weights[kMatrixSize];
        for (double& w : weights) w = 1.0;
        FinishAccumulators(accumulators, weights, 0, last, 1, results);

        const char* matrices[] = {"dath.txt", "dati.txt", "datz.txt", "data.txt"};
        const char* rowSums[] = {"zsummh.txt", "zsummi.txt", "zsummd.txt", "zsummda.txt"};
        for (int k = 0; k < kCorrelationKinds; ++k) {
            double full[kMatrixSize * kMatrixSize];
            double rows[kMatrixSize];
            int n = 0;
            for (int i = 0; i <= last; ++i) {
                rows[i] = 0;
                for (int j = 0; j <= last; ++j) rows[i] += full[n++] = results[k][i][j];
            }
            Write(matrices[k], Lines(full, n));
            Write(rowSums[k], Lines(rows, last + 1));
        }
        Write("datdat.txt", std::to_string(last) + "\n1\n");
        Write("datord.txt", "3\n");
        Write("dattimeshifth.txt", "0\n");
        Write("dattimeshiftd.txt", "0\n");
        Write("eventsdat.txt", "1\n");
        Write("autodat.txt", "0\n");
        Write("datplanet.txt", Lines(weights, last + 1));
        Write("juliandat.txt", "2451560.000000\n");
        Write("matrixsumcontinuum.txt", "3.500000\n210.000000\n0.500000\n150.000000\n");
        Write("startendyear.txt", "2000\n2000\n1\n2\n1\n1\n");
        // Codes 1 and 2 off the diagonal, 0 on it, 1 as the row code: with the 2s taken as 1
        // the selection keeps every pair.
        const char* significance[] = {"significanceh.txt", "significancei.txt",
                                      "significanced.txt", "significanceda.txt"};
        std::string codes;
        for (int r = 0; r <= last; ++r)
            for (int c = 0; c <= last + 1; ++c)
                codes += c == last + 1 ? "1\n" : r == c ? "0\n" : (r + c) % 2 ? "1\n" : "2\n";
        for (const char* file : significance) Write(file, codes);
    }

    // Runs the program on the script; the period is January 2000 in 62 steps of half a day,
    // so step 31 is the event's moment.
    void Run(const std::string& answers)
    {
        Write("run.uxs", "click Artificial_Intelligence\n"
                         "expect \"Enter start-date\"\nclick OK\n"
                         "expect \"Enter end-date\"\nclick OK\n"
                         "expect InputInt\nfill 62\nclick OK\n"
                         "expect InputDouble\nfill 0.999\nclick OK\n" +
                             answers +
                             "savetext 6 text6.txt\nsavetext 5 text5.txt\n"
                             "savegraphic 6 ai.png\nterminal terminal.txt\nquit\n");
        std::string command = "cd '" + dir + "' && UX_PLATFORM=headless UX_SCRIPT=run.uxs '" +
                              BuildDirectory() + "/verivire' >stdout.txt 2>stderr.txt";
        ASSERT_EQ(std::system(command.c_str()), 0) << ReadFile(dir + "/stderr.txt");
    }

    std::string Text(const char* name) { return ReadFile(dir + "/" + name); }
};

TEST_F(AiRun, AllElementsWithIcFindTheEventMomentOnly)
{
    WriteInputs(10);
    Run("expect \"Argument selection\"\nclick \"all matrix elements\"\n"
        "click Yes\nclick Yes\nclick Yes\nclick Yes\n"  // the four curves
        "click No\n"                                     // only the middle curve?
        "click Yes\n"                                    // only significance? (group of 1)
        "click Yes\n"                                    // select planets?
        "fill 1\nclick OK\nfill 1\nclick OK\nfill 0\nclick OK\nfill 1\nclick OK\n"
        "fill 1\nclick OK\nfill 1\nclick OK\nfill 1\nclick OK\nfill 1\nclick OK\n"
        "fill 1\nclick OK\nfill 1\nclick OK\nfill 1\nclick OK\n"
        "expect \"Selektion of the criterion\"\nclick Fidelity\n"
        "expect InputYesNo\nclick Yes\n");  // mark events?
    std::string terminal = Text("terminal.txt");
    EXPECT_NE(terminal.find("matrix elements: 10 correlation order: 3"), std::string::npos);
    EXPECT_NE(terminal.find("Events per Group = 1"), std::string::npos);
    EXPECT_NE(terminal.find("Summe-0 3.500000 Summe-1 210.000000  Summe-2 0.005000 Summe-3 1.500000"),
              std::string::npos);
    EXPECT_NE(terminal.find("significanceDA"), std::string::npos);
    EXPECT_NE(terminal.find("matrix-summe-da: 1.500000 significance 5pr 60 significance 1pr 50"),
              std::string::npos);
    EXPECT_NE(terminal.find("  JD_start: 2451544.500000  JD_end: 2451575.500012 Differenz: 31.000012"),
              std::string::npos);
    EXPECT_NE(terminal.find("Prinzip:      I          II        III         IV         V         VI         VII        VIII       IX          X          IC"),
              std::string::npos);
    EXPECT_NE(terminal.find("Group size is 1 !!!  NO significance calculation possible !"),
              std::string::npos);
    std::string planets = Text("text5.txt");  // the selection switches to text page 5
    EXPECT_NE(planets.find("selection of the planets"), std::string::npos);
    EXPECT_NE(planets.find("planet: 11"), std::string::npos);
    EXPECT_NE(planets.find("Interval divider dx: 29.516129"), std::string::npos);

    std::string page = Text("text6.txt");
    EXPECT_NE(page.find("Amplitudes Fidelit\xe4t: 1.000000 KQ: 1.000000 RS: 1.000000"),
              std::string::npos);
    EXPECT_NE(page.find("Intensity  Fidelit\xe4t: 1.000000 KQ: 1.000000 RS: 1.000000"),
              std::string::npos);
    EXPECT_NE(page.find("Dynamic > gr1 Fidelit\xe4t: 1.000000 KQ: 1.000000 RS: 1.000000"),
              std::string::npos);
    EXPECT_NE(page.find("Dynamic abs  Fidelit\xe4t: 1.000000 KQ: 1.000000 RS: 1.000000"),
              std::string::npos);
    EXPECT_EQ(Count(page, "zyklus 31  Date: 2000-1-16-12-0"), 4);
    EXPECT_EQ(Count(page, "zyklus"), 4);  // no other moment comes near
    EXPECT_NE(page.find("graphic * artificial_intelligence  * elements of the Matrix"),
              std::string::npos);
    EXPECT_EQ(Text("startendyear.txt"), "2000\n2000\n1\n2\n1\n1\n");
    EXPECT_NE(Text("stdout.txt").find("unsupported format (group)"), std::string::npos);
}

TEST_F(AiRun, RowSumsWithSignificanceFindTheEventMoment)
{
    WriteInputs(9);
    Run("expect \"Argument selection\"\nclick \"matrix line vektor\"\n"
        "click Yes\nclick Yes\nclick Yes\nclick Yes\n"
        "click Yes\n"   // only the middle curve
        "click Yes\n"   // only significance
        "expect \"Selektion of the criterion\"\nclick Correlation\n"
        "expect InputYesNo\nclick No\n");
    std::string terminal = Text("terminal.txt");
    EXPECT_NE(terminal.find("Prinzip:      I          II        III         IV         V         VI         VII        VIII       IX          X          SUMME"),
              std::string::npos);
    EXPECT_NE(terminal.find("matrix-summe-h: 3.500000 significance 5pr 50 significance 1pr 40"),
              std::string::npos);
    std::string page = Text("text6.txt");
    for (const char* kind : {"harmony", "energy", "dynamic", "abs dynamic"})
        EXPECT_NE(page.find(std::string("sum vector ") + kind +
                            " Fidelit\xe4t: 1.000000 KQ: 1.000000 RS: 1.000000"),
                  std::string::npos)
            << kind;
    EXPECT_EQ(Count(page, "zyklus 31  Date: 2000-1-16-12-0"), 4);
    EXPECT_NE(page.find("row sums of the matrix (planets)"), std::string::npos);
    EXPECT_NE(page.find(" \n \n Correlation \n"), std::string::npos);
}

TEST_F(AiRun, TotalsOfHarmonyAloneFindTheEventMoment)
{
    WriteInputs(9);
    Run("expect \"Argument selection\"\nclick \"sum of the matrices\"\n"
        "click Yes\nclick No\nclick No\nclick No\n"  // harmony only
        "click No\n"                                 // only the middle curve?
        "expect \"Selektion of the criterion\"\nclick Structure\n"
        "expect InputYesNo\nclick Yes\n");
    std::string page = Text("text6.txt");
    EXPECT_NE(page.find("sum vector abs dynamic Fidelit\xe4t: 1.000000 KQ: 1.000000 RS: 1.000000"),
              std::string::npos);
    EXPECT_EQ(Count(page, "\n sum matrix :"), 62);  // N <= 100
    EXPECT_NE(page.find("zyklus 61  Date: 2000-1-31-12-0 \n"), std::string::npos);
    EXPECT_NE(page.find("sum of all elements of the matrix"), std::string::npos);
    EXPECT_NE(page.find(" \n \n Structure \n"), std::string::npos);
}

TEST_F(AiRun, AMissingSignificanceFileIsNamedAndTheModuleStops)
{
    WriteInputs(9);
    std::remove((dir + "/significanceda.txt").c_str());
    Write("run.uxs", "click Artificial_Intelligence\nterminal terminal.txt\nquit\n");
    std::string command = "cd '" + dir + "' && UX_PLATFORM=headless UX_SCRIPT=run.uxs '" +
                          BuildDirectory() + "/verivire' >stdout.txt 2>stderr.txt";
    ASSERT_EQ(std::system(command.c_str()), 0) << Text("stderr.txt");
    std::string terminal = Text("terminal.txt");
    EXPECT_NE(terminal.find("The file significanceda.txt is missing."), std::string::npos);
    EXPECT_EQ(terminal.find("START:"), std::string::npos);
    EXPECT_EQ(terminal.find("significanceDA"), std::string::npos);
}

}  // namespace
