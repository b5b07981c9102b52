// The parameter dialogs, driven by automation scripts as a person would answer them.

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "shell/dialogs.h"
#include "shell_run.h"

static std::string text_of(double value) {
    char s[64];
    std::snprintf(s, sizeof s, "%g", value);
    return s;
}

static std::string date_after(const std::string& script, int d, int mo, int y, int h, int mi,
                              int s) {
    ShellRun run = RunShell(script, [=]() mutable {
        InputDate("Enter date", &d, &mo, &y, &h, &mi, &s);
        char out[80];
        std::snprintf(out, sizeof out, "%d.%d.%d %d:%d:%d", d, mo, y, h, mi, s);
        return std::string(out);
    });
    EXPECT_EQ(run.exit_code, 0) << run.err;
    return run.result;
}

TEST(InputDate, FieldsNotAskedAreLockedAtTheirDefaultsAndTheFocusSkipsThem) {
    // Day and month not asked: typing goes to the year.
    EXPECT_EQ(date_after("expect \"Enter date\"\nfill 1999\nclick OK\n", -1, -1, 1987, 12, 30, 0),
              "1.1.1999 12:30:0");
    // Nothing but the second asked: the second never takes the focus, typing changes nothing.
    EXPECT_EQ(date_after("type 7\nclick OK\n", -1, -1, -1, -1, -1, 5), "1.1.0 0:0:5");
    // Everything asked: the day has the focus, the values come back as shown.
    EXPECT_EQ(date_after("fill 24\nclick OK\n", 5, 6, 1990, 7, 8, 9), "24.6.1990 7:8:9");
    // The application stops before OK: nothing is written.
    EXPECT_EQ(date_after("fill 24\n", -1, 6, 1990, 7, 8, 9), "-1.6.1990 7:8:9");
}

static std::string int_after(const std::string& script) {
    ShellRun run =
        RunShell(script, [] { return std::to_string(InputInt("How many?", 1, 100, 50)); });
    EXPECT_EQ(run.exit_code, 0) << run.err;
    return run.result;
}

TEST(InputInt, ReturnsTheShownValueWithinItsRange) {
    EXPECT_EQ(int_after("expect InputInt\nexpect-text \"How many?\"\nfill 7\nclick OK\n"), "7");
    EXPECT_EQ(int_after("fill 150\nclick OK\n"), "100");
    EXPECT_EQ(int_after("key Up\nkey Return\n"), "51");
    EXPECT_EQ(int_after(""), "50");  // the application stops: the value shown
}

static std::string yes_no_after(const std::string& script, int defaultYes) {
    ShellRun run =
        RunShell(script, [=] { return std::to_string(InputYesNo("Sure?", defaultYes)); });
    EXPECT_EQ(run.exit_code, 0) << run.err;
    return run.result;
}

TEST(InputYesNo, DefaultFocusAndCursorKeys) {
    EXPECT_EQ(yes_no_after("expect InputYesNo\nkey Return\n", 1), "1");
    EXPECT_EQ(yes_no_after("key Return\n", 0), "0");
    EXPECT_EQ(yes_no_after("key Left\nkey Return\n", 0), "1");
    EXPECT_EQ(yes_no_after("key Right\nkey Space\n", 1), "0");
    EXPECT_EQ(yes_no_after("key Left\nkey Left\nkey Up\nkey a\nkey Return\n", 0), "1");
    EXPECT_EQ(yes_no_after("click No\n", 1), "0");
    EXPECT_EQ(yes_no_after("", 1), "-1");
}

static std::string double_after(const std::string& script) {
    ShellRun run = RunShell(script, [] { return text_of(InputDouble("Factor", 0, 10, 2.5)); });
    EXPECT_EQ(run.exit_code, 0) << run.err;
    return run.result;
}

