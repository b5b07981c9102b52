#pragma once
// Heap arrays of fixed dimensions for the modules, zero-filled at creation. The first index
// varies fastest: element (i, j) is at position i + j * d0. An index outside 0 .. dimension - 1
// prints "array overflow" on standard output and is refused: get returns 0, set does nothing.
// A failed allocation prints "array out of memory" and leaves an empty array (every access
// then overflows).

#include <cstddef>

struct uxArray1Double {
    double* data = nullptr;
    int d0 = 0;
    size_t size = 0;    // bytes in the block
    size_t mapped = 0;  // how the block was had (for its release)
};

struct uxArray2Double {
    double* data = nullptr;
    int d0 = 0, d1 = 0;
    size_t size = 0;
    size_t mapped = 0;
};

struct uxArray3Double {
    double* data = nullptr;
    int d0 = 0, d1 = 0, d2 = 0;
    size_t size = 0;
    size_t mapped = 0;
};

struct uxArray2Int {
    int* data = nullptr;
    int d0 = 0, d1 = 0;
    size_t size = 0;
    size_t mapped = 0;
};

// Creating again frees the previous block first. False when the block could not be had.
bool uxarray1d_create(uxArray1Double* a, int d0);
void uxarray1d_clear(uxArray1Double* a);
void uxarray1d_set(uxArray1Double* a, int i, double value);
double uxarray1d_get(const uxArray1Double* a, int i);
void uxarray1d_destroy(uxArray1Double* a);

bool uxarray2d_create(uxArray2Double* a, int d0, int d1);
void uxarray2d_clear(uxArray2Double* a);
void uxarray2d_set(uxArray2Double* a, int i, int j, double value);
double uxarray2d_get(const uxArray2Double* a, int i, int j);
void uxarray2d_destroy(uxArray2Double* a);

bool uxarray3d_create(uxArray3Double* a, int d0, int d1, int d2);
void uxarray3d_clear(uxArray3Double* a);
void uxarray3d_set(uxArray3Double* a, int i, int j, int k, double value);
double uxarray3d_get(const uxArray3Double* a, int i, int j, int k);
void uxarray3d_destroy(uxArray3Double* a);

bool uxarray2i_create(uxArray2Int* a, int d0, int d1);
void uxarray2i_clear(uxArray2Int* a);
void uxarray2i_set(uxArray2Int* a, int i, int j, int value);
int uxarray2i_get(const uxArray2Int* a, int i, int j);
void uxarray2i_destroy(uxArray2Int* a);
