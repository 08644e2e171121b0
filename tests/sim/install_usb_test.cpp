// USB installations on the simulated machine: the device driver and its
// installer, the printer's identity in both modes, the maker keys, and the
// whole state a typical installation leaves.
#include "tests/sim/install_scenario.h"

#include <gtest/gtest.h>

namespace installtest {
namespace {

using setup::InstallResult;
using setup::PrinterType;

const char* const k500 = "QRT-K500NX";

std::vector<std::uint8_t> identityCommand(std::uint8_t last) {
    return {0x1B, 0x73, 0x5A, 0x31, 0xC4, 0x7E, 0x1D, 0x49, 0x20, last};
}

void installDriverVersion(SimMachine& m, const std::string& version) {
    const auto pe = testsupport::peWithFileVersion(version, m.is64BitWindows());
    m.simFiles().writeText(m.systemDirectory() + "\\drivers\\KVPUSB.sys",
                           std::string(pe.begin(), pe.end()));
}

// The typical request of a USB receipt printer on 64-bit Windows 7, change by change.
TEST(InstallUsb, TypicalInstallationOnWindows7x64LeavesExactlyThisState) {
    Scenario s(WindowsVariant::Win7, 64);
    s.machine().simUsb().attachPrinter(8); // identity number 1
    const auto before = s.state();
    const auto outcome = s.install(s.request(PrinterType::Receipt, k500, "USB_QRT-K500NX_1"));

    EXPECT_EQ(outcome.result, InstallResult::Succeeded);
    EXPECT_EQ(outcome.printerName, "QRT-K500NX(U) 1");
    EXPECT_EQ(s.messages(), std::vector<std::string>{s.text("IDS_INF_USBRESTART")});
    const std::string d = "C:\\WINDOWS\\system32\\spool\\drivers\\x64\\";
    const std::string d3 = d + "3\\";
    const std::string print = "HKLM\\SYSTEM\\CurrentControlSet\\Control\\Print\\";
    const std::vector<std::string> expected = {
        "+ driver Windows x64 QRT-K500NX Receipt v3 " + d3 + "UNIDRV.DLL " + d3 + "K500NX.GPD " +
            d3 + "UNIDRVUI.DLL " + d3 + "UNIDRV.HLP deps " + d3 + "K500NX.GPD " + d3 +
            "TTFSUB.GPD " + d3 + "UNIRES.DLL " + d3 + "STDNAMES.GPD " + d3 + "K500NXRES.DLL " + d3 +
            "57KXUI.dll " + d3 + "KVRENDER.DLL " + d3 + "KVOEM.INI monitor=",
        "+ file C:\\WINDOWS\\system32\\KVMONITORUSB.DLL = W64 KVMONITORUSB.DLL",
        "+ file C:\\WINDOWS\\system32\\KVMONITORUSBUI.DLL = W64 KVMONITORUSBUI.DLL",
        "+ file C:\\WINDOWS\\system32\\drivers\\KVPUSB.sys",
        "+ file " + d3 + "57KXUI.dll = W64 57KXUI.dll",
        "+ file " + d3 + "K500NX.GPD = W64 K500NX.GPD",
        "+ file " + d3 + "K500NXRES.DLL = W64 K500NXRES.DLL",
        "+ file " + d3 + "KVCONTROL.TTF = W64 KVCONTROL.TTF",
        "+ file " + d3 + "KVOEM.INI = W64 KVOEM.INI",
        "+ file " + d3 + "KVRENDER.DLL = W64 KVRENDER.DLL",
        "+ file " + d + "57KXUI.DLL = W64 57KXUI.dll",
        "+ file " + d + "K500NX.GPD = W64 K500NX.GPD",
        "+ file " + d + "K500NXRES.DLL = W64 K500NXRES.DLL",
        "+ file " + d + "KVOEM.INI = W64 KVOEM.INI",
        "+ file " + d + "KVRENDER.DLL = W64 KVRENDER.DLL",
        "+ file C:\\WINDOWS\\system32\\spool\\prtprocs\\x64\\KVPROCESSOR.DLL = W64 KVPROCESSOR.DLL",
        "+ monitor KV USB Monitor loads KVMONITORUSB.DLL",
        "+ port USB_QRT-K500NX_1 (KV USB Monitor)",
        "+ printer QRT-K500NX(U) 1 on USB_QRT-K500NX_1 driver=QRT-K500NX Receipt "
        "processor=KVPrintProc attributes=2112",
        "+ processor Windows x64 KVPrintProc KVPROCESSOR.DLL",
        "+ reg HKLM\\SOFTWARE\\KORVANE\\PORTNAME\\USB_QRT-K500NX_1 = dword:1",
        "+ reg HKLM\\SOFTWARE\\KORVANE\\PRINTERPORT\\D1 = dword:0",
        "+ reg HKLM\\SOFTWARE\\KORVANE\\PRINTERPORT\\D2 = dword:0",
        "+ reg HKLM\\SOFTWARE\\KORVANE\\PRINTERPORT\\D3 = dword:0",
        "+ reg HKLM\\SOFTWARE\\KORVANE\\PRINTERPORT\\D4 = dword:0",
        "+ reg HKLM\\SOFTWARE\\KORVANE\\PRINTERPORT\\D5 = dword:0",
        "+ reg HKLM\\SOFTWARE\\KORVANE\\PRINTERPORT\\D6 = dword:0",
        "+ reg HKLM\\SOFTWARE\\KORVANE\\PRINTERPORT\\D7 = dword:0",
        "+ reg HKLM\\SOFTWARE\\KORVANE\\PRINTERPORT\\D8 = dword:0",
        "+ reg HKLM\\SOFTWARE\\KORVANE\\PRINTERPORT\\USB_QRT-K500NX_1 = dword:0",
        "+ reg " + print +
            "Environments\\Windows x64\\Print Processors\\KVPrintProc\\Driver = sz:KVPROCESSOR.DLL",
        "+ reg " + print +
            "Environments\\Windows x64\\Print Processors\\KVPrintProc\\DriverVersion = dword:4",
        "+ reg " + print + "Monitors\\KV USB Monitor\\Driver = sz:KVMONITORUSB.DLL",
        "+ reg " + print + "Monitors\\KV USB Monitor\\DriverVersion = dword:3",
    };
    // The universal driver's files come from the driver store, staged and then
    // filed under the version folder by the spooler.
    std::vector<std::string> want = expected;
    for (const std::string& folder : {d, d3}) {
        for (const char* name : {"STDNAMES.GPD", "TTFSUB.GPD", "UNIDRV.DLL", "UNIDRV.HLP",
                                 "UNIDRVUI.DLL", "UNIRES.DLL"}) {
            std::string system = name;
            for (char& c : system)
                c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
            want.push_back("+ file " + folder + name + " = " + system + " (simulated, amd64)");
        }
    }
    std::sort(want.begin(), want.end());
    EXPECT_EQ(stateChanges(before, s.state()), want);
    // The bar ran to its end.
    ASSERT_FALSE(s.bar().empty());
    EXPECT_EQ(s.bar().back(), 99);
}

TEST(InstallUsb, MissingUsbDriverRunsTheInstallerAndWaitsForItsWindow) {
    Scenario s(WindowsVariant::Win7, 64);
    provideUsbInstaller(s.machine(), 42);
    const std::uint64_t start = s.machine().simClock().now();
    const auto outcome = s.install(s.request(PrinterType::Receipt, k500, "USB_QRT-K500NX_1"));
    EXPECT_EQ(outcome.result, InstallResult::Succeeded);
    const auto& launches = s.machine().simDesktop().launches();
    ASSERT_EQ(launches.size(), 1u);
    EXPECT_EQ(launches[0].verb, "open");
    EXPECT_EQ(launches[0].file, "E:\\Package\\USBDRV\\USBDriver_x64\\Install.exe");
    EXPECT_EQ(launches[0].parameters, "2");
    EXPECT_EQ(launches[0].show, platform::sw::showNormal);
    // 0.5 s, a poll a second until the window goes at 42 s, then 3 s more.
    EXPECT_GE(s.machine().simClock().now() - start, 45500u);
    EXPECT_LT(s.machine().simClock().now() - start, 60000u);
}

TEST(InstallUsb, InstallerRunsOnlyWhenTheInstalledDriverIsMissingOrOlder) {
    struct Case {
        const char* installed;
        bool runs;
    } cases[] = {{"1.2.0.2", true}, {"1.2.0.3", false}, {"1.3.0.0", false}, {"1.10.0.0", false}};
    for (const Case& c : cases) {
        Scenario s(WindowsVariant::Xp, 32);
        installDriverVersion(s.machine(), c.installed);
        s.install(s.request(PrinterType::Receipt, k500, "USB_QRT-K500NX_1"));
        EXPECT_EQ(s.machine().simDesktop().launches().size(), c.runs ? 1u : 0u) << c.installed;
        if (c.runs) {
            EXPECT_EQ(s.machine().simDesktop().launches()[0].file,
                      "E:\\Package\\USBDRV\\USBDriver\\Install.exe");
        }
    }
}

TEST(InstallUsb, InstallerThatNeverClosesStopsAfterTenMinutesWithNothingInstalled) {
    Scenario s(WindowsVariant::Win7, 64);
    s.machine().simDesktop().setProgram(
        "Install.exe", [](SimMachine& m, const platform::sim::SimDesktop::Launch&) {
            m.simDesktop().addWindow("Device driver setup");
            return std::uintptr_t{42};
        });
    const auto before = s.state();
    const std::uint64_t start = s.machine().simClock().now();
    const auto outcome = s.install(s.request(PrinterType::Receipt, k500, "USB_QRT-K500NX_1"));
    EXPECT_EQ(outcome.result, InstallResult::Stopped);
    EXPECT_EQ(s.messages(), std::vector<std::string>{"The USB device driver setup did not finish "
                                                     "within 10 minutes. Installation stopped."});
    const std::uint64_t waited = s.machine().simClock().now() - start;
    EXPECT_GE(waited, 600000u);
    EXPECT_LT(waited, 602000u);
    EXPECT_EQ(stateChanges(before, s.state()), std::vector<std::string>{});
}

TEST(InstallUsb, InstallerThatCannotStartStopsWithItsPath) {
    Scenario s(WindowsVariant::Win7, 64);
    std::filesystem::remove(s.package() / "USBDRV" / "USBDriver_x64" / "Install.exe");
    const auto outcome = s.install(s.request(PrinterType::Receipt, k500, "USB_QRT-K500NX_1"));
    EXPECT_EQ(outcome.result, InstallResult::Stopped);
    ASSERT_EQ(s.messages().size(), 1u);
    EXPECT_NE(s.messages()[0].find("E:\\Package\\USBDRV\\USBDriver_x64\\Install.exe"),
              std::string::npos);
    EXPECT_TRUE(s.machine().simSpooler().printers().empty());
}

TEST(InstallUsb, TypicalModeWithoutPrinterProceedsWithoutIdentityCheck) {
    Scenario s(WindowsVariant::Win7, 64);
    const auto outcome = s.install(s.request(PrinterType::Receipt, k500, "USB_QRT-K500NX_1"));
    EXPECT_EQ(outcome.result, InstallResult::Succeeded);
    EXPECT_EQ(s.messages(), std::vector<std::string>{s.text("IDS_INF_USBRESTART")});
}

TEST(InstallUsb, TypicalModeAsksToRenumberAPrinterThatIsNotNumberOne) {
    {
        Scenario s(WindowsVariant::Win7, 64);
        s.machine().simUsb().attachPrinter(9); // number 2
        s.machine().simDesktop().queueAnswers({platform::mb::idNo});
        const auto before = s.state();
        const auto outcome = s.install(s.request(PrinterType::Receipt, k500, "USB_QRT-K500NX_1"));
        EXPECT_EQ(outcome.result, InstallResult::Stopped);
        EXPECT_EQ(outcome.message, "");
        EXPECT_EQ(s.messages(), std::vector<std::string>{s.text("IDS_INF_CHANGEID")});
        EXPECT_TRUE(s.machine().simUsb().printers()[0].writes.empty());
        // The USB driver may have been installed; nothing else is.
        for (const auto& change : stateChanges(before, s.state()))
            EXPECT_NE(change.find("KVPUSB.sys"), std::string::npos) << change;
    }
    {
        Scenario s(WindowsVariant::Win7, 64);
        s.machine().simUsb().attachPrinter(9);
        s.machine().simDesktop().queueAnswers({platform::mb::idYes});
        const auto outcome = s.install(s.request(PrinterType::Receipt, k500, "USB_QRT-K500NX_1"));
        EXPECT_EQ(outcome.result, InstallResult::Succeeded);
        EXPECT_EQ(s.machine().simUsb().printers()[0].writes,
                  std::vector<std::vector<std::uint8_t>>{identityCommand(0)});
        EXPECT_EQ(s.machine().simUsb().printers()[0].identityWord() % 8, 0);
    }
}

TEST(InstallUsb, AdvancedModeMatchesThePrinterToThePortsNumber) {
    { // identity 9 is number 2: port _2 proceeds without a question
        Scenario s(WindowsVariant::Win7, 64);
        s.machine().simUsb().attachPrinter(9);
        auto r = s.request(PrinterType::Receipt, k500, "USB_QRT-K500NX_2");
        r.typical = false;
        const auto outcome = s.install(r);
        EXPECT_EQ(outcome.result, InstallResult::Succeeded);
        EXPECT_EQ(outcome.printerName, "QRT-K500NX(U) 2");
        EXPECT_EQ(s.messages(), std::vector<std::string>{s.text("IDS_INF_USBRESTART")});
        EXPECT_TRUE(s.machine().simUsb().printers()[0].writes.empty());
        std::uint32_t number = 0;
        EXPECT_TRUE(s.machine().simRegistry().readDword("HKLM\\SOFTWARE\\KORVANE\\PORTNAME",
                                                        "USB_QRT-K500NX_2", number));
        EXPECT_EQ(number, 2u);
    }
    { // identity 8 is number 1: asked, and set to 2
        Scenario s(WindowsVariant::Win7, 64);
        s.machine().simUsb().attachPrinter(8);
        s.machine().simDesktop().queueAnswers({platform::mb::idYes});
        auto r = s.request(PrinterType::Receipt, k500, "USB_QRT-K500NX_2");
        r.typical = false;
        const auto outcome = s.install(r);
        EXPECT_EQ(outcome.result, InstallResult::Succeeded);
        EXPECT_EQ(s.messages().front(), s.text("IDS_INF_CHANGEID"));
        EXPECT_EQ(s.machine().simUsb().printers()[0].writes,
                  std::vector<std::vector<std::uint8_t>>{identityCommand(1)});
    }
}

TEST(InstallUsb, AdvancedModeNeedsTheOnePrinterAttached) {
    Scenario s(WindowsVariant::Win7, 64);
    auto r = s.request(PrinterType::Receipt, k500, "USB_QRT-K500NX_3");
    r.typical = false;
    auto outcome = s.install(r);
    EXPECT_EQ(outcome.result, InstallResult::Stopped);
    EXPECT_EQ(s.messages(), std::vector<std::string>{s.text("IDS_ERR_NOUSBDEVICE")});

    s.machine().simUsb().attachPrinter(8);
    s.machine().simUsb().attachPrinter(9);
    outcome = s.install(r);
    EXPECT_EQ(outcome.result, InstallResult::Stopped);
    EXPECT_EQ(s.messages(), std::vector<std::string>{s.text("IDS_ERR_ONEPRINTER")});
}

TEST(InstallUsb, SeveralPrintersStopTypicalModeToo) {
    Scenario s(WindowsVariant::Win7, 64);
    s.machine().simUsb().attachPrinter(8);
    s.machine().simUsb().attachPrinter(9);
    const auto outcome = s.install(s.request(PrinterType::Receipt, k500, "USB_QRT-K500NX_1"));
    EXPECT_EQ(outcome.result, InstallResult::Stopped);
    EXPECT_EQ(s.messages(), std::vector<std::string>{s.text("IDS_ERR_ONEPRINTER")});
    for (const auto& printer : s.machine().simUsb().printers())
        EXPECT_TRUE(printer.writes.empty());
    EXPECT_TRUE(s.machine().simSpooler().printers().empty());
}

TEST(InstallUsb, FailedIdentityWriteStopsAfterTheLibrarysMessage) {
    // Advanced mode then says what failed; typical mode leaves it at the library's word.
    for (const bool typical : {false, true}) {
        SCOPED_TRACE(typical ? "typical" : "advanced");
        Scenario s(WindowsVariant::Win7, 64);
        s.machine().simUsb().attachPrinter(9);
        s.machine().simUsb().removeFunction("uWrite");
        s.machine().simDesktop().queueAnswers({platform::mb::idYes});
        auto r = s.request(PrinterType::Receipt, k500, "USB_QRT-K500NX_1");
        r.typical = typical;
        const auto outcome = s.install(r);
        EXPECT_EQ(outcome.result, InstallResult::Stopped);
        std::vector<std::string> expected{s.text("IDS_INF_CHANGEID"), "open function error"};
        if (!typical)
            expected.push_back("Failed to set Printer ID!");
        EXPECT_EQ(s.messages(), expected);
        EXPECT_TRUE(s.machine().simSpooler().printers().empty());
    }
}

TEST(InstallUsb, SecondInstallationOnTheSamePortHasReachedTheLimitAtOnce) {
    Scenario s(WindowsVariant::Win7, 64);
    ASSERT_EQ(s.install(s.request(PrinterType::Receipt, k500, "USB_QRT-K500NX_1")).result,
              InstallResult::Succeeded);
    const auto outcome = s.install(s.request(PrinterType::Receipt, k500, "USB_QRT-K500NX_1"));
    EXPECT_EQ(outcome.result, InstallResult::Failed);
    EXPECT_EQ(s.messages(), std::vector<std::string>{s.text("IDS_ERR_TOOMANY")});
    EXPECT_EQ(s.machine().simSpooler().printers().size(), 1u);
    // The progress bar ran back to zero.
    ASSERT_FALSE(s.bar().empty());
    EXPECT_EQ(s.bar().back(), 0);
}

TEST(InstallUsb, QrtL7ModelsShareTheFamilysPortName) {
    Scenario s(WindowsVariant::Win7, 64);
    auto r = s.request(PrinterType::Label, "QRT-L7A", "USB_QRT-L7A_3");
    r.typical = false;
    s.machine().simUsb().attachPrinter(2); // number 3
    const auto outcome = s.install(r);
    ASSERT_EQ(outcome.result, InstallResult::Succeeded) << outcome.message;
    const auto* printer = s.machine().simSpooler().printer("QRT-L7A(U) 3");
    ASSERT_NE(printer, nullptr);
    EXPECT_EQ(printer->portName, "USB_QRT-L7_3");
    std::uint32_t value = 99;
    EXPECT_TRUE(s.machine().simRegistry().readDword("HKLM\\SOFTWARE\\KORVANE\\PORTNAME",
                                                    "USB_QRT-L7_3", value));
    EXPECT_EQ(value, 43u);
    EXPECT_TRUE(s.machine().simRegistry().readDword("HKLM\\SOFTWARE\\KORVANE\\PRINTERPORT",
                                                    "USB_QRT-L7A_3", value));
    EXPECT_EQ(value, 0u);
    EXPECT_EQ(
        s.machine().simRegistry().findValue("HKLM\\SOFTWARE\\KORVANE\\PORTNAME", "USB_QRT-L7A_3"),
        nullptr);
}

TEST(InstallUsb, XpAttachesTheLanguageMonitorAndTakesUniDrvFromTheDriverCache) {
    Scenario s(WindowsVariant::Xp, 32);
    const auto outcome = s.install(s.request(PrinterType::Receipt, k500, "USB_QRT-K500NX_1"));
    ASSERT_EQ(outcome.result, InstallResult::Succeeded) << outcome.message;
    const auto state = s.state();
    EXPECT_TRUE(anyLine(state, "monitor KV Language Monitor loads KVLANGMON.DLL"));
    EXPECT_TRUE(anyLine(state, "monitor=KV Language Monitor"));
    // The service pack's cabinet comes later and wins.
    EXPECT_TRUE(anyLine(state, "w32x86\\UNIDRV.DLL = unidrv.dll (simulated, i386 sp)"));
    EXPECT_TRUE(anyLine(state, "w32x86\\UNIRES.DLL = unires.dll (simulated, i386)"));
    // The XP helpers of the 32-bit set.
    EXPECT_TRUE(anyLine(state, "system32\\wbem\\FRAMEDYN.DLL = W32 framedyn.dll"));
    EXPECT_TRUE(anyLine(state, "system32\\SRCLIENT.DLL = W32 srclient.dll"));
    // The USB internal id file goes to the version-3 folder on 32-bit Windows.
    const auto& files = s.machine().simFiles();
    EXPECT_TRUE(files.exists("C:\\WINDOWS\\system32\\spool\\drivers\\w32x86\\3\\KVCONTROL.TTF"));
}

TEST(InstallUsb, Nt4RefusesUsbBeforeChangingAnything) {
    Scenario s(WindowsVariant::Nt4, 32);
    s.machine().simUsb().attachPrinter(9);
    const auto before = s.state();
    const auto outcome = s.install(s.request(PrinterType::Receipt, "QRT-K250", "USB_QRT-K250_1"));
    EXPECT_EQ(outcome.result, InstallResult::Stopped);
    EXPECT_EQ(s.messages(), std::vector<std::string>{s.text("IDS_ERR_NOSUPPORTUSB")});
    EXPECT_EQ(stateChanges(before, s.state()), std::vector<std::string>{});
}

} // namespace
} // namespace installtest
