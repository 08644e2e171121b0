#include <random>
#include <set>

#include <gtest/gtest.h>

#include "conversion_helpers.h"
#include "oemui/tools/halftone.h"
#include "oemui/tools/logo_settings.h"
#include "reference_conversion.h"

using namespace logotest;

namespace {

Bytes uniform(int width, int height, int bitCount, int level) {
    return makeBmp(width, height, bitCount, [&](int, int) {
        return bitCount == 24 ? gray24(level) : static_cast<std::uint32_t>(level);
    });
}

} // namespace

TEST(DitherMatrix16, HoldsEveryLevelOnceInQuadrantOrder) {
    std::set<int> seen;
    for (int i = 0; i < 16; ++i) {
        for (int j = 0; j < 16; ++j) {
            seen.insert(logo::ditherMatrix16(i, j));
        }
    }
    EXPECT_EQ(seen.size(), 256u);
    EXPECT_EQ(*seen.rbegin(), 255);
    EXPECT_EQ(logo::ditherMatrix16(0, 0), 0);
    EXPECT_EQ(logo::ditherMatrix16(0, 8), 3);
    EXPECT_EQ(logo::ditherMatrix16(8, 0), 2);
    EXPECT_EQ(logo::ditherMatrix16(8, 8), 1);
    EXPECT_EQ(logo::ditherMatrix16(7, 7), 84);
    EXPECT_EQ(logo::ditherMatrix16(15, 9), 4 * 31 + 1);
}

TEST(HalftoneNone, UniformPictureIsAllBlack) {
    for (int bitCount : {24, 8}) {
        const Bytes mono = monoFile(uniform(9, 4, bitCount, 180), logo::kHalftoneNone);
        EXPECT_EQ(countWhite(mono, 9, 4), 0) << bitCount << "-bit";
    }
}

TEST(HalftoneNone, GradientSplitsAtItsMean) {
    // Levels 0..255 across: the mean is 32640 / 256 = 127, so 128..255 are white.
    const Bytes mono =
        monoFile(makeBmp(256, 2, 8, [](int x, int) { return x; }), logo::kHalftoneNone);
    for (int x = 0; x < 256; ++x) {
        EXPECT_EQ(white(mono, 256, x, 0), x >= 128) << x;
    }
    // Brightness +100 saturates the top: the mean is 207 and only x >= 108 lie above it.
    const Bytes brighter =
        monoFile(makeBmp(256, 2, 8, [](int x, int) { return x; }), logo::kHalftoneNone, 0, 100);
    for (int x = 0; x < 256; ++x) {
        EXPECT_EQ(white(brighter, 256, x, 1), x >= 108) << x;
    }
}

TEST(HalftoneNone, ThresholdIsTheMeanOfTheAdjustedChannels) {
    // Left half pure red, right half black: red' mean 127 (255 * 4 / 8), so the mean
    // level is 299 * 127 / 1000 = 37; red pixels (level 76) are white.
    const Bytes source = makeBmp(8, 1, 24, [](int x, int) { return x < 4 ? 0xFF0000u : 0u; });
    const Bytes mono = monoFile(source, logo::kHalftoneNone);
    EXPECT_EQ(mono[62], 0xF0);
}

TEST(HalftoneDitherM3, ColourIsWhiteOnEqualGrayIsNot) {
    // Every pixel's level is exactly four times its matrix entry.
    auto onMatrix = [](int x, int r) { return 4u * logo::kDitherMatrix8[r % 8][x % 8]; };
    const Bytes colour = makeBmp(8, 8, 24, [&](int x, int r) { return gray24(onMatrix(x, r)); });
    const Bytes gray = makeBmp(8, 8, 8, onMatrix);
    EXPECT_EQ(countWhite(monoFile(colour, logo::kHalftoneDitherM3), 8, 8), 64);
    EXPECT_EQ(countWhite(monoFile(gray, logo::kHalftoneDitherM3), 8, 8), 0);
}

TEST(HalftoneDitherM3, UniformLevelsWhitenTheirShareOfEachTile) {
    for (int level : {0, 3, 4, 100, 251, 252, 255}) {
        EXPECT_EQ(countWhite(monoFile(uniform(16, 8, 24, level), logo::kHalftoneDitherM3), 16, 8),
                  2 * ((level >> 2) + 1))
            << "24-bit level " << level;
        EXPECT_EQ(countWhite(monoFile(uniform(16, 8, 8, level), logo::kHalftoneDitherM3), 16, 8),
                  2 * (level >> 2))
            << "8-bit level " << level;
    }
}

TEST(HalftoneDitherM4, UniformLevelsWhitenTheirShareOfEachTile) {
    for (int level : {0, 1, 128, 254, 255}) {
        EXPECT_EQ(countWhite(monoFile(uniform(16, 16, 8, level), logo::kHalftoneDitherM4), 16, 16),
                  level)
            << "8-bit level " << level;
        EXPECT_EQ(countWhite(monoFile(uniform(16, 16, 24, level), logo::kHalftoneDitherM4), 16, 16),
                  std::min(256, level + 1))
            << "24-bit level " << level;
    }
}

