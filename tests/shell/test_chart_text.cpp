// Every text a chart draws stays whole on its page and off every other text: the chart scripts
// of tests/scripts/ run headless with a watcher that collects the text rectangles of each graphic
// page and checks them whenever the page is cleared again and at the end of the run.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "shell/main_window.h"
#include "toolkit/core/uxentry.h"
#include "shell/output.h"
#include "shell_run.h"

namespace {

struct TextBox {
    int x, y, width, height;
    std::string text;
};

struct PageTexts {
    int width = 0, height = 0;
    std::vector<TextBox> boxes;
};

PageTexts pages[7];
std::string faults;

void check_page(int page) {
    PageTexts& p = pages[page];
    char line[600];
    for (size_t i = 0; i < p.boxes.size(); ++i) {
        const TextBox& a = p.boxes[i];
        if (a.x < 0 || a.y < 0 || a.x + a.width > p.width || a.y + a.height > p.height) {
            std::snprintf(line, sizeof line, "page %d: \"%s\" at %d,%d %dx%d leaves the page\n",
                          page, a.text.c_str(), a.x, a.y, a.width, a.height);
            faults += line;
        }
        for (size_t j = 0; j < i; ++j) {
            const TextBox& b = p.boxes[j];
            if (a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height &&
                b.y < a.y + a.height) {
                std::snprintf(line, sizeof line, "page %d: \"%s\" at %d,%d on \"%s\" at %d,%d\n",
                              page, a.text.c_str(), a.x, a.y, b.text.c_str(), b.x, b.y);
                faults += line;
            }
        }
    }
    p.boxes.clear();
}

void page_cleared(int page, int width, int height) {
    check_page(page);
    pages[page].width = width;
    pages[page].height = height;
}

// The same text drawn again on the same place (as the rhythm chart's year labels, once per
// curve) is kept once.
void text_drawn(int page, int x, int y, int width, int height, const char* text) {
    for (const TextBox& b : pages[page].boxes)
        if (b.x == x && b.y == y && b.width == width && b.text == text) return;
    pages[page].boxes.push_back({x, y, width, height, text});
}

const TextRectWatcher kWatcher = {page_cleared, text_drawn};

std::string read_script(const std::string& name) {
    std::ifstream in(std::string(VV_SOURCE_DIR) + "/tests/scripts/" + name + ".uxs");
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

}  // namespace

TEST(ChartText, EveryChartKeepsItsTextsWholeAndApart) {
    for (const char* name : {"chart_workflow", "chart_search", "chart_small", "shuffle_design1"}) {
        std::string script = read_script(name);
        ASSERT_FALSE(script.empty()) << name;
        ShellRun run = RunShell(script, [] {
            std::filesystem::copy(std::string(VV_SOURCE_DIR) + "/data", ".",
                                  std::filesystem::copy_options::recursive |
                                      std::filesystem::copy_options::overwrite_existing);
            WatchGraphicText(&kWatcher);
            ApplicationMain();
            for (int page = 1; page <= 6; ++page) check_page(page);
            return faults;
        });
        EXPECT_EQ(run.exit_code, 0) << name << "\n" << run.err;
        EXPECT_TRUE(run.returned) << name;
        EXPECT_EQ(run.result, "") << name;
    }
}
