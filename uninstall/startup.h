// What the uninstaller checks before its dialog opens: one copy only, and not
// while the setup wizard runs; and whether its dialogs use the Chinese font.
#pragma once

#include "platform/win_types.h"

namespace platform {
class Machine;
}

namespace uninstall {

class UninstallTexts;

// The single-instance mutex, one fixed name for every copy of the uninstaller.
inline constexpr const char* uninstallMutexName = "KORVANE.PrinterDriver.Uninstall";

enum class StartupOutcome {
    RunDialog,      // show the main dialog
    BroughtForward, // another copy runs; it was brought to the front
    Refused,        // the setup wizard runs; the Close text was shown
};

struct StartupResult {
    StartupOutcome outcome = StartupOutcome::Refused;
    bool chineseFont = false; // LANGUAGE in DRVCONFIG\setup.ini is 0
    platform::Handle mutex = 0;
};

StartupResult runStartup(platform::Machine& machine, const UninstallTexts& texts);

// LANGUAGE 0 in DRVCONFIG\setup.ini (relative to the current directory): the
// dialogs use the Chinese font.
bool packageIsChinese(platform::Machine& machine);

} // namespace uninstall
