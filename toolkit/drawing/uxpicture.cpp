#include "toolkit/drawing/uxpicture.h"

#include <png.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unordered_map>
#include <vector>

#include "toolkit/data/uxfile_atomic.h"
#include "toolkit/drawing/uxpixmap.h"

namespace {

// Files larger than this are not read into memory.
const long MAX_FILE_BYTES = 1L << 30;

typedef std::vector<unsigned char> Bytes;

// Reads a whole file, or only its first `limit` bytes when limit > 0.
bool read_file(const char* name, Bytes* out, long limit = 0) {
    FILE* f = std::fopen(name, "rb");
    if (!f) return false;
    bool ok = std::fseek(f, 0, SEEK_END) == 0;
    long size = ok ? std::ftell(f) : -1;
    if (limit > 0 && size > limit) size = limit;
    ok = ok && size >= 0 && size <= MAX_FILE_BYTES && std::fseek(f, 0, SEEK_SET) == 0;
    if (ok) {
        out->resize((size_t)size);
        ok = size == 0 || std::fread(out->data(), 1, (size_t)size, f) == (size_t)size;
    }
    std::fclose(f);
    return ok;
}

unsigned le16(const unsigned char* p) { return p[0] | (unsigned)p[1] << 8; }
uint32_t le32(const unsigned char* p) {
    return p[0] | (uint32_t)p[1] << 8 | (uint32_t)p[2] << 16 | (uint32_t)p[3] << 24;
}
void put_le16(unsigned char* p, unsigned v) {
    p[0] = (unsigned char)v;
    p[1] = (unsigned char)(v >> 8);
}
void put_le32(unsigned char* p, uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = (unsigned char)(v >> (8 * i));
}

bool sane_size(long long w, long long h) {
    return w > 0 && h > 0 && w <= UXPX_MAX_SIDE && h <= UXPX_MAX_SIDE;
}

// Where a loaded picture goes: its top-left corner and how much of it is drawn.
struct Target {
    uxPixmap* pm;
    int x, y;
    long long max_w, max_h;
};

void put_rgb(const Target& t, long long col, long long row, uint32_t rgb) {
    if (col >= t.max_w || row >= t.max_h) return;
    long long px = t.x + col, py = t.y + row;
    if (px < 0 || py < 0 || px >= t.pm->width || py >= t.pm->height) return;
    uxpxmap_setrgb(t.pm, (int)px, (int)py, rgb);
}

bool row_visible(const Target& t, long long row) {
    long long py = t.y + row;
    return row < t.max_h && py >= 0 && py < t.pm->height;
}

// Pixmap formats that pictures can be loaded into directly.
bool loadable_format(const uxPixmap* pm, const char* loader) {
    if (pm->format == UXPX_TRUECOLOR || pm->format == UXPX_INDEXED8 || pm->format == UXPX_SERVER)
        return true;
    std::printf("%s: PX-Format %d not supported (should load and copy then)\n", loader,
                pm->format);
    return false;
}

// ---- BMP -------------------------------------------------------------------------------------

// Uncompressed 24-bit BMP. Bottom-up pictures are read from the end of the file backwards (the
// picture's top row is the file's last row); top-down ones from the pixel data offset on. Rows
// a short file lacks are left out.
bool load_bmp(const Target& t, const char* name) {
    Bytes file;
    if (!read_file(name, &file)) return false;
    const unsigned char* h = file.data();
    if (file.size() < 54 || h[0] != 'B' || h[1] != 'M' || le16(h + 28) != 24 || le32(h + 30) != 0) {
        std::printf("uxpxmap_loadfromfile_bmp: not an uncompressed 24-bit BMP (%s)\n", name);
        return false;
    }
    long long width = (int32_t)le32(h + 18), height = (int32_t)le32(h + 22);
    bool top_down = height < 0;
    if (top_down) height = -height;
    if (!sane_size(width, height)) {
        std::printf("uxpxmap_loadfromfile_bmp: bad picture size (%s)\n", name);
        return false;
    }
    long long row_len = (3 * width + 3) / 4 * 4;
    long long size = (long long)file.size();
    long long data_offset = le32(h + 10);
    if (data_offset < 54 || data_offset > size) data_offset = 54;
    bool complete = true;
    for (long long row = 0; row < height; ++row) {
        long long at = top_down ? data_offset + row * row_len : size - (row + 1) * row_len;
        if (at < data_offset || at + row_len > size) {
            complete = false;
            break;
        }
        if (!row_visible(t, row)) continue;
        const unsigned char* p = h + at;
        for (long long col = 0; col < width; ++col, p += 3)
            put_rgb(t, col, row, (uint32_t)p[2] << 16 | (uint32_t)p[1] << 8 | p[0]);
    }
    return complete;
}

// ---- PPM -------------------------------------------------------------------------------------

// Skips blanks and '#' comments, then reads a decimal number; -1 when there is none.
long long ppm_number(const Bytes& f, size_t* pos) {
    while (*pos < f.size()) {
        unsigned char c = f[*pos];
        if (c == '#') {
            while (*pos < f.size() && f[*pos] != '\n') ++*pos;
        } else if (std::isspace(c)) {
            ++*pos;
        } else {
            break;
        }
    }
    long long v = -1;
    while (*pos < f.size() && std::isdigit(f[*pos])) {
        v = (v < 0 ? 0 : v) * 10 + (f[*pos] - '0');
        if (v > 1000000000) v = 1000000000;
        ++*pos;
    }
    return v;
}

struct PpmHeader {
    bool ascii;
    long long width, height, maxval;
    size_t data;  // first byte of the samples
};

bool ppm_header(const Bytes& f, PpmHeader* hd) {
    if (f.size() < 2 || f[0] != 'P' || (f[1] != '6' && f[1] != '3')) return false;
    hd->ascii = f[1] == '3';
    size_t pos = 2;
    hd->width = ppm_number(f, &pos);
    hd->height = ppm_number(f, &pos);
    hd->maxval = ppm_number(f, &pos);
    if (!sane_size(hd->width, hd->height) || hd->maxval < 1 || hd->maxval > 65535) return false;
    if (pos < f.size()) ++pos;  // the single blank after the maximum value
    hd->data = pos;
    return true;
}

bool load_ppm(const Target& t, const char* name) {
    Bytes f;
    if (!read_file(name, &f)) return false;
    PpmHeader hd;
    if (!ppm_header(f, &hd)) {
        std::printf("uxpxmap_loadfromfile_ppm: not a P6 or P3 picture (%s)\n", name);
        return false;
    }
    size_t pos = hd.data;
    int bytes = hd.maxval > 255 ? 2 : 1;
    auto sample = [&](long long* v) {
        if (hd.ascii) {
            *v = ppm_number(f, &pos);
        } else if (pos + bytes <= f.size()) {
            *v = bytes == 2 ? (f[pos] << 8 | f[pos + 1]) : f[pos];
            pos += bytes;
        } else {
            *v = -1;
        }
        if (*v < 0) return false;
        *v = (std::min(*v, hd.maxval) * 255 + hd.maxval / 2) / hd.maxval;
        return true;
    };
    for (long long row = 0; row < hd.height; ++row) {
        if (!hd.ascii && !row_visible(t, row)) {
            pos += (size_t)(hd.width * 3 * bytes);
            if (pos > f.size()) return false;
            continue;
        }
        for (long long col = 0; col < hd.width; ++col) {
            long long r, g, b;
            if (!sample(&r) || !sample(&g) || !sample(&b)) return false;
            put_rgb(t, col, row, (uint32_t)(r << 16 | g << 8 | b));
        }
    }
    return true;
}

// ---- PCX -------------------------------------------------------------------------------------

struct PcxHeader {
    long long width, height, planes, line_bytes;
    bool rle;
};

bool pcx_header(const Bytes& f, PcxHeader* hd) {
    if (f.size() < 128 || f[0] != 0x0A) return false;
    const unsigned char* h = f.data();
    hd->width = (long long)le16(h + 8) - le16(h + 4) + 1;
    hd->height = (long long)le16(h + 10) - le16(h + 6) + 1;
    hd->planes = h[65];
    hd->line_bytes = le16(h + 66);
    hd->rle = h[2] == 1;
    return h[3] == 8 && (hd->planes == 1 || hd->planes == 3) && sane_size(hd->width, hd->height) &&
           hd->line_bytes >= hd->width;
}

bool load_pcx(const Target& t, const char* name) {
    Bytes f;
    if (!read_file(name, &f)) return false;
    PcxHeader hd;
    if (!pcx_header(f, &hd)) {
        std::printf("uxpxmap_loadfromfile_pcx: only 8-bit and 24-bit PCX pictures are read (%s)\n",
                    name);
        return false;
    }
    size_t end = f.size();
    uint32_t palette[256];
    for (int i = 0; i < 256; ++i) palette[i] = (uint32_t)i * 0x010101u;  // no table: grey
    if (hd.planes == 1 && f.size() >= 128 + 769 && f[f.size() - 769] == 0x0C) {
        const unsigned char* p = f.data() + f.size() - 768;
        for (int i = 0; i < 256; ++i, p += 3)
            palette[i] = (uint32_t)p[0] << 16 | (uint32_t)p[1] << 8 | p[2];
        end = f.size() - 769;
    }
    size_t line_len = (size_t)(hd.planes * hd.line_bytes);
    Bytes line(line_len);
    size_t pos = 128;
    long long run = 0;  // a run may continue into the next scan line
    unsigned char run_value = 0;
    for (long long row = 0; row < hd.height; ++row) {
        for (size_t filled = 0; filled < line_len;) {
            if (run == 0) {
                if (pos >= end) return false;
                unsigned char b = f[pos++];
                if (hd.rle && (b & 0xC0) == 0xC0) {
                    if (pos >= end) return false;
                    run = b & 0x3F;
                    run_value = f[pos++];
                    continue;
                }
                run = 1;
                run_value = b;
            }
            line[filled++] = run_value;
            --run;
        }
        if (!row_visible(t, row)) continue;
        for (long long col = 0; col < hd.width; ++col) {
            uint32_t rgb = hd.planes == 1
                               ? palette[line[col]]
                               : (uint32_t)line[col] << 16 |
                                     (uint32_t)line[hd.line_bytes + col] << 8 |
                                     line[2 * hd.line_bytes + col];
            put_rgb(t, col, row, rgb);
        }
    }
    return true;
}

// ---- Saving ----------------------------------------------------------------------------------

// The saved region as true-colour rows.
struct Picture {
    int width, height;
    std::vector<uint32_t> rgb;
};

bool write_bytes(FILE* f, const void* p, size_t n) { return n == 0 || std::fwrite(p, 1, n, f) == n; }

bool save_bmp(const Picture& pic, FILE* f) {
    uint32_t pad = (uint32_t)pic.width % 4;
    uint32_t row_len = 3 * (uint32_t)pic.width + pad;
    unsigned char h[54] = {};
    h[0] = 'B';
    h[1] = 'M';
    put_le32(h + 2, 54 + (uint32_t)pic.height * row_len);
    put_le32(h + 10, 54);
    put_le32(h + 14, 40);
    put_le32(h + 18, (uint32_t)pic.width);
    put_le32(h + 22, (uint32_t)pic.height);
    put_le16(h + 26, 1);
    put_le16(h + 28, 24);
    bool ok = write_bytes(f, h, sizeof h);
    std::vector<unsigned char> row(row_len, 0);
    for (int y = pic.height - 1; ok && y >= 0; --y) {
        const uint32_t* p = &pic.rgb[(size_t)y * pic.width];
        for (int x = 0; x < pic.width; ++x) {
            row[3 * x] = (unsigned char)p[x];
            row[3 * x + 1] = (unsigned char)(p[x] >> 8);
            row[3 * x + 2] = (unsigned char)(p[x] >> 16);
        }
        ok = write_bytes(f, row.data(), row.size());
    }
    return ok;
}

bool save_ppm(const Picture& pic, FILE* f) {
    bool ok = std::fprintf(f, "P6\n%d %d\n255\n", pic.width, pic.height) > 0;
    std::vector<unsigned char> row((size_t)pic.width * 3);
    for (int y = 0; ok && y < pic.height; ++y) {
        const uint32_t* p = &pic.rgb[(size_t)y * pic.width];
        for (int x = 0; x < pic.width; ++x) {
            row[3 * x] = (unsigned char)(p[x] >> 16);
            row[3 * x + 1] = (unsigned char)(p[x] >> 8);
            row[3 * x + 2] = (unsigned char)p[x];
        }
        ok = write_bytes(f, row.data(), row.size());
    }
    return ok;
}

// The C identifier an XPM text declares: the file's base name without its extension.
void xpm_identifier(const char* filename, char* out, size_t size) {
    const char* base = filename;
    for (const char* p = filename; *p; ++p)
        if (*p == '/' || *p == '\\') base = p + 1;
    size_t n = 0;
    if (!std::isalpha((unsigned char)*base) && *base != '_') out[n++] = '_';
    for (const char* p = base; *p && *p != '.' && n + 1 < size; ++p)
        out[n++] = std::isalnum((unsigned char)*p) ? *p : '_';
    out[n] = 0;
}

bool save_xpm(const Picture& pic, const char* name, FILE* f) {
    static const char codes[] = ".#abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    const int max_colours = 64;
    std::vector<uint32_t> rgb = pic.rgb;
    std::unordered_map<uint32_t, int> index;
    for (uint32_t c : rgb)
        if (index.size() <= (size_t)max_colours) index.emplace(c, 0);
    if (index.size() > (size_t)max_colours) {
        std::printf("uxpxmap_savetofile_xpm warning: too many colors in truecolor-pixmap, "
                    "reducing to 64\n");
        for (uint32_t& c : rgb)  // two bits per channel: 4 x 4 x 4 colours
            c = (c >> 22 & 3) * 85 << 16 | (c >> 14 & 3) * 85 << 8 | (c >> 6 & 3) * 85;
    }
    index.clear();
    std::vector<uint32_t> colours;
    for (uint32_t c : rgb)
        if (index.emplace(c, (int)colours.size()).second) colours.push_back(c);

    char ident[256];
    xpm_identifier(name, ident, sizeof ident);
    bool ok = std::fprintf(f, "/* XPM */\nstatic char * %s[] = {\n", ident) > 0;
    ok = ok && std::fprintf(f, "\"%d %d %d 1\",\n", pic.width, pic.height, (int)colours.size()) > 0;
    for (size_t i = 0; ok && i < colours.size(); ++i) {
        char code[2] = {codes[i], 0};
        ok = std::fprintf(f, "\"%s\tc #%06X\",\n", code, (unsigned)colours[i]) > 0;
    }
    std::string row;
    for (int y = 0; ok && y < pic.height; ++y) {
        row.assign(1, '"');
        for (int x = 0; x < pic.width; ++x) row += codes[index[rgb[(size_t)y * pic.width + x]]];
        row += y + 1 < pic.height ? "\",\n" : "\"};\n";
        ok = write_bytes(f, row.data(), row.size());
    }
    return ok;
}

bool save_png(const Picture& pic, FILE* f) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    unsigned char* row = (unsigned char*)std::malloc((size_t)pic.width * 3);
    volatile bool ok = false;
    // libpng reports errors by jumping back here; nothing with a destructor lives in between.
    if (png && info && row && setjmp(png_jmpbuf(png)) == 0) {
        png_init_io(png, f);
        png_set_IHDR(png, info, (png_uint_32)pic.width, (png_uint_32)pic.height, 8,
                     PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                     PNG_FILTER_TYPE_DEFAULT);
        png_write_info(png, info);
        for (int y = 0; y < pic.height; ++y) {
            const uint32_t* p = &pic.rgb[(size_t)y * pic.width];
            for (int x = 0; x < pic.width; ++x) {
                row[3 * x] = (unsigned char)(p[x] >> 16);
                row[3 * x + 1] = (unsigned char)(p[x] >> 8);
                row[3 * x + 2] = (unsigned char)p[x];
            }
            png_write_row(png, row);
        }
        png_write_end(png, nullptr);
        ok = true;
    }
    png_destroy_write_struct(png ? &png : nullptr, info ? &info : nullptr);
    std::free(row);
    return ok;
}

