#include "toolkit/automation/uxscript.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <strings.h>

#include "toolkit/platform/uxplatform.h"
#include "toolkit/core/uxevent.h"
#include "toolkit/core/uxrandom.h"
#include "toolkit/drawing/uxpicture.h"
#include "toolkit/core/uxwindow.h"

uxScriptHooks uxscript_hooks;

namespace {

struct Script {
    char** lines = nullptr;
    int count = 0;
    int next = 0;  // index of the next line to run
    bool finished = false;
    int current_line = 0;
};

Script script;

void (*failure_hook)(int line, const char* message) = nullptr;

[[noreturn]] void fail(const char* format, const char* detail = "") {
    if (failure_hook) {
        char message[4096];
        std::snprintf(message, sizeof message, format, detail);
        failure_hook(script.current_line, message);
        // The hook must not return; one that does still ends the run as the contract says.
    }
    std::fprintf(stderr, "uxscript:%d: ", script.current_line);
    std::fprintf(stderr, format, detail);
    std::fprintf(stderr, "\n");
    std::fflush(stdout);
    std::fflush(stderr);
    std::_Exit(2);
}

// ---- finding widgets --------------------------------------------------------------------------

void strip_accelerators(const char* in, char* out, int size) {
    int n = 0;
    for (const char* p = in; *p && n < size - 1; ++p)
        if (*p != '&') out[n++] = *p;
    out[n] = 0;
}

using Visitor = bool (*)(uxWidget* w, void* context);  // true stops the walk

bool walk(uxContainer* c, Visitor visit, void* context) {
    if (!c || !c->visible) return false;
    for (int i = 0; i < c->count; ++i) {
        uxWidget* w = c->widgets[i];
        if (!uxwidget_shown(w)) continue;
        if (visit(w, context)) return true;
        if (w->child && walk(w->child, visit, context)) return true;
    }
    return false;
}

// Windows in search order: the top window first, then every other open window, newest first.
int windows_in_order(uxWindow** out, int cap) {
    int n = 0;
    uxWindow* top = uxwindow_top();
    if (top) out[n++] = top;
    for (;;) {
        uxWindow* best = nullptr;
        for (int s = 0; s < uxwindow_count_slots(); ++s) {
            uxWindow* w = uxwindow_at(s);
            if (!w || !w->open) continue;
            bool taken = false;
            for (int k = 0; k < n; ++k)
                if (out[k] == w) taken = true;
            if (taken) continue;
            if (!best || w->created_order > best->created_order) best = w;
        }
        if (!best || n >= cap) break;
        out[n++] = best;
    }
    return n;
}

struct ButtonSearch {
    const char* caption;
    int wanted;
    int seen;
    uxWidget* found;
};

bool visit_button(uxWidget* w, void* context) {
    ButtonSearch* s = static_cast<ButtonSearch*>(context);
    if (w->role != UXROLE_BUTTON || w->part || !w->caption) return false;
    char plain[1024];
    strip_accelerators(w->caption, plain, sizeof plain);
    if (std::strcmp(plain, s->caption) != 0) return false;
    if (++s->seen == s->wanted) {
        s->found = w;
        return true;
    }
    return false;
}

void click_at(uxWindow* win, int x, int y, bool twice = false) {
    uxEvent down = {UXEV_LDOWN, {x, y}};
    uxEvent up = {UXEV_LUP, {x, y}};
    uxwindow_dispatch(win, &down);
    uxwindow_dispatch(win, &up);
    if (twice) {
        uxEvent dbl = {UXEV_LDBL, {x, y}};
        uxwindow_dispatch(win, &dbl);
        uxwindow_dispatch(win, &up);
    }
}

void click_widget(uxWidget* w, bool twice = false) {
    click_at(w->container->window, w->abs_x + w->layout.width / 2,
             w->abs_y + w->layout.height / 2, twice);
}

struct RoleSearch {
    uxWidgetRole role;
    int wanted;
    int seen;
    uxWidget* found;
};

bool visit_role(uxWidget* w, void* context) {
    RoleSearch* s = static_cast<RoleSearch*>(context);
    if (w->role != s->role || w->part) return false;
    if (++s->seen == s->wanted) {
        s->found = w;
        return true;
    }
    return false;
}

uxWidget* find_role(uxWindow* win, uxWidgetRole role, int n = 1) {
    RoleSearch s{role, n, 0, nullptr};
    if (win) walk(&win->container, visit_role, &s);
    return s.found;
}

uxWindow* top_window() {
    uxWindow* w = uxwindow_top();
    if (!w) fail("no window is open");
    return w;
}

uxWindow* newest_popup() {
    uxWindow* best = nullptr;
    for (int s = 0; s < uxwindow_count_slots(); ++s) {
        uxWindow* w = uxwindow_at(s);
        if (w && w->open && w->popup && (!best || w->created_order > best->created_order))
            best = w;
    }
    return best;
}

struct TextSearch {
    const char* text;
    bool found;
};

bool visit_text(uxWidget* w, void* context) {
    TextSearch* s = static_cast<TextSearch*>(context);
    if ((w->role != UXROLE_LABEL && w->role != UXROLE_TEXTBOX) || !w->text) return false;
    const char* t = w->text(w);
    if (t && std::strstr(t, s->text)) s->found = true;
    return s->found;
}

// ---- keys -------------------------------------------------------------------------------------

struct KeyName {
    const char* name;
    int code;
};

const KeyName key_names[] = {
    {"Return", UXKEY_RETURN}, {"Tab", UXKEY_TAB},         {"Escape", UXKEY_ESCAPE},
    {"Space", UXKEY_SPACE},   {"Backspace", UXKEY_BACKSPACE}, {"Delete", UXKEY_DELETE},
    {"Insert", UXKEY_INSERT}, {"Home", UXKEY_HOME},       {"End", UXKEY_END},
    {"PageUp", UXKEY_PAGEUP}, {"PageDown", UXKEY_PAGEDOWN}, {"Left", UXKEY_LEFT},
    {"Right", UXKEY_RIGHT},   {"Up", UXKEY_UP},           {"Down", UXKEY_DOWN},
};

void send(uxWindow* win, int code, int key) {
    uxEvent ev = {code, {key}};
    uxwindow_dispatch(win, &ev);
}

void press_key(uxWindow* win, const char* spec) {
    int mods = 0;
    for (;;) {
        if (!strncasecmp(spec, "Ctrl+", 5)) mods |= UXMOD_CTRL, spec += 5;
        else if (!strncasecmp(spec, "Shift+", 6)) mods |= UXMOD_SHIFT, spec += 6;
        else if (!strncasecmp(spec, "Alt+", 4)) mods |= UXMOD_ALT, spec += 4;
        else break;
    }
    int code = -1;
    if (std::strlen(spec) == 1) code = static_cast<unsigned char>(spec[0]);
    for (const KeyName& k : key_names)
        if (!strcasecmp(spec, k.name)) code = k.code;
    if ((spec[0] == 'F' || spec[0] == 'f') && spec[1]) {
        int n = std::atoi(spec + 1);
        if (n >= 1 && n <= 12) code = UXKEY_F1 + n - 1;
    }
    if (code < 0) fail("unknown key %s", spec);
    // Clipboard shortcuts become the clipboard events, as the platform back ends send them.
    int c = code < 256 ? (code | 0x20) : static_cast<int>(code);
    if (((mods & UXMOD_CTRL) && c == 'v') || ((mods & UXMOD_SHIFT) && code == UXKEY_INSERT)) {
        send(win, UXEV_PASTE, 0);
        return;
    }
    if (((mods & UXMOD_CTRL) && c == 'c') || ((mods & UXMOD_CTRL) && code == UXKEY_INSERT)) {
        send(win, UXEV_COPY, 0);
        return;
    }
    if (((mods & UXMOD_CTRL) && c == 'x') || ((mods & UXMOD_SHIFT) && code == UXKEY_DELETE)) {
        send(win, UXEV_CUT, 0);
        return;
    }
    if (mods & UXMOD_CTRL) send(win, UXEV_KEYDOWN, UXKEY_CTRL);
    if (mods & UXMOD_SHIFT) send(win, UXEV_KEYDOWN, UXKEY_SHIFT);
    if (mods & UXMOD_ALT) send(win, UXEV_KEYDOWN, UXKEY_ALT);
    send(win, UXEV_KEYDOWN, code);
    if (win->open) send(win, UXEV_KEYUP, code);
    if (win->open && (mods & UXMOD_ALT)) send(win, UXEV_KEYUP, UXKEY_ALT);
    if (win->open && (mods & UXMOD_SHIFT)) send(win, UXEV_KEYUP, UXKEY_SHIFT);
    if (win->open && (mods & UXMOD_CTRL)) send(win, UXEV_KEYUP, UXKEY_CTRL);
}

void type_text(uxWindow* win, const char* text) {
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); *p && win->open;
         ++p) {
        int code = *p == '\n' ? static_cast<int>(UXKEY_RETURN) : *p;
        send(win, UXEV_KEYDOWN, code);
        if (win->open) send(win, UXEV_KEYUP, code);
    }
}

