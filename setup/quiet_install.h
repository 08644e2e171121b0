// Tessaly.exe /quiet: the wizard run without a window from a response file.
// The same start-up and page checks run on the real frame and pages (a choice
// the wizard would not offer is refused), no box is shown, questions take the
// response file's answer or the safe one, and the result is an exit code that
// deployment tools read.
#pragma once

#include "common/quiet_exit.h"
#include "common/response_file.h"
#include "common/run_log.h"
#include "setup/wizard_script.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace platform {
class Machine;
}

namespace setup {

// What the [Install] section asks for.
struct InstallResponse {
    WizardChoice choice;
    std::optional<bool> changeIdentity; // the answer to "change the printer's USB name?"
    common::ResponseFile file;          // the values as read, for naming their lines
    std::string error;                  // empty when usable
};

InstallResponse readInstallResponse(const std::vector<std::uint8_t>& bytes);

// The worker run in place: nobody watches a progress bar in a quiet run.
class InPlaceWorker : public WorkerRunner {
public:
    WorkerStatus run(common::OsVariant, const std::function<WorkerStatus()>& worker) override {
        return worker();
    }
};

// The quiet run on `machine` with the response file's bytes (`responseName`
// is how the log names the file). Writes every step, every message and the
// result into `log`.
common::QuietExit runQuietInstall(platform::Machine& machine, const std::string& responseName,
                                  const std::vector<std::uint8_t>& response, common::RunLog& log);

} // namespace setup
