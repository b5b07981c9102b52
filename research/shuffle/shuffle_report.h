#pragma once
// The shuffle test's text page (Text 4) and files: "shuffletest.csv" (one row per quantity),
// "shuffletest-record.json" (everything needed to know what was run on what), and
// "shuffletest-repeat.uxs" (the automation script that repeats the run exactly).

#include <string>
#include <vector>

#include "research/shuffle/shuffle_run.h"

inline constexpr int kShuffleTextPage = 4;
inline constexpr const char* kShuffleTableFile = "shuffletest.csv";
inline constexpr const char* kShuffleRecordFile = "shuffletest-record.json";
inline constexpr const char* kShuffleRepeatFile = "shuffletest-repeat.uxs";

// "H", "I", "D", "DA".
const char* ShuffleKindName(int kind);
// The principles of a quantity by name: an element's two principles ("Mars", "IC"), a row
// sum's principle and "sum", the matrix sum's "sum" and "sum".
void ShuffleQuantityNames(const ShuffleQuantity& quantity, const char** row, const char** column);
// Indexes of the quantities, ordered by family-wise p (ties in the order of the list).
std::vector<int> ShuffleReportOrder(const ShuffleResult& result);

// Text page 4: the settings, the profile, the quantities, the replication summary.
void PrintShuffleReport(const ShuffleRun& run);

// The three files' texts.
std::string ShuffleTableCsv(const ShuffleRun& run);
std::string ShuffleRecordJson(const ShuffleRun& run);
std::string ShuffleRepeatScript(const ShuffleRun& run);

// Writes the three files with the run's files (whole or not at all). A statistic that is no
// finite number is refused before anything is written. False after reporting.
bool WriteShuffleFiles(const ShuffleRun& run);
