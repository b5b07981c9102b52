// Reading and writing the parameter and result files of the research modules.

#include "research/module_files.h"

#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "shell/output.h"
#include "toolkit/data/uxfile_atomic.h"
#include "toolkit/data/uxfile_journal.h"

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
    std::vector<std::string> committed;  // names the last run put in place
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
    runFiles.committed.clear();
    // What a process killed inside an earlier run left: finished or undone before this run
    // reads or writes anything.
    char line[200];
    uxjournal_describe(uxjournal_recover("."), line, sizeof line);
    if (line[0]) Print("\n %s \n", line);
    runFiles.collecting = true;
    runFiles.failed = false;
    // A program ended inside a run (the Quit item) leaves no temporary files behind.
    if (!runFiles.cleanupRegistered) runFiles.cleanupRegistered = std::atexit(discard_pending) == 0;
}

bool EndModuleFiles() {
    bool ok = !runFiles.failed;
    if (ok && !runFiles.pending.empty()) {
        // All files of the run become visible together, through the folder's journal.
        std::vector<uxAtomicFile*> outs;
        for (ModuleFile* file : runFiles.pending) outs.push_back(&file->out);
        bool committed = uxjournal_commit(outs.data(), static_cast<int>(outs.size()), ".");
        int error = errno;
        for (ModuleFile* file : runFiles.pending)
            if (file->out.error) {
                errno = file->out.error;
                report_unwritable(file->name.c_str());
                ok = false;
            } else {
                runFiles.committed.push_back(file->name);
            }
        if (!committed && ok) {
            errno = error;
            report_unwritable(kUxJournalName);
            Print("\n ERROR! No file of this run is written; the files of the last run stay as "
                  "they were. ERROR! \n");
            ok = false;
        }
    } else if (!ok && !runFiles.pending.empty()) {
        Print("\n ERROR! No file of this run is written; the files of the last run stay as they "
              "were. ERROR! \n");
    }
    discard_pending();
    runFiles.collecting = false;
    runFiles.failed = false;
    return ok;
}

int ModuleRunFileCount() { return static_cast<int>(runFiles.committed.size()); }

const char* ModuleRunFileName(int index) {
    if (index < 0 || index >= ModuleRunFileCount()) return "";
    return runFiles.committed[static_cast<size_t>(index)].c_str();
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

bool WriteModuleText(const char* name, const char* text, unsigned long size) {
    ModuleFile* file = OpenModuleFile(name);
    if (!file) return false;
    // A short write leaves the stream in error, which the close reports.
    if (size) std::fwrite(text, 1, size, file->out.file);
    return CloseModuleFile(file);
}

std::FILE* ModuleFileStream(ModuleFile* file) { return file->out.file; }

void DiscardModuleFile(ModuleFile* file) {
    uxfile_finish(&file->out, false);
    delete file;
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

// The values a file may hold: what its writers write. `line` 0 is every line; files without a
// rule hold finite numbers (integer files: in the int range).
struct ValueRule {
    const char* file;
    int line;
    double low, high;
};
static constexpr double kIntLow = -2147483648.0, kIntHigh = 2147483647.0;
static const ValueRule kValueRules[] = {
    {kMatrixFormatFile, 1, 9, 10},
    {kMatrixFormatFile, 2, 1, kIntHigh},
    {kOrderFile, 0, 1, 12},
    {kSelfCorrelationFile, 0, 0, 1},
    {kAutoCorrelationFile, 0, 0, 1},
    {kGroupSizeFile, 0, 1, kIntHigh},
    {kStartEndFile, 3, 1, 12},
    {kStartEndFile, 4, 1, 12},
    {kStartEndFile, 5, 1, 31},
    {kStartEndFile, 6, 1, 31},
    {kIntervalFile, 0, 1, kIntHigh},
    {kTimeShiftDaysFile, 0, -25, 25},
    {kTimeShiftHoursFile, 0, -47, 47},
    {kSignificanceFiles[0], 0, 0, 2},
    {kSignificanceFiles[1], 0, 0, 2},
    {kSignificanceFiles[2], 0, 0, 2},
    {kSignificanceFiles[3], 0, 0, 2},
};

// The range of line `line` of `name`; false when the file has none beyond finiteness.
static bool rule_for(const char* name, int line, double* low, double* high) {
    for (const ValueRule& rule : kValueRules)
        if (std::strcmp(rule.file, name) == 0 && (rule.line == 0 || rule.line == line)) {
            *low = rule.low;
            *high = rule.high;
            return true;
        }
    return false;
}

// The line as the message shows it: control characters as '?', at most 40 characters.
static std::string shown_text(const char* text) {
    std::string shown;
    for (const char* p = text; *p && *p != '\n' && shown.size() < 40; ++p)
        shown += static_cast<unsigned char>(*p) < 0x20 || *p == 0x7f ? '?' : *p;
    if (std::strlen(text) > 40 && shown.size() == 40) shown += "...";
    return shown;
}

static void report_bad_value(const char* name, int line, const char* text, const char* why) {
    Print("\n ERROR! The file %s, line %d: \"%s\" %s. ERROR! \n", name, line,
          shown_text(text).c_str(), why);
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

// Truncation toward zero; the value is already inside the int range.
static int truncate_to_int(double value) { return static_cast<int>(value); }

// Reads `count` lines, each whole, into values (integers truncated when `integers`). Every line
// must hold one finite number and nothing else but blanks, inside the range its file allows;
// else the file, the line and its text are named and false is returned.
static bool read_values(const char* name, double* values, int count, bool integers, int* got) {
    *got = 0;
    std::FILE* file = open_for_reading(name);
    if (!file) return false;
    char* line = nullptr;
    size_t capacity = 0;
    int i = 0;
    bool ok = true;
    for (; i < count && getline(&line, &capacity, file) >= 0; ++i) {
        char* end = line;
        double value = std::strtod(line, &end);
        bool number = end != line;
        while (number && *end && std::isspace(static_cast<unsigned char>(*end))) ++end;
        double low = integers ? kIntLow : -HUGE_VAL, high = integers ? kIntHigh : HUGE_VAL;
        bool ruled = rule_for(name, i + 1, &low, &high);
        if (!number || *end) {
            report_bad_value(name, i + 1, line, "is no number");
            ok = false;
        } else if (!std::isfinite(value)) {
            report_bad_value(name, i + 1, line, "is no finite number");
            ok = false;
        } else {
            double kept = integers ? std::trunc(value) : value;
            if (kept < low || kept > high) {
                char why[80];
                if (ruled)
                    std::snprintf(why, sizeof why, "lies outside %.0f..%.0f", low, high);
                else
                    std::snprintf(why, sizeof why, "is too large for a whole number");
                report_bad_value(name, i + 1, line, why);
                ok = false;
            }
            values[i] = kept;
        }
        if (!ok) break;
        *got = i + 1;
    }
    std::free(line);
    std::fclose(file);
    if (!ok) return false;
    if (i < count) {
        report_short(name, i, count);
        return false;
    }
    return true;
}

bool ReadDoubleList(const char* name, double* values, int count) {
    int got = 0;
    return read_values(name, values, count, false, &got);
}

bool ReadIntList(const char* name, int* values, int count) {
    std::vector<double> read(count > 0 ? static_cast<size_t>(count) : 0);
    int got = 0;
    bool ok = read_values(name, read.data(), count, true, &got);
    // The values read before a bad line or a short end are kept, as the doubles are.
    for (int i = 0; i < got; ++i) values[i] = truncate_to_int(read[i]);
    return ok;
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
