#include "toolkit/data/uxxbase.h"
#include "toolkit/data/uxfile_atomic.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdarg>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include <stdio_ext.h>
#include <sys/types.h>
#include <unistd.h>

// Header layout: 32 fixed bytes, then 32-byte field descriptors, then the terminator.
enum { FIXED_HEADER = 32, DESCRIPTOR = 32, MIN_HEADER = 33 };
static const unsigned char DELETED_FLAG = '*';
static const unsigned char END_OF_FILE_MARK = 0x1a;
static const unsigned char HEADER_END_MARK = 0x0d;

static unsigned read_u16(const unsigned char* p) { return p[0] | (p[1] << 8); }

static unsigned long read_u32(const unsigned char* p)
{
    return (unsigned long)p[0] | ((unsigned long)p[1] << 8) | ((unsigned long)p[2] << 16) |
           ((unsigned long)p[3] << 24);
}

static void write_u32(unsigned char* p, unsigned long v)
{
    for (int i = 0; i < 4; i++) p[i] = (unsigned char)(v >> (8 * i));
}

static bool seek_to(FILE* f, long long position)
{
    return fseeko(f, (off_t)position, SEEK_SET) == 0;
}

static long long record_position(const uxXBase* t, int physical)
{
    return (long long)t->header_length + (long long)physical * t->record_length;
}

// Writes the bytes at `position` and flushes them to the file; false when any of it failed.
static bool write_at(FILE* f, long long position, const void* data, size_t n)
{
    return seek_to(f, position) && fwrite(data, 1, n, f) == n && fflush(f) == 0;
}

// After a failed write nothing of it may reach the file later: the buffered rest is dropped.
static void drop_unwritten(FILE* f)
{
    int error = errno;
    __fpurge(f);
    clearerr(f);
    errno = error;
}

static long long file_size(FILE* f)
{
    if (fseeko(f, 0, SEEK_END) != 0) return -1;
    return (long long)ftello(f);
}

static void reset_closed(uxXBase* t)
{
    free(t->header);
    free(t->field_offsets);
    free(t->field_lengths);
    free(t->live);
    free(t->path);
    bool no_reuse = t->no_reuse;
    *t = uxXBase{};
    t->no_reuse = no_reuse;
}

void uxxbase_create(uxXBase* table)
{
    *table = uxXBase{};
}

void uxxbase_destroy(uxXBase* table)
{
    uxxbase_close(table);
}

// Reads every flag byte and lists the records not marked "*". A record the file no longer
// holds ends the list.
static bool rebuild_live_index(uxXBase* t)
{
    int* live = (int*)malloc(sizeof(int) * (size_t)(t->record_count > 0 ? t->record_count : 1));
    if (!live) return false;
    int n = 0;
    std::vector<unsigned char> record((size_t)t->record_length);
    if (t->record_count > 0 && seek_to(t->file, record_position(t, 0))) {
        for (int p = 0; p < t->record_count; p++) {
            if (fread(record.data(), 1, record.size(), t->file) != record.size()) break;
            if (record[0] != DELETED_FLAG) live[n++] = p;
        }
    }
    free(t->live);
    t->live = live;
    t->live_count = n;
    return true;
}

// Field lengths: character fields use both length bytes (long character fields); in other
// types the second byte holds the decimal count, so only the first byte is the length.
static int descriptor_length(const unsigned char* d)
{
    return d[11] == 'C' ? (int)read_u16(d + 16) : (int)d[16];
}

static bool parse_fields(uxXBase* t)
{
    int n = (t->header_length - MIN_HEADER) / DESCRIPTOR;
    for (int i = 0; i < n; i++)
        if (t->header[FIXED_HEADER + DESCRIPTOR * i] == HEADER_END_MARK) {
            n = i;
            break;
        }
    t->field_offsets = (int*)malloc(sizeof(int) * (size_t)(n > 0 ? n : 1));
    t->field_lengths = (int*)malloc(sizeof(int) * (size_t)(n > 0 ? n : 1));
    if (!t->field_offsets || !t->field_lengths) return false;
    long offset = 1;
    for (int i = 0; i < n; i++) {
        int length = descriptor_length(t->header + FIXED_HEADER + DESCRIPTOR * i);
        t->field_offsets[i] = (int)offset;
        t->field_lengths[i] = length;
        offset += length;
        if (offset > t->record_length) return false;
    }
    t->field_count = n;
    return true;
}

