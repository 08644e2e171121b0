#include <climits>
#include <cstring>
#include <random>

#include <gtest/gtest.h>

#include "conversion_helpers.h"
#include "oemui/tools/logo_settings.h"
#include "oemui/tools/make_work_bitmap.h"
#include "oemui/tools/work_bitmap_path.h"
#include "reference_conversion.h"

using namespace logotest;

namespace {

Bytes expectedHeaders(int width, int height, int bitCount) {
    const std::size_t offset = bitCount == 8 ? 1078 : 62;
    const std::size_t image = strideOf(width, bitCount) * height;
    Bytes b(offset, 0);
    put16(b, 0, 0x4D42);
    put32(b, 2, static_cast<std::uint32_t>(image + offset));
    put32(b, 10, static_cast<std::uint32_t>(offset));
    put32(b, 14, 40);
    put32(b, 18, width);
    put32(b, 22, height);
    put16(b, 26, 1);
    put16(b, 28, bitCount);
    put32(b, 34, static_cast<std::uint32_t>(image));
    for (std::size_t i = 0; i < (offset - 54) / 4; ++i) {
        const std::uint8_t v = bitCount == 8 ? static_cast<std::uint8_t>(i) : (i ? 255 : 0);
        b[54 + 4 * i] = b[55 + 4 * i] = b[56 + 4 * i] = v;
    }
    return b;
}

} // namespace

TEST(GrayWorkBitmap, WholeFileOfASmallColourPicture) {
    // 3 x 2: row 0 white, red, blue; row 1 black, green, gray 77.
    const std::uint32_t px[2][3] = {{0xFFFFFF, 0xFF0000, 0x0000FF}, {0, 0x00FF00, gray24(77)}};
    const Bytes source = makeBmp(3, 2, 24, [&](int x, int r) { return px[r][x]; });
    Bytes expected = expectedHeaders(3, 2, 8);
    for (std::uint8_t v : {255, 76, 29, 0, 0, 149, 77, 0}) {
        expected.push_back(v);
    }
    EXPECT_EQ(grayFile(source), expected);
}

TEST(GrayWorkBitmap, OneBitPixelsAreBlackOrWhiteLevels) {
    const Bytes source = makeBmp(5, 3, 1, [](int x, int r) { return (x + r) % 2; });
    const Bytes gray = grayFile(source, -100, 0);
    EXPECT_EQ(gray.size(), 1078u + 8 * 3);
    for (int r = 0; r < 3; ++r) {
        for (int x = 0; x < 5; ++x) {
            EXPECT_EQ(gray[1078 + 8 * r + x], (x + r) % 2 ? 155 : 100) << x << "," << r;
        }
        for (int x = 5; x < 8; ++x) {
            EXPECT_EQ(gray[1078 + 8 * r + x], 0);
        }
    }
}

TEST(GrayWorkBitmap, MatchesTheDefinitionForEveryDepthAndPadding) {
    std::mt19937 random(99);
    for (int bitCount : {24, 8, 1}) {
        for (int width : {1, 2, 3, 4, 5, 8, 13, 64, 101}) {
            const Bytes source = makeBmp(width, 3, bitCount, [&](int, int) { return random(); });
            for (int c : {-100, -7, 0, 55, 100}) {
                const Bytes gray = grayFile(source, c, c / 2);
                const std::size_t stride = strideOf(width, 8);
                Bytes levels;
                for (int r = 0; r < 3; ++r) {
                    const std::uint8_t* row = gray.data() + 1078 + stride * r;
                    levels.insert(levels.end(), row, row + width);
                    for (std::size_t i = width; i < stride; ++i) {
                        EXPECT_EQ(row[i], 0);
                    }
                }
                EXPECT_EQ(levels, referenceGray(parsed(source), c, c / 2))
                    << bitCount << "-bit width " << width << " contrast " << c;
            }
        }
    }
}

