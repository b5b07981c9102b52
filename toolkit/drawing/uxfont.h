#pragma once
// Bitmap fonts. A font is a text of header lines and glyph rows; loading parses it into the font
// table under a name, and the font is then addressed by a font id from the toolkit's id counter
// (1000000 and up) or by its table index. The built-in and application fonts are texts embedded
// into the program and loaded on first use.
//
// Font ids as every query resolves them: -1 and -3 are the default font "builtin 6x13", -2 is
// "builtin variable 13", values above 999999 are font ids, other values are table indexes.
// Anything not found is no font: widths and heights are 0 and nothing is drawn.
//
// Characters are Latin-1 bytes; glyphs cover codes 32..255 (or 32..254 for 223 glyphs).

#include <cstdint>

struct uxPixmap;

enum { UXFONT_FIRST_CHAR = 32, UXFONT_MAX_GLYPHS = 224, UXFONT_NAME_MAX = 63 };
enum { UXFONT_DEFAULT = -1, UXFONT_VARIABLE = -2, UXFONT_DEFAULT_ALT = -3 };
enum { UXFONT_ENGRAVED = 1, UXFONT_UNDERLINE = 2 };

struct uxFont {
    bool in_use = false;
    char table_name[UXFONT_NAME_MAX + 1] = {};
    char name[UXFONT_NAME_MAX + 1] = {};     // the font's own "name=" value
    char foundry[UXFONT_NAME_MAX + 1] = {};
    bool proportional = false;
    int xsize = 0, ysize = 0, ascent = 0, descent = 0;
    int slant = 0, weight = 0, width = 0, pts = 0;
    int data_size = 0;
    unsigned char* data = nullptr;           // one byte per pixel, 1 ink, glyph after glyph
    int offsets[UXFONT_MAX_GLYPHS] = {};
    int widths[UXFONT_MAX_GLYPHS] = {};
    int glyph_count = 0;
    int id = -1;
};

// Parses a font text into `font` (which it owns afterwards; free with uxfont_free).
// False when the text has no header or no usable height.
bool uxfont_parse(const char* text, uxFont* font);
void uxfont_free(uxFont* font);

// Enters a font text under `table_name` unless a font already has that name; returns its id,
// or -1 when the name is empty or the text does not parse.
int uxfont_load(const char* text, const char* table_name);
// The same with the table name taken from the text's "name=" line.
int uxfont_load_user(const char* text);
// Table index of the font entered under `table_name`, or -1.
int uxfont_find(const char* table_name);
// A built-in font by table name ("builtin 9x15 bold"), loaded on first use; its id or -1.
int uxfont_builtin(const char* table_name);
// An application font by short name ("arial14" .. "crnew20", any case); its id or -1.
int uxfont_application(const char* short_name);
// The embedded font text with the given file stem ("Arial36"), or nullptr.
const char* uxfont_embedded_text(const char* stem);

// The font a font id or table index stands for, or nullptr.
const uxFont* uxfont_get(int font);
int uxfont_count();        // table entries
void uxfont_unload_all();  // empties the table (tests, shutdown)

int uxfont_height(int font);
int uxfont_ascent(int font);
int uxfont_descent(int font);
int uxfont_char_width(int font, int c);
int uxfont_text_width(int font, const char* text);
// Glyph pixels (ysize rows of *width bytes) of character c, or nullptr when it has none.
const unsigned char* uxfont_glyph(int font, int c, int* width);

// Draws one character with its top-left corner at (x, y) and returns its advance. `bg` -1
// leaves the background; engraved draws the ink at (x+1, y+1) in `light`, then at (x, y) in
// `shadow`; underline adds a line on the glyph's last row.
int uxfont_draw_char(uxPixmap* pm, int font, int x, int y, int c, int colour, int bg, int style,
                     int light, int shadow);
// Draws a text with transparent background; '\n' returns to x one font height lower.
// Returns the width of the widest line.
int uxfont_draw_text(uxPixmap* pm, int font, int x, int y, const char* text, int colour);
