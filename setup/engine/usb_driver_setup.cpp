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
    const common::InstallerOutcome outcome =
        common::runUsbInstaller(machine, session.owner, installer, "2", windowTitle);
    switch (outcome.run) {
    case common::InstallerRun::NotStarted: {
        session.error = "The USB device driver setup \"" + installer +
                        "\" could not be started. Installation stopped.";
        const std::string system =
            session.systemText(static_cast<std::uint32_t>(outcome.shellResult));
        if (!system.empty())
            session.error += "\n" + system;
        return false;
    }
    case common::InstallerRun::TimedOut:
        session.error =
            "The USB device driver setup did not finish within 10 minutes. Installation "
            "stopped.";
        return false;
    case common::InstallerRun::Finished:
        break;
    }
    machine.clock().Sleep(3000);
    return true;
}

} // namespace setup
