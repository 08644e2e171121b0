// Tessaly: the setup program's entry point. It takes no arguments and works
// from its own folder, wherever it was started from.
#include <windows.h>

#include <commctrl.h>

#include "platform/win32/win32_machine.h"
#include "setup/res/resource.h"
#include "setup/startup.h"
#include "setup/win32_progress.h"
#include "setup/wizard_frame.h"
#include "ui/win32/dialog_host.h"

namespace {

std::string programFolder() {
    char path[MAX_PATH + 1] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, length);
    const std::size_t slash = folder.find_last_of('\\');
    return slash == std::string::npos ? std::string(".") : folder.substr(0, slash);
}

// The IP-address control's class; InitCommonControlsEx is missing from the
// oldest Common Controls, which register everything they have on load.
void registerCommonControls() {
    using InitEx = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
    HMODULE comctl = GetModuleHandleA("comctl32.dll");
    auto initEx = comctl ? reinterpret_cast<InitEx>(reinterpret_cast<void (*)()>(
                               GetProcAddress(comctl, "InitCommonControlsEx")))
                         : nullptr;
    if (initEx != nullptr) {
        INITCOMMONCONTROLSEX classes{sizeof classes,
                                     ICC_INTERNET_CLASSES | ICC_PROGRESS_CLASS | ICC_WIN95_CLASSES};
        initEx(&classes);
    } else {
        InitCommonControls();
    }
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    const std::string folder = programFolder();
    SetCurrentDirectoryA(folder.c_str());
    registerCommonControls();

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
