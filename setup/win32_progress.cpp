#include "setup/win32_progress.h"

#include "platform/machine.h"
#include "setup/res/resource.h"
#include "ui/win32/dialog_host.h"

namespace setup {
namespace {

struct WorkerStart {
    const std::function<WorkerStatus()>* worker;
    ProgressAnimation* animation;
};

DWORD WINAPI workerMain(LPVOID parameter) {
    // The dialog's thread leaves everything alone until the status is set.
    auto* start = static_cast<WorkerStart*>(parameter);
    start->animation->setStatus((*start->worker)());
    return 0;
}

} // namespace

WorkerStatus ThreadedProgress::run(common::OsVariant os,
                                   const std::function<WorkerStatus()>& worker) {
    HWND wizard = reinterpret_cast<HWND>(static_cast<std::uintptr_t>(wizard_));
    ProgressAnimation animation(context_.machine.clock(), os);
    WorkerStart start{&worker, &animation};
    HANDLE thread = CreateThread(nullptr, 0, workerMain, &start, 0, nullptr);
    if (thread == nullptr) // no thread to spare: the work still has to be done
        animation.setStatus(worker());
    if (wizard != nullptr)
        ShowWindow(wizard, SW_MINIMIZE);
    ProgressDialog dialog(animation, context_.texts.get("Progress", "Wait"), context_.font());
    // Owned by the desktop: a window owned by the minimised wizard would be hidden.
    ui::win32::DialogHost<std::string>(instance_, dialog).runModal(IDD_PROGRESS, nullptr);
    if (thread != nullptr) {
        WaitForSingleObject(thread, INFINITE);
        CloseHandle(thread);
    }
    // The result is shown over the wizard.
    if (wizard != nullptr)
        ShowWindow(wizard, SW_RESTORE);
    return animation.status();
}

} // namespace setup
