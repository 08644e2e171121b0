#include "oemui/bitmap_to_24.h"

#include "oemui/host_file.h"
#include "oemui/little_endian.h"

#include <vector>

namespace oemui {
namespace {

constexpr std::uint16_t bmSignature = 0x4D42; // "BM"
constexpr std::uint32_t infoHeaderSize = 40;
constexpr std::uint32_t biRgb = 0;
constexpr std::uint64_t largestFile = 0xFFFFFFFFu;

} // namespace

std::uint64_t stride24(std::int32_t width) {
    return (3 * static_cast<std::uint64_t>(width) + 3) / 4 * 4;
}

std::optional<SourceBitmap> checkSourceBitmap(ByteSource& source) {
    std::uint8_t head[bmpHeadersSize];
    const std::uint64_t fileSize = source.size();
    if (!source.read(0, head, sizeof head) || u16(head) != bmSignature) {
        return std::nullopt;
    }
    SourceBitmap b;
    const std::uint8_t* info = head + 14;
    const std::uint32_t infoSize = u32(info);
    b.pixelOffset = u32(head + 10);
    b.width = static_cast<std::int32_t>(u32(info + 4));
    b.height = static_cast<std::int32_t>(u32(info + 8)); // negative: top-down
    b.bitCount = u16(info + 14);
    b.xPelsPerMeter = static_cast<std::int32_t>(u32(info + 24));
    b.yPelsPerMeter = static_cast<std::int32_t>(u32(info + 28));
    const std::uint32_t colours = u32(info + 32);
    if (infoSize < infoHeaderSize || u16(info + 12) != 1 || u32(info + 16) != biRgb ||
        b.width <= 0 || b.height <= 0 || (b.bitCount != 1 && b.bitCount != 8 && b.bitCount != 24)) {
        return std::nullopt;
    }
    const std::uint64_t paletteAt = 14 + static_cast<std::uint64_t>(infoSize);
    std::uint64_t entries = 0;
    if (b.bitCount != 24) {
        const std::uint64_t most = std::uint64_t{1} << b.bitCount;
        entries = colours == 0 ? most : colours;
        if (entries > most) {
            return std::nullopt;
        }
    }
    b.stride = (static_cast<std::uint64_t>(b.width) * static_cast<std::uint64_t>(b.bitCount) + 31) /
               32 * 4;
    const auto height = static_cast<std::uint64_t>(b.height);
    if (paletteAt + 4 * entries > b.pixelOffset || b.stride * height > fileSize ||
        b.pixelOffset > fileSize - b.stride * height ||
        stride24(b.width) * height > largestFile - bmpHeadersSize) {
        return std::nullopt;
    }
    if (entries != 0) {
        std::uint8_t stored[256 * 4];
        if (!source.read(paletteAt, stored, static_cast<std::size_t>(4 * entries))) {
            return std::nullopt;
        }
        for (std::size_t i = 0; i < entries; ++i) {
            b.palette[i] = u32(stored + 4 * i);
        }
    }
    b.asItIs = b.bitCount == 24 && b.pixelOffset == bmpHeadersSize;
    return b;
}

std::array<std::uint8_t, bmpHeadersSize> headers24(std::int32_t width, std::int32_t height,
                                                   std::int32_t xPelsPerMeter,
                                                   std::int32_t yPelsPerMeter) {
    std::array<std::uint8_t, bmpHeadersSize> h{};
    const std::uint64_t total =
        bmpHeadersSize + stride24(width) * static_cast<std::uint64_t>(height);
    put16(h.data(), bmSignature);
    put32(h.data() + 2, static_cast<std::uint32_t>(total));
    put32(h.data() + 10, bmpHeadersSize);
    std::uint8_t* info = h.data() + 14;
    put32(info, infoHeaderSize);
    put32(info + 4, static_cast<std::uint32_t>(width));
    put32(info + 8, static_cast<std::uint32_t>(height));
    put16(info + 12, 1);
    put16(info + 14, 24);
    put32(info + 24, static_cast<std::uint32_t>(xPelsPerMeter));
    put32(info + 28, static_cast<std::uint32_t>(yPelsPerMeter));
    return h;
}

bool forEachRow24(const SourceBitmap& b, ByteSource& source,
                  const std::function<bool(const std::uint8_t* bgr)>& row) {
    const auto width = static_cast<std::size_t>(b.width);
    std::vector<std::uint8_t> stored(static_cast<std::size_t>(b.stride));
    std::vector<std::uint8_t> bgr(b.bitCount == 24 ? 0 : 3 * width);
    for (std::int32_t r = 0; r < b.height; ++r) {
        if (!source.read(b.pixelOffset + b.stride * static_cast<std::uint64_t>(r), stored.data(),
                         stored.size())) {
            return false;
        }
        if (b.bitCount == 24) {
            if (!row(stored.data())) {
                return false;
            }
            continue;
        }
        for (std::size_t x = 0; x < width; ++x) {
            const unsigned index =
                b.bitCount == 8 ? stored[x] : (stored[x / 8] >> (7 - x % 8)) & 1u;
            const std::uint32_t colour = b.palette[index];
            bgr[3 * x] = static_cast<std::uint8_t>(colour);
            bgr[3 * x + 1] = static_cast<std::uint8_t>(colour >> 8);
            bgr[3 * x + 2] = static_cast<std::uint8_t>(colour >> 16);
        }
        if (!row(bgr.data())) {
            return false;
        }
    }
    return true;
}

Convert24Result writeAs24(const SourceBitmap& b, ByteSource& source, ByteSink& target) {
    const auto headers = headers24(b.width, b.height, b.xPelsPerMeter, b.yPelsPerMeter);
    if (!target.write(headers.data(), headers.size())) {
        return Convert24Result::CannotCreateTarget;
    }
    const std::size_t pixels = 3 * static_cast<std::size_t>(b.width);
    std::vector<std::uint8_t> out(static_cast<std::size_t>(stride24(b.width)),
                                  b.bitCount == 1 ? 0xFF : 0x00);
    bool written = true;
    const bool read = forEachRow24(b, source, [&](const std::uint8_t* bgr) {
        std::copy(bgr, bgr + pixels, out.begin());
        written = target.write(out.data(), out.size());
        return written;
    });
    if (!written) {
        return Convert24Result::CannotCreateTarget;
    }
    return read ? Convert24Result::Converted : Convert24Result::Refused;
}

Convert24Result ConvertBitmapTo24(platform::PluginHost& host, const std::u16string& source,
                                  const std::u16string& target) {
    using platform::PluginHost;
    HostFile in(host);
    if (!in.open(source, PluginHost::genericRead, PluginHost::shareRead,
                 PluginHost::openExisting)) {
        return Convert24Result::Refused;
    }
    const std::optional<SourceBitmap> bitmap = checkSourceBitmap(in);
    if (!bitmap) {
        return Convert24Result::Refused;
    }
    if (bitmap->asItIs) {
        in.close();
        return host.CopyFileW(source, target, false) &&
                       host.SetFileAttributesW(target, platform::fileattr::archive)
                   ? Convert24Result::Converted
                   : Convert24Result::CannotCreateTarget;
    }
    HostFile out(host);
    if (!out.open(target, PluginHost::genericWrite, 0, PluginHost::createAlways)) {
        return Convert24Result::CannotCreateTarget;
    }
    const Convert24Result result = writeAs24(*bitmap, in, out);
    if (result != Convert24Result::Converted) {
        out.close();
        host.DeleteFileW(target);
    }
    return result;
}

} // namespace oemui
