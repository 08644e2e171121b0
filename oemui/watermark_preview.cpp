#include "oemui/watermark_preview.h"

#include <algorithm>

namespace oemui {
namespace {

constexpr std::uint32_t white = 0xFFFFFF;

std::uint32_t brighter(std::uint32_t pixel, unsigned by) {
    std::uint32_t out = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        out |= std::min(((pixel >> shift) & 0xFFu) + by, 255u) << shift;
    }
    return out;
}

} // namespace

ui::Picture composePreview(const platform::Bitmap32* source, const PreviewLook& look, int width,
                           int height) {
    ui::Picture out;
    if (width <= 0 || height <= 0) {
        return out;
    }
    out.width = width;
    out.height = height;
    out.pixels.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), white);
    if (source == nullptr || source->width <= 0 || source->height <= 0 ||
        source->pixels.size() !=
            static_cast<std::size_t>(source->width) * static_cast<std::size_t>(source->height)) {
        return out;
    }
    const bool tiled = look.position == tiledPosition;
    int size = std::min<int>(look.size, 100);
    if (tiled) {
        size = std::max<int>(size, smallestTiledSize);
    }
    // The picture's width becomes `drawnWidth`; its height follows in proportion.
    const long long drawnWidth = static_cast<long long>(width) * size / 100;
    if (drawnWidth <= 0) {
        return out;
    }
    const long long fullHeight =
        std::max<long long>(1, static_cast<long long>(source->height) * drawnWidth / source->width);
    const auto pixelAt = [&](long long sx, long long sy) {
        return brighter(
            source->pixels[static_cast<std::size_t>(sy) * static_cast<std::size_t>(source->width) +
                           static_cast<std::size_t>(sx)],
            look.brightness);
    };
    const auto put = [&](long long x, long long y, std::uint32_t pixel) {
        out.pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                   static_cast<std::size_t>(x)] = pixel;
    };

    if (tiled) {
        for (long long y = 0; y < height; ++y) {
            const long long sy = (y % fullHeight) * source->height / fullHeight;
            for (long long x = 0; x < width; ++x) {
                put(x, y, pixelAt((x % drawnWidth) * source->width / drawnWidth, sy));
            }
        }
        return out;
    }
    // Too tall for the area: only as many rows of the picture as fit, taken
    // from its top, middle or bottom as the position says.
    long long drawnHeight = fullHeight;
    long long rows = source->height;
    if (fullHeight > height) {
        drawnHeight = height;
        rows = std::clamp<long long>(height * source->width / drawnWidth, 1, source->height);
    }
    const int position = look.position <= 8 ? look.position : 4;
    const int column = position % 3, line = position / 3;
    const long long firstRow = line == 0   ? 0
                               : line == 1 ? (source->height - rows) / 2
                                           : source->height - rows;
    const long long left = column == 0   ? 0
                           : column == 1 ? (width - drawnWidth) / 2
                                         : width - drawnWidth;
    const long long top = line == 0   ? 0
                          : line == 1 ? (height - drawnHeight) / 2
                                      : height - drawnHeight;
    for (long long dy = 0; dy < drawnHeight; ++dy) {
        const long long sy = firstRow + dy * rows / drawnHeight;
        for (long long dx = 0; dx < drawnWidth; ++dx) {
            put(left + dx, top + dy, pixelAt(dx * source->width / drawnWidth, sy));
        }
    }
    return out;
}

} // namespace oemui
