#include "toolkit/core/uxcfgstr.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "toolkit/drawing/uxfont.h"
#include "toolkit/core/uxlog.h"

// ---- formatting -------------------------------------------------------------------------------

void uxcfgstr_escape(const char* format, char* out, int size) {
    int n = 0;
    for (const char* p = format; *p && n < size - 1; ++p) {
        if (*p == '%' && p[1] == '%') {  // already a literal percent: keep it as it is
            if (n + 2 >= size) break;
            out[n++] = '%';
            out[n++] = '%';
            ++p;
        } else if (*p == '%' && static_cast<unsigned char>(p[1]) < '0') {
            if (n + 2 >= size) break;
            out[n++] = '%';
            out[n++] = '%';
        } else {
            out[n++] = *p;
        }
    }
    out[n] = 0;
}

char* uxcfgstr_vformat(const char* format, va_list ap) {
    char escaped[UXCFG_MAX_TEMPLATE];
    uxcfgstr_escape(format ? format : "", escaped, sizeof escaped);
    char* result = new char[UXCFG_MAX_STRING];
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
    std::vsnprintf(result, UXCFG_MAX_STRING, escaped, ap);
#pragma GCC diagnostic pop
    return result;
}

char* uxcfgstr_format(const char* format, ...) {
    va_list ap;
    va_start(ap, format);
    char* s = uxcfgstr_vformat(format, ap);
    va_end(ap);
    return s;
}

// ---- splitting --------------------------------------------------------------------------------

static char* copy_range(const char* from, size_t n) {
    char* t = new char[n + 1];
    std::memcpy(t, from, n);
    t[n] = 0;
    return t;
}

char** uxcfgstr_split(const char* text) {
    if (!text || !*text) {
        char** empty = new char*[1];
        empty[0] = nullptr;
        return empty;
    }
    int count = 1;
    for (const char* p = text; *p; ++p)
        if (*p == ',') ++count;
    char** tokens = new char*[count + 1];
    int i = 0;
    const char* start = text;
    for (const char* p = text;; ++p) {
        if (*p == ',' || *p == 0) {
            tokens[i++] = copy_range(start, static_cast<size_t>(p - start));
            if (*p == 0) break;
            start = p + 1;
        }
    }
    tokens[i] = nullptr;
    return tokens;
}

void uxcfgstr_free(char** tokens) {
    if (!tokens) return;
    for (char** t = tokens; *t; ++t) delete[] *t;
    delete[] tokens;
}

int uxcfgstr_count(char* const* tokens) {
    int n = 0;
    while (tokens && tokens[n]) ++n;
    return n;
}

// ---- matching ---------------------------------------------------------------------------------

static void blank_free(const char* token, char* out, int size) {
    int n = 0;
    for (const char* p = token; *p && n < size - 1; ++p)
        if (*p != ' ' && *p != '\t') out[n++] = *p;
    out[n] = 0;
}

static bool keyword_matches(const char* squeezed, const char* keyword) {
    size_t k = std::strlen(keyword);
    if (k > 0 && keyword[k - 1] == '=') return strncasecmp(squeezed, keyword, k) == 0;
    return strcasecmp(squeezed, keyword) == 0;
}

int uxcfgstr_find_any(char* const* tokens, int first, const char* const* keywords, int* which) {
    if (!tokens) return -1;
    int n = uxcfgstr_count(tokens);
    char squeezed[UXCFG_MAX_STRING];
    for (int i = first; i < n; ++i) {
        if (!tokens[i][0]) continue;
        blank_free(tokens[i], squeezed, sizeof squeezed);
        for (int k = 0; keywords[k]; ++k) {
            if (keyword_matches(squeezed, keywords[k])) {
                if (which) *which = k;
                return i;
            }
        }
    }
    return -1;
}

int uxcfgstr_find(char* const* tokens, int first, const char* keyword) {
    const char* list[2] = {keyword, nullptr};
    return uxcfgstr_find_any(tokens, first, list, nullptr);
}

void uxcfgstr_claim(char** tokens, int index, char* value, int size) {
    if (value && size > 0) {
        char squeezed[UXCFG_MAX_STRING];
        blank_free(tokens[index], squeezed, sizeof squeezed);
        const char* eq = std::strchr(squeezed, '=');
        std::snprintf(value, static_cast<size_t>(size), "%s", eq ? eq + 1 : "");
    }
    tokens[index][0] = 0;
}

bool uxcfgstr_take(char** tokens, int first, const char* const* keywords, char* value, int size,
                   int* which) {
    int i = uxcfgstr_find_any(tokens, first, keywords, which);
    if (i < 0) return false;
    uxcfgstr_claim(tokens, i, value, size);
    return true;
}

