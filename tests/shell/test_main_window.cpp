// The main window: the start sequence, the BUSY/READY bracket around module runs, the ways out,
// the page saving and the output routing that needs the real widgets.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <string>

#include "shell/main_window.h"
#include "shell/main_window_size.h"
#include "shell/module_intro.h"
#include "shell/output.h"
#include "shell/shell_widgets.h"
#include "shell_run.h"
#include "toolkit/platform/uxplatform.h"
#include "toolkit/core/uxentry.h"
#include "toolkit/automation/uxscript.h"

static int indicator_colour() { return uxpxmap_getpixel(&gBusyIndicator.pixmap, 10, 10); }

static int enabled_module_buttons() {
    int n = 0;
    for (int i = 0; i < SHELL_MODULE_BUTTONS; ++i) n += gModuleButtons[i].base.enabled;
    return n;
}

// A press and release at the widget's centre, as the platform delivers them; returns the id
// posted by it (0 for none).
static int click(uxButton* b) {
    uxWidget* w = &b->base;
    uxEvent down = {UXEV_LDOWN, {w->abs_x + w->layout.width / 2, w->abs_y + w->layout.height / 2}};
    uxEvent up = down;
    up.code = UXEV_LUP;
    uxwindow_dispatch(&gMainWindow, &down);
    uxwindow_dispatch(&gMainWindow, &up);
    return uxPollEvent();
}

// The terminal and the module buttons belong to the Menu page, not to the window.
static int widgets_on_menu_page() {
    int n = uxterminal_widget(gTerminal)->container == &gTabControl.pages[0];
    for (int i = 0; i < SHELL_MODULE_BUTTONS; ++i)
        n += gModuleButtons[i].base.container == &gTabControl.pages[0];
    return n;
}

static std::string format(const char* f, int a, int b, int c, int d, int e) {
    char s[200];
    std::snprintf(s, sizeof s, f, a, b, c, d, e);
    return s;
}

TEST(StartSequence, GreetsFillsTheTablesWithTwelveDotsAndEndsReady) {
    ShellRun run = RunShell("terminal terminal.txt\n", [] {
        uint64_t start = uxplatform->clock_ms();
        ApplicationMain();
        // The start picture's four seconds pass on the virtual clock, not on the wall.
        bool shown = uxplatform->clock_ms() - start >= 4000;
        return format("shown %d %06x tab %d target %d enabled %d", shown, indicator_colour(),
                      gTabControl.current, CurrentTextTarget(), enabled_module_buttons()) +
               format(" on menu %d", widgets_on_menu_page(), 0, 0, 0, 0) +
               format(" page 1 %d",
                      gGraphicPages[0].pixmap.width * 10000 + gGraphicPages[0].pixmap.height, 0, 0,
                      0, 0);
    });
    ASSERT_EQ(run.exit_code, 0) << run.err;
    std::string expected =
        "            *** Verivire-Revoviv ovave ***\n\n\n Please wait ............\n"
        "Ready ! Have fun !!\n";
    std::string terminal = run.file("terminal.txt");
    EXPECT_EQ(terminal.substr(0, expected.size()), expected);
    EXPECT_EQ(terminal.find_first_not_of('\n', expected.size()), std::string::npos);
    EXPECT_EQ(run.result, "shown 1 00ff00 tab 0 target 0 enabled 24 on menu 25 page 1 19201080");
}

TEST(ModuleRun, BusyBracketDisablesOnlyTheModuleButtons) {
    ShellRun run = RunShell("", [] {
        BuildMainWindow();
        std::string r;
        TextOutput(2);
        SetProgress(40);
        BeginModuleRun();
        r += format("busy %06x progress %d target %d tab %d enabled %d\n", indicator_colour(),
                    gProgressBar.percent, CurrentTextTarget(), gTabControl.current,
                    enabled_module_buttons());
        r += format("welcome %d quit %d save %d\n", click(&gModuleButtons[0]) != 0,
                    click(&gModuleButtons[31]) == uxbutton_id(&gModuleButtons[31]),
                    gGraphicSaveButtons[0].base.enabled && gTextSaveButtons[5].base.enabled, 0, 0);
        TextOutput(3);
        SetProgress(150);
        EndModuleRun();
        r += format("ready %06x progress %d target %d tab %d enabled %d\n", indicator_colour(),
                    gProgressBar.percent, CurrentTextTarget(), gTabControl.current,
                    enabled_module_buttons());
        SetProgress(-5);
        TextOutput(0);
        r += format("progress %d welcome %d\n", gProgressBar.percent,
                    click(&gModuleButtons[0]) == uxbutton_id(&gModuleButtons[0]), 0, 0, 0);
        return r;
    });
    ASSERT_EQ(run.exit_code, 0) << run.err;
    EXPECT_EQ(run.result,
              "busy ff0000 progress 0 target 0 tab 0 enabled 0\n"
              "welcome 0 quit 1 save 1\n"
              "ready 00ff00 progress 100 target 3 tab 9 enabled 24\n"
              "progress 0 welcome 1\n");
}

