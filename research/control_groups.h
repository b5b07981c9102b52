#pragma once
// Random control groups for the comparison modules (density function, matrix probability):
// groups of m random moments of a period, each moment's positions and matrices H(t), D(t)
// summed into the four accumulators. Everything the cycle touches lives in the sampler, so a
// run of many groups allocates nothing and touches no file.

#include <functional>
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
    // Blocks of groups computed on all cores, two at a time: a block's random moments, drawn on
    // the main thread, and each group's means (sized once per run).
    std::vector<double> blockMoments[2];
    std::vector<ControlGroupMeans> blockMeans[2];
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

// Takes a control group's means on the main thread; false stops the sampling.
using ControlGroupUse = std::function<bool(int group, const ControlGroupMeans& means)>;

// `groups` groups of `members` on all cores: each group's random moments drawn on the calling
// thread in the order SampleControlGroup draws them, its sums made as SampleControlGroup makes
// them and finished into its means with the weights, the self-correlation flag and the divisor
// `members` (FinishAccumulators); use(g, means) then takes the groups one by one on the calling
// thread, in order, while the threads compute the next ones. False when use stopped it.
bool SampleControlGroups(ControlGroupSampler* sampler, int members, int groups,
                         const double* weights, int selfCorrelation, const ControlGroupUse& use);
