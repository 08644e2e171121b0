#pragma once

#include "oemui/outcome.h"

#include <cstdint>

namespace oemui {

// IPrintOemUI::GetInfo: the settings signature (mode 1) and the plug-in version
// (mode 3) as 4-byte answers; publisher information (mode 4) is not offered and
// the interface version (mode 2) is not answered at all.
Outcome getInfo(std::uint32_t mode, void* buffer, std::uint32_t cbSize, std::uint32_t* pcbNeeded);

} // namespace oemui
