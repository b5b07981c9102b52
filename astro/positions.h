#pragma once
// Positions of one person or event: the innermost step of every research module.

#include "astro/astro_records.h"

// Fills julianDay, siderealTime, longitude[0..13], latitude[1..9] and dailyMotion[0, 2..9]
// of `positions` from the record's date, local time, summer time, zone and place.
// Allocates nothing.
void PlanetPositions(const PersonRecord& record, PositionRecord* positions);
