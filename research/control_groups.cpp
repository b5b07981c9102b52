// Random control groups: the sampling cycle shared by the density function and the matrix
// probability.

#include "research/control_groups.h"

#include <algorithm>

#include "astro/julian.h"
#include "astro/positions.h"
#include "astro/wave_tables.h"
#include "research/moment_threads.h"
#include "shell/output.h"

void StartControlGroups(ControlGroupSampler* sampler, int order, int last, double jdStart,
                        double jdEnd, int groups, int members) {
    sampler->order = order;
    sampler->last = last;
    sampler->jdStart = jdStart;
    sampler->moments = static_cast<double>(groups) * members;
    sampler->increment = sampler->moments > 0 ? (jdEnd - jdStart) / sampler->moments : 0.0;
    sampler->record = PersonRecord{};
    sampler->record.timeZone = 1;
    sampler->record.longitudeDegrees = 13;
    sampler->record.longitudeMinutes = 59;
    sampler->record.latitudeDegrees = 51;
    sampler->record.latitudeMinutes = 10;
    sampler->positions = PositionRecord{};
}

double RandomControlMoment(const ControlGroupSampler& sampler) {
    return sampler.jdStart + RandomUnit() * sampler.moments * sampler.increment;
}

// One moment of a group: positions at t, H(t) and D(t), added to the sums. The scratch is the
// caller's (the sampler's own, or a worker's).
static void add_moment(int order, int last, double t, PersonRecord* record,
                       PositionRecord* positions, double harmony[kMatrixSize][kMatrixSize],
                       double dynamics[kMatrixSize][kMatrixSize],
                       double accumulators[kCorrelationKinds][kMatrixSize][kMatrixSize]) {
    CalendarFromJulianDay(t, &record->year, &record->month, &record->day, &record->hour,
                          &record->minute);
    record->second = 0;
    PlanetPositions(*record, positions);
    BuildMomentMatrices(order, positions->longitude, harmony, dynamics);
    AccumulateMoment(accumulators, harmony, dynamics, last);
}

void SampleControlGroup(ControlGroupSampler* sampler, int members,
                        double accumulators[kCorrelationKinds][kMatrixSize][kMatrixSize]) {
    ClearAccumulators(accumulators);
    for (int k = 0; k < members; ++k)
        add_moment(sampler->order, sampler->last, RandomControlMoment(*sampler), &sampler->record,
                   &sampler->positions, sampler->harmony, sampler->dynamics, accumulators);
}

int StartControlGroupBlocks(ControlGroupSampler* sampler, int members, int groups) {
    const int size = std::max(members, 1);
    int perBlock = std::max((4000 + size - 1) / size, 4 * MomentThreads());
    perBlock = std::min({perBlock, 512, std::max(groups, 1)});
    sampler->groupsPerBlock = perBlock;
    sampler->blockMoments.assign(static_cast<size_t>(perBlock) * size, 0.0);
    sampler->blockMeans.assign(static_cast<size_t>(perBlock), ControlGroupMeans{});
    EnsureWaveTablesForOrder(sampler->order);  // filled before the threads read it
    return perBlock;
}

void SampleControlGroupBlock(ControlGroupSampler* sampler, int members, int groups,
                             const double* weights, int selfCorrelation) {
    groups = std::min(groups, sampler->groupsPerBlock);
    const size_t moments = static_cast<size_t>(groups) * std::max(members, 0);
    for (size_t k = 0; k < moments; ++k) sampler->blockMoments[k] = RandomControlMoment(*sampler);
    const ControlGroupSampler& s = *sampler;
    ComputeInParallel(groups, [&](int begin, int end) {
        PersonRecord record = s.record;
        PositionRecord positions = s.positions;
        double harmony[kMatrixSize][kMatrixSize], dynamics[kMatrixSize][kMatrixSize];
        double sums[kCorrelationKinds][kMatrixSize][kMatrixSize];
        for (int g = begin; g < end; ++g) {
            ClearAccumulators(sums);
            const double* t = &s.blockMoments[static_cast<size_t>(g) * members];
            for (int k = 0; k < members; ++k)
                add_moment(s.order, s.last, t[k], &record, &positions, harmony, dynamics, sums);
            FinishAccumulators(sums, weights, selfCorrelation, s.last, members,
                               sampler->blockMeans[g].means);
        }
    });
}
