#include "toolkit/drawing/uxfont.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <new>
#include <vector>

#include "toolkit/drawing/uxfont_embedded.h"
#include "toolkit/core/uxid.h"
#include "toolkit/core/uxlog.h"
#include "toolkit/drawing/uxpixmap.h"

namespace {

// Limits that keep a damaged font text from asking for absurd amounts of memory.
const int MAX_YSIZE = 256;
const int MAX_GLYPH_WIDTH = 256;

// Fonts live for the whole program; the table is never destroyed, so nothing is freed in an
// unpredictable order at exit (uxfont_unload_all empties it explicitly).
std::vector<uxFont*>& font_table = *new std::vector<uxFont*>;
int default_font_id = -1;   // "builtin 6x13" once loaded
int variable_font_id = -1;  // "builtin variable 13" once loaded

struct NamePair {
    const char* name;
    const char* stem;
};

const NamePair builtin_fonts[] = {
    {"builtin 6x13", "builtin_6x13"},
    {"builtin variable 13", "builtin_variable_13"},
    {"builtin 8x16", "builtin_8x16"},
    {"builtin 8x16 bold", "builtin_8x16_bold"},
    {"builtin 9x15", "builtin_9x15"},
    {"builtin 9x15 bold", "builtin_9x15_bold"},
    {"builtin 12x24", "builtin_12x24"},
};

const NamePair application_fonts[] = {
    {"arial14", "Arial14"},   {"arial16", "Arial16"},   {"arial18", "Arial18"},
    {"arial18b", "Arial18b"}, {"arial20", "Arial20"},   {"arial20b", "Arial20b"},
    {"arial24", "Arial24"},   {"arial36b", "Arial36b"}, {"arial48", "Arial48"},
    {"crnew16", "CourierNew16"}, {"crnew18", "CourierNew18"}, {"crnew20", "CourierNew20"},
};

// One line of a font text: [begin, end) without the line break.
struct Line {
    const char* begin;
    const char* end;
};

// Steps through the lines of a text; false at its end.
bool next_line(const char** cursor, Line* line) {
    const char* p = *cursor;
    if (!p || !*p) return false;
    const char* e = p;
    while (*e && *e != '\n') ++e;
    line->begin = p;
    line->end = (e > p && e[-1] == '\r') ? e - 1 : e;
    *cursor = *e ? e + 1 : e;
    return true;
}

// The value after `key` when the line starts with it (case-sensitive), else nullptr.
const char* key_value(const Line& line, const char* key) {
    size_t n = std::strlen(key);
    if ((size_t)(line.end - line.begin) < n || std::strncmp(line.begin, key, n) != 0) return nullptr;
    return line.begin + n;
}

bool line_is(const Line& line, const char* word) {
    size_t n = std::strlen(word);
    return (size_t)(line.end - line.begin) == n && std::strncmp(line.begin, word, n) == 0;
}

int read_int(const char* p, const char* end) {
    char buffer[32];
    size_t n = std::min((size_t)(end - p), sizeof buffer - 1);
    std::memcpy(buffer, p, n);
    buffer[n] = 0;
    long v = std::strtol(buffer, nullptr, 10);
    return (int)std::clamp(v, -1000000L, 1000000L);
}

void copy_text(char* out, const char* p, const char* end) {
    size_t n = std::min((size_t)(end - p), (size_t)UXFONT_NAME_MAX);
    std::memcpy(out, p, n);
    out[n] = 0;
}

// Reads the blank-separated list after "propxs=": the first number, then the number after
// each further blank, one per glyph. Entries the list lacks keep their value.
void read_list(const char* p, const char* end, int* values, int count) {
    for (int i = 0; i < count && p < end; ++i) {
        values[i] = read_int(p, end);
        while (p < end && *p != ' ') ++p;
        if (p < end) ++p;
    }
}

// Table names are kept to 63 characters; lookups cut the asked name the same way.
void table_key(const char* name, char* out) {
    std::strncpy(out, name, UXFONT_NAME_MAX);
    out[UXFONT_NAME_MAX] = 0;
}

uxFont* font_by_id(int id) {
    for (uxFont* f : font_table)
        if (f->in_use && f->id == id) return f;
    return nullptr;
}

uxFont* resolve(int font) {
    if (font == UXFONT_DEFAULT || font == UXFONT_DEFAULT_ALT) {
        if (default_font_id < 0) default_font_id = uxfont_builtin("builtin 6x13");
        return default_font_id < 0 ? nullptr : font_by_id(default_font_id);
    }
    if (font == UXFONT_VARIABLE) {
        if (variable_font_id < 0) variable_font_id = uxfont_builtin("builtin variable 13");
        return variable_font_id < 0 ? nullptr : font_by_id(variable_font_id);
    }
    if (font > 999999) return font_by_id(font);
    if (font >= 0 && font < (int)font_table.size() && font_table[font]->in_use)
        return font_table[font];
    return nullptr;
}

// Glyph index of a character, or -1. Signed chars that reach here are taken as their bytes.
int glyph_index(const uxFont* f, int c) {
    if (c < 0 && c >= -128) c += 256;
    int g = c - UXFONT_FIRST_CHAR;
    return (g >= 0 && g < f->glyph_count) ? g : -1;
}

void draw_ink(uxPixmap* pm, const uxFont* f, int g, int x, int y, int colour, bool underline) {
    const unsigned char* p = f->data + f->offsets[g];
    int w = f->widths[g];
    // A glyph wholly outside the pixmap sets no pixel: skipped without visiting them.
    if (x >= pm->width || y >= pm->height || static_cast<long long>(x) + w <= 0 ||
        static_cast<long long>(y) + f->ysize <= 0)
        return;
    for (int row = 0; row < f->ysize; ++row)
        for (int col = 0; col < w; ++col)
            if (p[row * w + col]) uxpxmap_setpixel(pm, x + col, y + row, colour);
    if (underline)
        for (int col = 0; col < w; ++col) uxpxmap_setpixel(pm, x + col, y + f->ysize - 1, colour);
}

}  // namespace

