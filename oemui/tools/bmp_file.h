#pragma once

#include <cstdint>
#include <memory>

#include "oemui/tools/bmp_image.h"
#include "oemui/tools/byte_buffer.h"
#include "oemui/tools/byte_stream.h"

namespace logo {

// The first 54 bytes of a file. Truncated when there are fewer.
ImageError readBmpHeaders(ByteSource& file, BmpHeaders& headers);

// Reads and checks the headers of a bitmap of one of the given depths, and that the
// file holds all its rows.
ImageError openBmp(ByteSource& file, DepthSet depths, BmpLayout& layout);

// A whole bitmap's rows in memory (for the small monochrome and gray work bitmaps
// that the printer's data is built from); image points into pixels.
ImageError loadBmp(ByteSource& file, DepthSet depths, ByteBuffer& pixels, BmpImage& image);

// The palette of a checked bitmap as 0x00RRGGBB, paletteEntries of them; entries a
// file does not list stay black.
ImageError readPalette(ByteSource& file, const BmpLayout& layout, std::uint32_t (&palette)[256]);

// Stored rows one after another, row 0 (the picture's bottom row) first.
class RowSource {
public:
    virtual ~RowSource() = default;
    virtual const BmpLayout& layout() const = 0;
    // The next row, nullptr when there is none or it cannot be read.
    virtual const std::uint8_t* next() = 0;
    // Back to row 0, for conversions that look at the whole picture first.
    virtual bool restart() = 0;
};

// The rows of a picture in memory.
class MemoryRows final : public RowSource {
public:
    explicit MemoryRows(const BmpImage& image) : image_(image) {}
    const BmpLayout& layout() const override { return image_.layout; }
    const std::uint8_t* next() override;
    bool restart() override;

private:
    const BmpImage& image_;
    int row_ = 0;
};

// The rows of a bitmap file, read a block of rows at a time: whatever the picture's
// size, only the block is held.
class FileRows final : public RowSource {
public:
    // Reads and checks the headers (openBmp); rows can be had when it answers None.
    ImageError open(ByteSource& file, DepthSet depths);
    const BmpLayout& layout() const override { return layout_; }
    const std::uint8_t* next() override;
    bool restart() override;

private:
    ByteSource* file_ = nullptr;
    BmpLayout layout_;
    ByteBuffer block_;
    std::size_t rowsPerBlock_ = 0;
    std::size_t rowsInBlock_ = 0;
    std::size_t nextInBlock_ = 0;
    std::size_t rowsRead_ = 0;
};

} // namespace logo
