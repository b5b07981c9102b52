// Saving pixmaps as pictures and loading pictures, including damaged files.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "toolkit/drawing/uxpicture.h"
#include "toolkit/drawing/uxpixmap.h"

namespace fs = std::filesystem;

namespace {

struct Pictures : ::testing::Test {
    fs::path dir;
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("vv_pictures_" + std::to_string(::getpid()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }
    std::string path(const char* name) { return (dir / name).string(); }
    std::vector<unsigned char> bytes(const std::string& file) {
        std::ifstream in(file, std::ios::binary);
        return std::vector<unsigned char>((std::istreambuf_iterator<char>(in)),
                                          std::istreambuf_iterator<char>());
    }
    void write(const std::string& file, const std::vector<unsigned char>& data) {
        std::ofstream(file, std::ios::binary).write((const char*)data.data(), data.size());
    }
    void write(const std::string& file, const std::string& text) {
        std::ofstream(file, std::ios::binary) << text;
    }
};

// A picture whose every pixel is different.
void pattern(uxPixmap* pm, int w, int h) {
    ASSERT_TRUE(uxpxmap_create(pm, w, h, UXPX_TRUECOLOR));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) uxpxmap_setpixel(pm, x, y, (x * 40) << 16 | (y * 40) << 8 | 0x5A);
}

uint32_t le32(const std::vector<unsigned char>& b, size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | (uint32_t)b[at + 3] << 24;
}

TEST_F(Pictures, BmpHeaderAndRowsAreWrittenByteExact) {
    for (int width : {3, 4}) {
        SCOPED_TRACE(width);
        uxPixmap pm;
        pattern(&pm, width, 2);
        std::string file = path("rows.bmp");
        ASSERT_TRUE(uxpxmap_savetofile(&pm, file.c_str()));
        std::vector<unsigned char> b = bytes(file);
        ASSERT_EQ(b.size(), 54u + 2 * 12);  // rows of 12 bytes for 3 and 4 pixels
        EXPECT_EQ(b[0], 'B');
        EXPECT_EQ(b[1], 'M');
        EXPECT_EQ(le32(b, 2), b.size());
        EXPECT_EQ(le32(b, 6), 0u);
        EXPECT_EQ(le32(b, 10), 54u);
        EXPECT_EQ(le32(b, 14), 40u);
        EXPECT_EQ(le32(b, 18), (uint32_t)width);
        EXPECT_EQ(le32(b, 22), 2u);
        EXPECT_EQ(b[26] | b[27] << 8, 1);
        EXPECT_EQ(b[28] | b[29] << 8, 24);
        for (size_t i = 30; i < 54; ++i) EXPECT_EQ(b[i], 0) << i;
        // First row in the file is the picture's bottom row; pixels blue, green, red.
        EXPECT_EQ(b[54], 0x5A);
        EXPECT_EQ(b[55], 40);
        EXPECT_EQ(b[56], 0);
        EXPECT_EQ(b[54 + 12 + 4], 0);  // top row, pixel 1: green 0
        EXPECT_EQ(b[54 + 12 + 5], 40);  // red 40
        if (width == 3) {
            EXPECT_EQ(b[54 + 9] | b[54 + 10] | b[54 + 11], 0);  // padding
        }
        uxpxmap_destroy(&pm);
    }
}

TEST_F(Pictures, SavedPicturesLoadBackWithTheSamePixels) {
    uxPixmap pm, back;
    pattern(&pm, 5, 3);
    for (const char* name : {"round.bmp", "round.PPM"}) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(uxpxmap_savetofile(&pm, path(name).c_str()));
        ASSERT_TRUE(uxpxmap_create(&back, 5, 3, UXPX_TRUECOLOR));
        ASSERT_TRUE(uxpxmap_loadfromfile(&back, 0, 0, path(name).c_str()));
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 5; ++x)
                ASSERT_EQ(uxpxmap_getpixel(&back, x, y), uxpxmap_getpixel(&pm, x, y)) << x << y;
    }
    EXPECT_EQ(bytes(path("round.PPM")).size(), std::string("P6\n5 3\n255\n").size() + 45);
    int w = 0, h = 0;
    EXPECT_TRUE(uxpicture_size(path("round.bmp").c_str(), &w, &h));
    EXPECT_EQ(w, 5);
    EXPECT_EQ(h, 3);
    EXPECT_FALSE(uxpicture_size(path("missing.bmp").c_str(), &w, &h));
    uxpxmap_destroy(&pm);
    uxpxmap_destroy(&back);
}

