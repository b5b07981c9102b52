// Labelled result tables in CSV, written through the module files.

#include "research/results_csv.h"

#include <csv.h>

#include <cmath>
#include <cstdio>
#include <cstring>

#include "research/module_files.h"
#include "shell/format_text.h"

struct ResultsCsv {
    ModuleFile* file;
    bool rowStarted;
};

static void separate(ResultsCsv* csv) {
    if (csv->rowStarted) std::fputc(',', ModuleFileStream(csv->file));
    csv->rowStarted = true;
}

ResultsCsv* OpenResultsCsv(const char* name, const char* const* columns) {
    ModuleFile* file = OpenModuleFile(name);
    if (!file) return nullptr;
    ResultsCsv* csv = new ResultsCsv{file, false};
    for (const char* const* column = columns; *column; ++column) CsvText(csv, *column);
    CsvEndRow(csv);
    return csv;
}

void CsvText(ResultsCsv* csv, const char* latin1) {
    char utf8[2 * 256 + 1];
    const std::size_t n = Latin1ToUtf8(latin1, utf8, sizeof utf8);
    separate(csv);
    csv_fwrite(ModuleFileStream(csv->file), utf8, n);
}

void CsvNumber(ResultsCsv* csv, double value) {
    separate(csv);
    std::FILE* out = ModuleFileStream(csv->file);
    if (std::isnan(value)) std::fputs("NaN", out);
    else if (std::isinf(value)) std::fputs(value > 0 ? "Inf" : "-Inf", out);
    else std::fprintf(out, "%.17g", value);
}

void CsvInt(ResultsCsv* csv, long long value) {
    separate(csv);
    std::fprintf(ModuleFileStream(csv->file), "%lld", value);
}

void CsvEmpty(ResultsCsv* csv) { separate(csv); }

void CsvEndRow(ResultsCsv* csv) {
    std::fputs("\r\n", ModuleFileStream(csv->file));
    csv->rowStarted = false;
}

bool CloseResultsCsv(ResultsCsv* csv) {
    bool ok = CloseModuleFile(csv->file);
    delete csv;
    return ok;
}

void DiscardResultsCsv(ResultsCsv* csv) {
    DiscardModuleFile(csv->file);
    delete csv;
}

const char* PrincipleLabel(int principle) {
    return principle >= 0 && principle < kMatrixPrinciples ? kPrincipleLabels[principle] : "";
}

const char* KindLabel(int kind) {
    static const char* const kinds[kCorrelationKinds] = {"H", "I", "D", "DA"};
    return kind >= 0 && kind < kCorrelationKinds ? kinds[kind] : "";
}

void CsvQuantityLabels(ResultsCsv* csv, const char* quantity, int kind, int row, int column) {
    CsvText(csv, quantity);
    CsvText(csv, KindLabel(kind));
    if (row >= 0) CsvText(csv, PrincipleLabel(row));
    else CsvEmpty(csv);
    if (column >= 0) CsvText(csv, PrincipleLabel(column));
    else CsvEmpty(csv);
}

bool WriteMatrixCsv(const char* name,
                    const double matrices[kCorrelationKinds][kMatrixSize][kMatrixSize], int last) {
    if (last > kMatrixPrinciples - 1) last = kMatrixPrinciples - 1;
    static const char* const columns[] = {"quantity", "kind", "row", "column", "value", nullptr};
    ResultsCsv* csv = OpenResultsCsv(name, columns);
    if (!csv) return false;
    for (int kind = 0; kind < kCorrelationKinds; ++kind) {
        double rowSums[kMatrixSize];
        const double sum = RowSums(matrices[kind], last, rowSums);
        for (int i = 0; i <= last; ++i)
            for (int j = 0; j <= last; ++j) {
                CsvQuantityLabels(csv, "element", kind, i, j);
                CsvNumber(csv, matrices[kind][i][j]);
                CsvEndRow(csv);
            }
        for (int i = 0; i <= last; ++i) {
            CsvQuantityLabels(csv, "row_sum", kind, i, -1);
            CsvNumber(csv, rowSums[i]);
            CsvEndRow(csv);
        }
        CsvQuantityLabels(csv, "matrix_sum", kind, -1, -1);
        CsvNumber(csv, sum);
        CsvEndRow(csv);
    }
    return CloseResultsCsv(csv);
}
