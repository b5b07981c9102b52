#include "toolkit/data/uxfile_append.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <string>

namespace {

// True when the file is empty or ends with a line end.
bool ends_with_line_end(int fd) {
    off_t size = lseek(fd, 0, SEEK_END);
    if (size <= 0) return true;
    char last = '\n';
    if (pread(fd, &last, 1, size - 1) != 1) return true;
    return last == '\n';
}

}  // namespace

bool uxfile_append_line(const char* path, const char* line, std::size_t length) {
    int fd = open(path, O_RDWR | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) return false;
    std::string whole;
    whole.reserve(length + 2);
    if (!ends_with_line_end(fd)) whole += '\n';
    whole.append(line, length);
    whole += '\n';
    ssize_t written;
    do {
        written = write(fd, whole.data(), whole.size());
    } while (written < 0 && errno == EINTR);
    int saved = errno;
    bool ok = written == static_cast<ssize_t>(whole.size());
    if (close(fd) != 0 && ok) return false;
    if (!ok && written >= 0) saved = EIO;
    errno = saved;
    return ok;
}
