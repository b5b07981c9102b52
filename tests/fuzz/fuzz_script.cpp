// The automation-script parser: every line of the input is converted from UTF-8 to Latin-1 and
// split into arguments, as the runner does before it runs a command.
#include <cstdint>
#include <cstring>

#include "toolkit/automation/uxscript.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static char args[16][1024];
    static char line[8192], latin1[8192];
    size_t at = 0;
    while (at < size) {
        size_t n = 0;
        while (at < size && data[at] != '\n' && n < sizeof line - 1)
            line[n++] = static_cast<char>(data[at++]);
        if (at < size && data[at] == '\n') ++at;
        line[n] = 0;
        uxscript_to_latin1(line, latin1, sizeof latin1);
        uxscript_split(latin1, args, 16);
        uxscript_split(line, args, 3);
    }
    return 0;
}
