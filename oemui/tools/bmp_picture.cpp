#include "oemui/tools/bmp_picture.h"

#include <new>

#include "oemui/tools/bmp_file.h"

namespace logo {

namespace {

std::uint32_t pixelAt(const std::uint8_t* row, int x, int bitCount,
                      const std::uint32_t (&palette)[256]) {
    switch (bitCount) {
    case 24: {
        const std::uint8_t* p = row + 3 * static_cast<std::size_t>(x);
        return (std::uint32_t{p[2]} << 16) | (std::uint32_t{p[1]} << 8) | p[0];
    }
    case 8:
        return palette[row[x]];
    default:
        return palette[(row[x >> 3] >> (7 - (x & 7))) & 1];
    }
}

} // namespace

ImageError drawBmp(ByteSource& file, int width, int height, std::vector<std::uint32_t>& pixels) {
    if (width <= 0 || height <= 0) {
        return ImageError::BadSize;
    }
    FileRows rows;
    ImageError error = rows.open(file, depthSet(24) | depthSet(8) | depthSet(1));
    std::uint32_t palette[256];
    if (error == ImageError::None) {
        error = readPalette(file, rows.layout(), palette);
    }
    if (error == ImageError::None && !rows.restart()) {
        error = ImageError::CannotOpen;
    }
    if (error != ImageError::None) {
        return error;
    }
    const BmpLayout& layout = rows.layout();
    try {
        pixels.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0);
    } catch (const std::bad_alloc&) {
        return ImageError::NoMemory;
    }
    std::vector<int> columns(static_cast<std::size_t>(width));
    for (int i = 0; i < width; ++i) {
        columns[static_cast<std::size_t>(i)] =
            static_cast<int>(static_cast<std::int64_t>(i) * layout.width / width);
    }
    // Stored rows come bottom first; the preview's rows are filled from the bottom up,
    // each from the stored row nearest to it.
    int target = height - 1;
    for (int stored = 0; stored < layout.height && target >= 0; ++stored) {
        const std::uint8_t* row = rows.next();
        if (row == nullptr) {
            return ImageError::Truncated;
        }
        for (; target >= 0; --target) {
            const int fromTop =
                static_cast<int>(static_cast<std::int64_t>(target) * layout.height / height);
            if (layout.height - 1 - fromTop != stored) {
                break;
            }
            std::uint32_t* out = pixels.data() + static_cast<std::size_t>(target) * width;
            for (int i = 0; i < width; ++i) {
                out[i] =
                    pixelAt(row, columns[static_cast<std::size_t>(i)], layout.bitCount, palette);
            }
        }
    }
    return ImageError::None;
}

} // namespace logo