void fill_focused(uxWindow* win, const char* text) {
    uxWidget* f = win->focus;
    if (!f || !f->set_text) fail("no text field has the focus");
    f->set_text(f, "");
    type_text(win, text);
}

// ---- commands ---------------------------------------------------------------------------------

// A screenshot shows the window as the screen does: read back from the display where there is
// one, else each pixel of the client buffer enlarged to scale x scale.
bool save_screenshot(uxWindow* win, const char* path) {
    const uxPixmap* client = &win->client;
    int scale = uxplatform_scale();
    if (scale <= 1 && !uxplatform->window_capture) return uxpxmap_savetofile(client, path);
    uxPixmap big;
    uxpxmap_create(&big, client->width * scale, client->height * scale, UXPX_TRUECOLOR);
    bool captured = false;
    if (uxplatform->window_capture) {
        uxplatform->window_present(win->handle, client->pixels, client->width, client->height,
                                   client->width);
        captured = uxplatform->window_capture(win->handle, big.pixels, big.width, big.height);
    }
    if (!captured)
        for (int y = 0; y < big.height; ++y)
            for (int x = 0; x < big.width; ++x)
                big.pixels[y * big.width + x] =
                    client->pixels[(y / scale) * client->width + x / scale];
    bool ok = uxpxmap_savetofile(&big, path);
    uxpxmap_destroy(&big);
    return ok;
}

