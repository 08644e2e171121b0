// Tessaly: the setup program's entry point. It takes no arguments and expects
// to be started from its own folder.
#include "platform/win32/win32_machine.h"
#include "setup/startup.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    platform::win32::Win32Machine machine;
    const setup::StartupResult startup = setup::runStartup(machine);
    // The wizard is not part of the program yet: after the checks it ends.
    return startup.outcome == setup::StartupOutcome::RunWizard ? 0 : 1;
}