TEST(ModuleRun, AfterARealModuleTheShellIsReadyAndKeepsThePageTheModuleShowed) {
    // A short Continuum study; the module ends on one of its result pages.
    ShellRun run = RunShell(
        "click \"Statistics 1 - Continuum\"\nexpect InputInt\nclick WELCOME\nfill 3\nclick OK\n"
        "click No\nfill 1\nclick OK\nclick No\nclick No\nclick No\n"
        "expect \"Enter start-date\"\ninput 3 1950\nclick OK\ninput 3 1951\nclick OK\n"
        "fill 100\nclick OK\nclick No\nterminal terminal.txt\n",
        [] {
            ApplicationMain();
            return format("%06x enabled %d on the menu tab %d", indicator_colour(),
                          enabled_module_buttons(), gTabControl.current == 0, 0, 0);
        });
    ASSERT_EQ(run.exit_code, 0) << run.err;
    EXPECT_EQ(run.result, "00ff00 enabled 24 on the menu tab 0");
    // The WELCOME click during the run did nothing.
    EXPECT_EQ(run.file("terminal.txt").find("TEAM-ANALYSIS"), std::string::npos);
}

TEST(OutputRouting, OutOfRangeTargetsShowTheirMessageAndChangeNothing) {
    ShellRun run = RunShell(
        "expect message\nexpect-text \"TextOutput: Parameter muss zwischen 0 und 6 liegen !!!!!\"\n"
        "expect-text \"Mit 7 wird das nix.\"\nclick OK\n"
        "expect message\nexpect-text \"GraphicOutput: Parameter muss zwischen 1 und 6 liegen "
        "!!!!!\"\n"
        "expect-text \"Mit 0 wird das nix.\"\nclick OK\n",
        [] {
            BuildMainWindow();
            TextOutput(2);
            GraphicOutput(3, 640, 480, 0xFF0000);
            TextOutput(7);
            GraphicOutput(0, 1920, 1080, 0x00FF00);
            Print("still on page 2");
            uxscript_hooks.save_text_page(2, "text2.txt");
            const uxPixmap& page = gGraphicPages[2].pixmap;
            return format("target %d tab %d current %d size %d colour %06x", CurrentTextTarget(),
                          gTabControl.current, uxgraphic_current() == &gGraphicPages[2],
                          page.width * 10000 + page.height, uxpxmap_getpixel(&page, 5, 5));
        });
    ASSERT_EQ(run.exit_code, 0) << run.err;
    EXPECT_EQ(run.result, "target 2 tab 3 current 1 size 6400480 colour ff0000");
    EXPECT_NE(run.file("text2.txt").find("still on page 2"), std::string::npos);
}

TEST(MainLoop, QuitButtonCloseBoxAndQuitItemEndWithExitCodeZero) {
    for (const char* way : {"click quit\n", "close\n"}) {
        // Were the loop still running, the impossible expectation would end it with code 2.
        ShellRun run = RunShell(std::string(way) + "expect \"no such window\"\n", [] {
            ApplicationMain();
            return std::string("returned");
        });
        EXPECT_EQ(run.exit_code, 0) << way << run.err;
        EXPECT_EQ(run.result, "returned") << way;
    }
    // The menu item: open "&File" in the menu bar, choose the first row of its list.
    ShellRun menu = RunShell("", [] {
        uxevent_set_idle_hook([] {
            static int step = 0;
            uxWindow* target = &gMainWindow;
            uxEvent down = {UXEV_LDOWN, {10, gWindowMenu.height / 2}};
            if (step++ > 0) {
                target = &gWindowMenu.popup;
                uxWidget* list = gWindowMenu.popup_list ? &gWindowMenu.popup_list->base : nullptr;
                if (!list || !list->locate(list, 0, nullptr, &down.data[0], &down.data[1])) {
                    uxStop();
                    return true;
                }
            }
            uxEvent up = down;
            up.code = UXEV_LUP;
            uxwindow_dispatch(target, &down);
            uxwindow_dispatch(target, &up);
            return true;
        });
        ApplicationMain();
        return std::string("returned");
    });
    EXPECT_EQ(menu.exit_code, 0) << menu.err;
    EXPECT_FALSE(menu.returned);  // the item ends the process at once
}

