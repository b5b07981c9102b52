#pragma once
// The four mean matrices H, I, D and DA as a picture on a graphic page: one colour-coded grid
// per kind over the principles I..X (and IC), each with its colour scale and numbers, the kind
// and the run's parameters as titles. Read faster than the tables; the tables stay as they are.

#include "research/correlation_matrices.h"

using MatrixSet = double[kCorrelationKinds][kMatrixSize][kMatrixSize];

// Graphic 1: the Continuum's matrices over principles 0..last, titled with its parameters.
// The matrices are kept for the event analysis of the same session.
void DrawContinuumMatrixPicture(const MatrixSet& matrices, int last, int order,
                                int selfCorrelation, int count, const int start[6],
                                const int end[6]);

// Graphic 4: an event group's matrices; with `continuumRan` and the Continuum's matrices of
// this session at hand (same principles), their differences from the Continuum's.
void DrawEventMatrixPicture(const MatrixSet& matrices, int last, int order, int events,
                            bool continuumRan);
