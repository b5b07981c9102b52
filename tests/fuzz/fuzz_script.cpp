// The automation-script parser: every line of the input, whatever its length, is converted from
// UTF-8 to Latin-1 and split into arguments, as the runner does before it runs a command. The
// seeds are the scripted runs of tests/scripts.
#include <cstdint>
#include <cstring>
#include <string>

#include "toolkit/automation/uxscript.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static char args[16][1024];
    std::string line, latin1;
    size_t at = 0;
    while (at < size) {
        const void* found = std::memchr(data + at, '\n', size - at);
        size_t end = found ? static_cast<size_t>(static_cast<const uint8_t*>(found) - data) : size;
        line.assign(reinterpret_cast<const char*>(data + at), end - at);
        at = end + 1;
        latin1.assign(line.size() + 1, '\0');
        uxscript_to_latin1(line.c_str(), latin1.data(), static_cast<int>(latin1.size()));
        uxscript_split(latin1.c_str(), args, 16);
        uxscript_split(line.c_str(), args, 3);
    }
    return 0;
}
