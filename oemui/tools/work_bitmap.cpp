#include "oemui/tools/work_bitmap.h"

#include <cstring>

#include "oemui/tools/halftone.h"
#include "oemui/tools/level_rows.h"
#include "oemui/tools/logo_level.h"
#include "oemui/tools/logo_settings.h"
#include "oemui/tools/work_bitmap_format.h"

namespace logo {

namespace {

bool startFile(const BmpImage& source, int bitCount, ByteBuffer& file, WorkBitmapLayout& layout,
               ImageError& error) {
    if (!workBitmapLayout(source.width(), source.height(), bitCount, layout)) {
        error = ImageError::BadSize;
        return false;
    }
    if (!file.allocate(layout.fileSize)) {
        error = ImageError::NoMemory;
        return false;
    }
    writeWorkBitmapHeaders(file.data(), source.width(), source.height(), bitCount, layout);
    return true;
}

std::uint64_t pixelCount(const BmpImage& source) {
    return static_cast<std::uint64_t>(source.width()) * static_cast<std::uint64_t>(source.height());
}

// Turns one stored row of the source into levels.
class LevelSource {
public:
    LevelSource(const BmpImage& source, const LevelTable& table)
        : source_(source), table_(table), tables_(luminanceTables(table, table, table)) {}
    LevelSource(const BmpImage& source, const LevelTable& red, const LevelTable& green,
                const LevelTable& blue)
        : source_(source), table_(red), tables_(luminanceTables(red, green, blue)) {}

    void row(int r, std::uint8_t* out) const {
        switch (source_.bitCount()) {
        case 24:
            luminanceRow(source_.row(r), source_.width(), tables_, out);
            break;
        case 8:
            levelRow8(source_.row(r), source_.width(), table_, out);
            break;
        default:
            levelRow1(source_.row(r), source_.width(), table_, out);
            break;
        }
    }

private:
    const BmpImage& source_;
    LevelTable table_;
    LuminanceTables tables_;
};

// "None": white above the mean adjusted level of the whole picture. For colour
// pictures the mean is taken per channel first and then weighted.
int meanLevel(const BmpImage& source, const LevelTable& table) {
    const std::uint64_t n = pixelCount(source);
    if (source.bitCount() == 24) {
        const ChannelSums sums = channelSums24(source, table);
        const std::uint64_t red = sums.red / n;
        const std::uint64_t green = sums.green / n;
        const std::uint64_t blue = sums.blue / n;
        return static_cast<int>((587 * green + 299 * red + 114 * blue) / 1000);
    }
    return static_cast<int>(levelSum8(source, table) / n);
}

} // namespace

ImageError convertToGray(const BmpImage& source, int contrast, int brightness, ByteBuffer& file) {
    if (source.bitCount() != 24 && source.bitCount() != 8 && source.bitCount() != 1) {
        return ImageError::UnsupportedDepth;
    }
    WorkBitmapLayout layout;
    ImageError error = ImageError::None;
    if (!startFile(source, 8, file, layout, error)) {
        return error;
    }
    const LevelSource levels(source, makeLevelTable(contrast, brightness));
    const std::size_t width = static_cast<std::size_t>(source.width());
    std::uint8_t* out = file.data() + layout.dataOffset;
    for (int r = 0; r < source.height(); ++r, out += layout.stride) {
        levels.row(r, out);
        std::memset(out + width, 0, layout.stride - width);
    }
    return ImageError::None;
}

ImageError convertToMono(const BmpImage& source, int halftone, int contrast, int brightness,
                         ByteBuffer& file) {
    if (source.bitCount() != 24 && source.bitCount() != 8) {
        return ImageError::UnsupportedDepth;
    }
    if (halftone < kHalftoneNone || halftone > kHalftoneErrorDiffuse) {
        return ImageError::BadSettings;
    }
    const bool colour = source.bitCount() == 24;
    const LevelTable adjusted = makeLevelTable(contrast, brightness);

    DitherThresholds thresholds{};
    ErrorDiffusion diffusion;
    LevelTable red = adjusted;
    LevelTable green = adjusted;
    LevelTable blue = adjusted;
    switch (halftone) {
    case kHalftoneNone:
        thresholds = uniformThresholds(meanLevel(source, adjusted));
        break;
    case kHalftoneDitherM3:
        thresholds = ditherM3Thresholds(colour);
        break;
    case kHalftoneDitherM4:
        thresholds = ditherM4Thresholds(colour);
        if (colour) {
            const ChannelSums sums = rawChannelSums24(source);
            const std::uint64_t n = pixelCount(source);
            red = makeMeanContrastTable(static_cast<int>(sums.red / n), contrast, brightness);
            green = makeMeanContrastTable(static_cast<int>(sums.green / n), contrast, brightness);
            blue = makeMeanContrastTable(static_cast<int>(sums.blue / n), contrast, brightness);
        }
        break;
    default:
        if (!diffusion.start(source.width())) {
            return ImageError::NoMemory;
        }
        break;
    }

    WorkBitmapLayout layout;
    ImageError error = ImageError::None;
    if (!startFile(source, 1, file, layout, error)) {
        return error;
    }
    ByteBuffer rowLevels;
    if (!rowLevels.allocate(static_cast<std::size_t>(source.width()))) {
        return ImageError::NoMemory;
    }
    const LevelSource levels(source, red, green, blue);
    const std::size_t bitBytes = (static_cast<std::size_t>(source.width()) + 7) / 8;
    std::uint8_t* out = file.data() + layout.dataOffset;
    for (int r = 0; r < source.height(); ++r, out += layout.stride) {
        levels.row(r, rowLevels.data());
        if (halftone == kHalftoneErrorDiffuse) {
            diffusion.row(rowLevels.data(), r, out);
        } else {
            ditherRow(rowLevels.data(), source.width(), thresholds[r & 15].data(), out);
        }
        std::memset(out + bitBytes, 0, layout.stride - bitBytes);
    }
    return ImageError::None;
}

} // namespace logo
