#pragma once
// Files written whole or not at all. The data go into a temporary file beside the target, which
// replaces the target only after every byte was written, flushed and synced; after any failure
// the temporary file is removed and the old file stays as it was. Every writer of a file the
// user or a later module reads (parameter and result files, saved pages and pictures, terminal
// dumps) goes through here.
//
// A target that exists but is read-only (no write permission, or no write bit at all, which is
// honoured for root too, as rm does) is refused. A target that is no regular file (a device such
// as /dev/full, a pipe) is written in place, since it cannot be replaced.
//
// Failures leave errno set to their cause, so the caller can report the file with the reason.

#include <cstdio>

enum { UXFILE_PATH_MAX = 4096 };

struct uxAtomicFile {
    FILE* file = nullptr;   // the stream to write into while the file is open
    bool in_place = false;  // written straight into the target (no regular file)
    int mode = 0;           // permissions the finished file gets
    int error = 0;          // errno of the first failure
    char target[UXFILE_PATH_MAX] = {};
    char temp[UXFILE_PATH_MAX + 16] = {};
};

// Opens the temporary file for `path`; nullptr (errno set) when the target is read-only, a
// directory, or its folder is not writable.
FILE* uxfile_begin(uxAtomicFile* out, const char* path);

// With `complete`: flushes, syncs and closes the stream, then renames the temporary file over
// the target; true when all of it succeeded. Without `complete` (the writer gave up), or after
// any failure: closes and removes the temporary file and returns false. errno holds the cause.
bool uxfile_finish(uxAtomicFile* out, bool complete);

// uxfile_finish in two steps, for a set of files that replace their targets together: close
// (as above, but the finished temporary file stays where it is), then commit (the rename) or
// discard (the temporary file is removed, the target stays as it was).
bool uxfile_close(uxAtomicFile* out, bool complete);
bool uxfile_commit(uxAtomicFile* out);
void uxfile_discard(uxAtomicFile* out);
// The file that holds the data written: the temporary one until it is committed.
const char* uxfile_written_path(const uxAtomicFile* out);
// True for a name (no folder) of the form uxfile_begin gives its temporary files.
bool uxfile_is_temp_name(const char* name);
