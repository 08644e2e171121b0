#include "platform/sim/sim_machine.h"
#include "setup/startup.h"
#include "tests/support/sim_fixture.h"

#include <gtest/gtest.h>

using platform::sim::SimMachine;
using platform::sim::WindowsVariant;
using setup::StartupOutcome;

namespace {

const char* const languageFile =
    "[Setup]\r\nClose=Close the uninstaller first.\r\nNonsupport=This Windows is not "
    "supported.\r\nPortNull=No port is supported.\r\n[Message]\r\nIDS_X64=32-bit only.\r\n"
    "IDS_X32=64-bit only.\r\n";

// A package whose last model is a receipt printer on USB.
void writePackage(const testsupport::TempDir& dir, const std::string& deviceName = "") {
    dir.write("package/language/setup.ini", languageFile);
    dir.write("package/DRVCONFIG/setup.ini",
              "[DEVICENAME]\r\nDEVICENUMBER=2\r\nDEVICENAME1=QRT-L7A-LabelPrinter\r\n"
              "DEVICENAME2=QRT-K500NX-ReceiptPrinter\r\nLOADLICENSE=1\r\nLANGUAGE=1\r\n" +
                  deviceName);
    for (const char* f : {"setup_receipt.ini", "setup_receipt_64.ini"})
        dir.write(std::string("package/DRVCONFIG/") + f,
                  "[QRT-K500NX.PORT]\r\nUSBSUPPORTED=1\r\nLPTSUPPORTED=0\r\n");
}

struct Started {
    setup::StartupResult result;
    std::vector<std::string> messages;
};

Started start(const testsupport::TempDir& dir, WindowsVariant os, int bits,
              const std::function<void(SimMachine&)>& arrange = {}) {
    SimMachine m(testsupport::simConfig(dir, os, bits));
    if (arrange)
        arrange(m);
    Started s;
    s.result = setup::runStartup(m);
    s.messages = m.simDesktop().messageTexts();
    return s;
}

} // namespace

TEST(Startup, APackageWithAnInstallablePortRunsTheWizard) {
    testsupport::TempDir dir;
    writePackage(dir);
    const Started s = start(dir, WindowsVariant::Win7, 64);
    EXPECT_EQ(StartupOutcome::RunWizard, s.result.outcome);
    EXPECT_TRUE(s.result.wow64);
    EXPECT_TRUE(s.result.licenceInUse);
    EXPECT_FALSE(s.result.chineseFont);
    EXPECT_TRUE(s.messages.empty());
}

TEST(Startup, ASecondStartBringsTheFirstForwardSilently) {
    testsupport::TempDir dir;
    writePackage(dir);
    SimMachine m(testsupport::simConfig(dir, WindowsVariant::Xp, 32));
    m.simDesktop().addMutex("Tessaly");
    const auto first = m.simDesktop().addWindow("Tessaly", /*iconic=*/true);
    EXPECT_EQ(StartupOutcome::BroughtForward, setup::runStartup(m).outcome);
    EXPECT_EQ(first, m.simDesktop().foreground());
    EXPECT_FALSE(m.simDesktop().window(first)->iconic);
    EXPECT_TRUE(m.simDesktop().messageBoxes().empty());
}

TEST(Startup, TheFirstInstanceIsAlsoFoundByItsChineseTitle) {
    testsupport::TempDir dir;
    writePackage(dir);
    SimMachine m(testsupport::simConfig(dir, WindowsVariant::Xp, 32));
    m.simDesktop().addMutex("Tessaly");
    const auto first = m.simDesktop().addWindow(setup::setupChineseTitle);
    EXPECT_EQ(StartupOutcome::BroughtForward, setup::runStartup(m).outcome);
    EXPECT_EQ(first, m.simDesktop().foreground());

    // With no window to bring forward the second start still ends quietly.
    m.simDesktop().closeWindow(first);
    EXPECT_EQ(StartupOutcome::BroughtForward, setup::runStartup(m).outcome);
    EXPECT_TRUE(m.simDesktop().messageBoxes().empty());
}

TEST(Startup, RefusesWhileTheUninstallerIsOpen) {
    for (const char* title : {setup::uninstallTitle, setup::uninstallChineseTitle}) {
        testsupport::TempDir dir;
        writePackage(dir);
        const Started s = start(dir, WindowsVariant::Xp, 32,
                                [&](SimMachine& m) { m.simDesktop().addWindow(title); });
        EXPECT_EQ(StartupOutcome::Refused, s.result.outcome);
        EXPECT_EQ((std::vector<std::string>{"Close the uninstaller first."}), s.messages);
    }
}

TEST(Startup, RefusesWindows98MeAndNt4ButNot95) {
    for (WindowsVariant os : {WindowsVariant::Win98, WindowsVariant::WinMe, WindowsVariant::Nt4}) {
        testsupport::TempDir dir;
        writePackage(dir);
        const Started s = start(dir, os, 32);
        EXPECT_EQ(StartupOutcome::Refused, s.result.outcome);
        EXPECT_EQ((std::vector<std::string>{"This Windows is not supported."}), s.messages);
    }
    testsupport::TempDir dir;
    writePackage(dir);
    EXPECT_EQ(StartupOutcome::RunWizard, start(dir, WindowsVariant::Win95, 32).result.outcome);
}

