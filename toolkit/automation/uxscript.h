#pragma once
// The automation runner: plays the person at the keyboard from a script (UX_SCRIPT). It runs one
// command each time a wait finds nothing to do, and synthesises the same events a person would
// cause, so everything above it is exercised for real.

// Loads the script named by UX_SCRIPT (if any) and installs the idle hook. An unreadable
// script ends the program with exit code 2.
void uxscript_start();

// Parts of the program the runner reaches through hooks, registered by their owners.
struct uxScriptHooks {
    bool (*save_text_page)(int page, const char* path) = nullptr;     // the shell
    bool (*save_graphic_page)(int page, const char* path) = nullptr;  // the shell
    bool (*dump_terminal)(const char* path) = nullptr;                // the terminal
    // The open file dialog takes a typed name (nullptr cancels); false when none is open.
    bool (*file_dialog_answer)(const char* path) = nullptr;
};
extern uxScriptHooks uxscript_hooks;

// Splits one script line into arguments (quotes, \" \\ \n escapes); returns the count, -1
// when the line is malformed, -2 when an argument is longer than 1023 bytes (the runner then
// says "line too long"). Exposed for tests.
int uxscript_split(const char* line, char args[][1024], int max_args);
// UTF-8 to Latin-1 (characters beyond Latin-1 become '?').
void uxscript_to_latin1(const char* utf8, char* out, int size);

// For tests and fuzzing. A command that cannot be carried out calls the hook, when one is set,
// with the script line number and the message (without the "uxscript:LINE: " prefix) instead of
// printing them and ending the program with exit code 2. The hook must not return: it throws or
// longjmps out of the runner. nullptr restores the program's behaviour.
void uxscript_set_failure_hook(void (*hook)(int line, const char* message));
// Runs one script line as the runner does (UTF-8 to Latin-1, split, run the command); false for
// a blank line or a comment. Commands run at once, outside any wait, and failures go through the
// failure path above.
bool uxscript_run_line(const char* line);
