#include "oemui/pages/host_logo_files.h"

#include <algorithm>
#include <limits>

namespace oemui::pages {

namespace {

using platform::Handle;
using platform::PluginHost;

constexpr std::size_t kMaxPath = 260;

class HostSource final : public logo::ByteSource {
public:
    HostSource(PluginHost& host, Handle file) : host_(host), file_(file) {}
    ~HostSource() override { host_.CloseHandle(file_); }
    HostSource(const HostSource&) = delete;
    HostSource& operator=(const HostSource&) = delete;

    std::size_t read(std::uint8_t* to, std::size_t count) override {
        std::size_t done = 0;
        while (done < count) {
            const std::uint32_t ask = static_cast<std::uint32_t>(
                std::min<std::size_t>(count - done, std::numeric_limits<std::uint32_t>::max()));
            std::uint32_t got = 0;
            if (!host_.ReadFile(file_, to + done, ask, got) || got == 0) {
                break;
            }
            done += got;
        }
        return done;
    }
    bool seek(std::uint64_t offset) override {
        std::int32_t high = static_cast<std::int32_t>(offset >> 32);
        host_.SetLastError(0);
        const std::uint32_t low = host_.SetFilePointer(file_, static_cast<std::int32_t>(offset),
                                                       &high, PluginHost::fileBegin);
        return low != PluginHost::invalidFileSize || host_.GetLastError() == 0;
    }
    std::optional<std::uint64_t> size() override {
        std::uint32_t high = 0;
        host_.SetLastError(0);
        const std::uint32_t low = host_.GetFileSize(file_, &high);
        if (low == PluginHost::invalidFileSize && host_.GetLastError() != 0) {
            return std::nullopt;
        }
        return (static_cast<std::uint64_t>(high) << 32) | low;
    }

private:
    PluginHost& host_;
    Handle file_;
};

class HostSink final : public logo::ByteSink {
public:
    HostSink(PluginHost& host, Handle file, std::u16string path)
        : host_(host), file_(file), path_(std::move(path)) {}
    ~HostSink() override {
        if (open_) {
            host_.CloseHandle(file_);
            host_.DeleteFileW(path_);
        }
    }
    HostSink(const HostSink&) = delete;
    HostSink& operator=(const HostSink&) = delete;

    bool write(const std::uint8_t* data, std::size_t count) override {
        while (ok_ && count > 0) {
            const std::uint32_t piece = static_cast<std::uint32_t>(
                std::min<std::size_t>(count, std::numeric_limits<std::uint32_t>::max()));
            std::uint32_t written = 0;
            ok_ = host_.WriteFile(file_, data, piece, written) && written == piece;
            data += piece;
            count -= piece;
        }
        return ok_;
    }
    bool commit() override {
        open_ = false;
        if (!host_.CloseHandle(file_) || !ok_) {
            host_.DeleteFileW(path_);
            return false;
        }
        return true;
    }

private:
    PluginHost& host_;
    Handle file_;
    std::u16string path_;
    bool ok_ = true;
    bool open_ = true;
};

} // namespace

std::optional<std::u16string> workBitmapPath(const std::u16string& source) {
    if (source.size() < 4) {
        return std::nullopt;
    }
    std::u16string path = source.substr(0, source.size() - 4) + u"Temp.bmp";
    if (path.size() >= kMaxPath) {
        return std::nullopt;
    }
    return path;
}

std::unique_ptr<logo::ByteSource> openHostFile(PluginHost& host, const std::u16string& path,
                                               std::uint32_t share) {
    const Handle file =
        host.CreateFileW(path, PluginHost::genericRead, share, PluginHost::openExisting);
    if (file == platform::invalidHandle) {
        return nullptr;
    }
    return std::make_unique<HostSource>(host, file);
}

HostLogoFiles::HostLogoFiles(PluginHost& host, std::u16string source)
    : host_(host), source_(std::move(source)), work_(workBitmapPath(source_)) {}

std::unique_ptr<logo::ByteSource> HostLogoFiles::openSource() {
    return openHostFile(host_, source_);
}

std::unique_ptr<logo::ByteSource> HostLogoFiles::openWork() {
    return work_ ? openHostFile(host_, *work_) : nullptr;
}

std::unique_ptr<logo::ByteSink> HostLogoFiles::createWork() {
    if (!work_) {
        return nullptr;
    }
    // Removed first rather than truncated: a file truncated and rewritten is pushed
    // to disk at once, and the preview is remade at every slider step.
    host_.DeleteFileW(*work_);
    const Handle file =
        host_.CreateFileW(*work_, PluginHost::genericWrite, 0, PluginHost::createAlways);
    if (file == platform::invalidHandle) {
        return nullptr;
    }
    return std::make_unique<HostSink>(host_, file, *work_);
}

std::string HostLogoFiles::sourceName() const {
    return toUtf8(source_);
}

std::string HostLogoFiles::workName() const {
    return toUtf8(work_.value_or(source_));
}

std::string toUtf8(const std::u16string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] < 0xE000) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
        }
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

} // namespace oemui::pages
