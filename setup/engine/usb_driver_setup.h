// Runs the package's USB device-driver installer ("Install.exe 2") and waits
// until its window has gone.
#pragma once

#include "common/usb_installer.h"

#include <cstdint>
#include <string>

namespace setup {

class InstallSession;

using common::usbInstallerTimeLimitMs;
using common::usbInstallerTitle;

// False with the error text set when the installer could not be started or
// did not finish in time; the installation then stops.
bool runUsbDriverSetup(InstallSession& session, const std::string& programFolder,
                       const std::string& windowTitle);

} // namespace setup
