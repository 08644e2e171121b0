// ConvertBitmapTo24 on the simulated host's files: every pixel of 1-, 8- and
// 24-bit bitmaps of odd widths against the colours the test wrote, the
// headers and padding of the result, and every kind of bitmap it refuses
// without touching the last good picture.
#include "bitmap_files.h"
#include "oemui/bitmap_to_24.h"
#include "platform/sim/sim_plugin_host.h"

#include <gtest/gtest.h>

namespace oemui {
namespace {

using test::BmpOptions;
using test::ColourGrid;
using test::le32;

const std::u16string source = u"C:\\Pictures\\mark.bmp";
const std::u16string target = u"C:\\Users\\User\\AppData\\Local\\Temp\\P1.bmp";

// Indices (1- and 8-bit) or colours (24-bit) that differ from pixel to pixel
// and row to row, so a byte out of place shows.
ColourGrid pattern(int width, int height, int bitCount) {
    ColourGrid g{width, height, {}};
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const auto n = static_cast<std::uint32_t>(x * 7 + y * 13);
            g.pixels.push_back(bitCount == 1   ? (x + y * 3) % 2
                               : bitCount == 8 ? n % 256
                                               : (n * 0x010203u + 0x405060u) & 0xFFFFFF);
        }
    }
    return g;
}

std::vector<std::uint32_t> palette(int bitCount) {
    std::vector<std::uint32_t> p;
    for (int i = 0; i < (1 << bitCount); ++i) {
        p.push_back((static_cast<std::uint32_t>(i) * 0x9E3779B1u) & 0xFFFFFF);
    }
    return p;
}

TEST(ConvertBitmapTo24, EveryPixelOfOneEightAndTwentyFourBitBitmapsOfOddWidths) {
    struct Case {
        int bitCount, width, height;
        std::uint32_t infoSize;
    };
    const Case cases[] = {{1, 1, 2, 40},  {1, 10, 3, 40},  {1, 33, 5, 40},
                          {8, 3, 4, 40},  {8, 5, 2, 40},   {8, 13, 3, 40},
                          {24, 7, 3, 40}, {24, 9, 2, 124}, {1, 17, 4, 124}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.bitCount) + " bits, width " + std::to_string(c.width) +
                     ", info header " + std::to_string(c.infoSize));
        const ColourGrid indices = pattern(c.width, c.height, c.bitCount);
        const std::vector<std::uint32_t> colours =
            c.bitCount == 24 ? std::vector<std::uint32_t>{} : palette(c.bitCount);
        BmpOptions options;
        options.bitCount = c.bitCount;
        options.infoSize = c.infoSize;
        const std::vector<std::uint8_t> file = test::writeBmp(indices, colours, options);
        platform::sim::SimPluginHost host;
        host.putFile(source, file);

        ASSERT_EQ(Convert24Result::Converted, ConvertBitmapTo24(host, source, target));
        const std::vector<std::uint8_t> out = host.fileBytes(target);
        if (c.bitCount == 24 && c.infoSize == 40) {
            EXPECT_EQ(file, out) << "a plain 24-bit file is taken over as it is";
            continue;
        }
        const std::size_t rowBytes = (3 * static_cast<std::size_t>(c.width) + 3) / 4 * 4;
        ASSERT_EQ(54 + rowBytes * static_cast<std::size_t>(c.height), out.size());
        EXPECT_EQ('B', out[0]);
        EXPECT_EQ('M', out[1]);
        EXPECT_EQ(out.size(), le32(out, 2));
        EXPECT_EQ(0u, le32(out, 6));
        EXPECT_EQ(54u, le32(out, 10));
        EXPECT_EQ(40u, le32(out, 14));
        EXPECT_EQ(static_cast<std::uint32_t>(c.width), le32(out, 18));
        EXPECT_EQ(static_cast<std::uint32_t>(c.height), le32(out, 22));
        EXPECT_EQ(0x00180001u, le32(out, 26)) << "1 plane, 24 bits";
        for (std::size_t at = 30; at < 54; at += 4) {
            EXPECT_EQ(0u, le32(out, at)) << "no compression, size or palette: offset " << at;
        }
        const ColourGrid got = test::readBmp24(out);
        for (int y = 0; y < c.height; ++y) {
            for (int x = 0; x < c.width; ++x) {
                const std::uint32_t v = indices.at(x, y);
                ASSERT_EQ(c.bitCount == 24 ? v : colours[v], got.at(x, y))
                    << "pixel " << x << "," << y;
            }
        }
        const std::uint8_t pad = c.bitCount == 1 ? 0xFF : 0x00;
        for (std::size_t row = 0; row < static_cast<std::size_t>(c.height); ++row) {
            for (std::size_t at = 3 * static_cast<std::size_t>(c.width); at < rowBytes; ++at) {
                ASSERT_EQ(pad, out[54 + row * rowBytes + at]) << "padding of row " << row;
            }
        }
    }
}