int number_arg(const char* text) {
    char* end = nullptr;
    long v = std::strtol(text, &end, 10);
    if (!*text || *end) fail("not a number: %s", text);
    return static_cast<int>(v);
}

void run_command(int argc, char args[][1024]) {
    const char* cmd = args[0];
    auto need = [&](int n) {
        if (argc < n) fail("missing argument for %s", cmd);
    };
    if (!std::strcmp(cmd, "click")) {
        need(2);
        int n = argc > 2 ? number_arg(args[2]) : 1;
        ButtonSearch s{args[1], n, 0, nullptr};
        uxWindow* order[128];
        int count = windows_in_order(order, 128);
        for (int i = 0; i < count && !s.found; ++i) walk(&order[i]->container, visit_button, &s);
        if (!s.found) fail("no button \"%s\"", args[1]);
        click_widget(s.found);
    } else if (!std::strcmp(cmd, "key")) {
        need(2);
        int n = argc > 2 ? number_arg(args[2]) : 1;
        for (int i = 0; i < n; ++i) press_key(top_window(), args[1]);
    } else if (!std::strcmp(cmd, "type")) {
        need(2);
        type_text(top_window(), args[1]);
    } else if (!std::strcmp(cmd, "fill")) {
        need(2);
        fill_focused(top_window(), args[1]);
    } else if (!std::strcmp(cmd, "input")) {
        need(3);
        uxWindow* win = top_window();
        uxWidget* field = find_role(win, UXROLE_TEXTFIELD, number_arg(args[1]));
        if (!field) fail("no text field %s", args[1]);
        uxWidget* target = field->focus_proxy ? field->focus_proxy : field;
        click_widget(target);
        if (win->focus != target) uxwidget_focus(target);
        fill_focused(win, args[2]);
    } else if (!std::strcmp(cmd, "clickfield")) {
        // A person's click (or double click) at the middle of the field: the text stays as it
        // is, and a following `type` inserts at the caret.
        need(2);
        uxWidget* field = find_role(top_window(), UXROLE_TEXTFIELD, number_arg(args[1]));
        if (!field) fail("no text field %s", args[1]);
        bool twice = argc > 2 && !std::strcmp(args[2], "double");
        if (argc > 2 && !twice) fail("clickfield N takes only \"double\" after it, not %s", args[2]);
        click_widget(field->focus_proxy ? field->focus_proxy : field, twice);
    } else if (!std::strcmp(cmd, "select") || !std::strcmp(cmd, "double")) {
        need(2);
        uxWidget* list = find_role(top_window(), UXROLE_LISTBOX);
        int x = 0, y = 0;
        if (!list || !list->locate || !list->locate(list, number_arg(args[1]), nullptr, &x, &y))
            fail("no list row %s", args[1]);
        click_at(list->container->window, x, y, !std::strcmp(cmd, "double"));
    } else if (!std::strcmp(cmd, "combo")) {
        need(2);
        uxWidget* combo = find_role(top_window(), UXROLE_COMBOBOX);
        int x = 0, y = 0;
        if (!combo || !combo->locate || !combo->locate(combo, -1, nullptr, &x, &y))
            fail("no combo box");
        click_at(combo->container->window, x, y);
        uxWindow* popup = newest_popup();
        uxWidget* list = popup ? find_role(popup, UXROLE_LISTBOX) : nullptr;
        if (!list || !list->locate || !list->locate(list, number_arg(args[1]), nullptr, &x, &y))
            fail("no combo entry %s", args[1]);
        click_at(popup, x, y);
    } else if (!std::strcmp(cmd, "tab")) {
        need(2);
        uxWindow* main = uxwindow_main();
        uxWidget* tabs = find_role(main, UXROLE_TABCONTROL);
        int x = 0, y = 0;
        if (!tabs || !tabs->locate || !tabs->locate(tabs, -1, args[1], &x, &y))
            fail("no tab \"%s\"", args[1]);
        click_at(main, x, y);
    } else if (!std::strcmp(cmd, "close")) {
        uxEvent ev = {UXEV_CLOSE, {0}};
        uxwindow_dispatch(top_window(), &ev);
    } else if (!std::strcmp(cmd, "file")) {
        need(2);
        const char* path = !std::strcmp(args[1], "cancel") ? nullptr : args[1];
        if (!uxscript_hooks.file_dialog_answer || !uxscript_hooks.file_dialog_answer(path))
            fail("no file dialog is open");
    } else if (!std::strcmp(cmd, "expect")) {
        need(2);
        uxWindow* win = top_window();
        if (std::strcmp(win->title, args[1]) != 0) {
            char detail[2200];
            std::snprintf(detail, sizeof detail, "expected window \"%s\", top window is \"%s\"",
                          args[1], win->title);
            fail("%s", detail);
        }
    } else if (!std::strcmp(cmd, "expect-text")) {
        need(2);
        TextSearch s{args[1], false};
        walk(&top_window()->container, visit_text, &s);
        if (!s.found) fail("text not shown: %s", args[1]);
    } else if (!std::strcmp(cmd, "savetext") || !std::strcmp(cmd, "savegraphic")) {
        need(3);
        bool text = !std::strcmp(cmd, "savetext");
        bool (*save)(int, const char*) =
            text ? uxscript_hooks.save_text_page : uxscript_hooks.save_graphic_page;
        int page = number_arg(args[1]);
        if (page < 1 || page > 6 || !save) fail("no page %s", args[1]);
        if (!save(page, args[2])) fail("could not save %s", args[2]);
    } else if (!std::strcmp(cmd, "terminal")) {
        need(2);
        if (!uxscript_hooks.dump_terminal || !uxscript_hooks.dump_terminal(args[1]))
            fail("could not write the terminal to %s", args[1]);
    } else if (!std::strcmp(cmd, "screenshot")) {
        need(2);
        uxWindow* win = top_window();
        const char* path = args[1];
        if (argc > 2 && !std::strcmp(args[1], "main")) {
            win = uxwindow_main();
            path = args[2];
        }
        if (!win) fail("no window");
        uxwindow_compose(win);
        if (!save_screenshot(win, path)) fail("could not write %s", path);
    } else if (!std::strcmp(cmd, "seed")) {
        need(2);
        uxrandom_seed(static_cast<unsigned>(number_arg(args[1])), false);
    } else if (!std::strcmp(cmd, "module-seed")) {
        need(2);
        const char* text = args[1];
        char* end = nullptr;
        errno = 0;
        unsigned long long seed = std::strtoull(text, &end, 10);
        if (!*text || *end || *text == '-' || errno == ERANGE) fail("not a seed: %s", text);
        uxrandom_fix_next_seed(seed);
    } else if (!std::strcmp(cmd, "sleep")) {
        need(2);
        uxSleep(std::strtod(args[1], nullptr));
    } else if (!std::strcmp(cmd, "log")) {
        std::fprintf(stderr, "%s\n", argc > 1 ? args[1] : "");
    } else if (!std::strcmp(cmd, "quit")) {
        uxStop();
    } else {
        fail("unknown command %s", cmd);
    }
}