bool uxfont_parse(const char* text, uxFont* font) {
    if (!text || !font) return false;
    *font = uxFont{};
    for (int& w : font->widths) w = -1;  // -1: not in the width list
    font->glyph_count = UXFONT_MAX_GLYPHS;
    bool has_data = false;

    const char* cursor = text;
    Line line;
    while (next_line(&cursor, &line)) {
        const char* v;
        if (line_is(line, "data:")) {
            has_data = true;
            break;
        } else if ((v = key_value(line, "name="))) {
            copy_text(font->name, v, line.end);
        } else if ((v = key_value(line, "propxs="))) {
            read_list(v, line.end, font->widths, UXFONT_MAX_GLYPHS);
        } else if (key_value(line, "propdataoffset=")) {
            // The offsets follow from the widths; the list itself is not trusted.
        } else if (key_value(line, "proportional")) {
            font->proportional = true;
        } else if (key_value(line, "monospace")) {
            font->proportional = false;
        } else if ((v = key_value(line, "xsize="))) {
            font->xsize = read_int(v, line.end);
        } else if ((v = key_value(line, "ysize="))) {
            font->ysize = read_int(v, line.end);
        } else if ((v = key_value(line, "chars="))) {
            font->glyph_count = std::clamp(read_int(v, line.end), 0, (int)UXFONT_MAX_GLYPHS);
        } else if ((v = key_value(line, "ascent="))) {
            font->ascent = read_int(v, line.end);
        } else if ((v = key_value(line, "descent="))) {
            font->descent = read_int(v, line.end);
        } else if ((v = key_value(line, "slant="))) {
            font->slant = read_int(v, line.end);
        } else if ((v = key_value(line, "weight="))) {
            font->weight = read_int(v, line.end);
        } else if ((v = key_value(line, "width="))) {
            font->width = read_int(v, line.end);
        } else if ((v = key_value(line, "pts="))) {
            font->pts = read_int(v, line.end);
        } else if ((v = key_value(line, "foundry="))) {
            copy_text(font->foundry, v, line.end);
        }
    }
    if (!has_data || font->ysize <= 0 || font->ysize > MAX_YSIZE) {
        *font = uxFont{};
        return false;
    }

    long long total = 0;
    for (int g = 0; g < UXFONT_MAX_GLYPHS; ++g) {
        int& w = font->widths[g];
        if (w < 0) w = font->xsize;
        w = g < font->glyph_count ? std::clamp(w, 0, MAX_GLYPH_WIDTH) : 0;
        font->offsets[g] = (int)total;
        total += (long long)w * font->ysize;
    }
    font->data_size = (int)total;
    font->data = new (std::nothrow) unsigned char[total > 0 ? total : 1]();
    if (!font->data) {
        *font = uxFont{};
        return false;
    }

    font->in_use = true;

    // Glyph rows: ysize lines per glyph; missing lines or characters are background.
    for (int g = 0; g < font->glyph_count; ++g) {
        unsigned char* out = font->data + font->offsets[g];
        int w = font->widths[g];
        for (int row = 0; row < font->ysize; ++row) {
            if (!next_line(&cursor, &line)) return true;
            int n = std::min(w, (int)(line.end - line.begin));
            for (int col = 0; col < n; ++col) out[row * w + col] = line.begin[col] == '*';
        }
    }
    return true;
}

void uxfont_free(uxFont* font) {
    if (!font) return;
    delete[] font->data;
    *font = uxFont{};
}

int uxfont_find(const char* table_name) {
    if (!table_name) return -1;
    char key[UXFONT_NAME_MAX + 1];
    table_key(table_name, key);
    for (size_t i = 0; i < font_table.size(); ++i)
        if (font_table[i]->in_use && std::strcmp(font_table[i]->table_name, key) == 0) return (int)i;
    return -1;
}

