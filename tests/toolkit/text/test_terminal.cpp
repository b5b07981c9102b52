// The escape-sequence decoder and the terminal: sequences, wrap, scrollback, word break, dump.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "tests/toolkit/widgets/test_widgets_fixture.h"
#include "toolkit/text/uxansidecoder.h"
#include "toolkit/automation/uxscript.h"
#include "toolkit/text/uxterminal.h"

namespace {

void resize_window(uxWindow* w, int width, int height);

using Commands = std::vector<std::pair<int, int>>;

Commands decode(uxAnsiDecoder* d, const std::string& text) {
    Commands out;
    for (unsigned char c : text) {
        uxansi_input(d, c);
        int cmd, arg;
        while (uxansi_next(d, &cmd, &arg)) out.push_back({cmd, arg});
    }
    return out;
}

Commands decode(const std::string& text) {
    uxAnsiDecoder d;
    uxansi_init(&d);
    return decode(&d, text);
}

std::string row_text(uxTerminal* t, int row) {
    const unsigned char* r = uxtxtmem_row(&t->mem, row);
    if (!r) return "<none>";
    std::string s(reinterpret_cast<const char*>(r), t->mem.columns);
    s.erase(s.find_last_not_of(' ') + 1);
    return s;
}

std::string read_file(const char* path) {
    std::ifstream f(path, std::ios::binary);
    std::stringstream ss;
    ss << f.rdbuf();
    return ss.str();
}

}  // namespace

TEST(AnsiDecoder, ControlSequencesQueueTheirCommands) {
    EXPECT_EQ(decode("\x1b[2J"), (Commands{{14, 0}}));
    EXPECT_EQ(decode("\x1b[0J"), (Commands{{13, 0}}));
    EXPECT_EQ(decode("\x1b[1J"), Commands{});
    EXPECT_EQ(decode("\x1b[5;7H"), (Commands{{15, 7}, {16, 5}}));
    EXPECT_EQ(decode("\x1b[3A\x1b[2B\x1b[4C\x1b[D"), (Commands{{25, 3}, {26, 2}, {23, 4}, {24, 0}}));
    EXPECT_EQ(decode("\x1b[2K\x1b[1K\x1b[K"), (Commands{{12, 0}, {11, 0}, {10, 0}}));
    EXPECT_EQ(decode("\x1b[?25l\x1b[?7h\x1b[?1000h\x1b[4h"), (Commands{{18, 0}, {17, 1}, {20, 1}}));
    EXPECT_EQ(decode("\x1b[!p"), (Commands{{19, 0}, {17, 0}, {18, 1}, {20, 1}}));
    EXPECT_EQ(decode("\x1b[s\x1b[u\x1b[1;24r"), (Commands{{21, 0}, {22, 0}}));
}

TEST(AnsiDecoder, ColourListsAndResets) {
    EXPECT_EQ(decode("\x1b[m"), (Commands{{2, 0}}));
    EXPECT_EQ(decode("\x1b[0;31m"), (Commands{{2, 0}}));  // the 31 is not read
    EXPECT_EQ(decode("\x1b[31;42;1;39;49;7m"),
              (Commands{{3, 1}, {4, 2}, {6, 0}, {7, 0}, {8, 0}, {9, 0}}));
}

TEST(AnsiDecoder, StateSurvivesSplitInput) {
    uxAnsiDecoder d;
    uxansi_init(&d);
    EXPECT_EQ(decode(&d, "a\x1b["), (Commands{{1, 'a'}}));
    EXPECT_EQ(decode(&d, "3"), Commands{});
    EXPECT_EQ(decode(&d, "4mb"), (Commands{{3, 4}, {1, 'b'}}));
}

TEST(AnsiDecoder, EscapesShiftingAndCharacterSets) {
    EXPECT_EQ(decode("\x1b\x1b"), (Commands{{1, 27}}));
    EXPECT_EQ(decode("\x1b" "7x\x1b(Bz"), (Commands{{1, 'x'}, {1, 'z'}}));
    // Shifted out without the line-drawing set: ASCII look-alikes.
    EXPECT_EQ(decode("\x0eqxab\x0fq"), (Commands{{1, '-'}, {1, '|'}, {1, '#'}, {1, 'b'}, {1, 'q'}}));
    // With it: the font's box-drawing codes.
    EXPECT_EQ(decode("\x1b(0\x0eqlx"), (Commands{{1, 128}, {1, 130}, {1, 129}}));
}

