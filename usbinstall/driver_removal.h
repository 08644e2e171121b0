// Operations "11", "22" and "88": remove a driver's devices and its files.
#pragma once

#include "usbinstall/install_context.h"
#include "usbinstall/install_tables.h"

#include <string>

namespace usbinstall {

// Removes the present devices of the selector's class whose description holds
// its text, deletes its INF (with the compiled PNF beside it) and driver files,
// then every INF of the Windows inf folder that belongs to the driver. Failures
// are silent: whatever can go, goes.
void removeDriver(InstallContext& context, const RemovalSelector& selector);

// Whether the INF at `path` is one of the selector's, judged by its Version
// class and its strings. An INF that cannot be read is not.
bool infBelongsToDriver(InstallContext& context, const std::string& path, InfOwnership ownership);

} // namespace usbinstall
