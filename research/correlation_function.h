#pragma once
// The correlation function module's arithmetic, apart from its dialogue and drawing.

// The scale factor k(n) of the first derivation of order n.
double CorrelationFactor(int order);

// The separation angle of table row i (2..1918): 0.000199 .. 360.190955 degrees.
double CorrelationAngle(int row);

// Row i of the table: 10 * harmony wave (function) or k(n) * dynamics wave (derivation).
double CorrelationValue(int order, bool derivation, int row);
