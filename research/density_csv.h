#pragma once
// The labelled table of a density function run, "density.csv": the four group values H, I, D,
// DA (mean matrix sums) of every control group, one row per group, written as each group ends
// (research/results_csv.h).

struct ResultsCsv;

// nullptr (reported) when the file cannot be opened.
ResultsCsv* OpenDensityCsv();
// values: H, I, D, DA of control group `group` (1-based).
void WriteDensityGroup(ResultsCsv* csv, int group, const double values[4]);
