// A Standard TCP/IP port for a network printer, added through the standard
// TCP/IP port monitor's "AddPort" command.
#pragma once

#include "platform/win_types.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace platform {
class Machine;
}

namespace setup {

inline constexpr std::size_t portData1Size = 964;

// The monitor's PORT_DATA_1 record for a raw port on 9100 at `address`.
// Empty when a name or the address does not fit its field.
std::vector<std::uint8_t> tcpIpPortRecord(const std::string& portName, const std::string& address);

// True when the port was added or already existed. On failure the system's
// text for it has been shown in a box of its own captioned "ERROR".
bool addTcpIpPort(platform::Machine& machine, const std::string& portName,
                  const std::string& address, platform::Handle owner);

// "A.B.C.D" from four bytes.
std::string dottedAddress(const std::array<std::uint8_t, 4>& bytes);

} // namespace setup
