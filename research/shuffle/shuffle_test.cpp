// The shuffle test: the group's quantities against K control groups of a design, with the
// statistics of permutation_statistics.h and the replication in two halves.
//
// The run, in order (every draw from one std::mt19937_64 seeded with settings.seed):
//   1. the group's values and each member's own values (no draws);
//   2. the K control groups of all n members, block after block; within a block every group's
//      members are drawn first, group after group (shuffle_designs.h gives the draws of one
//      group), then the block's moments are computed, each group into its own row of the
//      K x Q store;
//   3. the statistics: control mean and sd, z, permutation p, BH q, max-|z| family-wise p
//      (no draws);
//   4. the bootstrap: settings.bootstrapResamples resamples of the n members, n draws each,
//      in order (DrawBootstrapCounts), block after block;
//   5. with replication: one permutation of 0..n-1 (RandomPermutation); its first n / 2 entries,
//      sorted ascending, are the rows of half A, the rest, sorted, those of half B; then K
//      control groups of half A as in step 2, then K of half B.

#include "research/shuffle/shuffle_test.h"

#include <algorithm>
#include <vector>

#include "astro/positions.h"
#include "research/moment_threads.h"
#include "research/shuffle/permutation_statistics.h"
#include "research/shuffle/shuffle_designs.h"
#include "research/shuffle/shuffle_quantities.h"
#include "research/shuffle/shuffle_random.h"

void ListShuffleQuantities(const ShuffleSettings& settings, std::vector<ShuffleQuantity>* list) {
    list->clear();
    for (int k = 0; k < kCorrelationKinds; ++k) {
        for (int i = 0; i <= settings.last; ++i)
            for (int j = i; j <= settings.last; ++j) {
                if (settings.weights[i] <= 0 || settings.weights[j] <= 0) continue;
                if (i == j && !settings.selfCorrelation) continue;
                list->push_back({k, i, j});
            }
        for (int i = 0; i <= settings.last; ++i)
            if (settings.weights[i] > 0) list->push_back({k, i, -1});
        list->push_back({k, -1, -1});
    }
}

