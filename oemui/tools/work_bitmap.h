#pragma once

#include "oemui/tools/bmp_image.h"
#include "oemui/tools/byte_buffer.h"

namespace logo {

// The whole gray work-bitmap file for a checked 24-, 8- or 1-bit picture.
ImageError convertToGray(const BmpImage& source, int contrast, int brightness, ByteBuffer& file);

// The whole monochrome work-bitmap file for a checked 24- or 8-bit picture, by one of
// the four halftone methods (Halftone).
ImageError convertToMono(const BmpImage& source, int halftone, int contrast, int brightness,
                         ByteBuffer& file);

} // namespace logo
