// Uninstall: the uninstaller's entry point. It works from its own folder,
// wherever it was started from. Without /quiet it is the dialog; with it, the
// same list and removal run without a window, from an optional response file.
#include <windows.h>

#include "common/logged_machine.h"
#include "common/quiet_run.h"
#include "platform/win32/win32_machine.h"
#include "ui/win32/dialog_host.h"
#include "ui/win32/program_start.h"
#include "uninstall/quiet_uninstall.h"
#include "uninstall/res/resource.h"
#include "uninstall/startup.h"
#include "uninstall/uninstall_dialog.h"
#include "uninstall/win32_thread_runner.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    const std::string caller = ui::win32::startFolder();
    SetCurrentDirectoryA(ui::win32::programFolder().c_str());
    const common::QuietCommandLine line =
        common::parseQuietCommandLine(commandLine != nullptr ? commandLine : "");
    const std::string logName = "Uninstall.log";

    platform::win32::Win32Machine system;
    if (line.quiet) {
        return common::runQuiet(
            system, caller, line, logName, false,
            [&system](const std::string& name, const std::vector<std::uint8_t>& response,
                      common::RunLog& log) {
                return uninstall::runQuietUninstall(system, name, response, log);
            });
    }
    ui::win32::registerCommonControls(ICC_LISTVIEW_CLASSES | ICC_WIN95_CLASSES);
    common::RunLog log(system, common::interactiveLogPath(system, caller, line, logName));
    common::LoggedMachine machine(system, log, false);
    log.step("Start-up checks");
    const uninstall::UninstallTexts texts(machine);
    const uninstall::StartupResult startup = uninstall::runStartup(machine, texts);
    if (startup.outcome != uninstall::StartupOutcome::RunDialog) {
        log.result(1, "the uninstaller did not start");
        return 1;
    }
    uninstall::UninstallContext context(machine, startup.chineseFont);
    context.log = &log;
    uninstall::ThreadRunner runner;
    uninstall::UninstallDialog dialog(context, runner);
    log.step("The uninstaller's list");
    ui::win32::DialogHost<std::string> host(instance, dialog);
    host.runModal(IDD_UNINSTALL, nullptr);
    const auto& outcome = dialog.outcome();
    log.result(0, outcome ? (outcome->endedEarly ? "the removal ended early" : "the removal ran")
                          : "closed without removing anything");
    return 0;
}
