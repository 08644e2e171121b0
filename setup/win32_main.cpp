// Tessaly: the setup program's entry point. It works from its own folder,
// wherever it was started from. Without /quiet it is the wizard; with it, the
// wizard's checks and installation run from a response file without a window.
#include <windows.h>

#include "common/logged_machine.h"
#include "common/quiet_run.h"
#include "platform/win32/win32_machine.h"
#include "setup/quiet_install.h"
#include "setup/res/resource.h"
#include "setup/startup.h"
#include "setup/win32_progress.h"
#include "setup/wizard_frame.h"
#include "ui/win32/dialog_host.h"
#include "ui/win32/program_start.h"

namespace {

const char* const logName = "Tessaly.log";

int runWizard(HINSTANCE instance, platform::Machine& system, const std::string& folder,
              const std::string& logPath) {
    common::RunLog log(system, logPath);
    common::LoggedMachine machine(system, log, false);
    log.step("Start-up checks");
    const setup::StartupResult startup = setup::runStartup(machine);
    if (startup.outcome != setup::StartupOutcome::RunWizard) {
        log.result(1, "the setup did not start");
        return 1;
    }
    setup::WizardContext context(machine, folder, startup);
    context.log = &log;
    setup::ThreadedProgress progress(instance, context);
    setup::WizardFrame frame(context, [&progress](setup::View& view) -> setup::WorkerRunner& {
        progress.setWizard(view.window());
        return progress;
    });
    log.step("The wizard");
    ui::win32::DialogHost<std::string> host(instance, frame);
    host.runModal(IDD_WIZARD, nullptr);
    const auto& outcome = frame.outcome();
    if (outcome && outcome->result == setup::InstallResult::Succeeded) {
        log.result(0, "installed printer \"" + outcome->printerName + "\"");
        return 0;
    }
    log.result(1, outcome ? "not installed: " + outcome->message : "the wizard was closed");
    return 1;
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    const std::string caller = ui::win32::startFolder();
    const std::string folder = ui::win32::programFolder();
    SetCurrentDirectoryA(folder.c_str());
    const common::QuietCommandLine line =
        common::parseQuietCommandLine(commandLine != nullptr ? commandLine : "");

    platform::win32::Win32Machine machine;
    if (line.quiet) {
        return common::runQuiet(machine, caller, line, logName, true,
                                [&machine](const std::string& name,
                                           const std::vector<std::uint8_t>& response,
                                           common::RunLog& log) {
                                    return setup::runQuietInstall(machine, name, response, log);
                                });
    }
    ui::win32::registerCommonControls(ICC_INTERNET_CLASSES | ICC_PROGRESS_CLASS |
                                      ICC_WIN95_CLASSES);
    return runWizard(instance, machine, folder,
                     common::interactiveLogPath(machine, caller, line, logName));
}
