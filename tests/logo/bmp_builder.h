#pragma once
// Small bitmaps for the logo tests, built byte by byte the way ordinary BMP writers
// lay them out (40-byte information header, full palette, rows padded to 4 bytes).

#include <array>
#include <atomic>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <system_error>
#include <vector>

#include <unistd.h>

namespace logotest {

using Bytes = std::vector<std::uint8_t>;

inline void put16(Bytes& b, std::size_t at, std::uint32_t v) {
    b[at] = static_cast<std::uint8_t>(v);
    b[at + 1] = static_cast<std::uint8_t>(v >> 8);
}

inline void put32(Bytes& b, std::size_t at, std::uint32_t v) {
    put16(b, at, v);
    put16(b, at + 2, v >> 16);
}

inline std::uint32_t get32(const Bytes& b, std::size_t at) {
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) |
           (static_cast<std::uint32_t>(b[at + 3]) << 24);
}

inline std::size_t strideOf(int width, int bitCount) {
    return (static_cast<std::size_t>(width) * bitCount + 31) / 32 * 4;
}

// pixel(x, storedRow) gives the stored value: a level (8), 0xRRGGBB (24) or 1 = set bit (1).
inline Bytes makeBmp(int width, int height, int bitCount,
                     const std::function<std::uint32_t(int, int)>& pixel) {
    const std::size_t palette = bitCount == 8 ? 1024 : bitCount == 1 ? 8 : 0;
    const std::size_t offset = 54 + palette;
    const std::size_t stride = strideOf(width, bitCount);
    Bytes b(offset + stride * height, 0);
    put16(b, 0, 0x4D42);
    put32(b, 2, static_cast<std::uint32_t>(b.size()));
    put32(b, 10, static_cast<std::uint32_t>(offset));
    put32(b, 14, 40);
    put32(b, 18, static_cast<std::uint32_t>(width));
    put32(b, 22, static_cast<std::uint32_t>(height));
    put16(b, 26, 1);
    put16(b, 28, static_cast<std::uint32_t>(bitCount));
    put32(b, 34, static_cast<std::uint32_t>(stride * height));
    for (std::size_t i = 0; i < palette / 4; ++i) {
        const std::uint8_t v = bitCount == 8 ? static_cast<std::uint8_t>(i) : (i ? 255 : 0);
        b[54 + 4 * i] = b[55 + 4 * i] = b[56 + 4 * i] = v;
    }
    for (int r = 0; r < height; ++r) {
        std::uint8_t* row = b.data() + offset + stride * r;
        for (int x = 0; x < width; ++x) {
            const std::uint32_t v = pixel(x, r);
            if (bitCount == 24) {
                row[3 * x] = static_cast<std::uint8_t>(v);
                row[3 * x + 1] = static_cast<std::uint8_t>(v >> 8);
                row[3 * x + 2] = static_cast<std::uint8_t>(v >> 16);
            } else if (bitCount == 8) {
                row[x] = static_cast<std::uint8_t>(v);
            } else if (v != 0) {
                row[x >> 3] |= static_cast<std::uint8_t>(0x80 >> (x & 7));
            }
        }
    }
    return b;
}

inline std::uint32_t gray24(int level) {
    return static_cast<std::uint32_t>(level) * 0x010101u;
}

// A folder of its own for each test, removed afterwards.
class TempDir {
public:
    TempDir() {
        static std::atomic<int> counter{0};
        path_ = std::filesystem::temp_directory_path() /
                ("logo_test_" + std::to_string(::getpid()) + "_" + std::to_string(counter++));
        std::filesystem::create_directories(path_);
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    std::string file(const std::string& name) const { return (path_ / name).string(); }
    std::string write(const std::string& name, const Bytes& bytes) const {
        const std::string p = file(name);
        std::ofstream(p, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
        return p;
    }

private:
    std::filesystem::path path_;
};

inline Bytes readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline bool exists(const std::string& path) {
    return std::filesystem::exists(path);
}

} // namespace logotest