int parse_int(const char* text) {
    double v = std::strtod(text, nullptr);
    return (int)std::clamp(v, -1.0e9, 1.0e9);
}

}  // namespace

bool uxpicture_parse_file(const char* file_options, uxPictureFile* pf) {
    if (!pf) return false;
    std::memset(pf, 0, sizeof *pf);
    if (!file_options) return false;
    const char* comma = std::strchr(file_options, ',');
    size_t n = comma ? (size_t)(comma - file_options) : std::strlen(file_options);
    n = std::min(n, sizeof pf->name - 1);
    std::memcpy(pf->name, file_options, n);
    pf->name[n] = 0;
    while (comma) {
        const char* start = comma + 1;
        comma = std::strchr(start, ',');
        const char* stop = comma ? comma : start + std::strlen(start);
        char token[256];
        size_t k = 0;
        for (const char* p = start; p < stop && k + 1 < sizeof token; ++p)
            if (*p != ' ' && *p != '\t') token[k++] = (char)std::tolower((unsigned char)*p);
        token[k] = 0;
        struct Key {
            const char* word;
            bool* has;
            int* value;
        } keys[] = {{"xs=", &pf->has_xs, &pf->xs},    {"width=", &pf->has_xs, &pf->xs},
                    {"ys=", &pf->has_ys, &pf->ys},    {"height=", &pf->has_ys, &pf->ys},
                    {"x=", &pf->has_x, &pf->x},       {"y=", &pf->has_y, &pf->y}};
        for (const Key& key : keys) {
            size_t len = std::strlen(key.word);
            if (std::strncmp(token, key.word, len) == 0) {
                *key.has = true;
                *key.value = parse_int(token + len);
                break;
            }
        }
    }
    return pf->name[0] != 0;
}

