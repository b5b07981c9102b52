// Headless back end: windows are only client buffers in the toolkit, nothing is shown, input
// comes from the automation script, and the clock is virtual unless UX_CLOCK=real.

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

#include "toolkit/platform/uxplatform.h"

static int screen_w = 1920, screen_h = 1080;  // logical: UX_SCREEN divided by the scale
static int scale = 1;
static bool virtual_clock = true;
static uint64_t virtual_ms = 0;
static int next_handle = 1;
static std::string clipboard;

static bool hl_init() {
    if (const char* s = std::getenv("UX_SCREEN")) {
        int w = 0, h = 0;
        if (std::sscanf(s, "%dx%d", &w, &h) == 2 && w > 0 && h > 0) {
            screen_w = w;
            screen_h = h;
        }
    }
    // The scale only enlarges screenshots here; the toolkit sees the logical screen.
    scale = uxplatform_scale_from_env(1);
    screen_w /= scale;
    screen_h /= scale;
    const char* c = std::getenv("UX_CLOCK");
    virtual_clock = !(c && !std::strcmp(c, "real"));
    return true;
}

static void hl_shutdown() {}
static int hl_window_create(const char*, int, int, int, int, int) { return next_handle++; }
static void hl_window_destroy(int) {}
static void hl_window_set_title(int, const char*) {}
static void hl_window_resize(int, int, int) {}
static void hl_window_present(int, const uint32_t*, int, int, int) {}
static bool hl_poll_event(uxPlatformEvent*) { return false; }
static void hl_screen_size(int* w, int* h) {
    *w = screen_w;
    *h = screen_h;
}
static void hl_work_area(int* x, int* y, int* w, int* h) {
    *x = 0;
    *y = 0;
    *w = screen_w;
    *h = screen_h;
}
static int hl_system_colour(int) { return -1; }

static uint64_t hl_clock_ms() {
    if (virtual_clock) return virtual_ms;
    using namespace std::chrono;
    return static_cast<uint64_t>(
        duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

static void hl_sleep_ms(int ms) {
    if (ms <= 0) return;
    if (virtual_clock) virtual_ms += static_cast<uint64_t>(ms);
    else std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

static void hl_clipboard_set(const char* text) { clipboard = text ? text : ""; }
static int hl_clipboard_get(char* out, int size) {
    if (size <= 0) return 0;
    std::snprintf(out, static_cast<size_t>(size), "%s", clipboard.c_str());
    return static_cast<int>(std::strlen(out));
}
static void hl_play_sound(const char*) {}
static int hl_scale() { return scale; }

const uxPlatform uxplatform_headless = {
    "headless",         hl_init,          hl_shutdown,         hl_window_create,
    hl_window_destroy,  hl_window_set_title, hl_window_resize, hl_window_present,
    hl_poll_event,      hl_screen_size,   hl_work_area,        hl_system_colour,
    hl_clock_ms,        hl_sleep_ms,      hl_clipboard_set,    hl_clipboard_get,
    hl_play_sound,      false,            hl_scale,            nullptr,
    nullptr,
};
