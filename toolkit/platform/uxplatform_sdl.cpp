// SDL2 back end: one SDL window per toolkit window with a streaming texture for its client
// buffer; input translated to the toolkit's event codes here and nowhere else.

#include <SDL.h>

#include <cstdio>
#include <cstring>

#include <unistd.h>

#include "toolkit/platform/uxplatform.h"

namespace {

struct SdlWindow {
    SDL_Window* window = nullptr;
    SDL_Renderer* renderer = nullptr;
    SDL_Texture* texture = nullptr;
    int tex_w = 0, tex_h = 0;
};

constexpr int kMaxWindows = 256;
SdlWindow windows[kMaxWindows];
SDL_AudioDeviceID audio_device = 0;
bool keyboard_ctrl = false, keyboard_shift = false;
// Every window shows its client pixels enlarged scale times (nearest neighbour); the toolkit
// sees logical coordinates: screen, window and mouse positions are divided by it here.
int scale = 1;

// 2 on a 3840x2160 screen or where the display reports 150 % (144 dpi) or more, else 1.
int proposed_scale() {
    SDL_DisplayMode mode;
    if (SDL_GetCurrentDisplayMode(0, &mode) == 0 && mode.w >= 3840 && mode.h >= 2160) return 2;
    float ddpi = 0, hdpi = 0, vdpi = 0;
    if (SDL_GetDisplayDPI(0, &ddpi, &hdpi, &vdpi) == 0 && hdpi >= 144.0f) return 2;
    return 1;
}

int handle_of(Uint32 sdl_id) {
    SDL_Window* w = SDL_GetWindowFromID(sdl_id);
    for (int i = 1; i < kMaxWindows; ++i)
        if (windows[i].window && windows[i].window == w) return i;
    return 0;
}

void report_no_display(const char* reason) {
    std::fprintf(stderr,
                 "verivire: no display could be opened (%s); run with UX_PLATFORM=headless "
                 "to work without a display\n",
                 reason);
}

// SDL's stand-in drivers when no display exists: windows would open on nothing and the program
// would wait for input that cannot come.
bool is_fallback_driver(const char* driver) {
    return driver && (!SDL_strcasecmp(driver, "offscreen") || !SDL_strcasecmp(driver, "dummy"));
}

// Standard error while SDL probes its drivers: the display libraries it tries complain there
// (for example about XDG_RUNTIME_DIR). Kept aside, so that "no display" stays one line; given
// back when a display was found.
struct HeldStderr {
    int saved = -1;
    FILE* held = nullptr;
};

HeldStderr hold_stderr() {
    HeldStderr h;
    std::fflush(stderr);
    h.held = std::tmpfile();
    h.saved = h.held ? dup(2) : -1;
    if (h.saved < 0 || dup2(fileno(h.held), 2) < 0) {
        if (h.saved >= 0) close(h.saved);
        if (h.held) std::fclose(h.held);
        return HeldStderr{};
    }
    return h;
}

void release_stderr(HeldStderr* h, bool show) {
    if (!h->held) return;
    std::fflush(stderr);
    dup2(h->saved, 2);
    close(h->saved);
    if (show) {
        std::rewind(h->held);
        char chunk[4096];
        size_t n;
        while ((n = std::fread(chunk, 1, sizeof chunk, h->held)) > 0) std::fwrite(chunk, 1, n, stderr);
    }
    std::fclose(h->held);
    *h = HeldStderr{};
}

bool sdl_init() {
    HeldStderr probing = hold_stderr();
    // The platform layer handles termination signals itself (uxplatform_install_signal_handlers).
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "nearest");
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_TIMER) != 0) {
        release_stderr(&probing, false);
        report_no_display(SDL_GetError());
        return false;
    }
    const char* driver = SDL_GetCurrentVideoDriver();
    if (is_fallback_driver(driver)) {
        char reason[64];
        std::snprintf(reason, sizeof reason, "only SDL's %s video driver", driver);
        SDL_Quit();
        release_stderr(&probing, false);
        report_no_display(reason);
        return false;
    }
    release_stderr(&probing, true);
    scale = uxplatform_scale_from_env(proposed_scale());
    SDL_StartTextInput();
    return true;
}

void sdl_shutdown() {
    for (int i = 1; i < kMaxWindows; ++i) {
        if (windows[i].texture) SDL_DestroyTexture(windows[i].texture);
        if (windows[i].renderer) SDL_DestroyRenderer(windows[i].renderer);
        if (windows[i].window) SDL_DestroyWindow(windows[i].window);
        windows[i] = SdlWindow{};
    }
    if (audio_device) SDL_CloseAudioDevice(audio_device);
    SDL_Quit();
}