namespace {

// Moments drawn and computed between two calls of `progress`: about 35 ms at 1.1 us a moment
// (a group larger than this is one block of its own).
constexpr long long kBlockMoments = 32768;
// Moments of the threads' blocks, whole multiples of the progress blocks: a thread ends a block
// with half a control group on average still to wait for, so blocks of many groups keep that
// short; the draws of two blocks take at most 19 MB.
constexpr long long kThreadBlockMoments = 262144;
// Multiply-adds of bootstrap resamples between two calls of `progress`.
constexpr double kBlockBootstrapWork = 1.0e8;

struct Run {
    const ShuffleSettings* settings;
    const ShuffleMember* members;
    int n;
    const ShuffleQuantity* list;
    int quantities;
    int groups;  // K
    ShuffleEngine engine;
    DesignDrawer drawer;
    int blockGroups;   // control groups between two calls of `progress`
    int threadGroups;  // control groups of a threads' block, a multiple of blockGroups
    std::vector<ControlDraw> draws[2];  // threadGroups x n, two blocks at a time
    std::vector<double> controls;    // K x Q, control group g's values in row g
    ShuffleProgress progress;
    long long done;   // control members computed
    long long total;  // control members of the whole run
};

bool Report(Run& run) {
    if (!run.progress) return true;
    const int percent = run.total > 0 ? static_cast<int>(run.done * 100 / run.total) : 100;
    return run.progress(percent > 100 ? 100 : percent);
}

// The values of the rows' group, as the Event analysis computes them, and (when memberValues is
// given) each member's own values, memberValues[k * Q + q].
void GroupValues(const Run& run, const int* rows, int m, double* values, double* memberValues) {
    const ShuffleSettings& s = *run.settings;
    ShuffleAccumulators group, single;
    MomentScratch scratch;
    ClearAccumulators(group);
    for (int k = 0; k < m; ++k) {
        const PersonRecord& record = run.members[rows[k]].record;
        PlanetPositions(record, &scratch.positions);
        BuildMomentMatrices(s.order, scratch.positions.longitude, scratch.harmony,
                            scratch.dynamics);
        AccumulateMoment(group, scratch.harmony, scratch.dynamics, s.last);
        if (memberValues) {
            ClearAccumulators(single);
            AccumulateMoment(single, scratch.harmony, scratch.dynamics, s.last);
            QuantitiesFromAccumulators(single, s, 1, run.list, run.quantities,
                                       memberValues + static_cast<size_t>(k) * run.quantities);
        }
    }
    QuantitiesFromAccumulators(group, s, m, run.list, run.quantities, values);
}

// One control group's moments (drawn before) into its row of the store. Everything it writes
// besides that row lives on its own stack.
void ComputeControlGroup(const Run& run, const ControlDraw* draws, int m, double* values) {
    const ShuffleSettings& s = *run.settings;
    ShuffleAccumulators sums;
    MomentScratch scratch;
    PersonRecord record{};
    ClearAccumulators(sums);
    for (int k = 0; k < m; ++k) {
        ControlRecord(run.drawer, draws[k], &record);
        AccumulateRecord(record, s.order, s.last, sums, &scratch);
    }
    QuantitiesFromAccumulators(sums, s, m, run.list, run.quantities, values);
}

// K control groups of the rows rows[0..m-1] into run.controls; false when stopped. Every random
// choice of a block is made on this thread, group after group, while the threads compute the
// previous block's moments (independent groups, each into its own row).
bool RunControlGroups(Run& run, const int* rows, int m) {
    const int Q = run.quantities;
    const int per = run.threadGroups;
    const int blocks = (run.groups + per - 1) / per;
    auto count = [&](int k) { return std::min(per, run.groups - k * per); };
    auto prepare = [&](int k) {
        ControlDraw* draws = run.draws[k & 1].data();
        for (int b = 0; b < count(k); ++b)
            DrawControlGroup(&run.drawer, run.engine, rows, m, draws + static_cast<size_t>(b) * m);
        return count(k);
    };
    auto compute = [&](int k, int begin, int end) {
        const ControlDraw* draws = run.draws[k & 1].data();
        double* block = run.controls.data() + static_cast<size_t>(k) * per * Q;
        for (int b = begin; b < end; ++b)
            ComputeControlGroup(run, draws + static_cast<size_t>(b) * m, m,
                                block + static_cast<size_t>(b) * Q);
    };
    // The progress after every blockGroups groups and after the last one.
    auto consume = [&](int k, int b) {
        const int g = k * per + b + 1;
        if (g % run.blockGroups != 0 && g != run.groups) return true;
        run.done += static_cast<long long>(g - (g - 1) / run.blockGroups * run.blockGroups) * m;
        return Report(run);
    };
    return RunBlockPipeline(blocks, 1, false, prepare, compute, consume);
}

// Control mean, sd and permutation p of the rows' group against run.controls; values of the
// group in `group`.
struct HalfStatistics {
    std::vector<double> group, mean, sd, p, q;
};

bool TestHalf(Run& run, const std::vector<int>& rows, HalfStatistics* half, bool withQ) {
    const int Q = run.quantities;
    const int m = static_cast<int>(rows.size());
    half->group.assign(Q, 0.0);
    half->mean.assign(Q, 0.0);
    half->sd.assign(Q, 0.0);
    half->p.assign(Q, 1.0);
    half->q.assign(Q, 1.0);
    GroupValues(run, rows.data(), m, half->group.data(), nullptr);
    if (!RunControlGroups(run, rows.data(), m)) return false;
    ControlMeansAndSds(run.controls.data(), run.groups, Q, half->mean.data(), half->sd.data());
    PermutationPValues(run.controls.data(), run.groups, Q, half->group.data(), half->mean.data(),
                       half->p.data());
    if (withQ) BenjaminiHochbergQ(half->p.data(), Q, half->q.data());
    return true;
}

// The bootstrap interval of every quantity (centres memberValues); false when stopped.
bool Bootstrap(Run& run, double* memberValues, const double* difference, double* low,
               double* high) {
    const int Q = run.quantities, n = run.n;
    const int resamples = std::max(run.settings->bootstrapResamples, 0);
    CentreMemberValues(memberValues, n, Q);
    const double work = static_cast<double>(n) * Q;
    const int perBlock = static_cast<int>(
        std::clamp(kBlockBootstrapWork / work, 1.0, std::max(1.0, static_cast<double>(resamples))));
    std::vector<int> counts(static_cast<size_t>(perBlock) * n);
    std::vector<double> deviations(static_cast<size_t>(resamples) * Q);
    std::vector<double> column(resamples);
    for (int b0 = 0; b0 < resamples; b0 += perBlock) {
        const int count = std::min(perBlock, resamples - b0);
        DrawBootstrapCounts(run.engine, n, count, counts.data());
        const int* c = counts.data();
        double* d = deviations.data() + static_cast<size_t>(b0) * Q;
        RunMomentShares(count, [&](int begin, int end) {
            for (int b = begin; b < end; ++b)
                ResampleDeviation(memberValues, n, Q, c + static_cast<size_t>(b) * n,
                                  d + static_cast<size_t>(b) * Q);
        });
        if (!Report(run)) return false;
    }
    PercentileIntervals(deviations.data(), resamples, Q, difference, column.data(), low, high);
    return true;
}

bool SameSign(double a, double b) { return (a > 0.0 && b > 0.0) || (a < 0.0 && b < 0.0); }

}  // namespace

