// Runs the package's USB device-driver installer ("Install.exe 2") and waits
// until its window has gone.
#pragma once

#include <cstdint>
#include <string>

namespace setup {

class InstallSession;

// The window title of the installer when the language file names none.
inline constexpr const char* usbInstallerTitle = "Device driver setup";
// The longest the setup waits for the installer's window to go.
inline constexpr std::uint32_t usbInstallerTimeLimitMs = 10 * 60 * 1000;

// False with the error text set when the installer could not be started or
// did not finish in time; the installation then stops.
bool runUsbDriverSetup(InstallSession& session, const std::string& programFolder,
                       const std::string& windowTitle);

} // namespace setup
