#pragma once

#include <array>
#include <cstdint>
#include <memory>

namespace logo {

// The 8x8 ordered-dither matrix of "Dither M3" (values 0..63).
extern const std::uint8_t kDitherMatrix8[8][8];
// "Dither M4"'s 16x16 matrix of all levels 0..255, built from the 8x8 one.
int ditherMatrix16(int row, int column);

// An ordered dither as per-cell thresholds: a pixel is white when its level is
// above the threshold of its cell (row mod 16, column mod 16). Thresholds run from
// -1 (always white) to 255 (never white).
using DitherThresholds = std::array<std::array<std::int16_t, 16>, 16>;
DitherThresholds uniformThresholds(int mean);
// whiteOnEqual: 24-bit pictures are white where the level equals the matrix entry,
// 8-bit pictures are not; both rules are part of how stored logos look.
DitherThresholds ditherM3Thresholds(bool whiteOnEqual);
DitherThresholds ditherM4Thresholds(bool whiteOnEqual);

// One row of levels to one row of bits (most significant bit leftmost, set = white).
// The bits after the last pixel of the last byte are cleared.
void ditherRow(const std::uint8_t* levels, int width, const std::int16_t* thresholds16,
               std::uint8_t* out);

// Serpentine error diffusion: odd stored rows run left to right, even ones (the
// first included) right to left; 3/8 of a pixel's error goes to the next pixel,
// 3/8 straight below and 1/4 below and one step further on.
class ErrorDiffusion {
public:
    // False when the error rows cannot be allocated.
    bool start(int width);
    // Rows must come in stored order 0, 1, 2, ...; every byte of the row's bits
    // ((width + 7) / 8 bytes) is written, unused bits 0.
    void row(const std::uint8_t* levels, int rowIndex, std::uint8_t* out);

private:
    int width_ = 0;
    std::unique_ptr<std::int32_t[]> current_;
    std::unique_ptr<std::int32_t[]> next_;
};

} // namespace logo
