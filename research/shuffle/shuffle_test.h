#pragma once
// The shuffle test's computation, without dialogs, pages or files: an event group's mean
// matrices against K control groups built from the group itself (or from random moments of a
// period), per tested quantity the control mean and spread, z, the permutation p-value,
// Benjamini-Hochberg q, the family-wise p of the max-|z| method, a bootstrap interval, and the
// replication in two halves. Every random choice comes from one generator seeded with
// `settings.seed`, so the same inputs and seed give the same numbers.
//
// The pieces, in research/shuffle/: shuffle_random.* (the draws from the one std::mt19937_64),
// shuffle_designs.* (control members of the three designs, the order of their draws, the zone
// rule of design 2), shuffle_quantities.* (a set of moments' quantities by the Event analysis's
// steps), permutation_statistics.* (mean, sd, z, p, q, family-wise p, bootstrap, with their
// conventions for ties and sd = 0), shuffle_test.cpp (the run and the order of all its draws).
//
// Cost: one full moment (positions, H and D, accumulation) per control member: K n moments,
// twice that with replication. The statistics cost O(K Q) and the bootstrap O(B n Q)
// multiply-adds (Q the number of quantities, B the resamples), both below the moments for
// K >= 100. Memory: K x Q doubles for the control groups' values (the max-|z| step needs them
// all), n x Q for the members' own values, B x Q for the bootstrap, and the draws of one block
// (about 32 768 control members); nothing is allocated per moment.

#include <cstdint>
#include <vector>

#include "astro/astro_records.h"
#include "research/correlation_matrices.h"

enum ShuffleDesign {
    kClockTimesRecoupled = 1,      // date and place of one member, clock time of another
    kDatesTimesPlacesShuffled = 2, // date, clock time and place from three permutations
    kRandomMomentsOfPeriod = 3,    // uniform moments of a period at the fixed place
};

// One member of the event group: its checked record and the IANA zone of its place ("" when
// the place table has none for it).
struct ShuffleMember {
    PersonRecord record;
    char zone[48];
};

struct ShuffleSettings {
    int order;            // 1..12
    int last;             // last principle P: 9 without IC, 10 with IC
    double weights[kMatrixSize];  // w[0..last]; principles with weight 0 are not tested
    int selfCorrelation;  // 0 or 1: the diagonal is tested when 1
    ShuffleDesign design;
    int controlGroups;    // K, 100..100000
    bool replication;     // test two random halves as well
    double jdStart;       // design 3: the period, Julian days of zone-1 clock time
    double jdEnd;
    std::uint64_t seed;
    int bootstrapResamples;  // 1000
};

// A tested quantity of one kind (H, I, D, DA in kind order): the element (row, column) with
// row < column, or row == column for the diagonal; a row sum has column == -1; the matrix
// sum has row == column == -1.
struct ShuffleQuantity {
    int kind;
    int row;
    int column;
};

struct ShuffleStatistic {
    double group;        // the group's mean
    double controlMean;  // mean of the K control-group means
    double controlSd;    // their standard deviation (divisor K - 1)
    double z;            // (group - controlMean) / controlSd; 0 when controlSd is 0
    double p;            // two-sided permutation p, (1 + #as far) / (K + 1); ties count as far
    double q;            // Benjamini-Hochberg over all quantities of the run
    double pFamily;      // single-step max-|z|: (1 + #controls with max |z| >= |z|) / (K + 1)
    double ciLow;        // 95 % bootstrap interval of group - controlMean (percentile;
    double ciHigh;       // B = 1000: the 25th and 976th of the sorted resample differences)
    // With replication only (else 0 / false).
    double pHalfA;
    double qHalfA;
    double pHalfB;
    bool replicated;     // qHalfA < 0.05, pHalfB < 0.05, same sign in both halves
};

struct ShuffleResult {
    std::vector<ShuffleQuantity> quantities;
    std::vector<ShuffleStatistic> statistics;  // one per quantity, same order
    // Design 2: control members whose zone and summer time came from the row whose place they
    // took, because the place has no IANA zone or the tz database's offset is not whole hours.
    long long zoneFallbacks;
    // Design 2: control members whose clock time the tz database skips or repeats at their
    // place and date (a change of the clocks); they take the offsets in force before the change.
    long long zoneSkippedOrRepeated;
    long long controlMembers;  // all control members computed (replication included)
    // Replication: the members of half A (n / 2, rounded down) and half B (the rest).
    int halfA;
    int halfB;
    // Replication: quantities found in half A (q < 0.05), how many replicated, and how many
    // replications chance alone would give (found x 0.025).
    int foundInHalfA;
    int replicatedCount;
    double expectedByChance;
};

// Called between blocks of control groups with the share done (0..100); returning false stops
// the run (the application quits).
typedef bool (*ShuffleProgress)(int percent);

// The tested quantities of a run's settings, in kind order, then elements row by row, then
// row sums, then the matrix sum.
void ListShuffleQuantities(const ShuffleSettings& settings, std::vector<ShuffleQuantity>* list);

// Runs the whole test for `count` members (at least 2) and at least 2 control groups. False
// when `progress` stopped it, or when count, controlGroups or the quantities fall short
// (`result` then lists the quantities but is incomplete and must not be reported). `progress`
// is called after the group's own values, after each block of control groups (about 32 768
// control members, some 35 ms; a group larger than that is a block of its own), after each
// block of bootstrap resamples, and at the end with 100. The percentage counts control members.
//
// The group's value of a quantity is bit for bit what the Event analysis computes for the same
// records (ClearAccumulators, AccumulateMoment, FinishAccumulators, RowSums); a control group's
// value is computed by the same steps from its drawn members.
bool RunShuffleTest(const ShuffleSettings& settings, const ShuffleMember* members, int count,
                    ShuffleProgress progress, ShuffleResult* result);
