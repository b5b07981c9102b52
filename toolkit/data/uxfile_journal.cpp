#include "toolkit/data/uxfile_journal.h"

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

namespace {

const char kHeader[] = "uxjournal 1";
const char kEnd[] = "end";

std::string journal_path(const char* folder) { return std::string(folder) + "/" + kUxJournalName; }

// The directory entries of renames and removals reach the disk.
void sync_folder(const char* folder) {
    int fd = open(folder, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    fsync(fd);
    close(fd);
}

// UX_TEST_KILL_AFTER_RENAME: the crash tests stop the process at a chosen step of a set.
void maybe_die(int renames_done) {
    const char* at = std::getenv("UX_TEST_KILL_AFTER_RENAME");
    if (at && *at && std::atoi(at) == renames_done) raise(SIGKILL);
}

bool write_all(int fd, const std::string& text) {
    size_t done = 0;
    while (done < text.size()) {
        ssize_t n = write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

std::string folder_of(const std::string& path) {
    size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string base_of(const std::string& path) {
    size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// A journal entry is followed only when it pairs a temporary file of ours with the target it
// was made for, in the same folder: a damaged journal can rename nothing else.
bool entry_is_sound(const std::string& temp, const std::string& target) {
    std::string base = base_of(temp), target_base = base_of(target);
    if (target_base.empty() || folder_of(temp) != folder_of(target)) return false;
    if (!uxfile_is_temp_name(base.c_str())) return false;
    std::string prefix = "." + target_base + ".uxtmp.";
    return base.size() == prefix.size() + 6 && base.compare(0, prefix.size(), prefix) == 0;
}

// The entries of a complete journal; false when it is missing, damaged or cut short.
bool read_journal(const std::string& path, std::vector<std::string>* names) {
    FILE* f = std::fopen(path.c_str(), "r");
    if (!f) return false;
    std::vector<std::string> lines;
    char* line = nullptr;
    size_t capacity = 0;
    ssize_t n;
    while ((n = getline(&line, &capacity, f)) > 0) {
        if (line[n - 1] != '\n') break;  // cut short inside a line
        lines.emplace_back(line, static_cast<size_t>(n - 1));
    }
    std::free(line);
    std::fclose(f);
    if (lines.size() < 2 || lines.front() != kHeader || lines.back() != kEnd) return false;
    if ((lines.size() - 2) % 2 != 0) return false;
    names->assign(lines.begin() + 1, lines.end() - 1);
    return true;
}

// A file in the journal's own folder is named without the folder, so a folder moved or copied
// after a crash still finishes its set.
std::string journal_name(const std::string& path, const std::string& real_folder) {
    std::string base = base_of(path);
    return !real_folder.empty() && path == real_folder + base ? base : path;
}

std::string in_folder(const char* folder, const std::string& name) {
    return name.find('/') == std::string::npos ? std::string(folder) + "/" + name : name;
}

}  // namespace

bool uxjournal_commit(uxAtomicFile* const* files, int count, const char* folder) {
    char real[PATH_MAX];
    std::string real_folder = realpath(folder, real) ? std::string(real) + "/" : std::string();
    std::string text = std::string(kHeader) + "\n";
    int entries = 0;
    for (int i = 0; i < count; ++i) {
        const uxAtomicFile* f = files[i];
        if (f->error || f->in_place || !f->temp[0]) continue;
        if (std::strchr(f->temp, '\n') || std::strchr(f->target, '\n')) {
            errno = EINVAL;
            return false;
        }
        text += journal_name(f->temp, real_folder) + "\n" + journal_name(f->target, real_folder) + "\n";
        ++entries;
    }
    text += std::string(kEnd) + "\n";
    if (entries == 0) return true;

    maybe_die(-1);
    std::string path = journal_path(folder);
    int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0) return false;
    bool written = write_all(fd, text) && fsync(fd) == 0;
    int error = errno;
    close(fd);
    if (!written) {
        unlink(path.c_str());
        errno = error ? error : EIO;
        return false;
    }
    sync_folder(folder);
    maybe_die(0);

    bool ok = true;
    int first_error = 0, done = 0;
    for (int i = 0; i < count; ++i) {
        uxAtomicFile* f = files[i];
        if (f->error || f->in_place || !f->temp[0]) continue;
        if (!uxfile_commit(f)) {
            if (ok) first_error = errno;
            ok = false;
        }
        maybe_die(++done);
    }
    sync_folder(folder);
    unlink(path.c_str());
    sync_folder(folder);
    errno = first_error;
    return ok;
}

uxJournalRecovery uxjournal_recover(const char* folder) {
    uxJournalRecovery done;
    std::string path = journal_path(folder);
    std::vector<std::string> names;
    if (read_journal(path, &names)) {
        done.journal = true;
        for (size_t i = 0; i + 1 < names.size(); i += 2) {
            std::string temp = in_folder(folder, names[i]);
            std::string target = in_folder(folder, names[i + 1]);
            // A temporary file that is gone was renamed before the process died.
            if (!entry_is_sound(temp, target) || access(temp.c_str(), F_OK) != 0) continue;
            if (std::rename(temp.c_str(), target.c_str()) == 0) ++done.completed;
        }
        sync_folder(folder);
    }
    // What is left: temporary files of a set that never reached its journal (or of a single
    // file whose writer died), in this folder.
    if (DIR* dir = opendir(folder)) {
        while (dirent* entry = readdir(dir)) {
            if (!uxfile_is_temp_name(entry->d_name)) continue;
            std::string temp = std::string(folder) + "/" + entry->d_name;
            if (unlink(temp.c_str()) == 0) ++done.removed;
        }
        closedir(dir);
    }
    if (unlink(path.c_str()) == 0 || done.removed) sync_folder(folder);
    return done;
}

void uxjournal_describe(const uxJournalRecovery& done, char* out, size_t size) {
    if (size == 0) return;
    out[0] = 0;
    if (done.journal)
        std::snprintf(out, size,
                      "The files of an interrupted run were put in place (%d finished now, %d "
                      "left-over temporary files removed).",
                      done.completed, done.removed);
    else if (done.removed)
        std::snprintf(out, size,
                      "%d temporary files of an interrupted run were removed; the files of the "
                      "run before stay.",
                      done.removed);
}
