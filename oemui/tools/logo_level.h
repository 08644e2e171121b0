#pragma once

#include <array>
#include <cstdint>

namespace logo {

// The contrast and brightness transfer of one level (0 black .. 255 white).
// The arithmetic is kept exactly as the printer's logo tools have always done it
// (single-precision divisor, truncation toward zero), so that a logo converted here
// looks like one converted anywhere else in the product.
int AdjustLevel(int level, int contrast, int brightness);

inline int Luminance(int r, int g, int b) {
    return (299 * r + 587 * g + 114 * b) / 1000;
}

// AdjustLevel of every level 0..255, for whole-image loops.
using LevelTable = std::array<std::uint8_t, 256>;
LevelTable makeLevelTable(int contrast, int brightness);

} // namespace logo

namespace logo {

// "Dither M4" on 24-bit pictures stretches each channel about its own mean instead:
// clamp(trunc((float)(v - mean) * f + (float)mean) + brightness) with f from 0 at
// contrast -100 through 1 at 0 to 11 at +100.
float meanContrastFactor(int contrast);
LevelTable makeMeanContrastTable(int mean, int contrast, int brightness);

} // namespace logo
