#include "setup/engine/usb_driver_setup.h"

#include "platform/machine.h"
#include "setup/engine/install_session.h"
#include "setup/engine/usb_driver_version.h"

namespace setup {

bool runUsbDriverSetup(InstallSession& session, const std::string& programFolder,
                       const std::string& windowTitle) {
    platform::Machine& machine = session.machine;
    const std::string driverFolder = programFolder + usbDriverFolder(session.wow64);
    // The driver files may arrive read-only from a CD; the installer copies them.
    for (const char* file : {"\\KVPUSB.sys", "\\KVPUSB.INF"})
        machine.files().SetFileAttributesA(driverFolder + file, platform::fileattr::archive);

    const std::optional<std::string> current = session.currentFolder();
    if (!current)
        return false;
    const std::string installer = *current + usbDriverFolder(session.wow64) + "\\Install.exe";
    if (!session.pathFits(installer))
        return false;
    const std::uintptr_t started = machine.desktop().ShellExecuteA(
        session.owner, "open", installer, "2", "", platform::sw::showNormal);
    if (started <= 32) {
        session.error = "The USB device driver setup \"" + installer +
                        "\" could not be started. Installation stopped.";
        const std::string system = session.systemText(static_cast<std::uint32_t>(started));
        if (!system.empty())
            session.error += "\n" + system;
        return false;
    }

    // Its window may take a moment to appear.
    machine.clock().Sleep(500);
    const std::string title = windowTitle.empty() ? usbInstallerTitle : windowTitle;
    std::uint32_t waited = 0;
    while (machine.desktop().FindWindowA(title) != 0) {
        if (waited >= usbInstallerTimeLimitMs) {
            session.error =
                "The USB device driver setup did not finish within 10 minutes. Installation "
                "stopped.";
            return false;
        }
        machine.clock().Sleep(1000);
        waited += 1000;
    }
    machine.clock().Sleep(3000);
    return true;
}

} // namespace setup
