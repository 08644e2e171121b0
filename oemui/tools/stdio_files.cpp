#include "oemui/tools/stdio_files.h"

#include <cstdio>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

#include "oemui/tools/work_bitmap_path.h"

namespace logo {

namespace {

// Unbuffered: the readers and writers above ask for large blocks, which then go to
// the system directly instead of through a second copy.
std::FILE* openUnbuffered(const std::string& path, const char* mode) {
    std::FILE* f = std::fopen(path.c_str(), mode);
    if (f != nullptr) {
        std::setvbuf(f, nullptr, _IONBF, 0);
    }
    return f;
}

class StdioSource final : public ByteSource {
public:
    explicit StdioSource(std::FILE* file) : file_(file) {}
    ~StdioSource() override { std::fclose(file_); }
    StdioSource(const StdioSource&) = delete;
    StdioSource& operator=(const StdioSource&) = delete;

    std::size_t read(std::uint8_t* to, std::size_t count) override {
        return std::fread(to, 1, count, file_);
    }
    bool seek(std::uint64_t offset) override {
        // Files beyond what long can address are not pictures.
        return offset <= 0x7FFFFFFF && std::fseek(file_, static_cast<long>(offset), SEEK_SET) == 0;
    }
    std::optional<std::uint64_t> size() override {
        const long at = std::ftell(file_);
        if (at < 0 || std::fseek(file_, 0, SEEK_END) != 0) {
            return std::nullopt;
        }
        const long end = std::ftell(file_);
        if (end < 0 || std::fseek(file_, at, SEEK_SET) != 0) {
            return std::nullopt;
        }
        return static_cast<std::uint64_t>(end);
    }

private:
    std::FILE* file_;
};

// Cuts a file open for update at its current place.
bool truncateHere(std::FILE* f) {
    const long end = std::ftell(f);
#ifdef _WIN32
    return end >= 0 && _chsize_s(_fileno(f), end) == 0;
#else
    return end >= 0 && ftruncate(fileno(f), end) == 0;
#endif
}

class StdioSink final : public ByteSink {
public:
    // oldSize: the bytes an older file held when it is overwritten in place.
    StdioSink(std::FILE* file, std::string path, long oldSize)
        : file_(file), path_(std::move(path)), oldSize_(oldSize) {}
    ~StdioSink() override {
        if (file_ != nullptr) {
            std::fclose(file_);
            std::remove(path_.c_str());
        }
    }
    StdioSink(const StdioSink&) = delete;
    StdioSink& operator=(const StdioSink&) = delete;

    bool write(const std::uint8_t* data, std::size_t count) override {
        ok_ = ok_ && (count == 0 || std::fwrite(data, 1, count, file_) == count);
        return ok_;
    }
    bool commit() override {
        std::FILE* f = file_;
        file_ = nullptr;
        if (ok_ && oldSize_ > std::ftell(f)) {
            ok_ = truncateHere(f);
        }
        // fclose's own result: a buffered write can still fail here.
        if (std::fclose(f) != 0 || !ok_) {
            std::remove(path_.c_str());
            return false;
        }
        return true;
    }

private:
    std::FILE* file_;
    std::string path_;
    long oldSize_;
    bool ok_ = true;
};

} // namespace

std::unique_ptr<ByteSource> openFileSource(const std::string& path) {
    std::FILE* f = openUnbuffered(path, "rb");
    return f != nullptr ? std::make_unique<StdioSource>(f) : nullptr;
}

std::unique_ptr<ByteSink> createFileSink(const std::string& path) {
    // An older file is overwritten in place and cut only when the new one is
    // shorter: file systems push a file truncated and rewritten to disk at once, a
    // file removed and written again costs fresh pages, and a work bitmap is remade
    // at every slider step, mostly at the same size. A folder does not open.
    long oldSize = 0;
    std::FILE* f = openUnbuffered(path, "r+b");
    if (f != nullptr && (std::fseek(f, 0, SEEK_END) != 0 || (oldSize = std::ftell(f)) < 0 ||
                         std::fseek(f, 0, SEEK_SET) != 0)) {
        std::fclose(f);
        return nullptr;
    }
    if (f == nullptr) {
        f = openUnbuffered(path, "wb");
    }
    return f != nullptr ? std::make_unique<StdioSink>(f, path, oldSize) : nullptr;
}

StdioLogoFiles::StdioLogoFiles(std::string source, std::optional<std::string> workPath)
    : source_(std::move(source)), work_(workPath ? workPath : workBitmapPath(source_)) {}

std::unique_ptr<ByteSource> StdioLogoFiles::openWork() {
    return work_ ? openFileSource(*work_) : nullptr;
}

std::unique_ptr<ByteSink> StdioLogoFiles::createWork() {
    return work_ ? createFileSink(*work_) : nullptr;
}

bool writeWholeFile(const std::string& path, const std::uint8_t* data, std::size_t size) {
    std::unique_ptr<ByteSink> sink = createFileSink(path);
    return sink && sink->write(data, size) && sink->commit();
}

} // namespace logo
