#pragma once

#include <cstdint>

namespace logo {

// Halftone methods as the logo page numbers its radio buttons.
enum Halftone : std::int32_t {
    kHalftoneNone = 0,
    kHalftoneDitherM3 = 1,
    kHalftoneDitherM4 = 2,
    kHalftoneErrorDiffuse = 3,
};

// One logo's conversion choices; the page keeps one per list entry.
struct LogoSettings {
    std::int32_t halftone = kHalftoneNone;
    std::int32_t contrast = 0;   // -100..+100
    std::int32_t brightness = 0; // -100..+100
};

// The sliders' range. Values beyond it are taken as the nearest end: the transfer
// below is only defined on it and would overflow far outside.
constexpr int kMinAdjustment = -100;
constexpr int kMaxAdjustment = 100;

} // namespace logo
