// Bitmap files written and read by the tests on their own, independent of the
// plug-in's reader and writer: a grid of colours becomes a 1-, 8- or 24-bit
// file, and a 24-bit file becomes a grid of colours again.
#pragma once

#include <cstdint>
#include <vector>

namespace oemui::test {

// Colours 0x00RRGGBB, rows top-down.
struct ColourGrid {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
    std::uint32_t at(int x, int y) const {
        return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                      static_cast<std::size_t>(x)];
    }
};

struct BmpOptions {
    int bitCount = 24;
    std::uint32_t infoSize = 40;
    std::int32_t height = 0; // 0: the grid's; negative: top-down
    std::uint32_t compression = 0;
    std::uint32_t coloursUsed = 0;
    std::uint32_t padAfterPalette = 0; // bytes between the palette and the pixels
};

// A grid whose pixels are indices into `palette` (1- and 8-bit) or colours.
std::vector<std::uint8_t> writeBmp(const ColourGrid& grid,
                                   const std::vector<std::uint32_t>& palette,
                                   const BmpOptions& options);

// The pixels of an uncompressed bottom-up 24-bit file at its offset.
ColourGrid readBmp24(const std::vector<std::uint8_t>& file);

std::uint32_t le32(const std::vector<std::uint8_t>& b, std::size_t at);

} // namespace oemui::test
