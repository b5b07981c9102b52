#pragma once
// A set of atomic files (uxfile_atomic.h) that replace their targets together, whatever moment
// the process dies. Before the first rename a small journal (".uxjournal" in the folder) names
// every finished temporary file and its target and is synced to disk; the renames follow, and
// the journal is removed after the last one. A later start finds either
//   - a complete journal: the set was being put in place; the renames are finished (roll
//     forward), so the folder holds the whole new set, or
//   - temporary files without a complete journal: the set never got that far; they are removed
//     (roll back), so the folder holds the whole old set.
//
// Test hook: UX_TEST_KILL_AFTER_RENAME=N kills the process (SIGKILL) after the N-th rename of a
// set; 0 after the journal is written, -1 just before it is written.

#include <cstddef>

#include "toolkit/data/uxfile_atomic.h"

inline constexpr const char* kUxJournalName = ".uxjournal";

// Puts the closed files (uxfile_close done) in place together; files written in place or already
// failed are skipped. `folder` holds the journal ("." for the working directory). False (errno
// set) when the journal could not be written (then no target changed and the temporary files
// stay for the caller to discard) or a rename failed (the others are still put in place).
bool uxjournal_commit(uxAtomicFile* const* files, int count, const char* folder);

struct uxJournalRecovery {
    bool journal = false;  // a complete journal was found (the set is now in place)
    int completed = 0;     // renames finished from it
    int removed = 0;       // temporary files removed
};

// Finishes or cleans up what an interrupted process left in `folder`: see above. Call it only
// while no set of this process is open in the folder.
uxJournalRecovery uxjournal_recover(const char* folder);

// One line (no line end) saying what a recovery did; empty when it did nothing.
void uxjournal_describe(const uxJournalRecovery& done, char* out, size_t size);
