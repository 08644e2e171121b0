// The Install action: what pressing Install on the wizard's last page does.
// It checks the choice, prepares the USB device driver, the printer's USB
// identity and the port, resolves the install plan, runs the installation
// worker while the progress dialog is shown, and shows the one final message.
#pragma once

#include "setup/engine/install_request.h"
#include "setup/engine/progress_controller.h"

#include <functional>
#include <string>
#include <vector>

namespace platform {
class Machine;
}

namespace setup {

// How the progress dialog is run around the worker. The Win32 wizard
// minimises itself, starts the worker on its own thread and shows the modal
// progress dialog, whose timer drives progress.animate(); tools and the
// simulated machine use SynchronousProgress.
class ProgressView {
public:
    virtual ~ProgressView() = default;
    // Runs `worker` to its end, stores its result with progress.setStatus, and
    // returns once the dialog has closed.
    virtual void run(ProgressController& progress, const std::function<WorkerStatus()>& worker) = 0;
};

// Runs the worker on the calling thread, then the dialog's animation over the
// machine's clock, recording the bar positions.
class SynchronousProgress : public ProgressView {
public:
    void run(ProgressController& progress, const std::function<WorkerStatus()>& worker) override;
    const std::vector<int>& positions() const { return positions_; }

private:
    std::vector<int> positions_;
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
                          ProgressView& progress);

} // namespace setup