// ---- numbers ----------------------------------------------------------------------------------

double uxcfgstr_number(const char* text, const char** end) {
    const char* p = text;
    const char* digits_end = text;
    double sign = 1.0;
    if (*p == '+' || *p == '-') {
        if (*p == '-') sign = -1.0;
        ++p;
    }
    double value = 0.0;
    bool any = false;
    while (std::isdigit(static_cast<unsigned char>(*p))) {
        value = value * 10.0 + (*p - '0');
        ++p;
        any = true;
        digits_end = p;
    }
    if (*p == '.') {
        ++p;
        double scale = 0.1;
        while (std::isdigit(static_cast<unsigned char>(*p))) {
            value += (*p - '0') * scale;
            scale *= 0.1;
            ++p;
            any = true;
            digits_end = p;
        }
    }
    if (any && (*p == 'e' || *p == 'E')) {
        const char* q = p + 1;
        int esign = 1;
        if (*q == '+' || *q == '-') {
            if (*q == '-') esign = -1;
            ++q;
        }
        if (std::isdigit(static_cast<unsigned char>(*q))) {
            int e = 0;
            while (std::isdigit(static_cast<unsigned char>(*q))) {
                if (e < 400) e = e * 10 + (*q - '0');
                ++q;
            }
            value *= std::pow(10.0, esign * e);
            digits_end = q;
        }
    }
    if (!any) {
        if (end) *end = text;
        return 0.0;
    }
    if (end) *end = digits_end;
    // Re-read with strtod for exact rounding of the digits we accepted.
    char buf[128];
    size_t n = static_cast<size_t>(digits_end - text);
    if (n < sizeof buf) {
        std::memcpy(buf, text, n);
        buf[n] = 0;
        return std::strtod(buf, nullptr);
    }
    return sign * value;
}

int uxcfgstr_int(double value, int lo, int hi) {
    if (std::isnan(value)) value = 0;
    if (value <= lo) return lo;
    if (value >= hi) return hi;
    return static_cast<int>(value);
}

int uxcfgstr_read_int(const char* text, int lo, int hi) {
    return uxcfgstr_int(uxcfgstr_number(text), lo, hi);
}

// ---- geometry ---------------------------------------------------------------------------------

enum GeoKind { G_SIZEPIX, G_XSIZEPIX, G_YSIZEPIX, G_POSPIX, G_XPOSPIX, G_YPOSPIX, G_MINXS, G_MINYS,
               G_MAXXS, G_MAXYS, G_XS, G_YS, G_X, G_Y };

struct GeoKeyword {
    const char* word;
    GeoKind kind;
};

static const GeoKeyword geometry_table[] = {
    {"sizepixel", G_SIZEPIX},       {"sizepix", G_SIZEPIX},
    {"xsizepixel", G_XSIZEPIX},     {"xsizepix", G_XSIZEPIX},
    {"ysizepixel", G_YSIZEPIX},     {"ysizepix", G_YSIZEPIX},
    {"pospixel", G_POSPIX},         {"positionpixel", G_POSPIX},   {"pospix", G_POSPIX},
    {"xpositionpixel", G_XPOSPIX},  {"xpospixel", G_XPOSPIX},      {"xpospix", G_XPOSPIX},
    {"ypospixel", G_YPOSPIX},       {"ypositionpixel", G_YPOSPIX}, {"ypospix", G_YPOSPIX},
    {"minxsize=", G_MINXS},         {"minxs=", G_MINXS},
    {"minysize=", G_MINYS},         {"minys=", G_MINYS},
    {"maxxsize=", G_MAXXS},         {"maxxs=", G_MAXXS},
    {"maxysize=", G_MAXYS},         {"maxys=", G_MAXYS},
    {"xs=", G_XS},                  {"width=", G_XS},
    {"ys=", G_YS},                  {"height=", G_YS},
    {"x=", G_X},
    {"y=", G_Y},
};

// Reads "value with unit": the flag becomes false for percent, true for pixels, else unchanged.
static double value_with_unit(const char* value, bool* pixel_flag) {
    const char* end = nullptr;
    double v = uxcfgstr_number(value, &end);
    if (end && *end) {
        if (!strcasecmp(end, "%") || !strcasecmp(end, "percent")) *pixel_flag = false;
        else if (!strcasecmp(end, "pix") || !strcasecmp(end, "pixel")) *pixel_flag = true;
    }
    return v;
}

