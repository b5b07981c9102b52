// The summer-time markup renderer: the input is a markup file, rendered on a page of the size
// the summer-time window uses. A small picture "a.bmp" lies in the working folder so that the
// picture commands have something to load.
#include <cstdint>

#include "records/summer_times.h"
#include "tests/fuzz/fuzz_support.h"
#include "toolkit/core/uxevent.h"
#include "toolkit/core/uxwindow.h"
#include "toolkit/drawing/uxpicture.h"
#include "toolkit/drawing/uxpixmap.h"
#include "toolkit/drawing/uxscreengraphic.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > 1 << 16) return 0;
    fuzz_headless();
    static uxWindow win;
    static uxScreenGraphic page;
    static bool made = false;
    if (!made) {
        made = true;
        fuzz_enter_workdir();
        uxwindow_create(&win, "Sommerzeiten,x=0,y=0,xs=800,ys=600");
        // The page of the summer-time window.
        uxgraphic_create(&page, "x=50%,y=45%,xs=90%,ys=80%,pxs=700,pys=1300,"
                                "background=white,server");
        uxPixmap picture;
        uxpxmap_create(&picture, 5, 4, UXPX_TRUECOLOR);
        uxpxmap_savetofile(&picture, "a.bmp");
        uxpxmap_destroy(&picture);
    }
    if (!fuzz_write_file("markup.txt", data, size)) return 0;
    uxgraphic_select(&page);
    uxgraphic_clear(0xFFFFFF);
    RenderMarkupFile("markup.txt");
    uxevent_reset();
    return 0;
}
