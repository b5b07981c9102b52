#pragma once
// The shuffle test's graphic page (Graphic 5): the four z-matrices H, I, D, DA as colour grids,
// cells with q < 0.05 framed, cells with family-wise p < 0.05 framed heavily, with a legend.

#include "research/shuffle/shuffle_run.h"

inline constexpr int kShuffleGraphicPage = 5;

void DrawShuffleChart(const ShuffleRun& run);
