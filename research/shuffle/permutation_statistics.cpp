// Permutation p, Benjamini-Hochberg q, max-|z| family-wise p and the bootstrap interval.

#include "research/shuffle/permutation_statistics.h"

#include "astro/lanes.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <vector>

void ControlMeansAndSds(const double* controls, int groups, int quantities, double* mean,
                        double* sd) {
    const size_t Q = static_cast<size_t>(quantities);
    // Differences from the first control, summed group by group (the inner loop runs over the
    // quantities, one row of the store after another).
    std::vector<double> sum(Q, 0.0), squares(Q, 0.0);
    const double* first = controls;
    for (int g = 1; g < groups; ++g) {
        const double* row = controls + g * Q;
        for (size_t q = 0; q < Q; ++q) sum[q] += row[q] - first[q];
    }
    for (size_t q = 0; q < Q; ++q) mean[q] = first[q] + sum[q] / groups;
    for (int g = 0; g < groups; ++g) {
        const double* row = controls + g * Q;
        for (size_t q = 0; q < Q; ++q) {
            const double d = row[q] - mean[q];
            squares[q] += d * d;
        }
    }
    for (size_t q = 0; q < Q; ++q) sd[q] = groups > 1 ? std::sqrt(squares[q] / (groups - 1)) : 0.0;
}

double ShuffleZ(double group, double mean, double sd) {
    if (!(sd > 0.0) || !std::isfinite(sd)) return 0.0;
    return (group - mean) / sd;
}

void PermutationPValues(const double* controls, int groups, int quantities, const double* group,
                        const double* mean, double* p) {
    const size_t Q = static_cast<size_t>(quantities);
    std::vector<double> distance(Q);
    std::vector<long long> far(Q, 0);
    for (size_t q = 0; q < Q; ++q) distance[q] = std::fabs(group[q] - mean[q]);
    for (int g = 0; g < groups; ++g) {
        const double* row = controls + g * Q;
        for (size_t q = 0; q < Q; ++q) far[q] += std::fabs(row[q] - mean[q]) >= distance[q];
    }
    for (size_t q = 0; q < Q; ++q) p[q] = (1.0 + far[q]) / (groups + 1.0);
}

void BenjaminiHochbergQ(const double* p, int count, double* q) {
    if (count <= 0) return;
    std::vector<int> order(count);
    std::iota(order.begin(), order.end(), 0);
    // Ascending p; equal p in the order of their index (any order gives the same q).
    std::stable_sort(order.begin(), order.end(), [p](int a, int b) { return p[a] < p[b]; });
    double running = 1.0;
    for (int rank = count; rank >= 1; --rank) {
        const int i = order[rank - 1];
        const double value = p[i] * count / rank;
        running = std::min(running, value);
        q[i] = running;
    }
}

void FamilyWisePValues(const double* controls, int groups, int quantities, const double* mean,
                       const double* sd, const double* z, double* maxima, double* pFamily) {
    const size_t Q = static_cast<size_t>(quantities);
    for (int g = 0; g < groups; ++g) {
        const double* row = controls + g * Q;
        double largest = 0.0;
        for (size_t q = 0; q < Q; ++q)
            largest = std::max(largest, std::fabs(ShuffleZ(row[q], mean[q], sd[q])));
        maxima[g] = largest;
    }
    std::sort(maxima, maxima + groups);
    for (size_t q = 0; q < Q; ++q) {
        // Control groups whose largest |z| reaches |z_q|: from the first maximum >= |z_q| on.
        const double* reach = std::lower_bound(maxima, maxima + groups, std::fabs(z[q]));
        const long long count = (maxima + groups) - reach;
        pFamily[q] = (1.0 + count) / (groups + 1.0);
    }
}

void CentreMemberValues(double* memberValues, int members, int quantities) {
    if (members <= 0) return;
    const size_t Q = static_cast<size_t>(quantities);
    std::vector<double> mean(Q), sd(Q);
    ControlMeansAndSds(memberValues, members, quantities, mean.data(), sd.data());
    for (int i = 0; i < members; ++i) {
        double* v = memberValues + i * Q;
        for (size_t q = 0; q < Q; ++q) v[q] -= mean[q];
    }
}

void DrawBootstrapCounts(ShuffleEngine& engine, int members, int resamples, int* counts) {
    const size_t n = static_cast<size_t>(members);
    for (int b = 0; b < resamples; ++b) {
        int* c = counts + b * n;
        std::fill(c, c + n, 0);
        for (size_t k = 0; k < n; ++k) ++c[UniformIndex(engine, n)];
    }
}

void ResampleDeviation(const double* memberValues, int members, int quantities, const int* counts,
                       double* deviation) {
    const size_t Q = static_cast<size_t>(quantities);
    // Eight quantities at a time held in four two-lane registers while the members are added
    // in order: each quantity gets the same additions in the same order as one at a time.
    size_t q = 0;
    for (; q + 8 <= Q; q += 8) {
        DoubleLanes a0 = {0.0, 0.0}, a1 = a0, a2 = a0, a3 = a0;
        for (int i = 0; i < members; ++i) {
            if (counts[i] == 0) continue;
            const double c = counts[i];
            const DoubleLanes cc = {c, c};
            const double* v = memberValues + i * Q + q;
            a0 += cc * LoadLanes(v);
            a1 += cc * LoadLanes(v + 2);
            a2 += cc * LoadLanes(v + 4);
            a3 += cc * LoadLanes(v + 6);
        }
        StoreLanes(deviation + q, a0);
        StoreLanes(deviation + q + 2, a1);
        StoreLanes(deviation + q + 4, a2);
        StoreLanes(deviation + q + 6, a3);
    }
    for (size_t r = q; r < Q; ++r) deviation[r] = 0.0;
    if (q < Q)
        for (int i = 0; i < members; ++i) {
            if (counts[i] == 0) continue;
            const double c = counts[i];
            const double* v = memberValues + i * Q;
            for (size_t r = q; r < Q; ++r) deviation[r] += c * v[r];
        }
    for (size_t r = 0; r < Q; ++r) deviation[r] /= members;
}

void PercentileIntervals(const double* deviations, int resamples, int quantities,
                         const double* difference, double* column, double* low, double* high) {
    const size_t Q = static_cast<size_t>(quantities);
    if (resamples <= 0) {
        std::copy(difference, difference + Q, low);
        std::copy(difference, difference + Q, high);
        return;
    }
    const int k = (resamples + 39) / 40;  // ceil(B / 40) = ceil(0.025 B), at least 1
    const int lowIndex = k - 1, highIndex = resamples - k;  // 0-based ranks
    for (size_t q = 0; q < Q; ++q) {
        for (int b = 0; b < resamples; ++b) column[b] = difference[q] + deviations[b * Q + q];
        std::nth_element(column, column + lowIndex, column + resamples);
        low[q] = column[lowIndex];
        std::nth_element(column, column + highIndex, column + resamples);
        high[q] = column[highIndex];
    }
}
