#pragma once
// The parameter and result files through which the research modules hand their settings and
// results to each other. One value per line; integers "%i", reals "%f"; files are written in
// binary mode (plain "\n" line ends) and read in text mode, one whole line at a time, converted
// with strtod (integers truncated).
//
// Writers rewrite the whole file. Every function reports a failure by file name on the current
// text target and returns false, so a module can stop before it uses values it does not have
// or hands on values it could not write.

#include <cstdio>

#include "research/correlation_matrices.h"

// Parameter files.
inline constexpr const char* kMatrixFormatFile = "datdat.txt";     // P, group size
inline constexpr const char* kOrderFile = "datord.txt";            // order n
inline constexpr const char* kSelfCorrelationFile = "selfkorr.txt";
inline constexpr const char* kAutoCorrelationFile = "autodat.txt";
inline constexpr const char* kGroupSizeFile = "eventsdat.txt";
inline constexpr const char* kPlanetWeightsFile = "datplanet.txt";  // P+1 weights
inline constexpr const char* kStartEndFile = "startendyear.txt";    // y, y, m, m, d, d
inline constexpr const char* kIntervalFile = "datintervt.txt";      // number per interval N
inline constexpr const char* kTimeShiftDaysFile = "dattimeshiftd.txt";
inline constexpr const char* kTimeShiftHoursFile = "dattimeshifth.txt";

// Result files of the continuum.
inline constexpr const char* kContinuumRowSumFiles[kCorrelationKinds] = {
    "zshcontinuum.txt", "zsicontinuum.txt", "zsdcontinuum.txt", "zsdacontinuum.txt"};
inline constexpr const char* kContinuumMatrixSumFile = "matrixsumcontinuum.txt";
inline constexpr const char* kContinuumMatrixSumCopyFile = "mscontinuum.txt";
inline constexpr const char* kContinuumHarmonyFile = "dathcontinuum.txt";
// Matrices I, D, DA: upper triangles from the continuum, full matrices from the event analysis.
inline constexpr const char* kEnergyMatrixFile = "dati.txt";
inline constexpr const char* kDynamicsMatrixFile = "datz.txt";
inline constexpr const char* kAbsoluteDynamicsMatrixFile = "data.txt";
inline constexpr const char* kRandomDatesFile = "jdfest.txt";

// Result files of the event analysis.
inline constexpr const char* kEventHarmonyFile = "dath.txt";
inline constexpr const char* kEventRowSumFiles[kCorrelationKinds] = {
    "zsummh.txt", "zsummi.txt", "zsummd.txt", "zsummda.txt"};
inline constexpr const char* kEventMatrixSumFile = "matrixsumevent.txt";
inline constexpr const char* kEventJulianDatesFile = "juliandat.txt";
inline constexpr const char* kEventMomentSumFiles[kCorrelationKinds] = {
    "eventsh.txt", "eventsi.txt", "eventsd.txt", "eventsda.txt"};

// The event matrices H, I, D, DA as the event analysis writes them (full matrices).
inline constexpr const char* kEventMatrixFiles[kCorrelationKinds] = {
    kEventHarmonyFile, kEnergyMatrixFile, kDynamicsMatrixFile, kAbsoluteDynamicsMatrixFile};

// Result files of the matrix probability: significance codes per element, row sum and total.
inline constexpr const char* kSignificanceFiles[kCorrelationKinds] = {
    "significanceh.txt", "significancei.txt", "significanced.txt", "significanceda.txt"};

// Number of lines of the two matrix layouts over principles 0..last.
int UpperTriangleLines(int last);
int FullMatrixLines(int last);

// Writers. Each file is written whole or not at all: the values go to a temporary file that
// replaces the old file only when every value was written (the toolkit's atomic file). A value
// that is not a finite number (nan, inf) is refused before anything is written: the file name,
// the value and its line are reported, and the old file stays.
bool WriteIntList(const char* name, const int* values, int count);
bool WriteInt(const char* name, int value);
bool WriteDoubleList(const char* name, const double* values, int count);
// P+1 lines: values[0..last] (weights, row sums).
bool WritePrincipleList(const char* name, const double* values, int last);
// Elements i < j, row-major, each multiplied by `factor`.
bool WriteUpperTriangle(const char* name, const double matrix[kMatrixSize][kMatrixSize],
                        int last, double factor);
// All (last+1)^2 elements, row-major.
bool WriteFullMatrix(const char* name, const double matrix[kMatrixSize][kMatrixSize], int last);

// A file written one line at a time (one line per event or per moment): open, add, close.
// Open returns nullptr after reporting. Close reports a failed write or the first value that
// was not finite (the file is then not written at all), frees the file and returns false.
struct ModuleFile;
ModuleFile* OpenModuleFile(const char* name);
void WriteDoubleLine(ModuleFile* file, double value);
void WriteIntLine(ModuleFile* file, int value);
bool CloseModuleFile(ModuleFile* file);
// The stream to write into while the file is open (for writers of other layouts, such as the
// labelled CSV tables), and giving up on a file: it is removed and the old one stays.
std::FILE* ModuleFileStream(ModuleFile* file);
void DiscardModuleFile(ModuleFile* file);

// A whole text file of `size` bytes (a table, a record, a script), written like the files above
// (with the run's files, whole or not at all); false after reporting.
bool WriteModuleText(const char* name, const char* text, unsigned long size);

// One module run's files (the shell brackets every run with these): between Begin and End
// the written files wait beside their targets; End puts them all in place, or none of them when
// any file of the run could not be written (then reported, and false). Readers in the run see
// the run's own files. Outside a run every file is put in place when it is closed.
void BeginModuleFiles();
bool EndModuleFiles();
// The files the last run put in place, in the order they were first written (for the run
// record); none when the run failed.
int ModuleRunFileCount();
const char* ModuleRunFileName(int index);
// Ends a run that was cancelled or interrupted: none of its files is put in place.
void DiscardModuleFiles();

// Readers: exactly `count` lines; anything after them is ignored. A missing file or one with
// fewer lines is reported by name and gives false (the values read so far are kept). Every line
// read must hold only what the writers write: one finite number, for an integer file inside the
// int range, and inside the range its file holds (datdat.txt 9 or 10 and a group size >= 1, an
// order 1..12, flags 0 or 1, months 1..12, days 1..31, time shifts -25..25 days and -47..47
// hours, significance codes 0..2); else the file, the line and its text are reported and the
// reader gives false, as for a missing file.
bool ReadDoubleList(const char* name, double* values, int count);
bool ReadIntList(const char* name, int* values, int count);
bool ReadInt(const char* name, int* value);
bool ReadPrincipleList(const char* name, double* values, int last);
// Fills the elements i < j only; the rest of the matrix is left as it was.
bool ReadUpperTriangle(const char* name, double matrix[kMatrixSize][kMatrixSize], int last);
bool ReadFullMatrix(const char* name, double matrix[kMatrixSize][kMatrixSize], int last);

// "eventsdat.txt": the events per group. A size below 1 (the group means divide by it) is
// reported by name like a missing file and gives false.
bool ReadGroupSize(int* members);
// "datplanet.txt": the weights w[0..last].
bool ReadPlanetWeights(double* weights, int last);
// "datdat.txt": the last principle P (9 or 10) and the group size.
bool ReadMatrixFormat(int* last, int* groupSize);
