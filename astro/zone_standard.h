#pragma once
// The standard offset a zone had at a clock time, as the tz database's own source text states it
// (the STDOFF column of the zone's lines in "tzdata.zi"). The compiled zone files keep only the
// whole offset and a summer-time flag, so Paris in September 1944 (+2, "WEMT") cannot be told
// there from standard time +1 with one hour of summer time; the source says standard time 0
// with two hours.

// The standard offset in seconds east of the zone `zone` (links followed) at the local clock
// time; false when the source text cannot be read or does not name the zone.
bool ZoneStandardOffset(const char* zone, int year, int month, int day, int hour,
                        int* seconds);
