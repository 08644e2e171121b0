// The port side of an installation: the spooler's port list and the serial
// line settings.
#pragma once

#include "common/os_variant.h"

#include <array>
#include <cstdint>
#include <string>

namespace setup {

class InstallSession;

struct SerialSettings {
    int baud = 9600;
    int dataBits = 8;
    double stopBits = 1.0;
    char parity = 'n';
    char flow = 'p';
};

// "9600,n,8,1,p": the parity letter lower-cased; stop bits "1.5" keep their
// fraction, the others are whole.
std::string serialSettingsText(const SerialSettings& settings);

// The 28-byte DCB Windows 9x keeps for a COM port.
std::array<std::uint8_t, 28> serialDcb(const SerialSettings& settings);

// USB installations: the spooler must be able to list its ports. False with
// IDS_ERR_ALLOCMEMORY and the system's text.
bool checkPortEnumeration(InstallSession& session);

// After the printer was created on a serial port: the settings string under
// the port's name ("COM1:" for "KVCOM1:"), in the registry's Ports key on NT
// and in win.ini on 9x, where COM1 and COM2 also get their DCB.
bool writeSerialSettings(InstallSession& session, const std::string& portName,
                         const SerialSettings& settings);

} // namespace setup
