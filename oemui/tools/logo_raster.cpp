#include "oemui/tools/logo_raster.h"

#include <new>

namespace logo {

namespace {

constexpr std::uint64_t kLargestSizeField = 0xFFFF;

bool allocate(LogoRaster& raster, std::uint64_t x, std::uint64_t y) {
    if (x > kLargestSizeField || y > kLargestSizeField) {
        return false;
    }
    raster.x = static_cast<int>(x);
    raster.y = static_cast<int>(y);
    raster.data.assign(static_cast<std::size_t>(x * y * 8), 0);
    return true;
}

} // namespace

ImageError columnData(const BmpImage& mono, LogoRaster& raster) {
    if (mono.bitCount() != 1) {
        return ImageError::UnsupportedDepth;
    }
    const int width = mono.width();
    const int height = mono.height();
    const std::uint64_t x = bmpStride(width, 1);
    const std::uint64_t y = (static_cast<std::uint64_t>(height) + 7) / 8;
    try {
        if (!allocate(raster, x, y)) {
            return ImageError::BadSize;
        }
    } catch (const std::bad_alloc&) {
        return ImageError::NoMemory;
    }
    const std::size_t bands = static_cast<std::size_t>(y);
    const int gridRows = static_cast<int>(8 * y);
    std::uint8_t* data = raster.data.data();
    // Stored row g is the picture's row g from the bottom, which is grid row
    // gridRows - 1 - g from the top: the blank rows of the last band lie on top.
    for (int g = 0; g < height; ++g) {
        const int fromTop = gridRows - 1 - g;
        const std::size_t band = static_cast<std::size_t>(fromTop >> 3);
        const std::uint8_t dot = static_cast<std::uint8_t>(0x80u >> (fromTop & 7));
        const std::uint8_t* bits = mono.row(g);
        for (int c = 0; c < width; ++c) {
            if ((bits[c >> 3] & (0x80u >> (c & 7))) == 0) {
                data[static_cast<std::size_t>(c) * bands + band] |= dot;
            }
        }
    }
    return ImageError::None;
}

ImageError grayRaster(const BmpImage& gray, LogoRaster& raster) {
    if (gray.bitCount() != 8) {
        return ImageError::UnsupportedDepth;
    }
    const int width = gray.width();
    const int height = gray.height();
    const std::uint64_t padded = (static_cast<std::uint64_t>(width) + 3) / 4 * 4;
    const std::uint64_t x = (padded + 7) / 8;
    const std::uint64_t y = (4 * static_cast<std::uint64_t>(height) + 7) / 8;
    try {
        if (!allocate(raster, x, y)) {
            return ImageError::BadSize;
        }
    } catch (const std::bad_alloc&) {
        return ImageError::NoMemory;
    }
    const std::size_t lineBytes = static_cast<std::size_t>(x);
    std::uint8_t* line = raster.data.data();
    // Padding pixels are white and so leave their bits 0; only the picture's pixels
    // need visiting.
    for (int top = 0; top < height; ++top) {
        const std::uint8_t* levels = gray.row(height - 1 - top);
        for (int bit = 7; bit >= 4; --bit, line += lineBytes) {
            for (int p = 0; p < width; ++p) {
                if (((levels[p] >> bit) & 1) == 0) {
                    line[p >> 3] |= static_cast<std::uint8_t>(0x80u >> (p & 7));
                }
            }
        }
    }
    return ImageError::None;
}

std::vector<std::uint8_t> rasterSizeBytes(const LogoRaster& raster) {
    return {static_cast<std::uint8_t>(raster.x & 0xFF), static_cast<std::uint8_t>(raster.x >> 8),
            static_cast<std::uint8_t>(raster.y & 0xFF), static_cast<std::uint8_t>(raster.y >> 8)};
}

} // namespace logo
