// Aspect wave series, their tables and lookups, and the self-harmony term.

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "astro/self_harmony.h"
#include "astro/wave_tables.h"
#include "tests/astro/reference_positions.h"

namespace {

// The tables are filled once for the whole test program.
class WaveTables : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        static bool filled = false;
        if (!filled) FillWaveTables();
        filled = true;
    }
};

// The series as written, with every coefficient (zeros included).
double PlainHarmony(int n, double separation)
{
    double d = separation * 0.017453292519943295, sum = 0;
    for (int k = 1; k <= 12 * n - 1; ++k) sum += kWaveCoefficients[k % 12] * std::cos(k * d);
    return sum / (19.0 * n);
}

double PlainDynamics(int n, double separation)
{
    double d = separation * 0.017453292519943295, sum = 0;
    for (int k = 1; k <= 12 * n - 1; ++k) sum += kWaveCoefficients[k % 12] * k * std::sin(k * d);
    return sum / (19.0 * n);
}

}  // namespace

TEST(WaveSeries, PinnedValues)
{
    EXPECT_NEAR(HarmonyWave(1, 0.0, 180.0), -1.0, 1e-14);
    EXPECT_NEAR(HarmonyWave(1, 10.0, 10.0), -3.0 / 19.0, 1e-15);
    EXPECT_NEAR(HarmonyWave(1, 360.0, 0.0), -3.0 / 19.0, 1e-14);
    for (int n = 1; n <= 12; ++n)
        for (double x = 0.0; x < 360.0; x += 7.3) {
            EXPECT_NEAR(HarmonyWave(n, 0.0, x), PlainHarmony(n, x), 1e-13);
            EXPECT_NEAR(DynamicsWave(n, 0.0, x), x == 0.0 ? 0.0 : PlainDynamics(n, x), 1e-12);
        }
}

TEST(WaveSeries, SymmetryAndOrdersOutsideTheRange)
{
    EXPECT_EQ(HarmonyWave(3, 10.0, 250.0), HarmonyWave(3, 250.0, 10.0));
    EXPECT_EQ(DynamicsWave(3, 10.0, 250.0), -DynamicsWave(3, 250.0, 10.0));
    EXPECT_EQ(HarmonyWave(20, 0.0, 77.7), HarmonyWave(1, 0.0, 77.7));
    EXPECT_EQ(DynamicsWave(13, 0.0, 77.7), DynamicsWave(1, 0.0, 77.7));
    // No order below 1 exists: evaluated as order 1 rather than dividing by zero.
    EXPECT_EQ(HarmonyWave(0, 0.0, 77.7), HarmonyWave(1, 0.0, 77.7));
    EXPECT_EQ(DynamicsWave(-4, 0.0, 77.7), DynamicsWave(1, 0.0, 77.7));
}

TEST_F(WaveTables, RowsHoldTheSeriesAtTheirSeparations)
{
    for (int m = 0; m < kWaveTableColumns; ++m) {
        EXPECT_EQ(HarmonyWaveTable[0][m], 0.0);
        EXPECT_EQ(DynamicsWaveTable[0][m], 0.0);
    }
    for (int n = 1; n <= 12; ++n)
        for (int m : {0, 1, 2, 777, 4500, 9000, 13333, 17999, 18000, 18001}) {
            double separation = static_cast<double>(m * 0.02L);
            EXPECT_EQ(HarmonyWaveTable[n][m], HarmonyWave(n, 0.0, separation)) << n << " " << m;
            EXPECT_EQ(DynamicsWaveTable[n][m], DynamicsWave(n, 0.0, separation)) << n << " " << m;
        }
    EXPECT_NEAR(HarmonyWaveTable[1][9000], -1.0, 1e-14);
    EXPECT_NEAR(HarmonyWaveTable[1][0], -3.0 / 19.0, 1e-15);
    EXPECT_NEAR(HarmonyWaveTable[1][18000], -3.0 / 19.0, 1e-13);
}

TEST_F(WaveTables, FillingOneOrderIgnoresOthers)
{
    double before = HarmonyWaveTable[5][100];
    FillWaveTablesForOrder(0);
    FillWaveTablesForOrder(13);
    FillWaveTablesForOrder(-1);
    EXPECT_EQ(HarmonyWaveTable[0][100], 0.0);
    FillWaveTablesForOrder(5);
    EXPECT_EQ(HarmonyWaveTable[5][100], before);
}

