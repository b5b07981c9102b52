// The labelled tables of an event analysis.

#include "research/event_analysis_csv.h"

#include <cstdio>

#include "research/results_csv.h"

// One row per event: its number in the group, its table row (empty when typed in), names and
// place, the moment as used (after the time shift, local clock time with zone and summer
// time), its Julian date in world time and its four moment sums.
static bool write_events(const EventRun& run) {
    static const char* const columns[] = {
        "event", "row", "name", "first_name", "place", "date", "time", "zone", "summer_time",
        "julian_date", "SH", "SI", "SD", "SDA", nullptr};
    ResultsCsv* csv = OpenResultsCsv(kEventsCsvFile, columns);
    if (!csv) return false;
    const EventMoments& ev = run.events;
    for (int k = 0; k < run.count; ++k) {
        const PersonRecord& r = run.records[k];
        char date[32], time[32];
        std::snprintf(date, sizeof date, "%04d-%02d-%02d", ev.year[k], ev.month[k], ev.day[k]);
        std::snprintf(time, sizeof time, "%02d:%02d:%02d", ev.hour[k], ev.minute[k], r.second);
        CsvInt(csv, k + 1);
        if (run.automatic) CsvInt(csv, static_cast<long long>(k) + run.offset);
        else CsvEmpty(csv);
        CsvText(csv, r.name);
        CsvText(csv, r.firstName);
        CsvText(csv, r.place);
        CsvText(csv, date);
        CsvText(csv, time);
        CsvInt(csv, r.timeZone);
        CsvInt(csv, r.summerTime);
        CsvNumber(csv, ev.julianDay[k]);
        for (int kind = 0; kind < kCorrelationKinds; ++kind) CsvNumber(csv, ev.sums[kind][k]);
        CsvEndRow(csv);
    }
    return CloseResultsCsv(csv);
}

bool WriteEventAnalysisCsv(const EventRun& run) {
    return write_events(run) && WriteMatrixCsv(kEventMatricesCsvFile, run.results, run.last);
}
