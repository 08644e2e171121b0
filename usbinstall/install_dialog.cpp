#include "usbinstall/install_dialog.h"

#include "usbinstall/res/resource.h"

namespace usbinstall {

void InstallDialog::onInit(View& view) {
    if (!aboutItem_.empty())
        view.addSystemMenuItem(IDM_ABOUTBOX, aboutItem_);
    view.setIcon(IDR_MAINFRAME);
    running_ = true;
    start_();
}

void InstallDialog::onDelivered(View& view, unsigned code, const std::string& text) {
    if (code == logLine) {
        // At the end, whatever the user did with the caret in between.
        view.appendText(IDC_LOG, text);
    } else if (code == finished) {
        running_ = false;
        view.setTimer(closeTimer, closeDelayMs);
    }
}

void InstallDialog::onTimer(View& view, unsigned timer) {
    if (timer != closeTimer)
        return;
    view.killTimer(closeTimer);
    view.close(ui::idOk);
}

void InstallDialog::onEvent(View& view, const ui::ControlEvent& event) {
    // Closing in the middle of a driver installation would leave it half
    // done; the window goes by itself once the operation has ended.
    const bool closing =
        event.id == ui::idOk || event.id == ui::idCancel || event.id == IDC_INSTALL;
    if (event.notice == ui::Notice::Clicked && closing && !running_)
        view.close(event.id);
}

bool InstallDialog::onSysCommand(View& view, unsigned command) {
    if (command != IDM_ABOUTBOX)
        return false;
    AboutBox about;
    view.runModal(IDD_ABOUTBOX, about);
    return true;
}

void AboutBox::onEvent(View& view, const ui::ControlEvent& event) {
    if (event.notice == ui::Notice::Clicked && (event.id == ui::idOk || event.id == ui::idCancel))
        view.close(event.id);
}

} // namespace usbinstall