int uxfont_load(const char* text, const char* table_name) {
    if (!text || !table_name || !*table_name) return -1;
    int existing = uxfont_find(table_name);
    if (existing >= 0) return font_table[existing]->id;
    uxlog("load font \"%s\"\n", table_name);
    uxFont* font = new (std::nothrow) uxFont;
    if (!font) return -1;
    if (!uxfont_parse(text, font)) {
        delete font;
        return -1;
    }
    font->in_use = true;
    table_key(table_name, font->table_name);
    font->id = uxid_new();
    font_table.push_back(font);
    uxlog("Font ID=%d idx=%d added\n", font->id, (int)font_table.size() - 1);
    return font->id;
}

int uxfont_load_user(const char* text) {
    if (!text) return -1;
    char name[UXFONT_NAME_MAX + 1] = {};
    const char* cursor = text;
    Line line;
    while (next_line(&cursor, &line) && !line_is(line, "data:")) {
        if (const char* v = key_value(line, "name=")) {
            copy_text(name, v, line.end);
            break;
        }
    }
    uxlog("load user font: %s\n", name);
    return uxfont_load(text, name);
}

const char* uxfont_embedded_text(const char* stem) {
    if (!stem) return nullptr;
    for (int i = 0; i < uxEmbeddedFontCount; ++i)
        if (std::strcmp(uxEmbeddedFonts[i].stem, stem) == 0) return uxEmbeddedFonts[i].text;
    return nullptr;
}

int uxfont_builtin(const char* table_name) {
    if (!table_name) return -1;
    int existing = uxfont_find(table_name);
    if (existing >= 0) return font_table[existing]->id;
    for (const NamePair& b : builtin_fonts)
        if (std::strcmp(b.name, table_name) == 0) {
            const char* text = uxfont_embedded_text(b.stem);
            return text ? uxfont_load(text, table_name) : -1;
        }
    return -1;
}

int uxfont_application(const char* short_name) {
    if (!short_name) return -1;
    for (const NamePair& a : application_fonts) {
        size_t n = std::strlen(a.name);
        if (std::strlen(short_name) != n) continue;
        bool same = true;
        for (size_t i = 0; i < n && same; ++i)
            same = std::tolower((unsigned char)short_name[i]) == a.name[i];
        if (!same) continue;
        const char* text = uxfont_embedded_text(a.stem);
        return text ? uxfont_load_user(text) : -1;
    }
    return -1;
}

const uxFont* uxfont_get(int font) { return resolve(font); }

int uxfont_count() { return (int)font_table.size(); }

void uxfont_unload_all() {
    for (uxFont* f : font_table) {
        uxfont_free(f);
        delete f;
    }
    font_table.clear();
    default_font_id = variable_font_id = -1;
}

int uxfont_height(int font) {
    const uxFont* f = resolve(font);
    return f ? f->ysize : 0;
}

int uxfont_ascent(int font) {
    const uxFont* f = resolve(font);
    return f ? f->ascent : 0;
}

int uxfont_descent(int font) {
    const uxFont* f = resolve(font);
    return f ? f->descent : 0;
}

int uxfont_char_width(int font, int c) {
    const uxFont* f = resolve(font);
    if (!f) return 0;
    int g = glyph_index(f, c);
    return g < 0 ? 0 : f->widths[g];
}

int uxfont_text_width(int font, const char* text) {
    const uxFont* f = resolve(font);
    if (!f || !text) return 0;
    int sum = 0;
    for (const unsigned char* p = (const unsigned char*)text; *p; ++p) {
        int g = glyph_index(f, *p);
        if (g >= 0) sum += f->widths[g];
    }
    return sum;
}

const unsigned char* uxfont_glyph(int font, int c, int* width) {
    const uxFont* f = resolve(font);
    int g = f ? glyph_index(f, c) : -1;
    if (width) *width = g < 0 ? 0 : f->widths[g];
    return g < 0 ? nullptr : f->data + f->offsets[g];
}

int uxfont_draw_char(uxPixmap* pm, int font, int x, int y, int c, int colour, int bg, int style,
                     int light, int shadow) {
    const uxFont* f = resolve(font);
    if (!f) return 0;
    int g = glyph_index(f, c);
    if (g < 0) return 0;
    int w = f->widths[g];
    if (!pm) return w;
    if (bg >= 0) uxpxmap_fillrect(pm, x, y, w, f->ysize, bg);
    bool underline = (style & UXFONT_UNDERLINE) != 0;
    if (style & UXFONT_ENGRAVED) {
        draw_ink(pm, f, g, x + 1, y + 1, light, underline);
        draw_ink(pm, f, g, x, y, shadow, underline);
    } else {
        draw_ink(pm, f, g, x, y, colour, underline);
    }
    return w;
}

int uxfont_draw_text(uxPixmap* pm, int font, int x, int y, const char* text, int colour) {
    const uxFont* f = resolve(font);
    if (!f || !text) return 0;
    int pen = x, widest = 0;
    for (const unsigned char* p = (const unsigned char*)text; *p; ++p) {
        if (*p == '\n') {
            pen = x;
            y += f->ysize;
            continue;
        }
        pen += uxfont_draw_char(pm, font, pen, y, *p, colour, -1, 0, 0, 0);
        widest = std::max(widest, pen - x);
    }
    return widest;
}
