// GUIDs in their registry form, "{36FC9E60-C465-11CF-8056-444553540000}", as
// INF files and the saved state of the simulated machine write them.
#pragma once

#include "platform/device_setup.h"

#include <string>
#include <string_view>

namespace platform::sim {

// Braces are required; hex digits of either case. False on anything else.
bool parseGuid(std::string_view text, Guid& guid);
// Upper-case hex digits, with braces.
std::string formatGuid(const Guid& guid);

} // namespace platform::sim
