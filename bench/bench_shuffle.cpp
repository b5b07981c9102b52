// The shuffle test (issue 23): whole runs of n members against K control groups, and the split
// of their cost into the control members' moments, the statistics over the K x Q store and the
// bootstrap. Groups: members born 1880-1960 at eight European places with their IANA zones,
// order 3, with the IC, all weights 1, self-correlation on (Q = 356 quantities), 1000
// bootstrap resamples, no replication.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <random>
#include <vector>

#include "astro/time_zones.h"
#include "research/shuffle/permutation_statistics.h"
#include "research/shuffle/shuffle_designs.h"
#include "research/shuffle/shuffle_random.h"
#include "research/shuffle/shuffle_test.h"

namespace {

struct BenchPlace {
    int lonDeg, lonMin, latDeg, latMin;
    const char* zone;
};
const BenchPlace kBenchPlaces[] = {
    {13, 24, 52, 31, "Europe/Berlin"}, {2, 21, 48, 51, "Europe/Paris"},
    {16, 22, 48, 12, "Europe/Vienna"}, {12, 29, 41, 54, "Europe/Rome"},
    {-3, -42, 40, 25, "Europe/Madrid"}, {0, -7, 51, 30, "Europe/London"},
    {21, 1, 52, 14, "Europe/Warsaw"},  {18, 4, 59, 20, "Europe/Stockholm"},
};

std::vector<ShuffleMember> BenchGroup(int n)
{
    std::mt19937_64 random(4711);
    std::vector<ShuffleMember> group(n);
    for (int k = 0; k < n; ++k) {
        ShuffleMember& m = group[k];
        const BenchPlace& p = kBenchPlaces[k % 8];
        PersonRecord& r = m.record;
        r.year = 1880 + static_cast<int>(random() % 81);
        r.month = 1 + static_cast<int>(random() % 12);
        r.day = 1 + static_cast<int>(random() % 28);
        const int minute = static_cast<int>(random() % 1440);
        r.hour = minute / 60;
        r.minute = random() % 2 ? 0 : minute % 60;
        r.longitudeDegrees = p.lonDeg;
        r.longitudeMinutes = p.lonMin;
        r.latitudeDegrees = p.latDeg;
        r.latitudeMinutes = p.latMin;
        std::snprintf(m.zone, sizeof m.zone, "%s", p.zone);
        ZoneMoment z;
        r.timeZone = 1;
        if (LookUpClockTime(p.zone, r.year, r.month, r.day, r.hour, r.minute, 0, &z)) {
            r.timeZone = static_cast<int>(std::lround(z.before.standardSeconds / 3600.0));
            r.summerTime = static_cast<int>(std::lround(z.before.summerSeconds / 3600.0));
        }
    }
    return group;
}

ShuffleSettings BenchSettings(int design, int groups, int resamples)
{
    ShuffleSettings s{};
    s.order = 3;
    s.last = 10;
    for (int p = 0; p <= 10; ++p) s.weights[p] = 1.0;
    s.selfCorrelation = 1;
    s.design = static_cast<ShuffleDesign>(design);
    s.controlGroups = groups;
    s.replication = false;
    s.jdStart = 2407715.5;  // 1880-01-01
    s.jdEnd = 2437300.5;    // 1961-01-01
    s.seed = 99;
    s.bootstrapResamples = resamples;
    return s;
}

// A whole run: args design, n, K. Reports the time per control member.
void BM_ShuffleTest(benchmark::State& state)
{
    const int design = static_cast<int>(state.range(0));
    const int n = static_cast<int>(state.range(1));
    const int K = static_cast<int>(state.range(2));
    const std::vector<ShuffleMember> group = BenchGroup(n);
    const ShuffleSettings s = BenchSettings(design, K, 1000);
    ShuffleResult result;
    for (auto _ : state) {
        RunShuffleTest(s, group.data(), n, nullptr, &result);
        benchmark::DoNotOptimize(result.statistics.data());
    }
    state.SetItemsProcessed(state.iterations() * static_cast<long long>(n) * K);
    state.counters["ns_per_control_member"] = benchmark::Counter(
        static_cast<double>(state.iterations()) * n * K * 1e-9,
        benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_ShuffleTest)
    ->Args({1, 500, 200})  // small enough for callgrind
    ->Args({1, 500, 10000})
    ->Args({2, 500, 10000})
    ->Args({3, 500, 10000})
    ->Args({1, 2000, 10000})
    ->Iterations(1)
    ->Unit(benchmark::kSecond)
    ->UseRealTime();

// The control members alone: a run without bootstrap, of K = 1000 groups of 500 (drawing,
// positions, H, D, accumulation, each group's quantities); one item is one control member.
void BM_ShuffleControlMembers(benchmark::State& state)
{
    const int design = static_cast<int>(state.range(0));
    const int n = 500, K = 1000;
    const std::vector<ShuffleMember> group = BenchGroup(n);
    const ShuffleSettings s = BenchSettings(design, K, 0);
    ShuffleResult result;
    for (auto _ : state) {
        RunShuffleTest(s, group.data(), n, nullptr, &result);
        benchmark::DoNotOptimize(result.statistics.data());
    }
    state.SetItemsProcessed(state.iterations() * static_cast<long long>(n) * K);
}
BENCHMARK(BM_ShuffleControlMembers)->Arg(1)->Arg(2)->Arg(3)->Unit(benchmark::kMillisecond);

// Drawing alone: one control group of 500 per iteration; one item is one control member.
void BM_ShuffleDraws(benchmark::State& state)
{
    const int design = static_cast<int>(state.range(0));
    const int n = 500;
    const std::vector<ShuffleMember> group = BenchGroup(n);
    const ShuffleSettings s = BenchSettings(design, 1000, 0);
    DesignDrawer drawer;
    StartDesign(s, group.data(), n, &drawer);
    std::vector<int> rows(n);
    for (int i = 0; i < n; ++i) rows[i] = i;
    std::vector<ControlDraw> draws(n);
    ShuffleEngine engine(1);
    for (auto _ : state) {
        DrawControlGroup(&drawer, engine, rows.data(), n, draws.data());
        benchmark::DoNotOptimize(draws.data());
    }
    state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(BM_ShuffleDraws)->Arg(1)->Arg(2)->Arg(3);

// The statistics of a run over K control groups and Q = 356 quantities, in the run's order:
// mean and sd, z, permutation p, BH q, max-|z| family-wise p.
void BM_ShuffleStatistics(benchmark::State& state)
{
    const int K = static_cast<int>(state.range(0));
    const int Q = 356;
    std::mt19937_64 random(5);
    std::normal_distribution<double> normal(0.0, 1.0);
    std::vector<double> controls(static_cast<size_t>(K) * Q), group(Q);
    for (double& c : controls) c = normal(random);
    for (double& g : group) g = normal(random);
    std::vector<double> mean(Q), sd(Q), z(Q), p(Q), q(Q), pFamily(Q), maxima(K);
    for (auto _ : state) {
        ControlMeansAndSds(controls.data(), K, Q, mean.data(), sd.data());
        for (int k = 0; k < Q; ++k) z[k] = ShuffleZ(group[k], mean[k], sd[k]);
        PermutationPValues(controls.data(), K, Q, group.data(), mean.data(), p.data());
        BenjaminiHochbergQ(p.data(), Q, q.data());
        FamilyWisePValues(controls.data(), K, Q, mean.data(), sd.data(), z.data(), maxima.data(),
                          pFamily.data());
        benchmark::DoNotOptimize(pFamily.data());
    }
}
BENCHMARK(BM_ShuffleStatistics)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

// The bootstrap of n members' own values, B = 1000, Q = 356: centring, draws, resample
// deviations, percentiles.
void BM_ShuffleBootstrap(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    const int Q = 356, B = 1000;
    std::mt19937_64 random(6);
    std::normal_distribution<double> normal(0.0, 1.0);
    std::vector<double> values(static_cast<size_t>(n) * Q), work(values.size());
    for (double& v : values) v = normal(random);
    std::vector<double> difference(Q, 0.1), deviations(static_cast<size_t>(B) * Q), column(B),
        low(Q), high(Q);
    std::vector<int> counts(static_cast<size_t>(n) * 16);
    for (auto _ : state) {
        work = values;
        ShuffleEngine engine(7);
        CentreMemberValues(work.data(), n, Q);
        for (int b0 = 0; b0 < B; b0 += 16) {
            const int count = std::min(16, B - b0);
            DrawBootstrapCounts(engine, n, count, counts.data());
            for (int b = 0; b < count; ++b)
                ResampleDeviation(work.data(), n, Q, counts.data() + static_cast<size_t>(b) * n,
                                  deviations.data() + static_cast<size_t>(b0 + b) * Q);
        }
        PercentileIntervals(deviations.data(), B, Q, difference.data(), column.data(), low.data(),
                            high.data());
        benchmark::DoNotOptimize(low.data());
    }
}
BENCHMARK(BM_ShuffleBootstrap)->Arg(500)->Arg(2000)->Unit(benchmark::kMillisecond);

}  // namespace
