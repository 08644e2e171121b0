#include "oemui/tools/work_bitmap_format.h"

#include <cstring>

#include "oemui/little_endian.h"
#include "oemui/tools/bmp_image.h"

namespace logo {

using oemui::put16;
using oemui::put32;

bool workBitmapLayout(int width, int height, int bitCount, WorkBitmapLayout& layout) {
    if (width <= 0 || height <= 0 || (bitCount != 8 && bitCount != 1)) {
        return false;
    }
    const std::uint64_t stride = bmpStride(width, bitCount);
    const std::uint64_t offset =
        bitCount == 8 ? kGrayWorkBitmapDataOffset : kMonoWorkBitmapDataOffset;
    const std::uint64_t size = offset + stride * static_cast<std::uint64_t>(height);
    if (size > 0xFFFFFFFFu || size > SIZE_MAX) {
        return false;
    }
    layout.stride = static_cast<std::size_t>(stride);
    layout.dataOffset = static_cast<std::size_t>(offset);
    layout.fileSize = static_cast<std::size_t>(size);
    return true;
}

void writeWorkBitmapHeaders(std::uint8_t* file, int width, int height, int bitCount,
                            const WorkBitmapLayout& layout) {
    std::memset(file, 0, layout.dataOffset);
    const std::uint32_t imageSize = static_cast<std::uint32_t>(layout.fileSize - layout.dataOffset);
    put16(file, kBmpSignature);
    put32(file + 2, static_cast<std::uint32_t>(layout.fileSize));
    put32(file + 10, static_cast<std::uint32_t>(layout.dataOffset));
    put32(file + 14, 40);
    put32(file + 18, static_cast<std::uint32_t>(width));
    put32(file + 22, static_cast<std::uint32_t>(height));
    put16(file + 26, 1);
    put16(file + 28, static_cast<std::uint32_t>(bitCount));
    put32(file + 34, imageSize);
    std::uint8_t* palette = file + 54;
    if (bitCount == 8) {
        for (std::uint32_t i = 0; i < 256; ++i) {
            palette[4 * i] = palette[4 * i + 1] = palette[4 * i + 2] = static_cast<std::uint8_t>(i);
        }
    } else {
        palette[4] = palette[5] = palette[6] = 255; // entry 1 white, entry 0 stays black
    }
}

} // namespace logo
