#pragma once
// One run of the event analysis: its parameters, the per-event table, the accumulators and the
// event matrices, and the continuum values it compares with. Shared by the dialogue and event
// cycle (event_analysis.cpp) and the reports and chart (event_analysis_report.cpp).

#include "astro/astro_records.h"
#include "research/correlation_matrices.h"

// Capacity of the per-event table.
inline constexpr int kMaxEvents = 10000;

struct EventMoments {
    int year[kMaxEvents];
    int month[kMaxEvents];
    int day[kMaxEvents];
    int hour[kMaxEvents];
    int minute[kMaxEvents];
    double julianDay[kMaxEvents];
    double sums[kCorrelationKinds][kMaxEvents];  // SH, SI, SD, SDA of each event
};

struct EventRun {
    int continuumRan;
    int order;
    int selfCorrelation;
    int last;  // P: 9 without IC, 10 with IC
    double weights[12];
    int count;  // number of events m
    int shiftDays;
    int shiftHours;
    int automatic;
    int offset;
    char tablePath[1100];
    // The checked (and shifted) records of the group, read before the cycle starts.
    PersonRecord records[kMaxEvents];
    EventMoments events;
    double accumulators[kCorrelationKinds][kMatrixSize][kMatrixSize];
    double results[kCorrelationKinds][kMatrixSize][kMatrixSize];
    double rowSums[kCorrelationKinds][kMatrixSize];
    double matrixSums[kCorrelationKinds];
    // Read from the continuum's files when it ran.
    double continuumMatrixSums[kCorrelationKinds];
    double continuumRowSums[kCorrelationKinds][kMatrixSize];
    int continuumCount;  // number per interval N
};

// Text page 6: the events with their moments, sums and Julian dates; writes "eventsh.txt" ..
// "eventsda.txt". False (reported) at the first file that cannot be written.
bool PrintEventList(const EventRun& run);
// Text page 2: the four event matrices with their files; fills results, rowSums, matrixSums.
// False (reported) at the first file that cannot be written.
bool PrintEventTables(EventRun* run);
// Graphic page 3: event sums against the continuum's, then the save under "group".
void DrawComparisonChart(const EventRun& run);