TEST(MonoWorkBitmap, HeadersPaletteAndPaddingForAwkwardWidths) {
    for (int width : {1, 7, 8, 31, 32, 33, 64}) {
        const Bytes source = makeBmp(width, 2, 8, [](int, int) { return 255; });
        const Bytes mono = monoFile(source, logo::kHalftoneNone, 0, -100);
        // All pixels adjust to 0 and the mean is 0: nothing is above it.
        Bytes expected = expectedHeaders(width, 2, 1);
        expected.resize(expected.size() + strideOf(width, 1) * 2, 0);
        EXPECT_EQ(mono, expected) << "width " << width;
        const Bytes white = monoFile(source, logo::kHalftoneDitherM4);
        monoBits(white, width, 2); // checks the padding
        EXPECT_EQ(countWhite(white, width, 2), 2 * width) << "width " << width;
    }
}

TEST(WorkBitmapPath, ReplacesTheExtensionWithTemp) {
    EXPECT_EQ(logo::workBitmapPath("C:\\Logos\\shop.bmp"), "C:\\Logos\\shopTemp.bmp");
    EXPECT_EQ(logo::workBitmapPath("a.bmp"), "aTemp.bmp");
    EXPECT_EQ(logo::workBitmapPath(".bmp"), "Temp.bmp");
    EXPECT_EQ(logo::workBitmapPath("logo.jpeg"), "logo.Temp.bmp");
    EXPECT_EQ(logo::workBitmapPath("abc"), std::nullopt);
    EXPECT_EQ(logo::workBitmapPath(std::string(255, 'x')), std::string(251, 'x') + "Temp.bmp");
    EXPECT_EQ(logo::workBitmapPath(std::string(256, 'x')), std::nullopt);
}

class MakeWorkBitmap : public ::testing::Test {
protected:
    TempDir dir;
    char out[logo::kWorkPathBufferSize];

    void SetUp() override { std::memset(out, 'x', sizeof out); }
};

TEST_F(MakeWorkBitmap, EachFunctionWritesBesideItsSource) {
    const std::string s24 =
        dir.write("c.bmp", makeBmp(4, 3, 24, [](int x, int) { return gray24(x * 80); }));
    const std::string s8 = dir.write("g.bmp", makeBmp(4, 3, 8, [](int x, int) { return x * 80; }));
    const std::string s1 = dir.write("m.bmp", makeBmp(4, 3, 1, [](int x, int) { return x % 2; }));

    EXPECT_EQ(logo::MakeGrayWorkBitmap24(s24.c_str(), out, 0, 0), 1);
    EXPECT_EQ(std::string(out), dir.file("cTemp.bmp"));
    EXPECT_EQ(readFile(out), grayFile(readFile(s24)));
    EXPECT_EQ(logo::MakeGrayWorkBitmap8(s8.c_str(), out, 10, 5), 1);
    EXPECT_EQ(readFile(out), grayFile(readFile(s8), 10, 5));
    EXPECT_EQ(logo::MakeGrayWorkBitmap1(s1.c_str(), out, 0, 0), 1);
    EXPECT_EQ(readFile(out), grayFile(readFile(s1)));
    EXPECT_EQ(logo::MakeMonoWorkBitmap24(s24.c_str(), out, 3, 0, 0), 1);
    EXPECT_EQ(readFile(out), monoFile(readFile(s24), 3));
    EXPECT_EQ(logo::MakeMonoWorkBitmap8(s8.c_str(), out, 1, -20, 0), 1);
    EXPECT_EQ(readFile(out), monoFile(readFile(s8), 1, -20));
    EXPECT_EQ(logo::MakeMonoWorkBitmap(s24.c_str(), out, 2, 30, 0), 1);
    EXPECT_EQ(readFile(out), monoFile(readFile(s24), 2, 30));
    EXPECT_EQ(logo::MakeMonoWorkBitmap(s8.c_str(), out, 0, 0, 0), 1);
    EXPECT_EQ(std::string(out), dir.file("gTemp.bmp"));
    EXPECT_EQ(readFile(out), monoFile(readFile(s8), 0));
}

TEST_F(MakeWorkBitmap, AnOlderWorkBitmapIsReplaced) {
    const std::string source = dir.write("shop.bmp", makeBmp(2, 2, 8, [](int, int) { return 9; }));
    dir.write("shopTemp.bmp", Bytes(5000, 0xEE));
    ASSERT_EQ(logo::MakeGrayWorkBitmap8(source.c_str(), out, 0, 0), 1);
    EXPECT_EQ(readFile(dir.file("shopTemp.bmp")).size(), 1078u + 8);
}