TEST(AnsiDecoder, UnknownSequenceIsReported) {
    testing::internal::CaptureStdout();
    Commands got = decode("\x1b[5yA");
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(got, (Commands{{1, 'A'}}));
    EXPECT_EQ(out, "AnsiDecoder not recognized: 5y\n");
}

TEST(AnsiDecoder, OverlongSequenceStaysInItsBuffer) {
    std::string seq = "\x1b[" + std::string(500, '1') + "mX";
    testing::internal::CaptureStdout();
    Commands got = decode(seq);
    testing::internal::GetCapturedStdout();
    ASSERT_FALSE(got.empty());
    EXPECT_EQ(got.back(), (std::pair<int, int>{1, 'X'}));
}

struct TerminalTest : WidgetWindow {
    uxTerminal* term = nullptr;
    void TearDown() override {
        uxterminal_delete(term);
        WidgetWindow::TearDown();
    }
};

TEST_F(TerminalTest, SizeFromPropertiesAndWidget) {
    term = uxterminal_new("x=0,y=0,lines=5,columns=10");
    EXPECT_EQ(term->lines, 5);
    EXPECT_EQ(term->columns, 10);
    EXPECT_EQ(term->base.layout.width, 10 * 6 + 4);
    EXPECT_EQ(term->base.layout.height, 5 * 13 + 4);
    EXPECT_TRUE(term->mem.scroll);
    uxterminal_delete(term);
    term = uxterminal_new("x=0,y=0,xs=200,ys=134,scrollback=50");
    EXPECT_EQ(term->lines, 10);                // (134 - 4) / 13
    EXPECT_EQ(term->columns, (200 - 4 - 16) / 6);  // the bar does not hide text
    EXPECT_EQ(term->mem.rows, 100);
    EXPECT_FALSE(term->mem.scroll);
}

TEST_F(TerminalTest, WrapsAtTheColumnLimitAndDropsControls) {
    term = uxterminal_new("lines=4,columns=10");
    EXPECT_EQ(uxterminal_print(term, "0123456789abc\r\x07\nnext"), 20);
    EXPECT_EQ(row_text(term, 0), "0123456789");
    EXPECT_EQ(row_text(term, 1), "abc");
    EXPECT_EQ(row_text(term, 2), "next");
}

TEST_F(TerminalTest, ScrollFlagKeepsTheLastRow) {
    term = uxterminal_new("lines=3,columns=10");
    uxterminal_print(term, "a\nb\nc\nd\ne");
    EXPECT_EQ(term->mem.lines, 3);
    EXPECT_EQ(row_text(term, 0), "c");
    EXPECT_EQ(row_text(term, 2), "e");
    EXPECT_EQ(term->mem.row, 2);
}

TEST_F(TerminalTest, ScrollbackIsTrimmedAndTheViewFollows) {
    term = uxterminal_new("lines=24,columns=40,scrollback=200");
    for (int i = 0; i < 400; ++i) uxterminal_printf(term, "line %d\n", i);
    EXPECT_GE(term->mem.lines, 200);
    EXPECT_LE(term->mem.lines, 400);
    EXPECT_LT(term->mem.lines, term->mem.rows);
    EXPECT_EQ(row_text(term, term->mem.row - 1), "line 399");
    EXPECT_EQ(uxterminal_top_line(term), term->mem.row - 24 + 1);
    // The oldest rows went first: what is left runs in order up to the newest.
    std::string first = row_text(term, 0);
    int n = -1;
    ASSERT_EQ(std::sscanf(first.c_str(), "line %d", &n), 1);
    EXPECT_EQ(row_text(term, 10), "line " + std::to_string(n + 10));
}

TEST_F(TerminalTest, TinyScrollbackNeverDropsTheVisibleRows) {
    term = uxterminal_new("lines=10,columns=20,scrollback=1");
    for (int i = 0; i < 50; ++i) uxterminal_printf(term, "%d\n", i);
    EXPECT_EQ(row_text(term, term->mem.row - 1), "49");
    EXPECT_LE(term->mem.lines, term->mem.rows);
}

