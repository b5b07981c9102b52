// Appending run records: whole lines, and a line cut off by a program that died stays alone.

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "toolkit/data/uxfile_append.h"

namespace {

std::string contents(const char* path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace

TEST(FileAppend, WholeLinesAndACutLineStaysAlone) {
    const char* path = "append-runs.jsonl";
    std::remove(path);
    ASSERT_TRUE(uxfile_append_line(path, "{\"a\":1}", 7));
    EXPECT_EQ(contents(path), "{\"a\":1}\n");
    std::ofstream(path, std::ios::binary | std::ios::app) << "{\"cut";
    ASSERT_TRUE(uxfile_append_line(path, "{\"b\":2}", 7));
    EXPECT_EQ(contents(path), "{\"a\":1}\n{\"cut\n{\"b\":2}\n");
    std::remove(path);
    EXPECT_FALSE(uxfile_append_line("no-such-folder/runs.jsonl", "x", 1));
}
