#pragma once
// The curves of Biographic rhythms, apart from the module's dialogue.

#include "astro/astro_records.h"
#include "toolkit/data/uxarray.h"

// Rows 1..5 (Jupiter..Pluto) of `curves` (13 x 700) at step i = 0..699: the order-1 harmony of
// each natal slow planet with the same planet in transit at start + i * step, plus `coupling`
// times its harmony with the four other transiting slow planets; row 0 the sum of rows 1..6.
// The record's date and time are overwritten with the transit moments (world time calendar,
// second 0). Allocates nothing.
void BiographicRhythmCurves(PersonRecord* record, const PositionRecord& natal, double coupling,
                            double start, double step, uxArray2Double* curves);
