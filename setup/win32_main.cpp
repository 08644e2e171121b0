// Tessaly: the setup program's entry point. It takes no arguments and works
// from its own folder, wherever it was started from.
#include <windows.h>

#include "platform/win32/win32_machine.h"
#include "setup/res/resource.h"
#include "setup/startup.h"
#include "setup/win32_progress.h"
#include "setup/wizard_frame.h"
#include "ui/win32/dialog_host.h"
#include "ui/win32/program_start.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    const std::string folder = ui::win32::programFolder();
    SetCurrentDirectoryA(folder.c_str());
    ui::win32::registerCommonControls(ICC_INTERNET_CLASSES | ICC_PROGRESS_CLASS |
                                      ICC_WIN95_CLASSES);

    platform::win32::Win32Machine machine;
    const setup::StartupResult startup = setup::runStartup(machine);
    if (startup.outcome != setup::StartupOutcome::RunWizard)
        return 1;

    setup::WizardContext context(machine, folder, startup);
    setup::ThreadedProgress progress(instance, context);
    setup::WizardFrame frame(context, [&progress](setup::View& view) -> setup::WorkerRunner& {
        progress.setWizard(view.window());
        return progress;
    });
    ui::win32::DialogHost<std::string> host(instance, frame);
    host.runModal(IDD_WIZARD, nullptr);
    const auto& outcome = frame.outcome();
    return outcome && outcome->result == setup::InstallResult::Succeeded ? 0 : 1;
}
