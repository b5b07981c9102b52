// The modal parameter dialogs. Each builds its widgets from property strings, waits for its own
// buttons, reads the values back and destroys everything it made.

#include "shell/dialogs.h"

#include <cstdarg>
#include <cstdlib>
#include <cstring>

#include "shell/format_text.h"
#include "shell/output.h"
#include "shell/run_record.h"
#include "toolkit/widgets/uxbutton.h"
#include "toolkit/core/uxentry.h"
#include "toolkit/core/uxevent.h"
#include "toolkit/drawing/uxfont.h"
#include "toolkit/widgets/uxlineinput.h"
#include "toolkit/text/uxtextdisplay.h"
#include "toolkit/core/uxwindow.h"

static unsigned dialog_font() { return static_cast<unsigned>(uxfont_builtin("builtin 12x24")); }

enum { kMessageBufferSize = 1000 };

bool ModuleGoesOn() { return uxRunning() && !uxevent_cancelled(); }

// Waits for one of the dialog's buttons. The window's close request (its close box or Escape)
// cancels the module that opened the dialog. Returns the button's id, or 0.
static int wait_dialog(uxWindow* win, int count, const int* buttons) {
    int ids[104];
    for (int i = 0; i < count; ++i) ids[i] = buttons[i];
    ids[count] = uxwindow_close_id(win);
    int id = uxWaitForEventList(count + 1, ids);
    if (id != 0 && id == ids[count]) {
        uxevent_cancel(win->title);
        return 0;
    }
    return id;
}

static int wait_dialog_ok(uxWindow* win, const uxButton* ok) {
    int id = uxbutton_id(ok);
    return wait_dialog(win, 1, &id);
}

// A field that is not asked shows its fixed default, zero-padded like the control's own values,
// and cannot be changed: read-only text, both arrows disabled.
static void lock_at(uxUpDownControl* control, int value) {
    char text[32];
    FormatText(text, sizeof text, "%0*d", control->props.digits, value);
    uxlineinput_set_text(&control->input, text);
    uxupdown_enable(control, false);
}

void InputDate(const char* title, int* day, int* month, int* year, int* hour, int* minute,
               int* second) {
    unsigned f = dialog_font();
    uxWindow win;
    uxwindow_create(&win, "%s,x=50%,y=50%,xs=500,ys=400,noquit,nosysmenu,modal,fontid=%u", title,
                    f);
    uxButton ok;
    uxbutton_create(&ok, "OK,x=50%,y=93%,xs=20%,fontid=%u", f);
    uxBar bar;
    uxbar_create(&bar, "x=50%,y=85%,xs=100%");
    uxLabel l_day, l_month, l_year, l_h, l_m, l_s;
    uxlabel_create(&l_day, "day:,x=12.5%,y=20%,fontid=%u", f);
    uxlabel_create(&l_month, "month:,x=40%,y=20%,fontid=%u", f);
    uxlabel_create(&l_year, "year:,x=65%,y=20%,fontid=%u", f);
    uxUpDownControl c[6];
    uxupdown_create(&c[0], "x=20%,y=35%,xs=15%,min=1,max=31,fontid=%u", f);
    uxupdown_create(&c[1], "x=47.5%,y=35%,xs=15%,min=1,max=12,fontid=%u", f);
    uxupdown_create(&c[2], "x=75%,y=35%,xs=20%,min=1000,max=10000,start=2000,fontid=%u", f);
    uxupdown_create(&c[3], "x=20%,y=65%,xs=12%,min=0,max=23,digits=2,fontid=%u", f);
    uxlabel_create(&l_h, "h,x=28%,y=65%,fontid=%u", f);  // apart from the arrows
    uxupdown_create(&c[4], "x=40%,y=65%,xs=12%,min=0,max=59,digits=2,fontid=%u", f);
    uxlabel_create(&l_m, "m,x=48%,y=65%,fontid=%u", f);
    uxupdown_create(&c[5], "x=60%,y=65%,xs=12%,min=0,max=59,digits=2,fontid=%u", f);
    uxlabel_create(&l_s, "s,x=68%,y=65%,fontid=%u", f);

    int* values[6] = {day, month, year, hour, minute, second};
    static const int fixed[6] = {1, 1, 0, 0, 0, 0};
    bool locked[6];
    bool focused = false;
    for (int i = 0; i < 6; ++i) {
        locked[i] = *values[i] == -1;
        if (locked[i]) {
            lock_at(&c[i], fixed[i]);
        } else {
            uxupdown_set_value(&c[i], *values[i]);
            if (!focused && i < 5) {  // the second never takes the focus
                uxwidget_focus(&c[i].input.base);
                focused = true;
            }
        }
    }
    if (wait_dialog_ok(&win, &ok) != 0)
        for (int i = 0; i < 6; ++i) *values[i] = locked[i] ? fixed[i] : uxupdown_get_value(&c[i]);
    RecordAnswerDate(title, *day, *month, *year, *hour, *minute, *second);

    for (int i = 5; i >= 0; --i) uxupdown_destroy(&c[i]);
    uxlabel_destroy(&l_s);
    uxlabel_destroy(&l_m);
    uxlabel_destroy(&l_h);
    uxlabel_destroy(&l_year);
    uxlabel_destroy(&l_month);
    uxlabel_destroy(&l_day);
    uxbar_destroy(&bar);
    uxbutton_destroy(&ok);
    uxwindow_destroy(&win);
}

