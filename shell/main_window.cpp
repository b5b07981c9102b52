// The main window, its start sequence and the module dispatch loop.

#include "shell/main_window.h"
#include "shell/main_window_size.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "astro/astro_print.h"
#include "astro/wave_tables.h"
#include "records/places.h"
#include "research/module_files.h"
#include "research/modules.h"
#include "shell/dialogs.h"
#include "shell/module_intro.h"
#include "shell/output.h"
#include "shell/run_record.h"
#include "shell/shell_widgets.h"
#include "toolkit/core/uxentry.h"
#include "toolkit/core/uxevent.h"
#include "toolkit/platform/uxplatform.h"
#include "toolkit/text/uxterminal.h"
#include "toolkit/widgets/uxfiledialog.h"
#include "toolkit/drawing/uxfont.h"
#include "toolkit/automation/uxscript.h"

uxWindow gMainWindow;
uxWindowMenu gWindowMenu;
uxButton gModuleButtons[32];
uxProgressBar gProgressBar;
uxScreenGraphic gBusyIndicator;
uxTabControl gTabControl;
uxTerminal* gTerminal = nullptr;
uxScreenGraphic gGraphicPages[SHELL_PAGES];
uxButton gGraphicSaveButtons[SHELL_PAGES];
uxTextDisplay* gTextPages[SHELL_PAGES];
uxButton gTextSaveButtons[SHELL_PAGES];
bool gShellBuilt = false;

namespace {

int quit_item_id = 0;

// The "&Quit" item ends the process at once, also from inside a module run; the exit handlers
// (the place table) still run.
void quit_now(int, void*) {
    std::fflush(stdout);
    std::exit(0);
}

void close_records_at_exit() { ClosePlaceTable(); }

void placeholder(double seconds) {
    GraphicOutput(1, 1920, 1080, 0xFFFFFF);
    uxgraphic_clear(0x00FF00);
    uxgraphic_load(0, 0, "solarsystem-2.bmp");
    WaitSeconds(seconds);
}

void placeholder_10() { placeholder(10); }
void placeholder_2() { placeholder(2); }
void placeholder_statistics3() {
    placeholder(6);
    TextOutput(1);
    ClearOutput();
    IntroStatistics3(0);
}
void placeholder_curves() {
    Print("\n Kurvendarstellung \n");
    placeholder(10);
}

struct ModuleButton {
    const char* caption;
    const char* y;
    void (*run)();
};

const ModuleButton module_buttons[SHELL_MODULE_BUTTONS] = {
    {"WELCOME", " 5%", ShowWelcome},
    {"Statistics 1 - Continuum", " 9%", Continuum},
    {"Event Analysis", "13%", EventAnalysis},
    {"Statistics 2 - Density Function", "17%", DensityFunction},
    {"Matrix Probability", "21%", MatrixProbability},
    {"Artificial_Intelligence", "25%", ArtificialIntelligence},
    {"Planetary Fluctuations - time quality", "29%", PlanetaryFluctuations},
    {"Correlation function", "33%", CorrelationFunction},
    {"Optimal curve", "37%", OptimalCurve},
    {"Urn - model toy", "41%", UrnModel},
    {"Biografic - rhythms", "45%", BiographicRhythms},
    {"Shuffle test - control groups", "49%", ShuffleTest},
    {"NN", "53%", placeholder_2},
    {"NN", "57%", placeholder_2},
    {"Bt15-NN", "61%", placeholder_statistics3},
    {"NN", "65%", placeholder_10},
    {"NN", "69%", placeholder_10},
    {"NN", "73%", placeholder_10},
    {"NN", "77%", placeholder_10},
    {"Bt20-NN", "81%", placeholder_curves},
    {"NN", "85%", placeholder_10},
    {"NN", "89%", placeholder_10},
    {"NN", "93%", placeholder_10},
    {"Bt24-NN", "97%", placeholder_10},
};

void print_to_shell(const char* text) { Print("%s", text); }

bool save_text_page(int page, const char* path) {
    return page >= 1 && page <= 6 && uxtextdisplay_save(gTextPages[page - 1], path);
}

bool save_graphic_page(int page, const char* path) {
    return page >= 1 && page <= 6 && uxgraphic_g_save(&gGraphicPages[page - 1], "%s", path);
}

}  // namespace

