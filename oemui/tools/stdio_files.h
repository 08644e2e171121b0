#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "oemui/tools/byte_stream.h"

namespace logo {

// Files by 8-bit path through the C library, for logotool and the entry points that
// take the system's 8-bit paths. Plain stdio, because converting an 8-bit path for
// std::filesystem can throw.
std::unique_ptr<ByteSource> openFileSource(const std::string& path);
// Replaces a file; what is not committed is removed.
std::unique_ptr<ByteSink> createFileSink(const std::string& path);

// A logo whose work bitmap lies beside it (workBitmapPath), or where workPath says.
class StdioLogoFiles final : public LogoFiles {
public:
    // Without a work path and with a source path too short for workBitmapPath there is
    // no work bitmap to open or create.
    explicit StdioLogoFiles(std::string source, std::optional<std::string> workPath = {});
    std::unique_ptr<ByteSource> openSource() override { return openFileSource(source_); }
    std::unique_ptr<ByteSource> openWork() override;
    std::unique_ptr<ByteSink> createWork() override;
    std::string sourceName() const override { return source_; }
    std::string workName() const override { return work_.value_or(source_); }
    const std::optional<std::string>& workPath() const { return work_; }

private:
    std::string source_;
    std::optional<std::string> work_;
};

// Creates or replaces a file with the given bytes; a file that cannot be written
// completely is removed again.
bool writeWholeFile(const std::string& path, const std::uint8_t* data, std::size_t size);

} // namespace logo