TEST_F(Pictures, FileOptionsSelectSubRectangleAndPosition) {
    uxPixmap pm, back;
    pattern(&pm, 6, 6);
    std::string options = path("part.bmp") + ", X = 2,y=1 ,XS=3,ys= 2";
    ASSERT_TRUE(uxpxmap_savetofile(&pm, options.c_str()));
    int w, h;
    ASSERT_TRUE(uxpicture_size(path("part.bmp").c_str(), &w, &h));
    EXPECT_EQ(w, 3);
    EXPECT_EQ(h, 2);

    // Loading into a larger pixmap: the picture lands at x=, y= and nothing else changes.
    ASSERT_TRUE(uxpxmap_create(&back, 8, 8, UXPX_TRUECOLOR));
    uxpxmap_clear(&back, 0x00FF00);
    ASSERT_TRUE(uxpxmap_loadfromfile(&back, 0, 0, (path("part.bmp") + ",x=4,y=5").c_str()));
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) {
            bool inside = x >= 4 && x < 7 && y >= 5 && y < 7;
            int expected = inside ? uxpxmap_getpixel(&pm, x - 2, y - 4) : 0x00FF00;
            ASSERT_EQ(uxpxmap_getpixel(&back, x, y), expected) << x << "," << y;
        }

    // Negative positions and xs=/ys= limits clip the drawn part.
    uxpxmap_clear(&back, 0x00FF00);
    ASSERT_TRUE(uxpxmap_loadfromfile(&back, -1, -1, (path("part.bmp") + ",xs=2").c_str()));
    EXPECT_EQ(uxpxmap_getpixel(&back, 0, 0), uxpxmap_getpixel(&pm, 3, 2));
    EXPECT_EQ(uxpxmap_getpixel(&back, 1, 0), 0x00FF00);
    uxpxmap_destroy(&pm);
    uxpxmap_destroy(&back);
}

TEST_F(Pictures, UnsupportedTypesPrintTheirMessageAndWriteNothing) {
    uxPixmap pm;
    pattern(&pm, 2, 2);
    testing::internal::CaptureStdout();
    EXPECT_FALSE(uxpxmap_savetofile(&pm, path("group").c_str()));
    EXPECT_FALSE(uxpxmap_savetofile(&pm, path("chart.gif").c_str()));
    EXPECT_FALSE(uxpxmap_loadfromfile(&pm, 0, 0, "picture.png"));
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_NE(out.find("uxpxmap_savetofile: unsupported format (" + path("group") + ")\n"),
              std::string::npos);
    EXPECT_NE(out.find("uxpxmap_savetofile: unsupported format (" + path("chart.gif") + ")\n"),
              std::string::npos);
    EXPECT_NE(out.find("uxgraphic_gloadintern_file: unsupported format (picture.png)\n"),
              std::string::npos);
    EXPECT_FALSE(fs::exists(path("group")));
    EXPECT_FALSE(fs::exists(path("chart.gif")));
    EXPECT_FALSE(uxpxmap_savetofile(&pm, (path("empty.bmp") + ",x=5").c_str()));  // no pixels
    EXPECT_FALSE(uxpxmap_loadfromfile(&pm, 0, 0, path("missing.bmp").c_str()));
    uxpxmap_destroy(&pm);
}

TEST_F(Pictures, BmpIntoUnsupportedPixmapFormatFails) {
    uxPixmap pm, target;
    pattern(&pm, 2, 2);
    ASSERT_TRUE(uxpxmap_savetofile(&pm, path("p.bmp").c_str()));
    ASSERT_TRUE(uxpxmap_create(&target, 2, 2, UXPX_INDEXED16));
    testing::internal::CaptureStdout();
    EXPECT_FALSE(uxpxmap_loadfromfile(&target, 0, 0, path("p.bmp").c_str()));
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "uxpxmap_loadfromfile_bmp: PX-Format 2 not supported (should load and copy then)\n");
    // An 8-bit indexed pixmap takes the nearest colour table entries.
    ASSERT_TRUE(uxpxmap_create(&target, 2, 2, UXPX_INDEXED8));
    EXPECT_TRUE(uxpxmap_loadfromfile(&target, 0, 0, path("p.bmp").c_str()));
    EXPECT_EQ(uxpxmap_getpixel(&target, 0, 0), 30);  // the grey nearest to 0x00005A
    uxpxmap_destroy(&pm);
    uxpxmap_destroy(&target);
}