TEST(HalftoneDitherM4, ColourWithoutContrastIgnoresThePictureMean) {
    // The same left half under right halves of very different brightness.
    auto picture = [](int right) {
        return makeBmp(32, 16, 24, [=](int x, int r) {
            return x < 16 ? gray24((x * 16 + r) & 255) : gray24(right);
        });
    };
    const Bytes dark = monoFile(picture(0), logo::kHalftoneDitherM4);
    const Bytes light = monoFile(picture(255), logo::kHalftoneDitherM4);
    for (int r = 0; r < 16; ++r) {
        for (int x = 0; x < 16; ++x) {
            EXPECT_EQ(white(dark, 32, x, r), white(light, 32, x, r)) << x << "," << r;
        }
    }
    // With contrast the mean matters.
    EXPECT_NE(monoFile(picture(0), logo::kHalftoneDitherM4, 50),
              monoFile(picture(255), logo::kHalftoneDitherM4, 50));
}

// Traced by hand: the first stored row runs right to left.
//   row 0: 90 -> black, e 90, carry 33, below [_, 22, 33]
//          100+33 -> white, e -122, carry -45, below [-30, -23, 33]
//          60-45 -> black, e 15, below [-25, -23, 33]
//   row 1 (left to right): 120-25 black (e 95, carry 35); 120-23+35 white (e -123,
//          carry -46); 120+33-46 black.
// Scanning the first row left to right would give 001 and 110 instead.
TEST(HalftoneErrorDiffuse, SerpentineRowsCarryTheirErrors) {
    const int levels[2][3] = {{60, 100, 90}, {120, 120, 120}};
    const Bytes source = makeBmp(3, 2, 8, [&](int x, int r) { return levels[r][x]; });
    const Bytes mono = monoFile(source, logo::kHalftoneErrorDiffuse);
    EXPECT_EQ(mono[62], 0x40);
    EXPECT_EQ(mono[66], 0x40);
}

TEST(HalftoneErrorDiffuse, GradientKeepsItsAverageBrightness) {
    const Bytes source = makeBmp(256, 64, 8, [](int x, int) { return x; });
    const Bytes mono = monoFile(source, logo::kHalftoneErrorDiffuse);
    for (int band = 0; band < 256; band += 32) {
        int whites = 0;
        for (int r = 0; r < 64; ++r) {
            for (int x = band; x < band + 32; ++x) {
                whites += white(mono, 256, x, r);
            }
        }
        const double expected = (band + 15.5) / 255.0 * 32 * 64;
        EXPECT_NEAR(whites, expected, 32 * 64 * 0.06) << "columns " << band << "..";
    }
}

TEST(HalftoneMethods, UnknownMethodIsRefused) {
    logo::ByteBuffer out;
    const Bytes source = uniform(4, 4, 8, 10);
    EXPECT_EQ(logo::convertToMono(parsed(source), 4, 0, 0, out), logo::ImageError::BadSettings);
    EXPECT_EQ(logo::convertToMono(parsed(source), -1, 0, 0, out), logo::ImageError::BadSettings);
}

// The table-driven conversions against the definition, on random pictures of many
// widths (padding of every kind), all four methods, both depths and the extremes of
// the sliders.
TEST(HalftoneMethods, MatchTheDefinitionOnRandomPictures) {
    std::mt19937 random(1234);
    const int settings[][2] = {{0, 0},    {100, 0},  {-100, 0}, {0, 100},
                               {0, -100}, {37, -12}, {-63, 45}};
    for (int width : {1, 2, 7, 8, 9, 31, 32, 33, 45}) {
        const int height = 1 + static_cast<int>(random() % 19);
        for (int bitCount : {24, 8}) {
            // Smooth areas with noise, so that thresholds near the mean are exercised.
            const Bytes source = makeBmp(width, height, bitCount, [&](int x, int r) {
                const int base = (x * 255 / width + r * 7) & 255;
                const int noisy =
                    std::min(255, std::max(0, base + static_cast<int>(random() % 41) - 20));
                return bitCount == 24 ? (random() % 4 == 0 ? random() & 0xFFFFFF : gray24(noisy))
                                      : static_cast<std::uint32_t>(noisy);
            });
            const logo::BmpImage image = parsed(source);
            for (const auto& s : settings) {
                for (int method = 0; method < 4; ++method) {
                    ASSERT_EQ(monoBits(monoFile(source, method, s[0], s[1]), width, height),
                              referenceMono(image, method, s[0], s[1]))
                        << width << "x" << height << " " << bitCount << "-bit method " << method
                        << " contrast " << s[0] << " brightness " << s[1];
                }
            }
        }
    }
}
