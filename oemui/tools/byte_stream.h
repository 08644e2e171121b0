#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace logo {

// A file read front to back, a block at a time, so that no picture has to be held
// whole: the logo page reads through the plug-in's host, logotool through stdio.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    // Up to count bytes from the current place; fewer only at the end of the file or
    // when reading fails.
    virtual std::size_t read(std::uint8_t* to, std::size_t count) = 0;
    // Moves to a place counted from the start of the file.
    virtual bool seek(std::uint64_t offset) = 0;
    // The file's size, nullopt when it cannot be told.
    virtual std::optional<std::uint64_t> size() = 0;
};

// A file being written. A file that is not committed is removed again, so that no
// half-written work bitmap is ever left for the preview or the download.
class ByteSink {
public:
    virtual ~ByteSink() = default;
    virtual bool write(const std::uint8_t* data, std::size_t count) = 0;
    // Closes the file and keeps it; false (and the file removed) when it could not be
    // written whole.
    virtual bool commit() = 0;
};

// Where one logo's files are: the picture the user chose and its work bitmap beside it.
class LogoFiles {
public:
    virtual ~LogoFiles() = default;
    // nullptr when the file cannot be opened.
    virtual std::unique_ptr<ByteSource> openSource() = 0;
    virtual std::unique_ptr<ByteSource> openWork() = 0;
    // Replaces an older work bitmap; nullptr when it cannot be created.
    virtual std::unique_ptr<ByteSink> createWork() = 0;
    // The files' names for the messages of tools (UTF-8 or the system's 8-bit text).
    virtual std::string sourceName() const = 0;
    virtual std::string workName() const = 0;
};

// A file already in memory.
class MemorySource final : public ByteSource {
public:
    MemorySource(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    std::size_t read(std::uint8_t* to, std::size_t count) override;
    bool seek(std::uint64_t offset) override;
    std::optional<std::uint64_t> size() override { return size_; }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

// Writes into a buffer of a known size; more than fits fails.
class FixedSink final : public ByteSink {
public:
    FixedSink(std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    bool write(const std::uint8_t* data, std::size_t count) override;
    bool commit() override { return at_ == size_; }

private:
    std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

} // namespace logo
