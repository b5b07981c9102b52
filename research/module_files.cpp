// Reading and writing the parameter and result files of the research modules.

#include "research/module_files.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "shell/output.h"
#include "toolkit/data/uxfile_atomic.h"

// Principle ranges from callers are kept inside the 0..10 the matrices hold.
static int clamp_last(int last) {
    if (last < 0) return -1;
    return last > kMatrixPrinciples - 1 ? kMatrixPrinciples - 1 : last;
}

int UpperTriangleLines(int last) {
    last = clamp_last(last);
    return last < 0 ? 0 : last * (last + 1) / 2;
}

int FullMatrixLines(int last) {
    last = clamp_last(last);
    return (last + 1) * (last + 1);
}

struct ModuleFile {
    uxAtomicFile out;
    std::string name;
    int lines = 0;
    int refusedLine = 0;  // first line whose value was not finite, 0 while all were
    double refusedValue = 0.0;
};

static void report_unwritable(const char* name) {
    Print("\n ERROR! Cannot write the file %s (%s) ERROR! \n", name, std::strerror(errno));
}

static void report_refused(const char* name, double value, int line) {
    Print("\n ERROR! The file %s would get the value %f in line %d; it is not written. ERROR! \n",
          name, value, line);
}

// The files of one module run. While a run collects them, finished files wait beside their
// targets and replace them together at the end of the run, or not at all when any file of the
// run could not be written: the next module never finds half of one run and half of another.
static struct {
    bool collecting = false;
    bool failed = false;
    bool cleanupRegistered = false;
    std::vector<ModuleFile*> pending;
} runFiles;

static void note_failure() {
    if (runFiles.collecting) runFiles.failed = true;
}

static void discard_pending() {
    for (ModuleFile* file : runFiles.pending) {
        uxfile_discard(&file->out);
        delete file;
    }
    runFiles.pending.clear();
}

// A later write of the same file in the run replaces the earlier one.
static void keep_pending(ModuleFile* file) {
    for (ModuleFile*& kept : runFiles.pending)
        if (kept->name == file->name) {
            uxfile_discard(&kept->out);
            delete kept;
            kept = file;
            return;
        }
    runFiles.pending.push_back(file);
}

void BeginModuleFiles() {
    discard_pending();
    runFiles.collecting = true;
    runFiles.failed = false;
    // A program ended inside a run (the Quit item) leaves no temporary files behind.
    if (!runFiles.cleanupRegistered) runFiles.cleanupRegistered = std::atexit(discard_pending) == 0;
}

bool EndModuleFiles() {
    bool ok = !runFiles.failed;
    if (ok) {
        for (ModuleFile* file : runFiles.pending)
            if (!uxfile_commit(&file->out)) {
                report_unwritable(file->name.c_str());
                ok = false;
            }
    } else if (!runFiles.pending.empty()) {
        Print("\n ERROR! No file of this run is written; the files of the last run stay as they "
              "were. ERROR! \n");
    }
    discard_pending();
    runFiles.collecting = false;
    runFiles.failed = false;
    return ok;
}

void DiscardModuleFiles() {
    discard_pending();
    runFiles.collecting = false;
    runFiles.failed = false;
}

ModuleFile* OpenModuleFile(const char* name) {
    ModuleFile* file = new ModuleFile;
    file->name = name;
    if (!uxfile_begin(&file->out, name)) {
        report_unwritable(name);
        note_failure();
        delete file;
        return nullptr;
    }
    return file;
}

void WriteDoubleLine(ModuleFile* file, double value) {
    ++file->lines;
    if (file->refusedLine) return;
    if (!std::isfinite(value)) {
        file->refusedLine = file->lines;
        file->refusedValue = value;
        return;
    }
    std::fprintf(file->out.file, "%f\n", value);
}

void WriteIntLine(ModuleFile* file, int value) {
    ++file->lines;
    if (!file->refusedLine) std::fprintf(file->out.file, "%i\n", value);
}

bool CloseModuleFile(ModuleFile* file) {
    bool refused = file->refusedLine != 0;
    bool ok = uxfile_close(&file->out, !refused);
    if (ok && runFiles.collecting) {
        keep_pending(file);
        return true;
    }
    if (ok) ok = uxfile_commit(&file->out);
    if (refused) report_refused(file->name.c_str(), file->refusedValue, file->refusedLine);
    else if (!ok) report_unwritable(file->name.c_str());
    if (!ok) note_failure();
    delete file;
    return ok;
}

bool WriteIntList(const char* name, const int* values, int count) {
    ModuleFile* file = OpenModuleFile(name);
    if (!file) return false;
    for (int i = 0; i < count; ++i) WriteIntLine(file, values[i]);
    return CloseModuleFile(file);
}

bool WriteInt(const char* name, int value) { return WriteIntList(name, &value, 1); }

// A value that is not finite is refused before the file is touched, so the old file stays.
bool WriteDoubleList(const char* name, const double* values, int count) {
    for (int i = 0; i < count; ++i)
        if (!std::isfinite(values[i])) {
            report_refused(name, values[i], i + 1);
            note_failure();
            return false;
        }
    ModuleFile* file = OpenModuleFile(name);
    if (!file) return false;
    for (int i = 0; i < count; ++i) WriteDoubleLine(file, values[i]);
    return CloseModuleFile(file);
}

