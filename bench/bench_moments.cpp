// The innermost loop of the research modules: positions of a moment, its harmony and dynamics
// matrices, their accumulation. Moments are spread over 1900..2000 as the Continuum samples
// them (world time, 13 59' E, 51 11' N), order 3, with the IC.

#include <benchmark/benchmark.h>

#include <vector>

#include "astro/astro_records.h"
#include "astro/julian.h"
#include "astro/positions.h"
#include "astro/wave_tables.h"
#include "research/correlation_matrices.h"

namespace {

constexpr int kOrder = 3;
constexpr int kLastWithIc = 10;

PersonRecord MomentAt(double julianDay)
{
    PersonRecord r{};
    CalendarFromJulianDay(julianDay, &r.year, &r.month, &r.day, &r.hour, &r.minute);
    r.longitudeDegrees = 13;
    r.longitudeMinutes = 59;
    r.latitudeDegrees = 51;
    r.latitudeMinutes = 11;
    return r;
}

// A fixed set of moments, equally spaced over the century, visited in turn.
const std::vector<PersonRecord>& Moments()
{
    static const std::vector<PersonRecord> moments = [] {
        std::vector<PersonRecord> m;
        const double start = JulianDay(1900, 1, 1, 0, 0, 0, 0);
        const double end = JulianDay(2000, 1, 1, 0, 0, 0, 0);
        const int count = 8192;
        for (int k = 0; k < count; ++k) m.push_back(MomentAt(start + k * (end - start) / count));
        return m;
    }();
    return moments;
}

void EnsureWaveTables()
{
    static bool filled = false;
    if (!filled) FillWaveTables();
    filled = true;
}

void BM_PlanetPositions(benchmark::State& state)
{
    const std::vector<PersonRecord>& moments = Moments();
    PositionRecord positions{};
    size_t k = 0;
    for (auto _ : state) {
        PlanetPositions(moments[k], &positions);
        benchmark::DoNotOptimize(positions);
        if (++k == moments.size()) k = 0;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_PlanetPositions);

void BM_FullMoment(benchmark::State& state)
{
    EnsureWaveTables();
    const std::vector<PersonRecord>& moments = Moments();
    PositionRecord positions{};
    static double harmony[kMatrixSize][kMatrixSize], dynamics[kMatrixSize][kMatrixSize];
    static double accumulators[kCorrelationKinds][kMatrixSize][kMatrixSize];
    ClearAccumulators(accumulators);
    size_t k = 0;
    for (auto _ : state) {
        PlanetPositions(moments[k], &positions);
        BuildMomentMatrices(kOrder, positions.longitude, harmony, dynamics);
        AccumulateMoment(accumulators, harmony, dynamics, kLastWithIc);
        benchmark::ClobberMemory();
        if (++k == moments.size()) k = 0;
    }
    benchmark::DoNotOptimize(accumulators[0][1][2]);
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_FullMoment);

// A whole Continuum sampling run of N moments from 1900 to 2000 (calendar conversion of each
// sampled Julian day included), finished into the four result matrices.
void BM_ContinuumRun(benchmark::State& state)
{
    EnsureWaveTables();
    const int n = static_cast<int>(state.range(0));
    const double start = JulianDay(1900, 1, 1, 0, 0, 0, 0);
    const double end = JulianDay(2000, 1, 1, 0, 0, 0, 0);
    const double increment = (end - start) / n;
    const double weights[kMatrixSize] = {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
    static double harmony[kMatrixSize][kMatrixSize], dynamics[kMatrixSize][kMatrixSize];
    static double accumulators[kCorrelationKinds][kMatrixSize][kMatrixSize];
    static double results[kCorrelationKinds][kMatrixSize][kMatrixSize];
    PositionRecord positions{};
    for (auto _ : state) {
        ClearAccumulators(accumulators);
        for (int k = 0; k < n; ++k) {
            PersonRecord moment = MomentAt(start + k * increment);
            PlanetPositions(moment, &positions);
            BuildMomentMatrices(kOrder, positions.longitude, harmony, dynamics);
            AccumulateMoment(accumulators, harmony, dynamics, kLastWithIc);
        }
        FinishAccumulators(accumulators, weights, 1, kLastWithIc, n, results);
        benchmark::DoNotOptimize(results[0][0][0]);
    }
    state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(BM_ContinuumRun)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_MomentMatricesOnly(benchmark::State& state)
{
    EnsureWaveTables();
    const std::vector<PersonRecord>& moments = Moments();
    std::vector<PositionRecord> positions(256);
    for (size_t i = 0; i < positions.size(); ++i) PlanetPositions(moments[i * 31], &positions[i]);
    static double harmony[kMatrixSize][kMatrixSize], dynamics[kMatrixSize][kMatrixSize];
    static double accumulators[kCorrelationKinds][kMatrixSize][kMatrixSize];
    ClearAccumulators(accumulators);
    size_t k = 0;
    for (auto _ : state) {
        BuildMomentMatrices(kOrder, positions[k].longitude, harmony, dynamics);
        AccumulateMoment(accumulators, harmony, dynamics, kLastWithIc);
        benchmark::ClobberMemory();
        if (++k == positions.size()) k = 0;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_MomentMatricesOnly);

void BM_FillWaveTables(benchmark::State& state)
{
    for (auto _ : state) FillWaveTables();
}
BENCHMARK(BM_FillWaveTables)->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace

BENCHMARK_MAIN();
