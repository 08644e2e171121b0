#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>

namespace logo {

// A whole-image buffer. Unlike std::vector it is not zero-filled on allocation: a
// picture is read or built over every byte anyway, and clearing megabytes first
// would double the memory traffic of a conversion.
class ByteBuffer {
public:
    // False when the memory cannot be had; the buffer is then empty.
    bool allocate(std::size_t size) {
        data_.reset(new (std::nothrow) std::uint8_t[size == 0 ? 1 : size]);
        size_ = data_ ? size : 0;
        return static_cast<bool>(data_);
    }
    std::uint8_t* data() { return data_.get(); }
    const std::uint8_t* data() const { return data_.get(); }
    std::size_t size() const { return size_; }
    const std::uint8_t* begin() const { return data_.get(); }
    const std::uint8_t* end() const { return data_.get() + size_; }

private:
    std::unique_ptr<std::uint8_t[]> data_;
    std::size_t size_ = 0;
};

} // namespace logo
