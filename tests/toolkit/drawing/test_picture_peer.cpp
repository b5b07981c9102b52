// Pictures exchanged with an independent reader and writer (PIL, run by Debian's python3):
// what the program writes opens there with the same pixels, and what PIL writes loads here.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "toolkit/drawing/uxpicture.h"
#include "toolkit/drawing/uxpixmap.h"

namespace fs = std::filesystem;

namespace {

// Must match tests/toolkit/drawing/peer/pattern.py.
const int WIDTH = 13, HEIGHT = 7;
int colour(int x, int y) {
    return ((x * 29 + y * 3) & 255) << 16 | ((x * 7 + y * 31) & 255) << 8 | ((x * y + 17) & 255);
}
int palette_colour(int x, int y) {
    int i = (x + y * WIDTH) % 256;
    return i << 16 | (255 - i) << 8 | ((i * 3) & 255);
}

const char* PYTHON = "/usr/bin/python3";

struct Peer : ::testing::Test {
    fs::path dir;
    void SetUp() override {
        std::string probe = std::string(PYTHON) + " -c 'import PIL.Image' >/dev/null 2>&1";
        if (std::system(probe.c_str()) != 0) GTEST_SKIP() << "python3-pil is not installed";
        dir = fs::temp_directory_path() /
              ("vv_peer_" + std::to_string(::getpid()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir);
    }
    void TearDown() override {
        if (!dir.empty()) fs::remove_all(dir);
    }
    // Exit status of a peer script run on the test directory.
    int run(const char* script) {
        std::string command = std::string(PYTHON) + " -B '" + VV_SOURCE_DIR +
                              "/tests/toolkit/drawing/peer/" + script + "' '" + dir.string() + "'";
        int status = std::system(command.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    std::string path(const char* name) { return (dir / name).string(); }
};

TEST_F(Peer, PicturesWeWriteOpenInPilWithTheSamePixels) {
    uxPixmap pm;
    ASSERT_TRUE(uxpxmap_create(&pm, WIDTH + 4, HEIGHT + 2, UXPX_TRUECOLOR));
    uxpxmap_clear(&pm, 0xFFFFFF);
    for (int y = 0; y < HEIGHT; ++y)
        for (int x = 0; x < WIDTH; ++x) uxpxmap_setpixel(&pm, x + 2, y + 1, colour(x, y));
    std::string region = ",x=2,y=1,xs=" + std::to_string(WIDTH) + ",ys=" + std::to_string(HEIGHT);
    for (const char* name : {"written.bmp", "written.png", "written.ppm"})
        ASSERT_TRUE(uxpxmap_savetofile(&pm, (path(name) + region).c_str())) << name;
    uxpxmap_destroy(&pm);
    EXPECT_EQ(run("check_written.py"), 0);
}

TEST_F(Peer, PicturesPilWritesLoadWithTheSamePixels) {
    ASSERT_EQ(run("write_pictures.py"), 0);
    for (const char* name : {"peer.bmp", "peer.ppm", "peer-rgb.pcx", "peer-palette.pcx"}) {
        SCOPED_TRACE(name);
        int w = 0, h = 0;
        ASSERT_TRUE(uxpicture_size(path(name).c_str(), &w, &h));
        EXPECT_EQ(w, WIDTH);
        EXPECT_EQ(h, HEIGHT);
        uxPixmap pm;
        ASSERT_TRUE(uxpxmap_create(&pm, WIDTH, HEIGHT, UXPX_TRUECOLOR));
        ASSERT_TRUE(uxpxmap_loadfromfile(&pm, 0, 0, path(name).c_str()));
        bool palette = std::string(name) == "peer-palette.pcx";
        for (int y = 0; y < HEIGHT; ++y)
            for (int x = 0; x < WIDTH; ++x)
                ASSERT_EQ(uxpxmap_getpixel(&pm, x, y), palette ? palette_colour(x, y) : colour(x, y))
                    << x << "," << y;
        uxpxmap_destroy(&pm);
    }
}

}  // namespace
