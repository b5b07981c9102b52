// Reading and writing the value-pair files, one value a line like the other module files, but
// counting what a short file holds instead of giving up on it.

#include "research/value_pairs.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "research/module_files.h"
#include "shell/output.h"

bool ReadPairCount(int maxPairs, int* count) {
    if (!ReadInt(kPairCountFile, count)) return false;
    Print("\n number of value: %i ", *count);
    if (*count < 1) {
        Print("\n ERROR! %s gives no value pairs. ERROR! \n", kPairCountFile);
        return false;
    }
    if (*count > maxPairs) {
        Print("\n ERROR! %s gives more than %d value pairs. We use %d. ERROR! \n", kPairCountFile,
              maxPairs, maxPairs);
        *count = maxPairs;
    }
    return true;
}

// "%f" writes up to 309 digits before the point for the largest doubles; lines are read whole up
// to this length so that every saved value reads back as it was written.
static const int kLineLength = 400;

// Up to `count` values, each printed with `format`; -1 when the file cannot be opened.
static int read_values(const char* name, double* values, int count, const char* format) {
    std::FILE* file = std::fopen(name, "r");
    if (!file) {
        Print("\n ERROR! The file %s is missing. ERROR! \n", name);
        return -1;
    }
    char line[kLineLength];
    int found = 0;
    while (found < count && std::fgets(line, sizeof line, file)) {
        if (!std::strchr(line, '\n')) {  // the rest of an over-long line is no new value
            int ch;
            while ((ch = std::fgetc(file)) != EOF && ch != '\n') {
            }
        }
        values[found] = std::strtod(line, nullptr);
        Print(format, values[found]);
        ++found;
    }
    std::fclose(file);
    return found;
}

int ReadPairValues(int count, double* x, double* y) {
    int xs = read_values(kPairXFile, x, count, "\n x: %3.2f ");
    if (xs < 0) return -1;
    int ys = read_values(kPairYFile, y, count, "\n y: %3.2f ");
    if (ys < 0) return -1;
    int pairs = xs < ys ? xs : ys;
    if (pairs < count) {
        Print("\n ERROR! %s gives %d value pairs, but %s holds %d and %s %d values. ERROR! \n",
              kPairCountFile, count, kPairXFile, xs, kPairYFile, ys);
        if (pairs > 0) Print("\n We use the first %d value pairs. \n", pairs);
    }
    return pairs;
}

bool WritePairs(int count, const double* x, const double* y) {
    return WriteInt(kPairCountFile, count) && WriteDoubleList(kPairXFile, x, count) &&
           WriteDoubleList(kPairYFile, y, count);
}
