#pragma once
// Runs a piece of the shell in a forked process: headless, in a fresh working directory seeded
// with the shipped pictures, driven by an automation script. The toolkit and the automation
// runner keep process-wide state, so every run gets a process of its own.

#include <functional>
#include <string>

struct ShellRun {
    int exit_code = -1;  // -1 when the process did not exit normally
    double seconds = 0;  // wall time of the whole run
    std::string result;  // what the body returned (empty when the process ended inside it)
    std::string dir;     // the working directory, removed with the run
    std::string err;     // standard error
    bool returned = false;
    ShellRun() = default;
    ShellRun(const ShellRun&) = delete;
    ShellRun(ShellRun&& o) noexcept
        : exit_code(o.exit_code),
          seconds(o.seconds),
          result(std::move(o.result)),
          dir(std::move(o.dir)),
          err(std::move(o.err)),
          returned(o.returned) {
        o.dir.clear();
    }
    ~ShellRun();
    std::string file(const char* name) const;  // contents of a file in the working directory
};

ShellRun RunShell(const std::string& script, const std::function<std::string()>& body);

// Width and height of a BMP file's header, and whether every pixel of a 24-bit one is white.
bool BmpSize(const std::string& bmp, int* width, int* height);
bool BmpAllWhite(const std::string& bmp);
