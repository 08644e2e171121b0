#pragma once

#include <cstddef>
#include <cstdint>

namespace logo {

// The work bitmaps the logo page previews and later reads back: an 8-bit file with a
// gray palette and a 1-bit black-and-white file, both bottom-up, rows in the
// source's stored order, uncompressed, with 40-byte information headers.
constexpr std::size_t kGrayWorkBitmapDataOffset = 1078;
constexpr std::size_t kMonoWorkBitmapDataOffset = 62;

struct WorkBitmapLayout {
    std::size_t stride = 0;     // bytes per row
    std::size_t dataOffset = 0; // headers and palette
    std::size_t fileSize = 0;
};

// bitCount 8 or 1. False when the file would not fit the format's 32-bit size fields.
bool workBitmapLayout(int width, int height, int bitCount, WorkBitmapLayout& layout);

// Writes the file header, information header and palette into the first
// layout.dataOffset bytes of file.
void writeWorkBitmapHeaders(std::uint8_t* file, int width, int height, int bitCount,
                            const WorkBitmapLayout& layout);

} // namespace logo
