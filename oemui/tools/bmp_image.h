#pragma once

#include <cstddef>
#include <cstdint>

namespace logo {

// Why a bitmap was refused or a conversion failed.
enum class ImageError {
    None,
    CannotOpen,       // the file cannot be opened or read
    CannotCreate,     // the output file cannot be written, or its path cannot be made
    NoMemory,         // a buffer cannot be obtained
    NotBmp,           // no "BM" signature
    UnsupportedDepth, // a bits-per-pixel value this operation does not take
    Compressed,       // biCompression is not 0
    BadSize,          // width or height zero, negative or beyond the format's fields
    Truncated,        // the file ends before its headers and rows
    BadSettings,      // an unknown halftone method
    TopDown,          // a negative height: rows stored from the top down
    OldHeader,        // an information header shorter than 40 bytes
    BadLayout,        // a palette or pixel offset that does not fit the headers
};

// A short English description ("is shorter than its headers and rows") for tools.
const char* describeImageError(ImageError error);

// The fields of the file header and of the first 40 bytes of the information header
// that the logo tools use, as stored (little-endian) in a file's first 54 bytes. Later
// information headers (108 and 124 bytes) only add fields after these.
constexpr std::size_t kBmpHeadersSize = 54;
struct BmpHeaders {
    std::uint16_t type = 0;
    std::uint32_t fileSize = 0;
    std::uint32_t dataOffset = 0; // bfOffBits
    std::uint32_t headerSize = 0; // biSize
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::uint16_t bitCount = 0;
    std::uint32_t compression = 0;
    std::uint32_t colorsUsed = 0; // biClrUsed: 0 is a full palette for 8 bits and fewer
};
constexpr std::uint16_t kBmpSignature = 0x4D42; // "BM"

// False when fewer than 54 bytes are given.
bool readBmpHeaders(const std::uint8_t* data, std::size_t size, BmpHeaders& headers);

// Set of bits-per-pixel values an operation takes: depthSet(24) | depthSet(8).
using DepthSet = std::uint32_t;
constexpr DepthSet depthSet(int bitCount) {
    return DepthSet{1} << bitCount;
}
constexpr bool inDepthSet(DepthSet set, int bitCount) {
    return bitCount >= 0 && bitCount < 32 && (set & depthSet(bitCount)) != 0;
}

// Bytes per stored row (rows are padded to 4 bytes) for a width that fits int32.
std::uint64_t bmpStride(std::int64_t width, int bitCount);

// Where the palette and the pixel rows of a checked bitmap lie.
struct BmpLayout {
    int width = 0;
    int height = 0;
    int bitCount = 0;
    std::size_t stride = 0;
    std::size_t paletteOffset = 0; // after the information header, whatever its size
    std::size_t paletteEntries = 0;
    std::size_t dataOffset = 0; // bfOffBits, or the end of the palette where that is 0
    std::size_t end = 0;        // dataOffset + stride * height: the bytes the file must hold
};

// Checks the headers for an uncompressed bottom-up bitmap of one of the given depths
// whose sizes fit the format's 32-bit fields. The pixels are where bfOffBits says,
// which must lie after the information header and the palette it declares.
ImageError checkBmpHeaders(const BmpHeaders& headers, DepthSet depths, BmpLayout& layout);

// A checked bitmap held in memory; rows[r] is stored row r (row 0 is the picture's
// bottom row).
struct BmpImage {
    BmpLayout layout;
    const std::uint8_t* pixels = nullptr; // first stored row

    const std::uint8_t* row(int r) const {
        return pixels + layout.stride * static_cast<std::size_t>(r);
    }
    int width() const { return layout.width; }
    int height() const { return layout.height; }
    int bitCount() const { return layout.bitCount; }
};

// Checks the bytes of a whole file and points image at its rows.
ImageError parseBmpImage(const std::uint8_t* data, std::size_t size, DepthSet depths,
                         BmpImage& image);

} // namespace logo
