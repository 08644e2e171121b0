// Operation "8": creates root-enumerated network virtual-COM devices and
// installs their driver from NKVVCOM.INF.
#pragma once

#include "usbinstall/install_context.h"

#include <string>

namespace usbinstall {

// The name SetupOpenInfFileA is given for an INF path: quotes around it go, and
// a bare name is looked for in the current folder rather than the system's.
std::string infOpenPath(const std::string& path);

// Creates deviceCount devices (1..255) and installs the driver after the last.
// On the first failure shows the failing step in a message box, logs the
// "install failed" line and removes the devices it registered; answers whether
// every step succeeded.
bool installNetworkVcom(InstallContext& context, int deviceCount);

} // namespace usbinstall
