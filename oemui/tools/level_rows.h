#pragma once

#include <array>
#include <cstdint>

#include "oemui/tools/logo_level.h"

namespace logo {

// Per-channel levels already multiplied by their luminance weights, so that a pixel
// costs three look-ups, two additions and one division.
struct LuminanceTables {
    std::array<std::uint32_t, 256> blue;
    std::array<std::uint32_t, 256> green;
    std::array<std::uint32_t, 256> red;
    // Every channel keeps its value (no contrast or brightness change): the weights
    // can then be applied to whole groups of pixels at once.
    bool plain = false;
};
LuminanceTables luminanceTables(const LevelTable& red, const LevelTable& green,
                                const LevelTable& blue);

// Whether a transfer leaves every level as it is.
bool isPlain(const LevelTable& table);

// One stored row of pixels to one level per pixel (width bytes in out).
void luminanceRow(const std::uint8_t* bgr, int width, const LuminanceTables& tables,
                  std::uint8_t* out);
void levelRow8(const std::uint8_t* pixels, int width, const LevelTable& table, std::uint8_t* out);
// A set bit is level 255, a clear bit level 0, whatever the palette says.
void levelRow1(const std::uint8_t* bits, int width, const LevelTable& table, std::uint8_t* out);

// Sums of table[channel value] per channel, added up row by row over a picture.
struct ChannelSums {
    std::uint64_t blue = 0;
    std::uint64_t green = 0;
    std::uint64_t red = 0;
};
void addChannelSums24(const std::uint8_t* bgr, int width, const LevelTable& table,
                      ChannelSums& sums);
// The same over the stored values themselves.
void addRawChannelSums24(const std::uint8_t* bgr, int width, ChannelSums& sums);
// The sum of table[value] over a row, and the sum of the row's bytes themselves.
std::uint64_t levelSum8(const std::uint8_t* pixels, int width, const LevelTable& table);
std::uint64_t byteSum(const std::uint8_t* bytes, int width);

} // namespace logo
