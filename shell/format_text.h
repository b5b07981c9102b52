#pragma once
// printf formatting into the fixed buffers of Print, the graphic-page text helpers and the
// message box, in one place so that none of them can write past its buffer.

#include <cstdarg>
#include <cstddef>

// Formats into buffer[size]. Output longer than size - 1 bytes is cut there; the buffer is
// always terminated (and left empty when the format cannot be applied). Returns the length
// stored.
std::size_t FormatTextV(char* buffer, std::size_t size, const char* format, va_list ap);
std::size_t FormatText(char* buffer, std::size_t size, const char* format, ...)
    __attribute__((format(printf, 3, 4)));

// The program's Latin-1 text as UTF-8 (every byte from 0x80 on becomes two bytes) into
// buffer[size], cut at a whole character; returns the length stored.
std::size_t Latin1ToUtf8(const char* latin1, char* buffer, std::size_t size);
