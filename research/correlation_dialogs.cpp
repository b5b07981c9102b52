// The Continuum's dialogs for order, IC, weights and self-correlation.

#include "research/correlation_dialogs.h"

#include "research/correlation_matrices.h"
#include "shell/dialogs.h"

static int yes(int answer) { return answer == 1 ? 1 : 0; }

int AskCorrelationOrder() {
    return InputInt(" \n Order of the correlation (1,2,3,...12): ", 1, 12, 3);
}

int AskWithIc() { return yes(InputYesNo("with IC? ", 0)); }

void AskPlanetWeights(int withIc, int last, double weights[12]) {
    int select = InputYesNo("Should planets be selected ?", 0);
    for (int p = 0; p <= last + 1; ++p) weights[p] = 1.0;
    if (select == 1) {
        weights[10] = weights[11] = withIc ? 1.0 : 0.0;
        InputArray("selected planets", weights, kPrincipleLabels);
    } else if (InputYesNo("Should the planets get a weight(gravity)?", 0) == 1) {
        for (int p = 0; p < 10; ++p) weights[p] = kGravityWeights[p];
        weights[10] = withIc ? 57.2 : 0.0;
        InputArray("gravity planets", weights, kPrincipleLabels);
    }
}

int AskSelfCorrelation() {
    return yes(InputYesNo("Should self-correlations of the planets be calculated? ", 0));
}
