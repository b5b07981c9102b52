#pragma once
// Statistics 1 - Continuum: the mean correlation matrices H, I, D, DA over a period of time,
// sampled at N equally spaced or random moments. The baseline for the event analysis.

// Asks the parameters, samples the period, prints the four tables on text page 1 and writes
// the parameter and result files. Declared with the other modules in research/modules.h.
void Continuum();
