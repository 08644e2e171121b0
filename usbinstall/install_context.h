// What every operation of Install works with.
#pragma once

#include "platform/win_types.h"
#include "usbinstall/log_sink.h"

#include <string>

namespace platform {
class Machine;
}

namespace usbinstall {

struct InstallContext {
    platform::Machine& machine;
    std::string packageFolder; // where the INF and driver files lie, no "\" at the end
    LogSink& log;
    platform::Handle window = 0; // owner of the system's dialogs and of error boxes

    std::string packageFile(const std::string& name) const { return packageFolder + "\\" + name; }
};

} // namespace usbinstall
