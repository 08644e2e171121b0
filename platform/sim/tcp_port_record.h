// PORT_DATA_1, the record the standard TCP/IP port monitor takes with
// XcvDataW "AddPort": 964 bytes, UTF-16 texts in fixed fields.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace platform::sim {

inline constexpr std::size_t portData1Size = 964;

// Field offsets, as the structure's natural alignment places them.
namespace portdata1 {
inline constexpr std::size_t portName = 0;        // WCHAR[64]
inline constexpr std::size_t version = 128;       // DWORD
inline constexpr std::size_t protocol = 132;      // DWORD, 1 raw, 2 LPR
inline constexpr std::size_t size = 136;          // DWORD cbSize
inline constexpr std::size_t reserved = 140;      // DWORD
inline constexpr std::size_t hostAddress = 144;   // WCHAR[49]
inline constexpr std::size_t snmpCommunity = 242; // WCHAR[33]
inline constexpr std::size_t doubleSpool = 308;   // DWORD
inline constexpr std::size_t queue = 312;         // WCHAR[33]
inline constexpr std::size_t ipAddress = 378;     // WCHAR[16]
inline constexpr std::size_t portNumber = 952;    // DWORD, after 540 reserved bytes and padding
inline constexpr std::size_t snmpEnabled = 956;   // DWORD
inline constexpr std::size_t snmpDevIndex = 960;  // DWORD
inline constexpr std::size_t portNameChars = 64, hostAddressChars = 49, snmpCommunityChars = 33,
                             queueChars = 33, ipAddressChars = 16;
} // namespace portdata1

inline constexpr std::uint32_t protocolRaw = 1;
inline constexpr std::uint32_t protocolLpr = 2;

// The record's content with its texts narrowed to 8 bits (the monitor's port
// names are ASCII; other characters become '?').
struct TcpPortRecord {
    std::string portName;
    std::uint32_t version = 0;
    std::uint32_t protocol = 0;
    std::string hostAddress;
    std::string snmpCommunity;
    std::uint32_t doubleSpool = 0;
    std::string queue;
    std::uint32_t portNumber = 0;
    std::uint32_t snmpEnabled = 0;
    std::uint32_t snmpDevIndex = 0;
};

// Reads a record as the monitor checks it: exactly portData1Size bytes, cbSize
// saying so, version 1, protocol raw or LPR, every text ended inside its field,
// a port name and a host address, a port number for raw ports and a queue for
// LPR ports. Anything else leaves `record` unspecified and answers the
// monitor's status ERROR_INVALID_PARAMETER (87); success answers 0.
std::uint32_t parsePortData1(const std::vector<std::uint8_t>& bytes, TcpPortRecord& record);

} // namespace platform::sim
