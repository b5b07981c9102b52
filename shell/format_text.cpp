// printf formatting into fixed buffers, cut at the buffer's end.

#include "shell/format_text.h"

#include <cstdio>

std::size_t FormatTextV(char* buffer, std::size_t size, const char* format, va_list ap) {
    if (!buffer || size == 0) return 0;
    buffer[0] = 0;
    if (!format) return 0;
    int wanted = std::vsnprintf(buffer, size, format, ap);
    if (wanted < 0) {
        buffer[0] = 0;  // after an encoding error the contents are undefined
        return 0;
    }
    std::size_t length = static_cast<std::size_t>(wanted);
    return length < size ? length : size - 1;
}

std::size_t FormatText(char* buffer, std::size_t size, const char* format, ...) {
    va_list ap;
    va_start(ap, format);
    std::size_t length = FormatTextV(buffer, size, format, ap);
    va_end(ap);
    return length;
}

std::size_t Latin1ToUtf8(const char* latin1, char* buffer, std::size_t size) {
    if (size == 0) return 0;
    std::size_t n = 0;
    for (const unsigned char* c = reinterpret_cast<const unsigned char*>(latin1); *c; ++c) {
        if (*c < 0x80) {
            if (n + 1 >= size) break;
            buffer[n++] = static_cast<char>(*c);
        } else {
            if (n + 2 >= size) break;
            buffer[n++] = static_cast<char>(0xC0 | (*c >> 6));
            buffer[n++] = static_cast<char>(0x80 | (*c & 0x3F));
        }
    }
    buffer[n] = 0;
    return n;
}
