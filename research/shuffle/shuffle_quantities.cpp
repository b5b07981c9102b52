// The tested quantities of a set of moments, by the Event analysis's own steps.

#include "research/shuffle/shuffle_quantities.h"

#include "astro/positions.h"

void AccumulateRecord(const PersonRecord& record, int order, int last,
                      ShuffleAccumulators accumulators, MomentScratch* scratch) {
    PlanetPositions(record, &scratch->positions);
    BuildMomentMatrices(order, scratch->positions.longitude, scratch->harmony, scratch->dynamics);
    AccumulateMoment(accumulators, scratch->harmony, scratch->dynamics, last);
}

void QuantitiesFromAccumulators(const ShuffleAccumulators accumulators,
                                const ShuffleSettings& settings, int moments,
                                const ShuffleQuantity* list, int count, double* values) {
    double results[kCorrelationKinds][kMatrixSize][kMatrixSize];
    double rowSums[kCorrelationKinds][kMatrixSize];
    double matrixSums[kCorrelationKinds];
    FinishAccumulators(accumulators, settings.weights, settings.selfCorrelation, settings.last,
                       moments, results);
    for (int kind = 0; kind < kCorrelationKinds; ++kind)
        matrixSums[kind] = RowSums(results[kind], settings.last, rowSums[kind]);
    for (int q = 0; q < count; ++q) {
        const ShuffleQuantity& x = list[q];
        if (x.row < 0)
            values[q] = matrixSums[x.kind];
        else if (x.column < 0)
            values[q] = rowSums[x.kind][x.row];
        else
            values[q] = results[x.kind][x.row][x.column];
    }
}
