#pragma once
// Calendar dates and Julian days (Meeus's algorithm, Gregorian calendar after 1582-10-14),
// world time of a person record, and local sidereal time.
//
// All truncations are toward zero. Dates before the year -4716 are outside the model.

struct PersonRecord;

// Julian day of the local time given, minus `zone` hours. Day, hour and zone need not lie in
// their calendar ranges: day 0 or 32 gives the neighbouring day's Julian day.
double JulianDay(int year, int month, int day, int hour, int minute, int second, int zone);

// Julian day of 0 h of the date.
double JulianDayAtMidnight(int year, int month, int day);

// Days of the month in the calendar the Julian day uses: Julian leap years up to 1582,
// Gregorian after. 0 for a month outside 1..12.
int DaysInMonth(int year, int month);

// JulianDay of the record's date, clock time and time zone; the summer time is not applied.
double RecordJulianDay(const PersonRecord& record);

// The calendar moment of a Julian day. Seconds are dropped, nothing is rounded. A Julian day
// that is not finite or lies beyond a billion days gives all zeros.
void CalendarFromJulianDay(double julianDay, int* year, int* month, int* day, int* hour,
                           int* minute);

// World time of a record: hour minus summer time with a day carry (month and year untouched,
// the Julian-day formula handles day 0 and 32), seconds set to 0, zone subtracted.
// julianDay is the moment, julianDayAtMidnight 0 h of its (carried) date.
void RecordWorldTime(const PersonRecord& record, double* julianDay, double* julianDayAtMidnight);

// Local sidereal time in hours, 0..24 (both ends possible), for the moment julianDay whose date
// begins at julianDayAtMidnight, at the geographic longitude degrees + minutes / 60 (east).
double LocalSiderealTime(double julianDay, double julianDayAtMidnight, int longitudeDegrees,
                         int longitudeMinutes);
