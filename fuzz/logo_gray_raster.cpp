// Gray work bitmaps read back for the printer's 16-level raster.
#include <cstddef>
#include <cstdint>

#include "oemui/tools/bmp_image.h"
#include "oemui/tools/logo_raster.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    logo::BmpImage image;
    if (logo::parseBmpImage(data, size, logo::depthSet(8), image) == logo::ImageError::None) {
        logo::LogoRaster raster;
        logo::grayRaster(image, raster);
    }
    return 0;
}