TEST(ConvertBitmapTo24, RefusesWhatItCannotReadAndKeepsTheLastPicture) {
    const ColourGrid grid = pattern(6, 4, 8);
    const std::vector<std::uint32_t> colours = palette(8);
    const auto bmp = [&](auto change) {
        BmpOptions o;
        o.bitCount = 8;
        change(o);
        return test::writeBmp(grid, colours, o);
    };
    std::vector<std::uint8_t> notBm = bmp([](BmpOptions&) {});
    notBm[0] = 'X';
    std::vector<std::uint8_t> shortOfRows = bmp([](BmpOptions&) {});
    shortOfRows.pop_back();
    std::vector<std::uint8_t> offsetInPalette = bmp([](BmpOptions&) {});
    offsetInPalette[10] = 54 + 4;
    std::vector<std::uint8_t> zeroWidth = bmp([](BmpOptions&) {});
    zeroWidth[18] = 0;
    std::vector<std::uint8_t> twoPlanes = bmp([](BmpOptions&) {});
    twoPlanes[26] = 2;
    const struct {
        const char* what;
        std::vector<std::uint8_t> file;
    } refused[] = {
        {"4 bits per pixel", test::writeBmp(grid, palette(4), {4})},
        {"32 bits per pixel", test::writeBmp(grid, {}, {32})},
        {"top-down rows", bmp([](BmpOptions& o) { o.height = -4; })},
        {"zero height", bmp([](BmpOptions& o) { o.height = 0x7FFFFFFF; })},
        {"RLE8 compression", bmp([](BmpOptions& o) { o.compression = 1; })},
        {"a palette larger than the depth allows", bmp([](BmpOptions& o) { o.coloursUsed = 257; })},
        {"an OS/2 core header", bmp([](BmpOptions& o) { o.infoSize = 12; })},
        {"no \"BM\"", notBm},
        {"one byte short of its rows", shortOfRows},
        {"pixels inside the palette", offsetInPalette},
        {"zero width", zeroWidth},
        {"two planes", twoPlanes},
        {"nothing but headers", std::vector<std::uint8_t>(notBm.begin(), notBm.begin() + 40)},
    };
    for (const auto& r : refused) {
        SCOPED_TRACE(r.what);
        platform::sim::SimPluginHost host;
        host.putFile(source, r.file);
        host.putFile(target, {1, 2, 3});
        EXPECT_EQ(Convert24Result::Refused, ConvertBitmapTo24(host, source, target));
        EXPECT_EQ((std::vector<std::uint8_t>{1, 2, 3}), host.fileBytes(target));
        EXPECT_EQ(0u, host.openHandles());
    }
    platform::sim::SimPluginHost host;
    EXPECT_EQ(Convert24Result::Refused, ConvertBitmapTo24(host, source, target)) << "no source";
}

TEST(ConvertBitmapTo24, ATargetThatCannotBeWrittenIsReportedAndNotLeftHalfDone) {
    const std::vector<std::uint8_t> eightBit = test::writeBmp(pattern(5, 3, 8), palette(8), {8});
    const std::vector<std::uint8_t> plain = test::writeBmp(pattern(5, 3, 24), {}, {24});
    const std::u16string nowhere = u"C:\\No such folder\\P1.bmp";
    const struct {
        const char* what;
        const std::vector<std::uint8_t>& file;
        const std::u16string& to;
        const char* failing; // nullptr: none
    } cases[] = {{"created", eightBit, nowhere, nullptr},
                 {"written", eightBit, target, "WriteFile"},
                 {"copied", plain, target, "CopyFileW"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        platform::sim::SimPluginHost host;
        host.putFile(source, c.file);
        if (c.failing != nullptr) {
            host.faults().failCall(c.failing, 112 /* ERROR_DISK_FULL */);
        }
        EXPECT_EQ(Convert24Result::CannotCreateTarget, ConvertBitmapTo24(host, source, c.to));
        EXPECT_FALSE(host.hasFile(c.to));
        EXPECT_EQ(0u, host.openHandles());
    }
}

} // namespace
} // namespace oemui