TEST(Startup, PackageBitnessRestrictsOnlyTheOtherBitness) {
    struct Case {
        const char* value;
        int bits;
        const char* refusal; // nullptr: runs
    } cases[] = {{"0", 64, nullptr}, {"0", 32, nullptr},       {"3", 64, nullptr},
                 {"3", 32, nullptr}, {"1", 32, nullptr},       {"1", 64, "32-bit only."},
                 {"2", 64, nullptr}, {"2", 32, "64-bit only."}};
    for (const Case& c : cases) {
        testsupport::TempDir dir;
        writePackage(dir, std::string("Supported32OR64=") + c.value + "\r\n");
        const Started s = start(dir, WindowsVariant::Win7, c.bits);
        SCOPED_TRACE(std::string(c.value) + " on " + std::to_string(c.bits) + "-bit");
        if (c.refusal == nullptr) {
            EXPECT_EQ(StartupOutcome::RunWizard, s.result.outcome);
        } else {
            EXPECT_EQ(StartupOutcome::Refused, s.result.outcome);
            EXPECT_EQ((std::vector<std::string>{c.refusal}), s.messages);
        }
    }
}

TEST(Startup, PortCheckReadsTheLastModelInEveryTypeFileOfTheRunningBitness) {
    testsupport::TempDir dir;
    writePackage(dir);
    // The last model is a label printer supported only over COM, in the label file:
    // the check passes at its ninth read.
    dir.write("package/DRVCONFIG/setup.ini",
              "[DEVICENAME]\r\nDEVICENUMBER=2\r\nDEVICENAME1=QRT-K500NX-ReceiptPrinter\r\n"
              "DEVICENAME2=QRT-L7A-LabelPrinter\r\n");
    dir.write("package/DRVCONFIG/setup_lable.ini", "[QRT-L7A.PORT]\r\nCOMSUPPORTED=1\r\n");
    EXPECT_EQ(StartupOutcome::RunWizard, start(dir, WindowsVariant::Xp, 32).result.outcome);

    // On 64-bit Windows only the _64 files count.
    const Started s = start(dir, WindowsVariant::Win7, 64);
    EXPECT_EQ(StartupOutcome::Refused, s.result.outcome);
    EXPECT_EQ((std::vector<std::string>{"No port is supported."}), s.messages);
}

TEST(Startup, ANetworkOnlyLastModelIsRefused) {
    testsupport::TempDir dir;
    writePackage(dir);
    dir.write("package/DRVCONFIG/setup.ini",
              "[DEVICENAME]\r\nDEVICENUMBER=1\r\nDEVICENAME1=QRT-N1-ReceiptPrinter\r\n");
    for (const char* f :
         {"setup_receipt.ini", "setup_ticket.ini", "setup_lable.ini", "setup_embedded.ini"})
        dir.write(std::string("package/DRVCONFIG/") + f,
                  "[QRT-N1.PORT]\r\nNETSUPPORTED=1\r\nUSBSUPPORTED=0\r\nLPTSUPPORTED=0\r\n"
                  "COMSUPPORTED=0\r\n");
    const Started s = start(dir, WindowsVariant::Xp, 32);
    EXPECT_EQ(StartupOutcome::Refused, s.result.outcome);
    EXPECT_EQ((std::vector<std::string>{"No port is supported."}), s.messages);
}

TEST(Startup, AModelListWithoutPrinterTypesIsRefused) {
    testsupport::TempDir dir;
    writePackage(dir);
    dir.write("package/DRVCONFIG/setup.ini",
              "[DEVICENAME]\r\nDEVICENUMBER=1\r\nDEVICENAME1=QRT-K500NX\r\n");
    EXPECT_EQ(StartupOutcome::Refused, start(dir, WindowsVariant::Xp, 32).result.outcome);
}

TEST(Startup, AHugeModelCountDoesNotKeepTheProgramReading) {
    testsupport::TempDir dir;
    writePackage(dir);
    dir.write(
        "package/DRVCONFIG/setup.ini",
        "[DEVICENAME]\r\nDEVICENUMBER=2147483647\r\nDEVICENAME1=QRT-K500NX-ReceiptPrinter\r\n");
    // Entries 2..999 are missing and read "0": the last one read carries no type,
    // so the model checked is "0", which has no port section.
    EXPECT_EQ(StartupOutcome::Refused, start(dir, WindowsVariant::Xp, 32).result.outcome);
}

TEST(Startup, AMissingConfigurationReadsAsZerosAndAMissingLanguageFileGivesEnglishTexts) {
    testsupport::TempDir dir;
    const Started s = start(dir, WindowsVariant::Win7, 64);
    EXPECT_EQ(StartupOutcome::Refused, s.result.outcome);
    EXPECT_EQ((std::vector<std::string>{"None of the printers of this package can be installed on "
                                        "a USB, parallel or serial port."}),
              s.messages);
}

TEST(Startup, LanguageZeroOrAbsentAsksForTheChineseFont) {
    testsupport::TempDir dir;
    writePackage(dir);
    dir.write("package/DRVCONFIG/setup.ini",
              "[DEVICENAME]\r\nDEVICENUMBER=1\r\nDEVICENAME1=QRT-K500NX-ReceiptPrinter\r\n");
    const Started s = start(dir, WindowsVariant::Xp, 32);
    EXPECT_EQ(StartupOutcome::RunWizard, s.result.outcome);
    EXPECT_TRUE(s.result.chineseFont);
    EXPECT_FALSE(s.result.licenceInUse);
}
