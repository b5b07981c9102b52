// The escape-sequence decoder and the terminal: sequences, wrap, scrollback, word break, dump.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "tests/toolkit/test_widgets_fixture.h"
#include "toolkit/uxansidecoder.h"
#include "toolkit/uxscript.h"
#include "toolkit/uxterminal.h"

namespace {

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
