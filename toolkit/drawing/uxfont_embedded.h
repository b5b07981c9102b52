#pragma once
// The font texts of toolkit/fonts/, embedded into the program when it is built.

struct uxEmbeddedFont {
    const char* stem;  // file name without ".txt", e.g. "builtin_6x13" or "Arial14"
    const char* text;  // the whole font text, lines separated by '\n'
};

extern const uxEmbeddedFont uxEmbeddedFonts[];  // ends with {nullptr, nullptr}
extern const int uxEmbeddedFontCount;