// A one-line terminal whose scrollback is 2 (the trimming would drop both rows), and one
// squeezed to a single line by its window, keep printing inside their memory.
TEST_F(TerminalTest, OneLineTerminalsKeepTheCursorRowInMemory) {
    term = uxterminal_new("x=0,y=0,ys=1,scrollback=2");
    ASSERT_EQ(term->lines, 1);
    for (int i = 0; i < 20; ++i) uxterminal_printf(term, "%d\n", i);
    uxterminal_print(term, "end");
    EXPECT_EQ(row_text(term, term->mem.row - 1), "19");
    EXPECT_EQ(row_text(term, term->mem.row), "end");

    uxTerminal* squeezed = uxterminal_new("x=0,y=0,xs=100%%,ys=100%%,scrollback=3");
    resize_window(&win, 9, 9);
    EXPECT_EQ(squeezed->lines, 1);
    EXPECT_EQ(squeezed->columns, 1);
    for (int i = 0; i < 20; ++i) uxterminal_printf(squeezed, "%d\n", i);
    EXPECT_EQ(row_text(squeezed, squeezed->mem.row - 1), "9");
    EXPECT_GE(squeezed->mem.row, 0);
    EXPECT_LT(squeezed->mem.row, squeezed->mem.rows);
    uxterminal_delete(squeezed);
}

TEST_F(TerminalTest, EraseDisplayClearsAndSplitSequencesAreOne) {
    term = uxterminal_new("lines=4,columns=10");
    uxterminal_print(term, "abc\ndef\x1b[2");
    uxterminal_print(term, "Jxy");
    EXPECT_EQ(row_text(term, 0), "xy");
    EXPECT_EQ(row_text(term, 1), "");
    EXPECT_EQ(term->mem.row, 0);
}

TEST_F(TerminalTest, ColoursAddPlanesAndResetRestoresDefaults) {
    term = uxterminal_new("lines=4,columns=10");
    EXPECT_EQ(term->mem.fg, nullptr);
    uxterminal_print(term, "\x1b[31;44mR\x1b[0mN");
    ASSERT_NE(term->mem.fg, nullptr);
    EXPECT_EQ(term->mem.fg[0], 1);
    EXPECT_EQ(term->mem.bg[0], 4);
    EXPECT_EQ(term->mem.fg[1], UXTERM_DEFAULT_TEXT);
    EXPECT_EQ(term->mem.bg[1], UXTERM_DEFAULT_BG);
    EXPECT_EQ(term->colours[1], 0xC00000);
    EXPECT_EQ(term->colours[24], 0x000080);
}

TEST_F(TerminalTest, CursorPositioningIsOneBasedAndClamped) {
    term = uxterminal_new("lines=4,columns=10");
    uxterminal_print(term, "\x1b[2;3HX\x1b[99;99HY");
    EXPECT_EQ(row_text(term, 1), "  X");
    EXPECT_EQ(row_text(term, 3), "         Y");
    testing::internal::CaptureStdout();
    uxterminal_print(term, "\x1b[2P");
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "TerminalWidget: ansi cmd not recognized: 29\n");
}

TEST_F(TerminalTest, WordBreakMovesWordsThatDoNotFit) {
    term = uxterminal_new("lines=6,columns=10,wordbreak");
    uxterminal_print(term, "one two three, four\n");
    EXPECT_EQ(row_text(term, 0), "one two");
    EXPECT_EQ(row_text(term, 1), "three,");
    EXPECT_EQ(row_text(term, 2), "four");
    uxterminal_clear(term);
    // A word longer than a line starts on a fresh line and wraps at the column limit.
    uxterminal_print(term, "ab ABCDEFGHIJKLMN ");
    EXPECT_EQ(row_text(term, 0), "ab");
    EXPECT_EQ(row_text(term, 1), "ABCDEFGHIJ");
    EXPECT_EQ(row_text(term, 2), "KLMN");
}

TEST_F(TerminalTest, DumpWritesRowsInUseWithoutTrailingBlanks) {
    term = uxterminal_new("lines=3,columns=10");
    uxterminal_set_current(term);
    uxterminal_print(term, "hi   \n\xe4" "ber");
    const char* path = "terminal_dump_test.txt";
    ASSERT_NE(uxscript_hooks.dump_terminal, nullptr);
    ASSERT_TRUE(uxscript_hooks.dump_terminal(path));
    EXPECT_EQ(read_file(path), "hi\n\xe4" "ber\n\n");
    std::remove(path);
    EXPECT_FALSE(uxterminal_dump(term, "/nonexistent-dir/x.txt"));
    uxterminal_delete(term);
    term = nullptr;
    EXPECT_EQ(uxterminal_current(), nullptr);
    EXPECT_EQ(uxscript_hooks.dump_terminal, nullptr);
}

