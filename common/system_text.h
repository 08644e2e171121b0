// The system's own text for a Win32 error, as the programs append it to their
// messages.
#pragma once

#include <cstdint>
#include <string>

namespace platform {
class Machine;
}

namespace common {

// FormatMessageA's text without its trailing line break; empty for 0 and
// when the system has none.
std::string systemText(platform::Machine& machine, std::uint32_t code);

} // namespace common