int InputInt(const char* message, int minimum, int maximum, int start) {
    int f = uxfont_builtin("builtin 12x24");
    uxWindow win;
    uxwindow_create(&win, "InputInt,x=50%,y=50%,xs=400,ys=280,noquit,nosysmenu,modal,fontid=%d", f);
    uxButton ok;
    uxbutton_create(&ok, "OK,x=50%,y=93%,xs=20%,default,fontid=%d", f);
    uxBar bar;
    uxbar_create(&bar, "x=50%,y=80%,xs=100%");
    uxSimpleTextDisplay* text = uxsimpletext_new("x=50%,y=18%,xs=80%,ys=30%,fontid=%d", f);
    uxsimpletext_set(text, "%s", message);
    uxUpDownControl value;
    uxupdown_create(&value, "x=50%,y=60%,xs=40%,min=%d,max=%d,start=%d,fontid=%d", minimum, maximum,
                    start, f);
    uxwidget_focus(&value.input.base);
    wait_dialog_ok(&win, &ok);
    int result = uxupdown_get_value(&value);
    RecordAnswerInt("InputInt", message, result);
    uxupdown_destroy(&value);
    uxsimpletext_delete(text);
    uxbar_destroy(&bar);
    uxbutton_destroy(&ok);
    uxwindow_destroy(&win);
    return result;
}

// The buttons of the open InputYesNo. Left and Right reach the focused button only, so both
// buttons get a handler that moves the focus and hands every other event to the button kind.
static struct {
    uxButton* yes = nullptr;
    uxButton* no = nullptr;
    bool (*button_handle)(uxWidget* w, const uxEvent* ev) = nullptr;
} yes_no;

static bool yes_no_handle(uxWidget* w, const uxEvent* ev) {
    if (ev->code == UXEV_KEYDOWN && ev->data[0] == UXKEY_LEFT) {
        uxwidget_focus(&yes_no.yes->base);
        return true;
    }
    if (ev->code == UXEV_KEYDOWN && ev->data[0] == UXKEY_RIGHT) {
        uxwidget_focus(&yes_no.no->base);
        return true;
    }
    return yes_no.button_handle(w, ev);
}

int InputYesNo(const char* message, int defaultYes) {
    unsigned f = dialog_font();
    uxWindow win;
    uxwindow_create(&win, "InputYesNo,x=50%,y=50%,xs=300,ys=200,noquit,nosysmenu,modal,fontid=%u",
                    f);
    uxButton yes, no;
    uxbutton_create(&yes, "Yes,x=25%,y=90%,xs=20%,fontid=%u", f);
    uxbutton_create(&no, "No,x=75%,y=90%,xs=20%,fontid=%u", f);
    uxSimpleTextDisplay* text = uxsimpletext_new("x=50%,y=40%,xs=80%,ys=55%,fontid=%u", f);
    uxsimpletext_set(text, "%s", message);
    auto outer = yes_no;  // kept for a question asked while another one is open
    yes_no.yes = &yes;
    yes_no.no = &no;
    yes_no.button_handle = yes.base.handle;
    yes.base.handle = yes_no_handle;
    no.base.handle = yes_no_handle;
    uxwidget_focus(defaultYes ? &yes.base : &no.base);
    int result = -1;
    while (result < 0) {
        int ids[2] = {uxbutton_id(&yes), uxbutton_id(&no)};
        int id = wait_dialog(&win, 2, ids);
        if (id == 0) break;
        result = id == uxbutton_id(&yes) ? 1 : 0;
    }
    yes_no = outer;
    RecordAnswerYesNo(message, result);
    uxsimpletext_delete(text);
    uxbutton_destroy(&no);
    uxbutton_destroy(&yes);
    uxwindow_destroy(&win);
    return result;
}

