#include "oemui/tools/bmp_file.h"

#include <cstdio>

namespace logo {

namespace {

struct FileCloser {
    void operator()(std::FILE* f) const {
        if (f != nullptr) {
            std::fclose(f);
        }
    }
};

class OpenFile {
public:
    OpenFile(const std::string& path, const char* mode) : file_(std::fopen(path.c_str(), mode)) {}
    ~OpenFile() { FileCloser()(file_); }
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;
    std::FILE* get() const { return file_; }
    // fclose's own result: a buffered write can still fail here.
    bool close() {
        std::FILE* f = file_;
        file_ = nullptr;
        return std::fclose(f) == 0;
    }

private:
    std::FILE* file_;
};

// Size through seek and tell: files beyond what long can hold are not logos.
std::int64_t sizeOfOpenFile(std::FILE* f) {
    if (std::fseek(f, 0, SEEK_END) != 0) {
        return -1;
    }
    const long size = std::ftell(f);
    if (size < 0 || std::fseek(f, 0, SEEK_SET) != 0) {
        return -1;
    }
    return size;
}

// A file that can be opened and read (empty or not). A folder cannot: it does not
// open on Windows, and reading it fails elsewhere. Plain stdio, because converting
// an 8-bit path for std::filesystem can throw.
bool isReadableFile(const std::string& path) {
    OpenFile file(path, "rb");
    if (file.get() == nullptr) {
        return false;
    }
    char c = 0;
    return std::fread(&c, 1, 1, file.get()) == 1 || std::ferror(file.get()) == 0;
}

} // namespace

ImageError peekBmpHeaders(const std::string& path, BmpHeaders& headers) {
    OpenFile file(path, "rb");
    if (file.get() == nullptr) {
        return ImageError::CannotOpen;
    }
    std::uint8_t head[kBmpHeadersSize];
    const std::size_t got = std::fread(head, 1, sizeof head, file.get());
    if (!readBmpHeaders(head, got, headers)) {
        return ImageError::Truncated;
    }
    return ImageError::None;
}

ImageError loadBmpFile(const std::string& path, DepthSet depths, ByteBuffer& bytes,
                       BmpImage& image) {
    OpenFile file(path, "rb");
    if (file.get() == nullptr) {
        return ImageError::CannotOpen;
    }
    std::uint8_t head[kBmpHeadersSize];
    const std::size_t got = std::fread(head, 1, sizeof head, file.get());
    BmpHeaders headers;
    if (!readBmpHeaders(head, got, headers)) {
        return ImageError::Truncated;
    }
    BmpLayout layout;
    const ImageError error = checkBmpHeaders(headers, depths, layout);
    if (error != ImageError::None) {
        return error;
    }
    const std::int64_t size = sizeOfOpenFile(file.get());
    if (size < 0) {
        return ImageError::CannotOpen;
    }
    if (static_cast<std::uint64_t>(size) < layout.end) {
        return ImageError::Truncated;
    }
    if (!bytes.allocate(layout.end)) {
        return ImageError::NoMemory;
    }
    if (std::fread(bytes.data(), 1, bytes.size(), file.get()) != bytes.size()) {
        return ImageError::Truncated;
    }
    return parseBmpImage(bytes.data(), bytes.size(), depths, image);
}

bool writeWholeFile(const std::string& path, const std::uint8_t* data, std::size_t size) {
    // An older file is removed rather than truncated: file systems that see a file
    // truncated and rewritten push it to disk at once, and the preview is remade at
    // every slider step. Only a file: whatever else stands there is left alone.
    if (isReadableFile(path)) {
        std::remove(path.c_str());
    }
    OpenFile file(path, "wb");
    if (file.get() == nullptr) {
        return false;
    }
    const bool written = size == 0 || std::fwrite(data, 1, size, file.get()) == size;
    if (!file.close() || !written) {
        std::remove(path.c_str());
        return false;
    }
    return true;
}

std::int64_t fileSizeOf(const std::string& path) {
    OpenFile file(path, "rb");
    if (file.get() == nullptr) {
        return -1;
    }
    return sizeOfOpenFile(file.get());
}

} // namespace logo
