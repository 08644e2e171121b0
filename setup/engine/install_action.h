// The Install action: what pressing Install on the wizard's last page does.
// It checks the choice, prepares the USB device driver, the printer's USB
// identity and the port, resolves the install plan, runs the installation
// worker while the progress dialog is shown, and shows the one final message.
#pragma once

#include "setup/engine/install_request.h"
#include "setup/engine/installation_worker.h"

#include <functional>
#include <string>
#include <vector>

namespace platform {
class Machine;
}

namespace setup {

// How the worker runs while the user waits: the wizard starts it on a thread of
// its own and shows the progress dialog until it reports; tools and tests run
// it in place (SynchronousProgress). Answers the worker's result.
class WorkerRunner {
public:
    virtual ~WorkerRunner() = default;
    virtual WorkerStatus run(common::OsVariant os, const std::function<WorkerStatus()>& worker) = 0;
};

enum class InstallResult {
    Stopped,   // a check stopped before the worker: the wizard stays open on its last page
    Failed,    // the worker ran and failed: its message was shown, the wizard closes
    Succeeded, // the worker ran and succeeded: the final text was shown, the wizard closes
};

struct InstallOutcome {
    InstallResult result = InstallResult::Stopped;
    // The last message the action showed (the stop reason, the worker's error
    // or the final text); empty when it stopped silently (the user said No).
    std::string message;
    std::string printerName;       // the queue actually created (on success)
    bool restartRequested = false; // Windows 9x: the user asked to restart now

    bool wizardCloses() const { return result != InstallResult::Stopped; }
};

// Every message box is owned by request.ownerWindow; texts come from the
// language file under the current directory.
InstallOutcome runInstall(platform::Machine& machine, const InstallRequest& request,
                          WorkerRunner& runner);

} // namespace setup
