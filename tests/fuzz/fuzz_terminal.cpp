// The terminal's escape decoder and output: the first byte chooses the terminal's size and
// scrollback (tiny ones included), the rest is printed to it. A byte 0xFF followed by two bytes
// resizes the window (and so the terminal) to that many pixels before the printing goes on.
#include <cstdint>
#include <cstring>

#include "tests/fuzz/fuzz_support.h"
#include "toolkit/core/uxevent.h"
#include "toolkit/core/uxwindow.h"
#include "toolkit/text/uxansidecoder.h"
#include "toolkit/text/uxterminal.h"

static const char* const kShapes[] = {
    "x=0,y=0,xs=100%,ys=100%",
    "x=0,y=0,xs=100%,ys=100%,scrollback=200",
    "x=0,y=0,xs=100%,ys=100%,scrollback=2,wordbreak",
    "x=0,y=0,lines=1,columns=1,scrollback=2",
    "x=0,y=0,lines=2,columns=3,wordbreak,cursor",
    "x=0,y=0,lines=1,columns=5,scroll",
    "x=0,y=0,xs=10,ys=10,scrollback",
    "x=0,y=0,lines=5,columns=20,scrollback=3,wordbreak",
};

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1 || size > 1 << 14) return 0;
    fuzz_headless();
    uxWindow win;
    uxwindow_create(&win, "fuzz,x=0,y=0,xs=200,ys=150");
    uxTerminal* t = uxterminal_new("%s", kShapes[data[0] % (sizeof kShapes / sizeof kShapes[0])]);
    uxAnsiDecoder decoder;
    uxansi_init(&decoder);

    char* chunk = new char[size + 1];
    size_t n = 0;
    for (size_t i = 1; i <= size; ++i) {
        if (i == size || data[i] == 0xFF || data[i] == 0) {
            chunk[n] = 0;
            uxterminal_print(t, chunk);
            n = 0;
            if (i + 2 < size && data[i] == 0xFF) {
                uxEvent ev = {UXEV_RESIZE, {data[i + 1] + 1, data[i + 2] + 1}};
                uxwindow_dispatch(&win, &ev);
                uxwindow_compose(&win);
                i += 2;
            }
            continue;
        }
        chunk[n++] = static_cast<char>(data[i]);
        uxansi_input(&decoder, data[i]);
        int command, argument;
        while (uxansi_next(&decoder, &command, &argument)) {}
    }
    uxwindow_compose(&win);
    uxterminal_dump(t, fuzz_path("terminal.txt"));
    delete[] chunk;
    uxterminal_delete(t);
    uxwindow_destroy(&win);
    uxevent_reset();
    return 0;
}
