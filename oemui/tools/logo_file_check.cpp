#include "oemui/tools/logo_file_check.h"

#include "oemui/tools/bmp_file.h"
#include "oemui/tools/bmp_image.h"
#include "oemui/tools/logo_texts.h"
#include "oemui/tools/stdio_files.h"

namespace logo {

namespace {

LogoFileCheck judgeSize(const BmpHeaders& headers) {
    if (headers.type != kBmpSignature) {
        return LogoFileCheck::NotBmp;
    }
    if (headers.width > kMaxLogoWidth || headers.height > kMaxLogoHeight) {
        return LogoFileCheck::TooBig;
    }
    return LogoFileCheck::Accepted;
}

} // namespace

LogoFileCheck checkLogoHeaders(const std::uint8_t* data, std::size_t size) {
    BmpHeaders headers;
    if (!readBmpHeaders(data, size, headers)) {
        return LogoFileCheck::CannotRead;
    }
    return judgeSize(headers);
}

LogoFileCheck checkLogoFile(ByteSource* file) {
    BmpHeaders headers;
    if (file == nullptr) {
        return LogoFileCheck::CannotOpen;
    }
    if (readBmpHeaders(*file, headers) != ImageError::None) {
        return LogoFileCheck::CannotRead;
    }
    return judgeSize(headers);
}

LogoFileCheck checkLogoFile(const std::string& path) {
    return checkLogoFile(openFileSource(path).get());
}

const char* logoFileCheckText(LogoFileCheck check) {
    switch (check) {
    case LogoFileCheck::Accepted:
        return nullptr;
    case LogoFileCheck::CannotOpen:
        return kTextCannotOpenLogo;
    case LogoFileCheck::CannotRead:
        return kTextCannotReadLogo;
    case LogoFileCheck::NotBmp:
        return kTextNotBmp;
    case LogoFileCheck::TooBig:
        return kTextLogoTooBig;
    }
    return nullptr;
}

} // namespace logo
