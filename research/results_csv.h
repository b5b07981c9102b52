#pragma once
// Labelled result tables for R, a spreadsheet or Python: one CSV file per module run beside the
// plain result files, with a header row, every number at full precision ("%.17g", so it reads
// back as the same double) and the principles by name. Fields follow RFC 4180 (CRLF line ends;
// texts quoted by libcsv); the program's Latin-1 texts are written as UTF-8. A missing value
// (a cell the module does not show) is an empty field, which R reads as NA.
//
// The files go through the module files (research/module_files.h): whole or not at all, and
// put in place together with the other files of the run.

#include "research/correlation_matrices.h"

// The labelled tables of the modules that have no header of their own for them.
inline constexpr const char* kContinuumCsvFile = "continuum.csv";
inline constexpr const char* kDensityCsvFile = "density.csv";
inline constexpr const char* kProbabilityCsvFile = "probability.csv";

struct ResultsCsv;

// Opens the file and writes the header (`columns` texts, nullptr-terminated). nullptr after
// reporting when the file cannot be opened.
ResultsCsv* OpenResultsCsv(const char* name, const char* const* columns);
void CsvText(ResultsCsv* csv, const char* latin1);
void CsvNumber(ResultsCsv* csv, double value);  // NaN, Inf, -Inf as R and Python spell them
void CsvInt(ResultsCsv* csv, long long value);
void CsvEmpty(ResultsCsv* csv);
void CsvEndRow(ResultsCsv* csv);
// Finishes the file (reported and false when it could not be written) or gives it up.
bool CloseResultsCsv(ResultsCsv* csv);
void DiscardResultsCsv(ResultsCsv* csv);

// The name of principle 0..10 ("Sun" .. "Pluto", "IC").
const char* PrincipleLabel(int principle);
// The name of kind 0..3 ("H", "I", "D", "DA").
const char* KindLabel(int kind);
// The four label columns of a matrix table: quantity ("element", "row_sum", "matrix_sum"),
// kind, row and column principles; a principle below 0 leaves its column empty.
void CsvQuantityLabels(ResultsCsv* csv, const char* quantity, int kind, int row, int column);

// The four matrices over principles 0..last in long format, columns
// quantity,kind,row,column,value: every element ("element", row and column principle), every
// row sum ("row_sum", row principle) and the matrix sum ("matrix_sum") of each kind, the sums
// as the module's tables and files give them.
bool WriteMatrixCsv(const char* name,
                    const double matrices[kCorrelationKinds][kMatrixSize][kMatrixSize], int last);
