#include "oemui/tools/bmp_image.h"

#include "oemui/little_endian.h"

namespace logo {

using oemui::u16;
using oemui::u32;

namespace {

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
    case ImageError::TopDown:
        return "stores its rows from the top down, which logos cannot";
    case ImageError::OldHeader:
        return "has an information header older than the 40-byte one";
    case ImageError::BadLayout:
        return "has a palette or pixel offset that does not fit its headers";
    }
    return "is refused";
}

bool readBmpHeaders(const std::uint8_t* data, std::size_t size, BmpHeaders& headers) {
    if (data == nullptr || size < kBmpHeadersSize) {
        return false;
    }
    headers.type = u16(data);
    headers.fileSize = u32(data + 2);
    headers.dataOffset = u32(data + 10);
    headers.headerSize = u32(data + 14);
    headers.width = static_cast<std::int32_t>(u32(data + 18));
    headers.height = static_cast<std::int32_t>(u32(data + 22));
    headers.bitCount = u16(data + 28);
    headers.compression = u32(data + 30);
    headers.colorsUsed = u32(data + 46);
    return true;
}

std::uint64_t bmpStride(std::int64_t width, int bitCount) {
    const std::uint64_t bits =
        static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(bitCount);
    return (bits + 31) / 32 * 4;
}

ImageError checkBmpHeaders(const BmpHeaders& headers, DepthSet depths, BmpLayout& layout) {
    constexpr std::uint64_t kFileHeaderSize = 14;
    constexpr std::uint64_t kInfoHeaderSize = 40;
    if (headers.type != kBmpSignature) {
        return ImageError::NotBmp;
    }
    // The 12-byte header of the oldest files keeps its sizes in 16-bit fields at other
    // places; nothing writes it any more.
    if (headers.headerSize < kInfoHeaderSize) {
        return ImageError::OldHeader;
    }
    if (!inDepthSet(depths, headers.bitCount)) {
        return ImageError::UnsupportedDepth;
    }
    if (headers.compression != 0) {
        return ImageError::Compressed;
    }
    if (headers.height < 0) {
        return ImageError::TopDown;
    }
    if (headers.width <= 0 || headers.height == 0) {
        return ImageError::BadSize;
    }
    // A palette file lists as many colours as biClrUsed says, all its depth can use when
    // that is 0; more than the depth can use is not a picture anyone wrote on purpose.
    const std::uint64_t fullPalette =
        headers.bitCount <= 8 ? std::uint64_t{1} << headers.bitCount : 0;
    if (fullPalette != 0 && headers.colorsUsed > fullPalette) {
        return ImageError::BadLayout;
    }
    const std::uint64_t entries = headers.colorsUsed != 0 ? headers.colorsUsed : fullPalette;
    const std::uint64_t paletteOffset = kFileHeaderSize + headers.headerSize;
    const std::uint64_t paletteEnd = paletteOffset + 4 * entries;
    // Some writers leave bfOffBits 0: the rows then follow the palette.
    const std::uint64_t offset = headers.dataOffset != 0 ? headers.dataOffset : paletteEnd;
    if (offset < paletteEnd) {
        return ImageError::BadLayout;
    }
    const std::uint64_t stride = bmpStride(headers.width, headers.bitCount);
    const std::uint64_t end = offset + stride * static_cast<std::uint64_t>(headers.height);
    if (end > kLargestField || end > SIZE_MAX) {
        return ImageError::BadSize;
    }
    layout.width = headers.width;
    layout.height = headers.height;
    layout.bitCount = headers.bitCount;
    layout.stride = static_cast<std::size_t>(stride);
    layout.paletteOffset = static_cast<std::size_t>(paletteOffset);
    layout.paletteEntries = static_cast<std::size_t>(entries);
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
