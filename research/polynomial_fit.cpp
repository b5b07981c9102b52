// Normal equations A c = b with A[j][k] = sum w x^(j+k), b[j] = sum w y x^j, solved by the
// Cholesky decomposition A = L L^T and two triangular solves.

#include "research/polynomial_fit.h"

#include <cmath>
#include <new>

// Fills the normal equations; p = degree + 1.
static void normal_equations(int p, int last, const double* x, const double* y, const double* w,
                             double* a, double* b) {
    for (int i = 0; i < p * p; ++i) a[i] = 0.0;
    for (int j = 0; j < p; ++j) b[j] = 0.0;
    for (int i = 0; i <= last; ++i) {
        // Powers x^0 .. x^(2 degree) of this pair, built by multiplication.
        double power = w[i];
        for (int s = 0; s <= 2 * (p - 1); ++s) {
            for (int j = 0; j < p; ++j) {
                int k = s - j;
                if (k >= 0 && k < p) a[j * p + k] += power;
            }
            if (s < p) b[s] += power * y[i];
            power *= x[i];
        }
    }
}

// In place: the lower triangle of a becomes L. False when a pivot is below the limit or not a
// number.
static bool cholesky(int p, double* a) {
    for (int i = 0; i < p; ++i) {
        double pivot = a[i * p + i];
        for (int l = 0; l < i; ++l) pivot -= a[i * p + l] * a[i * p + l];
        if (!(pivot >= kFitPivotLimit)) return false;
        double diagonal = std::sqrt(pivot);
        a[i * p + i] = diagonal;
        for (int r = i + 1; r < p; ++r) {
            double sum = a[r * p + i];
            for (int l = 0; l < i; ++l) sum -= a[r * p + l] * a[i * p + l];
            a[r * p + i] = sum / diagonal;
        }
    }
    return true;
}

// L z = b forward, then L^T c = z backward.
static bool solve(int p, const double* l, const double* b, double* z, double* c) {
    for (int i = 0; i < p; ++i) {
        double diagonal = l[i * p + i];
        if (diagonal == 0.0) return false;
        double sum = b[i];
        for (int k = 0; k < i; ++k) sum -= l[i * p + k] * z[k];
        z[i] = sum / diagonal;
    }
    for (int i = p - 1; i >= 0; --i) {
        double diagonal = l[i * p + i];
        if (diagonal == 0.0) return false;
        double sum = z[i];
        for (int k = i + 1; k < p; ++k) sum -= l[k * p + i] * c[k];
        c[i] = sum / diagonal;
    }
    return true;
}

int PolynomialFit(int degree, int last, const double* x, const double* y, const double* w,
                  double* c) {
    if (degree < 0 || last < degree) return kFitBadInput;
    int p = degree + 1;
    double* a = new (std::nothrow) double[static_cast<size_t>(p) * p + 2 * static_cast<size_t>(p)];
    if (!a) return kFitNoMemory;
    double* b = a + static_cast<size_t>(p) * p;
    double* z = b + p;
    normal_equations(p, last, x, y, w, a, b);
    int result = kFitOk;
    if (!cholesky(p, a) || !solve(p, a, b, z, c)) result = kFitCholeskyFailed;
    delete[] a;
    return result;
}