// Converts one line to Latin-1, splits it and runs its command; false for a blank line or a
// comment.
bool run_line(const char* line) {
    // Latin-1 is never longer than its UTF-8, so the whole line converts.
    size_t length = std::strlen(line);
    char* latin1 = static_cast<char*>(std::malloc(length + 1));
    uxscript_to_latin1(line, latin1, static_cast<int>(length + 1));
    static char args[16][1024];
    int argc = uxscript_split(latin1, args, 16);
    std::free(latin1);
    if (argc == -2) fail("line too long");
    if (argc < 0) fail("malformed line");
    if (argc == 0) return false;
    run_command(argc, args);
    return true;
}

// Runs the next command; at the end of the script a headless run quits, a windowed run hands
// over to the person.
bool idle_step() {
    while (script.next < script.count) {
        int index = script.next++;
        script.current_line = index + 1;
        if (!run_line(script.lines[index])) continue;  // blank line or comment
        return true;
    }
    if (!script.finished) {
        script.finished = true;
        std::fflush(stdout);
    }
    if (!uxplatform->interactive) {
        uxStop();
        return true;
    }
    return false;
}

}  // namespace

int uxscript_split(const char* line, char args[][1024], int max_args) {
    const char* p = line;
    while (*p == ' ' || *p == '\t') ++p;
    if (*p == 0 || *p == '#') return 0;
    int argc = 0;
    while (*p) {
        while (*p == ' ' || *p == '\t') ++p;
        if (!*p) break;
        if (*p == '#' && argc > 0) break;  // trailing comment
        if (argc >= max_args) return -1;
        char* out = args[argc];
        int n = 0;
        if (*p == '"') {
            ++p;
            while (*p && *p != '"') {
                char c = *p++;
                if (c == '\\') {
                    if (*p == 'n') c = '\n';
                    else if (*p == '"' || *p == '\\') c = *p;
                    else return -1;
                    ++p;
                }
                if (n >= 1023) return -2;
                out[n++] = c;
            }
            if (*p != '"') return -1;  // unterminated quote
            ++p;
            if (*p && *p != ' ' && *p != '\t') return -1;
        } else {
            while (*p && *p != ' ' && *p != '\t') {
                if (n >= 1023) return -2;
                out[n++] = *p++;
            }
        }
        out[n] = 0;
        ++argc;
    }
    return argc;
}

