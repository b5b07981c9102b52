#pragma once
// Property strings: a printf-formatted text of comma-separated tokens that configures every
// window and widget, and the layout of a widget's rectangle from its geometry keywords.

#include <cstdarg>

struct uxLayout {
    double x = 0, y = 0, xs = 0, ys = 0;          // as written in the string
    int minxs = 0, minys = 0, maxxs = 0, maxys = 0;  // pixel limits, 0 = none
    bool x_pixel = true, y_pixel = true, xs_pixel = true, ys_pixel = true;
    bool x_corner = true, y_corner = true;        // false: the value is the centre
    int parent_width = 0, parent_height = 0;
    int left = 0, top = 0, width = 0, height = 0;  // results in pixels
};

enum { UXCFG_MAX_STRING = 8192, UXCFG_MAX_TEMPLATE = 2000 };

// Doubles every '%' followed by a character below '0' (or the end), then formats. The result is
// allocated with new[] and at most 8191 characters long.
char* uxcfgstr_vformat(const char* format, va_list ap);
char* uxcfgstr_format(const char* format, ...);
void uxcfgstr_escape(const char* format, char* out, int size);

// A nullptr-terminated array of separately allocated tokens; an empty string gives an empty list.
char** uxcfgstr_split(const char* text);
void uxcfgstr_free(char** tokens);
int uxcfgstr_count(char* const* tokens);

// Matching works on a copy without blanks and tabs, case-insensitively. A keyword ending in '='
// matches every token that begins with it; the value is the rest of the blank-free token.
// Returns the index of the first unclaimed matching token at or after `first`, or -1.
int uxcfgstr_find(char* const* tokens, int first, const char* keyword);
// The same over a nullptr-terminated list of keywords, first token order then keyword order:
// the first token matching any keyword wins.
int uxcfgstr_find_any(char* const* tokens, int first, const char* const* keywords, int* which);
// Claims (blanks) a token and copies its blank-free value after the first '=' into `value`.
void uxcfgstr_claim(char** tokens, int index, char* value, int size);

// Claims the first token matching one of the keywords; true if found. Value optional.
bool uxcfgstr_take(char** tokens, int first, const char* const* keywords, char* value = nullptr,
                   int size = 0, int* which = nullptr);

// Decimal reading that stops at the first character not part of a number; no number reads 0.
double uxcfgstr_number(const char* text, const char** end = nullptr);

// What a screen can hold: positions and sizes from property strings are kept within
// +-UXCFG_MAX_PIXELS, so that sums of a few of them stay far from the int range; counts (lines,
// lengths, digits) within +-UXCFG_MAX_COUNT, for the widgets to narrow further.
enum { UXCFG_MAX_PIXELS = 8192, UXCFG_MAX_COUNT = 1 << 30 };
// A number as an int: truncated towards 0 and kept within [lo, hi] (nan counts as 0).
int uxcfgstr_int(double value, int lo, int hi);
// uxcfgstr_number of the text, as uxcfgstr_int.
int uxcfgstr_read_int(const char* text, int lo, int hi);

void uxcfgstr_geometry(char** tokens, int first, uxLayout* layout);
// Returns the border width chosen by "border", "border=N" or "noborder", or `fallback`.
int uxcfgstr_border(char** tokens, int first, int fallback);
// Returns the font id chosen by "fontid=" or "font=", or `fallback`.
int uxcfgstr_font(char** tokens, int first, int fallback);
// Claims "nokeyfocus"; true if present.
bool uxcfgstr_nokeyfocus(char** tokens, int first);
// Reads a colour value: "0x" hex, one of sixteen names, or bare hex. False leaves *colour.
bool uxcfgstr_color(const char* value, int* colour);
// Claims the first token matching one of the colour keywords and sets *colour from it.
bool uxcfgstr_take_color(char** tokens, int first, const char* const* keywords, int* colour);

// Splits the value of a list keyword ("entries=", "tabs=") at '|', keeping blanks.
// Returns a nullptr-terminated list (free with uxcfgstr_free), or nullptr when absent.
char** uxcfgstr_list(char** tokens, int first, const char* const* keywords);

// Computes left/top/width/height against layout->parent_width/height.
void uxlayout_compute(uxLayout* layout);
