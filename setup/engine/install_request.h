// What the wizard's pages hand to the Install action: one printer to install,
// as the user chose it.
#pragma once

#include "common/os_variant.h"
#include "common/run_log.h"
#include "platform/win_types.h"
#include "setup/engine/setup_config.h"

#include <array>
#include <cstdint>
#include <string>

namespace setup {

struct InstallRequest {
    PrinterType type = PrinterType::Receipt;
    std::string model; // up to 199 characters; empty: no printer chosen
    bool setAsDefault = false;
    bool typical = true;            // false: advanced mode
    OsVariant os = common::osWin9x; // the variant chosen on the OS page
    std::string portText;           // the port list's entry, up to 99 characters
    DriverFlavour flavour = DriverFlavour::Standard;

    // Serial line settings of the port page.
    int baud = 9600;
    int dataBits = 8;
    double stopBits = 1.0; // 1, 1.5 or 2
    char parity = 'n';     // first letter of the parity item: 'n', 'e', 'o', 'm', 's' (any case)
    char flow = 'p';       // 'x' Xon/Xoff, 'p' hardware, ' ' none

    // The network printer's address as the address control holds it.
    std::array<std::uint8_t, 4> ipAddress{};
    std::string ipText; // as the control shows it; the port is named from the bytes

    std::string programFolder;        // the program file's folder, no trailing backslash
    bool wow64 = false;               // the 32-bit setup runs on 64-bit Windows
    platform::Handle ownerWindow = 0; // the wizard; owner of the message boxes
    common::RunLog* log = nullptr;    // where the steps are written; none: not written

    // Program folder + "\DRVCONFIG\setup.ini".
    std::string setupIniPath() const;
    // Program folder + the capitalised type file of the type for this bitness
    // ("...\DRVCONFIG\setup_Ticket_64.ini"); empty when no type is chosen.
    std::string typeFilePath() const;
};

} // namespace setup
