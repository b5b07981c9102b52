#pragma once
// The escape-sequence decoder: turns a character stream into (command, argument) pairs in a
// ring of 48 entries. Its state persists between inputs, so a sequence may arrive in pieces.

enum {
    UXANSI_PRINT = 1, UXANSI_RESET = 2, UXANSI_TEXTCOLOR = 3, UXANSI_BGCOLOR = 4,
    UXANSI_NORMAL = 5, UXANSI_BOLD = 6, UXANSI_DEFAULT_TEXTCOLOR = 7, UXANSI_DEFAULT_BGCOLOR = 8,
    UXANSI_REVERSE = 9, UXANSI_ERASE_EOL = 10, UXANSI_ERASE_SOL = 11, UXANSI_ERASE_LINE = 12,
    UXANSI_ERASE_EOS = 13, UXANSI_ERASE_SCREEN = 14, UXANSI_COLUMN = 15, UXANSI_ROW = 16,
    UXANSI_AUTOWRAP = 17, UXANSI_SHOW_CURSOR = 18, UXANSI_CURSOR_KEYS = 19, UXANSI_INSERT_MODE = 20,
    UXANSI_SAVE_CURSOR = 21, UXANSI_RESTORE_CURSOR = 22, UXANSI_RIGHT = 23, UXANSI_LEFT = 24,
    UXANSI_UP = 25, UXANSI_DOWN = 26, UXANSI_ERASE_CHARS = 27, UXANSI_INSERT_CHARS = 28,
    UXANSI_DELETE_CHARS = 29,
};

enum { UXANSI_RING = 48, UXANSI_MAX_SEQUENCE = 63, UXANSI_MAX_PARAMS = 6 };

struct uxAnsiDecoder {
    int state = 0;  // 0 text, 1 after ESC, 2 inside ESC [, 3 after ESC ( or ESC )
    char sequence[UXANSI_MAX_SEQUENCE + 1] = {};  // collected after "ESC ["
    int sequence_length = 0;
    bool shift_out = false;
    bool graphics = false;  // line-drawing set designated
    int ring_command[UXANSI_RING] = {};
    int ring_argument[UXANSI_RING] = {};
    int read = 0, write = 0, count = 0;
};

void uxansi_init(uxAnsiDecoder* d);
void uxansi_input(uxAnsiDecoder* d, unsigned char c);
// Takes the oldest queued command; false when the ring is empty.
bool uxansi_next(uxAnsiDecoder* d, int* command, int* argument);
// The character a shifted-out letter shows as (box-drawing code or ASCII look-alike).
int uxansi_shifted(bool graphics, unsigned char c);
