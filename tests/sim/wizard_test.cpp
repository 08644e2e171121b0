// The wizard as a user meets it: the real frame and pages on the real
// templates, over a simulated machine with the sample package.
#include "install_scenario.h"

#include "setup/dialog_templates.h"
#include "setup/res/resource.h"
#include "setup/wizard_frame.h"
#include "setup/wizard_script.h"
#include "ui/fake_dialog.h"

#include <gtest/gtest.h>

namespace installtest {
namespace {

using Dialog = ui::FakeDialog<std::string>;
using setup::PrinterType;

// The wizard opened on a scenario's machine, as Tessaly.exe opens it.
class OpenWizard {
public:
    explicit OpenWizard(Scenario& s)
        : s_(s), startup_(setup::runStartup(s.machine())),
          context_(s.machine(), s.machine().config().programFolder, startup_),
          progress_(s.machine().clock()),
          frame_(context_, [this](setup::View&) -> setup::WorkerRunner& { return progress_; }),
          dialog_(setup::dialogTemplates(), IDD_WIZARD, frame_) {
        dialog_.setPictureLoader([&s](const std::string& path) {
            std::vector<std::uint8_t> bytes;
            return s.machine().files().ReadFileBytes(path, bytes) && bytes.size() > 54;
        });
        dialog_.open();
    }
    ~OpenWizard() { EXPECT_EQ(dialog_.problems(), std::vector<std::string>{}); }

