#include "astro/julian.h"

#include <cmath>
#include <limits>

#include "astro/angles.h"
#include "astro/astro_records.h"

namespace {

// Meeus's sum with the day (and its fraction) already known.
double JulianDayFromDayWithFraction(int year, int month, int day, double dayWithFraction)
{
    // January and February count as months 13 and 14 of the year before.
    long long y = year;
    long long m = month;
    if (month <= 2) {
        y -= 1;
        m += 12;
    }
    bool gregorian = year > 1582 || (year == 1582 && month > 10) ||
                     (year == 1582 && month == 10 && day > 14);
    long long centuryCorrection = gregorian ? y / 400 - y / 100 + 2 : 0;
    return std::trunc(365.25 * static_cast<double>(y + 4716)) +
           std::trunc(30.6001 * static_cast<double>(m + 1)) + dayWithFraction +
           static_cast<double>(centuryCorrection) - 1524.5;
}

double FractionOf(double x) { return x - std::trunc(x); }

// Converts a truncated double that is known to lie well inside the int range.
int ToInt(double x) { return static_cast<int>(x); }

int ClampToInt(long long x)
{
    const long long limit = 1000000000;
    return static_cast<int>(x > limit ? limit : x < -limit ? -limit : x);
}

}  // namespace

double JulianDay(int year, int month, int day, int hour, int minute, int second, int zone)
{
    double dayWithFraction = day + (static_cast<double>(hour) - zone) / 24.0 + minute / 1440.0 +
                             second / 86400.0;
    return JulianDayFromDayWithFraction(year, month, day, dayWithFraction);
}

int DaysInMonth(int year, int month)
{
    static const int lengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 0;
    bool leap = year <= 1582 ? year % 4 == 0 : (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : lengths[month - 1];
}

double JulianDayAtMidnight(int year, int month, int day)
{
    return JulianDayFromDayWithFraction(year, month, day, day);
}

double RecordJulianDay(const PersonRecord& record)
{
    return JulianDay(record.year, record.month, record.day, record.hour, record.minute,
                     record.second, record.timeZone);
}

void CalendarFromJulianDay(double julianDay, int* year, int* month, int* day, int* hour,
                           int* minute)
{
    if (!(std::fabs(julianDay) < 1e9)) {
        *year = *month = *day = *hour = *minute = 0;
        return;
    }
    double z = std::trunc(julianDay + 0.5);
    double f = julianDay + 0.5 - z;
    // The date depends on the whole day z alone. Callers step through a period in small steps
    // (chart columns, curve steps), so the last day's date is kept for the next call, per
    // thread (the sampling loops convert moments on several).
    thread_local double s_day = std::numeric_limits<double>::quiet_NaN();
    thread_local double s_dayStart = 0.0;  // d - trunc(30.6001 e), the day of the month at 0 h
    thread_local int s_month = 0, s_year = 0;
    if (z != s_day) {
        double a = z;
        if (z >= 2299161.0) {
            double alpha = std::trunc((z - 1867216.25) / 36524.25);
            a = z + 1.0 + alpha - std::trunc(alpha / 4.0);
        }
        double b = a + 1524.0;
        double c = std::trunc((b - 122.1) / 365.25);
        double d = b - std::trunc(365.25 * c);
        double e = std::trunc(d / 30.6001);
        s_dayStart = d - std::trunc(30.6001 * e);
        s_month = e > 13.0 ? ToInt(e) - 13 : ToInt(e) - 1;
        s_year = s_month < 3 ? ToInt(c) - 4715 : ToInt(c) - 4716;
        s_day = z;
    }
    double dayWithFraction = s_dayStart + f;
    *month = s_month;
    *year = s_year;
    *day = ToInt(std::trunc(dayWithFraction));
    double hours = FractionOf(dayWithFraction) * 24.0;
    *hour = ToInt(std::trunc(hours));
    *minute = ToInt(std::trunc(FractionOf(hours) * 60.0));
}

void RecordWorldTime(const PersonRecord& record, double* julianDay, double* julianDayAtMidnight)
{
    long long hour = static_cast<long long>(record.hour) - record.summerTime;
    long long day = record.day;
    if (hour >= 24) {
        hour -= 24;
        day += 1;
    }
    if (hour < 0) {
        hour += 24;
        day -= 1;
    }
    // Absurd input stays inside the int range; the result is then meaningless but harmless.
    int h = ClampToInt(hour);
    int d = ClampToInt(day);
    *julianDay = JulianDay(record.year, record.month, d, h, record.minute, 0, record.timeZone);
    *julianDayAtMidnight = JulianDayAtMidnight(record.year, record.month, d);
}

double LocalSiderealTime(double julianDay, double julianDayAtMidnight, int longitudeDegrees,
                         int longitudeMinutes)
{
    // Greenwich mean sidereal time in degrees (IAU 1982 expression).
    double t = (julianDayAtMidnight - 2451545.0) / 36525.0;
    double theta = 280.46061837 + 360.98564736629 * (julianDay - 2451545.0) +
                   0.000387933 * t * t - t * t * t / 38710000.0;
    theta = ReduceByTurnsTowardOppositeSide(theta);
    double h = longitudeDegrees + theta + longitudeMinutes / 60.0;
    if (h > 360.0) h -= 360.0;
    double s = h / 360.0 * 24.0;
    // "S >= 0: subtract 24 while S > 24; otherwise add 24 while S < 0", in constant time.
    return ReduceIntoClosedPeriod(s, 24.0);
}
