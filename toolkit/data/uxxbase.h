#pragma once
// xBase (.dbf) tables edited in place: only the header is kept in memory, single fields are
// read and written by seeking in the file. Rows are addressed by their live index, the position
// among the records whose flag byte is not "*", in file order.

#include <cstdio>

struct uxXBase {
    FILE* file = nullptr;
    char* path = nullptr;               // the file's name, for the sort's rewrite
    unsigned char* header = nullptr;    // the first header_length bytes of the file
    int header_length = 0;
    int record_length = 0;              // flag byte included
    int record_count = 0;               // physical records, deleted ones included
    int field_count = 0;
    int* field_offsets = nullptr;       // offset of each field within a record
    int* field_lengths = nullptr;
    int* live = nullptr;                // physical numbers of the live records, in file order
    int live_count = 0;
    bool modified = false;
    bool no_reuse = false;
    int last_appended = -1;             // physical number of the record appended last
    bool is_open = false;
};

// Puts the table into its closed state. A default-constructed uxXBase is already in it.
void uxxbase_create(uxXBase* table);
// Closes the table; safe to call on a closed or already destroyed table.
void uxxbase_destroy(uxXBase* table);

// Closes any table still open, then opens `path` for reading and writing. False when the file
// cannot be opened or its header is impossible (header length below 33 or beyond the file,
// record length 0, field lengths that do not fit into the record); the table stays closed.
bool uxxbase_open(uxXBase* table, const char* path);
// Writes the header back (record count, and today's date when anything changed) and closes.
// False when the header could not be written back.
bool uxxbase_close(uxXBase* table);

int uxxbase_count(const uxXBase* table);              // live records
int uxxbase_field_count(const uxXBase* table);
int uxxbase_field_length(const uxXBase* table, int field);   // 0 for an unknown field
// The field's type letter from its descriptor ('C' text, 'N' number, 'D' date "YYYYMMDD", ...);
// 0 for an unknown field.
char uxxbase_field_type(const uxXBase* table, int field);
// The field's name from its descriptor, terminated, cut to `size` - 1 bytes. False (and an
// empty name) for an unknown field.
bool uxxbase_field_name(const uxXBase* table, int field, char* name, int size);

// Reads the field of live row `row` into `buffer` (at most `size` - 1 bytes, terminated) and
// removes trailing blanks. False, with an empty string, for an unknown row or field or a
// record missing from the file.
bool uxxbase_read_field(uxXBase* table, int row, int field, char* buffer, int size);

// Case-insensitive (ASCII letters) search over the live rows: equal to `text` after trailing
// blanks of the field are removed, or beginning with `text`. Both return the number of matches
// and store the live indexes of the first `capacity` - 1 of them in `matches`.
int uxxbase_find_exact(uxXBase* table, int field, const char* text, int* matches, int capacity);
int uxxbase_find_prefix(uxXBase* table, int field, const char* text, int* matches, int capacity);

// Sorts the live records ascending by the field, case-insensitively, by exchanging whole
// records. Records with equal values keep their order. The sorted table replaces the file
// whole (temporary file and rename), so a failed sort leaves the table as it was. False (errno
// set) when the table is closed, the field unknown or the file could not be read or written.
bool uxxbase_sort(uxXBase* table, int field);

// Adds a blank record (reusing the first deleted one unless no-reuse is set) and returns its
// live index, or -1 (errno set) when the table is closed or the record cannot be written.
// A record added at the end is written before the header counts it, and a failed append takes
// the file back to what it was: the record count on disk always agrees with the records.
int uxxbase_append(uxXBase* table);
// The same with the fields 0..count-1 filled from `texts` (nullptr entries stay blank), each cut
// to the field length - 1 characters, written in one piece. The record becomes the one that
// uxxbase_write_field writes to.
int uxxbase_append_record(uxXBase* table, const char* const* texts, int count);
// Writes the printf-formatted text into the field of the record appended last, cut to the
// field length - 1 characters and padded with blanks. False when nothing was appended yet.
bool uxxbase_write_field(uxXBase* table, int field, const char* format, ...)
    __attribute__((format(printf, 3, 4)));
// Marks live row `row` deleted. False for an unknown row or when the flag cannot be written.
bool uxxbase_delete(uxXBase* table, int row);
// When set, append always adds a new record at the end.
void uxxbase_set_no_reuse(uxXBase* table, bool no_reuse);