    Dialog& frame() { return dialog_; }
    Dialog& page(int templateId) { return *dialog_.child(templateId); }
    setup::WizardFrame& controller() { return frame_; }
    // The message boxes shown since the last call.
    std::vector<std::string> shown() {
        std::vector<std::string> texts;
        const auto& boxes = s_.machine().simDesktop().messageBoxes();
        for (; seen_ < boxes.size(); ++seen_)
            texts.push_back(boxes[seen_].text);
        return texts;
    }
    // Which page is shown (its template id), 0 for none.
    int shownPage() {
        for (int id : {IDD_LICENCE_PAGE, IDD_TYPE_PAGE, IDD_MODE_PAGE, IDD_OS_PAGE, IDD_PORT_PAGE})
            if (dialog_.child(id) && dialog_.child(id)->dialogVisible())
                return id;
        return 0;
    }
    // Accepts the licence and goes forward to the page of `templateId`.
    void forwardTo(int templateId) {
        if (shownPage() == IDD_LICENCE_PAGE)
            page(IDD_LICENCE_PAGE).click(IDC_ACCEPT);
        while (shownPage() != templateId && dialog_.click(ui::idOk)) {
        }
    }

private:
    Scenario& s_;
    setup::StartupResult startup_;
    setup::WizardContext context_;
    setup::SynchronousProgress progress_;
    setup::WizardFrame frame_;
    Dialog dialog_;
    std::size_t seen_ = 0;
};

TEST(Wizard, OpensOnTheLicenceAndWalksForwardAndBack) {
    Scenario s(WindowsVariant::Win7, 64);
    OpenWizard w(s);
    Dialog& frame = w.frame();
    EXPECT_EQ(frame.caption(), s.text("Caption"));
    EXPECT_EQ(frame.control(IDC_LEFT_PICTURE).pictureFile, "DRVCONFIG\\Left.bmp");
    EXPECT_EQ(frame.systemMenu().size(), 1u);
    EXPECT_EQ(w.shownPage(), IDD_LICENCE_PAGE);
    EXPECT_EQ(w.page(IDD_LICENCE_PAGE).text(IDC_LICENCE_TEXT),
              readHostFile(s.package() / "License.txt"));
    EXPECT_FALSE(frame.isEnabled(ui::idOk));
    EXPECT_FALSE(frame.isEnabled(IDC_BACK));

    // Next follows the licence choice.
    w.page(IDD_LICENCE_PAGE).click(IDC_ACCEPT);
    EXPECT_TRUE(frame.isEnabled(ui::idOk));
    w.page(IDD_LICENCE_PAGE).click(IDC_REJECT);
    EXPECT_FALSE(frame.isEnabled(ui::idOk));
    w.page(IDD_LICENCE_PAGE).click(IDC_ACCEPT);

    // The type page opens on the package's default model.
    frame.click(ui::idOk);
    Dialog& type = w.page(IDD_TYPE_PAGE);
    EXPECT_EQ(w.shownPage(), IDD_TYPE_PAGE);
    EXPECT_TRUE(type.isChecked(IDC_RECEIPT));
    EXPECT_EQ(type.items(IDC_RECEIPT_MODELS),
              (std::vector<std::string>{"QRT-K250", "QRT-N90", "QRT-K500NX"}));
    EXPECT_EQ(type.selectedText(IDC_RECEIPT_MODELS), "QRT-K500NX");
    EXPECT_TRUE(type.isEnabled(IDC_RECEIPT_MODELS));
    EXPECT_FALSE(type.isEnabled(IDC_TICKET_MODELS));
    // Switching type follows that type's own selection, and back.
    type.click(IDC_LABEL);
    EXPECT_EQ(w.controller().typePage().model(), "QRT-L7A");
    type.click(IDC_RECEIPT);
    EXPECT_EQ(w.controller().typePage().model(), "QRT-K500NX");

    // Next reads Install exactly while the port page is shown.
    w.forwardTo(IDD_PORT_PAGE);
    EXPECT_EQ(frame.text(ui::idOk), s.text("Install"));
    EXPECT_TRUE(w.page(IDD_OS_PAGE).isChecked(IDC_OS_7));
    EXPECT_FALSE(w.page(IDD_OS_PAGE).control(IDC_OS_2000).visible); // 64-bit Windows
    frame.click(IDC_BACK);
    EXPECT_EQ(w.shownPage(), IDD_OS_PAGE);
    EXPECT_EQ(frame.text(ui::idOk), s.text("Next"));
    EXPECT_TRUE(w.shown().empty());

    // Cancel ends the wizard at once.
    frame.click(ui::idCancel);
    EXPECT_TRUE(frame.closed());
}

TEST(Wizard, PortPageOffersWhatTheModelAndWindowsAllow) {
    struct Case {
        const char* model;
        PrinterType type;
        WindowsVariant os;
        int bits;
        std::vector<std::string> ports;
        const char* selected;
        bool serialEnabled;
        const char* baud; // the model's BaudRate
    } cases[] = {
        // LPTDEFAULT chooses the parallel port; 32-bit Windows names the maker's serial ports.
        {"QRT-E80",
         PrinterType::Embedded,
         WindowsVariant::Win7,
         32,
         {"KVCOM1:", "KVCOM2:", "KVCOM3:", "KVCOM4:", "KVCOM5:", "KVCOM6:", "KVCOM7:", "KVCOM8:",
          "LPT1:", "LPT2:", "LPT3:"},
         "LPT1:",
         false,
         "9600"},
        // Without a USB printer the sorted list's first entry is chosen.
        {"QRT-K500NX",
         PrinterType::Receipt,
         WindowsVariant::Win7,
         64,
         {"COM1:", "COM2:", "COM3:", "COM4:", "COM5:", "COM6:", "COM7:", "COM8:", "LPT1:", "LPT2:",
          "LPT3:", "NET:", "USB_QRT-K500NX_1"},
         "COM1:",
         true,
         "38400"},
        {"QRT-N90", PrinterType::Receipt, WindowsVariant::Xp, 32, {"NET:"}, "NET:", false, "9600"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.model);
        Scenario s(c.os, c.bits);
        OpenWizard w(s);
        w.page(IDD_LICENCE_PAGE).click(IDC_ACCEPT);
        w.frame().click(ui::idOk);
        Dialog& type = w.page(IDD_TYPE_PAGE);
        const int list = c.type == PrinterType::Embedded ? IDC_EMBEDDED_MODELS : IDC_RECEIPT_MODELS;
        type.click(c.type == PrinterType::Embedded ? IDC_EMBEDDED : IDC_RECEIPT);
        type.chooseText(list, c.model);
        w.forwardTo(IDD_PORT_PAGE);
        Dialog& port = w.page(IDD_PORT_PAGE);
        EXPECT_EQ(port.items(IDC_PORTS), c.ports);
        EXPECT_EQ(port.selectedText(IDC_PORTS), c.selected);
        EXPECT_EQ(port.isEnabled(IDC_BAUD), c.serialEnabled);
        EXPECT_EQ(port.isEnabled(IDC_IP_ADDRESS), std::string(c.selected) == "NET:");
        EXPECT_FALSE(port.isVisible(IDC_RASTER)); // typical mode
        EXPECT_EQ(port.selectedText(IDC_BAUD), c.baud);
    }
}

TEST(Wizard, UsbPortFollowsTheAttachedPrinterAndWarnsWithoutItsDriver) {
    Scenario s(WindowsVariant::Win7, 64);
    s.machine().simUsb().attachPrinter(10); // number 3
    OpenWizard w(s);
    w.page(IDD_LICENCE_PAGE).click(IDC_ACCEPT);
    w.frame().click(ui::idOk);
    w.frame().click(ui::idOk);
    w.page(IDD_MODE_PAGE).click(IDC_ADVANCED);
    EXPECT_TRUE(w.page(IDD_MODE_PAGE).isVisible(IDC_NOTE2));
    w.forwardTo(IDD_PORT_PAGE);
    Dialog& port = w.page(IDD_PORT_PAGE);
    EXPECT_EQ(port.selectedText(IDC_PORTS), "USB_QRT-K500NX_3");
    EXPECT_TRUE(port.isChecked(IDC_RASTER));
    EXPECT_TRUE(port.isVisible(IDC_USB_WARNING)); // no KVPUSB.sys installed yet
    EXPECT_EQ(port.text(IDC_USB_WARNING), s.text("IDS_ERR_UPDATEUSB"));
    EXPECT_EQ(port.control(IDC_USB_WARNING).textColor, (ui::Rgb{0, 0, 255}));
    // A serial port brings the serial settings back and drops raster.
    port.chooseText(IDC_PORTS, "COM2:");
    EXPECT_TRUE(port.isEnabled(IDC_BAUD));
    EXPECT_FALSE(port.isEnabled(IDC_RASTER));
    EXPECT_FALSE(port.isVisible(IDC_USB_WARNING));
}

TEST(Wizard, ChecksBetweenPagesKeepTheUserWhereTheChoiceIsWrong) {
    { // A model that does not support the running Windows keeps the OS page.
        Scenario s(WindowsVariant::Win7, 64);
        OpenWizard w(s);
        w.page(IDD_LICENCE_PAGE).click(IDC_ACCEPT);
        w.frame().click(ui::idOk);
        w.page(IDD_TYPE_PAGE).chooseText(IDC_RECEIPT_MODELS, "QRT-K250");
        w.frame().click(ui::idOk);
        EXPECT_FALSE(w.page(IDD_MODE_PAGE).isEnabled(IDC_ADVANCED)); // AdvancedSetup 0
        EXPECT_EQ(w.page(IDD_MODE_PAGE).text(IDC_NOTE1), s.text("IDS_TYPICAL_NOTES"));
        w.frame().click(ui::idOk);
        w.frame().click(ui::idOk);
        EXPECT_EQ(w.shownPage(), IDD_OS_PAGE);
        EXPECT_EQ(w.shown(), std::vector<std::string>{s.text("IDS_NOTSUPPORTWin7")});
        EXPECT_TRUE(w.frame().isEnabled(IDC_BACK));
        EXPECT_TRUE(w.frame().isEnabled(ui::idOk));
        // Back to a model with advanced setup: the typical-only note goes.
        w.frame().click(IDC_BACK);
        w.frame().click(IDC_BACK);
        w.page(IDD_TYPE_PAGE).chooseText(IDC_RECEIPT_MODELS, "QRT-K500NX");
        w.frame().click(ui::idOk);
        EXPECT_TRUE(w.page(IDD_MODE_PAGE).isEnabled(IDC_ADVANCED));
        EXPECT_EQ(w.page(IDD_MODE_PAGE).text(IDC_NOTE1), s.text("Note1"));
    }
    { // A network port without an address stops Install; the wizard stays open.
        Scenario s(WindowsVariant::Win7, 64);
        OpenWizard w(s);
        w.forwardTo(IDD_PORT_PAGE);
        w.page(IDD_PORT_PAGE).chooseText(IDC_PORTS, "NET:");
        w.frame().click(ui::idOk);
        EXPECT_EQ(w.shown(), std::vector<std::string>{s.text("IDS_ERR_IPADDRISNULL")});
        EXPECT_FALSE(w.frame().closed());
        EXPECT_EQ(w.shownPage(), IDD_PORT_PAGE);
    }
}

TEST(Wizard, BaudRateComesFromTheModelUntilTheUserChoosesAgain) {
    Scenario s(WindowsVariant::Win7, 64);
    OpenWizard w(s);
    w.forwardTo(IDD_PORT_PAGE);
    Dialog& port = w.page(IDD_PORT_PAGE);
    EXPECT_EQ(port.selectedText(IDC_BAUD), "38400");
    port.chooseText(IDC_BAUD, "115200");
    // Back to the OS page and forward again keeps the user's rate...
    w.frame().click(IDC_BACK);
    w.frame().click(ui::idOk);
    EXPECT_EQ(port.selectedText(IDC_BAUD), "115200");
    // ...going back past the mode page reloads the model's.
    for (int i = 0; i < 3; ++i)
        w.frame().click(IDC_BACK);
    w.forwardTo(IDD_PORT_PAGE);
    EXPECT_EQ(port.selectedText(IDC_BAUD), "38400");
    EXPECT_EQ(w.controller().portPage().baud(), 38400);
}

TEST(Wizard, RefusesToOpenWithoutItsPictureLicenceOrAdministrator) {
    struct Case {
        const char* what;
        std::function<void(Scenario&)> arrange;
        const char* message;
    } cases[] = {
        {"no picture",
         [](Scenario& s) {
             s.machine().files().DeleteFileA(s.machine().config().programFolder +
                                             "\\DRVCONFIG\\Left.bmp");
         },
         "IDS_ERR_NOLEFT"},
        {"no licence",
         [](Scenario& s) {
             s.machine().files().DeleteFileA(s.machine().config().programFolder + "\\License.txt");
         },
         "IDS_ERR_NOLICENSE"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Scenario s(WindowsVariant::Win7, 64);
        c.arrange(s);
        OpenWizard w(s);
        EXPECT_TRUE(w.frame().closed());
        EXPECT_EQ(w.shown(), std::vector<std::string>{s.text(c.message)});
    }
}

TEST(Wizard, ScriptedUserInstallsOnEveryKindOfPort) {
    struct Case {
        const char* what;
        setup::WizardChoice choice;
        std::vector<int> answers;
        const char* printer;
        std::vector<std::string> expectLines; // lines the machine gains
    };
    const auto [usb, advanced, serial, network, parallel] = portKindChoices();
    const Case cases[] = {
        {"typical USB", usb, {}, "QRT-K500NX(U) 1", {"default QRT-K500NX(U) 1"}},
        {"advanced USB", advanced, {platform::mb::idYes}, "QRT-K500NX(U) 2", {}},
        {"serial", serial, {}, "QRT-K500NX(S)", {"19200,e,7,1.5,x"}},
        {"network", network, {}, "QRT-K500NX(E)", {"port IP_192.168.1.251"}},
        {"parallel", parallel, {}, "QRT-E80(P)", {"on LPT2:"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Scenario s(WindowsVariant::Win7, 64);
        s.machine().simUsb().attachPrinter(8); // identity number 1
        s.machine().simDesktop().queueAnswers(c.answers);
        const std::vector<std::string> before = s.state();
        setup::SynchronousProgress progress(s.machine().clock());
        const setup::WizardRun run = setup::runWizardScript(s.machine(), c.choice, progress);
        ASSERT_TRUE(run.installed()) << run.stopped;
        EXPECT_EQ(run.stopped, "");
        EXPECT_EQ(run.outcome->printerName, c.printer);
        const std::vector<std::string> changes = stateChanges(before, s.state());
        EXPECT_TRUE(anyLine(changes, "+ printer " + std::string(c.printer) + " on"));
        for (const std::string& line : c.expectLines)
            EXPECT_TRUE(anyLine(changes, line)) << line;
    }
}

TEST(Wizard, ScriptedUserIsRefusedWhatTheWizardDoesNotOffer) {
    struct Case {
        setup::WizardChoice choice;
        const char* says;
    } cases[] = {
        {{PrinterType::Receipt, "QRT-N90", false, false, "COM1:"}, "the port page offers: NET:"},
        {{PrinterType::Label, "QRT-L80", false, false, "LPT1:"}, "is not offered"},
        {{PrinterType::Ticket, "QRT-K500NX", false, false, "LPT1:"}, "offered: QRT-T300"},
        {{PrinterType::Receipt, "QRT-K250", true, false, "LPT1:"}, "advanced installation"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.says);
        Scenario s(WindowsVariant::Xp, 32);
        const std::vector<std::string> before = s.state();
        setup::SynchronousProgress progress(s.machine().clock());
        const setup::WizardRun run = setup::runWizardScript(s.machine(), c.choice, progress);
        EXPECT_FALSE(run.outcome);
        EXPECT_NE(run.stopped.find(c.says), std::string::npos) << run.stopped;
        EXPECT_EQ(stateChanges(before, s.state()), std::vector<std::string>{});
    }
}

} // namespace
} // namespace installtest
