// The uninstaller run without a window, the way a user runs it: start-up,
// then the real main dialog on FakeDialog over the real templates, items
// ticked, Uninstall pressed, the restart dialog answered. drvsim removes
// through it, so that whatever it removes is what a user could remove; tests
// use it for whole runs.
#pragma once

#include "common/run_log.h"
#include "uninstall/startup.h"

#include <optional>
#include <string>
#include <vector>

namespace platform {
class Machine;
}

namespace uninstall {

struct UninstallChoice {
    bool listOnly = false; // look at the list and close
    // The rows to tick by their text; without a list, every row.
    std::optional<std::vector<std::string>> items;
    bool usbDriver = false; // tick "remove the USB device driver"; stop when it is disabled
    bool usbDriverWhenOffered = false; // tick it only when it is enabled
    std::vector<bool> restartAnswers; // the restart dialog's answers in order (true: Yes); No after
};

struct UninstallRun {
    StartupOutcome startup = StartupOutcome::Refused;
    // Why the run did not go as chosen; empty when it did.
    std::string stopped;
    std::vector<std::string> listed;    // the list as the dialog opened
    std::vector<std::string> ticked;    // the rows ticked when Uninstall was pressed
    std::vector<std::string> remaining; // the list when the run ended
    std::vector<std::string> messages;  // the message list's lines
    bool worked = false;                // the worker ran
    bool endedEarly = false;            // a printer stopped the worker
    std::optional<bool> restart;        // the restart dialog was offered; whether Yes
    bool choiceNotOffered = false;      // an item to tick is not listed
    // Every ticked item left the list.
    bool complete() const;
};

// With a log, the steps and the message list's lines are written to it.
UninstallRun runUninstallScript(platform::Machine& machine, const UninstallChoice& choice,
                                common::RunLog* log = nullptr);

} // namespace uninstall