int uxpicture_type(const char* filename) {
    if (!filename) return 0;
    const char* dot = nullptr;
    for (const char* p = filename; *p; ++p) {
        if (*p == '.') dot = p;
        if (*p == '/' || *p == '\\') dot = nullptr;
    }
    if (!dot) return 0;
    char ext[8];
    size_t n = 0;
    for (const char* p = dot + 1; *p && n + 1 < sizeof ext; ++p)
        ext[n++] = (char)std::tolower((unsigned char)*p);
    ext[n] = 0;
    if (std::strlen(dot + 1) != n) return 0;
    static const struct {
        const char* ext;
        int type;
    } types[] = {{"png", UXPIC_PNG}, {"bmp", UXPIC_BMP},  {"xpm", UXPIC_XPM},
                 {"ppm", UXPIC_PPM}, {"pcx", UXPIC_PCX},  {"htm", UXPIC_HTML},
                 {"html", UXPIC_HTML}, {"wmf", UXPIC_WMF}, {"ps", UXPIC_PS},
                 {"pdf", UXPIC_PDF}};
    for (const auto& t : types)
        if (std::strcmp(ext, t.ext) == 0) return t.type;
    return 0;
}

bool uxpxmap_loadfromfile(uxPixmap* pm, int x, int y, const char* file_options) {
    uxPictureFile pf;
    if (!pm || !uxpicture_parse_file(file_options, &pf)) return false;
    Target t{pm, pf.has_x ? pf.x : x, pf.has_y ? pf.y : y,
             pf.has_xs ? pf.xs : (long long)UXPX_MAX_SIDE,
             pf.has_ys ? pf.ys : (long long)UXPX_MAX_SIDE};
    switch (uxpicture_type(pf.name)) {
        case UXPIC_BMP:
            return loadable_format(pm, "uxpxmap_loadfromfile_bmp") && load_bmp(t, pf.name);
        case UXPIC_PPM:
            return loadable_format(pm, "uxpxmap_loadfromfile_ppm") && load_ppm(t, pf.name);
        case UXPIC_PCX:
            return loadable_format(pm, "uxpxmap_loadfromfile_pcx") && load_pcx(t, pf.name);
        default:
            std::printf("uxgraphic_gloadintern_file: unsupported format (%s)\n", pf.name);
            return false;
    }
}

