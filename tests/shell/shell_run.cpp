#include "shell_run.h"

#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "toolkit/core/uxentry.h"
#include "toolkit/automation/uxscript.h"

namespace fs = std::filesystem;

ShellRun::~ShellRun() {
    std::error_code ignored;
    if (!dir.empty()) fs::remove_all(dir, ignored);
}

std::string ShellRun::file(const char* name) const {
    std::ifstream in(dir + "/" + name, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

static void write_file(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

ShellRun RunShell(const std::string& script, const std::function<std::string()>& body) {
    ShellRun run;
    char pattern[] = "/tmp/vv_shell_XXXXXX";
    run.dir = mkdtemp(pattern);
    for (const char* name : {"solarsystem-1.bmp", "solarsystem-2.bmp"})
        fs::copy_file(fs::path(VV_SOURCE_DIR) / "data" / name, fs::path(run.dir) / name);
    write_file(run.dir + "/script.uxs", script);
    std::fflush(nullptr);
    auto start = std::chrono::steady_clock::now();
    pid_t pid = fork();
    if (pid == 0) {
        if (chdir(run.dir.c_str()) != 0) _exit(3);
        setenv("UX_PLATFORM", "headless", 1);
        setenv("UX_SCRIPT", "script.uxs", 1);
        unsetenv("UX_CLOCK");
        if (!std::freopen("stdout.txt", "w", stdout) || !std::freopen("stderr.txt", "w", stderr))
            _exit(3);
        if (!uxentry_init()) _exit(3);
        uxscript_start();
        std::string result = body();
        write_file("result.txt", result);
        std::fflush(nullptr);
        _exit(0);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    run.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.returned = fs::exists(run.dir + "/result.txt");
    run.result = run.file("result.txt");
    run.err = run.file("stderr.txt");
    return run;
}

static unsigned read_le(const std::string& s, size_t at, int bytes) {
    unsigned v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = v << 8 | static_cast<unsigned char>(s[at + i]);
    return v;
}

bool BmpSize(const std::string& bmp, int* width, int* height) {
    if (bmp.size() < 54 || bmp.compare(0, 2, "BM") != 0) return false;
    *width = static_cast<int>(read_le(bmp, 18, 4));
    *height = std::abs(static_cast<int>(read_le(bmp, 22, 4)));
    return true;
}

bool BmpAllWhite(const std::string& bmp) {
    int w = 0, h = 0;
    if (!BmpSize(bmp, &w, &h) || read_le(bmp, 28, 2) != 24) return false;
    size_t offset = read_le(bmp, 10, 4), stride = (static_cast<size_t>(w) * 3 + 3) / 4 * 4;
    if (bmp.size() < offset + stride * h) return false;
    for (int y = 0; y < h; ++y)
        for (size_t i = 0; i < static_cast<size_t>(w) * 3; ++i)
            if (static_cast<unsigned char>(bmp[offset + y * stride + i]) != 0xFF) return false;
    return true;
}
