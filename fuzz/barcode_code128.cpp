// The Code128 rewrite over any bytes: never longer than its input, and without
// "{C" it changes nothing.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "oemui/tools/barcode/barcode_data_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const barcode::Bytes bytes(data, data + size);
    const barcode::DataCheck check = barcode::rewriteCode128(bytes);
    if (!check.passed()) {
        return 0;
    }
    if (check.bytes.size() > bytes.size()) {
        std::abort();
    }
    bool setC = false;
    for (std::size_t i = 0; i + 1 < size; ++i) {
        setC = setC || (data[i] == '{' && data[i + 1] == 'C');
    }
    if (!setC && check.bytes != bytes) {
        std::abort();
    }
    return 0;
}
