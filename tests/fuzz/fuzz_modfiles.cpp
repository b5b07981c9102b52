// The readers of the modules' parameter and result files: the input is written as every file
// they read and read back with each reader.
#include <cstdint>

#include "research/module_files.h"
#include "tests/fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static bool entered = false;
    if (!entered) {
        entered = true;
        fuzz_enter_workdir();
    }
    if (size > 1 << 16 || !fuzz_write_file("input.txt", data, size)) return 0;
    fuzz_write_file(kGroupSizeFile, data, size);
    fuzz_write_file(kPlanetWeightsFile, data, size);
    fuzz_write_file(kMatrixFormatFile, data, size);
    static double values[200];
    static int ints[200];
    static double matrix[kMatrixSize][kMatrixSize];
    int count = size ? data[0] % 130 : 1;
    ReadDoubleList("input.txt", values, count);
    ReadIntList("input.txt", ints, count);
    ReadInt("input.txt", ints);
    int last = size > 1 ? static_cast<int>(data[1] % 14) - 2 : 10;
    ReadPrincipleList("input.txt", values, last);
    ReadUpperTriangle("input.txt", matrix, last);
    ReadFullMatrix("input.txt", matrix, last);
    int members = 0, format = 0;
    ReadGroupSize(&members);
    ReadPlanetWeights(values, last);
    ReadMatrixFormat(&format, &members);
    return 0;
}