int QuitMenuItemId() { return quit_item_id; }

void BuildMainWindow() {
    uxwindow_hold_painting();
    int tab_font = uxfont_builtin("builtin 8x16 bold");
    int terminal_font = uxfont_builtin("builtin 9x15");
    int button_font = uxfont_builtin("builtin 9x15 bold");
    unsigned graphic_font = static_cast<unsigned>(uxfont_builtin("builtin 12x24"));
    int text_font = uxfont_builtin("builtin 8x16");

    uxwindow_create(&gMainWindow, "Verivire-Revoviv ovave,xs=95%,ys=95%,noquit,noclose");
    uxwindowmenu_create(&gWindowMenu, &gMainWindow);
    uxwindowmenu_add_title(&gWindowMenu, "&File");
    quit_item_id = uxwindowmenu_add_item(&gWindowMenu, quit_now, nullptr, "&Quit");
    uxbutton_create(&gModuleButtons[31], "quit,x=90%,y=95%,xs=15%,fontid=%d", button_font);
    uxprogressbar_create(&gProgressBar, "x=25%,y=95%,xs=45%,ys=3%");
    uxgraphic_create(&gBusyIndicator, "format=server,x=65%,y=95%,xs=200,ys=20,border");
    gShellBuilt = true;
    ShowBusyState(0);

    uxtabcontrol_create(&gTabControl,
                        "x=50%,y=46%,xs=100%,ys=92%,tabs=Menu|Graphic 1|Graphic 2|Graphic 3|"
                        "Graphic 4|Graphic 5|Graphic 6|Text 1|Text 2|Text 3|Text 4|Text 5|Text 6,"
                        "fontid=%d",
                        tab_font);
    // The toolkit keeps creating into the window until a page is selected; the terminal and
    // the module buttons belong to the Menu page only.
    uxtabcontrol_select(&gTabControl, 0);
    // Everything printed to the terminal also goes to "terminal.log", appended across sessions,
    // each session after a line with its date and time.
    gTerminal = uxterminal_new(
        "x=35%,y=40%,xs=65%,ys=70%,fontid=%d,scrollback=200,logfile=terminal.log", terminal_font);
    uxterminal_set_current(gTerminal);
    for (int i = 0; i < SHELL_MODULE_BUTTONS; ++i)
        uxbutton_create(&gModuleButtons[i], "%s, \t\tx=84%,y=%s,xs=30%,fontid=%d",
                        module_buttons[i].caption, module_buttons[i].y, button_font);

    for (int k = 1; k <= SHELL_PAGES; ++k) {
        uxtabcontrol_select(&gTabControl, k);
        uxgraphic_create(&gGraphicPages[k - 1],
                         "xs=80%,ys=95%,x=42%,y=15,border,background=white,fontid=%u",
                         graphic_font);
        uxbutton_create(&gGraphicSaveButtons[k - 1], "save as...,x=92%,y=85%,xs=10%");
    }
    for (int k = 1; k <= SHELL_PAGES; ++k) {
        uxtabcontrol_select(&gTabControl, k + 6);
        gTextPages[k - 1] = uxtextdisplay_new(
            "xs=90%,ys=80%,x=50%,y=45%,border,background=white,fontid=%d,nobreak", text_font);
        uxbutton_create(&gTextSaveButtons[k - 1], "save as...,x=20%,y=95%,xs=15%");
    }
    int min_width = 0, min_height = 0;
    KeepMainWindowWhole(&min_width, &min_height);
    uxscript_hooks.save_text_page = save_text_page;
    uxscript_hooks.save_graphic_page = save_graphic_page;
    uxwindow_release_painting();
    uxtabcontrol_select(&gTabControl, 0);
}

