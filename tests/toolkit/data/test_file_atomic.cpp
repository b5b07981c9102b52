// Files written whole or not at all: a failed write leaves the old file and no temporary file.

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <string>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include "tests/toolkit/data/test_xbase_tables.h"
#include "toolkit/data/uxfile_atomic.h"

using namespace xbase_test;

namespace {

std::string text_of(const std::string& path) {
    std::vector<unsigned char> bytes = read_file(path);
    return std::string(bytes.begin(), bytes.end());
}

int entries(const std::string& dir) {
    int n = 0;
    for (auto& e : std::filesystem::directory_iterator(dir)) (void)e, ++n;
    return n;
}

// Writes `size` bytes of 'n' to path through the helper; errno tells the cause of a failure.
bool write_atomic(const std::string& path, size_t size) {
    uxAtomicFile out;
    FILE* f = uxfile_begin(&out, path.c_str());
    if (!f) return false;
    std::string data(size, 'n');
    bool ok = std::fwrite(data.data(), 1, data.size(), f) == data.size();
    return uxfile_finish(&out, ok);
}

class AtomicFile : public ::testing::Test {
protected:
    std::string dir = scratch_dir(::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::string path = dir + "/result.txt";
    void SetUp() override { write_file(path, {'o', 'l', 'd'}); }
    void TearDown() override {
        chmod(dir.c_str(), 0755);
        std::filesystem::remove_all(dir);
    }
};

TEST_F(AtomicFile, ReplacesKeepingPermissionsAndKeepsTheOldFileWhenTheDiskIsFull) {
    chmod(path.c_str(), 0640);
    ASSERT_TRUE(write_atomic(path, 10));
    EXPECT_EQ(text_of(path), std::string(10, 'n'));
    struct stat info;
    ASSERT_EQ(stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);

    // A file size limit fails the writes the way a full disk does.
    struct rlimit saved;
    getrlimit(RLIMIT_FSIZE, &saved);
    struct rlimit small = saved;
    small.rlim_cur = 4096;
    auto old_handler = std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &small);
    bool written = write_atomic(path, 100000);
    int error = errno;
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, old_handler);
    EXPECT_FALSE(written);
    EXPECT_EQ(error, EFBIG);
    EXPECT_EQ(text_of(path), std::string(10, 'n'));
    EXPECT_EQ(entries(dir), 1);  // no temporary file left behind
}

TEST_F(AtomicFile, ReadOnlyFileOrFolderIsRefused) {
    chmod(path.c_str(), 0444);
    EXPECT_FALSE(write_atomic(path, 10));
    EXPECT_EQ(errno, EACCES);
    EXPECT_EQ(text_of(path), "old");

    chmod(path.c_str(), 0666);  // the file itself may be written, its folder not
    chmod(dir.c_str(), 0555);
    // Root may write into any folder; the check then runs as nobody.
    bool as_nobody = geteuid() == 0;
    if (as_nobody && seteuid(65534) != 0) GTEST_SKIP() << "cannot drop root";
    bool written = write_atomic(path, 10);
    int error = errno;
    if (as_nobody) {
        ASSERT_EQ(seteuid(0), 0);
    }
    EXPECT_FALSE(written);
    EXPECT_EQ(error, EACCES);
    EXPECT_EQ(text_of(path), "old");
    EXPECT_EQ(entries(dir), 1);
}

TEST_F(AtomicFile, DeviceIsWrittenInPlaceAndItsErrorReported) {
    EXPECT_FALSE(write_atomic("/dev/full", 10));
    EXPECT_EQ(errno, ENOSPC);
    EXPECT_TRUE(write_atomic("/dev/null", 10));
}

}  // namespace
