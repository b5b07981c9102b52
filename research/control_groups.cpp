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

bool SampleControlGroups(ControlGroupSampler* sampler, int members, int groups,
                         const double* weights, int selfCorrelation, const ControlGroupUse& use) {
    // Some 16 000 moments a block (a thread ends a block with half a group on average still to
    // wait for), a few groups per thread at least, at most 512 groups (2.4 MB of means), never
    // more than the run's groups.
    const int size = std::max(members, 1);
    int perBlock = std::max((16000 + size - 1) / size, 4 * MomentThreads());
    perBlock = std::max(1, std::min({perBlock, 512, groups}));
    for (int b = 0; b < 2; ++b) {
        sampler->blockMoments[b].assign(static_cast<size_t>(perBlock) * size, 0.0);
        sampler->blockMeans[b].assign(static_cast<size_t>(perBlock), ControlGroupMeans{});
    }
    EnsureWaveTablesForOrder(sampler->order);  // filled before the threads read it
    const size_t m = static_cast<size_t>(std::max(members, 0));
    auto prepare = [&](int k) {
        const int count = std::min(perBlock, groups - k * perBlock);
        double* moments = sampler->blockMoments[k & 1].data();
        for (size_t i = 0; i < static_cast<size_t>(count) * m; ++i)
            moments[i] = RandomControlMoment(*sampler);
        return count;
    };
    const ControlGroupSampler& s = *sampler;
    auto compute = [&](int k, int begin, int end) {
        PersonRecord record = s.record;
        PositionRecord positions = s.positions;
        double harmony[kMatrixSize][kMatrixSize], dynamics[kMatrixSize][kMatrixSize];
        double sums[kCorrelationKinds][kMatrixSize][kMatrixSize];
        for (int g = begin; g < end; ++g) {
            ClearAccumulators(sums);
            const double* t = &s.blockMoments[k & 1][g * m];
            for (size_t i = 0; i < m; ++i)
                add_moment(s.order, s.last, t[i], &record, &positions, harmony, dynamics, sums);
            FinishAccumulators(sums, weights, selfCorrelation, s.last, members,
                               sampler->blockMeans[k & 1][g].means);
        }
    };
    auto consume = [&](int k, int g) { return use(k * perBlock + g, s.blockMeans[k & 1][g]); };
    const int blocks = (groups + perBlock - 1) / perBlock;
    return RunBlockPipeline(std::max(blocks, 0), 1, false, prepare, compute, consume);
}
