// The file dialog driven the way the automation drives it: answers typed through the
// file-dialog hook from the idle hook of the waits, and the replace question clicked.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "toolkit/widgets/uxbutton.h"
#include "toolkit/core/uxentry.h"
#include "toolkit/core/uxevent.h"
#include "toolkit/widgets/uxfiledialog.h"
#include "toolkit/widgets/uxlistbox.h"
#include "toolkit/automation/uxscript.h"
#include "toolkit/core/uxwindow.h"

namespace {

// What the idle hook does next: a typed answer, "cancel", a click on "yes" / "no" in the
// replace question, or "inspect" to record the file list shown.
std::vector<std::string> steps;
size_t next_step = 0;
int idle_calls = 0;
bool saw_held = true, saw_open = true;
std::vector<std::string> shown_files;

bool click_in_modal(const char* caption) {
    uxWindow* w = uxwindow_modal();
    if (!w) return false;
    for (int i = 0; i < w->container.count; ++i) {
        uxWidget* b = w->container.widgets[i];
        if (b->role == UXROLE_BUTTON && b->caption && !std::strcmp(b->caption, caption)) {
            uxwidget_trigger(b);
            return true;
        }
    }
    return false;
}

void record_files() {
    shown_files.clear();
    uxWindow* w = uxwindow_modal();
    int lists = 0;
    for (int i = 0; w && i < w->container.count; ++i) {
        uxWidget* l = w->container.widgets[i];
        if (l->role != UXROLE_LISTBOX || l->part || ++lists != 2) continue;
        uxListBox* box = static_cast<uxListBox*>(l->self);
        for (int r = 0; r < uxlistbox_count(box); ++r) shown_files.push_back(uxlistbox_row(box, r));
    }
}

bool idle() {
    if (++idle_calls > 1000) {
        uxStop();  // a dialog that never closes must not hang the test run
        return true;
    }
    saw_held = saw_held && uxevent_callbacks_held();
    saw_open = saw_open && uxfiledialog_is_open();
    if (next_step >= steps.size()) return uxscript_hooks.file_dialog_answer(nullptr);
    const std::string& s = steps[next_step++];
    if (s == "cancel") return uxscript_hooks.file_dialog_answer(nullptr);
    if (s == "yes") return click_in_modal("&Ja");
    if (s == "no") return click_in_modal("&Nein");
    if (s.rfind("keys:", 0) == 0) {
        // Typed into the focused name field and confirmed with Return, as a person would.
        uxWindow* w = uxwindow_modal();
        std::string keys = s.substr(5);
        for (size_t i = 0; w && i <= keys.size(); ++i) {
            int code = i < keys.size() ? (int)(unsigned char)keys[i] : (int)UXKEY_RETURN;
            uxEvent down = {UXEV_KEYDOWN, {code}}, up = {UXEV_KEYUP, {code}};
            uxwindow_dispatch(w, &down);
            uxwindow_dispatch(w, &up);
        }
        return true;
    }
    if (s == "inspect") {
        record_files();
        return true;
    }
    return uxscript_hooks.file_dialog_answer(s.c_str());
}

std::string canonical(const std::string& path) {
    char* real = realpath(path.c_str(), nullptr);
    std::string out = real ? real : path;
    std::free(real);
    return out;
}

void touch(const std::string& path) {
    FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fputs("x", f);
    std::fclose(f);
}

std::string cwd() {
    char buffer[4096];
    return getcwd(buffer, sizeof buffer) ? buffer : "";
}

struct FileDialogTest : ::testing::Test {
    uxWindow main_window;
    std::string dir, old_cwd;
    void SetUp() override {
        setenv("UX_PLATFORM", "headless", 1);
        ASSERT_TRUE(uxentry_init());
        uxevent_reset();
        ASSERT_TRUE(uxwindow_create(&main_window, "main,x=0,y=0,xs=400,ys=300"));
        dir = canonical(::testing::TempDir()) + "/filedialog_" +
              ::testing::UnitTest::GetInstance()->current_test_info()->name();
        mkdir(dir.c_str(), 0755);
        old_cwd = cwd();
        steps.clear();
        next_step = 0;
        idle_calls = 0;
        saw_held = saw_open = true;
        shown_files.clear();
        uxevent_set_idle_hook(idle);
    }
    void TearDown() override {
        uxevent_set_idle_hook(nullptr);
        if (chdir(old_cwd.c_str()) != 0) ADD_FAILURE() << "cannot return to " << old_cwd;
        uxwindow_destroy(&main_window);
        uxevent_reset();
    }
};

TEST_F(FileDialogTest, OpenRefusesMissingFilesAndAddsTheDefaultExtension) {
    touch(dir + "/present.dbf");
    steps = {"missing", "present"};
    char path[2048];
    ASSERT_TRUE(uxfiledialog(path, sizeof path, "open,filter=*.dbf,defaultext=dbf,dir=%s", dir.c_str()));
    EXPECT_EQ(std::string(path), dir + "/present.dbf");
    EXPECT_EQ(next_step, 2u);  // the missing name kept the dialog open
    EXPECT_TRUE(saw_held);
    EXPECT_TRUE(saw_open);
    EXPECT_FALSE(uxfiledialog_is_open());
    EXPECT_FALSE(uxevent_callbacks_held());
    EXPECT_EQ(uxscript_hooks.file_dialog_answer, nullptr);

    // A name with an extension of its own keeps it.
    touch(dir + "/table.DBF");
    steps = {"table.DBF"};
    next_step = 0;
    ASSERT_TRUE(uxfiledialog(path, sizeof path, "open,filter=*.dbf,defaultext=dbf,dir=%s", dir.c_str()));
    EXPECT_EQ(std::string(path), dir + "/table.DBF");
}

TEST_F(FileDialogTest, CancelReturnsNothing) {
    steps = {"cancel"};
    char path[256] = "stale";
    EXPECT_FALSE(uxfiledialog(path, sizeof path, "save,filter=*.bmp,defaultext=bmp"));
    EXPECT_STREQ(path, "");
    EXPECT_FALSE(uxevent_callbacks_held());
}

TEST_F(FileDialogTest, SaveAsksBeforeReplacing) {
    touch(dir + "/page.txt");
    steps = {"page", "no", "page.txt", "yes"};
    char path[2048];
    ASSERT_TRUE(uxfiledialog(path, sizeof path, "save,filter=*.txt,defaultext=txt,dir=%s", dir.c_str()));
    EXPECT_EQ(std::string(path), dir + "/page.txt");
    EXPECT_EQ(next_step, 4u);

    // A new name needs no question; Return in the name field confirms.
    steps = {"keys:fresh"};
    next_step = 0;
    ASSERT_TRUE(uxfiledialog(path, sizeof path, "save,filter=*.txt,defaultext=txt,dir=%s", dir.c_str()));
    EXPECT_EQ(std::string(path), dir + "/fresh.txt");
    EXPECT_EQ(next_step, 1u);
}

TEST_F(FileDialogTest, WorkingDirectoryIsRestoredAndSlashesAreForward) {
    mkdir((dir + "/sub").c_str(), 0755);
    ASSERT_EQ(chdir(::testing::TempDir().c_str()), 0);
    std::string before = cwd();
    // Browse into "sub" by typing it, then give a name with a backslash separator.
    mkdir((dir + "/sub/deeper").c_str(), 0755);
    steps = {"sub", "deeper\\chart"};
    char path[2048];
    ASSERT_TRUE(uxfiledialog(path, sizeof path, "save,filter=*.bmp,defaultext=bmp,dir=%s", dir.c_str()));
    EXPECT_EQ(std::string(path), dir + "/sub/deeper/chart.bmp");
    EXPECT_EQ(cwd(), before);
}

TEST_F(FileDialogTest, FilterAndTypedPatternChooseTheFilesShown) {
    touch(dir + "/a.dbf");
    touch(dir + "/b.txt");
    touch(dir + "/c.DBF");
    steps = {"inspect", "*.txt", "inspect", "cancel"};
    char path[2048];
    std::vector<std::string> first, second;
    EXPECT_FALSE(uxfiledialog(path, sizeof path, "open,filter=*.dbf|Tabellen,filter=*.txt,dir=%s",
                              dir.c_str()));
    // The record of the last inspection only: run again to see the first one alone.
    second = shown_files;
    steps = {"inspect", "cancel"};
    next_step = 0;
    EXPECT_FALSE(uxfiledialog(path, sizeof path, "open,filter=*.dbf|Tabellen,filter=*.txt,dir=%s",
                              dir.c_str()));
    first = shown_files;
    EXPECT_EQ(first, (std::vector<std::string>{"a.dbf", "c.DBF"}));
    EXPECT_EQ(second, (std::vector<std::string>{"b.txt"}));
}

TEST_F(FileDialogTest, ResultBufferTooSmallKeepsTheDialogOpen) {
    steps = {"a-rather-long-file-name", "cancel"};
    char path[8];
    EXPECT_FALSE(uxfiledialog(path, sizeof path, "save,defaultext=txt,dir=%s", dir.c_str()));
    EXPECT_EQ(next_step, 2u);
    EXPECT_STREQ(path, "");
}

}  // namespace