TEST_F(Pictures, DamagedBmpFilesNeitherCrashNorDrawOutsideTheFile) {
    uxPixmap pm, target;
    pattern(&pm, 7, 5);
    ASSERT_TRUE(uxpxmap_savetofile(&pm, path("good.bmp").c_str()));
    std::vector<unsigned char> good = bytes(path("good.bmp"));
    ASSERT_TRUE(uxpxmap_create(&target, 10, 10, UXPX_TRUECOLOR));

    auto load = [&](const std::vector<unsigned char>& data) {
        write(path("bad.bmp"), data);
        uxpxmap_clear(&target, 0x777777);
        return uxpxmap_loadfromfile(&target, 0, 0, path("bad.bmp").c_str());
    };
    auto with = [&](size_t at, uint32_t value) {
        std::vector<unsigned char> b = good;
        for (int i = 0; i < 4; ++i) b[at + i] = (unsigned char)(value >> (8 * i));
        return b;
    };
    testing::internal::CaptureStdout();
    EXPECT_FALSE(load({}));
    EXPECT_FALSE(load(std::vector<unsigned char>(good.begin(), good.begin() + 30)));
    EXPECT_FALSE(load(with(18, 0x7FFFFFFF)));  // absurd width
    EXPECT_FALSE(load(with(18, 0xFFFFFFF0)));  // negative width
    EXPECT_FALSE(load(with(22, 0)));           // no rows
    EXPECT_FALSE(load(with(22, 0x40000000)));  // more rows than any file holds
    EXPECT_FALSE(load(with(28, 8)));           // not 24 bits per pixel
    std::vector<unsigned char> garbage(5000);
    for (size_t i = 0; i < garbage.size(); ++i) garbage[i] = (unsigned char)(i * 7919 >> 3);
    EXPECT_FALSE(load(garbage));
    testing::internal::GetCapturedStdout();

    // A file cut short keeps the rows it still has: the picture's top rows are at its end.
    std::vector<unsigned char> shorter = good;
    shorter.erase(shorter.begin() + 54, shorter.begin() + 54 + 2 * 24);  // two bottom rows
    EXPECT_FALSE(load(shorter));
    EXPECT_EQ(uxpxmap_getpixel(&target, 6, 2), uxpxmap_getpixel(&pm, 6, 2));
    EXPECT_EQ(uxpxmap_getpixel(&target, 0, 3), 0x777777);

    // More rows claimed than present: only the existing ones are read.
    EXPECT_FALSE(load(with(22, 9)));
    uxpxmap_destroy(&pm);
    uxpxmap_destroy(&target);
}

TEST_F(Pictures, XpmListsItsColoursAndReducesTrueColourPictures) {
    uxPixmap pm;
    ASSERT_TRUE(uxpxmap_create(&pm, 3, 2, UXPX_TRUECOLOR));
    uxpxmap_clear(&pm, 0xFFFFFF);
    uxpxmap_setpixel(&pm, 1, 0, 0xFF0000);
    ASSERT_TRUE(uxpxmap_savetofile(&pm, path("two-colours.xpm").c_str()));
    std::vector<unsigned char> b = bytes(path("two-colours.xpm"));
    std::string text(b.begin(), b.end());
    EXPECT_EQ(text,
              "/* XPM */\nstatic char * two_colours[] = {\n\"3 2 2 1\",\n"
              "\".\tc #FFFFFF\",\n\"#\tc #FF0000\",\n\".#.\",\n\"...\"};\n");

    uxPixmap many;
    pattern(&many, 20, 20);
    testing::internal::CaptureStdout();
    ASSERT_TRUE(uxpxmap_savetofile(&many, path("many.xpm").c_str()));
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "uxpxmap_savetofile_xpm warning: too many colors in truecolor-pixmap, reducing to 64\n");
    b = bytes(path("many.xpm"));
    text.assign(b.begin(), b.end());
    int colours = 0;
    EXPECT_EQ(std::sscanf(text.c_str() + text.find('{') + 2, "\"20 20 %d 1\"", &colours), 1);
    EXPECT_GT(colours, 1);
    EXPECT_LE(colours, 64);
    uxpxmap_destroy(&pm);
    uxpxmap_destroy(&many);
}

