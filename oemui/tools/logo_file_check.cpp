#include "oemui/tools/logo_file_check.h"

#include "oemui/tools/bmp_file.h"
#include "oemui/tools/bmp_image.h"
#include "oemui/tools/logo_texts.h"

namespace logo {

namespace {

LogoFileCheck judgeSize(const BmpHeaders& headers) {
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

LogoFileCheck checkLogoFile(const std::string& path) {
    BmpHeaders headers;
    switch (peekBmpHeaders(path, headers)) {
    case ImageError::None:
        break;
    case ImageError::CannotOpen:
        return LogoFileCheck::CannotOpen;
    default:
        return LogoFileCheck::CannotRead;
    }
    return judgeSize(headers);
}

const char* logoFileCheckText(LogoFileCheck check) {
    switch (check) {
    case LogoFileCheck::Accepted:
        return nullptr;
    case LogoFileCheck::CannotOpen:
        return kTextCannotOpenLogo;
    case LogoFileCheck::CannotRead:
        return kTextCannotReadLogo;
    case LogoFileCheck::TooBig:
        return kTextLogoTooBig;
    }
    return nullptr;
}

} // namespace logo
