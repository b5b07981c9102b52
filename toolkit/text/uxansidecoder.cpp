// Escape-sequence decoding: SO/SI shifting, character-set designation and the ESC [ control
// sequences the terminal understands.
#include "toolkit/text/uxansidecoder.h"

#include <cstdio>

namespace {

void queue(uxAnsiDecoder* d, int command, int argument) {
    if (d->count == UXANSI_RING) return;  // the terminal drains after every character
    d->ring_command[d->write] = command;
    d->ring_argument[d->write] = argument;
    d->write = (d->write + 1) % UXANSI_RING;
    ++d->count;
}

bool is_final(unsigned char c) {
    return (c >= '@' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '~';
}

void unrecognized(const uxAnsiDecoder* d) {
    std::printf("AnsiDecoder not recognized: %s\n", d->sequence);
}

void select_graphic_rendition(uxAnsiDecoder* d, const int* p, int n) {
    if (n == 0 || p[0] == 0) {
        queue(d, UXANSI_RESET, 0);  // the rest of the list is not read
        return;
    }
    for (int i = 0; i < n; ++i) {
        int v = p[i];
        if (v >= 30 && v <= 38) queue(d, UXANSI_TEXTCOLOR, v - 30);
        else if (v >= 40 && v <= 48) queue(d, UXANSI_BGCOLOR, v - 40);
        else if (v == 0) queue(d, UXANSI_NORMAL, 0);
        else if (v == 1) queue(d, UXANSI_BOLD, 0);
        else if (v == 39) queue(d, UXANSI_DEFAULT_TEXTCOLOR, 0);
        else if (v == 49) queue(d, UXANSI_DEFAULT_BGCOLOR, 0);
        else if (v == 7 || v == 27) queue(d, UXANSI_REVERSE, 0);
    }
}

void private_mode(uxAnsiDecoder* d, int mode, bool on) {
    switch (mode) {
    case 1: queue(d, UXANSI_CURSOR_KEYS, on); break;
    case 7: queue(d, UXANSI_AUTOWRAP, on); break;
    case 25: queue(d, UXANSI_SHOW_CURSOR, on); break;
    case 47: case 1000: case 1047: case 1048: break;
    default: unrecognized(d);
    }
}

// Interprets the collected control sequence (parameters and final character).
void interpret(uxAnsiDecoder* d) {
    int params[UXANSI_MAX_PARAMS] = {};
    int n = 0;  // parameters seen
    bool priv = false;
    const char* s = d->sequence;
    if (*s == '?') {
        priv = true;
        ++s;
    }
    char final = 0;
    for (; *s; ++s) {
        char c = *s;
        if (c >= '0' && c <= '9') {
            if (n == 0) n = 1;
            if (n <= UXANSI_MAX_PARAMS && params[n - 1] < 100000000)
                params[n - 1] = params[n - 1] * 10 + (c - '0');
        } else if (c == ';') {
            if (n == 0) n = 1;
            ++n;
        } else {
            final = c;
            break;
        }
    }
    if (n > UXANSI_MAX_PARAMS) n = UXANSI_MAX_PARAMS;
    int a = params[0], b = params[1];
    if (priv) {
        if (final == 'h' || final == 'l') private_mode(d, a, final == 'h');
        else unrecognized(d);
        return;
    }
    switch (final) {
    case '@': queue(d, UXANSI_INSERT_CHARS, a); break;
    case 'A': queue(d, UXANSI_UP, a); break;
    case 'B': queue(d, UXANSI_DOWN, a); break;
    case 'C': queue(d, UXANSI_RIGHT, a); break;
    case 'D': queue(d, UXANSI_LEFT, a); break;
    case 'G': queue(d, UXANSI_COLUMN, a); break;
    case 'H':
        queue(d, UXANSI_COLUMN, b);
        queue(d, UXANSI_ROW, a);
        break;
    case 'd': queue(d, UXANSI_ROW, a); break;
    case 'J':
        if (a == 0) queue(d, UXANSI_ERASE_EOS, 0);
        else if (a == 2) queue(d, UXANSI_ERASE_SCREEN, 0);
        else if (a != 1) unrecognized(d);
        break;
    case 'K':
        if (a == 0) queue(d, UXANSI_ERASE_EOL, 0);
        else if (a == 1) queue(d, UXANSI_ERASE_SOL, 0);
        else if (a == 2) queue(d, UXANSI_ERASE_LINE, 0);
        else unrecognized(d);
        break;
    case 'P': queue(d, UXANSI_DELETE_CHARS, a); break;
    case 'X': queue(d, UXANSI_ERASE_CHARS, a); break;
    case 'h':
    case 'l':
        if (a == 4) queue(d, UXANSI_INSERT_MODE, final == 'h');
        else unrecognized(d);
        break;
    case '!':
        if (s[1] == 'p') {
            queue(d, UXANSI_CURSOR_KEYS, 0);
            queue(d, UXANSI_AUTOWRAP, 0);
            queue(d, UXANSI_SHOW_CURSOR, 1);
            queue(d, UXANSI_INSERT_MODE, 1);
        } else {
            unrecognized(d);
        }
        break;
    case 's': queue(d, UXANSI_SAVE_CURSOR, 0); break;
    case 'u': queue(d, UXANSI_RESTORE_CURSOR, 0); break;
    case 'g':
    case 'r': break;
    case 'm': select_graphic_rendition(d, params, n); break;
    default: unrecognized(d);
    }
}

}  // namespace

void uxansi_init(uxAnsiDecoder* d) { *d = uxAnsiDecoder{}; }

int uxansi_shifted(bool graphics, unsigned char c) {
    if (graphics) {
        switch (c) {
        case 'a': return 35;
        case 'j': return 133;
        case 'k': return 131;
        case 'l': return 130;
        case 'm': return 132;
        case 'n': return 136;
        case 'q': return 128;
        case 't': return 134;
        case 'u': return 135;
        case 'v': return 137;
        case 'w': return 138;
        case 'x': return 129;
        default: return c;
        }
    }
    if (c == 'L' || c == 'T' || (c >= 'j' && c <= 'n') || (c >= 't' && c <= 'w')) return '+';
    if (c == 'a') return '#';
    if (c == 'q') return '-';
    if (c == 'x') return '|';
    return c;
}

void uxansi_input(uxAnsiDecoder* d, unsigned char c) {
    switch (d->state) {
    case 0:
        if (c == 14) d->shift_out = true;
        else if (c == 15) d->shift_out = false;
        else if (c == 27) d->state = 1;
        else queue(d, UXANSI_PRINT, d->shift_out ? uxansi_shifted(d->graphics, c) : c);
        return;
    case 1:
        if (c == '[') {
            d->state = 2;
            d->sequence_length = 0;
            d->sequence[0] = 0;
        } else if (c == 27) {
            queue(d, UXANSI_PRINT, 27);
            d->state = 0;
        } else if (c == '(' || c == ')') {
            d->state = 3;
        } else {
            d->state = 0;  // "7", "8", "=" and the rest have no effect
        }
        return;
    case 2:
        // Overlong sequences keep their first characters; the final one is always kept.
        if (d->sequence_length < UXANSI_MAX_SEQUENCE - 1 || is_final(c)) {
            if (d->sequence_length >= UXANSI_MAX_SEQUENCE) d->sequence_length = UXANSI_MAX_SEQUENCE - 1;
            d->sequence[d->sequence_length++] = static_cast<char>(c);
            d->sequence[d->sequence_length] = 0;
        }
        if (is_final(c)) {
            d->state = 0;
            interpret(d);
        }
        return;
    default:
        d->graphics = c == '0';  // "0" designates the line-drawing set
        d->state = 0;
        return;
    }
}

bool uxansi_next(uxAnsiDecoder* d, int* command, int* argument) {
    if (d->count == 0) return false;
    *command = d->ring_command[d->read];
    *argument = d->ring_argument[d->read];
    d->read = (d->read + 1) % UXANSI_RING;
    --d->count;
    return true;
}
