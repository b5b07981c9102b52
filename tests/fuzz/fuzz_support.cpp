#include "tests/fuzz/fuzz_support.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

#include "toolkit/core/uxentry.h"

const char* fuzz_workdir() {
    static char dir[512];
    if (!dir[0]) {
        const char* tmp = std::getenv("TMPDIR");
        std::snprintf(dir, sizeof dir, "%s/vvfuzz.XXXXXX", tmp && *tmp ? tmp : "/tmp");
        if (!mkdtemp(dir)) {
            std::fprintf(stderr, "fuzz: cannot make a working folder %s\n", dir);
            std::abort();
        }
    }
    return dir;
}

void fuzz_enter_workdir() {
    if (chdir(fuzz_workdir()) != 0) {
        std::fprintf(stderr, "fuzz: cannot enter %s\n", fuzz_workdir());
        std::abort();
    }
}

const char* fuzz_path(const char* name) {
    static char path[1024];
    std::snprintf(path, sizeof path, "%s/%s", fuzz_workdir(), name);
    return path;
}

bool fuzz_write_file(const char* name, const uint8_t* data, size_t size) {
    FILE* f = std::fopen(fuzz_path(name), "wb");
    if (!f) return false;
    bool ok = std::fwrite(data, 1, size, f) == size;
    return std::fclose(f) == 0 && ok;
}

void fuzz_headless() {
    static bool done = false;
    if (done) return;
    done = true;
    setenv("UX_PLATFORM", "headless", 1);
    if (!uxentry_init()) {
        std::fprintf(stderr, "fuzz: no headless platform\n");
        std::abort();
    }
}

char* fuzz_string(const uint8_t* data, size_t size, size_t limit) {
    size_t n = size < limit ? size : limit;
    char* s = new char[n + 1];
    std::memcpy(s, data, n);
    s[n] = 0;
    return s;
}
