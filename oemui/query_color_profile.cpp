#include "oemui/query_color_profile.h"

#include "oemui/oem_ui_records.h"
#include "platform/win_types.h"

namespace oemui {

Outcome queryColorProfile(std::uint32_t queryMode, void* profileData, std::uint32_t* pcbProfileData,
                          std::uint32_t* pflProfileData) {
    if (queryMode != QCP_DEVICEPROFILE) {
        return {hr::fail, 0};
    }
    if (pcbProfileData == nullptr || pflProfileData == nullptr) {
        return failed(platform::err::invalidParameter);
    }
    constexpr std::uint32_t needed = 32;
    static constexpr char16_t profile[] = u"OEMPROFILE.icm";
    static_assert(sizeof profile <= needed, "the profile name fits the size we announce");
    if (profileData == nullptr || *pcbProfileData < needed) {
        *pcbProfileData = needed;
        return failed(platform::err::insufficientBuffer);
    }
    // UTF-16 little-endian, as the host reads a wide string.
    auto* out = static_cast<unsigned char*>(profileData);
    for (std::size_t i = 0; i < sizeof profile / sizeof profile[0]; ++i) {
        out[2 * i] = static_cast<unsigned char>(profile[i]);
        out[2 * i + 1] = static_cast<unsigned char>(profile[i] >> 8);
    }
    *pcbProfileData = needed;
    *pflProfileData = QCP_PROFILEDISK;
    return succeeded();
}

} // namespace oemui
