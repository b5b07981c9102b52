#pragma once
// Loading pictures into pixmaps and saving pixmaps as pictures. Both take the file name,
// optionally followed by the options ",x=", ",y=", ",xs=", ",ys=" with values in pixels (blanks
// ignored, keywords in any case). The type comes from the file name's extension.
//
// Loading reads BMP (uncompressed 24-bit), PPM (P6 and P3) and PCX (8-bit with colour table,
// 24-bit); saving writes BMP, raw PPM, XPM and PNG. Diagnostics go to standard output.

struct uxPixmap;

// Picture types by extension, case-insensitively; 0 for none or an unknown one.
enum {
    UXPIC_PNG = 1,
    UXPIC_BMP = 2,
    UXPIC_XPM = 3,
    UXPIC_PPM = 4,
    UXPIC_PCX = 5,
    UXPIC_HTML = 6,
    UXPIC_WMF = 7,
    UXPIC_PS = 8,
    UXPIC_PDF = 9
};

struct uxPictureFile {
    char name[4096];
    bool has_x, has_y, has_xs, has_ys;
    int x, y, xs, ys;
};

// Splits a file name from its options; false when there is no file name.
bool uxpicture_parse_file(const char* file_options, uxPictureFile* pf);
int uxpicture_type(const char* filename);

// Draws the picture with its top-left corner at (x, y); the options "x=" and "y="
// replace x and y, "xs=" and "ys=" limit the drawn part. Pixels outside the pixmap are skipped,
// the rest of the pixmap is left as it was. True when the file was read.
bool uxpxmap_loadfromfile(uxPixmap* pm, int x, int y, const char* file_options);
// Saves the pixmap, or the sub-rectangle the options select, as true colour, whole or not at
// all (the old file stays after a failure; errno tells why).
bool uxpxmap_savetofile(const uxPixmap* pm, const char* file_options);
// Width and height of a picture file (the header fields of a BMP; PPM and PCX by their headers).
bool uxpicture_size(const char* filename, int* width, int* height);
