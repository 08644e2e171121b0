// The font size an application selects, for every bar height the page takes
// at every HRI setting, and what the page shows for a stored size.
#include "oemui/tools/barcode/barcode_font_size.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace barcode {
namespace {

// fontSize by s = bar height + HRI lines (1..303), worked out in double
// precision as the record's other writers do: p = s * 72 / 180 snapped at .4 and
// .7, times 180 / 72, truncated. Where p ends in .4 the double may fall just
// below it and snap down: s = 6, 41, 46 ... 156 give 2.0 points where exact
// arithmetic would give 2.5.
const std::uint32_t expectedBySum[303] = {
    1,   2,   2,   3,   5,   5,   7,   7,   8,   10,  11,  12,  12,  13,  15,  16,  17,  17,  18,
    20,  21,  22,  22,  23,  25,  26,  27,  27,  28,  30,  31,  32,  32,  33,  35,  36,  37,  37,
    38,  40,  40,  42,  42,  43,  45,  45,  47,  47,  48,  50,  50,  52,  52,  53,  55,  55,  57,
    57,  58,  60,  60,  62,  62,  63,  65,  65,  67,  67,  68,  70,  70,  72,  72,  73,  75,  75,
    77,  77,  78,  80,  80,  82,  82,  83,  85,  85,  87,  87,  88,  90,  90,  92,  92,  93,  95,
    95,  97,  97,  98,  100, 100, 102, 102, 103, 105, 105, 107, 107, 108, 110, 110, 112, 112, 113,
    115, 115, 117, 117, 118, 120, 120, 122, 122, 123, 125, 125, 127, 127, 128, 130, 130, 132, 132,
    133, 135, 135, 137, 137, 138, 140, 140, 142, 142, 143, 145, 145, 147, 147, 148, 150, 150, 152,
    152, 153, 155, 155, 157, 157, 158, 160, 161, 162, 162, 163, 165, 166, 167, 167, 168, 170, 171,
    172, 172, 173, 175, 176, 177, 177, 178, 180, 181, 182, 182, 183, 185, 186, 187, 187, 188, 190,
    191, 192, 192, 193, 195, 196, 197, 197, 198, 200, 201, 202, 202, 203, 205, 206, 207, 207, 208,
    210, 211, 212, 212, 213, 215, 216, 217, 217, 218, 220, 221, 222, 222, 223, 225, 226, 227, 227,
    228, 230, 231, 232, 232, 233, 235, 236, 237, 237, 238, 240, 241, 242, 242, 243, 245, 246, 247,
    247, 248, 250, 251, 252, 252, 253, 255, 256, 257, 257, 258, 260, 261, 262, 262, 263, 265, 266,
    267, 267, 268, 270, 271, 272, 272, 273, 275, 276, 277, 277, 278, 280, 281, 282, 282, 283, 285,
    286, 287, 287, 288, 290, 291, 292, 292, 293, 295, 296, 297, 297, 298, 300, 301, 302, 302,
};

TEST(BarcodeFontSize, EveryBarHeightAtEveryHriSetting) {
    struct Hri {
        std::uint32_t position;
        std::uint32_t font;
        std::uint32_t lines; // dots the HRI text adds
    };
    const Hri settings[] = {{0, 0, 0},  {0, 1, 0},  {1, 0, 24}, {2, 0, 24},
                            {3, 0, 48}, {1, 1, 17}, {2, 1, 17}, {3, 1, 34}};
    for (const Hri& hri : settings) {
        for (std::uint32_t barHeight = 1; barHeight <= 255; ++barHeight) {
            EXPECT_EQ(expectedBySum[barHeight + hri.lines - 1],
                      fontSize(barHeight, hri.position, hri.font))
                << "bar height " << barHeight << ", HRI position " << hri.position << ", font "
                << hri.font;
        }
    }
}

TEST(BarcodeFontSize, WhatThePageShows) {
    struct Shown {
        std::uint32_t fontSize;
        const char* millimetres;
        const char* points;
    };
    const Shown cases[] = {
        {163, " 23.0", " 65.0"}, // the default record: 65.2 points shown snapped
        {162, " 22.9", " 65.0"}, // what storing bar height 163 again gives
        {123, " 17.4", " 49.0"}, // 100 dots with font A below: 49.2 points snap down
        {2, "  0.3", "  1.0"},   {302, " 42.6", "121.0"},
    };
    for (const Shown& c : cases) {
        EXPECT_EQ(c.millimetres, fontSizeMillimetres(c.fontSize)) << c.fontSize;
        EXPECT_EQ(c.points, fontSizePoints(c.fontSize)) << c.fontSize;
    }
    EXPECT_EQ(162u, fontSize(163, 0, 0));
    EXPECT_EQ(123u, fontSize(100, 2, 0));
    EXPECT_EQ(2u, fontSize(0, 0, 0)); // a size of 0 is never stored
}

} // namespace
} // namespace barcode