bool uxxbase_open(uxXBase* table, const char* path)
{
    uxxbase_close(table);
    if (!path) return false;
    FILE* f = fopen(path, "r+b");
    if (!f) return false;
    table->file = f;
    table->path = strdup(path);

    long long size = -1;
    if (fseeko(f, 0, SEEK_END) == 0) size = (long long)ftello(f);
    unsigned char fixed[FIXED_HEADER];
    bool ok = size >= MIN_HEADER && seek_to(f, 0) && fread(fixed, 1, sizeof fixed, f) == sizeof fixed;
    if (ok) {
        table->header_length = (int)read_u16(fixed + 8);
        table->record_length = (int)read_u16(fixed + 10);
        ok = table->header_length >= MIN_HEADER && table->header_length <= size &&
             table->record_length > 0;
    }
    if (ok) {
        table->header = (unsigned char*)malloc((size_t)table->header_length);
        ok = table->header && seek_to(f, 0) &&
             fread(table->header, 1, (size_t)table->header_length, f) ==
                 (size_t)table->header_length;
    }
    ok = ok && parse_fields(table);
    if (ok) {
        // A header may promise more records than the file holds; only whole records count.
        long long stored = (long long)read_u32(table->header + 4);
        long long present = (size - table->header_length) / table->record_length;
        long long count = std::min(stored, present);
        table->record_count = (int)std::min(count, (long long)INT_MAX - 1);
        table->is_open = true;
        ok = rebuild_live_index(table);
    }
    if (!ok) {
        fclose(f);
        table->file = nullptr;
        reset_closed(table);
        return false;
    }
    return true;
}

static void stamp_today(unsigned char* header)
{
    time_t now = time(nullptr);
    struct tm local;
    localtime_r(&now, &local);
    int year = local.tm_year;   // years since 1900
    if (year > 100) year -= 100;
    header[1] = (unsigned char)year;
    header[2] = (unsigned char)(local.tm_mon + 1);
    header[3] = (unsigned char)local.tm_mday;
}

bool uxxbase_close(uxXBase* table)
{
    bool ok = true;
    if (table->is_open && table->file && table->modified) {
        write_u32(table->header + 4, (unsigned long)table->record_count);
        stamp_today(table->header);
        ok = write_at(table->file, 0, table->header, (size_t)table->header_length);
        if (!ok) drop_unwritten(table->file);
    }
    if (table->file && fclose(table->file) != 0) ok = false;
    table->file = nullptr;
    reset_closed(table);
    return ok;
}

int uxxbase_count(const uxXBase* table)
{
    return table->is_open ? table->live_count : 0;
}

int uxxbase_field_count(const uxXBase* table)
{
    return table->is_open ? table->field_count : 0;
}

static bool valid_field(const uxXBase* t, int field)
{
    return t->is_open && field >= 0 && field < t->field_count;
}

int uxxbase_field_length(const uxXBase* table, int field)
{
    return valid_field(table, field) ? table->field_lengths[field] : 0;
}

char uxxbase_field_type(const uxXBase* table, int field)
{
    if (!valid_field(table, field)) return 0;
    return static_cast<char>(table->header[FIXED_HEADER + DESCRIPTOR * field + 11]);
}

bool uxxbase_field_name(const uxXBase* table, int field, char* name, int size)
{
    if (!name || size <= 0) return false;
    name[0] = 0;
    if (!valid_field(table, field)) return false;
    const unsigned char* d = table->header + FIXED_HEADER + DESCRIPTOR * field;
    int n = 0;
    while (n < 11 && n < size - 1 && d[n]) {
        name[n] = (char)d[n];
        n++;
    }
    name[n] = 0;
    return true;
}

static void trim_trailing_blanks(char* s)
{
    size_t n = strlen(s);
    while (n > 0 && s[n - 1] == ' ') s[--n] = 0;
}

// Reads up to `size` - 1 bytes of the field of physical record p; false on a short read.
static bool read_physical_field(uxXBase* t, int p, int field, char* buffer, int size)
{
    buffer[0] = 0;
    size_t want = (size_t)std::min(t->field_lengths[field], size - 1);
    if (!seek_to(t->file, record_position(t, p) + t->field_offsets[field])) return false;
    size_t got = want > 0 ? fread(buffer, 1, want, t->file) : 0;
    if (got != want) {
        buffer[0] = 0;
        return false;
    }
    buffer[got] = 0;
    trim_trailing_blanks(buffer);
    return true;
}

