// The labelled tables of the curve modules.

#include "research/curves_csv.h"

#include <cstdio>

#include "astro/julian.h"
#include "research/curve_chart.h"
#include "research/results_csv.h"

// "YYYY-MM-DDTHH:MM" in world time, the step's moment as the module takes it.
static void format_moment(int year, int month, int day, int hour, int minute, char* text,
                          int size) {
    std::snprintf(text, static_cast<size_t>(size), "%04d-%02d-%02dT%02d:%02d", year, month, day,
                  hour, minute);
}

static void world_time(double jd, char* text, int size) {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0;
    CalendarFromJulianDay(jd, &year, &month, &day, &hour, &minute);
    format_moment(year, month, day, hour, minute, text, size);
}

// The fluctuations take their moments through the chart's own conversion.
static void chart_time(double jd, char* text, int size) {
    double year, month, day, hour, minute;
    JulianToCalendar(jd, &year, &month, &day, &hour, &minute);
    format_moment(int(year), int(month), int(day), int(hour), int(minute), text, size);
}

bool WriteSimilarityCsv(const uxArray2Double* curves, int fidelityRow, int correlationRow,
                        int middleRow, const int asked[4], double jdStart, double step,
                        int steps) {
    static const char* const columns[] = {
        "step", "julian_date", "world_time", "fidelity_H", "KQ_H", "fidelity_I", "KQ_I",
        "fidelity_D", "KQ_D", "fidelity_DA", "KQ_DA", "middle", nullptr};
    ResultsCsv* csv = OpenResultsCsv(kSimilarityCsvFile, columns);
    if (!csv) return false;
    for (int o = 0; o < steps; ++o) {
        const double jd = jdStart + o * step;
        char moment[40];
        world_time(jd, moment, sizeof moment);
        CsvInt(csv, o);
        CsvNumber(csv, jd);
        CsvText(csv, moment);
        for (int kind = 0; kind < 4; ++kind) {
            if (!asked[kind]) {
                CsvEmpty(csv);
                CsvEmpty(csv);
                continue;
            }
            CsvNumber(csv, uxarray2d_get(curves, fidelityRow + kind, o));
            CsvNumber(csv, uxarray2d_get(curves, correlationRow + kind, o));
        }
        CsvNumber(csv, uxarray2d_get(curves, middleRow, o));
        CsvEndRow(csv);
    }
    return CloseResultsCsv(csv);
}

ResultsCsv* OpenFluctuationsCsv() {
    static const char* const columns[] = {
        "kind", "step", "julian_date", "world_time", "sum", "Sun", "Moon", "Mercury", "Venus",
        "Mars", "Jupiter", "Saturn", "Uranus", "Neptune", "Pluto", "IC", nullptr};
    return OpenResultsCsv(kFluctuationsCsvFile, columns);
}

void WriteFluctuationKind(ResultsCsv* csv, int kind, const uxArray2Double* curves,
                          double start, double step, int steps) {
    for (int i = 0; i < steps; ++i) {
        const double jd = start + i * step;
        char moment[40];
        chart_time(jd, moment, sizeof moment);
        CsvText(csv, KindLabel(kind));
        CsvInt(csv, i);
        CsvNumber(csv, jd);
        CsvText(csv, moment);
        for (int row = 0; row <= 11; ++row) CsvNumber(csv, uxarray2d_get(curves, row, i));
        CsvEndRow(csv);
    }
}