bool WritePrincipleList(const char* name, const double* values, int last) {
    return WriteDoubleList(name, values, clamp_last(last) + 1);
}

bool WriteUpperTriangle(const char* name, const double matrix[kMatrixSize][kMatrixSize],
                        int last, double factor) {
    last = clamp_last(last);
    double values[kMatrixPrinciples * kMatrixPrinciples];
    int k = 0;
    for (int i = 0; i <= last; ++i)
        for (int j = i + 1; j <= last; ++j) values[k++] = matrix[i][j] * factor;
    return WriteDoubleList(name, values, k);
}

bool WriteFullMatrix(const char* name, const double matrix[kMatrixSize][kMatrixSize], int last) {
    last = clamp_last(last);
    double values[kMatrixPrinciples * kMatrixPrinciples];
    int k = 0;
    for (int i = 0; i <= last; ++i)
        for (int j = 0; j <= last; ++j) values[k++] = matrix[i][j];
    return WriteDoubleList(name, values, k);
}

// One line into a 100-character buffer. The rest of an over-long line is skipped, so that it
// is not taken for the next value. False at the end of the file.
static bool read_line(std::FILE* file, char line[100]) {
    if (!std::fgets(line, 100, file)) return false;
    if (!std::strchr(line, '\n')) {
        int c;
        while ((c = std::fgetc(file)) != EOF && c != '\n') {
        }
    }
    return true;
}

// Opens the file for reading, as this run wrote it when it did; a missing file is reported.
static std::FILE* open_for_reading(const char* name) {
    for (ModuleFile* kept : runFiles.pending)
        if (kept->name == name) return std::fopen(uxfile_written_path(&kept->out), "r");
    std::FILE* file = std::fopen(name, "r");
    if (!file) Print("\n ERROR! The file %s is missing. ERROR! \n", name);
    return file;
}

static void report_short(const char* name, int found, int wanted) {
    Print("\n ERROR! The file %s holds %d of %d values. ERROR! \n", name, found, wanted);
}

bool ReadDoubleList(const char* name, double* values, int count) {
    std::FILE* file = open_for_reading(name);
    if (!file) return false;
    char line[100];
    int i = 0;
    for (; i < count && read_line(file, line); ++i) values[i] = std::strtod(line, nullptr);
    std::fclose(file);
    if (i < count) {
        report_short(name, i, count);
        return false;
    }
    return true;
}

// Truncation toward zero, kept inside the int range (strtod may give huge values or NaN).
static int truncate_to_int(double value) {
    if (std::isnan(value)) return 0;
    if (value >= 2147483647.0) return 2147483647;
    if (value <= -2147483648.0) return -2147483647 - 1;
    return static_cast<int>(value);
}

bool ReadIntList(const char* name, int* values, int count) {
    std::FILE* file = open_for_reading(name);
    if (!file) return false;
    char line[100];
    int i = 0;
    for (; i < count && read_line(file, line); ++i)
        values[i] = truncate_to_int(std::strtod(line, nullptr));
    std::fclose(file);
    if (i < count) {
        report_short(name, i, count);
        return false;
    }
    return true;
}

bool ReadInt(const char* name, int* value) { return ReadIntList(name, value, 1); }

bool ReadGroupSize(int* members) {
    if (!ReadInt(kGroupSizeFile, members)) return false;
    if (*members >= 1) return true;
    Print("\n ERROR! The file %s holds %d events per group (>= 1 expected). ERROR! \n",
          kGroupSizeFile, *members);
    return false;
}

bool ReadPrincipleList(const char* name, double* values, int last) {
    return ReadDoubleList(name, values, clamp_last(last) + 1);
}

bool ReadUpperTriangle(const char* name, double matrix[kMatrixSize][kMatrixSize], int last) {
    last = clamp_last(last);
    double values[kMatrixPrinciples * kMatrixPrinciples];
    int count = UpperTriangleLines(last);
    if (!ReadDoubleList(name, values, count)) return false;
    int k = 0;
    for (int i = 0; i <= last; ++i)
        for (int j = i + 1; j <= last; ++j) matrix[i][j] = values[k++];
    return true;
}

bool ReadFullMatrix(const char* name, double matrix[kMatrixSize][kMatrixSize], int last) {
    last = clamp_last(last);
    double values[kMatrixPrinciples * kMatrixPrinciples];
    if (!ReadDoubleList(name, values, FullMatrixLines(last))) return false;
    int k = 0;
    for (int i = 0; i <= last; ++i)
        for (int j = 0; j <= last; ++j) matrix[i][j] = values[k++];
    return true;
}

bool ReadPlanetWeights(double* weights, int last) {
    return ReadPrincipleList(kPlanetWeightsFile, weights, last);
}

bool ReadMatrixFormat(int* last, int* groupSize) {
    int values[2];
    if (!ReadIntList(kMatrixFormatFile, values, 2)) return false;
    // P indexes every table of the run; any other value would reach past them.
    if (values[0] != 9 && values[0] != 10) {
        Print("\n ERROR! The file %s holds the matrix format %d (9 or 10 expected). ERROR! \n",
              kMatrixFormatFile, values[0]);
        return false;
    }
    *last = values[0];
    *groupSize = values[1];
    return true;
}
