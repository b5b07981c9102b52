#pragma once
// The tested quantities of a set of moments, computed as the Event analysis computes its group:
// each moment's positions and H(t), D(t) summed unweighted into the four accumulators, then
// weighted and divided by the number of moments (FinishAccumulators), then the row sums and the
// matrix sum (RowSums). A control group goes through exactly the same steps as the group.

#include "astro/astro_records.h"
#include "research/correlation_matrices.h"
#include "research/shuffle/shuffle_test.h"

typedef double ShuffleAccumulators[kCorrelationKinds][kMatrixSize][kMatrixSize];

// What one moment needs besides its accumulators; on the stack of whoever computes it.
struct MomentScratch {
    PositionRecord positions;
    double harmony[kMatrixSize][kMatrixSize];
    double dynamics[kMatrixSize][kMatrixSize];
};

// Positions of the record (its zone and summer time as PlanetPositions reads them), H(t) and
// D(t) of `order`, added to the accumulators over 0..last. Allocates nothing.
void AccumulateRecord(const PersonRecord& record, int order, int last,
                      ShuffleAccumulators accumulators, MomentScratch* scratch);

// The values of the tested quantities `list[0..count-1]` of a set of `moments` moments whose
// unweighted sums are in `accumulators`: element (row, column) of the finished matrix of its
// kind, row sum over 0..last (column -1), or matrix sum (row and column -1).
void QuantitiesFromAccumulators(const ShuffleAccumulators accumulators,
                                const ShuffleSettings& settings, int moments,
                                const ShuffleQuantity* list, int count, double* values);