void uxcfgstr_geometry(char** tokens, int first, uxLayout* l) {
    if (!tokens) return;
    int n = uxcfgstr_count(tokens);
    char squeezed[UXCFG_MAX_STRING];
    for (int i = first; i < n; ++i) {
        if (!tokens[i][0]) continue;
        blank_free(tokens[i], squeezed, sizeof squeezed);
        for (const GeoKeyword& g : geometry_table) {
            if (!keyword_matches(squeezed, g.word)) continue;
            const char* eq = std::strchr(squeezed, '=');
            const char* value = eq ? eq + 1 : "";
            switch (g.kind) {
                case G_SIZEPIX: l->xs_pixel = l->ys_pixel = true; break;
                case G_XSIZEPIX: l->xs_pixel = true; break;
                case G_YSIZEPIX: l->ys_pixel = true; break;
                case G_POSPIX: l->x_pixel = l->y_pixel = true; break;
                case G_XPOSPIX: l->x_pixel = true; break;
                case G_YPOSPIX: l->y_pixel = true; break;
                case G_MINXS: l->minxs = uxcfgstr_read_int(value, 0, UXCFG_MAX_PIXELS); break;
                case G_MINYS: l->minys = uxcfgstr_read_int(value, 0, UXCFG_MAX_PIXELS); break;
                case G_MAXXS: l->maxxs = uxcfgstr_read_int(value, 0, UXCFG_MAX_PIXELS); break;
                case G_MAXYS: l->maxys = uxcfgstr_read_int(value, 0, UXCFG_MAX_PIXELS); break;
                case G_XS: l->xs = value_with_unit(value, &l->xs_pixel); break;
                case G_YS: l->ys = value_with_unit(value, &l->ys_pixel); break;
                case G_X:
                    l->x = value_with_unit(value, &l->x_pixel);
                    l->x_corner = l->x_pixel;
                    break;
                case G_Y:
                    l->y = value_with_unit(value, &l->y_pixel);
                    l->y_corner = l->y_pixel;
                    break;
            }
            tokens[i][0] = 0;
            break;
        }
    }
}

// ---- border, font, focus ----------------------------------------------------------------------

int uxcfgstr_border(char** tokens, int first, int fallback) {
    static const char* const words[] = {"border", "border=", "noborder", nullptr};
    int which = -1;
    char value[64];
    if (!uxcfgstr_take(tokens, first, words, value, sizeof value, &which)) return fallback;
    if (which == 0) return 2;
    if (which == 1) return uxcfgstr_read_int(value, 0, UXCFG_MAX_PIXELS / 2);
    return 0;
}

struct FontName {
    const char* name;
    const char* table_name;
};

static const FontName builtin_font_names[] = {
    {"6x13", "builtin 6x13"},          {"6x13b", "builtin 6x13 bold"},
    {"6x13bold", "builtin 6x13 bold"}, {"9x15", "builtin 9x15"},
    {"9x15b", "builtin 9x15 bold"},    {"9x15bold", "builtin 9x15 bold"},
    {"8x16", "builtin 8x16"},          {"8x16b", "builtin 8x16 bold"},
    {"8x16bold", "builtin 8x16 bold"}, {"12x24", "builtin 12x24"},
    {"5x7", "builtin 5x7"},            {"8x8", "builtin 8x8"},
    {"var13", "builtin variable 13"},  {"variable13", "builtin variable 13"},
    {"13var", "builtin variable 13"},  {"13variable", "builtin variable 13"},
};

int uxcfgstr_font(char** tokens, int first, int fallback) {
    static const char* const words[] = {"font=", "fontid=", nullptr};
    int which = -1;
    char value[256];
    if (!uxcfgstr_take(tokens, first, words, value, sizeof value, &which)) return fallback;
    if (which == 1) return uxcfgstr_read_int(value, -1, UXCFG_MAX_COUNT);
    for (const FontName& f : builtin_font_names) {
        if (strcasecmp(value, f.name) == 0) {
            int id = uxfont_builtin(f.table_name);
            if (id >= 0) return id;
            break;
        }
    }
    uxlog("font not loaded/found: %s\n", value);
    return fallback;
}

bool uxcfgstr_nokeyfocus(char** tokens, int first) {
    static const char* const words[] = {"nokeyfocus", nullptr};
    return uxcfgstr_take(tokens, first, words);
}

// ---- colours ----------------------------------------------------------------------------------

struct ColourName {
    const char* name;
    int value;
};

