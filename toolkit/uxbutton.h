#pragma once
// Push buttons (also arrow buttons), text labels, plain separator bars and the colour roles all
// widgets draw with.

#include "toolkit/uxcfgstr_kinds.h"
#include "toolkit/uxwidget.h"

// Colour roles: 0 face, 1 light face, 2 shadow, 3 white, 4 black, 5 text, 6 grey text,
// 7 dark face, 8 highlight.
int uxcolor_role(int role);

struct uxButton {
    uxWidget base;
    uxButtonAttr attr;
    int textcolor = -1;  // -1: colour role 5
    bool pressed = false;
};
// "caption,keywords..." (token 0 is the caption; "&" marks the accelerator letter).
void uxbutton_create(uxButton* b, const char* format, ...) __attribute__((format(printf, 2, 3)));
void uxbutton_vcreate(uxButton* b, const char* format, va_list ap);
void uxbutton_create_cb(uxButton* b, uxTriggerFn fn, void* user, const char* format, ...)
    __attribute__((format(printf, 4, 5)));
void uxbutton_destroy(uxButton* b);
void uxbutton_enable(uxButton* b);
void uxbutton_disable(uxButton* b);
int uxbutton_id(const uxButton* b);

struct uxLabel {
    uxWidget base;
    char* text = nullptr;
    int textcolor = -1;
};
void uxlabel_create(uxLabel* l, const char* format, ...) __attribute__((format(printf, 2, 3)));
void uxlabel_set_text(uxLabel* l, const char* text);
void uxlabel_destroy(uxLabel* l);

// An empty widget used as a separating bar in dialogs.
struct uxBar {
    uxWidget base;
};
void uxbar_create(uxBar* b, const char* format, ...) __attribute__((format(printf, 2, 3)));
void uxbar_destroy(uxBar* b);
