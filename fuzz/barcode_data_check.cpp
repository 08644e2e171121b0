// The data check of both barcode pages: the first byte picks the page and the
// symbology (any value, also past the combos), the rest is the data. What passes
// must fit the job: at most 255 bytes, and a 1D test print built from it.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "oemui/tools/barcode/barcode_data_check.h"
#include "oemui/tools/barcode/barcode_jobs.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const std::size_t symbology = data[0] & 0x7F;
    const bool oneD = (data[0] & 0x80) == 0;
    const barcode::Bytes bytes(data + 1, data + size);
    const barcode::DataCheck check =
        oneD ? barcode::check1D(symbology, bytes) : barcode::check2D(symbology, bytes);
    if (!check.passed()) {
        const auto& rule =
            oneD ? barcode::symbology1D(symbology).rule : barcode::symbology2D(symbology).rule;
        if (barcode::describeProblem(check, rule, "x", bytes).empty()) {
            std::abort();
        }
        return 0;
    }
    if (check.bytes.empty() || check.bytes.size() > 255 || check.bytes.size() > bytes.size()) {
        std::abort();
    }
    barcode::Block1D block = barcode::firstDefault1D();
    block.symbology = static_cast<std::uint8_t>(symbology);
    if (oneD && barcode::testPrint1D(block, check.bytes).empty()) {
        std::abort();
    }
    return 0;
}
