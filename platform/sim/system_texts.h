// The system's texts for Win32 error codes, as the simulated machine's
// FormatMessage calls give them.
#pragma once

#include <cstdint>

namespace platform::sim {

// The text with its trailing line break, or nullptr for a code the machine does
// not know.
const char* systemErrorText(std::uint32_t code);

} // namespace platform::sim
