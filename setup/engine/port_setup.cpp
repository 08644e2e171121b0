#include "setup/engine/port_setup.h"

#include "common/registry_key.h"
#include "platform/machine.h"
#include "setup/engine/install_session.h"

#include <cctype>
#include <cstdio>

namespace setup {
namespace {

const char* const ntPortsKey = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Ports";

// DCB flag bits.
constexpr std::uint32_t dcbBinary = 0x0001;
constexpr std::uint32_t dcbParity = 0x0002;
constexpr std::uint32_t dcbOutxCtsFlow = 0x0004;
constexpr std::uint32_t dcbOutX = 0x0100;
constexpr std::uint32_t dcbInX = 0x0200;
constexpr std::uint32_t dcbErrorChar = 0x0400;
constexpr std::uint32_t dcbRtsControlEnable = 0x1000;

char lower(char c) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

bool isOneAndHalf(double stopBits) {
    return stopBits > 1.25 && stopBits < 1.75;
}

// The 9x class key of the n-th COM port (1 or 2): the n-th of Ports\0000..0003
// whose one-byte PortSubClass is 1.
std::string comClassKey(platform::Registry& registry, int comNumber) {
    int seen = 0;
    for (int i = 0; i <= 3; ++i) {
        const std::string path =
            "System\\CurrentControlSet\\Services\\Class\\Ports\\000" + std::to_string(i);
        platform::Handle key = 0;
        if (registry.RegOpenKeyExA(platform::RootKey::LocalMachine, path, platform::regsam::read,
                                   key) != 0)
            continue;
        std::uint32_t type = 0;
        std::vector<std::uint8_t> data;
        const bool serial = registry.RegQueryValueExA(key, "PortSubClass", type, data) == 0 &&
                            !data.empty() && data[0] == 1;
        registry.RegCloseKey(key);
        if (serial && ++seen == comNumber)
            return path;
    }
    return {};
}

bool writeDcb(InstallSession& session, int comNumber, const SerialSettings& settings) {
    platform::Registry& registry = session.machine.registry();
    const std::string path = comClassKey(registry, comNumber);
    if (path.empty())
        return true; // no such port on this machine: nothing to configure
    platform::Handle key = 0;
    std::uint32_t code = registry.RegOpenKeyExA(platform::RootKey::LocalMachine, path,
                                                platform::regsam::allAccess, key);
    if (code == 0) {
        const auto dcb = serialDcb(settings);
        code = registry.RegSetValueExA(key, "DCB", platform::regtype::none,
                                       std::vector<std::uint8_t>(dcb.begin(), dcb.end()));
        registry.RegCloseKey(key);
    }
    if (code != 0)
        session.error = "The serial port settings could not be written under HKLM\\" + path +
                        ".\n" + session.systemText(code);
    return code == 0;
}

} // namespace

std::string serialSettingsText(const SerialSettings& s) {
    char text[96];
    const char parity = lower(s.parity);
    if (isOneAndHalf(s.stopBits))
        std::snprintf(text, sizeof text, "%d,%c,%d,%.1f,%c", s.baud, parity, s.dataBits, s.stopBits,
                      s.flow);
    else
        std::snprintf(text, sizeof text, "%d,%c,%d,%.0f,%c", s.baud, parity, s.dataBits, s.stopBits,
                      s.flow);
    return text;
}

std::array<std::uint8_t, 28> serialDcb(const SerialSettings& s) {
    std::array<std::uint8_t, 28> dcb{};
    auto put32 = [&](std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            dcb[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
    };
    put32(0, 28);
    put32(4, static_cast<std::uint32_t>(s.baud));
    std::uint32_t flags = dcbBinary;
    std::uint8_t parity = 0;
    switch (lower(s.parity)) {
    case 'o':
        parity = 1;
        break;
    case 'e':
        parity = 2;
        break;
    case 'm':
        parity = 3;
        break;
    case 's':
        parity = 4;
        break;
    default:
        parity = 0;
        break;
    }
    if (parity != 0)
        flags |= dcbParity | dcbErrorChar;
    const char flow = lower(s.flow);
    if (flow == 'p')
        flags |= dcbOutxCtsFlow | dcbRtsControlEnable;
    if (flow == 'x') {
        flags |= dcbOutX | dcbInX;
        dcb[21] = 17; // XonChar
        dcb[22] = 19; // XoffChar
    }
    put32(8, flags);
    dcb[18] = static_cast<std::uint8_t>(s.dataBits);
    dcb[19] = parity;
    dcb[20] = isOneAndHalf(s.stopBits) ? 1 : (s.stopBits > 1.75 ? 2 : 0);
    return dcb;
}

bool checkPortEnumeration(InstallSession& session) {
    std::vector<std::string> ports;
    if (session.machine.spooler().EnumPortsA(ports))
        return true;
    session.fail("IDS_ERR_ALLOCMEMORY", session.machine.GetLastError());
    return false;
}

bool writeSerialSettings(InstallSession& session, const std::string& portName,
                         const SerialSettings& settings) {
    const std::size_t com = portName.find("COM");
    if (com == std::string::npos)
        return true;
    const std::string valueName = portName.substr(com);
    const std::string text = serialSettingsText(settings);

    if (session.os != common::osWin9x) {
        common::RegistryKey key(session.machine.registry(), session.wow64);
        if (key.open(ntPortsKey) && key.writeString(valueName, text))
            return true;
        session.error = "The serial port settings could not be written under HKLM\\" +
                        std::string(ntPortsKey) + ".";
        const std::string system = session.systemText(key.lastError());
        if (!system.empty())
            session.error += "\n" + system;
        return false;
    }

    const char digit = com + 3 < portName.size() ? portName[com + 3] : '\0';
    if ((digit == '1' || digit == '2') && !writeDcb(session, digit - '0', settings))
        return false;
    platform::Machine& machine = session.machine;
    machine.profiles().WriteProfileStringA("Ports", valueName, text);
    machine.desktop().BroadcastWinIniChange("Ports", 1000);
    machine.profiles().FlushProfile();
    return true;
}

} // namespace setup
