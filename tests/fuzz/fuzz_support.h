#pragma once
// Shared by the fuzz harnesses: a private working folder per process, writing an input into a
// file there, and a headless toolkit.

#include <cstddef>
#include <cstdint>

// Creates (once) a fresh folder under the system temporary folder for the harness's files.
const char* fuzz_workdir();
// Makes that folder the working directory, for readers that take names relative to it. Input
// paths given to the harness must then be absolute (tools/fuzz.sh and the tests give them so).
void fuzz_enter_workdir();
// The full name of `name` in the folder (a static buffer).
const char* fuzz_path(const char* name);
// Writes the bytes to `name` in the folder; false when it cannot.
bool fuzz_write_file(const char* name, const uint8_t* data, size_t size);
// Initialises the toolkit once on the headless platform.
void fuzz_headless();
// A copy of the bytes as a terminated string of at most `limit` bytes (cut at the first NUL).
char* fuzz_string(const uint8_t* data, size_t size, size_t limit);
