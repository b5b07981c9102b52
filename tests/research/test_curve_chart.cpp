// The curve chart: the calendar conversion, the layout rules (x of a column, bands, baselines,
// sum colour), the time-axis decisions of every period kind, and what the charts draw.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "astro/julian.h"
#include "research/curve_chart.h"
#include "toolkit/core/uxentry.h"
#include "toolkit/core/uxevent.h"
#include "toolkit/drawing/uxscreengraphic.h"
#include "toolkit/core/uxwindow.h"

namespace {

const int kRed = 0xFF0000;
const int kBlue = 0x0000FF;
const int kBlack = 0x000000;

TEST(JulianToCalendar, AgreesWithTheIntegerConversionAcrossTheCalendar) {
    std::mt19937 gen(7);
    std::uniform_real_distribution<double> jd(2000000.0, 2600000.0);  // 763 .. 2406
    for (int n = 0; n < 20000; ++n) {
        double t = jd(gen);
        int y, m, d, h, mi;
        CalendarFromJulianDay(t, &y, &m, &d, &h, &mi);
        double Y, M, D, H, MI;
        JulianToCalendar(t, &Y, &M, &D, &H, &MI);
        ASSERT_EQ(Y, y) << t;
        ASSERT_EQ(M, m) << t;
        ASSERT_EQ(D, d) << t;
        ASSERT_EQ(H, h) << t;
        ASSERT_EQ(MI, mi) << t;
    }
}

TEST(JulianToCalendar, KnownMomentsAndDamagedInput) {
    double y, m, d, h, mi;
    JulianToCalendar(2451545.0, &y, &m, &d, &h, &mi);  // 2000-01-01 12:00
    EXPECT_EQ(y, 2000);
    EXPECT_EQ(m, 1);
    EXPECT_EQ(d, 1);
    EXPECT_EQ(h, 12);
    EXPECT_EQ(mi, 0);
    JulianToCalendar(2299160.5, &y, &m, &d, &h, &mi);  // first Gregorian day
    EXPECT_EQ(y, 1582);
    EXPECT_EQ(m, 10);
    EXPECT_EQ(d, 15);
    JulianToCalendar(2299160.4, &y, &m, &d, &h, &mi);  // the Julian day before it
    EXPECT_EQ(d, 4);
    JulianToCalendar(2451603.5 + 23.51 / 24, &y, &m, &d, &h, &mi);  // leap day 2000, 23:30
    EXPECT_EQ(m, 2);
    EXPECT_EQ(d, 29);
    EXPECT_EQ(h, 23);
    EXPECT_EQ(mi, 30);
    for (double bad : {double(NAN), double(INFINITY), -double(INFINITY), 1e300}) {
        JulianToCalendar(bad, &y, &m, &d, &h, &mi);
        EXPECT_EQ(y + m + d + h + mi, 0) << bad;
    }
}

TEST(ChartLayout, GeometryAndColumnPositions) {
    ChartGeometry g = ChartGeometryFor(180);
    EXPECT_EQ(g.width, 1440);
    EXPECT_EQ(g.height, 1080);
    EXPECT_EQ(g.left, 90);
    EXPECT_EQ(g.right, 1260);
    EXPECT_EQ(g.bottom, 1079);

    EXPECT_EQ(ChartColumnX(g, 0, 700), 90);
    EXPECT_EQ(ChartColumnX(g, 699, 700), 1260);
    EXPECT_EQ(ChartColumnX(g, 1, 700), 91);      // 1170 / 699 truncated
    EXPECT_EQ(ChartColumnX(g, 350, 700), 675);   // 1170 * 350 / 699 = 585.8
    EXPECT_EQ(ChartColumnX(g, 1, 3), 675);
    EXPECT_EQ(ChartColumnX(g, 99999, 100000), 1260);  // no overflow at the largest divider
    EXPECT_EQ(ChartColumnX(g, 50000, 100000), 90 + 585);
    EXPECT_EQ(ChartColumnX(g, 0, 1), 90);        // a single column does not divide by zero

    for (int n : {2, 3, 700, 1001, 100000}) {    // x never decreases and stays in the range
        int previous = g.left;
        for (int j = 0; j < n; j += 1 + n / 500) {
            int x = ChartColumnX(g, j, n);
            ASSERT_GE(x, previous);
            ASSERT_LE(x, g.right);
            previous = x;
        }
    }
}

TEST(ChartLayout, BandsBaselinesAndSumColour) {
    EXPECT_EQ(ChartBandHeight(1080, 12), 72);
    EXPECT_EQ(ChartBandHeight(1080, 11), 77);  // IC left out
    EXPECT_EQ(ChartBandHeight(1080, 6), 120);  // rhythm chart
    EXPECT_EQ(ChartBaseline(72, 0), 144);
    EXPECT_EQ(ChartBaseline(72, 1), 288);
    EXPECT_EQ(ChartBaseline(72, 11), 1008);
    EXPECT_EQ(ChartBaseline(77, 10), 1001);
    EXPECT_EQ(ChartBaseline(120, 5), 960);

    EXPECT_EQ(SumCurveColour(0.0), kRed);
    EXPECT_EQ(SumCurveColour(-0.0), kRed);
    EXPECT_EQ(SumCurveColour(1e-300), kRed);
    EXPECT_EQ(SumCurveColour(-1e-300), kBlue);
    EXPECT_EQ(SumCurveColour(-250.0), kBlue);
}

// The marks of every column of one curve.
struct AxisRun {
    std::vector<int> tickColumns;                 // one entry per tick
    std::vector<std::pair<int, AxisLabel>> labels;
    std::vector<AxisTick> ticks;
};

AxisRun run_axis(int tlk, double start, double step, int columns, int years, bool firstCurve) {
    ChartGeometry g = ChartGeometryFor(180);
    double y, m, d, h, mi;
    JulianToCalendar(start, &y, &m, &d, &h, &mi);
    TimeAxisState state;
    TimeAxisBegin(&state, firstCurve, m, h);
    AxisRun out;
    for (int j = 0; j < columns; ++j) {
        AxisMarks marks;
        EXPECT_TRUE(TimeAxisColumn(tlk, j, columns, ChartColumnX(g, j, columns), start, step,
                                   years, g.height, &state, &marks));
        for (int t = 0; t < marks.ticks; ++t) {
            out.tickColumns.push_back(j);
            out.ticks.push_back(marks.tick[t]);
        }
        for (int l = 0; l < marks.labels; ++l) out.labels.push_back({j, marks.label[l]});
    }
    return out;
}

std::vector<std::string> label_texts(const AxisRun& r) {
    std::vector<std::string> texts;
    for (auto& [j, label] : r.labels) texts.push_back(label.text);
    return texts;
}

TEST(TimeAxis, MoreYearsTickEveryTenthAndEndLabels) {
    double start = JulianDay(2000, 1, 1, 0, 1, 0, 0);
    double end = JulianDay(2003, 1, 1, 0, 1, 0, 0);
    AxisRun r = run_axis(kPeriodYears, start, (end - start) / 700, 700, 3, true);
    // The counter fires when it exceeds 70: every 71st column.
    std::vector<int> expected = {0};
    for (int j = 70; j < 700; j += 71) expected.push_back(j);
    expected.push_back(699);
    EXPECT_EQ(r.tickColumns, expected);
    for (const AxisTick& t : r.ticks) {
        EXPECT_EQ(t.half, 7);
        EXPECT_EQ(t.top, 12);
        EXPECT_EQ(t.bottom, 1080 - 12);
    }
    std::vector<std::string> texts = label_texts(r);
    ASSERT_EQ(texts.size(), expected.size());
    EXPECT_EQ(texts.front(), "2000");
    EXPECT_EQ(texts.back(), "2003");  // last column's year + 1
    EXPECT_EQ(texts[1], "2000y4m");   // column 70 of 700 over three years: April 2000
    EXPECT_EQ(r.labels.front().second.x, 90 + 2);
    EXPECT_EQ(r.labels.back().second.x, 1260 + 10);
    EXPECT_EQ(r.labels.back().second.y, 25);

    // Ten years or more: the year alone.
    double later = JulianDay(2012, 1, 1, 0, 1, 0, 0);
    r = run_axis(kPeriodYears, start, (later - start) / 1000, 1000, 12, true);
    texts = label_texts(r);
    EXPECT_EQ(texts[1], "2001");
    for (auto& t : texts) EXPECT_EQ(t.find('y'), std::string::npos) << t;
}

TEST(TimeAxis, OneYearMonthTicks) {
    double start = JulianDay(2001, 1, 1, 0, 1, 0, 0);
    double step = 365.0 / 700;
    AxisRun first = run_axis(kPeriodYear, start, step, 700, 1, true);
    // Column 0, every first column of February .. December, and the last column.
    EXPECT_EQ(first.tickColumns.size(), 1u + 11 + 1);
    std::vector<std::string> texts = label_texts(first);
    std::vector<std::string> months = {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11",
                                       "12"};
    EXPECT_EQ(texts, months);
    // The tick of March lies at the first column in March.
    double y, m, d, h, mi;
    int march = first.labels[2].first;
    JulianToCalendar(start + step * march, &y, &m, &d, &h, &mi);
    EXPECT_EQ(m, 3);
    JulianToCalendar(start + step * (march - 1), &y, &m, &d, &h, &mi);
    EXPECT_EQ(m, 2);
    EXPECT_EQ(first.labels[2].second.x, ChartColumnX(ChartGeometryFor(180), march, 700) + 22);

    // A later curve starts from month 0: column 0 is marked twice.
    AxisRun later = run_axis(kPeriodYear, start, step, 700, 1, false);
    EXPECT_EQ(later.tickColumns.size(), first.tickColumns.size() + 1);
    EXPECT_EQ(later.labels[0].first, 0);
    EXPECT_EQ(later.labels[1].first, 0);
}

TEST(TimeAxis, OneMonthDayTicksAndFifthDayLabels) {
    double start = JulianDay(2000, 6, 1, 0, 1, 0, 0);
    double end = JulianDay(2000, 7, 1, 0, 1, 0, 0);
    const int n = 2000;
    double step = (end - start) / n;
    AxisRun r = run_axis(kPeriodMonth, start, step, n, 1, true);
    // The last column of each of the 30 days gets a short tick (the 30th at the last column,
    // which has its own end tick as well), also where the next column falls into the first
    // minute of the new day (every third day at this divider).
    std::vector<int> dayTicks;
    for (size_t t = 0; t < r.ticks.size(); ++t)
        if (r.ticks[t].half == 5) dayTicks.push_back(r.tickColumns[t]);
    ASSERT_EQ(dayTicks.size(), 31u);
    EXPECT_EQ(dayTicks[0], 66);    // 0.990 days: 23:46 on June 1
    EXPECT_EQ(dayTicks[2], 199);   // 2.985 days: the next column is 00:00:xx on June 4
    EXPECT_EQ(dayTicks[29], n - 1);
    EXPECT_EQ(dayTicks[30], n - 1);
    for (int k = 0; k < 29; ++k) {
        int j = dayTicks[k];
        double y, m, d, h, mi, d2;
        JulianToCalendar(start + step * j, &y, &m, &d, &h, &mi);
        JulianToCalendar(start + step * (j + 1), &y, &m, &d2, &h, &mi);
        EXPECT_EQ(d, k + 1) << j;
        EXPECT_EQ(d2, k + 2) << j;
    }
    std::vector<std::string> texts = label_texts(r);
    EXPECT_EQ(texts, (std::vector<std::string>{"5.", "10.", "15.", "20.", "25.", "30."}));
    // Start and end ticks.
    EXPECT_EQ(r.tickColumns.front(), 0);
    EXPECT_EQ(r.ticks.front().half, 8);
    EXPECT_EQ(r.ticks.front().bottom, 1080 - 13);
    int longTicks = 0;
    for (const AxisTick& t : r.ticks)
        if (t.half == 8 && t.top == 12) ++longTicks;
    EXPECT_EQ(longTicks, static_cast<int>(texts.size()));
    EXPECT_EQ(r.labels[0].second.x, ChartColumnX(ChartGeometryFor(180), r.labels[0].first, n) - 15);
}

TEST(TimeAxis, OneDayHourTicks) {
    double start = JulianDay(2000, 6, 15, 0, 1, 0, 0);
    const int n = 1440;
    ChartGeometry g = ChartGeometryFor(180);
    AxisRun r = run_axis(kPeriodDay, start, 1.0 / n, n, 1, true);
    std::vector<std::string> texts = label_texts(r);
    ASSERT_EQ(texts.size(), 24u);  // "1" at column 0, then "2" .. "24" at each new hour
    for (int k = 0; k < 24; ++k) EXPECT_EQ(texts[k], std::to_string(k + 1));
    EXPECT_EQ(r.labels[0].first, 0);
    EXPECT_EQ(r.labels[0].second.x, g.left + 13);
    EXPECT_EQ(r.labels[0].second.y, 24);
    for (int k = 1; k < 24; ++k) {
        int j = r.labels[k].first;
        int offset = k > 8 ? 10 : 13;  // label k belongs to hour k
        EXPECT_EQ(r.labels[k].second.x, ChartColumnX(g, j, n) + offset) << k;
        double y, m, d, h, mi;
        JulianToCalendar(start + j / double(n), &y, &m, &d, &h, &mi);
        EXPECT_EQ(h, k);
        JulianToCalendar(start + (j - 1) / double(n), &y, &m, &d, &h, &mi);
        EXPECT_EQ(h, k - 1);
    }
    std::set<int> longTicks;
    for (size_t t = 0; t < r.ticks.size(); ++t)
        if (r.ticks[t].half == 8) longTicks.insert(r.tickColumns[t]);
    EXPECT_EQ(longTicks, (std::set<int>{0, n / 2, n - 1}));
    EXPECT_EQ(r.ticks.size(), 23u + 3u);

    AxisMarks marks;
    TimeAxisState state{};
    EXPECT_FALSE(TimeAxisColumn(4, 0, n, 90, start, 1.0 / n, 1, 1080, &state, &marks));
    EXPECT_EQ(marks.ticks + marks.labels, 0);
}

// A graphic page of a real window, the current graphic, for the drawing tests.
struct ChartPage : ::testing::Test {
    uxWindow win;
    uxScreenGraphic page;
    uxArray2Double curves;
    uxArray2Int colours;
    void SetUp() override {
        setenv("UX_PLATFORM", "headless", 1);
        ASSERT_TRUE(uxentry_init());
        uxevent_reset();
        ASSERT_TRUE(uxwindow_create(&win, "chart,x=0,y=0,xs=400,ys=300"));
        uxgraphic_create(&page, "x=0,y=0,xs=300,ys=200");
        uxgraphic_resize(&page, 1920, 1080);
        ASSERT_TRUE(uxarray2d_create(&curves, 13, 1000));
        ASSERT_TRUE(uxarray2i_create(&colours, 13, 3));
        for (int row = 0; row < 13; ++row) {
            uxarray2i_set(&colours, row, 0, 10 + row);  // a colour of its own per row
            uxarray2i_set(&colours, row, 1, 20);
            uxarray2i_set(&colours, row, 2, 30);
        }
    }
    void TearDown() override {
        uxarray2d_destroy(&curves);
        uxarray2i_destroy(&colours);
        uxgraphic_select(nullptr);
        uxgraphic_destroy(&page);
        uxwindow_destroy(&win);
        uxevent_reset();
    }
    int pixel(int x, int y) { return uxpxmap_getrgb(&page.pixmap, x, y); }
    int row_colour(int row) { return (10 + row) << 16 | 20 << 8 | 30; }
    // Every row gets a curve; row `row` alternates between a and b.
    void fill(int columns, double a, double b, double icLevel) {
        for (int row = 0; row < 13; ++row)
            for (int j = 0; j < columns; ++j)
                uxarray2d_set(&curves, row, j, row == 11 ? icLevel : (j % 2 ? b : a));
    }
    std::string fluctuation(int columns, bool doubled, int kv13 = 1) {
        double start = JulianDay(2000, 1, 1, 0, 1, 0, 0);
        testing::internal::CaptureStdout();
        FluctuationChart(3, &curves, &colours, kv13, 180, kPeriodYear, start, 365.0 / columns,
                         columns, 1, doubled);
        return testing::internal::GetCapturedStdout();
    }
};

TEST_F(ChartPage, CurvesSitInTheirBandsWithTheirAmplitude) {
    const int n = 700;
    fill(n, 0.0, 10.0, 0.5);  // every curve 0, 10, 0, 10 ...; the IC curve shown (0.5 >= 0.01)
    std::string out = fluctuation(n, false);
    EXPECT_NE(out.find("i: 1 max: 10.000000  \n"), std::string::npos);
    EXPECT_NE(out.find("i: 1 min: 0.000000  \n"), std::string::npos);
    EXPECT_NE(out.find("i: 11 max: 0.500000  \n"), std::string::npos);
    EXPECT_NE(out.find("kv13: 1 kvaktiv: 12  tlk: 1 \n"), std::string::npos);
    EXPECT_NE(out.find("unsupported format (Zeitqj)"), std::string::npos);
    EXPECT_EQ(std::fopen("Zeitqj", "rb"), nullptr);

    ChartGeometry g = ChartGeometryFor(180);
    const int j = 351;  // a column at 10
    const int x = ChartColumnX(g, j, n);
    // Curve w: baseline (w + 3) 72, peak 10 (72 - 5) 2 / 10 0.25 = 33.5 above it.
    for (int w = 1; w <= 10; ++w) {
        int baseline = (w + 3) * 72;
        EXPECT_EQ(pixel(x, static_cast<int>(baseline - 33.5)), row_colour(w)) << w;
        EXPECT_EQ(pixel(x + 3, baseline), kBlack) << w;  // the baseline
    }
    // The sum: three times the amplitude, red because positive: 144 - 10 67 3 2 s / 10 / 4.
    double s = 100.0 / (0.8 + 99.0);
    EXPECT_EQ(pixel(x, static_cast<int>(144 - 10 * 67 * s * 3 * 2 / 10 * 0.25)), kRed);
    EXPECT_EQ(pixel(0, 500), kBlack);         // frame
    EXPECT_EQ(pixel(1439, 500), kBlack);
    EXPECT_EQ(pixel(g.left, 6), kBlack);      // top mark of the first tick
    EXPECT_EQ(pixel(g.left, 1075), kBlack);   // and its bottom mark
}

TEST_F(ChartPage, DoubledVariantHasTwiceTheAmplitude) {
    const int n = 700;
    fill(n, 0.0, 10.0, 0.5);
    fluctuation(n, true);
    const int x = ChartColumnX(ChartGeometryFor(180), 351, n);
    for (int w = 1; w <= 10; ++w)
        EXPECT_EQ(pixel(x, (w + 3) * 72 - 67), row_colour(w)) << w;
}

TEST_F(ChartPage, DoubledCurvesStayInTheirBands) {
    const int n = 700;
    fill(n, -10.0, 10.0, 0.5);  // (v - min) / max reaches -2: twice the band at full gain
    fluctuation(n, true);
    const int band = 72;
    for (int w = 1; w <= 11; ++w) {
        const int baseline = (w + 3) * band;
        for (int y = 0; y < 1080; ++y) {
            if (y > baseline - band && y < baseline + band) continue;
            for (int x = 91; x < 1260; x += 7)
                ASSERT_NE(pixel(x, y), row_colour(w)) << "curve " << w << " at " << x << "," << y;
        }
    }
    // The sum (red where positive, blue where negative) stays under the page top and above
    // the Sun's baseline.
    for (int x = 91; x < 1260; x += 7)
        EXPECT_NE(pixel(x, 4 * band + 1), kBlue) << x;
}

TEST_F(ChartPage, FlatIcCurveIsLeftOutAndBandsWiden) {
    const int n = 700;
    fill(n, 2.0, 2.0, 0.009);  // flat curves lie on their baselines
    std::string out = fluctuation(n, false);
    EXPECT_NE(out.find("kv13: 1 kvaktiv: 11  tlk: 1 \n"), std::string::npos);
    int onOldSum = 0, onNewSum = 0, onOldIc = 0;
    for (int x = 100; x < 1250; ++x) {
        onOldSum += pixel(x, 144) != 0xFFFFFF;
        onNewSum += pixel(x, 154) == kBlack;
        onOldIc += pixel(x, 1008) == kBlack;  // no baseline of an IC band
    }
    EXPECT_EQ(onOldSum, 0);
    EXPECT_EQ(onNewSum, 1250 - 100);
    EXPECT_LT(onOldIc, 20);  // only the ticks of Pluto's baseline reach down to it
    EXPECT_EQ(pixel(500, 13 * 77), kBlack);   // Pluto's baseline, the last band
}

TEST_F(ChartPage, SumColouredBySign) {
    const int n = 700;
    fill(n, 2.0, 2.0, 0.5);
    uxarray2d_set(&curves, 0, 0, 1.0);      // min 1, max 5: the rest lies 4 or 6 units away
    for (int j = 1; j < n; ++j) uxarray2d_set(&curves, 0, j, j < n / 2 ? 5.0 : -5.0);
    fluctuation(n, false);
    ChartGeometry g = ChartGeometryFor(180);
    double s = 100.0 / (0.8 + 99.0);
    int up = static_cast<int>(144 - 4 * 67 * s * 3 * 2 / 5 * 0.25);
    int down = static_cast<int>(144 + 6 * 67 * s * 3 * 2 / 5 * 0.25);
    EXPECT_EQ(pixel(ChartColumnX(g, 100, n), up), kRed);
    EXPECT_EQ(pixel(ChartColumnX(g, 600, n), down), kBlue);
    EXPECT_NE(pixel(ChartColumnX(g, 100, n), down), kBlue);
}

TEST_F(ChartPage, SumCurveFromRunsEqualsColumnByColumn) {
    // Many columns per pixel column, sign changes, flat stretches and a damaged value.
    const int n = 20000;
    uxArray2Double many;
    ASSERT_TRUE(uxarray2d_create(&many, 13, n));
    std::mt19937 random(5);
    std::normal_distribution<double> step(0.0, 1.0);
    double v = 0.0;
    for (int j = 0; j < n; ++j) {
        v += step(random);
        for (int row = 0; row < 13; ++row) uxarray2d_set(&many, row, j, v * (1.0 + 0.1 * row));
    }
    for (int j = 5000; j < 5400; ++j) uxarray2d_set(&many, 0, j, 3.0);
    uxarray2d_set(&many, 0, 777, std::numeric_limits<double>::quiet_NaN());
    const double start = JulianDay(2000, 1, 1, 0, 1, 0, 0);
    auto draw = [&](bool byColumns) {
        SetSumCurveDrawnByColumns(byColumns);
        uxgraphic_clear(0xFFFFFF);
        testing::internal::CaptureStdout();
        FluctuationChart(3, &many, &colours, 1, 180, kPeriodYear, start, 365.0 / n, n, 1, false);
        testing::internal::GetCapturedStdout();
        const uxPixmap* pm = uxgraphic_pixels(&page);
        return std::vector<uint32_t>(pm->pixels, pm->pixels + (size_t)pm->width * pm->height);
    };
    const std::vector<uint32_t> byRuns = draw(false);
    EXPECT_TRUE(byRuns == draw(true));
    SetSumCurveDrawnByColumns(false);
    uxarray2d_destroy(&many);
}

TEST_F(ChartPage, UnknownLayoutWarnsWaitsAndDrawsNoCurves) {
    const int n = 700;
    fill(n, 0.0, 10.0, 0.5);
    uxPostEvent(1234567);  // the key the chart waits for
    std::string out = fluctuation(n, false, 2);
    EXPECT_NE(out.find(" WARNUNG!! kv13 kann nur 0 oder 1 betragen  \n"), std::string::npos);
    EXPECT_NE(out.find("\n  weiter mit beliebiger Taste...  \n"), std::string::npos);
    EXPECT_NE(out.find("Fehler: kv13 ??? : 2 \n"), std::string::npos);
    EXPECT_FALSE(uxPending());  // the event was taken by the wait
    int drawn = 0;
    for (int y = 20; y < 1070; ++y) drawn += pixel(700, y) != 0xFFFFFF;
    EXPECT_EQ(drawn, 0);
    EXPECT_EQ(pixel(0, 500), kBlack);  // the frame is still there
}

TEST_F(ChartPage, ValidationOfFormatAndDate) {
    fill(700, 1.0, 2.0, 0.5);
    testing::internal::CaptureStdout();
    uxPostEvent(1234567);
    FluctuationChart(1, &curves, &colours, 1, 9, kPeriodDay, 0.5, 1.0, 700, 1, false);
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_NE(out.find(" WARNUNG!! Das Format hat eine geringe Aufl\xf6sung: kvformat<10  \n"),
              std::string::npos);
    EXPECT_NE(out.find(" WARNUNG!! Fehler im Julianischem Datum !!   \n"), std::string::npos);
    testing::internal::CaptureStdout();
    uxPostEvent(1234567);
    FluctuationChart(1, &curves, &colours, 1, 201, kPeriodDay, 2451545.0, 0.001, 700, 1, false);
    out = testing::internal::GetCapturedStdout();
    EXPECT_NE(out.find(" WARNUNG!! Das Format ist zu gro\xdf: kvformat>200  \n"),
              std::string::npos);
    // Valid input warns about nothing and waits for nothing.
    testing::internal::CaptureStdout();
    FluctuationChart(1, &curves, &colours, 1, 180, kPeriodDay, 2451545.0, 0.001, 700, 1, false);
    out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(out.find("WARNUNG"), std::string::npos);
    EXPECT_EQ(out.find("weiter"), std::string::npos);
    EXPECT_NE(out.find("unsupported format (Zeitqt)"), std::string::npos);
}

TEST_F(ChartPage, RhythmChartBandsAndNoPicture) {
    const int n = 700;
    fill(n, 0.0, 10.0, 0.0);
    double start = JulianDay(1990, 3, 10, 12, 0, 0, 0);
    testing::internal::CaptureStdout();
    RhythmChart(&curves, &colours, 1, 180, 2, start, 12 * 365.25 / 700);
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(out.find("unsupported"), std::string::npos);  // nothing saved
    EXPECT_EQ(out.find("max:"), std::string::npos);        // no extremes printed
    ChartGeometry g = ChartGeometryFor(180);
    const int x = ChartColumnX(g, 351, n);
    // Band 120; curve w on (w + 3) 120, peak 10 115 / 10 0.5 = 57.5 above it.
    for (int w = 1; w <= 5; ++w) {
        EXPECT_EQ(pixel(x, static_cast<int>((w + 3) * 120 - 57.5)), row_colour(w)) << w;
        EXPECT_EQ(pixel(x + 5, (w + 3) * 120), kBlack);
    }
    double s = 100.0 / (0.4 + 99.0);
    EXPECT_EQ(pixel(x, static_cast<int>(240 - 10 * 115 * s * 3 / 10 * 0.5)), kRed);
    EXPECT_EQ(pixel(g.left, 6), kRed);  // the start tick is red
    EXPECT_EQ(pixel(1000, 9 * 120 - 60), 0xFFFFFF);  // row 6 is not drawn
}

}  // namespace
