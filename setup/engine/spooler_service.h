// The "Spooler" service, stopped while monitor and processor files are
// replaced and started again afterwards.
#pragma once

#include <cstdint>

namespace setup {

class InstallSession;

// Asks the service to stop (a refusal is not reported), then waits 100 ms.
void stopSpooler(InstallSession& session);
// False, with "Start spool service error, error code = N" in the error text,
// unless the service started or was running already.
bool startSpooler(InstallSession& session);
// Asks the state up to ten times, 300 ms apart, until it is running; when it
// never is, the error text says so. The last state seen (stopped when the
// service cannot be opened).
std::uint32_t waitForSpooler(InstallSession& session);

// Before anything is registered: a Spooler that an earlier, interrupted run
// left stopped is started again. False, with the error text set, only when it
// is stopped and will not start; a service that cannot be asked is left to
// the spooler calls to report.
bool ensureSpoolerRunning(InstallSession& session);

} // namespace setup