TEST(MainLoop, SavesPagesThroughTheirButtonsAndTheFileDialog) {
    ShellRun run = RunShell(
        "savegraphic 2 never-drawn.bmp\nsavegraphic 1 start.bmp\nclick Bt15-NN\n"
        "tab \"Text 1\"\nclick \"save as...\"\nfile text1.txt\n"
        "tab \"Text 2\"\nclick \"save as...\"\nfile cancel\n"
        "tab \"Graphic 1\"\nclick \"save as...\"\nfile placeholder.bmp\n",
        [] {
            ApplicationMain();
            return std::to_string(gGraphicPages[1].pixmap.width) + "x" +
                   std::to_string(gGraphicPages[1].pixmap.height);
        });
    ASSERT_EQ(run.exit_code, 0) << run.err;
    int w = 0, h = 0;
    std::string never = run.file("never-drawn.bmp");
    ASSERT_TRUE(BmpSize(never, &w, &h));
    EXPECT_EQ(std::to_string(w) + "x" + std::to_string(h), run.result);
    EXPECT_TRUE(BmpAllWhite(never));
    ASSERT_TRUE(BmpSize(run.file("start.bmp"), &w, &h));
    EXPECT_EQ(w * 10000 + h, 19201080);
    std::string placeholder = run.file("placeholder.bmp");
    ASSERT_TRUE(BmpSize(placeholder, &w, &h));
    EXPECT_EQ(w * 10000 + h, 19201080);
    std::string text = run.file("text1.txt");
    EXPECT_NE(text.find("Statistics 3 - PROBABILITY \r\n"), std::string::npos);
    for (size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at + 1))
        ASSERT_TRUE(at > 0 && text[at - 1] == '\r') << "bare LF at " << at;
    EXPECT_FALSE(std::ifstream(run.dir + "/text2.txt").good());
}

TEST(MainLoop, PlaceholderButtonsShowTheirPictureForTheirSeconds) {
    ShellRun run = RunShell("", [] {
        BuildMainWindow();
        std::string r;
        for (int button : {12, 13, 14, 15, 19, 23}) {
            uint64_t start = uxplatform->clock_ms();
            HandleMainEvent(uxbutton_id(&gModuleButtons[button]));
            long tenths = std::lround((uxplatform->clock_ms() - start) / 100.0);
            r += format("%d:%d tab %d green %d|", button, static_cast<int>(tenths),
                        gTabControl.current,
                        uxpxmap_getpixel(&gGraphicPages[0].pixmap, 1900, 1060) == 0x00FF00, 0);
        }
        return r;
    });
    ASSERT_EQ(run.exit_code, 0) << run.err;
    // Button 14 adds the Statistics 3 intro on Text 1: six lines, 0.1 s after each.
    EXPECT_EQ(run.result,
              "12:20 tab 1 green 1|13:20 tab 1 green 1|14:66 tab 7 green 1|"
              "15:100 tab 1 green 1|19:100 tab 1 green 1|23:100 tab 1 green 1|");
}

TEST(Welcome, PrintsEveryIntroInOrderWaitingAfterEachLine) {
    ShellRun run = RunShell("", [] {
        BuildMainWindow();
        uint64_t start = uxplatform->clock_ms();
        ShowWelcome();
        uxscript_hooks.dump_terminal("terminal.txt");
        return std::to_string(uxplatform->clock_ms() - start);
    });
    ASSERT_EQ(run.exit_code, 0) << run.err;
    std::string t = run.file("terminal.txt");
    size_t at = 0;
    for (const char* heading :
         {"Grafik 1 ... Grafik 12", "Statistic 1 - CONTINUUM", "EVENT ANALYSIS",
          "Statistics 2 DENSITY FUNCTION", "MATRIX PROBABILITY", "ARTIFICIAL INTELLIGENC",
          "Statistics 3 - PROBABILITY", "FLUKTUATIONS", "TEAM-ANALYSIS"}) {
        size_t found = t.find(heading, at);
        ASSERT_NE(found, std::string::npos) << heading;
        at = found;
    }
    double seconds = std::stod(run.result) / 1000;  // 53 lines, 0.1 s after each
    EXPECT_GE(seconds, 5.3);
    EXPECT_LT(seconds, 6.0);
}

// On a small screen the main window keeps the smallest size at which every caption and tab
// shows whole; one pixel less in either direction cuts something.
TEST(MainWindowSize, SmallScreenGetsTheMinimumSizeAtWhichAllIsWhole) {
    setenv("UX_SCREEN", "800x600", 1);
    ShellRun run = RunShell("", [] {
        BuildMainWindow();
        int w = 0, h = 0;
        KeepMainWindowWhole(&w, &h);
        bool kept = gMainWindow.layout.width == w && gMainWindow.layout.height == h;
        bool whole = MainWindowIsWhole();
        auto whole_at = [](int width, int height) {
            uxEvent ev = {UXEV_RESIZE, {width, height}};
            uxwindow_dispatch(&gMainWindow, &ev);
            return MainWindowIsWhole();
        };
        bool narrower = whole_at(w - 1, h), lower = whole_at(w, h - 1);
        return format("kept %d whole %d narrower %d lower %d big %d", kept, whole, narrower, lower,
                      w > 760 && w < 1900 && h > 570 && h < 1060);
    });
    unsetenv("UX_SCREEN");
    EXPECT_EQ(run.result, "kept 1 whole 1 narrower 0 lower 0 big 1");
}
