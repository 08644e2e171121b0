#pragma once

#include "oemui/outcome.h"

#include <cstdint>

namespace oemui {

// IPrintOemUI::QueryColorProfile: the device profile is the file
// "OEMPROFILE.icm"; the answer needs a buffer of 32 bytes.
Outcome queryColorProfile(std::uint32_t queryMode, void* profileData, std::uint32_t* pcbProfileData,
                          std::uint32_t* pflProfileData);

} // namespace oemui
