// A Standard TCP/IP port for a network printer, added through the standard
// TCP/IP port monitor's "AddPort" command.
#pragma once

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

// True when the port was added or already existed. On failure `reason` holds
// the system's text for it.
bool addTcpIpPort(platform::Machine& machine, const std::string& portName,
                  const std::string& address, std::string& reason);

// "A.B.C.D" from four bytes.
std::string dottedAddress(const std::array<std::uint8_t, 4>& bytes);

} // namespace setup
