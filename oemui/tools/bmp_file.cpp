#include "oemui/tools/bmp_file.h"

#include <algorithm>

namespace logo {

namespace {

// Reads of about this size keep the number of calls small while the block stays in
// the processor's cache and is paged in once.
constexpr std::size_t kBlockBytes = 64 * 1024;

bool readExactly(ByteSource& file, std::uint64_t offset, std::uint8_t* to, std::size_t count) {
    return file.seek(offset) && file.read(to, count) == count;
}

} // namespace

std::size_t MemorySource::read(std::uint8_t* to, std::size_t count) {
    const std::size_t n = std::min(count, size_ - at_);
    std::copy(data_ + at_, data_ + at_ + n, to);
    at_ += n;
    return n;
}

bool MemorySource::seek(std::uint64_t offset) {
    if (offset > size_) {
        return false;
    }
    at_ = static_cast<std::size_t>(offset);
    return true;
}

bool FixedSink::write(const std::uint8_t* data, std::size_t count) {
    if (count > size_ - at_) {
        return false;
    }
    std::copy(data, data + count, data_ + at_);
    at_ += count;
    return true;
}

ImageError readBmpHeaders(ByteSource& file, BmpHeaders& headers) {
    std::uint8_t head[kBmpHeadersSize];
    if (!file.seek(0)) {
        return ImageError::CannotOpen;
    }
    const std::size_t got = file.read(head, sizeof head);
    return readBmpHeaders(head, got, headers) ? ImageError::None : ImageError::Truncated;
}

ImageError openBmp(ByteSource& file, DepthSet depths, BmpLayout& layout) {
    BmpHeaders headers;
    ImageError error = readBmpHeaders(file, headers);
    if (error == ImageError::None) {
        error = checkBmpHeaders(headers, depths, layout);
    }
    if (error != ImageError::None) {
        return error;
    }
    const std::optional<std::uint64_t> size = file.size();
    if (!size) {
        return ImageError::CannotOpen;
    }
    return *size < layout.end ? ImageError::Truncated : ImageError::None;
}

ImageError loadBmp(ByteSource& file, DepthSet depths, ByteBuffer& pixels, BmpImage& image) {
    BmpLayout layout;
    const ImageError error = openBmp(file, depths, layout);
    if (error != ImageError::None) {
        return error;
    }
    if (!pixels.allocate(layout.end - layout.dataOffset)) {
        return ImageError::NoMemory;
    }
    if (!readExactly(file, layout.dataOffset, pixels.data(), pixels.size())) {
        return ImageError::Truncated;
    }
    image.layout = layout;
    image.pixels = pixels.data();
    return ImageError::None;
}

ImageError readPalette(ByteSource& file, const BmpLayout& layout, std::uint32_t (&palette)[256]) {
    std::fill(std::begin(palette), std::end(palette), 0u);
    const std::size_t entries = std::min<std::size_t>(layout.paletteEntries, 256);
    std::uint8_t quads[256 * 4];
    if (!readExactly(file, layout.paletteOffset, quads, 4 * entries)) {
        return ImageError::Truncated;
    }
    for (std::size_t i = 0; i < entries; ++i) {
        const std::uint8_t* q = quads + 4 * i; // blue, green, red, reserved
        palette[i] = (std::uint32_t{q[2]} << 16) | (std::uint32_t{q[1]} << 8) | q[0];
    }
    return ImageError::None;
}

const std::uint8_t* MemoryRows::next() {
    return row_ < image_.height() ? image_.row(row_++) : nullptr;
}

bool MemoryRows::restart() {
    row_ = 0;
    return true;
}

ImageError FileRows::open(ByteSource& file, DepthSet depths) {
    const ImageError error = openBmp(file, depths, layout_);
    if (error != ImageError::None) {
        return error;
    }
    file_ = &file;
    rowsPerBlock_ = std::max<std::size_t>(1, kBlockBytes / layout_.stride);
    rowsPerBlock_ = std::min(rowsPerBlock_, static_cast<std::size_t>(layout_.height));
    if (!block_.allocate(rowsPerBlock_ * layout_.stride)) {
        return ImageError::NoMemory;
    }
    return restart() ? ImageError::None : ImageError::CannotOpen;
}

bool FileRows::restart() {
    rowsInBlock_ = 0;
    nextInBlock_ = 0;
    rowsRead_ = 0;
    return file_ != nullptr && file_->seek(layout_.dataOffset);
}

const std::uint8_t* FileRows::next() {
    if (nextInBlock_ == rowsInBlock_) {
        const std::size_t left = static_cast<std::size_t>(layout_.height) - rowsRead_;
        const std::size_t rows = std::min(rowsPerBlock_, left);
        if (rows == 0 ||
            file_->read(block_.data(), rows * layout_.stride) != rows * layout_.stride) {
            return nullptr;
        }
        rowsRead_ += rows;
        rowsInBlock_ = rows;
        nextInBlock_ = 0;
    }
    return block_.data() + layout_.stride * nextInBlock_++;
}

} // namespace logo
