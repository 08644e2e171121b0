// Install's engine: one operation chosen by the command argument, run on a
// machine, its log lines written to a sink. The program runs it on its worker
// thread; a command-line tool can run it on a simulated machine.
#pragma once

#include "platform/win_types.h"
#include "usbinstall/log_sink.h"

#include <string>

namespace platform {
class Machine;
}

namespace usbinstall {

enum UsbInstallResult : int {
    usbInstallDone = 0,
    usbInstallFailed = 1,          // the network install stopped at a failing step
    usbInstallUnknownArgument = 2, // nothing was done
};

// Runs the operation the argument names ("1", "2", "8[-N]", "11", "22", "88")
// with the INF and driver files of packageFolder. `window` owns the system's
// dialogs and the error boxes (0: none).
int runUsbInstall(platform::Machine& machine, const std::string& argument,
                  const std::string& packageFolder, LogSink& log, platform::Handle window = 0);

// The folder of the running program's file, without the "\" that ends it;
// empty when the system does not say.
std::string programFolder(platform::Machine& machine);

} // namespace usbinstall
