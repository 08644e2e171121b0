#include "oemui/get_info.h"

#include "oemui/oem_ui_records.h"
#include "oemui/settings_layout.h"
#include "platform/win_types.h"

#include <cstring>

namespace oemui {

Outcome getInfo(std::uint32_t mode, void* buffer, std::uint32_t cbSize, std::uint32_t* pcbNeeded) {
    if (pcbNeeded == nullptr || (mode != OEMGI_GETSIGNATURE && mode != OEMGI_GETVERSION &&
                                 mode != OEMGI_GETPUBLISHERINFO)) {
        return failed(platform::err::invalidParameter);
    }
    constexpr std::uint32_t answerSize = 4;
    *pcbNeeded = answerSize;
    if (cbSize < answerSize || buffer == nullptr) {
        return failed(platform::err::insufficientBuffer);
    }
    std::uint32_t answer = 0;
    switch (mode) {
    case OEMGI_GETSIGNATURE:
        answer = layout::signature;
        break;
    case OEMGI_GETVERSION:
        answer = 1;
        break;
    default:
        *pcbNeeded = 0;
        return failed(platform::err::notSupported);
    }
    // The host's buffer need not be aligned.
    std::memcpy(buffer, &answer, sizeof answer);
    return succeeded();
}

} // namespace oemui
