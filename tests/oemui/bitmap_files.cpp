#include "bitmap_files.h"

namespace oemui::test {
namespace {

void put(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        b[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v >> (8 * i));
    }
}

} // namespace

std::uint32_t le32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) |
           (static_cast<std::uint32_t>(b[at + 3]) << 24);
}

std::vector<std::uint8_t> writeBmp(const ColourGrid& grid,
                                   const std::vector<std::uint32_t>& palette, const BmpOptions& o) {
    const std::size_t rowBytes = (static_cast<std::size_t>(grid.width) * o.bitCount + 31) / 32 * 4;
    const std::size_t paletteBytes = o.bitCount == 24 ? 0 : 4 * palette.size();
    const std::size_t offset = 14 + o.infoSize + paletteBytes + o.padAfterPalette;
    std::vector<std::uint8_t> b(offset + rowBytes * static_cast<std::size_t>(grid.height), 0);
    b[0] = 'B';
    b[1] = 'M';
    put(b, 2, static_cast<std::uint32_t>(b.size()), 4);
    put(b, 10, static_cast<std::uint32_t>(offset), 4);
    put(b, 14, o.infoSize, 4);
    put(b, 18, static_cast<std::uint32_t>(grid.width), 4);
    put(b, 22, static_cast<std::uint32_t>(o.height != 0 ? o.height : grid.height), 4);
    put(b, 26, 1, 2);
    put(b, 28, static_cast<std::uint32_t>(o.bitCount), 2);
    put(b, 30, o.compression, 4);
    put(b, 46, o.coloursUsed, 4);
    for (std::size_t i = 0; paletteBytes != 0 && i < palette.size(); ++i) {
        put(b, 14 + o.infoSize + 4 * i, palette[i], 4);
    }
    for (int y = 0; y < grid.height; ++y) {
        std::uint8_t* row =
            b.data() + offset + rowBytes * static_cast<std::size_t>(grid.height - 1 - y);
        for (int x = 0; x < grid.width; ++x) {
            const std::uint32_t v = grid.at(x, y);
            if (o.bitCount == 24) {
                row[3 * x] = static_cast<std::uint8_t>(v);
                row[3 * x + 1] = static_cast<std::uint8_t>(v >> 8);
                row[3 * x + 2] = static_cast<std::uint8_t>(v >> 16);
            } else if (o.bitCount == 8) {
                row[x] = static_cast<std::uint8_t>(v);
            } else {
                row[x / 8] |= static_cast<std::uint8_t>((v & 1) << (7 - x % 8));
            }
        }
    }
    return b;
}

ColourGrid readBmp24(const std::vector<std::uint8_t>& file) {
    ColourGrid grid;
    grid.width = static_cast<int>(le32(file, 18));
    grid.height = static_cast<int>(le32(file, 22));
    const std::size_t rowBytes = (3 * static_cast<std::size_t>(grid.width) + 3) / 4 * 4;
    const std::size_t offset = le32(file, 10);
    for (int y = 0; y < grid.height; ++y) {
        const std::uint8_t* row =
            file.data() + offset + rowBytes * static_cast<std::size_t>(grid.height - 1 - y);
        for (int x = 0; x < grid.width; ++x) {
            grid.pixels.push_back(row[3 * x] | (row[3 * x + 1] << 8) | (row[3 * x + 2] << 16));
        }
    }
    return grid;
}

} // namespace oemui::test