int sdl_window_create(const char* title, int x, int y, int width, int height, int flags) {
    int slot = 0;
    for (int i = 1; i < kMaxWindows; ++i)
        if (!windows[i].window) {
            slot = i;
            break;
        }
    if (!slot) return -1;
    Uint32 sdl_flags = SDL_WINDOW_SHOWN;
    if (flags & UXPWIN_POPUP) sdl_flags |= SDL_WINDOW_BORDERLESS | SDL_WINDOW_POPUP_MENU;
    else if (!(flags & UXPWIN_FULLSCREEN)) sdl_flags |= SDL_WINDOW_RESIZABLE;
    if (flags & UXPWIN_FULLSCREEN) sdl_flags |= SDL_WINDOW_BORDERLESS;
    if (flags & UXPWIN_TOPMOST) sdl_flags |= SDL_WINDOW_ALWAYS_ON_TOP;
    int px = (flags & UXPWIN_DEFAULTPOS) ? SDL_WINDOWPOS_UNDEFINED : x;
    int py = (flags & UXPWIN_DEFAULTPOS) ? SDL_WINDOWPOS_UNDEFINED : y;
    if (!(flags & UXPWIN_DEFAULTPOS)) {
        px *= scale;
        py *= scale;
    }
    SDL_Window* w = SDL_CreateWindow(title, px, py, width * scale, height * scale, sdl_flags);
    if (!w) return -1;
    SDL_Renderer* r = SDL_CreateRenderer(w, -1, 0);
    if (!r) r = SDL_CreateRenderer(w, -1, SDL_RENDERER_SOFTWARE);
    windows[slot].window = w;
    windows[slot].renderer = r;
    return slot;
}

void sdl_window_destroy(int h) {
    if (h <= 0 || h >= kMaxWindows || !windows[h].window) return;
    if (windows[h].texture) SDL_DestroyTexture(windows[h].texture);
    if (windows[h].renderer) SDL_DestroyRenderer(windows[h].renderer);
    SDL_DestroyWindow(windows[h].window);
    windows[h] = SdlWindow{};
}

void sdl_window_set_title(int h, const char* title) {
    if (h > 0 && h < kMaxWindows && windows[h].window) SDL_SetWindowTitle(windows[h].window, title);
}

void sdl_window_resize(int h, int width, int height) {
    if (h > 0 && h < kMaxWindows && windows[h].window)
        SDL_SetWindowSize(windows[h].window, width * scale, height * scale);
}

void sdl_window_min_size(int h, int width, int height) {
    if (h > 0 && h < kMaxWindows && windows[h].window)
        SDL_SetWindowMinimumSize(windows[h].window, width * scale, height * scale);
}

int sdl_scale() { return scale; }

// Draws the last presented client pixels again, enlarged as on the screen, and reads them back
// before they are shown.
bool sdl_window_capture(int h, uint32_t* pixels, int width, int height) {
    if (h <= 0 || h >= kMaxWindows || !windows[h].renderer || !windows[h].texture) return false;
    SdlWindow& w = windows[h];
    SDL_RenderClear(w.renderer);
    SDL_Rect shown = {0, 0, w.tex_w * scale, w.tex_h * scale};
    SDL_RenderCopy(w.renderer, w.texture, nullptr, &shown);
    SDL_Rect area = {0, 0, width, height};
    bool ok = SDL_RenderReadPixels(w.renderer, &area, SDL_PIXELFORMAT_RGB888, pixels, width * 4) == 0;
    SDL_RenderPresent(w.renderer);
    return ok;
}

void sdl_window_present(int h, const uint32_t* pixels, int width, int height, int stride) {
    if (h <= 0 || h >= kMaxWindows || !windows[h].renderer || width <= 0 || height <= 0) return;
    SdlWindow& w = windows[h];
    if (!w.texture || w.tex_w != width || w.tex_h != height) {
        if (w.texture) SDL_DestroyTexture(w.texture);
        w.texture = SDL_CreateTexture(w.renderer, SDL_PIXELFORMAT_RGB888,
                                      SDL_TEXTUREACCESS_STREAMING, width, height);
        w.tex_w = width;
        w.tex_h = height;
    }
    if (!w.texture) return;
    SDL_UpdateTexture(w.texture, nullptr, pixels, stride * 4);
    SDL_RenderClear(w.renderer);
    SDL_Rect shown = {0, 0, width * scale, height * scale};
    SDL_RenderCopy(w.renderer, w.texture, nullptr, &shown);
    SDL_RenderPresent(w.renderer);
}

