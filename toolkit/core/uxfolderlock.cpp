#include "toolkit/core/uxfolderlock.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

int held_fd = -1;
std::string held_path;

// The process id the holder wrote; it may still be writing it, so a few short retries.
long read_holder(int fd) {
    for (int attempt = 0; attempt < 20; ++attempt) {
        char text[32] = {};
        ssize_t n = pread(fd, text, sizeof text - 1, 0);
        if (n > 0) {
            long pid = std::strtol(text, nullptr, 10);
            if (pid > 0) return pid;
        }
        usleep(5000);
    }
    return 0;
}

}  // namespace

uxFolderLock uxfolderlock_take(const char* path, long* holder) {
    *holder = 0;
    if (held_fd >= 0) return UXFOLDERLOCK_TAKEN;
    // The holder removes the file on exit: a lock taken on a file that has since been removed
    // or replaced guards nothing, so it is taken again on the file that is there now.
    for (int attempt = 0; attempt < 100; ++attempt) {
        int fd = open(path, O_RDWR | O_CREAT | O_CLOEXEC, 0644);
        if (fd < 0) return UXFOLDERLOCK_UNAVAILABLE;
        if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
            bool busy = errno == EWOULDBLOCK;
            if (busy) *holder = read_holder(fd);
            close(fd);
            return busy ? UXFOLDERLOCK_BUSY : UXFOLDERLOCK_UNAVAILABLE;
        }
        struct stat opened, named;
        if (fstat(fd, &opened) != 0 || stat(path, &named) != 0 || opened.st_ino != named.st_ino ||
            opened.st_dev != named.st_dev) {
            close(fd);
            continue;
        }
        char text[32];
        int n = std::snprintf(text, sizeof text, "%ld\n", static_cast<long>(getpid()));
        if (ftruncate(fd, 0) != 0 || pwrite(fd, text, static_cast<size_t>(n), 0) != n) {
            // The lock holds without the process id; a second program then names none.
        }
        held_fd = fd;
        held_path = path;
        static bool hooked = false;
        if (!hooked) hooked = std::atexit(uxfolderlock_release) == 0;
        return UXFOLDERLOCK_TAKEN;
    }
    return UXFOLDERLOCK_UNAVAILABLE;
}

void uxfolderlock_release() {
    if (held_fd < 0) return;
    // Removed while still locked, so no other program takes a lock on the removed file.
    unlink(held_path.c_str());
    close(held_fd);
    held_fd = -1;
}
