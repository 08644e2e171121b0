// What the uninstaller knows of the machine it runs on: the Windows variant
// (its own reading of the table), 64-bit Windows, and whether the spooler
// offers DeletePrinterDriverExA; and what follows from them.
#pragma once

#include "common/os_variant.h"

#include <string>

namespace platform {
class Machine;
}

namespace uninstall {

struct RemovalEnvironment {
    common::OsVariant os = common::osWin9x;
    bool wow64 = false;          // the 32-bit program runs on 64-bit Windows: redirection applies
    bool windows64 = false;      // 64-bit Windows, whatever the program's own bitness
    bool deleteDriverEx = false; // DeletePrinterDriverExA was found in winspool.drv

    // The environment named in every spooler call: the machine's own, so that
    // the 32-bit program reaches the 64-bit driver set on 64-bit Windows.
    // The maker's keys and the USB driver's folder follow the machine too.
    std::string spooler() const;
    // The suffix of the Uninstall.ini sections read for this variant: XP reads
    // the 2000 sections.
    std::string suffix() const;
    // Drivers are removed with their printers from Windows 2000 on; NT 4 and
    // Windows 9x keep them.
    bool removesDrivers() const { return os >= common::os2000; }
    // Only NT-family Windows asks for administrator rights.
    bool needsAdministrator() const { return os >= common::os2000; }
};

// The variant as the uninstaller reads it: the setup's table, except that a
// platform that is neither Windows 9x nor NT counts as XP, without a message.
common::OsVariant uninstallerOsVariant(platform::Machine& machine);

// The variant and the 64-bit flags; deleteDriverEx is the caller's to look up.
RemovalEnvironment detectEnvironment(platform::Machine& machine);

} // namespace uninstall
