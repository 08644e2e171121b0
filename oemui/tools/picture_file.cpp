#include "oemui/tools/picture_file.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "oemui/tools/work_bitmap_format.h"

namespace logo {

namespace {

void putBig32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) {
        out.push_back(static_cast<std::uint8_t>(v >> shift));
    }
}

std::uint32_t crc32(const std::uint8_t* data, std::size_t size) {
    static const std::array<std::uint32_t, 256> table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k) {
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            }
            t[n] = c;
        }
        return t;
    }();
    std::uint32_t c = 0xFFFFFFFFu;
    for (std::size_t i = 0; i < size; ++i) {
        c = table[(c ^ data[i]) & 0xFF] ^ (c >> 8);
    }
    return c ^ 0xFFFFFFFFu;
}

void chunk(std::vector<std::uint8_t>& png, const char (&type)[5],
           const std::vector<std::uint8_t>& body) {
    putBig32(png, static_cast<std::uint32_t>(body.size()));
    const std::size_t start = png.size();
    png.insert(png.end(), type, type + 4);
    png.insert(png.end(), body.begin(), body.end());
    putBig32(png, crc32(png.data() + start, png.size() - start));
}

// A zlib stream of stored deflate blocks.
std::vector<std::uint8_t> storedZlib(const std::vector<std::uint8_t>& raw) {
    std::vector<std::uint8_t> z = {0x78, 0x01};
    constexpr std::size_t kMaxBlock = 65535;
    std::size_t at = 0;
    do {
        const std::size_t n = std::min(kMaxBlock, raw.size() - at);
        const bool last = at + n == raw.size();
        z.push_back(last ? 1 : 0);
        z.push_back(static_cast<std::uint8_t>(n));
        z.push_back(static_cast<std::uint8_t>(n >> 8));
        z.push_back(static_cast<std::uint8_t>(~n));
        z.push_back(static_cast<std::uint8_t>(~n >> 8));
        z.insert(z.end(), raw.begin() + static_cast<std::ptrdiff_t>(at),
                 raw.begin() + static_cast<std::ptrdiff_t>(at + n));
        at += n;
    } while (at < raw.size());
    std::uint32_t a = 1;
    std::uint32_t b = 0;
    for (std::uint8_t v : raw) {
        a = (a + v) % 65521;
        b = (b + a) % 65521;
    }
    putBig32(z, (b << 16) | a);
    return z;
}

} // namespace

std::vector<std::uint8_t> encodePng(const GrayPicture& picture) {
    std::vector<std::uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<std::uint8_t> header;
    putBig32(header, static_cast<std::uint32_t>(picture.width));
    putBig32(header, static_cast<std::uint32_t>(picture.height));
    header.insert(header.end(), {8, 0, 0, 0, 0}); // 8-bit gray, deflate, no filter, no interlace
    chunk(png, "IHDR", header);
    std::vector<std::uint8_t> raw;
    raw.reserve(static_cast<std::size_t>(picture.width + 1) * picture.height);
    for (int r = 0; r < picture.height; ++r) {
        raw.push_back(0); // filter: none
        const auto row = picture.levels.begin() + static_cast<std::ptrdiff_t>(r) * picture.width;
        raw.insert(raw.end(), row, row + picture.width);
    }
    chunk(png, "IDAT", storedZlib(raw));
    chunk(png, "IEND", {});
    return png;
}

std::vector<std::uint8_t> encodeGrayBmp(const GrayPicture& picture) {
    WorkBitmapLayout layout;
    if (!workBitmapLayout(picture.width, picture.height, 8, layout)) {
        return {};
    }
    std::vector<std::uint8_t> file(layout.fileSize, 0);
    writeWorkBitmapHeaders(file.data(), picture.width, picture.height, 8, layout);
    for (int r = 0; r < picture.height; ++r) {
        // Stored bottom-up.
        const std::uint8_t* row =
            picture.levels.data() + static_cast<std::size_t>(r) * picture.width;
        std::memcpy(file.data() + layout.dataOffset +
                        layout.stride * static_cast<std::size_t>(picture.height - 1 - r),
                    row, static_cast<std::size_t>(picture.width));
    }
    return file;
}

} // namespace logo