TEST_F(Pictures, PpmTextAndSixteenBitSamples) {
    uxPixmap pm;
    ASSERT_TRUE(uxpxmap_create(&pm, 3, 2, UXPX_TRUECOLOR));
    write(path("text.ppm"), "P3\n# a comment\n2 1\n# another\n15\n15 0 0   0 15 0\n");
    ASSERT_TRUE(uxpxmap_loadfromfile(&pm, 0, 0, path("text.ppm").c_str()));
    EXPECT_EQ(uxpxmap_getpixel(&pm, 0, 0), 0xFF0000);
    EXPECT_EQ(uxpxmap_getpixel(&pm, 1, 0), 0x00FF00);

    write(path("deep.ppm"), std::vector<unsigned char>{'P', '6', '\n', '1', ' ', '1', '\n', '6',
                                                       '5', '5', '3', '5', '\n', 0xFF, 0xFF, 0x80,
                                                       0x00, 0x00, 0x00});
    ASSERT_TRUE(uxpxmap_loadfromfile(&pm, 2, 1, path("deep.ppm").c_str()));
    EXPECT_EQ(uxpxmap_getpixel(&pm, 2, 1), 0xFF8000);

    write(path("short.ppm"), "P6\n4 4\n255\nabc");
    EXPECT_FALSE(uxpxmap_loadfromfile(&pm, 0, 0, path("short.ppm").c_str()));
    write(path("junk.ppm"), "P6\n-4 4\n255\n");
    testing::internal::CaptureStdout();
    EXPECT_FALSE(uxpxmap_loadfromfile(&pm, 0, 0, path("junk.ppm").c_str()));
    testing::internal::GetCapturedStdout();
    write(path("text-short.ppm"), "P3\n2 2\n255\n1 2 3 4\n");
    EXPECT_FALSE(uxpxmap_loadfromfile(&pm, 0, 0, path("text-short.ppm").c_str()));
    uxpxmap_destroy(&pm);
}

// A PCX header for a w x h picture of `planes` 8-bit planes.
std::vector<unsigned char> pcx_header(int w, int h, int planes, int line_bytes) {
    std::vector<unsigned char> b(128, 0);
    b[0] = 0x0A;
    b[1] = 5;
    b[2] = 1;
    b[3] = 8;
    b[8] = (unsigned char)(w - 1);
    b[10] = (unsigned char)(h - 1);
    b[65] = (unsigned char)planes;
    b[66] = (unsigned char)line_bytes;
    return b;
}

TEST_F(Pictures, PcxWithPaletteAndRunsAcrossLines) {
    // 3 x 2 picture, lines padded to 4 bytes; a run of 4 covers the end of line 1 and the start of 2.
    std::vector<unsigned char> b = pcx_header(3, 2, 1, 4);
    for (unsigned char c : {0xC1, 0x01, 0x02, 0xC4, 0x03, 0xC1, 0x04, 0x00}) b.push_back(c);
    b.push_back(0x0C);
    for (int i = 0; i < 256; ++i) {
        b.push_back((unsigned char)i);
        b.push_back((unsigned char)(255 - i));
        b.push_back(0x10);
    }
    write(path("pal.pcx"), b);
    uxPixmap pm;
    ASSERT_TRUE(uxpxmap_create(&pm, 3, 2, UXPX_TRUECOLOR));
    ASSERT_TRUE(uxpxmap_loadfromfile(&pm, 0, 0, path("pal.pcx").c_str()));
    EXPECT_EQ(uxpxmap_getpixel(&pm, 0, 0), 0x01FE10);
    EXPECT_EQ(uxpxmap_getpixel(&pm, 1, 0), 0x02FD10);
    EXPECT_EQ(uxpxmap_getpixel(&pm, 2, 0), 0x03FC10);
    EXPECT_EQ(uxpxmap_getpixel(&pm, 0, 1), 0x03FC10);
    EXPECT_EQ(uxpxmap_getpixel(&pm, 2, 1), 0x04FB10);
    int w, h;
    EXPECT_TRUE(uxpicture_size(path("pal.pcx").c_str(), &w, &h));
    EXPECT_EQ(w * 10 + h, 32);

    // 24 bits: each line holds the red, green and blue planes one after another.
    std::vector<unsigned char> rgb = pcx_header(2, 1, 3, 2);
    for (unsigned char c : {0x11, 0x12, 0x21, 0x22, 0xC2, 0x33}) rgb.push_back(c);
    write(path("rgb.pcx"), rgb);
    ASSERT_TRUE(uxpxmap_loadfromfile(&pm, 0, 0, path("rgb.pcx").c_str()));
    EXPECT_EQ(uxpxmap_getpixel(&pm, 0, 0), 0x112133);
    EXPECT_EQ(uxpxmap_getpixel(&pm, 1, 0), 0x122233);

    // Damaged: data ends early, a run value is missing, unsupported depth.
    std::vector<unsigned char> cut(rgb.begin(), rgb.end() - 1);
    write(path("cut.pcx"), cut);
    EXPECT_FALSE(uxpxmap_loadfromfile(&pm, 0, 0, path("cut.pcx").c_str()));
    std::vector<unsigned char> mono = pcx_header(8, 1, 1, 1);
    mono[3] = 1;
    write(path("mono.pcx"), mono);
    testing::internal::CaptureStdout();
    EXPECT_FALSE(uxpxmap_loadfromfile(&pm, 0, 0, path("mono.pcx").c_str()));
    testing::internal::GetCapturedStdout();
    uxpxmap_destroy(&pm);
}