TEST_F(MakeWorkBitmap, RefusedSourcesLeaveNoWorkBitmap) {
    const Bytes good24 = makeBmp(4, 4, 24, [](int, int) { return 0x123456u; });
    const Bytes good8 = makeBmp(4, 4, 8, [](int, int) { return 7u; });
    struct Case {
        const char* what;
        Bytes file;
        int expected24;
    };
    std::vector<Case> cases;
    auto with = [](Bytes b, std::size_t at, std::uint32_t v, bool wide) {
        wide ? put32(b, at, v) : put16(b, at, v);
        return b;
    };
    cases.push_back({"not BM", with(good24, 0, 0x4D43, false), -2});
    cases.push_back({"compressed", with(good24, 30, 1, true), -2});
    cases.push_back({"8-bit given to the 24-bit function", good8, -2});
    cases.push_back({"zero width", with(good24, 18, 0, true), -2});
    cases.push_back({"zero height", with(good24, 22, 0, true), -2});
    cases.push_back({"negative width", with(good24, 18, static_cast<std::uint32_t>(-4), true), -2});
    cases.push_back({"top-down", with(good24, 22, static_cast<std::uint32_t>(-4), true), -2});
    cases.push_back({"rows beyond 4 GiB", with(with(good24, 18, INT_MAX, true), 22, 3, true), -2});
    cases.push_back({"one row short", Bytes(good24.begin(), good24.end() - 1), -2});
    cases.push_back({"headers only", Bytes(good24.begin(), good24.begin() + 54), -2});
    cases.push_back({"shorter than the headers", Bytes(good24.begin(), good24.begin() + 53), -2});
    cases.push_back({"empty", Bytes(), -2});
    for (const Case& c : cases) {
        const std::string source = dir.write("bad.bmp", c.file);
        std::memset(out, 'x', sizeof out);
        EXPECT_EQ(logo::MakeGrayWorkBitmap24(source.c_str(), out, 0, 0), c.expected24) << c.what;
        EXPECT_EQ(logo::MakeMonoWorkBitmap24(source.c_str(), out, 1, 0, 0), c.expected24) << c.what;
        EXPECT_EQ(out[0], '\0') << c.what;
        EXPECT_FALSE(exists(dir.file("badTemp.bmp"))) << c.what;
    }
}

TEST_F(MakeWorkBitmap, StatusesForMissingFilesDepthsAndPaths) {
    EXPECT_EQ(logo::MakeGrayWorkBitmap8(dir.file("none.bmp").c_str(), out, 0, 0), -1);
    EXPECT_EQ(logo::MakeMonoWorkBitmap(dir.file("none.bmp").c_str(), out, 0, 0, 0), -1);
    EXPECT_EQ(logo::MakeGrayWorkBitmap8(nullptr, out, 0, 0), -1);

    // The dispatcher takes only 24 and 8 bits; anything else is -1, not -2.
    const Bytes oneBit = makeBmp(8, 2, 1, [](int, int) { return 1u; });
    Bytes fourBit = makeBmp(8, 2, 8, [](int, int) { return 1u; });
    put16(fourBit, 28, 4);
    for (const Bytes& file : {oneBit, fourBit}) {
        const std::string source = dir.write("odd.bmp", file);
        EXPECT_EQ(logo::MakeMonoWorkBitmap(source.c_str(), out, 1, 0, 0), -1);
        EXPECT_FALSE(exists(dir.file("oddTemp.bmp")));
    }
    const std::string source = dir.write("g.bmp", makeBmp(2, 2, 8, [](int, int) { return 1u; }));
    EXPECT_EQ(logo::MakeMonoWorkBitmap(source.c_str(), out, 9, 0, 0), -2);
    EXPECT_FALSE(exists(dir.file("gTemp.bmp")));

    // A work bitmap that cannot be created: a folder stands where it would go.
    const std::string blocked = dir.file("blockedTemp.bmp");
    std::filesystem::create_directory(blocked);
    const std::string source2 =
        dir.write("blocked.bmp", makeBmp(2, 2, 8, [](int, int) { return 1u; }));
    EXPECT_EQ(logo::MakeGrayWorkBitmap8(source2.c_str(), out, 0, 0), -1);
    EXPECT_EQ(out[0], '\0');
}
