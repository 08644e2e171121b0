#pragma once
// The conversions written out pixel by pixel, straight from their definition, with
// the error rows as fixed arrays and every float and double step spelled out. The
// library's table-driven, row-at-a-time code must give the same bytes.

#include <cstdint>
#include <vector>

#include "oemui/tools/bmp_image.h"

namespace logotest {

// Gray levels, one byte per pixel, rows in stored order.
std::vector<std::uint8_t> referenceGray(const logo::BmpImage& source, int contrast, int brightness);

// Monochrome bits, rows in stored order, each row (width + 7) / 8 bytes.
std::vector<std::uint8_t> referenceMono(const logo::BmpImage& source, int halftone, int contrast,
                                        int brightness);

} // namespace logotest
