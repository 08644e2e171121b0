// Install's window: the log box, the About item of the system menu, and the
// worker thread that runs the operation and writes the log through messages.
#pragma once

#include <windows.h>

#include <string>

namespace platform {
class Machine;
}

namespace usbinstall {

// Shows the window, runs the operation the argument names on a worker thread
// and returns once the window has closed itself.
void runInstallDialog(HINSTANCE instance, platform::Machine& machine, const std::string& argument);

} // namespace usbinstall
