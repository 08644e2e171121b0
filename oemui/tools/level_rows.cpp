#include "oemui/tools/level_rows.h"

#include <cstddef>

namespace logo {

LuminanceTables luminanceTables(const LevelTable& red, const LevelTable& green,
                                const LevelTable& blue) {
    LuminanceTables tables;
    for (std::size_t v = 0; v < 256; ++v) {
        tables.red[v] = 299u * red[v];
        tables.green[v] = 587u * green[v];
        tables.blue[v] = 114u * blue[v];
    }
    return tables;
}

void luminanceRow(const std::uint8_t* bgr, int width, const LuminanceTables& tables,
                  std::uint8_t* out) {
    const std::uint32_t* blue = tables.blue.data();
    const std::uint32_t* green = tables.green.data();
    const std::uint32_t* red = tables.red.data();
    for (int x = 0; x < width; ++x, bgr += 3) {
        out[x] = static_cast<std::uint8_t>((blue[bgr[0]] + green[bgr[1]] + red[bgr[2]]) / 1000u);
    }
}

void levelRow8(const std::uint8_t* pixels, int width, const LevelTable& table, std::uint8_t* out) {
    for (int x = 0; x < width; ++x) {
        out[x] = table[pixels[x]];
    }
}

void levelRow1(const std::uint8_t* bits, int width, const LevelTable& table, std::uint8_t* out) {
    const std::uint8_t clear = table[0];
    const std::uint8_t set = table[255];
    for (int x = 0; x < width; ++x) {
        out[x] = (bits[x >> 3] & (0x80u >> (x & 7))) != 0 ? set : clear;
    }
}

void addChannelSums24(const std::uint8_t* p, int width, const LevelTable& table,
                      ChannelSums& sums) {
    // A row holds at most 2^31 pixels of at most 255: 32 bits would not do, 64 do.
    std::uint64_t blue = 0;
    std::uint64_t green = 0;
    std::uint64_t red = 0;
    for (int x = 0; x < width; ++x, p += 3) {
        blue += table[p[0]];
        green += table[p[1]];
        red += table[p[2]];
    }
    sums.blue += blue;
    sums.green += green;
    sums.red += red;
}

void addRawChannelSums24(const std::uint8_t* p, int width, ChannelSums& sums) {
    // Blocks of 16 pixels (48 bytes, a whole number of pixels) summed lane by lane,
    // which vectorises; lane j belongs to channel j mod 3.
    constexpr int kBlock = 48;
    constexpr std::size_t kFlushBlocks = 1 << 16; // 2^16 * 255 fits a lane
    std::uint64_t channel[3] = {0, 0, 0};
    const std::size_t rowBytes = 3 * static_cast<std::size_t>(width);
    const std::size_t blocks = rowBytes / kBlock;
    for (std::size_t done = 0; done < blocks;) {
        const std::size_t run = blocks - done < kFlushBlocks ? blocks - done : kFlushBlocks;
        std::uint32_t lanes[kBlock] = {};
        for (std::size_t b = 0; b < run; ++b, p += kBlock) {
            for (int j = 0; j < kBlock; ++j) {
                lanes[j] += p[j];
            }
        }
        for (int j = 0; j < kBlock; ++j) {
            channel[j % 3] += lanes[j];
        }
        done += run;
    }
    for (std::size_t i = blocks * kBlock; i < rowBytes; ++i, ++p) {
        channel[i % 3] += *p;
    }
    sums.blue += channel[0];
    sums.green += channel[1];
    sums.red += channel[2];
}

std::uint64_t levelSum8(const std::uint8_t* p, int width, const LevelTable& table) {
    std::uint64_t sum = 0;
    for (int x = 0; x < width; ++x) {
        sum += table[p[x]];
    }
    return sum;
}

} // namespace logo
