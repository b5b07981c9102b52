#pragma once
// A straightforward version of the positions, written as the formulas read (one library call
// per sine, reductions as loops), against which the fast code is checked.

#include "astro/astro_records.h"

double ReferenceReduceIntoClosedTurnLoop(double x);
double ReferenceSiderealReductionLoop(double theta);
double ReferenceLocalSiderealTime(double jd, double jd0, int longitudeDegrees,
                                  int longitudeMinutes);
void ReferenceMoonPosition(double jd, double* longitude, double* latitude);
void ReferencePlanetsByElements(double t, double* longitude, double* latitude,
                                double* dailyMotion);
double ReferenceAscendant(double s, int latitudeDegrees, int latitudeMinutes);
double ReferenceMidheaven(double s);
double ReferenceImumCoeli(double s);
void ReferencePlanetPositions(const PersonRecord& record, PositionRecord* positions);
double ReferenceSelfHarmony(int p, double longitude);
