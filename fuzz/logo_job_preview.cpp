// Job files given to `logotool preview`: any bytes must be refused or drawn, and the
// picture written as PNG and BMP, never read or written out of bounds.
#include <cstddef>
#include <cstdint>

#include "oemui/tools/logo_preview.h"
#include "oemui/tools/picture_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const logo::JobPreview preview = logo::previewLogoJob(data, size);
    if (preview.ok) {
        logo::encodePng(preview.picture);
        logo::encodeGrayBmp(preview.picture);
    }
    return 0;
}