static const ColourName colour_names[] = {
    {"black", 0x000000},     {"blue", 0x000080},        {"green", 0x008000},
    {"cyan", 0x008080},      {"red", 0x800000},         {"magenta", 0x800080},
    {"brown", 0x808000},     {"lightgrey", 0xC0C0C0},   {"darkgrey", 0x808080},
    {"lightblue", 0x0000FF}, {"lightgreen", 0x00FF00},  {"lightcyan", 0x00FFFF},
    {"lightred", 0xFF0000},  {"lightmagenta", 0xFF00FF}, {"yellow", 0xFFFF00},
    {"white", 0xFFFFFF},
};

static int read_hex(const char* p) {
    unsigned value = 0;
    for (; std::isxdigit(static_cast<unsigned char>(*p)); ++p) {
        int c = std::tolower(static_cast<unsigned char>(*p));
        value = value * 16 + static_cast<unsigned>(c <= '9' ? c - '0' : c - 'a' + 10);
    }
    return static_cast<int>(value);
}

bool uxcfgstr_color(const char* value, int* colour) {
    if (!value || !*value) return false;
    if (value[0] == '0' && (value[1] == 'x' || value[1] == 'X')) {
        *colour = read_hex(value + 2);
        return true;
    }
    for (const ColourName& c : colour_names) {
        if (strcasecmp(value, c.name) == 0) {
            *colour = c.value;
            return true;
        }
    }
    *colour = read_hex(value);
    return true;
}

bool uxcfgstr_take_color(char** tokens, int first, const char* const* keywords, int* colour) {
    char value[256];
    if (!uxcfgstr_take(tokens, first, keywords, value, sizeof value)) return false;
    return uxcfgstr_color(value, colour);
}

// ---- lists ------------------------------------------------------------------------------------

char** uxcfgstr_list(char** tokens, int first, const char* const* keywords) {
    int i = uxcfgstr_find_any(tokens, first, keywords, nullptr);
    if (i < 0) return nullptr;
    // Entries keep their blanks: cut from the token as written, after its first '='.
    const char* eq = std::strchr(tokens[i], '=');
    const char* value = eq ? eq + 1 : "";
    int count = 1;
    for (const char* p = value; *p; ++p)
        if (*p == '|') ++count;
    char** list = new char*[count + 1];
    int k = 0;
    const char* start = value;
    for (const char* p = value;; ++p) {
        if (*p == '|' || *p == 0) {
            list[k++] = copy_range(start, static_cast<size_t>(p - start));
            if (*p == 0) break;
            start = p + 1;
        }
    }
    list[k] = nullptr;
    tokens[i][0] = 0;
    return list;
}

// ---- layout -----------------------------------------------------------------------------------

// Pixels from a computed position or size, kept to what a screen can hold.
static int pixels(double v) { return uxcfgstr_int(v, -UXCFG_MAX_PIXELS, UXCFG_MAX_PIXELS); }

static int extent(double pos, double size, bool size_pixel, bool corner, int parent) {
    if (size_pixel) return pixels(size);
    if (corner) return pixels(std::trunc(parent * size / 100.0));
    double d = pos - size / 2.0;  // left edge in percent
    return pixels(std::trunc(parent * (size + d) / 100.0)) - pixels(std::trunc(parent * d / 100.0));
}

static int origin(double pos, int size, bool pos_pixel, bool corner, bool size_pixel, int parent) {
    if (pos_pixel) return pixels(pos);
    if (corner) return pixels(std::trunc(parent * pos / 100.0));
    if (size_pixel) return pixels(std::trunc(parent * pos / 100.0 - size / 2));
    return pixels(std::trunc(parent * pos / 100.0) - size / 2);
}

void uxlayout_compute(uxLayout* l) {
    int w = extent(l->x, l->xs, l->xs_pixel, l->x_corner, l->parent_width);
    if (w > l->parent_width) w = l->parent_width;
    int h = extent(l->y, l->ys, l->ys_pixel, l->y_corner, l->parent_height);
    if (h > l->parent_height) h = l->parent_height;
    if (w < l->minxs) w = l->minxs;
    if (h < l->minys) h = l->minys;
    if (l->maxxs != 0 && w > l->maxxs) w = l->maxxs;
    if (l->maxys != 0 && h > l->maxys) h = l->maxys;
    l->width = w < 0 ? 0 : w > UXCFG_MAX_PIXELS ? UXCFG_MAX_PIXELS : w;
    l->height = h < 0 ? 0 : h > UXCFG_MAX_PIXELS ? UXCFG_MAX_PIXELS : h;
    w = l->width;
    h = l->height;
    l->left = origin(l->x, w, l->x_pixel, l->x_corner, l->xs_pixel, l->parent_width);
    l->top = origin(l->y, h, l->y_pixel, l->y_corner, l->ys_pixel, l->parent_height);
}
