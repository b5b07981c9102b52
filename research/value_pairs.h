#pragma once
// The value pairs of the optimal curve as files: "xny.txt" holds their count, "x.txt" and
// "y.txt" one value a line. Every value read is printed, as the module shows its input.

inline constexpr const char* kPairCountFile = "xny.txt";
inline constexpr const char* kPairXFile = "x.txt";
inline constexpr const char* kPairYFile = "y.txt";

// The count from "xny.txt", printed, limited to 1..maxPairs. False (reported) when the file is
// missing or gives no pairs; a larger count is reported and reduced to maxPairs.
bool ReadPairCount(int maxPairs, int* count);

// Up to `count` values of each file. Returns the number of complete pairs, which is smaller
// than `count` (and reported) when a file is shorter; values past it are never used. -1 when a
// file is missing (reported by name).
int ReadPairValues(int count, double* x, double* y);

// Rewrites the three files with the pairs 0..count-1 ("%i", "%f"); every finite value reads
// back as written.
bool WritePairs(int count, const double* x, const double* y);
