// Runs a harness over the inputs named on the command line (files, or folders whose files are
// all run), for builds without libFuzzer: the same harness source then replays its corpus and
// crash reproducers in the ordinary test run. Arguments starting with '-' are ignored, so the
// libFuzzer command lines work too.
#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) __attribute__((weak));

static bool run_file(const std::string& path) {
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) {
        std::fprintf(stderr, "replay: cannot read %s\n", path.c_str());
        return false;
    }
    std::vector<uint8_t> bytes;
    uint8_t buffer[65536];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0)
        bytes.insert(bytes.end(), buffer, buffer + n);
    std::fclose(f);
    // A copy of exactly the input's size, so reading past it is caught by the sanitizers.
    uint8_t* copy = new uint8_t[bytes.size() ? bytes.size() : 1];
    std::copy(bytes.begin(), bytes.end(), copy);
    LLVMFuzzerTestOneInput(copy, bytes.size());
    delete[] copy;
    return true;
}

int main(int argc, char** argv) {
    if (LLVMFuzzerInitialize) LLVMFuzzerInitialize(&argc, &argv);
    // Every path is made absolute before the first input runs: a harness may change the
    // working directory.
    std::vector<std::string> all;
    bool ok = true;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (!arg.empty() && arg[0] == '-') continue;
        struct stat st;
        if (stat(arg.c_str(), &st) != 0) {
            std::fprintf(stderr, "replay: no such input %s\n", arg.c_str());
            ok = false;
            continue;
        }
        std::vector<std::string> files;
        if (S_ISDIR(st.st_mode)) {
            if (DIR* d = opendir(arg.c_str())) {
                while (dirent* e = readdir(d))
                    if (e->d_name[0] != '.') files.push_back(arg + "/" + e->d_name);
                closedir(d);
            }
            std::sort(files.begin(), files.end());
        } else {
            files.push_back(arg);
        }
        for (const std::string& f : files) {
            char* full = realpath(f.c_str(), nullptr);
            all.push_back(full ? full : f);
            std::free(full);
        }
    }
    int inputs = 0;
    for (const std::string& f : all) {
        if (run_file(f)) ++inputs;
        else ok = false;
    }
    std::printf("replayed %d inputs\n", inputs);
    return ok ? 0 : 1;
}
