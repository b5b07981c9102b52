#include "toolkit/data/uxfile_atomic.h"

#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool copy_path(char* target, size_t size, const char* source) {
    size_t n = std::strlen(source);
    if (n == 0 || n >= size) return false;
    std::memcpy(target, source, n + 1);
    return true;
}

// The permissions a newly created file gets from the process's umask.
int default_mode() {
    mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~static_cast<int>(mask);
}

// "<folder>/.<name>.uxtmp.XXXXXX" beside the target, so that the rename stays on one file
// system; the ".uxtmp." mark lets a later start tell its leftovers from the user's files.
bool temp_pattern(const char* target, char* out, size_t size) {
    const char* slash = std::strrchr(target, '/');
    int folder = slash ? static_cast<int>(slash - target) + 1 : 0;
    int n = std::snprintf(out, size, "%.*s.%s.uxtmp.XXXXXX", folder, target, target + folder);
    return n > 0 && static_cast<size_t>(n) < size;
}

FILE* fail(uxAtomicFile* out, int error) {
    out->file = nullptr;
    out->error = error ? error : EIO;
    errno = out->error;
    return nullptr;
}

}  // namespace

FILE* uxfile_begin(uxAtomicFile* out, const char* path) {
    *out = uxAtomicFile{};
    if (!path || !copy_path(out->target, sizeof out->target, path)) return fail(out, ENAMETOOLONG);
    out->mode = default_mode();
    struct stat info;
    if (stat(out->target, &info) == 0) {
        if (S_ISDIR(info.st_mode)) return fail(out, EISDIR);
        if (!S_ISREG(info.st_mode)) {
            out->in_place = true;
            out->file = std::fopen(out->target, "wb");
            return out->file ? out->file : fail(out, errno);
        }
        if (access(out->target, W_OK) != 0) return fail(out, errno);
        if ((info.st_mode & 0222) == 0) return fail(out, EACCES);
        out->mode = static_cast<int>(info.st_mode & 07777);
        // A link keeps pointing at the file it named: the new file goes beside that one.
        char real[PATH_MAX];
        if (realpath(out->target, real) && !copy_path(out->target, sizeof out->target, real))
            return fail(out, ENAMETOOLONG);
    }
    if (!temp_pattern(out->target, out->temp, sizeof out->temp)) return fail(out, ENAMETOOLONG);
    int fd = mkstemp(out->temp);
    if (fd < 0) {
        out->temp[0] = 0;
        return fail(out, errno);
    }
    out->file = fdopen(fd, "wb");
    if (!out->file) {
        int error = errno;
        close(fd);
        unlink(out->temp);
        out->temp[0] = 0;
        return fail(out, error);
    }
    return out->file;
}

bool uxfile_close(uxAtomicFile* out, bool complete) {
    if (!out->file) {
        errno = out->error ? out->error : EBADF;
        return false;
    }
    int error = complete ? 0 : (errno ? errno : EIO);
    FILE* f = out->file;
    out->file = nullptr;
    if (!error && (std::fflush(f) != 0 || std::ferror(f))) error = errno ? errno : EIO;
    if (!error && !out->in_place) {
        if (fsync(fileno(f)) != 0) error = errno;
        else if (fchmod(fileno(f), static_cast<mode_t>(out->mode)) != 0) error = errno;
    }
    if (std::fclose(f) != 0 && !error) error = errno ? errno : EIO;
    if (error) uxfile_discard(out);
    out->error = error;
    errno = error;
    return error == 0;
}

bool uxfile_commit(uxAtomicFile* out) {
    if (out->error) {
        errno = out->error;
        return false;
    }
    if (out->in_place || !out->temp[0]) return true;
    if (std::rename(out->temp, out->target) != 0) {
        out->error = errno;
        uxfile_discard(out);
        errno = out->error;
        return false;
    }
    out->temp[0] = 0;
    return true;
}

void uxfile_discard(uxAtomicFile* out) {
    int error = errno;
    if (out->file) {
        std::fclose(out->file);
        out->file = nullptr;
    }
    if (!out->in_place && out->temp[0]) unlink(out->temp);
    out->temp[0] = 0;
    errno = error;
}

const char* uxfile_written_path(const uxAtomicFile* out) {
    return out->in_place || !out->temp[0] ? out->target : out->temp;
}

bool uxfile_finish(uxAtomicFile* out, bool complete) {
    return uxfile_close(out, complete) && uxfile_commit(out);
}

bool uxfile_is_temp_name(const char* name) {
    size_t n = std::strlen(name);
    static const char kMark[] = ".uxtmp.";
    const size_t mark = sizeof kMark - 1;
    if (n < 1 + 1 + mark + 6 || name[0] != '.' || std::strchr(name, '/')) return false;
    if (std::strncmp(name + n - 6 - mark, kMark, mark) != 0) return false;
    for (size_t i = n - 6; i < n; ++i)
        if (!std::isalnum(static_cast<unsigned char>(name[i]))) return false;
    return true;
}