TEST_F(Pictures, MutatedFilesOfEveryTypeNeverCrash) {
    // Valid pictures with bytes overwritten at random (mostly in the headers) must load or
    // fail without touching memory outside their buffers; the sanitizer build checks that.
    uxPixmap pm;
    pattern(&pm, 9, 4);
    ASSERT_TRUE(uxpxmap_savetofile(&pm, path("m.bmp").c_str()));
    ASSERT_TRUE(uxpxmap_savetofile(&pm, path("m.ppm").c_str()));
    std::vector<unsigned char> pcx = pcx_header(9, 4, 3, 10);
    for (int i = 0; i < 4 * 30; ++i) pcx.push_back((unsigned char)(i % 3 ? 0xC3 : i));
    write(path("m.pcx"), pcx);
    uxPixmap target;
    ASSERT_TRUE(uxpxmap_create(&target, 12, 12, UXPX_TRUECOLOR));
    unsigned seed = 12345;
    auto next = [&seed] { return seed = seed * 1103515245u + 12345u, seed >> 8; };
    testing::internal::CaptureStdout();
    for (const char* name : {"m.bmp", "m.ppm", "m.pcx"}) {
        std::vector<unsigned char> original = bytes(path(name));
        for (int round = 0; round < 300; ++round) {
            std::vector<unsigned char> b = original;
            int changes = 1 + next() % 4;
            for (int i = 0; i < changes; ++i) {
                size_t at = next() % 3 ? next() % std::min<size_t>(b.size(), 130) : next() % b.size();
                b[at] = (unsigned char)next();
            }
            if (next() % 5 == 0) b.resize(next() % b.size());
            std::string file = path((std::string("x_") + name).c_str());
            write(file, b);
            uxpxmap_loadfromfile(&target, (int)(next() % 5) - 2, (int)(next() % 5) - 2, file.c_str());
            int w, h;
            uxpicture_size(file.c_str(), &w, &h);
        }
    }
    testing::internal::GetCapturedStdout();
    uxpxmap_destroy(&pm);
    uxpxmap_destroy(&target);
}

TEST(ShippedPictures, StartPictureLoadsIntoALargerPage) {
    std::string file = std::string(VV_SOURCE_DIR) + "/data/solarsystem-1.bmp";
    int w = 0, h = 0;
    ASSERT_TRUE(uxpicture_size(file.c_str(), &w, &h));
    EXPECT_GE(w, 800);
    EXPECT_GE(h, 500);
    uxPixmap pm;
    ASSERT_TRUE(uxpxmap_create(&pm, w + 20, h + 10, UXPX_TRUECOLOR));
    uxpxmap_clear(&pm, 0x00FF00);
    ASSERT_TRUE(uxpxmap_loadfromfile(&pm, 0, 0, file.c_str()));
    for (int y = 0; y < h + 10; y += 7) EXPECT_EQ(uxpxmap_getpixel(&pm, w + 5, y), 0x00FF00);
    for (int x = 0; x < w + 20; x += 7) EXPECT_EQ(uxpxmap_getpixel(&pm, x, h + 3), 0x00FF00);
    int changed = 0;
    for (int y = 0; y < h; y += 10)
        for (int x = 0; x < w; x += 10) changed += uxpxmap_getpixel(&pm, x, y) != 0x00FF00;
    EXPECT_GT(changed, (w / 10) * (h / 10) * 9 / 10);
    uxpxmap_destroy(&pm);
}

}  // namespace
