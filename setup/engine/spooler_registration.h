// The driver and the printer queue made known to the spooler, and the
// default printer.
#pragma once

#include "common/os_variant.h"
#include "platform/spooler.h"

#include <string>

namespace platform {
class Machine;
}

namespace setup {

class InstallSession;

// The most numbered names tried when the printer's name is taken: "(1)".."(98)".
inline constexpr int maxNumberedPrinters = 98;

bool addDriver(InstallSession& session, const platform::DriverInfo3& driver);

// Creates the queue. When the name is taken and `numberedNames` is set, tries
// the name + "(1)" .. "(98)"; the name used is left in `printer`.
bool createPrinter(InstallSession& session, platform::PrinterInfo2& printer, bool numberedNames);

// Makes the printer the user's default, the way each Windows generation
// wants it; false on any failure, without a message.
bool makeDefaultPrinter(platform::Machine& machine, common::OsVariant os, const std::string& name);

} // namespace setup