TEST(InputDouble, ConvertsTheTextWithoutEnforcingTheRange) {
    EXPECT_EQ(double_after("expect InputDouble\nfill 1e3\nclick OK\n"), "1000");
    EXPECT_EQ(double_after("fill abc\nclick OK\n"), "0");
    EXPECT_EQ(double_after("fill -3.25\nkey Return\n"), "-3.25");
    EXPECT_EQ(double_after("click OK\n"), "2.5");  // the start value as shown
    EXPECT_EQ(double_after("fill 4\n"), "0");      // the application stops
}

TEST(InputArray, ThreeRowsInAWindowOf228Pixels) {
    ShellRun run = RunShell(
        "expect InputArray\nscreenshot array.bmp\ninput 2 7.25\ninput 3 x\n"
        "click OK\n",
        [] {
            double values[4] = {0.1, 2, 3, 99};
            const char* labels[] = {"Sun", "Moon", "Mercury", nullptr, "Venus"};
            InputArray("Weights", values, labels);
            return text_of(values[0]) + " " + text_of(values[1]) + " " + text_of(values[2]) + " " +
                   text_of(values[3]);
        });
    ASSERT_EQ(run.exit_code, 0) << run.err;
    EXPECT_EQ(run.result, "0.1 7.25 0 99");
    int w = 0, h = 0;
    ASSERT_TRUE(BmpSize(run.file("array.bmp"), &w, &h));
    EXPECT_EQ(w, 300);
    EXPECT_EQ(h, 3 * 36 + 120);
}

TEST(ChooseOption, ReturnsTheOneBasedNumberOfTheButton) {
    const char* options[] = {"upper", "lower"};
    ShellRun lower = RunShell("expect Pick\nscreenshot choose.bmp\nclick lower\n",
                              [&] { return std::to_string(ChooseOption("Pick", 2, options)); });
    ASSERT_EQ(lower.exit_code, 0) << lower.err;
    EXPECT_EQ(lower.result, "2");
    int w = 0, h = 0;
    ASSERT_TRUE(BmpSize(lower.file("choose.bmp"), &w, &h));
    EXPECT_EQ(h, 2 * 42 + 20);
    EXPECT_EQ(w, 400);  // short captions keep the usual width
    // A caption wider than that widens the window: 47 letters of 12 pixels, 80 % buttons.
    const char* wide[] = {"Hypergeometrische Verteilung (ohne Zur\xfc" "cklegen)", "short"};
    ShellRun grown = RunShell("screenshot choose.bmp\nclick short\n",
                              [&] { return std::to_string(ChooseOption("Pick", 2, wide)); });
    ASSERT_TRUE(BmpSize(grown.file("choose.bmp"), &w, &h));
    EXPECT_GE(w * 4 / 5, 47 * 12 + 24) << w;
    ShellRun first =
        RunShell("key Return\n", [&] { return std::to_string(ChooseOption("Pick", 2, options)); });
    EXPECT_EQ(first.result, "1");  // the first button holds the focus
    ShellRun stopped =
        RunShell("", [&] { return std::to_string(ChooseOption("Pick", 2, options)); });
    EXPECT_EQ(stopped.result, "-1");
}

TEST(ShowMessage, FormatsItsTextAndEndsWithOkOrClose) {
    ShellRun ok =
        RunShell("expect message\nexpect-text \"page 7 of 6\"\nclick OK\nlog after\n", [] {
            ShowMessage("page %d of %d", 7, 6);
            return std::string("back");
        });
    EXPECT_EQ(ok.exit_code, 0) << ok.err;
    EXPECT_EQ(ok.result, "back");
    ShellRun closed = RunShell("close\nlog after\n", [] {
        ShowMessage("%s", std::string(3000, 'x').c_str());  // far beyond its buffer: cut
        return std::string("back");
    });
    EXPECT_EQ(closed.exit_code, 0) << closed.err;
    EXPECT_EQ(closed.result, "back");
    // Both boxes ended on their own: the next command would only have run inside them.
    EXPECT_EQ(ok.err.find("after"), std::string::npos);
    EXPECT_EQ(closed.err.find("after"), std::string::npos);
}