namespace {

// The twelve orders' progress dots; each order's tables are filled at their first use by the
// matrix builders (EnsureWaveTablesForOrder), so a run pays only for the orders it uses.
void fill_wave_tables() {
    for (int p = 1; p <= 12; ++p) {
        Print(".");
        uxPollEvent();
    }
}

// A run ends in one of three ways: done (its files are put in place), cancelled in a dialog
// (a line on the terminal; no file of the run is written) or cut short by a termination signal
// (a line on standard error; the same for the files, and the program ends).
void run_module(int index) {
    BeginModuleRun();
    BeginModuleFiles();
    BeginRunRecord(module_buttons[index].caption);
    module_buttons[index].run();
    const char* caption = module_buttons[index].caption;
    bool filesWritten = false;
    if (int sig = uxplatform_signal()) {
        DiscardModuleFiles();
        std::fprintf(stderr,
                     "Stopped: %s was ended by signal %d (%s); no file of this run was written.\n",
                     caption, sig, strsignal(sig));
        uxentry_set_exit_code(128 + sig);
    } else if (const char* dialog = uxevent_cancelled()) {
        DiscardModuleFiles();
        if (gTerminal)
            uxterminal_printf(gTerminal, "\nStopped: %s was cancelled in %s\n", caption, dialog);
    } else {
        filesWritten = EndModuleFiles();
    }
    EndRunRecord(filesWritten);
    uxevent_clear_cancel();
    EndModuleRun();
}

// A page that could not be saved is named with the reason; the old file is still there. The
// message names the file without its folder so that it fits the message box.
void report_unsaved(const char* path) {
    const char* slash = std::strrchr(path, '/');
    const char* name = slash ? slash + 1 : path;
    if (errno) ShowMessage("The file %s could not be written (%s).", name, std::strerror(errno));
    else ShowMessage("The file %s could not be written.", name);
}

void save_page_dialogs(int id) {
    char path[1100];
    for (int k = 0; k < SHELL_PAGES; ++k) {
        if (id == uxbutton_id(&gGraphicSaveButtons[k]) &&
            uxfiledialog(path, sizeof path, "save,filter=*.bmp,defaultext=bmp")) {
            errno = 0;
            if (!uxgraphic_g_save(&gGraphicPages[k], "%s", path)) report_unsaved(path);
        }
        if (id == uxbutton_id(&gTextSaveButtons[k]) &&
            uxfiledialog(path, sizeof path, "save,filter=*.txt,defaultext=txt")) {
            errno = 0;
            if (!uxtextdisplay_save(gTextPages[k], path)) report_unsaved(path);
        }
    }
}

}  // namespace

void RunStartSequence() {
    Print("            *** Verivire-Revoviv ovave ***\n\n\n");
    Print(" Please wait ");
    ShowBusyState(1);
    uxPollEvent();
    GraphicOutput(1, 1920, 1080, 0xFFFFFF);
    uxgraphic_clear(0xFFFFFF);
    uxgraphic_load(0, 0, "solarsystem-1.bmp");
    WaitSeconds(4.0);
    fill_wave_tables();
    TextOutput(0);
    ShowBusyState(0);
    Print("\nReady ! Have fun !!\n");
}

bool HandleMainEvent(int id) {
    if (id == 0 || id == quit_item_id || id == uxwindow_close_id(&gMainWindow) ||
        id == uxbutton_id(&gModuleButtons[31]))
        return false;
    for (int i = 0; i < SHELL_MODULE_BUTTONS; ++i) {
        if (id == uxbutton_id(&gModuleButtons[i])) {
            run_module(i);
            break;
        }
    }
    save_page_dialogs(id);
    uxevent_clear_cancel();  // a save dialog left with Escape cancels nothing more
    return true;
}

void RunMainLoop() {
    while (uxRunning())
        if (!HandleMainEvent(uxWaitEvent())) break;
}

void ApplicationMain() {
    uxrandom_init();
    std::atexit(close_records_at_exit);  // every way out: the loop's end, "&Quit", script errors
    SetAstroPrintSink(print_to_shell);
    BuildMainWindow();
    RunStartSequence();
    RunMainLoop();
    uxStop();
}
