#pragma once
// The terminal's fixed-width character memory: a grid of `columns` x `rows` bytes with optional
// planes of the same size for text colour, background colour and attribute (one colour index
// per cell), a cursor, and the rows in use.

struct uxTxtMemFixed {
    int columns = 80;
    int rows = 24;        // rows allocated: 2 x scrollback with scrollback, else `lines`
    int lines = 24;       // rows in use
    int start_lines = 24;  // rows in use after a clear
    int scrollback = 0;
    bool scroll = false;  // scroll at the bottom instead of growing
    int row = 0, column = 0;
    unsigned char textcolor = 24, bgcolor = 25, attribute = 0;
    unsigned char* chars = nullptr;
    unsigned char* fg = nullptr;     // text colour plane or null
    unsigned char* bg = nullptr;     // background plane or null
    unsigned char* attrs = nullptr;  // attribute plane or null
};

// Property keywords: "txtmem" and synonyms (character plane), "txtcolormem", "bgcolormem",
// "attrmem" and synonyms, "columns=", "lines=", "scroll", "scrollback=". False without memory.
bool uxtxtmem_create(uxTxtMemFixed* m, const char* format, ...);
void uxtxtmem_destroy(uxTxtMemFixed* m);
// Adds the text and background colour planes (if missing), filled with the given indexes.
void uxtxtmem_add_colour_planes(uxTxtMemFixed* m, int textcolor, int bgcolor);
// New screen size (rows shown and columns) keeping the text: rows are cut or padded at the
// right; without scrollback the rows up to the cursor that still fit are kept, the oldest go.
// The scrollback grows if the new screen would not fit it. False (memory unchanged) when the
// new planes cannot be had.
bool uxtxtmem_resize(uxTxtMemFixed* m, int lines, int columns);
// Blanks every cell, puts the cursor home and the rows in use back to their start.
void uxtxtmem_clear(uxTxtMemFixed* m);
// A printable character at the cursor, wrapping first when the column has reached `columns`.
void uxtxtmem_put(uxTxtMemFixed* m, unsigned char c);
// Line feed: column 0, next row (scrolling, growing or trimming the scrollback).
void uxtxtmem_newline(uxTxtMemFixed* m);
// Cursor to (row, column), 0-based, clamped to the rows in use and the columns.
void uxtxtmem_move(uxTxtMemFixed* m, int row, int column);
// The cells of one row (`columns` bytes, not terminated), or null outside the rows in use.
const unsigned char* uxtxtmem_row(const uxTxtMemFixed* m, int row);
