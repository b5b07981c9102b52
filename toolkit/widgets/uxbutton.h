#pragma once
// Push buttons (also arrow buttons), text labels, plain separator bars and the colour roles all
// widgets draw with.

#include "toolkit/core/uxcfgstr_kinds.h"
#include "toolkit/core/uxwidget.h"

struct uxPixmap;

// Colour roles: 0 face, 1 light face, 2 shadow, 3 white, 4 black, 5 text, 6 grey text,
// 7 dark face, 8 highlight.
enum {
    UXCOLOR_FACE = 0, UXCOLOR_LIGHT = 1, UXCOLOR_SHADOW = 2, UXCOLOR_WHITE = 3, UXCOLOR_BLACK = 4,
    UXCOLOR_TEXT = 5, UXCOLOR_GREYTEXT = 6, UXCOLOR_DARK = 7, UXCOLOR_HIGHLIGHT = 8
};
int uxcolor_role(int role);
void uxcolor_reset();  // reads the platform colours again on next use (tests)

// ---- drawing helpers shared by the widget kinds ------------------------------------------------

// A 3-D frame of `border` lines inside the rectangle; raised or sunken.
void uxcolor_frame(uxPixmap* pm, int x, int y, int w, int h, int border, bool raised);
// Draws `text` from (x, y) but no glyph that would cross `right`; returns the width drawn.
int uxcolor_text_clipped(uxPixmap* pm, int font, int x, int y, const char* text, int colour,
                         int right);
// Captions: "&" marks the next character as accelerator, "&&" is a plain "&".
void uxcaption_strip(const char* caption, char* out, int size);
int uxcaption_width(int font, const char* caption);
int uxcaption_underlined(const char* caption);   // index in the shown text, -1 for none
int uxcaption_accelerator(const char* caption);  // lower-case accelerator character or 0
// Draws the shown text with the accelerator underlined; engraved draws the disabled look.
void uxcaption_draw(uxPixmap* pm, int font, int x, int y, const char* caption, int colour,
                    bool engraved);

// ---- buttons ----------------------------------------------------------------------------------

struct uxButton {
    uxWidget base;
    uxButtonAttr attr;
    int textcolor = -1;  // -1: colour role 5
    bool pressed = false;
    bool held = false;       // mouse button down on it (pressed follows the pointer)
    int repeat_ticks = 0;    // mouse repeat: ticks since the press
};
// "caption,keywords..." (token 0 is the caption; "&" marks the accelerator letter).
void uxbutton_create(uxButton* b, const char* format, ...);
void uxbutton_vcreate(uxButton* b, const char* format, va_list ap);
void uxbutton_create_cb(uxButton* b, uxTriggerFn fn, void* user, const char* format, ...);
void uxbutton_destroy(uxButton* b);
void uxbutton_enable(uxButton* b);
void uxbutton_disable(uxButton* b);
int uxbutton_id(const uxButton* b);
// The shown, enabled default button of a window (its pages included), or nullptr.
uxWidget* uxbutton_find_default(uxWindow* w);

struct uxLabel {
    uxWidget base;
    char* text = nullptr;
    int textcolor = -1;
};
void uxlabel_create(uxLabel* l, const char* format, ...);
void uxlabel_set_text(uxLabel* l, const char* text);
void uxlabel_destroy(uxLabel* l);

// An empty widget used as a separating bar in dialogs.
struct uxBar {
    uxWidget base;
};
void uxbar_create(uxBar* b, const char* format, ...);
void uxbar_destroy(uxBar* b);
