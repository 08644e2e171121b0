// Install's window: it cannot be closed while the operation runs, shows every
// log line at the end of its box, and closes itself shortly after the end.
#include "usbinstall/dialog_templates.h"
#include "usbinstall/install_dialog.h"
#include "usbinstall/res/resource.h"
#include "ui/fake_dialog.h"

#include <gtest/gtest.h>

namespace {

TEST(InstallDialog, StaysWhileTheOperationRunsAndClosesItselfAfter) {
    int started = 0;
    usbinstall::InstallDialog controller("About Installer(&A)...", [&] { ++started; });
    ui::FakeDialog<std::string> window(usbinstall::dialogTemplates(), IDD_INSTALL_DIALOG,
                                       controller);
    window.open();
    EXPECT_EQ(started, 1);
    EXPECT_EQ(window.caption(), "Device driver setup");
    EXPECT_EQ(window.icon(), IDR_MAINFRAME);
    ASSERT_EQ(window.systemMenu().size(), 1u);
    EXPECT_EQ(window.systemMenu()[0].first, unsigned{IDM_ABOUTBOX});

    // Escape, Enter and the close box are refused while the driver installs.
    window.pressEscape();
    window.pressEnter();
    EXPECT_FALSE(window.closed());

    window.setText(IDC_LOG, "");
    window.deliver(usbinstall::InstallDialog::logLine, "install usb driver.....\r\n");
    window.deliver(usbinstall::InstallDialog::logLine, "install finish.....\r\n");
    EXPECT_EQ(window.text(IDC_LOG), "install usb driver.....\r\ninstall finish.....\r\n");

    // The About box opens from the system menu at any time.
    window.onModal(IDD_ABOUTBOX, [](ui::FakeDialog<std::string>& about) { about.click(ui::idOk); });
    EXPECT_TRUE(window.sysCommand(IDM_ABOUTBOX));

    window.deliver(usbinstall::InstallDialog::finished, "");
    EXPECT_EQ(window.timers().at(usbinstall::InstallDialog::closeTimer),
              usbinstall::InstallDialog::closeDelayMs);
    window.fireTimer(usbinstall::InstallDialog::closeTimer);
    EXPECT_TRUE(window.closed());
    EXPECT_EQ(window.result(), ui::idOk);
    EXPECT_EQ(window.problems(), std::vector<std::string>{});
}

} // namespace
