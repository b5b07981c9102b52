#pragma once
// Pieces of the optimal curve module that do not need its dialogue.

// The outer ring of a data point: the curve colour, except blue (0, 0, 255) for a white curve,
// whose rings would vanish on the white page.
int OuterRingColour(int red, int green, int blue);
