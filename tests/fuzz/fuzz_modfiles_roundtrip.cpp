// The program reading its own module files back: whatever the writers write, the readers must
// take, value for value (reals as "%f" gives them back). The input is a choice of file and the
// raw values: reals (any bit pattern; the writer refuses what is not finite), integers, or the
// in-range values of the parameter files. Half of the inputs are written inside a module run,
// where the reader sees the run's own files before they are put in place.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

#include "research/module_files.h"
#include "tests/fuzz/fuzz_support.h"

namespace {

const int kMaxValues = 130;

// The value a reader must give for a written real.
double as_written(double value) {
    char text[400];
    std::snprintf(text, sizeof text, "%f", value);
    return std::strtod(text, nullptr);
}

// True when the writer took the values (false: it refused one that is not finite).
bool check_reals(const double* values, int count) {
    bool finite = true;
    for (int i = 0; i < count; ++i) finite = finite && std::isfinite(values[i]);
    bool written = WriteDoubleList(kEventMomentSumFiles[0], values, count);
    if (written != finite) std::abort();
    if (!written) return false;
    double back[kMaxValues];
    if (!ReadDoubleList(kEventMomentSumFiles[0], back, count)) std::abort();
    for (int i = 0; i < count; ++i)
        if (back[i] != as_written(values[i])) std::abort();
    return true;
}

void check_ints(const char* name, const int* values, int count) {
    if (!WriteIntList(name, values, count)) std::abort();
    int back[kMaxValues];
    if (!ReadIntList(name, back, count)) std::abort();
    if (std::memcmp(back, values, sizeof(int) * static_cast<size_t>(count)) != 0) std::abort();
}

// Parameter files with values inside their ranges, made from the input bytes.
void check_parameters(const uint8_t* data, size_t size) {
    auto byte = [&](size_t i) { return i < size ? static_cast<int>(data[i]) : 0; };
    int format[2] = {9 + byte(0) % 2, 1 + byte(1) * 1000 + byte(2)};
    check_ints(kMatrixFormatFile, format, 2);
    int order = 1 + byte(3) % 12, flag = byte(4) % 2;
    check_ints(kOrderFile, &order, 1);
    check_ints(kSelfCorrelationFile, &flag, 1);
    int years[6] = {byte(5) * 20 - 2000, 1000 + byte(6) * 30, 1 + byte(7) % 12, 1 + byte(8) % 12,
                    1 + byte(9) % 31, 1 + byte(10) % 31};
    check_ints(kStartEndFile, years, 6);
    int days = byte(11) % 51 - 25, hours = byte(12) % 95 - 47;
    check_ints(kTimeShiftDaysFile, &days, 1);
    check_ints(kTimeShiftHoursFile, &hours, 1);
    int codes[kMaxValues];
    int n = static_cast<int>(size < kMaxValues ? size : kMaxValues);
    for (int i = 0; i < n; ++i) codes[i] = data[i] % 3;
    check_ints(kSignificanceFiles[0], codes, n);
    int last = 0, group = 0;
    if (!ReadMatrixFormat(&last, &group) || last != format[0] || group != format[1]) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static bool entered = false;
    if (!entered) {
        entered = true;
        // Every file is synced to disk before it replaces its target: in memory (tmpfs) that
        // costs nothing, on a disk it made this harness run at a few inputs a second.
        if (access("/dev/shm", W_OK) == 0) setenv("TMPDIR", "/dev/shm", 0);
        fuzz_enter_workdir();
    }
    if (size < 1) return 0;
    int mode = data[0] % 3;
    bool inRun = data[0] & 4;
    ++data, --size;
    if (inRun) BeginModuleFiles();
    bool written = true;
    if (mode == 0) {
        double values[kMaxValues];
        int count = static_cast<int>(size / sizeof(double));
        if (count > kMaxValues) count = kMaxValues;
        std::memcpy(values, data, sizeof(double) * static_cast<size_t>(count));
        written = check_reals(values, count);
    } else if (mode == 1) {
        int values[kMaxValues];
        int count = static_cast<int>(size / sizeof(int));
        if (count > kMaxValues) count = kMaxValues;
        std::memcpy(values, data, sizeof(int) * static_cast<size_t>(count));
        check_ints("values.txt", values, count);
    } else {
        check_parameters(data, size);
    }
    // A run whose files were all written puts them all in place.
    if (inRun && !EndModuleFiles() && written) std::abort();
    return 0;
}
