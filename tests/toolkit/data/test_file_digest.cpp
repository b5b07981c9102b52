// The file digest: a known SHA-256 (FIPS 180-2's "abc"), the size, and a missing file refused.

#include <gtest/gtest.h>

#include <cstdio>

#include "toolkit/data/uxfile_digest.h"

TEST(FileDigest, KnownDigestSizeAndMissingFile) {
    const char* path = "digest-abc.txt";
    std::FILE* file = std::fopen(path, "wb");
    ASSERT_NE(file, nullptr);
    std::fputs("abc", file);
    std::fclose(file);
    char hex[UXFILE_SHA256_HEX];
    long long size = -1;
    ASSERT_TRUE(uxfile_sha256(path, hex, &size));
    EXPECT_STREQ(hex, "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
    EXPECT_EQ(size, 3);
    std::remove(path);
    EXPECT_FALSE(uxfile_sha256("no-such-file.txt", hex, &size));
}
