#pragma once
// Answers the dialogs of the code under test from inside their waits: each time a wait finds
// nothing to do, the next planned answer selects a list row and presses a button of the top
// window. What every waiting window showed (title, list rows, message text) is recorded. With
// no answer left the run is stopped, so every wait returns.

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "toolkit/widgets/uxbutton.h"
#include "toolkit/core/uxentry.h"
#include "toolkit/core/uxevent.h"
#include "toolkit/widgets/uxlistbox.h"
#include "toolkit/core/uxwindow.h"

namespace dialog_driver {

struct Answer {
    int selectRow;       // -1: leave the selection
    const char* button;  // caption without "&"
};

struct Seen {
    std::string title;
    int rows = -1;  // rows of the window's list, -1 without one
    int selected = -1;
    std::string text;  // the message text box
    std::vector<std::string> rowTexts;
};

inline std::vector<Answer> planned;
inline size_t next = 0;
inline std::vector<Seen> seen;

inline void record(uxWindow* w) {
    Seen s;
    s.title = w->title ? w->title : "";
    for (int i = 0; i < w->container.count; ++i) {
        uxWidget* widget = w->container.widgets[i];
        if (widget->role == UXROLE_LISTBOX) {
            uxListBox* list = static_cast<uxListBox*>(widget->self);
            s.rows = uxlistbox_count(list);
            s.selected = uxlistbox_selected(list);
            for (int r = 0; r < s.rows; ++r) s.rowTexts.push_back(uxlistbox_row(list, r));
        }
        if (widget->role == UXROLE_TEXTBOX && widget->text) s.text = widget->text(widget);
    }
    seen.push_back(s);
}

inline uxWidget* find_button(uxWindow* w, const char* caption) {
    for (int i = 0; i < w->container.count; ++i) {
        uxWidget* widget = w->container.widgets[i];
        if (widget->role != UXROLE_BUTTON || !widget->caption || widget->part) continue;
        char shown[256];
        uxcaption_strip(widget->caption, shown, sizeof shown);
        if (std::strcmp(shown, caption) == 0) return widget;
    }
    return nullptr;
}

inline bool idle() {
    uxWindow* w = uxwindow_top();
    if (!w) {
        uxStop();
        return true;
    }
    record(w);
    if (next >= planned.size()) {
        uxStop();
        return true;
    }
    Answer a = planned[next++];
    if (a.selectRow >= 0)
        for (int i = 0; i < w->container.count; ++i)
            if (w->container.widgets[i]->role == UXROLE_LISTBOX)
                uxlistbox_select(static_cast<uxListBox*>(w->container.widgets[i]->self), a.selectRow);
    uxWidget* button = find_button(w, a.button);
    if (!button) {
        ADD_FAILURE() << "no button \"" << a.button << "\" in \"" << seen.back().title << "\"";
        uxStop();
        return true;
    }
    uxPostEvent(button->id);
    return true;
}

// Each test runs in a fresh working directory of its own with the dialogs answered.
class DialogTest : public ::testing::Test {
protected:
    std::filesystem::path previous, dir;
    void SetUp() override {
        setenv("UX_PLATFORM", "headless", 1);
        ASSERT_TRUE(uxentry_init());
        uxevent_reset();
        planned.clear();
        seen.clear();
        next = 0;
        uxevent_set_idle_hook(idle);
        previous = std::filesystem::current_path();
        dir = std::filesystem::temp_directory_path() /
              ("vv_records_" + std::string(::testing::UnitTest::GetInstance()->current_test_suite()->name()) +
               "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
        std::filesystem::current_path(dir);
    }
    void TearDown() override {
        uxevent_set_idle_hook(nullptr);
        uxevent_reset();
        std::filesystem::current_path(previous);
        std::filesystem::remove_all(dir);
    }
    static void Plan(std::vector<Answer> answers) {
        planned = std::move(answers);
        next = 0;
    }
};

}  // namespace dialog_driver
