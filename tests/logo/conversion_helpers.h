#pragma once
// Runs the in-memory conversions on builder bitmaps and takes their output apart.

#include <gtest/gtest.h>

#include "bmp_builder.h"
#include "oemui/tools/bmp_image.h"
#include "oemui/tools/byte_buffer.h"
#include "oemui/tools/work_bitmap.h"

namespace logotest {

inline logo::BmpImage parsed(const Bytes& file) {
    logo::BmpImage image;
    EXPECT_EQ(logo::parseBmpImage(file.data(), file.size(),
                                  logo::depthSet(24) | logo::depthSet(8) | logo::depthSet(1),
                                  image),
              logo::ImageError::None);
    return image;
}

inline Bytes toBytes(const logo::ByteBuffer& buffer) {
    return Bytes(buffer.begin(), buffer.end());
}

inline Bytes grayFile(const Bytes& source, int contrast = 0, int brightness = 0) {
    logo::ByteBuffer out;
    EXPECT_EQ(logo::convertToGray(parsed(source), contrast, brightness, out),
              logo::ImageError::None);
    return toBytes(out);
}

inline Bytes monoFile(const Bytes& source, int halftone, int contrast = 0, int brightness = 0) {
    logo::ByteBuffer out;
    EXPECT_EQ(logo::convertToMono(parsed(source), halftone, contrast, brightness, out),
              logo::ImageError::None);
    return toBytes(out);
}

// The pixel bits of a monochrome work bitmap without row padding; the padding
// itself must be zero.
inline Bytes monoBits(const Bytes& file, int width, int height) {
    const std::size_t stride = strideOf(width, 1);
    const std::size_t used = (width + 7) / 8;
    Bytes bits;
    for (int r = 0; r < height; ++r) {
        const std::uint8_t* row = file.data() + 62 + stride * r;
        bits.insert(bits.end(), row, row + used);
        for (std::size_t i = used; i < stride; ++i) {
            EXPECT_EQ(row[i], 0) << "padding byte " << i << " of row " << r;
        }
        if (width % 8 != 0) {
            EXPECT_EQ(row[used - 1] & (0xFF >> (width % 8)), 0) << "padding bits of row " << r;
        }
    }
    return bits;
}

inline bool white(const Bytes& file, int width, int x, int r) {
    return (file[62 + strideOf(width, 1) * r + x / 8] >> (7 - x % 8)) & 1;
}

inline int countWhite(const Bytes& file, int width, int height) {
    int n = 0;
    for (int r = 0; r < height; ++r) {
        for (int x = 0; x < width; ++x) {
            n += white(file, width, x, r);
        }
    }
    return n;
}

} // namespace logotest
