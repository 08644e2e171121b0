#include "platform/sim/tcp_port_record.h"

#include "platform/win_types.h"

namespace platform::sim {
namespace {

std::uint32_t dword(const std::vector<std::uint8_t>& b, std::size_t at) {
    return static_cast<std::uint32_t>(b[at]) | static_cast<std::uint32_t>(b[at + 1]) << 8 |
           static_cast<std::uint32_t>(b[at + 2]) << 16 |
           static_cast<std::uint32_t>(b[at + 3]) << 24;
}

// A NUL-terminated UTF-16 text inside a field of `chars` characters; false when
// the field holds no terminator.
bool text(const std::vector<std::uint8_t>& b, std::size_t at, std::size_t chars, std::string& out) {
    out.clear();
    for (std::size_t i = 0; i < chars; ++i) {
        const unsigned unit = b[at + 2 * i] | b[at + 2 * i + 1] << 8;
        if (unit == 0)
            return true;
        out += unit < 0x80 ? static_cast<char>(unit) : '?';
    }
    return false;
}

} // namespace

std::uint32_t parsePortData1(const std::vector<std::uint8_t>& bytes, TcpPortRecord& record) {
    namespace f = portdata1;
    if (bytes.size() != portData1Size || dword(bytes, f::size) != portData1Size)
        return err::invalidParameter;
    record.version = dword(bytes, f::version);
    record.protocol = dword(bytes, f::protocol);
    record.doubleSpool = dword(bytes, f::doubleSpool);
    record.portNumber = dword(bytes, f::portNumber);
    record.snmpEnabled = dword(bytes, f::snmpEnabled);
    record.snmpDevIndex = dword(bytes, f::snmpDevIndex);
    if (!text(bytes, f::portName, f::portNameChars, record.portName) ||
        !text(bytes, f::hostAddress, f::hostAddressChars, record.hostAddress) ||
        !text(bytes, f::snmpCommunity, f::snmpCommunityChars, record.snmpCommunity) ||
        !text(bytes, f::queue, f::queueChars, record.queue))
        return err::invalidParameter;
    if (record.version != 1 || (record.protocol != protocolRaw && record.protocol != protocolLpr))
        return err::invalidParameter;
    if (record.portName.empty() || record.hostAddress.empty())
        return err::invalidParameter;
    // A port name the spooler could not list again is refused as well.
    if (record.portName.find(',') != std::string::npos ||
        record.portName.find('\\') != std::string::npos)
        return err::invalidParameter;
    if (record.protocol == protocolRaw && (record.portNumber == 0 || record.portNumber > 65535))
        return err::invalidParameter;
    if (record.protocol == protocolLpr && record.queue.empty())
        return err::invalidParameter;
    return err::success;
}

} // namespace platform::sim
