#pragma once
// The Continuum's dialogs for the settings of the correlation matrices: order, IC, planet
// selection or gravity weights, self-correlation. Every module that asks these settings itself
// asks them with these texts.

// " \n Order of the correlation (1,2,3,...12): ", 1..12, start 3.
int AskCorrelationOrder();
// "with IC? ", default no: 1 with IC, 0 without (also when the application stops).
int AskWithIc();
// "Should planets be selected ?" (then "selected planets"), else "Should the planets get a
// weight(gravity)?" (then "gravity planets" with the preset gravity weights). weights[0..11]
// are filled; without IC the IC weight is 0 in either dialog; without both all are 1.0.
void AskPlanetWeights(int withIc, int last, double weights[12]);
// "Should self-correlations of the planets be calculated? ", default no: 1 or 0.
int AskSelfCorrelation();
