#include "oemui/tools/logo_preview.h"

#include <algorithm>
#include <new>

namespace logo {

namespace {

struct Logo {
    int x = 0;
    int y = 0;
    const std::uint8_t* data = nullptr;
};

class JobReader {
public:
    JobReader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    bool skip(std::initializer_list<std::uint8_t> bytes) {
        if (size_ - at_ < bytes.size() || !std::equal(bytes.begin(), bytes.end(), data_ + at_)) {
            return false;
        }
        at_ += bytes.size();
        return true;
    }
    bool byte(std::uint8_t& value) {
        if (at_ == size_) {
            return false;
        }
        value = data_[at_++];
        return true;
    }
    bool word(int& value) {
        std::uint8_t low = 0;
        std::uint8_t high = 0;
        if (!byte(low) || !byte(high)) {
            return false;
        }
        value = low | (high << 8);
        return true;
    }
    const std::uint8_t* take(std::uint64_t count) {
        if (size_ - at_ < count) {
            return nullptr;
        }
        const std::uint8_t* p = data_ + at_;
        at_ += static_cast<std::size_t>(count);
        return p;
    }
    bool atEnd() const { return at_ == size_; }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

JobPreview refuse(std::string why) {
    JobPreview preview;
    preview.error = std::move(why);
    return preview;
}

// Column data: for each dot column, y bytes from the top band down, bit 7 on top.
void drawColumns(const Logo& logo, GrayPicture& picture, int top) {
    const int columns = 8 * logo.x;
    for (int c = 0; c < columns; ++c) {
        const std::uint8_t* bands = logo.data + static_cast<std::size_t>(c) * logo.y;
        for (int dot = 0; dot < 8 * logo.y; ++dot) {
            const bool black = (bands[dot >> 3] >> (7 - (dot & 7))) & 1;
            picture.levels[static_cast<std::size_t>(top + dot) * picture.width + c] =
                black ? 0 : 255;
        }
    }
}

// Gray raster: four lines per row, the planes of the level's bits 7 to 4, a set bit
// where the level's bit is clear.
void drawGray(const Logo& logo, GrayPicture& picture, int top) {
    const std::size_t line = static_cast<std::size_t>(logo.x);
    for (int row = 0; row < 2 * logo.y; ++row) {
        const std::uint8_t* planes = logo.data + line * 4 * static_cast<std::size_t>(row);
        std::uint8_t* out = &picture.levels[static_cast<std::size_t>(top + row) * picture.width];
        for (int p = 0; p < 8 * logo.x; ++p) {
            int nibble = 0;
            for (int plane = 0; plane < 4; ++plane) {
                const int dark = (planes[line * plane + (p >> 3)] >> (7 - (p & 7))) & 1;
                nibble = (nibble << 1) | (dark ^ 1);
            }
            out[p] = static_cast<std::uint8_t>(nibble * 17);
        }
    }
}

} // namespace

JobPreview previewLogoJob(const std::uint8_t* data, std::size_t size) {
    JobReader job(data, size);
    job.skip({0x1B, 0x63, 0x3B, 0x01});
    const bool gray = job.skip({0x1C, 0x72});
    if (!gray && !job.skip({0x1C, 0x71})) {
        return refuse("is not a logo job: it does not store logos (FS q or FS r)");
    }
    std::uint8_t count = 0;
    if (!job.byte(count) || count == 0) {
        return refuse("stores no logos");
    }
    std::vector<Logo> logos(count);
    std::uint64_t pixels = 0;
    int width = 0;
    int height = 0;
    for (std::size_t i = 0; i < logos.size(); ++i) {
        Logo& logo = logos[i];
        const std::string which = "logo " + std::to_string(i + 1);
        if ((gray && !job.skip({0x01, 0x00})) || !job.word(logo.x) || !job.word(logo.y)) {
            return refuse("ends inside the header of " + which);
        }
        if (logo.x == 0 || logo.y == 0) {
            return refuse("has an empty " + which);
        }
        logo.data = job.take(8ull * static_cast<std::uint64_t>(logo.x) * logo.y);
        if (logo.data == nullptr) {
            return refuse("ends inside the data of " + which);
        }
        // A gray line of x bytes holds 8x pixels; every row takes four lines.
        const int logoHeight = gray ? 2 * logo.y : 8 * logo.y;
        width = std::max(width, 8 * logo.x);
        height += logoHeight;
        pixels = static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height);
        if (pixels > kMaxPreviewPixels) {
            return refuse("makes a picture too large to preview");
        }
    }
    job.skip({0x0A});
    job.skip({0x1B, 0x63, 0x3B, 0x00});
    if (!job.atEnd()) {
        return refuse("has bytes after its logos that are not part of a logo job");
    }

    JobPreview preview;
    preview.gray = gray;
    preview.logos = count;
    GrayPicture& picture = preview.picture;
    picture.width = width;
    picture.height = height;
    try {
        picture.levels.assign(static_cast<std::size_t>(pixels), 255);
    } catch (const std::bad_alloc&) {
        return refuse("needs more memory than is available");
    }
    int top = 0;
    for (const Logo& logo : logos) {
        gray ? drawGray(logo, picture, top) : drawColumns(logo, picture, top);
        top += gray ? 2 * logo.y : 8 * logo.y;
    }
    preview.ok = true;
    return preview;
}

} // namespace logo
