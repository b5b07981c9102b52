#pragma once
// Appending one whole line to a log file (a run record) so that a program that dies leaves the
// file readable: the line goes out in a single write in append mode, and a file whose last line
// was cut off (no line end) gets one before the new line, so that the cut line stays alone.

#include <cstddef>

// `line` holds `length` bytes and no line end; the line end is added. False (errno set) when
// the file cannot be opened or the write did not take the whole line.
bool uxfile_append_line(const char* path, const char* line, std::size_t length);
