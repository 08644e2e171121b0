#include "setup/engine/tcpip_port.h"

#include "platform/machine.h"

namespace setup {
namespace {

// Field offsets of PORT_DATA_1.
constexpr std::size_t portNameAt = 0, portNameChars = 64;
constexpr std::size_t versionAt = 128, protocolAt = 132, sizeAt = 136;
constexpr std::size_t hostAddressAt = 144, hostAddressChars = 49;
constexpr std::size_t communityAt = 242, communityChars = 33;
constexpr std::size_t doubleSpoolAt = 308;
constexpr std::size_t portNumberAt = 952, snmpEnabledAt = 956, snmpIndexAt = 960;

constexpr std::uint32_t protocolRaw = 1;

void putDword(std::vector<std::uint8_t>& record, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        record[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

// ANSI text of plain ASCII into a UTF-16 field, terminator included.
bool putText(std::vector<std::uint8_t>& record, std::size_t at, std::size_t chars,
             const std::string& text) {
    if (text.size() + 1 > chars)
        return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c >= 0x80)
            return false;
        record[at + 2 * i] = c;
    }
    return true;
}

// The system's text for the error, in its own box before the setup says
// which step failed.
bool refuse(platform::Machine& machine, platform::Handle owner, std::uint32_t code) {
    std::string text;
    if (!machine.system().FormatMessageA(code, text))
        text = "Error " + std::to_string(code) + ".";
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
        text.pop_back();
    machine.SetLastError(code);
    machine.desktop().MessageBoxA(owner, text, "ERROR",
                                  platform::mb::ok | platform::mb::iconInformation);
    return false;
}

} // namespace

std::vector<std::uint8_t> tcpIpPortRecord(const std::string& portName, const std::string& address) {
    std::vector<std::uint8_t> record(portData1Size, 0);
    if (!putText(record, portNameAt, portNameChars, portName) ||
        !putText(record, hostAddressAt, hostAddressChars, address) ||
        !putText(record, communityAt, communityChars, "public"))
        return {};
    putDword(record, versionAt, 1);
    putDword(record, protocolAt, protocolRaw);
    putDword(record, sizeAt, static_cast<std::uint32_t>(portData1Size));
    putDword(record, doubleSpoolAt, 1);
    putDword(record, portNumberAt, 9100);
    putDword(record, snmpEnabledAt, 0);
    putDword(record, snmpIndexAt, 1);
    return record;
}

bool addTcpIpPort(platform::Machine& machine, const std::string& portName,
                  const std::string& address, platform::Handle owner) {
    const std::vector<std::uint8_t> record = tcpIpPortRecord(portName, address);
    if (record.empty())
        return refuse(machine, owner, platform::err::invalidParameter);
    const platform::Handle xcv = machine.spooler().OpenPrinterA(
        ",XcvMonitor Standard TCP/IP Port", platform::printeraccess::serverAdminister);
    if (xcv == 0)
        return refuse(machine, owner, machine.GetLastError());
    std::uint32_t status = 0;
    const bool called = machine.spooler().XcvDataW(xcv, u"AddPort", record, 260, status);
    const std::uint32_t callError = called ? 0 : machine.GetLastError();
    machine.spooler().ClosePrinter(xcv);
    // The call succeeds whenever it reached the monitor; whether the port was
    // added is the monitor's status. A port that is there already will do.
    if (called && (status == 0 || status == platform::err::alreadyExists))
        return true;
    return refuse(machine, owner, called ? status : (status != 0 ? status : callError));
}

std::string dottedAddress(const std::array<std::uint8_t, 4>& bytes) {
    return std::to_string(bytes[0]) + "." + std::to_string(bytes[1]) + "." +
           std::to_string(bytes[2]) + "." + std::to_string(bytes[3]);
}

} // namespace setup
