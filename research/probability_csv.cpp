// The labelled table of a matrix probability run.

#include "research/probability_csv.h"

#include "research/results_csv.h"

// The cells the probability tables show: both principles weighted, the diagonal only with
// self-correlation.
static bool cell_shown(const double weights[kMatrixSize], int selfCorrelation, int i, int j) {
    if (!(weights[i] * weights[j] > 0.0)) return false;
    return i != j || selfCorrelation != 0;
}

static void write_share(ResultsCsv* csv, int count, int groups) {
    CsvInt(csv, count);
    CsvInt(csv, groups);
    CsvNumber(csv, ProbabilityPercent(count, groups));
}

bool WriteProbabilityCsv(const ProbabilityCounters counters[kCorrelationKinds],
                         const int significance[kCorrelationKinds][kMatrixSize][kMatrixSize + 1],
                         const double weights[kMatrixSize], int selfCorrelation, int last,
                         int groups) {
    if (last > kMatrixPrinciples - 1) last = kMatrixPrinciples - 1;
    static const char* const columns[] = {"quantity", "kind",    "row",          "column",
                                          "count",    "groups",  "percent",      "significance",
                                          nullptr};
    ResultsCsv* csv = OpenResultsCsv(kProbabilityCsvFile, columns);
    if (!csv) return false;
    for (int kind = 0; kind < kCorrelationKinds; ++kind) {
        const ProbabilityCounters& c = counters[kind];
        for (int i = 0; i <= last; ++i)
            for (int j = 0; j <= last; ++j) {
                CsvQuantityLabels(csv, "element", kind, i, j);
                if (cell_shown(weights, selfCorrelation, i, j)) {
                    write_share(csv, c.elements[i < j ? i : j][i < j ? j : i], groups);
                } else {
                    CsvEmpty(csv);
                    CsvInt(csv, groups);
                    CsvEmpty(csv);
                }
                CsvInt(csv, significance[kind][i][j]);
                CsvEndRow(csv);
            }
        for (int i = 0; i <= last; ++i) {
            CsvQuantityLabels(csv, "row_sum", kind, i, -1);
            write_share(csv, c.rows[i], groups);
            CsvInt(csv, significance[kind][i][last + 1]);
            CsvEndRow(csv);
        }
        CsvQuantityLabels(csv, "matrix_sum", kind, -1, -1);
        write_share(csv, c.sum, groups);
        CsvEmpty(csv);
        CsvEndRow(csv);
    }
    return CloseResultsCsv(csv);
}
