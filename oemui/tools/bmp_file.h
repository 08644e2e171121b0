#pragma once

#include <cstdint>
#include <string>

#include "oemui/tools/bmp_image.h"
#include "oemui/tools/byte_buffer.h"

namespace logo {

// Reads a bitmap of one of the given depths: its headers are checked before its rows
// are read, and only as many bytes as the headers promise (and the file holds) are
// ever allocated. On success image points into bytes.
ImageError loadBmpFile(const std::string& path, DepthSet depths, ByteBuffer& bytes,
                       BmpImage& image);

// The first 54 bytes of a file. CannotOpen or Truncated when they cannot be had.
ImageError peekBmpHeaders(const std::string& path, BmpHeaders& headers);

// Creates or replaces a file with the given bytes. A file that cannot be written
// completely is removed again, so no half-written bitmap is left for the preview.
bool writeWholeFile(const std::string& path, const std::uint8_t* data, std::size_t size);

// Size of a file in bytes, or -1 when it cannot be opened.
std::int64_t fileSizeOf(const std::string& path);

} // namespace logo
