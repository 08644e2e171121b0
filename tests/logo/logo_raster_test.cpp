#include <gtest/gtest.h>

#include "conversion_helpers.h"
#include "oemui/tools/logo_raster.h"

using namespace logotest;

namespace {

logo::LogoRaster columns(const Bytes& mono) {
    logo::LogoRaster raster;
    EXPECT_EQ(logo::columnData(parsed(mono), raster), logo::ImageError::None);
    return raster;
}

logo::LogoRaster grayLines(const Bytes& gray) {
    logo::LogoRaster raster;
    EXPECT_EQ(logo::grayRaster(parsed(gray), raster), logo::ImageError::None);
    return raster;
}

} // namespace

TEST(ColumnData, OneDotLogo) {
    for (bool black : {true, false}) {
        const logo::LogoRaster raster =
            columns(makeBmp(1, 1, 1, [&](int, int) { return black ? 0u : 1u; }));
        EXPECT_EQ(logo::rasterSizeBytes(raster), (Bytes{0x04, 0x00, 0x01, 0x00}));
        Bytes expected(32, 0);
        expected[0] = black ? 0x01 : 0x00;
        EXPECT_EQ(raster.data, expected) << (black ? "black" : "white");
    }
}

TEST(ColumnData, ThirteenRowsGetThreeBlankRowsOnTop) {
    // One black column; the stored bottom row is also marked in column 1.
    const Bytes mono = makeBmp(2, 13, 1, [](int x, int r) { return x == 0 || r == 0 ? 0u : 1u; });
    const logo::LogoRaster raster = columns(mono);
    EXPECT_EQ(raster.x, 4);
    EXPECT_EQ(raster.y, 2);
    ASSERT_EQ(raster.data.size(), 64u);
    EXPECT_EQ(raster.data[0], 0x1F); // column 0, top band: 3 blank, 5 dots
    EXPECT_EQ(raster.data[1], 0xFF); // column 0, bottom band
    EXPECT_EQ(raster.data[2], 0x00); // column 1, top band
    EXPECT_EQ(raster.data[3], 0x01); // column 1: only the picture's bottom row
    for (std::size_t i = 4; i < raster.data.size(); ++i) {
        EXPECT_EQ(raster.data[i], 0) << i;
    }
}

TEST(ColumnData, BitsBeyondTheWidthNeverPrint) {
    // Clear padding bits would read as black: they must not become dots.
    for (int width : {1, 7, 9, 31, 33}) {
        const logo::LogoRaster raster = columns(makeBmp(width, 8, 1, [](int, int) { return 0u; }));
        ASSERT_EQ(raster.data.size(), static_cast<std::size_t>(raster.x) * raster.y * 8);
        for (int c = 0; c < raster.x * 8; ++c) {
            EXPECT_EQ(raster.data[c * raster.y], c < width ? 0xFF : 0x00)
                << "width " << width << " column " << c;
        }
    }
}

TEST(ColumnData, ColumnsRunTopBandFirst) {
    // 3 x 20 picture; the dot at (x 2, 3rd row from the top) lies in band 0, bit 5.
    const Bytes mono = makeBmp(3, 20, 1, [](int x, int r) { return x == 2 && r == 17 ? 0u : 1u; });
    const logo::LogoRaster raster = columns(mono);
    EXPECT_EQ(raster.y, 3);
    // 24 grid rows: 4 blank rows on top, so picture row 2 from the top is grid row 6.
    Bytes expected(raster.data.size(), 0);
    expected[2 * 3 + 0] = 0x02;
    EXPECT_EQ(raster.data, expected);
}

TEST(GrayRaster, FiveByThreePicture) {
    // Stored bottom-up: stored row 2 is the top row.
    const int top[5] = {0x00, 0xFF, 0x80, 0x40, 0xF0};
    const Bytes gray = makeBmp(5, 3, 8, [&](int x, int r) {
        return r == 2 ? top[x] : r == 1 ? 0xFFu : 0x00u;
    });
    const logo::LogoRaster raster = grayLines(gray);
    EXPECT_EQ(raster.x, 1);
    EXPECT_EQ(raster.y, 2);
    const Bytes expected = {
        0x90, 0xA0, 0xB0, 0xB0, // top row, bits 7, 6, 5, 4
        0x00, 0x00, 0x00, 0x00, // white row
        0xF8, 0xF8, 0xF8, 0xF8, // black row: five dots, padding stays blank
        0x00, 0x00, 0x00, 0x00, // the four lines after an odd number of rows
    };
    EXPECT_EQ(raster.data, expected);
}

TEST(GrayRaster, WidthsPaddedToFourPixels) {
    struct {
        int width, x;
        Bytes firstLine;
    } cases[] = {{1, 1, {0x80}},
                 {4, 1, {0xF0}},
                 {8, 1, {0xFF}},
                 {9, 2, {0xFF, 0x80}},
                 {12, 2, {0xFF, 0xF0}}};
    for (const auto& c : cases) {
        const logo::LogoRaster raster =
            grayLines(makeBmp(c.width, 2, 8, [](int, int) { return 0u; }));
        EXPECT_EQ(raster.x, c.x) << "width " << c.width;
        EXPECT_EQ(raster.y, 1) << "width " << c.width;
        EXPECT_EQ(raster.data.size(), static_cast<std::size_t>(c.x) * 8);
        EXPECT_EQ(Bytes(raster.data.begin(), raster.data.begin() + c.x), c.firstLine)
            << "width " << c.width;
    }
}

TEST(LogoRasters, WrongDepthsAreRefused) {
    logo::LogoRaster raster;
    EXPECT_EQ(logo::columnData(parsed(makeBmp(2, 2, 8, [](int, int) { return 0u; })), raster),
              logo::ImageError::UnsupportedDepth);
    EXPECT_EQ(logo::grayRaster(parsed(makeBmp(2, 2, 1, [](int, int) { return 0u; })), raster),
              logo::ImageError::UnsupportedDepth);
}
