// The "Spooler" service, stopped while monitor and processor files are
// replaced or removed and started again afterwards.
#pragma once

#include "common/os_variant.h"

#include <cstdint>
#include <string>

namespace platform {
class Machine;
}

namespace common {

// Asks the service to stop (a refusal is not reported), then waits 100 ms.
void stopSpooler(platform::Machine& machine);
// False, with "Start spool service error, error code = N" in `error`,
// unless the service started or was running already.
bool startSpooler(platform::Machine& machine, std::string& error);
// Asks the state up to ten times, 300 ms apart, until it is running; when it
// never is, `error` says so. The last state seen (stopped when the
// service cannot be opened).
std::uint32_t waitForSpooler(platform::Machine& machine, std::string& error);

// Before anything is registered or removed: a Spooler that an earlier,
// interrupted run left stopped is started again. False, with `error` set, only
// when it is stopped and will not start; a service that cannot be asked is
// left to the spooler calls to report.
bool ensureSpoolerRunning(platform::Machine& machine, OsVariant os, std::string& error);

// The uninstaller's restart, which lets the spooler let go of the files of a
// removed monitor, processor or driver: stop, 2000 ms, start. Nothing is
// reported; a spooler that stays down shows in the calls that follow.
void restartSpooler(platform::Machine& machine);

} // namespace common
