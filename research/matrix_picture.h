#pragma once
// The four mean matrices H, I, D and DA as a picture on a graphic page: one colour-coded grid
// per kind over the principles I..X (and IC), each with its colour scale and numbers, the kind
// and the run's parameters as titles. Read faster than the tables; the tables stay as they are.

#include "research/correlation_matrices.h"

using MatrixSet = double[kCorrelationKinds][kMatrixSize][kMatrixSize];

// Grid cell size in pixels, and the room a grid takes right of its cells for the colour scale
// and its numbers.
inline constexpr int kMatrixGridCell = 40;
inline constexpr int kMatrixGridScaleRoom = 120;

inline constexpr unsigned char kMatrixGridGrey = 3;

// Options of one grid; nullptr draws the plain grid.
struct MatrixGridOptions {
    double scale;  // the colour scale's end (values beyond it take the end colour); 0: the
                   // largest |value| of the grid
    // Per element (upper triangle, row <= column): 0 plain, 1 framed, 2 framed heavily,
    // kMatrixGridGrey grey (no value); nullptr for none.
    const unsigned char (*marks)[kMatrixSize];
};

// One matrix as a grid with its top-left cell corner at (x, y) on the current graphic page:
// the title 28 pixels above, the Roman principle names above and left of the cells, the
// squares coloured blue (negative) - white (0) - red (positive), the colour scale at the right.
// Element (i, j) is read from the upper triangle.
void DrawMatrixGrid(int x, int y, const char* title, const double m[kMatrixSize][kMatrixSize],
                    int last, const MatrixGridOptions* options);
// One white cell with its outline and a mark, as the grid draws them, its top-left corner at
// (x, y): the sample of a legend.
void DrawMatrixGridMark(int x, int y, int mark);

// Graphic 1: the Continuum's matrices over principles 0..last, titled with its parameters.
// The matrices are kept for the event analysis of the same session.
void DrawContinuumMatrixPicture(const MatrixSet& matrices, int last, int order,
                                int selfCorrelation, int count, const int start[6],
                                const int end[6]);

// Graphic 4: an event group's matrices; with `continuumRan` and the Continuum's matrices of
// this session at hand (same principles), their differences from the Continuum's.
void DrawEventMatrixPicture(const MatrixSet& matrices, int last, int order, int events,
                            bool continuumRan);
