#pragma once
// Random control groups for the comparison modules (density function, matrix probability):
// groups of m random moments of a period, each moment's positions and matrices H(t), D(t)
// summed into the four accumulators. Everything the cycle touches lives in the sampler, so a
// run of many groups allocates nothing and touches no file.

#include "astro/astro_records.h"
#include "research/correlation_matrices.h"

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
