// The wizard run without a window, the way a user runs it: the real frame and
// pages on FakeDialog over the real templates, clicked through from the first
// page to Install. drvsim installs through it, so that whatever it installs is
// what a user could install; tests use it for whole flows.
#pragma once

#include "common/run_log.h"
#include "setup/engine/install_action.h"
#include "setup/startup.h"
#include "ui/dialog_view.h"

#include <optional>
#include <string>
#include <vector>

namespace platform {
class Machine;
}

namespace setup {

// What the user chooses. Serial settings and the raster box left empty keep
// what the port page shows.
struct WizardChoice {
    PrinterType type = PrinterType::None;
    std::string model;
    bool advanced = false;
    bool setAsDefault = false;
    std::string port;
    std::optional<bool> raster;
    std::optional<int> baud;
    std::optional<int> dataBits;
    std::optional<std::string> stopBits; // the item's text: "1", "1.5", "2"
    std::optional<char> parity;          // first letter of the parity item
    std::optional<char> flow;            // 'x', 'p' or ' '
    std::optional<ui::Address> address;
};

struct WizardRun {
    StartupOutcome startup = StartupOutcome::Refused;
    // Why the run could not go on as chosen: the choice is not one the wizard
    // offers (with what it offers), or the wizard closed or stayed on a page.
    std::string stopped;
    // The choice the wizard does not offer, named as the response file names
    // it ("Model", "Port", "Baud"...); empty when the stop was not about a choice.
    std::string refusedChoice;
    // Leaving the operating-system page was refused: the model does not
    // support the Windows the machine runs.
    bool windowsRefused = false;
    StartupRefusal startupRefusal = StartupRefusal::None;
    std::optional<InstallOutcome> outcome; // when Install was pressed
    bool installed() const { return outcome && outcome->result == InstallResult::Succeeded; }
};

// Start-up, then the wizard clicked through with `choice`. Message boxes are
// answered by the machine's desktop. With a log, each page's choice and the
// installation's steps are written to it.
WizardRun runWizardScript(platform::Machine& machine, const WizardChoice& choice,
                          WorkerRunner& runner, common::RunLog* log = nullptr);

} // namespace setup