double InputDouble(const char* message, double minimum, double maximum, double start) {
    (void)minimum;  // passed by every caller, not enforced
    (void)maximum;
    unsigned f = dialog_font();
    uxWindow win;
    uxwindow_create(&win, "InputDouble,x=50%,y=50%,xs=500,ys=300,noquit,nosysmenu,modal,fontid=%u",
                    f);
    uxButton ok;
    uxbutton_create(&ok, "OK,x=50%,y=93%,xs=20%,default,fontid=%u", f);
    uxBar bar;
    uxbar_create(&bar, "x=50%,y=85%,xs=100%,fontid=%u", f);
    uxSimpleTextDisplay* text = uxsimpletext_new("x=50%,y=40%,xs=80%,ys=55%,fontid=%u", f);
    uxsimpletext_set(text, "%s", message);
    uxLineInput input;
    uxlineinput_create(&input, "x=50%,y=75%,xs=40%,fontid=%u", f);
    char start_text[64];
    FormatText(start_text, sizeof start_text, "%g", start);
    uxlineinput_set_text(&input, start_text);
    uxwidget_focus(&input.base);
    double result = 0.0;
    if (wait_dialog_ok(&win, &ok) != 0)
        result = std::strtod(uxlineinput_text(&input), nullptr);
    RecordAnswerDouble(message, result);
    uxlineinput_destroy(&input);
    uxsimpletext_delete(text);
    uxbar_destroy(&bar);
    uxbutton_destroy(&ok);
    uxwindow_destroy(&win);
    return result;
}

void InputArray(const char* message, double* values, const char* const* labels) {
    unsigned n = 0;
    while (n < 24 && labels[n]) ++n;
    if (n == 0) return;
    unsigned f = dialog_font();
    uxWindow win;
    uxwindow_create(&win, "InputArray,x=50%,y=50%,xs=300,ys=%u,noquit,nosysmenu,modal",
                    n * 36 + 120);
    uxButton ok;
    uxbutton_create(&ok, "OK,x=50%,y=%u,xs=20%,default,fontid=%u", n * 36 + 80, f);
    uxSimpleTextDisplay* text =
        uxsimpletext_new("x=50%,y=10,xs=90%,ys=30,fontid=%d", static_cast<int>(f));
    uxsimpletext_set(text, "%s", message);
    uxBar bar;
    uxbar_create(&bar, "x=50%,y=%u,xs=100%", n * 36 + 70);
    uxLineInput inputs[24];
    uxLabel names[24];
    for (unsigned i = 0; i < n; ++i) {
        unsigned y = i * 36 + 50;
        uxlineinput_create(&inputs[i], "x=75%%,xs=20%%,y=%u,fontid=%u", y, f);
        char value[64];
        FormatText(value, sizeof value, "%g", values[i]);
        uxlineinput_set_text(&inputs[i], value);
        uxlabel_create(&names[i], "x=10,xs=50%%,y=%u,fontid=%u", y, f);
        uxlabel_set_text(&names[i], labels[i]);
    }
    uxwidget_focus(&inputs[0].base);
    wait_dialog_ok(&win, &ok);
    for (unsigned i = 0; i < n; ++i) values[i] = std::strtod(uxlineinput_text(&inputs[i]), nullptr);
    RecordAnswerArray(message, values, labels, static_cast<int>(n));
    for (int i = static_cast<int>(n) - 1; i >= 0; --i) {
        uxlabel_destroy(&names[i]);
        uxlineinput_destroy(&inputs[i]);
    }
    uxbar_destroy(&bar);
    uxsimpletext_delete(text);
    uxbutton_destroy(&ok);
    uxwindow_destroy(&win);
}

