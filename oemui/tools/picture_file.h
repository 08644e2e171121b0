#pragma once

#include <cstdint>
#include <vector>

#include "oemui/tools/logo_preview.h"

namespace logo {

// A gray picture as a PNG file (8-bit gray, stored without compression: the pictures
// are small and any viewer reads them).
std::vector<std::uint8_t> encodePng(const GrayPicture& picture);

// A gray picture as an 8-bit BMP with a gray palette, the work bitmaps' own format.
std::vector<std::uint8_t> encodeGrayBmp(const GrayPicture& picture);

} // namespace logo
