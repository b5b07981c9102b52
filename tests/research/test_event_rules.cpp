// The calendar shift of event moments and the bar rule of the comparison chart.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "research/event_rules.h"

namespace {

struct Moment {
    int year, month, day, hour;
};

Moment Shift(Moment m, int days, int hours) {
    ShiftEventMoment(days, hours, &m.year, &m.month, &m.day, &m.hour);
    return m;
}

void ExpectMoment(const Moment& m, int year, int month, int day, int hour) {
    EXPECT_EQ(m.year, year);
    EXPECT_EQ(m.month, month);
    EXPECT_EQ(m.day, day);
    EXPECT_EQ(m.hour, hour);
}

TEST(EventShift, FebruaryHasItsLeapDay) {
    ExpectMoment(Shift({1999, 3, 1, 12}, -1, 0), 1999, 2, 28, 12);
    ExpectMoment(Shift({2000, 3, 1, 12}, -1, 0), 2000, 2, 29, 12);
    ExpectMoment(Shift({2000, 2, 28, 12}, 1, 0), 2000, 2, 29, 12);
    // An event on the leap day itself stays there when shifted by an hour.
    ExpectMoment(Shift({1960, 2, 29, 12}, 0, 1), 1960, 2, 29, 13);
    ExpectMoment(Shift({1900, 2, 28, 12}, 1, 0), 1900, 3, 1, 12);
}

TEST(EventShift, HourForwardAtNewYearsEveCarriesIntoTheNextYear) {
    ExpectMoment(Shift({1999, 12, 31, 23}, 0, 1), 2000, 1, 1, 0);
    ExpectMoment(Shift({2000, 1, 1, 0}, 0, -1), 1999, 12, 31, 23);
    ExpectMoment(Shift({2000, 1, 1, 0}, -1, 0), 1999, 12, 31, 0);
}

TEST(EventShift, ExtremeShiftsCarryThroughSeveralDaysAndMonths) {
    // 23 h + 47 h = 70 h: two days on, 22 h.
    ExpectMoment(Shift({2001, 2, 27, 23}, 0, 47), 2001, 3, 1, 22);
    // 0 h - 47 h: 1 h two days back.
    ExpectMoment(Shift({2001, 3, 1, 0}, 0, -47), 2001, 2, 27, 1);
    // Day and hour shifts together: the day first, then the hours.
    ExpectMoment(Shift({2001, 1, 10, 5}, -25, -6), 2000, 12, 15, 23);
    ExpectMoment(Shift({2001, 12, 20, 20}, 25, 47), 2002, 1, 16, 19);
    ExpectMoment(Shift({2001, 4, 30, 10}, 1, 0), 2001, 5, 1, 10);
    ExpectMoment(Shift({2001, 5, 31, 10}, 1, 0), 2001, 6, 1, 10);
}

TEST(EventShift, NoShiftAndImpossibleMonthsLeaveTheMomentAlone) {
    ExpectMoment(Shift({1906, 4, 18, 13}, 0, 0), 1906, 4, 18, 13);
    // An empty record (a row that does not exist) has no month to carry with.
    ExpectMoment(Shift({0, 0, 0, 0}, -1, 5), 0, 0, 0, 0);
    ExpectMoment(Shift({1950, 13, 5, 3}, 3, 0), 1950, 13, 5, 3);
    ExpectMoment(Shift({1950, 5, 2000000000, 3}, 3, 0), 1950, 5, 2000000000, 3);
}

int Bar(double event, double continuum, int kind) {
    int u = -12345;
    EXPECT_TRUE(ComparisonBarHeight(event, continuum, kComparisonBarFactors[kind], &u));
    return u;
}

TEST(ComparisonBar, EventEqualToContinuumGivesTheFactorRule) {
    EXPECT_EQ(Bar(12.5, 12.5, 0), 90);   // H: v = 10
    EXPECT_EQ(Bar(3.0, 3.0, 1), 100);    // I: v = 200
    EXPECT_EQ(Bar(-4.0, -4.0, 2), 100);  // D: v = 0.1 truncates to 0
    EXPECT_EQ(Bar(7.0, 7.0, 3), 100);    // DA: v = 200
}

TEST(ComparisonBar, BelowTheContinuumTheBarIsNegated) {
    // H: E = 5, B = 10: v = 5, U = 95, negated because E < B.
    EXPECT_EQ(Bar(5.0, 10.0, 0), -95);
    // H: E = 20, B = 10: v = 20, U = 80.
    EXPECT_EQ(Bar(20.0, 10.0, 0), 80);
    // v = 150.9 truncates to 150: U = 50.
    EXPECT_EQ(Bar(150.9, 10.0, 0), 50);
    // Negative continuum: E = -2, B = -1 (E < B): v = 20, U = -80.
    EXPECT_EQ(Bar(-2.0, -1.0, 0), -80);
}

TEST(ComparisonBar, NoBarWithoutAContinuumValueAndTheBarStaysOnThePage) {
    int u = 7;
    EXPECT_FALSE(ComparisonBarHeight(1.0, 0.0, 10.0, &u));
    EXPECT_EQ(u, 0);
    EXPECT_FALSE(ComparisonBarHeight(std::numeric_limits<double>::quiet_NaN(), 1.0, 10.0, &u));
    EXPECT_FALSE(ComparisonBarHeight(1e308, 1e-308, 10.0, &u));
    // Far above: the bar reaches the top of the page; far below: it vanishes at the base line.
    EXPECT_EQ(Bar(1e9, 1.0, 0), kComparisonLineY);
    EXPECT_EQ(Bar(-1e9, 1.0, 0), kComparisonLineY - kComparisonBaseY);
}

}  // namespace