int key_code(SDL_Keycode k) {
    switch (k) {
        case SDLK_TAB: return 9;
        case SDLK_RETURN: case SDLK_KP_ENTER: return 10;
        case SDLK_ESCAPE: return 27;
        case SDLK_SPACE: return 32;
        case SDLK_BACKSPACE: return 8;
        case SDLK_LEFT: return 301;
        case SDLK_RIGHT: return 302;
        case SDLK_UP: return 303;
        case SDLK_DOWN: return 304;
        case SDLK_INSERT: return 317;
        case SDLK_LCTRL: case SDLK_RCTRL: return 318;
        case SDLK_LSHIFT: case SDLK_RSHIFT: return 319;
        case SDLK_HOME: return 320;
        case SDLK_END: return 321;
        case SDLK_DELETE: return 322;
        case SDLK_PAGEUP: return 323;
        case SDLK_PAGEDOWN: return 324;
        case SDLK_LALT: case SDLK_RALT: return 325;
        default: break;
    }
    if (k >= SDLK_F1 && k <= SDLK_F12) return 305 + static_cast<int>(k - SDLK_F1);
    return 0;
}

bool fill_mouse(uxPlatformEvent* e, Uint32 window, int code, int x, int y) {
    e->window = handle_of(window);
    e->code = code;
    e->data[0] = x / scale;
    e->data[1] = y / scale;
    return e->window != 0;
}

// Text input arrives as UTF-8; the toolkit works in Latin-1, one character per event.
char pending_text[64];
int pending_len = 0, pending_pos = 0;
int pending_window = 0;

int next_latin1(const char* s, int* used) {
    unsigned char c = static_cast<unsigned char>(s[0]);
    if (c < 0x80) {
        *used = 1;
        return c;
    }
    if ((c & 0xE0) == 0xC0 && s[1]) {
        *used = 2;
        int cp = ((c & 0x1F) << 6) | (static_cast<unsigned char>(s[1]) & 0x3F);
        return cp < 256 ? cp : '?';
    }
    int n = (c & 0xF0) == 0xE0 ? 3 : 4;
    int k = 1;
    while (k < n && s[k]) ++k;
    *used = k;
    return '?';
}

bool sdl_poll_event(uxPlatformEvent* e) {
    std::memset(e, 0, sizeof *e);
    if (pending_pos < pending_len) {
        int used = 1;
        int c = next_latin1(pending_text + pending_pos, &used);
        pending_pos += used;
        e->window = pending_window;
        e->code = 2016;
        e->data[0] = c;
        return true;
    }
    SDL_Event ev;
    while (SDL_PollEvent(&ev)) {
        switch (ev.type) {
            case SDL_QUIT:
                // A request to end the program (the desktop's quit): the close request
                // of the oldest open window, which is the application's main window.
                for (int i = 1; i < kMaxWindows; ++i)
                    if (windows[i].window) {
                        e->window = i;
                        e->code = 2001;
                        return true;
                    }
                break;
            case SDL_WINDOWEVENT:
                e->window = handle_of(ev.window.windowID);
                if (!e->window) break;
                switch (ev.window.event) {
                    case SDL_WINDOWEVENT_CLOSE: e->code = 2001; return true;
                    case SDL_WINDOWEVENT_EXPOSED: e->code = 2002; return true;
                    case SDL_WINDOWEVENT_SIZE_CHANGED:
                        e->code = 2003;
                        e->data[0] = ev.window.data1 / scale;
                        e->data[1] = ev.window.data2 / scale;
                        return true;
                    case SDL_WINDOWEVENT_FOCUS_GAINED: e->code = 2018; return true;
                    case SDL_WINDOWEVENT_FOCUS_LOST: e->code = 2019; return true;
                    default: break;
                }
                break;
            case SDL_MOUSEBUTTONDOWN:
            case SDL_MOUSEBUTTONUP: {
                bool down = ev.type == SDL_MOUSEBUTTONDOWN;
                int base = ev.button.button == SDL_BUTTON_LEFT     ? 2004
                           : ev.button.button == SDL_BUTTON_MIDDLE ? 2007
                           : ev.button.button == SDL_BUTTON_RIGHT  ? 2010
                                                                   : 0;
                if (!base) break;
                int code = down ? (ev.button.clicks == 2 ? base + 2 : base) : base + 1;
                if (fill_mouse(e, ev.button.windowID, code, ev.button.x, ev.button.y)) return true;
                break;
            }
            case SDL_MOUSEWHEEL: {
                int x = 0, y = 0;
                SDL_GetMouseState(&x, &y);
                if (fill_mouse(e, ev.wheel.windowID, ev.wheel.y > 0 ? 2013 : 2014, x, y))
                    return true;
                break;
            }
            case SDL_MOUSEMOTION:
                if (fill_mouse(e, ev.motion.windowID, 2015, ev.motion.x, ev.motion.y)) return true;
                break;
            case SDL_KEYDOWN:
            case SDL_KEYUP: {
                bool down = ev.type == SDL_KEYDOWN;
                SDL_Keycode k = ev.key.keysym.sym;
                if (k == SDLK_LCTRL || k == SDLK_RCTRL) keyboard_ctrl = down;
                if (k == SDLK_LSHIFT || k == SDLK_RSHIFT) keyboard_shift = down;
                e->window = handle_of(ev.key.windowID);
                if (!e->window) break;
                if (down) {
                    bool ctrl = keyboard_ctrl, shift = keyboard_shift;
                    if ((shift && k == SDLK_INSERT) || (ctrl && k == SDLK_v)) {
                        e->code = 2032;
                        return true;
                    }
                    if ((ctrl && k == SDLK_INSERT) || (ctrl && k == SDLK_c)) {
                        e->code = 2033;
                        return true;
                    }
                    if ((shift && k == SDLK_DELETE) || (ctrl && k == SDLK_x)) {
                        e->code = 2034;
                        return true;
                    }
                }
                int code = key_code(k);
                if (!code && !down && k < 256) code = static_cast<int>(k);
                if (!code) break;
                e->code = down ? 2016 : 2017;
                e->data[0] = code;
                return true;
            }
            case SDL_TEXTINPUT: {
                if (keyboard_ctrl) break;
                // Space comes from the key-down message already.
                int n = 0;
                for (const char* p = ev.text.text; *p && n < 63; ++p)
                    if (*p != ' ') pending_text[n++] = *p;
                pending_text[n] = 0;
                pending_len = n;
                pending_pos = 0;
                pending_window = handle_of(ev.text.windowID);
                if (pending_len && pending_window) return sdl_poll_event(e);
                break;
            }
            default: break;
        }
        std::memset(e, 0, sizeof *e);
    }
    return false;
}