void uxscript_to_latin1(const char* utf8, char* out, int size) {
    int n = 0;
    const unsigned char* p = reinterpret_cast<const unsigned char*>(utf8);
    while (*p && n < size - 1) {
        unsigned c = *p;
        if (c < 0x80) {
            out[n++] = static_cast<char>(c);
            ++p;
        } else if ((c & 0xE0) == 0xC0 && (p[1] & 0xC0) == 0x80) {
            unsigned cp = ((c & 0x1F) << 6) | (p[1] & 0x3F);
            out[n++] = cp < 256 ? static_cast<char>(cp) : '?';
            p += 2;
        } else {
            // Longer sequences or stray bytes: beyond Latin-1.
            ++p;
            while ((*p & 0xC0) == 0x80) ++p;
            out[n++] = '?';
        }
    }
    out[n] = 0;
}

void uxscript_set_failure_hook(void (*hook)(int line, const char* message)) {
    failure_hook = hook;
}

bool uxscript_run_line(const char* line) { return run_line(line); }

void uxscript_start() {
    const char* path = std::getenv("UX_SCRIPT");
    if (!path || !*path) {
        // Without a script a headless run has no person to wait for: it ends at the first wait.
        if (!uxplatform->interactive) uxevent_set_idle_hook(idle_step);
        return;
    }
    FILE* f = std::fopen(path, "rb");
    if (!f) {
        std::fprintf(stderr, "uxscript:0: cannot read script %s\n", path);
        std::_Exit(2);
    }
    // A second start replaces the script loaded before.
    for (int i = 0; i < script.count; ++i) std::free(script.lines[i]);
    std::free(script.lines);
    script = Script{};
    int capacity = 64;
    script.lines = static_cast<char**>(std::malloc(sizeof(char*) * capacity));
    // Every line is read whole, however long: a long line never becomes several commands.
    char* buffer = nullptr;
    size_t buffer_size = 0;
    ssize_t read;
    while ((read = getline(&buffer, &buffer_size, f)) >= 0) {
        size_t len = static_cast<size_t>(read);
        while (len && (buffer[len - 1] == '\n' || buffer[len - 1] == '\r')) buffer[--len] = 0;
        // A NUL inside a line would hide its tail: refused like any line the runner cannot take.
        if (std::strlen(buffer) != len) {
            script.current_line = script.count + 1;
            fail("malformed line");
        }
        if (script.count == capacity) {
            capacity *= 2;
            script.lines = static_cast<char**>(std::realloc(script.lines, sizeof(char*) * capacity));
        }
        script.lines[script.count] = static_cast<char*>(std::malloc(len + 1));
        std::memcpy(script.lines[script.count], buffer, len + 1);
        ++script.count;
    }
    std::free(buffer);
    std::fclose(f);
    uxevent_set_idle_hook(idle_step);
}
