#include "oemui/tools/bmp_image.h"

namespace logo {

namespace {

std::uint16_t u16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

std::uint32_t u32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

constexpr std::uint64_t kLargestField = 0xFFFFFFFFu;

} // namespace

const char* describeImageError(ImageError error) {
    switch (error) {
    case ImageError::None:
        return "no error";
    case ImageError::CannotOpen:
        return "cannot be opened or read";
    case ImageError::CannotCreate:
        return "cannot be written";
    case ImageError::NoMemory:
        return "needs more memory than is available";
    case ImageError::NotBmp:
        return "is not a BMP file";
    case ImageError::UnsupportedDepth:
        return "has a number of bits per pixel that this operation does not take";
    case ImageError::Compressed:
        return "is a compressed BMP";
    case ImageError::BadSize:
        return "has a width or height that is zero, negative or too large";
    case ImageError::Truncated:
        return "is shorter than its headers and rows";
    case ImageError::BadSettings:
        return "asks for an unknown halftone method";
    }
    return "is refused";
}

bool readBmpHeaders(const std::uint8_t* data, std::size_t size, BmpHeaders& headers) {
    if (data == nullptr || size < kBmpHeadersSize) {
        return false;
    }
    headers.type = u16(data);
    headers.fileSize = u32(data + 2);
    headers.width = static_cast<std::int32_t>(u32(data + 18));
    headers.height = static_cast<std::int32_t>(u32(data + 22));
    headers.bitCount = u16(data + 28);
    headers.compression = u32(data + 30);
    return true;
}

std::uint64_t bmpStride(std::int64_t width, int bitCount) {
    const std::uint64_t bits =
        static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(bitCount);
    return (bits + 31) / 32 * 4;
}

std::uint32_t fixedDataOffset(int bitCount) {
    switch (bitCount) {
    case 24:
        return 54;
    case 8:
        return 54 + 256 * 4;
    case 1:
        return 54 + 2 * 4;
    default:
        return 54;
    }
}

ImageError checkBmpHeaders(const BmpHeaders& headers, DepthSet depths, BmpLayout& layout) {
    if (headers.type != kBmpSignature) {
        return ImageError::NotBmp;
    }
    if (!inDepthSet(depths, headers.bitCount)) {
        return ImageError::UnsupportedDepth;
    }
    if (headers.compression != 0) {
        return ImageError::Compressed;
    }
    // Top-down bitmaps (negative height) are not handled by the logo tools.
    if (headers.width <= 0 || headers.height <= 0) {
        return ImageError::BadSize;
    }
    const std::uint64_t stride = bmpStride(headers.width, headers.bitCount);
    const std::uint64_t offset = fixedDataOffset(headers.bitCount);
    const std::uint64_t end = offset + stride * static_cast<std::uint64_t>(headers.height);
    if (end > kLargestField || end > SIZE_MAX) {
        return ImageError::BadSize;
    }
    layout.width = headers.width;
    layout.height = headers.height;
    layout.bitCount = headers.bitCount;
    layout.stride = static_cast<std::size_t>(stride);
    layout.dataOffset = static_cast<std::size_t>(offset);
    layout.end = static_cast<std::size_t>(end);
    return ImageError::None;
}

ImageError parseBmpImage(const std::uint8_t* data, std::size_t size, DepthSet depths,
                         BmpImage& image) {
    BmpHeaders headers;
    if (!readBmpHeaders(data, size, headers)) {
        return ImageError::Truncated;
    }
    BmpLayout layout;
    const ImageError error = checkBmpHeaders(headers, depths, layout);
    if (error != ImageError::None) {
        return error;
    }
    if (size < layout.end) {
        return ImageError::Truncated;
    }
    image.layout = layout;
    image.pixels = data + layout.dataOffset;
    return ImageError::None;
}

} // namespace logo
