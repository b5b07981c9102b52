#include "toolkit/data/uxarray.h"

#include "toolkit/core/uxpages.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

// Largest block handed out; larger (or overflowing) requests count as out of memory.
static const uint64_t MAX_BLOCK = (uint64_t)1 << 40;

static void report_overflow()
{
    fputs("array overflow\n", stdout);
}

static bool inside(int index, int dimension)
{
    if (index >= 0 && index < dimension) return true;
    report_overflow();
    return false;
}

// Zero-filled block of count * element bytes; null (after the message) when it cannot be had.
static void* allocate(const int* dims, int n, size_t element, size_t* size, size_t* mapped)
{
    *mapped = 0;
    uint64_t bytes = element;
    for (int i = 0; i < n; i++) {
        if (dims[i] < 0 || (dims[i] > 0 && bytes > MAX_BLOCK / (uint64_t)dims[i])) {
            fputs("array out of memory\n", stdout);
            *size = 0;
            return nullptr;
        }
        bytes *= (uint64_t)dims[i];
    }
    void* block = bytes > 0 ? uxpages_zeroed((size_t)bytes, mapped) : nullptr;
    if (bytes > 0 && !block) {
        fputs("array out of memory\n", stdout);
        *size = 0;
        return nullptr;
    }
    *size = (size_t)bytes;
    return block;
}

bool uxarray1d_create(uxArray1Double* a, int d0)
{
    uxarray1d_destroy(a);
    int dims[] = {d0};
    a->data = (double*)allocate(dims, 1, sizeof(double), &a->size, &a->mapped);
    if (!a->data) return a->size == 0 && d0 == 0;
    a->d0 = d0;
    return true;
}

void uxarray1d_clear(uxArray1Double* a)
{
    if (a->data) memset(a->data, 0, a->size);
}

void uxarray1d_set(uxArray1Double* a, int i, double value)
{
    if (inside(i, a->d0)) a->data[i] = value;
}

double uxarray1d_get(const uxArray1Double* a, int i)
{
    return inside(i, a->d0) ? a->data[i] : 0.0;
}

void uxarray1d_destroy(uxArray1Double* a)
{
    uxpages_release(a->data, a->mapped);
    *a = uxArray1Double{};
}

bool uxarray2d_create(uxArray2Double* a, int d0, int d1)
{
    uxarray2d_destroy(a);
    int dims[] = {d0, d1};
    a->data = (double*)allocate(dims, 2, sizeof(double), &a->size, &a->mapped);
    if (!a->data) return a->size == 0 && d0 >= 0 && d1 >= 0 && (d0 == 0 || d1 == 0);
    a->d0 = d0;
    a->d1 = d1;
    return true;
}

void uxarray2d_clear(uxArray2Double* a)
{
    if (a->data) memset(a->data, 0, a->size);
}

void uxarray2d_set(uxArray2Double* a, int i, int j, double value)
{
    if (inside(i, a->d0) && inside(j, a->d1)) a->data[i + (size_t)j * a->d0] = value;
}

double uxarray2d_get(const uxArray2Double* a, int i, int j)
{
    if (inside(i, a->d0) && inside(j, a->d1)) return a->data[i + (size_t)j * a->d0];
    return 0.0;
}

void uxarray2d_destroy(uxArray2Double* a)
{
    uxpages_release(a->data, a->mapped);
    *a = uxArray2Double{};
}

bool uxarray3d_create(uxArray3Double* a, int d0, int d1, int d2)
{
    uxarray3d_destroy(a);
    int dims[] = {d0, d1, d2};
    a->data = (double*)allocate(dims, 3, sizeof(double), &a->size, &a->mapped);
    if (!a->data)
        return a->size == 0 && d0 >= 0 && d1 >= 0 && d2 >= 0 && (d0 == 0 || d1 == 0 || d2 == 0);
    a->d0 = d0;
    a->d1 = d1;
    a->d2 = d2;
    return true;
}

void uxarray3d_clear(uxArray3Double* a)
{
    if (a->data) memset(a->data, 0, a->size);
}

static size_t position3(const uxArray3Double* a, int i, int j, int k)
{
    return (size_t)i + (size_t)a->d0 * ((size_t)j + (size_t)a->d1 * (size_t)k);
}

void uxarray3d_set(uxArray3Double* a, int i, int j, int k, double value)
{
    if (inside(i, a->d0) && inside(j, a->d1) && inside(k, a->d2))
        a->data[position3(a, i, j, k)] = value;
}

double uxarray3d_get(const uxArray3Double* a, int i, int j, int k)
{
    if (inside(i, a->d0) && inside(j, a->d1) && inside(k, a->d2))
        return a->data[position3(a, i, j, k)];
    return 0.0;
}

void uxarray3d_destroy(uxArray3Double* a)
{
    uxpages_release(a->data, a->mapped);
    *a = uxArray3Double{};
}

bool uxarray2i_create(uxArray2Int* a, int d0, int d1)
{
    uxarray2i_destroy(a);
    int dims[] = {d0, d1};
    a->data = (int*)allocate(dims, 2, sizeof(int), &a->size, &a->mapped);
    if (!a->data) return a->size == 0 && d0 >= 0 && d1 >= 0 && (d0 == 0 || d1 == 0);
    a->d0 = d0;
    a->d1 = d1;
    return true;
}

void uxarray2i_clear(uxArray2Int* a)
{
    if (a->data) memset(a->data, 0, a->size);
}

void uxarray2i_set(uxArray2Int* a, int i, int j, int value)
{
    if (inside(i, a->d0) && inside(j, a->d1)) a->data[i + (size_t)j * a->d0] = value;
}

int uxarray2i_get(const uxArray2Int* a, int i, int j)
{
    if (inside(i, a->d0) && inside(j, a->d1)) return a->data[i + (size_t)j * a->d0];
    return 0;
}

void uxarray2i_destroy(uxArray2Int* a)
{
    uxpages_release(a->data, a->mapped);
    *a = uxArray2Int{};
}
