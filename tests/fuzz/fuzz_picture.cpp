// The BMP, PPM and PCX loaders: the input is a picture file, named by its first bytes ("BM" a
// BMP, "P" a PPM, else a PCX), measured and drawn into a small pixmap at an offset.
#include <cstdint>
#include <cstdio>

#include "tests/fuzz/fuzz_support.h"
#include "toolkit/drawing/uxpicture.h"
#include "toolkit/drawing/uxpixmap.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > 1 << 18) return 0;
    const char* name = size >= 2 && data[0] == 'B' && data[1] == 'M' ? "picture.bmp"
                       : size >= 1 && data[0] == 'P'                 ? "picture.ppm"
                                                                     : "picture.pcx";
    if (!fuzz_write_file(name, data, size)) return 0;
    char path[1024];
    std::snprintf(path, sizeof path, "%s", fuzz_path(name));
    int width = 0, height = 0;
    uxpicture_size(path, &width, &height);
    static const int formats[] = {UXPX_TRUECOLOR, UXPX_INDEXED8};
    int format = formats[size % 2];
    uxPixmap pm;
    if (!uxpxmap_create(&pm, 64, 48, format)) return 0;
    uxpxmap_loadfromfile(&pm, -3, 5, path);
    char options[1100];
    std::snprintf(options, sizeof options, "%s,x=10,y=-2,xs=20,ys=30", path);
    uxpxmap_loadfromfile(&pm, 0, 0, options);
    uxpxmap_destroy(&pm);
    return 0;
}
