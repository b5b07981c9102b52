// Placeholder until the computation lands: lists the quantities and reports zeros.

#include "research/shuffle/shuffle_test.h"

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

bool RunShuffleTest(const ShuffleSettings& settings, const ShuffleMember*, int,
                    ShuffleProgress progress, ShuffleResult* result) {
    *result = ShuffleResult{};
    ListShuffleQuantities(settings, &result->quantities);
    result->statistics.assign(result->quantities.size(), ShuffleStatistic{});
    return !progress || progress(100);
}
