// Pictures given to the logo conversions: any bytes must be refused or converted,
// never read or written out of bounds.
#include <cstddef>
#include <cstdint>

#include "oemui/tools/bmp_image.h"
#include "oemui/tools/byte_buffer.h"
#include "oemui/tools/work_bitmap.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    logo::BmpImage image;
    if (logo::parseBmpImage(data, size, logo::depthSet(24) | logo::depthSet(8) | logo::depthSet(1),
                            image) != logo::ImageError::None) {
        return 0;
    }
    // The settings come from the input's length, so that mutations reach them all.
    const int contrast = static_cast<int>(size * 37 % 201) - 100;
    const int brightness = static_cast<int>(size * 11 % 201) - 100;
    logo::ByteBuffer out;
    logo::convertToGray(image, contrast, brightness, out);
    if (image.bitCount() != 1) {
        for (int halftone = 0; halftone < 4; ++halftone) {
            logo::convertToMono(image, halftone, contrast, brightness, out);
        }
    }
    return 0;
}
