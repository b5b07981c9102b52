#pragma once
// One run of the shuffle test as the dialogue collected it and the computation filled it:
// shared by the dialogue (shuffle_module.cpp), the report and files (shuffle_report.cpp) and the
// chart (shuffle_chart.cpp).

#include <vector>

#include "research/shuffle/shuffle_profile.h"
#include "research/shuffle/shuffle_test.h"

inline constexpr int kShuffleBootstrapResamples = 1000;
inline constexpr int kShuffleMinGroups = 100;
inline constexpr int kShuffleMaxGroups = 100000;

// The captions of the design choice, in design order.
inline constexpr const char* kShuffleDesignCaptions[3] = {
    "1 clock times recoupled", "2 dates, times and places shuffled",
    "3 random moments of a period"};

struct ShuffleRun {
    ShuffleSettings settings;
    bool parametersFromFiles;  // order, IC, planets, self-correlation from the Continuum's files
    char tablePath[1100];
    int tableRows;
    long long tableSize;
    char tableSha256[65];
    int firstRow;  // 1-based, as the dialog asks it
    int count;
    int start[6];  // design 3: day, month, year, hour, minute, second of the period
    int end[6];
    std::vector<ShuffleMember> members;
    std::vector<ShuffleRowZone> zones;
    ShuffleProfile profile;
    ShuffleResult result;
    char startedAt[32];  // UTC, "2026-12-09T12:00:00Z"
    char endedAt[32];
};

// The table's file name without its folders.
const char* ShuffleTableName(const ShuffleRun& run);
