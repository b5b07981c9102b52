#pragma once
// The one narrow door to the operating system. Two back ends fill this record: SDL2 (real
// windows) and headless (client buffers in memory, virtual clock). Nothing above this file knows
// which one runs.

#include <cstdint>

enum {
    UXPWIN_POPUP = 1,       // borderless popup (combo lists, menus)
    UXPWIN_TOPMOST = 2,     // modal windows stay on top
    UXPWIN_SYSMENU = 4,     // close box and system menu
    UXPWIN_FULLSCREEN = 8,
    UXPWIN_DEFAULTPOS = 16  // let the platform place the window
};

// An input event already translated to the toolkit's codes (2001 close .. 2034 cut).
struct uxPlatformEvent {
    int window;  // handle returned by window_create
    int code;
    int data[6];
};

struct uxPlatform {
    const char* name;
    bool (*init)();
    void (*shutdown)();
    int (*window_create)(const char* title, int x, int y, int width, int height, int flags);
    void (*window_destroy)(int handle);
    void (*window_set_title)(int handle, const char* title);
    void (*window_resize)(int handle, int width, int height);
    // Shows the client pixels (0x00RRGGBB, `stride` pixels per row).
    void (*window_present)(int handle, const uint32_t* pixels, int width, int height, int stride);
    bool (*poll_event)(uxPlatformEvent* event);
    void (*screen_size)(int* width, int* height);
    void (*work_area)(int* x, int* y, int* width, int* height);
    // A system colour (0 face, 2 shadow, 5 text, 6 grey text) as 0xRRGGBB, or -1 when none.
    int (*system_colour)(int role);
    uint64_t (*clock_ms)();
    void (*sleep_ms)(int ms);
    void (*clipboard_set)(const char* latin1);
    // Fills `out` (Latin-1, terminated) and returns its length; 0 when empty.
    int (*clipboard_get)(char* out, int size);
    void (*play_sound)(const char* path);
    bool interactive;  // a person can give input (false for headless)
    // The display scale (uxplatform_scale), decided once after init; nullptr means 1.
    int (*scale)();
    // The smallest client size the person may give the window (nullptr: no such limit).
    void (*window_min_size)(int handle, int width, int height);
    // Reads back what the window shows, `width` x `height` screen pixels (its client size times
    // the scale), as 0x00RRGGBB; nullptr where nothing is shown (headless).
    bool (*window_capture)(int handle, uint32_t* pixels, int width, int height);
};

extern const uxPlatform* uxplatform;

extern const uxPlatform uxplatform_sdl;
extern const uxPlatform uxplatform_headless;

// Chooses the back end from UX_PLATFORM and initialises it, decides the display scale and
// installs the termination handlers; false when it cannot start.
bool uxplatform_select();

// Termination requests (SIGTERM, SIGINT, SIGHUP). The handlers are installed once by
// uxplatform_select and only note the signal; the event loop reads it through this call and
// ends the program as the quit button would. The signal number, 0 while none arrived.
int uxplatform_signal();
void uxplatform_install_signal_handlers();

// The display scale: every window is laid out and drawn at its logical size and shown with each
// pixel enlarged to scale x scale screen pixels. UX_SCALE=1..4 sets it; otherwise the back end
// proposes one (2 on a 3840x2160 screen or at 150 % and more, else 1).
int uxplatform_scale();
// The scale UX_SCALE asks for, or `proposed` when it is unset or not 1..4.
int uxplatform_scale_from_env(int proposed);
