#include "oemui/tools/work_bitmap.h"

#include <algorithm>
#include <cstring>

#include "oemui/tools/halftone.h"
#include "oemui/tools/level_rows.h"
#include "oemui/tools/logo_level.h"
#include "oemui/tools/logo_settings.h"
#include "oemui/tools/work_bitmap_format.h"

namespace logo {

namespace {

// Output rows gathered into blocks of about 64 KiB before they are written.
class BlockWriter {
public:
    BlockWriter(ByteSink& sink, std::size_t rowBytes) : sink_(sink), rowBytes_(rowBytes) {}

    bool start(std::size_t rows) {
        rowsPerBlock_ = std::min(std::max<std::size_t>(1, (64 * 1024) / rowBytes_), rows);
        return block_.allocate(rowsPerBlock_ * rowBytes_);
    }
    // Room for the next row, nullptr when writing has failed.
    std::uint8_t* row() {
        if (held_ == rowsPerBlock_ && !flush()) {
            return nullptr;
        }
        return block_.data() + rowBytes_ * held_++;
    }
    bool flush() {
        const bool ok = held_ == 0 || sink_.write(block_.data(), held_ * rowBytes_);
        held_ = 0;
        return ok;
    }

private:
    ByteSink& sink_;
    std::size_t rowBytes_;
    std::size_t rowsPerBlock_ = 0;
    std::size_t held_ = 0;
    ByteBuffer block_;
};

ImageError writeHeaders(const BmpLayout& source, int bitCount, ByteSink& file,
                        WorkBitmapLayout& layout) {
    if (!workBitmapLayout(source.width, source.height, bitCount, layout)) {
        return ImageError::BadSize;
    }
    std::uint8_t headers[kGrayWorkBitmapDataOffset];
    writeWorkBitmapHeaders(headers, source.width, source.height, bitCount, layout);
    return file.write(headers, layout.dataOffset) ? ImageError::None : ImageError::CannotCreate;
}

std::uint64_t pixelCount(const BmpLayout& source) {
    return static_cast<std::uint64_t>(source.width) * static_cast<std::uint64_t>(source.height);
}

// Turns one stored row of the source into levels.
class LevelRows {
public:
    LevelRows(int bitCount, const LevelTable& red, const LevelTable& green, const LevelTable& blue)
        : bitCount_(bitCount), table_(red), plain_(isPlain(red)),
          tables_(luminanceTables(red, green, blue)) {}

