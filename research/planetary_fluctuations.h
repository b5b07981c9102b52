#pragma once
// The trigger and event-placement rules of the planetary fluctuations (the module itself is
// PlanetaryFluctuations in research/modules.h).

// Kinds 0 H and 2 D: a negative limit counts values at or below it, any other limit values
// above it. Kinds 1 I and 3 DA count values at or above their limit.
bool FluctuationOverLimit(int kind, double limit, double value);

// Column of an event moment on a chart whose period [start, end] spans `span` pixels:
// int((moment - start) / (end - start) * span) + 1 when that lies strictly between 0 and
// `span`, otherwise 0 (outside the drawn period, or no usable moment).
int FluctuationEventColumn(double moment, double start, double end, int span);
