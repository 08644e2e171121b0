// The uninstaller's dialogs driven as a user drives them, on FakeDialog over
// the real templates: what the main dialog shows, what stays disabled while
// the worker runs, the plan it carries out, the restart offer, start-up's
// refusals, the About box and help.
#include "common/program_titles.h"
#include "tests/sim/uninstall_scenario.h"
#include "ui/chinese_font.h"
#include "ui/fake_dialog.h"
#include "uninstall/dialog_templates.h"
#include "uninstall/res/resource.h"
#include "uninstall/uninstall_dialog.h"

#include <gtest/gtest.h>

namespace installtest {
namespace {

using Dialog = ui::FakeDialog<std::string>;

// The worker held until the test lets it run, as a thread would be.
class HeldRunner : public uninstall::RemovalRunner {
public:
    void start(std::function<void()> work) override { work_ = std::move(work); }
    bool finished() override { return done_; }
    void release() {
        work_();
        done_ = true;
    }

private:
    std::function<void()> work_;
    bool done_ = false;
};

std::string section(const char* name, const char* key) {
    return uninstallText(key, "", name);
}

TEST(UninstallDialog, ShowsThePackageAndRemovesItAsAUserSeesIt) {
    auto s = installedSample();
    SimMachine& m = s->machine();
    uninstall::UninstallContext context(m, false);
    HeldRunner runner;
    uninstall::UninstallDialog controller(context, runner);
    Dialog dialog(uninstall::dialogTemplates(), IDD_UNINSTALL, controller);
    dialog.onModal(IDD_RESTART, [](Dialog& restart) {
        EXPECT_EQ(restart.caption(), section("Reboot", "Title"));
        EXPECT_EQ(restart.text(IDC_REBOOT_NOTE2), section("Reboot", "Note2"));
        EXPECT_EQ(restart.text(ui::idOk), section("Reboot", "Yes"));
        restart.click(ui::idOk);
    });
    dialog.open();

    EXPECT_EQ(dialog.caption(), "Uninstall");
    EXPECT_EQ(dialog.items(IDC_ITEMS), (Lines{"QRT-K500NX(U) 1", "KV USB Monitor", "KVPrintProc"}));
    EXPECT_EQ(dialog.items(IDC_MESSAGES), Lines{uninstallText("IDS_SELECTPRN1")});
    EXPECT_EQ(dialog.text(IDC_NOTE), section("Uninstall", "Note"));
    EXPECT_EQ(dialog.text(IDC_UNINSTALL), section("Uninstall", "Uninstall"));
    EXPECT_EQ(dialog.text(IDC_SELECT_ALL), section("Uninstall", "Select"));
    EXPECT_EQ(dialog.text(ui::idCancel), section("Uninstall", "Exit"));
    EXPECT_EQ(dialog.text(IDC_USB_DRIVER), section("Uninstall", "USBuninstall"));
    EXPECT_EQ(dialog.systemMenu(), (std::vector<std::pair<unsigned, std::string>>{
                                       {IDM_ABOUTBOX, uninstallText("IDS_ABOUTBOX")}}));
    EXPECT_EQ(dialog.icon(), IDR_MAINFRAME);
    EXPECT_EQ(dialog.control(IDC_ITEMS).listStyle, 0x35u);
    EXPECT_TRUE(dialog.isEnabled(IDC_USB_DRIVER));
    EXPECT_FALSE(dialog.dialogFont());

    dialog.click(IDC_SELECT_ALL);
    dialog.click(IDC_USB_DRIVER);
    dialog.click(IDC_UNINSTALL);
    for (int id : {IDC_UNINSTALL, IDC_ITEMS, IDC_SELECT_ALL, ui::idCancel, IDC_USB_DRIVER})
        EXPECT_FALSE(dialog.isEnabled(id)) << id;
    EXPECT_EQ(dialog.timers().count(uninstall::UninstallDialog::workerTimer), 1u);
    const std::string print = "HKLM\\SYSTEM\\CurrentControlSet\\Control\\Print\\";
    EXPECT_EQ(
        uninstall::describePlan(controller.environment(), *controller.plan()),
        (Lines{
            "QRT-K500NX(U) 1 (printer)", "  DeletePrinter QRT-K500NX(U) 1, unless it has jobs",
            "  restart the Spooler",
            "  DeletePrinterDriverExA Windows x64 QRT-K500NX Receipt, then its files no "
            "other driver lists",
            "KV USB Monitor (monitor)",
            "  DeleteMonitorA Windows x64 KV USB Monitor (after a Spooler restart if "
            "refused)",
            "  delete HKLM\\SOFTWARE\\KORVANE\\INSTALLPRINTER",
            "  delete HKLM\\SOFTWARE\\KORVANE\\PORTNAME", "  restart the Spooler",
            "  delete " + print + "Monitors\\KV USB Monitor",
            "  delete <system>\\KVMONITORUSB.DLL (native view)",
            "  delete <system>\\KVMONITORUSBUI.DLL (native view)", "KVPrintProc (print processor)",
            "  DeletePrintProcessorA Windows x64 KVPrintProc", "  restart the Spooler",
            "  delete " + print + "Environments\\Windows x64\\Print Processors\\KVPrintProc",
            "  delete <print processors>\\KVPROCESSOR.DLL", "USB device driver: Install.exe 22"}));
    dialog.fireTimer(uninstall::UninstallDialog::workerTimer);
    EXPECT_FALSE(dialog.isEnabled(ui::idCancel)) << "the worker has not returned yet";

    runner.release();
    dialog.fireTimer(uninstall::UninstallDialog::workerTimer);
    EXPECT_EQ(
        dialog.items(IDC_MESSAGES),
        (Lines{uninstallText("IDS_SELECTPRN1"), uninstallText("IDS_DELETING2", "QRT-K500NX(U) 1"),
               uninstallText("IDS_SUCCESS", "QRT-K500NX(U) 1"),
               uninstallText("IDS_DRVDELETING", "QRT-K500NX(U) 1"),
               uninstallText("IDS_DRV_SUCCESS"), uninstallText("IDS_DELETING1", "KV USB Monitor"),
               uninstallText("IDS_SUCCESS", "KV USB Monitor"),
               uninstallText("IDS_DELETING1", "KVPrintProc"),
               uninstallText("IDS_SUCCESS", "KVPrintProc"), uninstallText("IDS_DELETING3"),
               uninstallText("IDS_DRV_SUCCESS1")}));
    EXPECT_EQ(dialog.selectedText(IDC_MESSAGES), uninstallText("IDS_DRV_SUCCESS1"));
    EXPECT_TRUE(dialog.items(IDC_ITEMS).empty());
    EXPECT_EQ(dialog.modalsOpened(), std::vector<int>{IDD_RESTART});
    EXPECT_EQ(m.simDesktop().exitRequests(), std::vector<std::uint32_t>{2u}); // EWX_REBOOT
    EXPECT_TRUE(dialog.isEnabled(ui::idCancel));
    for (int id : {IDC_UNINSTALL, IDC_SELECT_ALL, IDC_USB_DRIVER})
        EXPECT_FALSE(dialog.isEnabled(id)) << id;
    EXPECT_EQ(dialog.problems(), Lines{});
    dialog.click(ui::idCancel);
    EXPECT_TRUE(dialog.closed());
}

// Start-up and the first moments of the dialog, each on a fresh machine.
TEST(UninstallDialog, StartupRefusalsAndTheChineseEdition) {
    struct Case {
        const char* name;
        WindowsVariant os;
        bool administrator;
        std::function<void(SimMachine&, const fs::path& package)> arrange;
        uninstall::StartupOutcome outcome;
        std::string box; // the one message box, empty for none
        bool opens;
    };
    const Case cases[] = {
        {"a second copy", WindowsVariant::Win7, true,
         [](SimMachine& m, const fs::path&) {
             m.simDesktop().addMutex(uninstall::uninstallMutexName);
             m.simDesktop().addWindow("Uninstall", true);
         },
         uninstall::StartupOutcome::BroughtForward, "", false},
        {"the setup runs", WindowsVariant::Xp, true,
         [](SimMachine& m, const fs::path&) { m.simDesktop().addWindow("Tessaly"); },
         uninstall::StartupOutcome::Refused, section("Uninstall", "Close"), false},
        {"the Chinese setup runs", WindowsVariant::Xp, true,
         [](SimMachine& m, const fs::path&) {
             m.simDesktop().addWindow(common::setupChineseTitle);
         },
         uninstall::StartupOutcome::Refused, section("Uninstall", "Close"), false},
        {"a user on Windows 7", WindowsVariant::Win7, false, nullptr,
         uninstall::StartupOutcome::RunDialog, uninstallText("IDS_ADMIN"), false},
        {"a user on Windows 98", WindowsVariant::Win98, false, nullptr,
         uninstall::StartupOutcome::RunDialog, "", true},
        {"an empty package", WindowsVariant::Win7, true,
         [](SimMachine&, const fs::path& package) {
             fs::remove(package / "Uninstall.ini");
             fs::remove_all(package / "DRVCONFIG");
             fs::create_directories(package / "DRVCONFIG");
         },
         uninstall::StartupOutcome::RunDialog, uninstallText("IDS_ERR_INVALID"), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        testsupport::TempDir dir;
        auto config = testsupport::simConfig(dir, c.os, 32);
        config.administrator = c.administrator;
        writeSamplePackage(config.packageDir);
        SimMachine m(config);
        if (c.arrange)
            c.arrange(m, config.packageDir);
        const auto run = uninstallOn(m, everything());
        EXPECT_EQ(run.startup, c.outcome);
        const auto& boxes = m.simDesktop().messageBoxes();
        EXPECT_EQ(boxes.empty() ? std::string() : boxes.front().text, c.box);
        if (!boxes.empty()) {
            EXPECT_EQ(boxes.front().caption, "Uninstall");
        }
        EXPECT_EQ(run.worked, c.opens);
        if (c.outcome == uninstall::StartupOutcome::BroughtForward) {
            const platform::Handle window = m.simDesktop().windows().front().handle;
            EXPECT_EQ(m.simDesktop().foreground(), window);
            EXPECT_FALSE(m.simDesktop().window(window)->iconic);
        }
    }

    // The Chinese edition: every dialog takes the Chinese font.
    auto s = installedSample(WindowsVariant::Xp, 32, "LPT1:");
    std::string setupIni = readHostFile(s->package() / "DRVCONFIG" / "setup.ini");
    setupIni.replace(setupIni.find("LANGUAGE=1"), 10, "LANGUAGE=0");
    writeHostFile(s->package() / "DRVCONFIG" / "setup.ini", setupIni);
    const uninstall::StartupResult startup =
        uninstall::runStartup(s->machine(), uninstall::UninstallTexts(s->machine()));
    ASSERT_TRUE(startup.chineseFont);
    uninstall::UninstallContext context(s->machine(), startup.chineseFont);
    uninstall::InPlaceRunner runner;
    uninstall::UninstallDialog controller(context, runner);
    Dialog dialog(uninstall::dialogTemplates(), IDD_UNINSTALL, controller);
    bool restartInChinese = false;
    dialog.onModal(IDD_RESTART, [&](Dialog& restart) {
        restartInChinese = restart.dialogFont() && restart.dialogFont()->face == "\xCB\xCE\xCC\xE5";
        restart.click(ui::idCancel);
    });
    dialog.open();
    ASSERT_TRUE(dialog.dialogFont());
    EXPECT_EQ(dialog.dialogFont()->face, ui::chineseDialogFont().face);
    dialog.click(IDC_SELECT_ALL);
    dialog.click(IDC_UNINSTALL);
    EXPECT_TRUE(restartInChinese);
    EXPECT_TRUE(s->machine().simDesktop().exitRequests().empty()) << "No keeps Windows running";
}

TEST(UninstallDialog, AboutBoxAndHelp) {
    auto s = installedSample(WindowsVariant::Xp, 32, "LPT1:");
    SimMachine& m = s->machine();
    uninstall::UninstallContext context(m, false);
    uninstall::InPlaceRunner runner;
    uninstall::UninstallDialog controller(context, runner);
    Dialog dialog(uninstall::dialogTemplates(), IDD_UNINSTALL, controller);
    Lines about;
    dialog.onModal(IDD_ABOUTBOX, [&about](Dialog& box) {
        about = {box.caption(), box.text(IDC_ABOUT_VERSION), box.text(IDC_ABOUT_COPYRIGHT),
                 box.text(ui::idOk)};
        box.click(ui::idOk);
    });
    dialog.open();
    EXPECT_TRUE(dialog.sysCommand(IDM_ABOUTBOX));
    EXPECT_EQ(about, (Lines{section("About", "Title"), section("About", "Version"),
                            section("About", "Copyright"), section("About", "OK")}));

    // No help file: both are tried, then the user is told.
    dialog.pressF1();
    const auto& launches = m.simDesktop().launches();
    ASSERT_GE(launches.size(), 2u);
    EXPECT_EQ(launches[launches.size() - 2].file, ".\\Uninstall_EN.CHM");
    EXPECT_EQ(launches.back().file, ".\\Uninstall_CN.CHM");
    EXPECT_EQ(m.simDesktop().messageBoxes().back().text,
              "The help file .\\Uninstall_EN.CHM cannot be opened.");
    // An open help window is brought forward instead.
    const platform::Handle help = m.simDesktop().addWindow("Uninstall", true);
    const std::size_t launched = launches.size();
    dialog.pressF1();
    EXPECT_EQ(m.simDesktop().foreground(), help);
    EXPECT_EQ(launches.size(), launched);
    EXPECT_EQ(dialog.problems(), Lines{});
}

} // namespace
} // namespace installtest