bool uxxbase_read_field(uxXBase* table, int row, int field, char* buffer, int size)
{
    if (!buffer || size <= 0) return false;
    buffer[0] = 0;
    if (!valid_field(table, field) || row < 0 || row >= table->live_count) return false;
    return read_physical_field(table, table->live[row], field, buffer, size);
}

static char lower_ascii(char c)
{
    return (c >= 'A' && c <= 'Z') ? (char)(c - 'A' + 'a') : c;
}

static std::string lowered(const char* s)
{
    std::string out(s);
    for (char& c : out) c = lower_ascii(c);
    return out;
}

static int find_rows(uxXBase* t, int field, const char* text, int* matches, int capacity,
                     bool prefix)
{
    if (!valid_field(t, field) || !text) return 0;
    std::string wanted = lowered(text);
    std::vector<char> value((size_t)t->field_lengths[field] + 1);
    int found = 0;
    for (int row = 0; row < t->live_count; row++) {
        if (!read_physical_field(t, t->live[row], field, value.data(), (int)value.size()))
            continue;
        // Quick test on the first character before the whole comparison.
        if (!wanted.empty() && lower_ascii(value[0]) != wanted[0]) continue;
        std::string have = lowered(value.data());
        bool match = prefix ? have.compare(0, wanted.size(), wanted) == 0 : have == wanted;
        if (!match) continue;
        if (matches && found < capacity - 1) matches[found] = row;
        found++;
    }
    return found;
}

int uxxbase_find_exact(uxXBase* table, int field, const char* text, int* matches, int capacity)
{
    return find_rows(table, field, text, matches, capacity, false);
}

int uxxbase_find_prefix(uxXBase* table, int field, const char* text, int* matches, int capacity)
{
    return find_rows(table, field, text, matches, capacity, true);
}

bool uxxbase_sort(uxXBase* table, int field)
{
    if (!valid_field(table, field)) return false;
    int n = table->live_count;
    std::vector<std::string> keys((size_t)n);
    std::vector<char> value((size_t)table->field_lengths[field] + 1);
    for (int i = 0; i < n; i++) {
        if (!read_physical_field(table, table->live[i], field, value.data(), (int)value.size()))
            return false;
        keys[i] = lowered(value.data());
    }
    // The order a neighbour-swapping sort ends with: ascending, equal keys in file order.
    std::vector<int> order((size_t)n);
    for (int i = 0; i < n; i++) order[i] = i;
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        return std::strcmp(keys[a].c_str(), keys[b].c_str()) < 0;
    });
    bool sorted = true;
    for (int i = 0; i < n && sorted; i++) sorted = order[i] == i;
    if (sorted) return true;
    // The sorted table replaces the old one whole (through a temporary file beside it), so that
    // a failure or a crash half-way never leaves a record twice and another one lost.
    long long size = file_size(table->file);
    if (size < record_position(table, table->record_count)) return false;
    std::vector<unsigned char> image((size_t)size);
    if (!seek_to(table->file, 0) || fread(image.data(), 1, image.size(), table->file) != image.size())
        return false;
    std::vector<unsigned char> out = image;
    size_t r = (size_t)table->record_length;
    for (int j = 0; j < n; j++)
        memcpy(&out[(size_t)record_position(table, table->live[j])],
               &image[(size_t)record_position(table, table->live[order[j]])], r);
    uxAtomicFile file;
    FILE* f = uxfile_begin(&file, table->path);
    if (!f) return false;
    if (!uxfile_finish(&file, fwrite(out.data(), 1, out.size(), f) == out.size())) return false;
    // The open stream still reads the old file: it moves on to the sorted one.
    FILE* sorted_file = fopen(table->path, "r+b");
    if (!sorted_file) {
        int error = errno;
        uxxbase_close(table);
        errno = error;
        return false;
    }
    fclose(table->file);
    table->file = sorted_file;
    table->modified = true;
    return true;
}

static int first_deleted_record(const uxXBase* t)
{
    for (int i = 0; i < t->live_count; i++)
        if (t->live[i] != i) return i;
    return t->live_count < t->record_count ? t->live_count : -1;
}

