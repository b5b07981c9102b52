#pragma once
// One program per working folder: an advisory lock (flock) on a lock file in the folder, held
// for the life of the process. The lock dies with the process, so a crash never leaves the
// folder locked; a normal exit also removes the file.

inline constexpr const char* kUxFolderLockName = ".uxlock";

enum uxFolderLock {
    UXFOLDERLOCK_TAKEN,        // this process holds the folder
    UXFOLDERLOCK_BUSY,         // another process holds it; *holder is its process id (0: unknown)
    UXFOLDERLOCK_UNAVAILABLE,  // no lock file can be made here (read-only folder): not locked
};

// Takes the lock on `path` (the lock file) without waiting; writes the process id into it.
uxFolderLock uxfolderlock_take(const char* path, long* holder);
// Removes the lock file and releases the lock (also done at exit).
void uxfolderlock_release();