    void row(const std::uint8_t* pixels, int width, std::uint8_t* out) const {
        switch (bitCount_) {
        case 24:
            luminanceRow(pixels, width, tables_, out);
            break;
        case 8:
            if (plain_) {
                std::memcpy(out, pixels, static_cast<std::size_t>(width));
            } else {
                levelRow8(pixels, width, table_, out);
            }
            break;
        default:
            levelRow1(pixels, width, table_, out);
            break;
        }
    }

private:
    int bitCount_;
    LevelTable table_;
    bool plain_;
    LuminanceTables tables_;
};

// One pass over every row, for what a conversion must know of the whole picture.
template <typename Visit> ImageError visitRows(RowSource& source, Visit&& visit) {
    for (int r = 0; r < source.layout().height; ++r) {
        const std::uint8_t* row = source.next();
        if (row == nullptr) {
            return ImageError::Truncated;
        }
        visit(row);
    }
    return source.restart() ? ImageError::None : ImageError::CannotOpen;
}

// "None": white above the mean adjusted level of the whole picture. For colour
// pictures the mean is taken per channel first and then weighted. The rows are read
// twice rather than their levels kept: memory that is touched once costs more than
// reading the file again.
ImageError meanLevel(RowSource& source, const LevelTable& table, int& mean) {
    const BmpLayout& layout = source.layout();
    const bool plain = isPlain(table);
    ChannelSums sums;
    const ImageError error = visitRows(source, [&](const std::uint8_t* pixels) {
        if (layout.bitCount == 24) {
            plain ? addRawChannelSums24(pixels, layout.width, sums)
                  : addChannelSums24(pixels, layout.width, table, sums);
        } else {
            sums.blue +=
                plain ? byteSum(pixels, layout.width) : levelSum8(pixels, layout.width, table);
        }
    });
    const std::uint64_t n = pixelCount(layout);
    if (layout.bitCount == 24) {
        const std::uint64_t red = sums.red / n;
        const std::uint64_t green = sums.green / n;
        const std::uint64_t blue = sums.blue / n;
        mean = static_cast<int>((587 * green + 299 * red + 114 * blue) / 1000);
    } else {
        mean = static_cast<int>(sums.blue / n);
    }
    return error;
}

// The rows after the headers, each made by `make` into the row's room; the row's
// padding after `used` bytes is zeroed.
template <typename Make>
ImageError writeRows(RowSource& source, const WorkBitmapLayout& layout, std::size_t used,
                     ByteSink& file, Make&& make) {
    BlockWriter writer(file, layout.stride);
    if (!writer.start(static_cast<std::size_t>(source.layout().height))) {
        return ImageError::NoMemory;
    }
    for (int r = 0; r < source.layout().height; ++r) {
        const std::uint8_t* in = source.next();
        if (in == nullptr) {
            return ImageError::Truncated;
        }
        std::uint8_t* out = writer.row();
        if (out == nullptr) {
            return ImageError::CannotCreate;
        }
        make(in, r, out);
        std::memset(out + used, 0, layout.stride - used);
    }
    return writer.flush() ? ImageError::None : ImageError::CannotCreate;
}

} // namespace

ImageError convertToGray(RowSource& source, int contrast, int brightness, ByteSink& file) {
    const BmpLayout& in = source.layout();
    if (in.bitCount != 24 && in.bitCount != 8 && in.bitCount != 1) {
        return ImageError::UnsupportedDepth;
    }
    WorkBitmapLayout layout;
    const ImageError error = writeHeaders(in, 8, file, layout);
    if (error != ImageError::None) {
        return error;
    }
    const LevelTable table = makeLevelTable(contrast, brightness);
    const LevelRows levels(in.bitCount, table, table, table);
    return writeRows(
        source, layout, static_cast<std::size_t>(in.width), file,
        [&](const std::uint8_t* row, int, std::uint8_t* out) { levels.row(row, in.width, out); });
}

ImageError convertToMono(RowSource& source, int halftone, int contrast, int brightness,
                         ByteSink& file) {
    const BmpLayout& in = source.layout();
    if (in.bitCount != 24 && in.bitCount != 8) {
        return ImageError::UnsupportedDepth;
    }
    if (halftone < kHalftoneNone || halftone > kHalftoneErrorDiffuse) {
        return ImageError::BadSettings;
    }
    const bool colour = in.bitCount == 24;
    const LevelTable adjusted = makeLevelTable(contrast, brightness);

    DitherThresholds thresholds{};
    ErrorDiffusion diffusion;
    LevelTable red = adjusted;
    LevelTable green = adjusted;
    LevelTable blue = adjusted;
    ImageError error = ImageError::None;
    switch (halftone) {
    case kHalftoneNone: {
        int mean = 0;
        error = meanLevel(source, adjusted, mean);
        thresholds = uniformThresholds(mean);
        break;
    }
    case kHalftoneDitherM3:
        thresholds = ditherM3Thresholds(colour);
        break;
    case kHalftoneDitherM4:
        thresholds = ditherM4Thresholds(colour);
        // Without contrast or brightness every channel keeps its value whatever its
        // mean, so the means need not be taken.
        if (colour && (contrast != 0 || brightness != 0)) {
            ChannelSums sums;
            error = visitRows(
                source, [&](const std::uint8_t* row) { addRawChannelSums24(row, in.width, sums); });
            const std::uint64_t n = pixelCount(in);
            red = makeMeanContrastTable(static_cast<int>(sums.red / n), contrast, brightness);
            green = makeMeanContrastTable(static_cast<int>(sums.green / n), contrast, brightness);
            blue = makeMeanContrastTable(static_cast<int>(sums.blue / n), contrast, brightness);
        }
        break;
    default:
        if (!diffusion.start(in.width)) {
            error = ImageError::NoMemory;
        }
        break;
    }
    WorkBitmapLayout layout;
    if (error == ImageError::None) {
        error = writeHeaders(in, 1, file, layout);
    }
    ByteBuffer rowLevels;
    if (error == ImageError::None && !rowLevels.allocate(static_cast<std::size_t>(in.width))) {
        error = ImageError::NoMemory;
    }
    if (error != ImageError::None) {
        return error;
    }
    const LevelRows levels(in.bitCount, red, green, blue);
    const std::size_t bitBytes = (static_cast<std::size_t>(in.width) + 7) / 8;
    return writeRows(source, layout, bitBytes, file,
                     [&](const std::uint8_t* row, int r, std::uint8_t* out) {
                         levels.row(row, in.width, rowLevels.data());
                         if (halftone == kHalftoneErrorDiffuse) {
                             diffusion.row(rowLevels.data(), r, out);
                         } else {
                             ditherRow(rowLevels.data(), in.width, thresholds[r & 15].data(), out);
                         }
                     });
}

namespace {

template <typename Convert>
ImageError intoBuffer(const BmpImage& source, int bitCount, ByteBuffer& file, Convert&& convert) {
    WorkBitmapLayout layout;
    if (!workBitmapLayout(source.width(), source.height(), bitCount, layout)) {
        return ImageError::BadSize;
    }
    if (!file.allocate(layout.fileSize)) {
        return ImageError::NoMemory;
    }
    MemoryRows rows(source);
    FixedSink sink(file.data(), file.size());
    const ImageError error = convert(rows, sink);
    if (error == ImageError::None && !sink.commit()) {
        return ImageError::CannotCreate;
    }
    return error;
}

} // namespace

ImageError convertToGray(const BmpImage& source, int contrast, int brightness, ByteBuffer& file) {
    return intoBuffer(source, 8, file, [&](RowSource& rows, ByteSink& sink) {
        return convertToGray(rows, contrast, brightness, sink);
    });
}

ImageError convertToMono(const BmpImage& source, int halftone, int contrast, int brightness,
                         ByteBuffer& file) {
    return intoBuffer(source, 1, file, [&](RowSource& rows, ByteSink& sink) {
        return convertToMono(rows, halftone, contrast, brightness, sink);
    });
}

} // namespace logo
