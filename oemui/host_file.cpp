#include "oemui/host_file.h"

#include <algorithm>

namespace oemui {

using platform::PluginHost;

namespace {

// ReadFile and WriteFile take 32-bit counts and may move less than asked.
template <typename Byte, typename Call> bool inPieces(Byte* at, std::size_t count, Call call) {
    while (count > 0) {
        const auto piece = static_cast<std::uint32_t>(std::min<std::size_t>(count, 1u << 30));
        std::uint32_t moved = 0;
        if (!call(at, piece, moved) || moved == 0) {
            return false;
        }
        at += moved;
        count -= moved;
    }
    return true;
}

} // namespace

bool HostFile::open(const std::u16string& path, std::uint32_t access, std::uint32_t share,
                    std::uint32_t creation) {
    close();
    handle_ = host_.CreateFileW(path, access, share, creation);
    return handle_ != platform::invalidHandle;
}

void HostFile::close() {
    if (handle_ != platform::invalidHandle) {
        host_.CloseHandle(handle_);
        handle_ = platform::invalidHandle;
    }
}

std::uint64_t HostFile::size() {
    // INVALID_FILE_SIZE is also a size; only the last error tells them apart.
    host_.SetLastError(0);
    std::uint32_t high = 0;
    const std::uint32_t low = host_.GetFileSize(handle_, &high);
    if (low == PluginHost::invalidFileSize && host_.GetLastError() != 0) {
        return 0;
    }
    return (static_cast<std::uint64_t>(high) << 32) | low;
}

bool HostFile::read(std::uint64_t offset, std::uint8_t* out, std::size_t count) {
    host_.SetLastError(0);
    std::int32_t high = static_cast<std::int32_t>(offset >> 32);
    const std::uint32_t low = host_.SetFilePointer(handle_, static_cast<std::int32_t>(offset),
                                                   &high, PluginHost::fileBegin);
    if (low == PluginHost::invalidFileSize && host_.GetLastError() != 0) {
        return false;
    }
    return inPieces(out, count, [&](std::uint8_t* at, std::uint32_t piece, std::uint32_t& got) {
        return host_.ReadFile(handle_, at, piece, got);
    });
}

bool HostFile::write(const std::uint8_t* bytes, std::size_t count) {
    return inPieces(bytes, count,
                    [&](const std::uint8_t* at, std::uint32_t piece, std::uint32_t& written) {
                        return host_.WriteFile(handle_, at, piece, written);
                    });
}

} // namespace oemui
