// Pictures read a block of rows at a time, as the Download page and logotool read
// them: any bytes must be refused or converted and drawn, never read or written out
// of bounds, whatever their offsets, header size and palette length claim.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "oemui/tools/bmp_file.h"
#include "oemui/tools/bmp_picture.h"
#include "oemui/tools/logo_file_check.h"
#include "oemui/tools/work_bitmap.h"

namespace {

// Takes whatever is written and forgets it, as far as a work bitmap's size allows.
class CountingSink final : public logo::ByteSink {
public:
    bool write(const std::uint8_t*, std::size_t count) override {
        written_ += count;
        return written_ < (1u << 26);
    }
    bool commit() override { return true; }

private:
    std::size_t written_ = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    logo::MemorySource source(data, size);
    logo::checkLogoFile(&source);
    logo::FileRows rows;
    const logo::DepthSet depths = logo::depthSet(24) | logo::depthSet(8) | logo::depthSet(1);
    if (rows.open(source, depths) != logo::ImageError::None) {
        return 0;
    }
    // Pictures far beyond a logo's size are refused by the page before they get here.
    const logo::BmpLayout& layout = rows.layout();
    if (static_cast<std::uint64_t>(layout.width) * static_cast<std::uint64_t>(layout.height) >
        (1u << 22)) {
        return 0;
    }
    const int contrast = static_cast<int>(size * 37 % 201) - 100;
    const int brightness = static_cast<int>(size * 11 % 201) - 100;
    CountingSink sink;
    logo::convertToGray(rows, contrast, brightness, sink);
    if (layout.bitCount != 1) {
        for (int halftone = 0; halftone < 4; ++halftone) {
            rows.restart();
            logo::convertToMono(rows, halftone, contrast, brightness, sink);
        }
    }
    std::vector<std::uint32_t> pixels;
    logo::drawBmp(source, 7, 5, pixels);
    return 0;
}