bool uxpxmap_savetofile(const uxPixmap* pm, const char* file_options) {
    uxPictureFile pf;
    if (!pm || !uxpicture_parse_file(file_options, &pf)) return false;
    int type = uxpicture_type(pf.name);
    if (type != UXPIC_BMP && type != UXPIC_PPM && type != UXPIC_XPM && type != UXPIC_PNG) {
        std::printf("uxpxmap_savetofile: unsupported format (%s)\n", pf.name);
        return false;
    }
    long long left = pf.has_x ? pf.x : 0, top = pf.has_y ? pf.y : 0;
    long long right = pf.has_xs ? left + pf.xs : pm->width;
    long long bottom = pf.has_ys ? top + pf.ys : pm->height;
    left = std::max(left, 0LL);
    top = std::max(top, 0LL);
    right = std::min(right, (long long)pm->width);
    bottom = std::min(bottom, (long long)pm->height);
    if (!pm->pixels || right <= left || bottom <= top) return false;

    Picture pic;
    pic.width = (int)(right - left);
    pic.height = (int)(bottom - top);
    pic.rgb.resize((size_t)pic.width * pic.height);
    for (int row = 0; row < pic.height; ++row)
        std::memcpy(&pic.rgb[(size_t)row * pic.width],
                    pm->pixels + (size_t)(top + row) * pm->width + left,
                    sizeof(uint32_t) * pic.width);

    // Written whole or not at all: a failed save leaves the old picture in place.
    uxAtomicFile out;
    FILE* f = uxfile_begin(&out, pf.name);
    if (!f) return false;
    bool ok = false;
    switch (type) {
        case UXPIC_BMP: ok = save_bmp(pic, f); break;
        case UXPIC_PPM: ok = save_ppm(pic, f); break;
        case UXPIC_XPM: ok = save_xpm(pic, pf.name, f); break;
        default: ok = save_png(pic, f); break;
    }
    return uxfile_finish(&out, ok);
}

bool uxpicture_size(const char* filename, int* width, int* height) {
    if (width) *width = 0;
    if (height) *height = 0;
    if (!filename) return false;
    long long w = 0, h = 0;
    int type = uxpicture_type(filename);
    if (type == UXPIC_PPM || type == UXPIC_PCX) {
        Bytes f;
        if (!read_file(filename, &f, 4096)) return false;
        if (type == UXPIC_PPM) {
            PpmHeader hd;
            if (!ppm_header(f, &hd)) return false;
            w = hd.width;
            h = hd.height;
        } else {
            PcxHeader hd;
            if (!pcx_header(f, &hd)) return false;
            w = hd.width;
            h = hd.height;
        }
    } else {
        unsigned char hd[26];
        FILE* f = std::fopen(filename, "rb");
        if (!f) return false;
        bool ok = std::fread(hd, 1, sizeof hd, f) == sizeof hd;
        std::fclose(f);
        if (!ok || hd[0] != 'B' || hd[1] != 'M') return false;
        w = (int32_t)le32(hd + 18);
        h = std::llabs((long long)(int32_t)le32(hd + 22));
    }
    if (width) *width = (int)w;
    if (height) *height = (int)h;
    return true;
}
