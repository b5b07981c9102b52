#pragma once
// Labelled axes and the thickness passes shared by the function plots of the correlation
// function and the optimal curve, drawn on the current graphic page.

// Axes through the origin (x0, y0) with `xDivisions` ticks right of the origin and
// `yDivisions` above it, continued to the page edges; captions "angle" and "fkt".
void DrawAxes(int width, int height, int x0, int y0, int xDivisions, int yDivisions);

// Axes through the centre (cx, cy) with mx ticks to the right and my ticks upward, the labels
// reduced by the whole parts of the shifts ax and ay; captions "x" and "y".
void DrawShiftedAxes(int width, int height, int cx, int cy, int mx, int my, double ax, double ay);

// Pixels between two ticks for `divisions` ticks over `length` pixels; at least 1, so that the
// tick loops always advance.
int TickStep(int length, int divisions);

// Every how many ticks a label is written: 5, 10 from 51 divisions, 20 from 201.
int LabelSpacing(int divisions);

// Every how many ticks one is drawn so that drawn ticks lie at least 4 pixels apart (1, 2, 5,
// 10, 20, ...): closer ticks merge into a bar.
int TickStride(int step);
// The smallest multiple of `every` that is also a multiple of `tickStride` and spaces labels at
// least `room` pixels apart, ticks being `step` pixels apart.
int SpreadLabels(int every, int tickStride, int step, int room);

// The offset of thickness pass 2..10 of a curve (pass 1 is the curve itself, offset 0).
struct PassShift {
    int dx;
    int dy;
};
PassShift ThicknessShift(int pass);
