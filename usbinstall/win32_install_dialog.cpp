#include "usbinstall/win32_install_dialog.h"

#include "platform/machine.h"
#include "ui/win32/dialog_host.h"
#include "usbinstall/install_dialog.h"
#include "usbinstall/res/resource.h"
#include "usbinstall/usb_install.h"

namespace usbinstall {
namespace {

using Host = ui::win32::DialogHost<std::string>;

struct Operation {
    platform::Machine* machine = nullptr;
    std::string argument;
    std::string packageFolder;
    Host* host = nullptr;
};

// The worker's log: every text goes to the dialog's thread, which owns the box.
class WindowLog : public LogSink {
public:
    explicit WindowLog(Host& host) : host_(host) {}
    void write(const std::string& text) override { host_.deliver(InstallDialog::logLine, text); }

private:
    Host& host_;
};

DWORD WINAPI workerMain(LPVOID parameter) {
    Operation& operation = *static_cast<Operation*>(parameter);
    WindowLog log(*operation.host);
    runUsbInstall(
        *operation.machine, operation.argument, operation.packageFolder, log,
        static_cast<platform::Handle>(reinterpret_cast<std::uintptr_t>(operation.host->window())));
    operation.host->deliver(InstallDialog::finished, "");
    return 0;
}

} // namespace

void runInstallDialog(HINSTANCE instance, platform::Machine& machine, const std::string& argument) {
    char aboutItem[128] = {};
    LoadStringA(instance, IDS_ABOUTBOX, aboutItem, sizeof aboutItem);
    Operation operation{&machine, argument, programFolder(machine), nullptr};
    HANDLE worker = nullptr;
    Host* hostOfDialog = nullptr;
    InstallDialog dialog(aboutItem, [&] {
        worker = CreateThread(nullptr, 0, workerMain, &operation, 0, nullptr);
        if (worker == nullptr)
            hostOfDialog->deliver(InstallDialog::finished, "");
    });
    Host host(instance, dialog);
    hostOfDialog = &host;
    operation.host = &host;
    host.runModal(IDD_INSTALL_DIALOG, nullptr);
    if (worker != nullptr) {
        // The worker has delivered its end by now; let it return.
        WaitForSingleObject(worker, 2000);
        CloseHandle(worker);
    }
}

} // namespace usbinstall