TEST_F(TerminalTest, LogFileGetsEveryPrintedCharacter) {
    const char* path = "terminal_log_test.txt";
    std::remove(path);
    term = uxterminal_new("lines=3,columns=10,logfile=%s", path);
    uxterminal_print(term, "ab\x1b[31mc\n");
    uxterminal_delete(term);
    term = nullptr;
    std::string log = read_file(path);
    EXPECT_NE(log.find("abc\n"), std::string::npos);
    EXPECT_EQ(log.find('\x1b'), std::string::npos);
    std::remove(path);
}

namespace {

void resize_window(uxWindow* w, int width, int height) {
    uxEvent ev = {UXEV_RESIZE, {width, height}};
    uxwindow_dispatch(w, &ev);
}

}  // namespace

// A terminal sized in percent follows its window: the text memory takes the new lines and
// columns, keeps what was printed and the view stays on the output.
TEST_F(TerminalTest, ResizedWidgetResizesItsTextMemory) {
    term = uxterminal_new("x=0,y=0,xs=50%%,ys=50%%,scrollback=100");
    int lines = term->lines, columns = term->columns;
    EXPECT_EQ(lines, (150 - 4) / 13);
    EXPECT_EQ(columns, (200 - 4 - 16) / 6);
    for (int i = 0; i < 30; ++i) uxterminal_printf(term, "line %d with some text to cut\n", i);
    uxterminal_print(term, "\x1b[31mlast");

    resize_window(&win, 800, 600);
    // the colour planes move with the text
    ASSERT_NE(term->mem.fg, nullptr);
    EXPECT_EQ(term->mem.fg[static_cast<long>(term->mem.row) * term->mem.columns], 1);
    EXPECT_EQ(term->mem.fg[0], UXTERM_DEFAULT_TEXT);
    EXPECT_EQ(term->lines, (300 - 4) / 13);
    EXPECT_EQ(term->columns, (400 - 4 - 16) / 6);
    EXPECT_EQ(term->mem.columns, term->columns);
    EXPECT_EQ(term->mem.start_lines, term->lines);
    EXPECT_EQ(row_text(term, 0), "line 0 with some text to cut");
    EXPECT_EQ(row_text(term, term->mem.row), "last");
    EXPECT_EQ(term->mem.column, 4);
    EXPECT_EQ(uxterminal_top_line(term), term->mem.row - term->lines + 1 > 0
                                             ? term->mem.row - term->lines + 1 : 0);
    // Printing goes on at the cursor and wraps at the new width.
    uxterminal_print(term, "\n");
    std::string wide(term->columns + 3, 'w');
    uxterminal_print(term, wide.c_str());
    EXPECT_EQ(row_text(term, term->mem.row), "www");

    // Narrower: rows are cut at the right.
    resize_window(&win, 200, 200);
    EXPECT_EQ(term->columns, (100 - 4 - 16) / 6);
    EXPECT_EQ(row_text(term, 0), std::string("line 0 with some text to cut").substr(0, term->columns));
    EXPECT_LE(term->mem.column, term->columns);
}

// Without scrollback a smaller screen keeps the rows up to the cursor that still fit; a
// terminal with "lines="/"columns=" keeps its size whatever the widget does.
TEST_F(TerminalTest, ShrinkingWithoutScrollbackKeepsTheNewestRows) {
    term = uxterminal_new("x=0,y=0,xs=50%%,ys=50%%");
    ASSERT_GE(term->lines, 8);
    for (int i = 0; i < 8; ++i) uxterminal_printf(term, "%s%d", i ? "\n" : "", i);
    resize_window(&win, 400, 100);  // 50 pixels: 3 lines
    EXPECT_EQ(term->lines, (50 - 4) / 13);
    EXPECT_EQ(term->mem.rows, term->lines);
    EXPECT_EQ(row_text(term, term->lines - 1), "7");
    EXPECT_EQ(row_text(term, 0), std::to_string(8 - term->lines));
    uxterminal_print(term, "\nnext");  // scrolls as before
    EXPECT_EQ(row_text(term, term->lines - 1), "next");

    uxTerminal* fixed = uxterminal_new("x=0,y=0,xs=50%%,ys=50%%,lines=5,columns=20");
    resize_window(&win, 800, 600);
    EXPECT_EQ(fixed->lines, 5);
    EXPECT_EQ(fixed->columns, 20);
    EXPECT_EQ(fixed->mem.columns, 20);
    uxterminal_delete(fixed);
}