TEST_F(WaveTables, LookupsInterpolateTheSeries)
{
    std::mt19937 random(99);
    std::uniform_real_distribution<double> longitude(0.0, 360.0);
    for (int i = 0; i < 20000; ++i) {
        int n = 1 + i % 12;
        double a = longitude(random), b = longitude(random);
        // Linear interpolation over 0.02 degrees: error below h^2 / 8 * max |f''|.
        double tolerance = 2e-6 * n * n;
        EXPECT_NEAR(HarmonyLookup(n, a, b), HarmonyWave(n, a, b), tolerance);
        EXPECT_NEAR(DynamicsLookup(n, a, b), DynamicsWave(n, a, b), 2e-5 * n * n * n);
    }
    // Exactly at a column the lookup is the table value.
    EXPECT_EQ(HarmonyLookup(3, 0.0, 90.0), HarmonyWaveTable[3][4500]);
}

TEST_F(WaveTables, LookupEdgeCases)
{
    // 180 degrees in order 1; separation 0; separation 360 reads columns 18000 and 18001.
    EXPECT_NEAR(HarmonyLookup(1, 0.0, 180.0), -1.0, 1e-14);
    EXPECT_NEAR(HarmonyLookup(1, 33.0, 33.0), -3.0 / 19.0, 1e-15);
    EXPECT_NEAR(HarmonyLookup(4, 0.0, 360.0), HarmonyLookup(4, 0.0, 0.0), 1e-12);
    EXPECT_EQ(HarmonyLookup(4, 360.0, 0.0), HarmonyWaveTable[4][18000]);
    // Orders above 12 read row 12; order 0 reads the empty row.
    EXPECT_EQ(HarmonyLookup(20, 10.0, 100.0), HarmonyLookup(12, 10.0, 100.0));
    EXPECT_EQ(HarmonyLookup(0, 10.0, 100.0), 0.0);
    EXPECT_EQ(HarmonyLookup(-3, 10.0, 100.0), 0.0);
    // Sign rule of the dynamics lookup.
    for (double b : {0.5, 45.0, 179.0, 181.0, 359.0}) {
        EXPECT_EQ(DynamicsLookup(2, 100.0, b), -DynamicsLookup(2, b, 100.0));
        EXPECT_EQ(DynamicsLookup(2, 100.0, b),
                  (100.0 - b >= 0 ? -1 : 1) *
                      WaveLookup(DynamicsWaveTable[2], std::fabs(100.0 - b)));
    }
    EXPECT_EQ(DynamicsLookup(2, 50.0, 50.0), 0.0);
}

TEST_F(WaveTables, SeparationsOutsideTheTableStayInside)
{
    // Beyond 360.02 degrees the wave repeats; nothing is read outside the row.
    EXPECT_NEAR(HarmonyLookup(3, 0.0, 370.0), HarmonyLookup(3, 0.0, 10.0), 1e-12);
    EXPECT_NEAR(HarmonyLookup(3, -725.0, 0.0), HarmonyLookup(3, 5.0, 0.0), 1e-12);
    EXPECT_NEAR(HarmonyLookup(3, 1e12, 0.0), HarmonyWave(3, std::fmod(1e12, 360.0), 0.0), 1e-5);
    EXPECT_TRUE(std::isnan(HarmonyLookup(3, NAN, 0.0)));
    EXPECT_TRUE(std::isnan(DynamicsLookup(3, 0.0, NAN)));
    double h, d;
    WaveLookupBoth(WavePairTable[2], INFINITY, &h, &d);
    EXPECT_TRUE(std::isnan(h) && std::isnan(d));
    WaveLookupBoth(WavePairTable[2], 370.0, &h, &d);
    EXPECT_EQ(h, WaveLookup(HarmonyWaveTable[2], 10.0));
    EXPECT_EQ(d, WaveLookup(DynamicsWaveTable[2], 10.0));
}

TEST(SelfHarmony, EqualsTheSeriesAsWritten)
{
    for (int p = 0; p <= 10; ++p)
        for (double longitude = 0.0; longitude <= 360.0; longitude += 0.37)
            EXPECT_NEAR(SelfHarmony(p, longitude), ReferenceSelfHarmony(p, longitude), 1e-14)
                << p << " " << longitude;
    for (double longitude = 0.0; longitude <= 360.0; longitude += 17.0) {
        EXPECT_EQ(SelfHarmony(11, longitude), 0.0);
        EXPECT_EQ(SelfHarmony(-1, longitude), 0.0);
    }
    // Pluto (m = 0) and the IC: both series coincide, peak of S at theta = 0 is 12.
    EXPECT_NEAR(SelfHarmony(9, 225.0), (0.0318305 + 0.0121555) * 12.0, 1e-14);
    EXPECT_NEAR(SelfHarmony(10, 15.0), (0.0318305 + 0.0121555) * 12.0, 1e-14);
}
