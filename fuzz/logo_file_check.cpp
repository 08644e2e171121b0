// The size check the logo page makes on a file's first bytes before taking it.
#include <cstddef>
#include <cstdint>

#include "oemui/tools/logo_file_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    logo::logoFileCheckText(logo::checkLogoHeaders(data, size));
    return 0;
}
