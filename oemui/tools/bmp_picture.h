#pragma once

#include <cstdint>
#include <vector>

#include "oemui/tools/bmp_image.h"
#include "oemui/tools/byte_stream.h"

namespace logo {

// A 24-, 8- or 1-bit bitmap file as the logo preview shows it: stretched or shrunk to
// width x height by taking the nearest pixel (as StretchBlt does in COLORONCOLOR
// mode), through the file's palette. Pixels are 0x00RRGGBB, rows from the top down.
// The rows are read once, a block at a time.
ImageError drawBmp(ByteSource& file, int width, int height, std::vector<std::uint32_t>& pixels);

} // namespace logo