void sdl_screen_size(int* w, int* h) {
    SDL_DisplayMode mode;
    if (SDL_GetCurrentDisplayMode(0, &mode) == 0) {
        *w = mode.w / scale;
        *h = mode.h / scale;
    } else {
        *w = 1024;
        *h = 768;
    }
}

void sdl_work_area(int* x, int* y, int* w, int* h) {
    SDL_Rect r;
    if (SDL_GetDisplayUsableBounds(0, &r) == 0) {
        *x = r.x / scale;
        *y = r.y / scale;
        *w = r.w / scale;
        *h = r.h / scale;
    } else {
        *x = *y = 0;
        sdl_screen_size(w, h);
    }
}

int sdl_system_colour(int) { return -1; }
uint64_t sdl_clock_ms() { return SDL_GetTicks64(); }
void sdl_sleep_ms(int ms) {
    if (ms > 0) SDL_Delay(static_cast<Uint32>(ms));
}

void sdl_clipboard_set(const char* latin1) {
    char utf8[8192];
    int n = 0;
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(latin1); *p && n < 8188;
         ++p) {
        if (*p < 0x80) utf8[n++] = static_cast<char>(*p);
        else {
            utf8[n++] = static_cast<char>(0xC0 | (*p >> 6));
            utf8[n++] = static_cast<char>(0x80 | (*p & 0x3F));
        }
    }
    utf8[n] = 0;
    SDL_SetClipboardText(utf8);
}

int sdl_clipboard_get(char* out, int size) {
    if (size <= 0) return 0;
    out[0] = 0;
    char* text = SDL_GetClipboardText();
    if (!text) return 0;
    int n = 0;
    for (const char* p = text; *p && n < size - 1;) {
        int used = 1;
        out[n++] = static_cast<char>(next_latin1(p, &used));
        p += used;
    }
    out[n] = 0;
    SDL_free(text);
    return n;
}

void sdl_play_sound(const char* path) {
    if (!(SDL_WasInit(SDL_INIT_AUDIO) & SDL_INIT_AUDIO) && SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
        return;
    SDL_AudioSpec spec;
    Uint8* buffer = nullptr;
    Uint32 length = 0;
    if (!SDL_LoadWAV(path, &spec, &buffer, &length)) return;
    if (audio_device) SDL_CloseAudioDevice(audio_device);
    audio_device = SDL_OpenAudioDevice(nullptr, 0, &spec, nullptr, 0);
    if (audio_device) {
        SDL_QueueAudio(audio_device, buffer, length);
        SDL_PauseAudioDevice(audio_device, 0);
    }
    SDL_FreeWAV(buffer);
}

}  // namespace

const uxPlatform uxplatform_sdl = {
    "sdl",              sdl_init,          sdl_shutdown,         sdl_window_create,
    sdl_window_destroy, sdl_window_set_title, sdl_window_resize, sdl_window_present,
    sdl_poll_event,     sdl_screen_size,   sdl_work_area,        sdl_system_colour,
    sdl_clock_ms,       sdl_sleep_ms,      sdl_clipboard_set,    sdl_clipboard_get,
    sdl_play_sound,     true,              sdl_scale,            sdl_window_min_size,
    sdl_window_capture,
};