bool RunShuffleTest(const ShuffleSettings& settings, const ShuffleMember* members, int count,
                    ShuffleProgress progress, ShuffleResult* result) {
    *result = ShuffleResult{};
    ListShuffleQuantities(settings, &result->quantities);
    const int Q = static_cast<int>(result->quantities.size());
    result->statistics.assign(Q, ShuffleStatistic{});
    if (count < 2 || settings.controlGroups < 2 || Q == 0) return false;

    Run run;
    run.settings = &settings;
    run.members = members;
    run.n = count;
    run.list = result->quantities.data();
    run.quantities = Q;
    run.groups = settings.controlGroups;
    run.engine.seed(settings.seed);
    StartDesign(settings, members, count, &run.drawer);
    run.blockGroups = static_cast<int>(std::clamp<long long>(kBlockMoments / count, 1,
                                                             run.groups));
    run.threadGroups = static_cast<int>(std::clamp<long long>(
        kThreadBlockMoments / (static_cast<long long>(run.blockGroups) * count), 1,
        std::max(1, run.groups / run.blockGroups)) * run.blockGroups);
    for (std::vector<ControlDraw>& draws : run.draws)
        draws.resize(static_cast<size_t>(run.threadGroups) * count);
    run.controls.resize(static_cast<size_t>(run.groups) * Q);
    run.progress = progress;
    run.done = 0;
    const long long K = run.groups;
    run.total = K * count * (settings.replication ? 2 : 1);

    // 1. The group and its members.
    std::vector<int> all(count);
    for (int i = 0; i < count; ++i) all[i] = i;
    std::vector<double> group(Q), memberValues(static_cast<size_t>(count) * Q);
    GroupValues(run, all.data(), count, group.data(), memberValues.data());
    if (!Report(run)) return false;

    // 2. The control groups.
    if (!RunControlGroups(run, all.data(), count)) return false;

    // 3. Statistics.
    std::vector<double> mean(Q), sd(Q), z(Q), p(Q), q(Q), pFamily(Q), maxima(run.groups);
    ControlMeansAndSds(run.controls.data(), run.groups, Q, mean.data(), sd.data());
    for (int k = 0; k < Q; ++k) z[k] = ShuffleZ(group[k], mean[k], sd[k]);
    PermutationPValues(run.controls.data(), run.groups, Q, group.data(), mean.data(), p.data());
    BenjaminiHochbergQ(p.data(), Q, q.data());
    FamilyWisePValues(run.controls.data(), run.groups, Q, mean.data(), sd.data(), z.data(),
                      maxima.data(), pFamily.data());

    // 4. Bootstrap.
    std::vector<double> difference(Q), low(Q), high(Q);
    for (int k = 0; k < Q; ++k) difference[k] = group[k] - mean[k];
    if (!Bootstrap(run, memberValues.data(), difference.data(), low.data(), high.data()))
        return false;

    for (int k = 0; k < Q; ++k) {
        ShuffleStatistic& st = result->statistics[k];
        st.group = group[k];
        st.controlMean = mean[k];
        st.controlSd = sd[k];
        st.z = z[k];
        st.p = p[k];
        st.q = q[k];
        st.pFamily = pFamily[k];
        st.ciLow = low[k];
        st.ciHigh = high[k];
    }

    // 5. Replication in two halves.
    if (settings.replication) {
        std::vector<int> order(count);
        RandomPermutation(run.engine, count, order.data());
        const int sizeA = count / 2;
        std::vector<int> rowsA(order.begin(), order.begin() + sizeA);
        std::vector<int> rowsB(order.begin() + sizeA, order.end());
        std::sort(rowsA.begin(), rowsA.end());
        std::sort(rowsB.begin(), rowsB.end());
        result->halfA = sizeA;
        result->halfB = count - sizeA;
        HalfStatistics a, b;
        if (!TestHalf(run, rowsA, &a, true) || !TestHalf(run, rowsB, &b, false)) return false;
        for (int k = 0; k < Q; ++k) {
            ShuffleStatistic& st = result->statistics[k];
            st.pHalfA = a.p[k];
            st.qHalfA = a.q[k];
            st.pHalfB = b.p[k];
            const bool found = a.q[k] < 0.05;
            st.replicated = found && b.p[k] < 0.05 &&
                            SameSign(a.group[k] - a.mean[k], b.group[k] - b.mean[k]);
            result->foundInHalfA += found ? 1 : 0;
            result->replicatedCount += st.replicated ? 1 : 0;
        }
        result->expectedByChance = result->foundInHalfA * 0.025;
    }

    result->zoneFallbacks = run.drawer.zoneFallbacks;
    result->zoneSkippedOrRepeated = run.drawer.skippedOrRepeated;
    result->controlMembers = run.done;
    return Report(run);
}
