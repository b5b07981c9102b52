// Output routing: Print to the terminal or a text page, page selection, the graphic-page text
// helpers, progress, the BUSY/READY bracket and the small helpers every module shares.

#include "shell/output.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "shell/dialogs.h"
#include "shell/format_text.h"
#include "shell/shell_widgets.h"
#include "toolkit/platform/uxplatform.h"
#include "toolkit/core/uxevent.h"
#include "toolkit/drawing/uxfont.h"

static int text_target = 0;
static int remembered_colour = 0;
static int graphic_page = 0;  // page of the last GraphicOutput, for the text watcher
static const TextRectWatcher* text_watcher = nullptr;

void WatchGraphicText(const TextRectWatcher* watcher) { text_watcher = watcher; }

int CurrentTextTarget() { return text_target; }

// The terminal or text page of the current target; nullptr while the window is being built.
static uxTerminal* target_terminal() { return text_target == 0 ? gTerminal : nullptr; }
static uxTextDisplay* target_page() {
    return text_target >= 1 && text_target <= 6 ? gTextPages[text_target - 1] : nullptr;
}

static void send_text(const char* text) {
    if (!gShellBuilt) {
        std::fputs(text, stdout);
        return;
    }
    if (uxTerminal* t = target_terminal())
        uxterminal_print(t, text);
    else if (uxTextDisplay* page = target_page())
        uxtextdisplay_append(page, text);
}

void Print(const char* format, ...) {
    char buffer[kPrintBufferSize];
    va_list ap;
    va_start(ap, format);
    FormatTextV(buffer, sizeof buffer, format, ap);
    va_end(ap);
    send_text(buffer);
}

void ClearOutput() {
    if (!gShellBuilt) return;
    if (uxTerminal* t = target_terminal())
        uxterminal_clear(t);
    else if (uxTextDisplay* page = target_page())
        uxtextdisplay_clear(page);
}

void TextOutput(int target) {
    if (target < 0 || target > 6) {
        ShowMessage(
            "TextOutput: Parameter muss zwischen 0 und 6 liegen !!!!!\nMit %d wird das nix.",
            target);
        return;
    }
    if (gShellBuilt) {
        if (target >= 1) {
            uxtabcontrol_select(&gTabControl, target + 6);
        } else {
            uxtabcontrol_select(&gTabControl, 0);
            uxwidget_focus(uxterminal_widget(gTerminal));
            uxterminal_set_current(gTerminal);
        }
    }
    text_target = target;
}

void GraphicOutput(int page, int width, int height, int colour) {
    if (page <= 0 || page > 6) {
        ShowMessage(
            "GraphicOutput: Parameter muss zwischen 1 und 6 liegen !!!!!\nMit %d wird das nix.",
            page);
        return;
    }
    if (!gShellBuilt) return;
    uxtabcontrol_select(&gTabControl, page);
    uxScreenGraphic* g = &gGraphicPages[page - 1];
    uxgraphic_select(g);
    uxgraphic_resize(g, width, height);
    uxgraphic_clear(colour);
    graphic_page = page;
    if (text_watcher) text_watcher->page_cleared(page, width, height);
}

void SetProgress(int percent) {
    if (percent < 0) percent = 0;
    if (percent > 100) percent = 100;
    if (gShellBuilt) uxprogressbar_set(&gProgressBar, percent);
}

void ShowBusyState(int busy) {
    if (!gShellBuilt) return;
    uxScreenGraphic* g = &gBusyIndicator;
    uxgraphic_g_setfont(g, uxfont_builtin("builtin 9x15 bold"));
    uxgraphic_g_fillrect(g, 0, 0, 200, 20, busy ? 0xFF0000 : 0x00FF00);
    if (busy)
        uxgraphic_g_text(g, 50, 3, 0x000000, "  B U S Y");
    else
        uxgraphic_g_text(g, 55, 3, 0x000000, "R E A D Y");
    uxgraphic_refresh(g);
}

void BeginModuleRun() {
    ShowBusyState(1);
    SetProgress(0);
    TextOutput(0);
    for (int i = 0; i < SHELL_MODULE_BUTTONS; ++i) uxbutton_disable(&gModuleButtons[i]);
}

void EndModuleRun() {
    ShowBusyState(0);
    for (int i = 0; i < SHELL_MODULE_BUTTONS; ++i) uxbutton_enable(&gModuleButtons[i]);
}

// Draws at (x, y - 13) and tells the watcher, if any, where the visible letters went.
static int draw_page_text(int x, int y, int colour, const char* text) {
    int width = uxgraphic_text(x, y - 13, colour, text);
    if (!text_watcher) return width;
    const char* first = text;
    while (*first == ' ') ++first;
    const char* end = first + std::strlen(first);
    while (end > first && end[-1] == ' ') --end;
    if (end == first) return width;
    char visible[kDrawTextBufferSize];
    std::snprintf(visible, sizeof visible, "%.*s", static_cast<int>(end - first), first);
    char lead[kDrawTextBufferSize];
    std::snprintf(lead, sizeof lead, "%.*s", static_cast<int>(first - text), text);
    text_watcher->text_drawn(graphic_page, x + uxgraphic_textwidth(lead), y - 13,
                             uxgraphic_textwidth(visible), uxgraphic_fontheight(), visible);
    return width;
}

int DrawText(int x, int y, const char* text, int colour) {
    remembered_colour = colour;
    return draw_page_text(x, y, colour, text);
}

int DrawTextF(int x, int y, const char* format, ...) {
    char buffer[kDrawTextBufferSize];
    va_list ap;
    va_start(ap, format);
    FormatTextV(buffer, sizeof buffer, format, ap);
    va_end(ap);
    return draw_page_text(x, y, remembered_colour, buffer);
}

void DrawColouredTextF(int x, int y, int colour, const char* format, ...) {
    char buffer[kDrawTextBufferSize];
    va_list ap;
    va_start(ap, format);
    FormatTextV(buffer, sizeof buffer, format, ap);
    va_end(ap);
    remembered_colour = colour;
    draw_page_text(x, y, colour, buffer);
}

int MakeColour(int red, int green, int blue) {
    return (red & 0xFF) << 16 | (green & 0xFF) << 8 | (blue & 0xFF);
}

void PrintPrincipleName(unsigned int index) {
    static const char* const names[] = {"sun    ", "moon   ", "mercury", "venus  ",
                                        "mars   ", "jupiter", "saturn ", "uranus ",
                                        "neptun ", "pluto  ", "IC     "};
    Print("\n");
    Print("%s", index < 11 ? names[index] : "???");
}

int RandomInt(int n) {
    if (n == 0) return 0;
    return std::rand() % n;
}

double RandomUnit() { return RandomInt(100000) / 99999.0; }

double PolynomialValue(int count, const double* coefficients, double x) {
    double sum = 0.0;
    for (int i = 0; i < count; ++i) {
        double power = 1.0;
        for (int k = 0; k < i; ++k) power *= x;
        sum += coefficients[i] * power;
    }
    return sum;
}

void WaitSeconds(double seconds) { uxSleep(seconds); }

void PlayTada() { uxplatform->play_sound("Tada.wav"); }
