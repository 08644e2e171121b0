// A file opened through the plug-in's seam and closed when it goes.
#pragma once

#include "oemui/byte_stream.h"
#include "platform/plugin_host.h"

#include <string>

namespace oemui {

class HostFile final : public ByteSource, public ByteSink {
public:
    explicit HostFile(platform::PluginHost& host) : host_(host) {}
    ~HostFile() override { close(); }
    HostFile(const HostFile&) = delete;
    HostFile& operator=(const HostFile&) = delete;

    // CreateFileW; false (with the host's last error) when it cannot be opened.
    bool open(const std::u16string& path, std::uint32_t access, std::uint32_t share,
              std::uint32_t creation);
    void close();

    std::uint64_t size() override;
    bool read(std::uint64_t offset, std::uint8_t* out, std::size_t count) override;
    bool write(const std::uint8_t* bytes, std::size_t count) override;

private:
    platform::PluginHost& host_;
    platform::Handle handle_ = platform::invalidHandle;
};

} // namespace oemui
