#include "oemui/tools/logo_level.h"

#include <algorithm>
#include <cmath>

#include "oemui/tools/logo_settings.h"

namespace logo {

int AdjustLevel(int level, int contrast, int brightness) {
    const int v = std::clamp(level, 0, 255);
    const int c = std::clamp(contrast, kMinAdjustment, kMaxAdjustment);
    const int b = std::clamp(brightness, kMinAdjustment, kMaxAdjustment);
    int t = 0;
    if (c < 0) {
        // Less contrast squeezes 0..255 towards the middle; every step is single precision.
        const float divisor = 255.0f / static_cast<float>(2 * c + 255);
        const float squeezed = static_cast<float>(v) / divisor;
        const float shifted = squeezed - static_cast<float>(c);
        t = static_cast<int>(shifted);
    } else if (v <= c) {
        t = 0;
    } else if (v >= 255 - c) {
        t = 255;
    } else {
        // The divisor is rounded to single precision before the double division.
        const float k = static_cast<float>(static_cast<double>(255 - 2 * c) / 255.0);
        t = static_cast<int>(static_cast<double>(v - c) / static_cast<double>(k));
    }
    return std::clamp(t + b, 0, 255);
}

LevelTable makeLevelTable(int contrast, int brightness) {
    LevelTable table{};
    for (int v = 0; v < 256; ++v) {
        table[static_cast<std::size_t>(v)] =
            static_cast<std::uint8_t>(AdjustLevel(v, contrast, brightness));
    }
    return table;
}

} // namespace logo

namespace logo {

float meanContrastFactor(int contrast) {
    const int c = std::clamp(contrast, kMinAdjustment, kMaxAdjustment);
    if (c >= 0) {
        return static_cast<float>(c / 10.0 + 1.0);
    }
    return static_cast<float>(1.0 - std::sqrt(static_cast<double>(-c)) / 10.0);
}

LevelTable makeMeanContrastTable(int mean, int contrast, int brightness) {
    const float f = meanContrastFactor(contrast);
    const int b = std::clamp(brightness, kMinAdjustment, kMaxAdjustment);
    const float m = static_cast<float>(mean);
    LevelTable table{};
    for (int v = 0; v < 256; ++v) {
        const float scaled = static_cast<float>(v - mean) * f;
        const float moved = scaled + m;
        table[static_cast<std::size_t>(v)] =
            static_cast<std::uint8_t>(std::clamp(static_cast<int>(moved) + b, 0, 255));
    }
    return table;
}

} // namespace logo