// A new record at the end: the record and the end mark are written first, and only then does
// the header count it, so that the count on disk never names a record the file does not hold.
// After a failure the file is taken back to its old length and bytes.
static bool add_record_at_end(uxXBase* t, std::vector<unsigned char>& record)
{
    long long position = record_position(t, t->record_count);
    record.push_back(END_OF_FILE_MARK);   // conventional end-of-data mark
    long long old_size = file_size(t->file);
    if (old_size < 0) return false;
    std::vector<unsigned char> old_bytes;
    if (old_size > position) {
        old_bytes.resize((size_t)std::min(old_size - position, (long long)record.size()));
        if (!seek_to(t->file, position) ||
            fread(old_bytes.data(), 1, old_bytes.size(), t->file) != old_bytes.size())
            return false;
    }
    unsigned char count[4];
    write_u32(count, (unsigned long)t->record_count + 1);
    if (write_at(t->file, position, record.data(), record.size()) &&
        write_at(t->file, 4, count, sizeof count)) {
        memcpy(t->header + 4, count, sizeof count);
        t->record_count++;
        return true;
    }
    drop_unwritten(t->file);
    int error = errno;
    if (ftruncate(fileno(t->file), (off_t)old_size) == 0 && !old_bytes.empty() &&
        !write_at(t->file, position, old_bytes.data(), old_bytes.size()))
        drop_unwritten(t->file);
    errno = error;
    return false;
}

int uxxbase_append_record(uxXBase* table, const char* const* texts, int count)
{
    if (!table->is_open) return -1;
    int p = table->no_reuse ? -1 : first_deleted_record(table);
    bool at_end = p < 0;
    if (at_end && table->record_count >= INT_MAX - 1) return -1;
    std::vector<unsigned char> record((size_t)table->record_length, ' ');
    for (int i = 0; texts && i < count && i < table->field_count; i++) {
        if (!texts[i] || table->field_lengths[i] == 0) continue;
        // Text keeps its last byte free, as single-field writes do; a date ("YYYYMMDD") fills
        // its field, or it would lose its last digit.
        size_t room = (size_t)table->field_lengths[i];
        if (uxxbase_field_type(table, i) != 'D') room -= 1;
        size_t n = std::min(strlen(texts[i]), room);
        memcpy(record.data() + table->field_offsets[i], texts[i], n);
    }
    if (at_end) {
        p = table->record_count;
        if (!add_record_at_end(table, record)) return -1;
    } else if (!write_at(table->file, record_position(table, p), record.data(), record.size())) {
        drop_unwritten(table->file);
        return -1;
    }
    table->modified = true;
    table->last_appended = p;
    if (!rebuild_live_index(table)) return -1;
    for (int i = 0; i < table->live_count; i++)
        if (table->live[i] == p) return i;
    return -1;
}

int uxxbase_append(uxXBase* table)
{
    return uxxbase_append_record(table, nullptr, 0);
}

bool uxxbase_write_field(uxXBase* table, int field, const char* format, ...)
{
    if (!valid_field(table, field) || table->last_appended < 0 || !format) return false;
    int length = table->field_lengths[field];
    if (length == 0) return true;
    std::vector<char> text((size_t)length + 1);
    va_list args;
    va_start(args, format);
    vsnprintf(text.data(), (size_t)length, format, args);   // at most length - 1 characters
    va_end(args);
    size_t used = strlen(text.data());
    std::fill(text.begin() + (long)used, text.begin() + length, ' ');
    if (!write_at(table->file,
                  record_position(table, table->last_appended) + table->field_offsets[field],
                  text.data(), (size_t)length)) {
        drop_unwritten(table->file);
        return false;
    }
    table->modified = true;
    return true;
}

bool uxxbase_delete(uxXBase* table, int row)
{
    if (!table->is_open || row < 0 || row >= table->live_count) return false;
    if (!write_at(table->file, record_position(table, table->live[row]), &DELETED_FLAG, 1)) {
        drop_unwritten(table->file);
        return false;
    }
    table->modified = true;
    return rebuild_live_index(table);
}

void uxxbase_set_no_reuse(uxXBase* table, bool no_reuse)
{
    table->no_reuse = no_reuse;
}
