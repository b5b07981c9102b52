// For comparison: the straightforward positions kept by the tests (formulas as they read, one
// library call per sine, reductions as loops), over the same moments as BM_PlanetPositions.

#include <benchmark/benchmark.h>

#include <vector>

#include "astro/astro_records.h"
#include "astro/julian.h"
#include "tests/astro/reference_positions.cpp"  // compiled into the benchmark as it stands

namespace {

void BM_ReferencePlanetPositions(benchmark::State& state)
{
    std::vector<PersonRecord> moments;
    const double start = JulianDay(1900, 1, 1, 0, 0, 0, 0);
    const double end = JulianDay(2000, 1, 1, 0, 0, 0, 0);
    for (int k = 0; k < 8192; ++k) {
        PersonRecord r{};
        CalendarFromJulianDay(start + k * (end - start) / 8192, &r.year, &r.month, &r.day,
                              &r.hour, &r.minute);
        r.longitudeDegrees = 13;
        r.longitudeMinutes = 59;
        r.latitudeDegrees = 51;
        r.latitudeMinutes = 11;
        moments.push_back(r);
    }
    PositionRecord positions{};
    size_t k = 0;
    for (auto _ : state) {
        ReferencePlanetPositions(moments[k], &positions);
        benchmark::DoNotOptimize(positions);
        if (++k == moments.size()) k = 0;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ReferencePlanetPositions);

}  // namespace
