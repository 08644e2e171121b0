// What the setup program checks before any wizard page is shown: one instance
// only, not while the uninstaller is open, not on refused Windows versions, the
// right bitness for the package, and at least one installable port.
#pragma once

#include "common/program_titles.h"
#include "platform/win_types.h"

#include <string>

namespace platform {
class Machine;
}

namespace setup {

using common::setupChineseTitle;
using common::setupTitle;
using common::uninstallChineseTitle;
using common::uninstallTitle;

enum class StartupOutcome {
    RunWizard,      // every check passed
    BroughtForward, // another instance runs; it was brought to the front
    Refused,        // a message was shown; the program ends
};

// Which check refused the start.
enum class StartupRefusal {
    None,
    UninstallerOpen,
    WindowsVersion, // Windows 98, Me or NT 4
    Bitness,        // the package is for the other bitness
    NoPort,         // no installable port for the package's printers
};

// The process-wide settings start-up records for the rest of the program.
struct StartupResult {
    StartupOutcome outcome = StartupOutcome::Refused;
    StartupRefusal refusal = StartupRefusal::None;
    bool wow64 = false;        // the 32-bit program runs on 64-bit Windows
    bool licenceInUse = false; // LOADLICENSE is non-zero
    bool chineseFont = false;  // LANGUAGE is 0: the dialogs get the shared Chinese font
    platform::Handle mutex = 0;
};

// The start-up sequence up to the point where the wizard would be built.
StartupResult runStartup(platform::Machine& machine);

// The model whose ".PORT" section the port check reads: the last entry of the
// model list, provided at least one entry names a printer type. Empty when none does.
std::string portCheckModel(platform::Machine& machine, const std::string& setupIni);

// True when the model may use a USB, parallel or serial port according to any
// type file of the running bitness (the first non-zero key ends the check).
bool anyPortSupported(platform::Machine& machine, const std::string& model, bool wow64);

} // namespace setup
