// The automation runner. Every line of the input, whatever its length, is converted from UTF-8
// to Latin-1 and split into arguments, as the runner does before it runs a command; then it is
// run as a command against a small headless scene: a main window with a tab control and a
// button on each page, and on top of it a dialog with captioned buttons, a label, a line input,
// an up/down control, a combo box and a list box. The seeds are the scripted runs of
// tests/scripts.
//
// A command that cannot be carried out ends in the runner's failure hook, which throws back to
// here, and the next line runs. Fuzz input never touches the file system and never waits: the
// commands that write files or wait (savetext, savegraphic, terminal, screenshot, sleep, the file
// dialog's `file`, quit) and `log` (standard error) are skipped, a key is pressed at most
// kMaxRepeat times per line, and at most kMaxCommands lines of at most kMaxLineLength bytes run.
// The main window is built once; the dialog is built for each input and destroyed after it, so
// every input starts from the same state.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "tests/fuzz/fuzz_support.h"
#include "toolkit/automation/uxscript.h"
#include "toolkit/core/uxevent.h"
#include "toolkit/core/uxwindow.h"
#include "toolkit/platform/uxplatform.h"
#include "toolkit/text/uxtextdisplay.h"
#include "toolkit/widgets/uxbutton.h"
#include "toolkit/widgets/uxlineinput.h"
#include "toolkit/widgets/uxlistbox.h"

namespace {

const int kMaxCommands = 256;
const size_t kMaxLineLength = 4096;
const long kMaxRepeat = 16;

const char* const kSkipped[] = {"savetext", "savegraphic", "terminal", "screenshot",
                                "sleep",    "file",        "quit",     "log"};

struct Failed {};
[[noreturn]] void throw_failure(int, const char*) { throw Failed{}; }

// The main window, built once: the first window, so `tab` and `screenshot main` find it.
struct MainWindow {
    uxWindow window;
    uxTabControl tabs;
    uxButton menu_button, save_button;
};

// The dialog on top, built per input.
struct Dialog {
    uxWindow window;
    uxLabel label;
    uxSimpleTextDisplay* note = nullptr;
    uxLineInput name;
    uxUpDownControl number;
    uxComboBox kind;
    uxListBox list;
    uxButton ok, cancel, yes, no;
    bool open = false;
    bool close_asked = false;  // the close box, Escape or Cancel: destroyed after the line
};

MainWindow* main_window;
Dialog dialog;

void ask_close(int, void*) { dialog.close_asked = true; }

void build_main() {
    static MainWindow m;
    uxwindow_create(&m.window, "Workbench,x=0,y=0,xs=240,ys=180,noquit");
    uxtabcontrol_create(&m.tabs, "x=50%,y=50%,xs=100%,ys=100%,tabs=Menu|Graphic 1|Text 1");
    uxtabcontrol_select(&m.tabs, 0);
    uxbutton_create(&m.menu_button, "WELCOME,x=50%,y=60%,xs=40%");
    uxtabcontrol_select(&m.tabs, 1);
    uxbutton_create(&m.save_button, "save as...,x=80%,y=85%,xs=30%");
    uxtabcontrol_select(&m.tabs, 0);
    main_window = &m;
}

void build_dialog() {
    Dialog& d = dialog;
    uxwindow_create(&d.window, "InputInt,x=10,y=10,xs=220,ys=170,noquit");
    uxwindow_set_close_trigger(&d.window, ask_close, &d);
    uxlabel_create(&d.label, "Enter a number,x=5,y=2,xs=100,ys=14");
    d.note = uxsimpletext_new("x=110,y=2,xs=105,ys=14");
    uxsimpletext_set(d.note, "Pick one of %d", 12);
    uxlineinput_create(&d.name, "x=5,y=20,xs=70,maxlen=40");
    uxupdown_create(&d.number, "x=80,y=20,xs=50,min=0,max=23,start=12,digits=2");
    uxcombobox_create(&d.kind, "x=135,y=20,xs=80,ys=20,entries=town|village|city");
    uxlistbox_create(&d.list, "x=5,y=45,xs=140,ys=90");
    for (int i = 0; i < 12; ++i) uxlistbox_add(&d.list, "place %02d", i);
    uxbutton_create(&d.ok, "OK,x=150,y=45,xs=60,default");
    uxbutton_create_cb(&d.cancel, ask_close, &d, "&Cancel,x=150,y=70,xs=60");
    uxbutton_create(&d.yes, "&Yes,x=150,y=95,xs=60");
    uxbutton_create(&d.no, "No,x=150,y=120,xs=60,hotkey=n");
    uxwidget_focus(&d.name.base);
    d.open = true;
    d.close_asked = false;
}

void destroy_dialog() {
    Dialog& d = dialog;
    if (!d.open) return;
    uxbutton_destroy(&d.no);
    uxbutton_destroy(&d.yes);
    uxbutton_destroy(&d.cancel);
    uxbutton_destroy(&d.ok);
    uxlistbox_destroy(&d.list);
    uxcombobox_destroy(&d.kind);
    uxupdown_destroy(&d.number);
    uxlineinput_destroy(&d.name);
    uxsimpletext_delete(d.note);
    uxlabel_destroy(&d.label);
    uxwindow_destroy(&d.window);
    d.open = false;
    uxcontainer_set_current(&main_window->window.container);
}

// The main window as it was built: first page, nothing focused, no key held.
void reset_main() {
    uxWindow& w = main_window->window;
    uxtabcontrol_select(&main_window->tabs, 0);
    w.focus = nullptr;
    w.captured = nullptr;
    w.modifiers = 0;
}

// True when the command may run here: not one that writes, waits or needs a file dialog, and
// no key pressed more than kMaxRepeat times.
bool allowed(int argc, char args[][1024]) {
    if (argc <= 0) return true;  // malformed lines go to the runner, which refuses them
    for (const char* skipped : kSkipped)
        if (!std::strcmp(args[0], skipped)) return false;
    if (!std::strcmp(args[0], "key") && argc > 2 && std::strtol(args[2], nullptr, 10) > kMaxRepeat)
        return false;
    return true;
}

void run(const std::string& line, int argc, char args[][1024]) {
    if (line.size() > kMaxLineLength || !allowed(argc, args)) return;
    try {
        uxscript_run_line(line.c_str());
    } catch (const Failed&) {
        // Refused as in a program run; the harness goes on with the next line.
    }
    if (dialog.close_asked) destroy_dialog();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz_headless();
    uxscript_set_failure_hook(throw_failure);
    if (!main_window) build_main();
    reset_main();
    build_dialog();
    uxplatform->clipboard_set("");

    static char args[16][1024];
    std::string line, latin1;
    size_t at = 0;
    int commands = 0;
    while (at < size) {
        const void* found = std::memchr(data + at, '\n', size - at);
        size_t end = found ? static_cast<size_t>(static_cast<const uint8_t*>(found) - data) : size;
        line.assign(reinterpret_cast<const char*>(data + at), end - at);
        at = end + 1;
        latin1.assign(line.size() + 1, '\0');
        uxscript_to_latin1(line.c_str(), latin1.data(), static_cast<int>(latin1.size()));
        uxscript_split(line.c_str(), args, 3);
        int argc = uxscript_split(latin1.c_str(), args, 16);
        // A NUL inside a line is refused when the script is read; such a line never runs.
        if (argc != 0 && commands < kMaxCommands && std::strlen(line.c_str()) == line.size()) {
            ++commands;
            run(line, argc, args);
        }
    }

    destroy_dialog();
    uxplatform->sleep_ms(200);
    uxevent_process_messages();
    uxevent_reset();
    return 0;
}
