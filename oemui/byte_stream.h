// Where the watermark pictures are read from and written to: a file through the
// plug-in's seam on Windows, memory in tests and fuzz targets.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace oemui {

class ByteSource {
public:
    virtual ~ByteSource() = default;
    virtual std::uint64_t size() = 0;
    // Exactly `count` bytes from `offset`; false when they are not all there.
    virtual bool read(std::uint64_t offset, std::uint8_t* out, std::size_t count) = 0;
};

class ByteSink {
public:
    virtual ~ByteSink() = default;
    // Appends every byte; false when they cannot all be written.
    virtual bool write(const std::uint8_t* bytes, std::size_t count) = 0;
};

class MemorySource final : public ByteSource {
public:
    MemorySource(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    std::uint64_t size() override { return size_; }
    bool read(std::uint64_t offset, std::uint8_t* out, std::size_t count) override {
        if (offset > size_ || count > size_ - offset) {
            return false;
        }
        if (count != 0) {
            std::memcpy(out, data_ + offset, count);
        }
        return true;
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
};

} // namespace oemui
