// Monochrome work bitmaps and 1-bit logos read back for the printer's column data.
#include <cstddef>
#include <cstdint>

#include "oemui/tools/bmp_image.h"
#include "oemui/tools/logo_raster.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    logo::BmpImage image;
    if (logo::parseBmpImage(data, size, logo::depthSet(1), image) == logo::ImageError::None) {
        logo::LogoRaster raster;
        logo::columnData(image, raster);
    }
    return 0;
}
