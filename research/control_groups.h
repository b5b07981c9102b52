#pragma once
// Random control groups for the comparison modules (density function, matrix probability):
// groups of m random moments of a period, each moment's positions and matrices H(t), D(t)
// summed into the four accumulators. Everything the cycle touches lives in the sampler, so a
// run of many groups allocates nothing and touches no file.

#include <vector>

#include "astro/astro_records.h"
#include "research/correlation_matrices.h"

// The mean matrices H, I, D, DA of one control group.
struct ControlGroupMeans {
    double means[kCorrelationKinds][kMatrixSize][kMatrixSize];
};

struct ControlGroupSampler {
    int order;
    int last;
    double jdStart;
    double moments;    // G * m, the number of moments of the whole run
    double increment;  // (JD_end - JD_start) / (G * m)
    PersonRecord record;
    PositionRecord positions;
    double harmony[kMatrixSize][kMatrixSize];
    double dynamics[kMatrixSize][kMatrixSize];
    // Blocks of groups computed on all cores: the block's random moments, drawn on the main
    // thread, and each group's means (sized by StartControlGroupBlocks, once per run).
    int groupsPerBlock;
    std::vector<double> blockMoments;
    std::vector<ControlGroupMeans> blockMeans;
};

// Moments are read as clock time of zone 1 at 13 deg 59' E, 51 deg 10' N.
void StartControlGroups(ControlGroupSampler* sampler, int order, int last, double jdStart,
                        double jdEnd, int groups, int members);

// One moment t = JD_start + u (G m) increment, u from RandomUnit.
double RandomControlMoment(const ControlGroupSampler& sampler);

// Clears the accumulators and adds the unweighted H, |H|, D, |D| of `members` random moments
// over principles 0..last.
void SampleControlGroup(ControlGroupSampler* sampler, int members,
                        double accumulators[kCorrelationKinds][kMatrixSize][kMatrixSize]);

// Sizes the block buffers for groups of `members` (a few thousand moments a block, a few groups
// per thread at least, never more than the run's groups) and returns the groups per block.
int StartControlGroupBlocks(ControlGroupSampler* sampler, int members, int groups);

// The next `groups` groups (at most the groups per block): their random moments drawn on the
// calling thread in the order SampleControlGroup draws them, then on all cores each group's
// sums as SampleControlGroup makes them, finished into blockMeans[0..groups-1] with the
// weights, the self-correlation flag and the divisor `members` (FinishAccumulators).
void SampleControlGroupBlock(ControlGroupSampler* sampler, int members, int groups,
                             const double* weights, int selfCorrelation);