int ChooseOption(const char* title, int n, const char* const* texts) {
    if (n < 1) return -1;
    if (n > 100) n = 100;
    unsigned f = dialog_font();
    // 400 pixels wide, or wider so that the longest caption shows whole on its button (80 % of
    // the client area, with a margin on each side; the frame takes its share of the width).
    int width = 400;
    for (int i = 0; i < n; ++i) {
        int needed = (uxcaption_width(static_cast<int>(f), texts[i]) + 24) * 5 / 4 + 32;
        if (needed > width) width = needed;
    }
    uxWindow win;
    uxwindow_create(&win, "%s,x=50%,y=50%,xs=%d,ys=%d,noquit,nosysmenu,modal,fontid=%u", title,
                    width, n * 42 + 20, f);
    static uxButton buttons[100];
    int ids[100];
    for (int i = 0; i < n; ++i) {
        buttons[i] = uxButton{};
        // A comma would end the caption in the property string: such a button is made with a
        // stand-in caption and then takes the whole text.
        const bool comma = std::strchr(texts[i], ',') != nullptr;
        uxbutton_create(&buttons[i], "%s,x=50%,y=%d,xs=80%,fontid=%u", comma ? "-" : texts[i],
                        i * 42 + 10, f);
        if (comma) {
            delete[] buttons[i].base.caption;
            buttons[i].base.caption = new char[std::strlen(texts[i]) + 1];
            std::strcpy(buttons[i].base.caption, texts[i]);
        }
        ids[i] = uxbutton_id(&buttons[i]);
    }
    uxwidget_focus(&buttons[0].base);
    int id = wait_dialog(&win, n, ids);
    int result = -1;
    for (int i = 0; i < n; ++i)
        if (ids[i] == id) result = i + 1;
    RecordAnswerOption(title, result, result >= 1 ? texts[result - 1] : "");
    for (int i = n - 1; i >= 0; --i) uxbutton_destroy(&buttons[i]);
    uxwindow_destroy(&win);
    return result;
}

// Width of the message box: 250 pixels, or as wide as its longest word (a file name, say)
// needs, so that every message is shown whole.
static int message_width(const char* text) {
    const int font = uxfont_default_id();
    int widest = 0, word = 0;
    for (const char* c = text;; ++c) {
        if (*c == 0 || *c == ' ' || *c == '\n' || *c == '\t') {
            if (word > widest) widest = word;
            word = 0;
            if (*c == 0) break;
        } else {
            word += uxfont_char_width(font, static_cast<unsigned char>(*c));
        }
    }
    // The text box takes 80 % of the window and keeps 2 pixels on each side.
    int needed = (widest + 8) * 10 / 8;
    return needed < 250 ? 250 : needed > 1200 ? 1200 : needed;
}

void ShowMessage(const char* format, ...) {
    char buffer[kMessageBufferSize];
    va_list ap;
    va_start(ap, format);
    FormatTextV(buffer, sizeof buffer, format, ap);
    va_end(ap);
    if (uxwindow_painting_held()) uxwindow_release_painting();
    uxWindow win;
    uxwindow_create(&win, "message,x=50%,y=50%,xs=%d,ys=200,NoSysMenu,noquit,modal",
                    message_width(buffer));
    uxButton ok;
    uxbutton_create(&ok, "OK,x=50%,y=80%,xs=80%,default");
    uxSimpleTextDisplay* text = uxsimpletext_new("x=50%,y=35%,xs=80%,ys=60%");
    uxsimpletext_set(text, "%s", buffer);
    uxWaitForEvents(2, uxbutton_id(&ok), uxwindow_close_id(&win));
    uxsimpletext_delete(text);
    uxbutton_destroy(&ok);
    uxwindow_destroy(&win);
}

static bool report_module_stop(bool show, const char* stoppedLine, const char* format,
                               va_list ap) {
    char text[1400];
    FormatTextV(text, sizeof text, format, ap);
    if (show) ShowMessage("%s", text);
    Print("\n %s", text);
    Print("%s", stoppedLine);
    return false;
}

bool RefuseModuleRun(const char* stoppedLine, const char* format, ...) {
    va_list ap;
    va_start(ap, format);
    report_module_stop(true, stoppedLine, format, ap);
    va_end(ap);
    return false;
}

bool StopModuleRun(const char* stoppedLine, const char* format, ...) {
    va_list ap;
    va_start(ap, format);
    report_module_stop(false, stoppedLine, format, ap);
    va_end(ap);
    return false;
}
