// Random control groups: the sampling cycle shared by the density function and the matrix
// probability.

#include "research/control_groups.h"

#include "astro/julian.h"
#include "astro/positions.h"
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

void SampleControlGroup(ControlGroupSampler* sampler, int members,
                        double accumulators[kCorrelationKinds][kMatrixSize][kMatrixSize]) {
    ClearAccumulators(accumulators);
    PersonRecord& record = sampler->record;
    for (int k = 0; k < members; ++k) {
        CalendarFromJulianDay(RandomControlMoment(*sampler), &record.year, &record.month,
                              &record.day, &record.hour, &record.minute);
        record.second = 0;
        PlanetPositions(record, &sampler->positions);
        BuildMomentMatrices(sampler->order, sampler->positions.longitude, sampler->harmony,
                            sampler->dynamics);
        AccumulateMoment(accumulators, sampler->harmony, sampler->dynamics, sampler->last);
    }
}
