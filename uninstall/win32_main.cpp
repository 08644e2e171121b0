// Uninstall: the uninstaller's entry point. It takes no arguments and works
// from its own folder, wherever it was started from.
#include <windows.h>

#include "platform/win32/win32_machine.h"
#include "ui/win32/dialog_host.h"
#include "ui/win32/program_start.h"
#include "uninstall/res/resource.h"
#include "uninstall/startup.h"
#include "uninstall/uninstall_dialog.h"
#include "uninstall/win32_thread_runner.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    SetCurrentDirectoryA(ui::win32::programFolder().c_str());
    ui::win32::registerCommonControls(ICC_LISTVIEW_CLASSES | ICC_WIN95_CLASSES);

    platform::win32::Win32Machine machine;
    const uninstall::UninstallTexts texts(machine);
    const uninstall::StartupResult startup = uninstall::runStartup(machine, texts);
    if (startup.outcome != uninstall::StartupOutcome::RunDialog)
        return 1;

    uninstall::UninstallContext context(machine, startup.chineseFont);
    uninstall::ThreadRunner runner;
    uninstall::UninstallDialog dialog(context, runner);
    ui::win32::DialogHost<std::string> host(instance, dialog);
    host.runModal(IDD_UNINSTALL, nullptr);
    return 0;
}
