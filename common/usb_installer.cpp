#include "common/usb_installer.h"

#include "platform/machine.h"

namespace common {

InstallerOutcome runUsbInstaller(platform::Machine& machine, platform::Handle owner,
                                 const std::string& program, const std::string& argument,
                                 const std::string& windowTitle) {
    InstallerOutcome outcome;
    outcome.shellResult = machine.desktop().ShellExecuteA(owner, "open", program, argument, "",
                                                          platform::sw::showNormal);
    if (outcome.shellResult <= 32) {
        outcome.run = InstallerRun::NotStarted;
        return outcome;
    }
    // Its window may take a moment to appear.
    machine.clock().Sleep(500);
    const std::string title = windowTitle.empty() ? usbInstallerTitle : windowTitle;
    std::uint32_t waited = 0;
    while (machine.desktop().FindWindowA(title) != 0) {
        if (waited >= usbInstallerTimeLimitMs) {
            outcome.run = InstallerRun::TimedOut;
            return outcome;
        }
        machine.clock().Sleep(1000);
        waited += 1000;
    }
    return outcome;
}

} // namespace common
