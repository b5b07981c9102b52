// The labelled table of a density function run.

#include "research/density_csv.h"

#include "research/results_csv.h"

ResultsCsv* OpenDensityCsv() {
    static const char* const columns[] = {"group", "H", "I", "D", "DA", nullptr};
    return OpenResultsCsv(kDensityCsvFile, columns);
}

void WriteDensityGroup(ResultsCsv* csv, int group, const double values[4]) {
    CsvInt(csv, group);
    for (int kind = 0; kind < kCorrelationKinds; ++kind) CsvNumber(csv, values[kind]);
    CsvEndRow(csv);
}
