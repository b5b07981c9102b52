#pragma once
// A headless window that widget tests create their widgets in, with helpers that deliver mouse
// and key events the way the platform does.

#include <gtest/gtest.h>

#include <cstdlib>

#include "toolkit/core/uxentry.h"
#include "toolkit/core/uxevent.h"
#include "toolkit/core/uxwindow.h"

struct WidgetWindow : ::testing::Test {
    uxWindow win;
    void SetUp() override {
        setenv("UX_PLATFORM", "headless", 1);
        ASSERT_TRUE(uxentry_init());
        uxevent_reset();
        ASSERT_TRUE(uxwindow_create(&win, "widgets,x=0,y=0,xs=400,ys=300"));
    }
    void TearDown() override {
        uxwindow_destroy(&win);
        uxevent_reset();
    }
    void send(int code, int a = 0, int b = 0) {
        uxEvent ev = {code, {a, b}};
        uxwindow_dispatch(&win, &ev);
    }
    void click(const uxWidget* w) {
        int x = w->abs_x + w->layout.width / 2, y = w->abs_y + w->layout.height / 2;
        send(UXEV_LDOWN, x, y);
        send(UXEV_LUP, x, y);
    }
    void key(int code) {
        send(UXEV_KEYDOWN, code);
        send(UXEV_KEYUP, code);
    }
    void type(const char* text) {
        for (const char* p = text; *p; ++p) key(static_cast<unsigned char>(*p));
    }
    // Every id posted so far, in order, as a count of matches for `id`.
    int posted(int id) {
        int n = 0;
        for (int got = uxPollEvent(); got; got = uxPollEvent()) n += got == id;
        return n;
    }
};
