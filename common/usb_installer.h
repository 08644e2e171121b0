// The package's USB device-driver installer, Install.exe, as the setup and the
// uninstaller run it: started with one command word ("2" installs, "22"
// removes), then waited for until its window has gone.
#pragma once

#include "platform/win_types.h"

#include <cstdint>
#include <string>

namespace platform {
class Machine;
}

namespace common {

// The installer's window title when a language file names none.
inline constexpr const char* usbInstallerTitle = "Device driver setup";
// The longest either program waits for the installer's window to go.
inline constexpr std::uint32_t usbInstallerTimeLimitMs = 10 * 60 * 1000;

// The package's USB driver folder: "\USBDRV\USBDriver" or "\USBDRV\USBDriver_x64".
inline const char* usbDriverFolder(bool wow64) {
    return wow64 ? "\\USBDRV\\USBDriver_x64" : "\\USBDRV\\USBDriver";
}

enum class InstallerRun {
    Finished,   // its window came and went
    NotStarted, // the shell refused; shellResult says why
    TimedOut,   // its window was still there after the time limit
};

struct InstallerOutcome {
    InstallerRun run = InstallerRun::Finished;
    std::uintptr_t shellResult = 0; // ShellExecuteA's answer
};

// Starts `program` with the verb "open" and `argument`, shown normally, waits
// 500 ms for its window to appear, then looks for a window titled
// `windowTitle` (usbInstallerTitle when empty) once a second until there is
// none or the time limit has passed. What to wait afterwards is the caller's.
InstallerOutcome runUsbInstaller(platform::Machine& machine, platform::Handle owner,
                                 const std::string& program, const std::string& argument,
                                 const std::string& windowTitle);

} // namespace common
