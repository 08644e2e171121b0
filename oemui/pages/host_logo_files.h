// Logo files through the plug-in's host: the Download page reads pictures and
// writes work bitmaps with the W file calls, by wide path.
#pragma once

#include "oemui/tools/byte_stream.h"
#include "platform/plugin_host.h"

#include <memory>
#include <optional>
#include <string>

namespace oemui::pages {

// The work bitmap's path: the source path without its last four characters, then
// "Temp.bmp" (shop.bmp gives shopTemp.bmp). Nothing when the path is shorter than
// four characters or the result would not fit MAX_PATH.
std::optional<std::u16string> workBitmapPath(const std::u16string& source);

// A file opened for reading, shared as `share` says; nullptr when it cannot be.
std::unique_ptr<logo::ByteSource>
openHostFile(platform::PluginHost& host, const std::u16string& path,
             std::uint32_t share = platform::PluginHost::shareRead);

class HostLogoFiles final : public logo::LogoFiles {
public:
    HostLogoFiles(platform::PluginHost& host, std::u16string source);
    std::unique_ptr<logo::ByteSource> openSource() override;
    std::unique_ptr<logo::ByteSource> openWork() override;
    std::unique_ptr<logo::ByteSink> createWork() override;
    std::string sourceName() const override;
    std::string workName() const override;

    const std::u16string& source() const { return source_; }
    const std::optional<std::u16string>& workPath() const { return work_; }

private:
    platform::PluginHost& host_;
    std::u16string source_;
    std::optional<std::u16string> work_;
};

// UTF-16 to UTF-8, for texts that go to the logo tools' messages.
std::string toUtf8(const std::u16string& text);

} // namespace oemui::pages
