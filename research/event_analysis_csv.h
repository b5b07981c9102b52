#pragma once
// The labelled tables of an event analysis: "events.csv" with one row per event and
// "eventmatrices.csv" with the group's four matrices (research/results_csv.h).

#include "research/event_analysis_run.h"

inline constexpr const char* kEventsCsvFile = "events.csv";
inline constexpr const char* kEventMatricesCsvFile = "eventmatrices.csv";

// False (reported) when a file cannot be written.
bool WriteEventAnalysisCsv(const EventRun& run);
