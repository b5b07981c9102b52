#pragma once
// Weighted least-squares polynomial through value pairs, by the normal equations.

enum {
    kFitOk = 0,
    kFitBadInput = 1,     // degree < 0 or fewer pairs than coefficients
    kFitCholeskyFailed = 2,  // a pivot below 2^-104 (or not a number): the pairs do not fix the curve
    kFitNoMemory = 3
};

// The smallest pivot the decomposition accepts, 2^-104.
inline constexpr double kFitPivotLimit = 4.930380657631324e-32;

// Fits c[0..degree] (value = sum c[k] x^k) to the pairs 0..last of x, y with weights w.
// c must hold degree + 1 values; it is left untouched on error 1 and 3 and may hold partial
// results on error 2.
int PolynomialFit(int degree, int last, const double* x, const double* y, const double* w,
                  double* c);
